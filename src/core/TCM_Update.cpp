// The update check of start-up: the internet ping, program versions, the
// version answer of the update server, the updater window for a newer
// updater program and the hand-over time stamp for a newer program.
#include "core/TCM.h"

#include "core/MyConfig.h"
#include "core/uKV_Common_Text.h"
#include "platform/http/HttpClient.h"
#include "platform/os/Clock.h"
#include "platform/os/IniFile.h"
#include "platform/os/Process.h"
#include "platform/os/Version.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <exception>
#include <stdexcept>

namespace {

UpdaterWindowHandler updaterWindow;

constexpr int pingDataSize = 32;
constexpr int pingTimeoutMs = 2000;
constexpr int pingOnlineMs = 200;

// 0.0006 day: the shortest time between two hand-overs to the updater.
constexpr qint64 handOverPauseMs = 51840;

const QString stampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// Keeps the windows painting while a request blocks.
bool keepPainting(qint64, qint64)
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    return true;
}

// The value of a version answer's item: the part after its first "=".
QString itemValue(const QString &item)
{
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    if (eq < 0)
        throw std::runtime_error(("no \"=\" in \"" + item + "\"").toStdString());
    return item.mid(eq + 1).trimmed();
}

// One step of the version comparison: the number before the first "."
// (the whole text without one), 0 when it is no number.
int leadingNumber(const QString &version)
{
    const qsizetype dot = version.indexOf(QLatin1Char('.'));
    bool ok = false;
    const int n = (dot < 0 ? version : version.left(dot)).trimmed().toInt(&ok);
    return ok ? n : 0;
}

QString afterFirstDot(const QString &version)
{
    const qsizetype dot = version.indexOf(QLatin1Char('.'));
    return dot < 0 ? version : version.mid(dot + 1);
}

} // namespace

UpdaterWindowHandler SetUpdaterWindowHandler(UpdaterWindowHandler handler)
{
    UpdaterWindowHandler previous = std::move(updaterWindow);
    updaterWindow = std::move(handler);
    return previous;
}

QString ChangeFileExt(const QString &name, const QString &ext)
{
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > slash)
        return name.left(dot) + ext;
    return name + ext;
}

QString UpdaterFileName(const QString &folder, const QString &upp)
{
    const QString found = os::FindProgramInFolder(upp, folder);
    if (!found.isEmpty())
        return QFileInfo(found).fileName();
    if (upp.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        return upp.left(upp.size() - 4);
    return upp;
}

void TCM::iic_PingReply(qint64 elapsedMs)
{
    PingOnline = elapsedMs < pingOnlineMs;
}

bool TCM::CheckInternet()
{
    PingOnline = false;
    try {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        if (::inet_pton(AF_INET, MyConfig.CIP.trimmed().toLatin1().constData(), &to.sin_addr) != 1)
            return false;
        // A datagram ICMP socket needs no privilege where the system's ping
        // group range allows it; elsewhere it fails and the answer is false.
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        if (fd < 0)
            return false;
        struct Closer {
            int fd;
            ~Closer() { ::close(fd); }
        } closer{fd};

        unsigned char packet[sizeof(icmphdr) + pingDataSize] = {};
        icmphdr header{};
        header.type = ICMP_ECHO;
        header.un.echo.sequence = htons(1); // identifier and checksum: the kernel's
        std::memcpy(packet, &header, sizeof header);
        for (int i = 0; i < pingDataSize; ++i)
            packet[sizeof header + i] = static_cast<unsigned char>('a' + i % 23);

        QElapsedTimer clock;
        clock.start();
        if (::sendto(fd, packet, sizeof packet, 0, reinterpret_cast<const sockaddr *>(&to), sizeof to) < 0)
            return false;
        while (true) {
            const qint64 left = pingTimeoutMs - clock.elapsed();
            if (left <= 0)
                return false;
            pollfd p{fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, int(left));
            if (ready <= 0)
                return false;
            unsigned char reply[1500];
            const ssize_t got = ::recv(fd, reply, sizeof reply, 0);
            if (got < ssize_t(sizeof(icmphdr)))
                return false;
            icmphdr answer;
            std::memcpy(&answer, reply, sizeof answer);
            if (answer.type == ICMP_ECHOREPLY && ntohs(answer.un.echo.sequence) == 1) {
                iic_PingReply(clock.elapsed());
                return PingOnline;
            }
        }
    } catch (...) {
        return false;
    }
}

int TCM::GetVersionInfo(const QString &file, TVersionInfo &info)
{
    info = TVersionInfo();
    const QString version = os::ReadVersionMarker(file);
    if (version == QLatin1String("0"))
        return -1;
    info.FileVersion = version;
    info.ProductVersion = version;
    return 0;
}

QString TCM::GetFileVersion(const QString &file)
{
    TVersionInfo info;
    GetVersionInfo(file, info);
    return info.FileVersion;
}

bool TCM::IsNewerVersion(const QString &local, const QString &server)
{
    QString l = local;
    QString s = server;
    for (int step = 0; step < 4; ++step) {
        const int ln = leadingNumber(l);
        const int sn = leadingNumber(s);
        if (ln > sn)
            return false;
        if (sn > ln)
            return true;
        l = afterFirstDot(l);
        s = afterFirstDot(s);
    }
    return false;
}

bool TCM::CheckUpdate()
{
    bool result = true;
    const QString dir = ExeDir.isEmpty() ? QFileInfo(IniFileName()).absolutePath() + QLatin1Char('/') : ExeDir;

    QString updaterVersion;
    QString programVersion;
    RunLogged(QStringLiteral("MirelUpdater Version Check Error: "), [&] {
        const http::GetResult answer =
            http::Get(MyConfig.UPU + QStringLiteral("Talvenrode_RAldver.asp"), keepPainting);
        if (!answer.ok)
            throw std::runtime_error(answer.error.toStdString());
        const QString text = QString::fromUtf8(answer.body);
        const qsizetype first = text.indexOf(QLatin1Char(','));
        const qsizetype second = first < 0 ? -1 : text.indexOf(QLatin1Char(','), first + 1);
        if (second < 0)
            throw std::runtime_error(("the answer has not three items: \"" + text.left(80) + "\"").toStdString());
        itemValue(text.left(first));
        const QString updater = itemValue(text.mid(first + 1, second - first - 1));
        const QString program = itemValue(text.mid(second + 1));
        updaterVersion = updater;
        programVersion = program;
    });

    const QString updaterFile = dir + UpdaterFileName(dir, MyConfig.UPP);
    if (IsNewerVersion(GetFileVersion(updaterFile), updaterVersion)) {
        if (updaterWindow)
            updaterWindow();
        else
            WriteLog(QStringLiteral("MirelUpdater: no updater window to install version ") + updaterVersion);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }

    MyConfig.POSVersion = os::ProgramVersion();

    if (IsNewerVersion(MyConfig.POSVersion, programVersion)) {
        // Without its time stamp a failing update would hand over at every
        // start: start-up goes on instead.
        RunLogged(QStringLiteral("TCM.CheckUpdate Error:"), [&] {
            IniFile ini(IniFileName());
            const QDateTime now = os::Now();
            const QString stored = ini.ReadString(QStringLiteral("SYSTEM"), QStringLiteral("PDT"), QString());
            QDateTime last;
            if (!stored.isEmpty())
                last = QDateTime::fromString(DecryptIniText(stored), stampFormat);
            // A stamp that does not read as a date-time counts as missing.
            if (!last.isValid())
                last = now.addDays(-1);
            if (now > last.addMSecs(handOverPauseMs)) {
                const QString stamp = EncryptIniText(now.toString(stampFormat));
                if (stamp.isEmpty())
                    throw std::runtime_error("the time stamp cannot be enciphered");
                ini.WriteString(QStringLiteral("SYSTEM"), QStringLiteral("PDT"), stamp);
                result = false;
            }
        });
    }
    return result;
}
