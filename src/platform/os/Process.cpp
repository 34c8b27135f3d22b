#include "platform/os/Process.h"

#include "platform/os/ProgramFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace os {

namespace {

QString withoutExe(const QString &name)
{
    if (name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        return name.left(name.size() - 4);
    return name;
}

bool isProgram(const QFileInfo &info)
{
    return info.isFile() && info.isExecutable();
}

} // namespace

QString FindProgramInFolder(const QString &name, const QString &folder)
{
    if (name.isEmpty())
        return {};
    const QFileInfo direct(name);
    if (direct.isAbsolute() || name.contains(QLatin1Char('/'))) {
        if (isProgram(direct))
            return direct.absoluteFilePath();
        const QFileInfo bare(withoutExe(name));
        return isProgram(bare) ? bare.absoluteFilePath() : QString();
    }
    const QString base = withoutExe(name);
    const QDir dir(folder.isEmpty() ? ProgramDir() : folder);
    const QStringList candidates{name, base, base + QStringLiteral(".exe")};
    // Exact names first, then any case.
    for (const QString &candidate : candidates) {
        const QFileInfo info(dir.filePath(candidate));
        if (isProgram(info))
            return info.absoluteFilePath();
    }
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Executable, QDir::Name);
    for (const QString &candidate : candidates) {
        for (const QFileInfo &info : entries) {
            if (info.fileName().compare(candidate, Qt::CaseInsensitive) == 0)
                return info.absoluteFilePath();
        }
    }
    return {};
}

QString FindProgram(const QString &name, const QString &folder)
{
    const QString found = FindProgramInFolder(name, folder);
    if (!found.isEmpty() || name.isEmpty() || QFileInfo(name).isAbsolute() || name.contains(QLatin1Char('/')))
        return found;
    const QString base = withoutExe(name);
    for (const QString &candidate : {base, name}) {
        const QString onPath = QStandardPaths::findExecutable(candidate);
        if (!onPath.isEmpty())
            return onPath;
    }
    return {};
}

bool StartDetached(const QString &name, const QStringList &arguments, qint64 *pid)
{
    const QString program = FindProgram(name);
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments, QString(), pid);
}

bool StartDetachedCommandLine(const QString &commandLine, qint64 *pid)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString name = words.takeFirst();
    return StartDetached(name, words, pid);
}

bool OpenUrl(const QString &url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(parsed);
}

} // namespace os
