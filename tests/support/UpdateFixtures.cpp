#include "support/UpdateFixtures.h"

#include "Updates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

QString BuiltProgramDir()
{
    QString binDir = qEnvironmentVariable("RALD_BIN_DIR");
    if (binDir.isEmpty())
        binDir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() + QStringLiteral("/../bin");
    return binDir;
}

bool CopyCipherLibrary(const QString &programDir)
{
    const QString built = BuiltProgramDir() + QStringLiteral("/dll/EnMirel.Dll");
    QDir(programDir).mkpath(QStringLiteral("dll"));
    const QString target = programDir + QStringLiteral("/dll/EnMirel.Dll");
    QFile::remove(target);
    if (!QFile::copy(built, target)) {
        ADD_FAILURE() << "no cipher library at " << built.toStdString() << " (RALD_BIN_DIR)";
        return false;
    }
    return true;
}

QByteArray ProgramBytes(const QString &version, int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(quint32(qHash(version)) + quint32(size));
    for (char &c : bytes)
        c = char('A' + random.bounded(58)); // no marker bytes (0x01..0x03) by chance
    if (!version.isEmpty()) {
        QByteArray marker("\x01RALD-VERSION");
        marker += "-MARKER\x02" + version.toLatin1() + "\x03";
        bytes.replace(size / 2, marker.size(), marker);
    }
    return bytes;
}

bool WriteProgram(const QString &path, const QByteArray &bytes, int mode)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    QFileDevice::Permissions p;
    const QFileDevice::Permission bits[] = {QFileDevice::ReadOwner, QFileDevice::WriteOwner, QFileDevice::ExeOwner,
                                            QFileDevice::ReadGroup, QFileDevice::WriteGroup, QFileDevice::ExeGroup,
                                            QFileDevice::ReadOther, QFileDevice::WriteOther, QFileDevice::ExeOther};
    for (int i = 0; i < 9; ++i) {
        if (mode & (0400 >> i))
            p |= bits[i];
    }
    return f.setPermissions(p);
}

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Publish(const QString &updateDir, const QByteArray &updater, const QByteArray &program)
{
    QTemporaryDir staging;
    if (!staging.isValid())
        return false;
    if (!updater.isNull() && !WriteProgram(staging.filePath(QStringLiteral("Mupdater")), updater))
        return false;
    if (!program.isNull() && !WriteProgram(staging.filePath(QStringLiteral("KV_RALD")), program))
        return false;
    std::string report, error;
    const bool ok = hq::publishUpdates(staging.path().toStdString(), updateDir.toStdString(), report, error);
    if (!ok)
        ADD_FAILURE() << "publishing failed: " << error << "\n" << report;
    return ok;
}

UpdateServer::UpdateServer(std::function<void(hq::HqServer &)> pages)
{
    if (pages)
        m_server.onStart(std::move(pages));
    m_server.serveUpdates(m_updates.path());
    m_server.start();
}

QString UpdateServer::base() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_server.port());
}

void UpdateServer::clear()
{
    QDir(m_updates.path()).removeRecursively();
    QDir().mkpath(m_updates.path());
}
