#include "platform/os/ProgramFile.h"

#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace os {

namespace {
QMutex mutex;
QString overridePath;
}

QString ProgramFilePath()
{
    {
        QMutexLocker lock(&mutex);
        if (!overridePath.isEmpty())
            return overridePath;
    }
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString ProgramDir()
{
    return QFileInfo(ProgramFilePath()).absolutePath();
}

void SetProgramFilePath(const QString &path)
{
    QMutexLocker lock(&mutex);
    overridePath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

} // namespace os
