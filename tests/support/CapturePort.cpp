#include "support/CapturePort.h"

#include "platform/serial/PortNames.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

CapturePort::CapturePort(const QString &portName, const QString &programFolder)
{
    const serial::PortKind kind = serial::KindOf(portName);
    const int n = serial::PortNumber(portName);
    if (kind == serial::PortKind::Other || n == 0)
        return;

    folder_ = programFolder;
    if (folder_.isEmpty()) {
        tempDir_ = std::make_unique<QTemporaryDir>();
        folder_ = tempDir_->path();
        previousFolder_ = serial::ProgramFolder();
        serial::SetProgramFolder(folder_);
        ownsFolderSetting_ = true;
    }
    QDir().mkpath(folder_ + "/dev");
    pty_ = kind == serial::PortKind::Com;
    link_ = folder_ + (pty_ ? "/dev/com" : "/dev/lpt") + QString::number(n);
    QFile::remove(link_);

    if (!pty_) {
        device_ = link_;
        QFile f(device_);
        valid_ = f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        return;
    }

    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
        return;
    device_ = QString::fromLocal8Bit(ptsname(master_));
    // Keep one descriptor of the terminal side open: the pair then stays up
    // while the program opens and closes the port, and the line is raw so
    // the bytes arrive as sent.
    slave_ = ::open(device_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (slave_ < 0)
        return;
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    valid_ = QFile::link(device_, link_);
}

CapturePort::~CapturePort()
{
    if (!link_.isEmpty())
        QFile::remove(link_);
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    if (ownsFolderSetting_)
        serial::SetProgramFolder(previousFolder_);
}

void CapturePort::drain()
{
    if (!pty_) {
        QFile f(device_);
        if (f.open(QIODevice::ReadOnly))
            captured_ = f.readAll();
        return;
    }
    char buf[4096];
    for (;;) {
        const ssize_t got = ::read(master_, buf, sizeof buf);
        if (got <= 0)
            break;
        captured_.append(buf, got);
    }
}

template <typename Done>
QByteArray CapturePort::waitUntil(Done done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    drain();
    while (!done() && !deadline.hasExpired()) {
        if (pty_) {
            pollfd p{master_, POLLIN, 0};
            ::poll(&p, 1, int(qMin<qint64>(deadline.remainingTime(), 50)));
        } else {
            ::usleep(10000);
        }
        drain();
    }
    return captured_;
}

QByteArray CapturePort::waitFor(qsizetype n, int timeoutMs)
{
    return waitUntil([&] { return captured_.size() >= n; }, timeoutMs);
}

QByteArray CapturePort::waitForCount(const QByteArray &marker, int count, int timeoutMs)
{
    return waitUntil([&] { return captured_.count(marker) >= count; }, timeoutMs);
}

QByteArray CapturePort::bytes()
{
    drain();
    return captured_;
}

void CapturePort::clear()
{
    drain();
    captured_.clear();
    if (!pty_) {
        QFile f(device_);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
}

} // namespace testsupport
