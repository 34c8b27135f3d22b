#include "Components/MirelComp/MirelPicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QtDebug>

namespace mirel {
namespace {

QMutex g_mutex;
QString g_folder;
std::function<void(const QString &)> g_log;

} // namespace

QString pictureFolder()
{
    QMutexLocker lock(&g_mutex);
    if (!g_folder.isEmpty())
        return g_folder;
    return QCoreApplication::applicationDirPath() + "/img/";
}

void setPictureFolder(const QString &folder)
{
    QMutexLocker lock(&g_mutex);
    g_folder = folder;
    if (!g_folder.isEmpty() && !g_folder.endsWith('/'))
        g_folder += '/';
}

bool loadPicture(const QString &fileName, QPixmap &out)
{
    out = QPixmap();
    if (fileName.isEmpty())
        return false;
    QString path = QDir::fromNativeSeparators(fileName);
    if (QFileInfo(path).isRelative())
        path = pictureFolder() + path;
    if (!QFileInfo::exists(path) || !out.load(path)) {
        out = QPixmap();
        writeLog(QString::fromUtf8("그림 파일을 읽을 수 없습니다: ") + path);
        return false;
    }
    return true;
}

void setLogHandler(std::function<void(const QString &)> handler)
{
    QMutexLocker lock(&g_mutex);
    g_log = std::move(handler);
}

void writeLog(const QString &line)
{
    std::function<void(const QString &)> log;
    {
        QMutexLocker lock(&g_mutex);
        log = g_log;
    }
    if (log)
        log(line);
    else
        qWarning().noquote() << line;
}

} // namespace mirel
