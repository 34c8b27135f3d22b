#include "platform/serial/PortNames.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace serial {
namespace {

QMutex folderMutex;
QString folderOverride;

QString ownFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // No application object (tools, early start): the folder of the running file.
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

} // namespace

QString ProgramFolder()
{
    {
        QMutexLocker lock(&folderMutex);
        if (!folderOverride.isEmpty())
            return folderOverride;
    }
    return ownFolder();
}

void SetProgramFolder(const QString &folder)
{
    QMutexLocker lock(&folderMutex);
    folderOverride = folder;
}

PortKind KindOf(const QString &portName)
{
    const QString head = portName.left(3).toUpper();
    if (head == QLatin1String("COM"))
        return PortKind::Com;
    if (head == QLatin1String("LPT"))
        return PortKind::Lpt;
    return PortKind::Other;
}

int PortNumber(const QString &portName)
{
    bool ok = false;
    const int n = portName.mid(3).toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QString DevicePath(const QString &portName)
{
    const PortKind kind = KindOf(portName);
    const int n = PortNumber(portName);
    if (kind == PortKind::Other || n == 0)
        return {};

    const bool com = kind == PortKind::Com;
    const QString link = ProgramFolder() + QStringLiteral("/dev/")
                         + (com ? QStringLiteral("com") : QStringLiteral("lpt")) + QString::number(n);
    const QFileInfo info(link);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        return target.isEmpty() ? link : target;
    }
    if (info.exists())
        return link;
    return (com ? QStringLiteral("/dev/ttyS") : QStringLiteral("/dev/lp")) + QString::number(n - 1);
}

} // namespace serial
