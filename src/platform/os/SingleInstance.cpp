#include "platform/os/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace os {

SingleInstance::~SingleInstance()
{
    release();
}

QString SingleInstance::lockFilePath(const QString &name)
{
    // The user's runtime folder, or the temporary folder where there is
    // none (a service or a root session without XDG_RUNTIME_DIR).
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        dir = QDir::tempPath();
    QString safe = name;
    safe.replace(QLatin1Char('/'), QLatin1Char('_'));
    return dir + QLatin1Char('/') + safe + QStringLiteral(".lock");
}

bool SingleInstance::tryLock(const QString &name)
{
    if (fd >= 0)
        return true;
    const QString path = lockFilePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const int f = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (f < 0)
        return false;
    if (::flock(f, LOCK_EX | LOCK_NB) != 0) {
        ::close(f);
        return false;
    }
    fd = f;
    return true;
}

void SingleInstance::release()
{
    if (fd >= 0) {
        ::flock(fd, LOCK_UN);
        ::close(fd);
        fd = -1;
    }
}

} // namespace os
