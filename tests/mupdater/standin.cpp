// A stand-in for the terminal program in the updater's tests: takes the
// terminal's single-instance lock, appends its version to "starts.txt" beside
// itself, and holds the lock while a file "hold" lies there (at most 60 s).
#include "platform/os/ProgramFile.h"
#include "platform/os/SingleInstance.h"
#include "platform/os/Version.h"

#include <QFile>
#include <QThread>

RALD_VERSION_MARKER(STANDIN_VERSION)

int main()
{
    const QString dir = os::ProgramDir() + QLatin1Char('/');
    os::SingleInstance lock;
    const bool locked = lock.tryLock(QString::fromLatin1(os::ProgramInstanceName));
    QFile starts(dir + QStringLiteral("starts.txt"));
    if (starts.open(QIODevice::Append)) {
        starts.write(QByteArray(locked ? "" : "busy ") + STANDIN_VERSION "\n");
        starts.close();
    }
    if (!locked)
        return 1;
    for (int waited = 0; QFile::exists(dir + QStringLiteral("hold")) && waited < 60000; waited += 20)
        QThread::msleep(20);
    return 0;
}
