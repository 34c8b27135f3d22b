#include "Updates.h"

#include "platform/archive/Bzip2.h"
#include "platform/os/Process.h"
#include "platform/os/Version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <map>

namespace hq {

namespace {

const QString versionsFile = QStringLiteral("versions.txt");

struct Published
{
    const char *program; // file name in the program folder
    const char *archive; // archive in the update folder
    const char *key;     // key in versions.txt and in the version answer
};

const Published published[] = {
    {"Mupdater", "Mupdater.bz2", "MUPDATER"},
    {"KV_RALD", "KV_RALD.bz2", "KV_RALD"},
};

// The file `name` of `dir`: the exact name, else the one name that matches
// in any case. Empty when there is none.
QString fileIn(const QDir &dir, const QString &name)
{
    const QFileInfo exact(dir.filePath(name));
    if (exact.isFile())
        return exact.absoluteFilePath();
    const QFileInfoList entries = dir.entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &info : entries) {
        if (info.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return info.absoluteFilePath();
    }
    return {};
}

std::map<QString, QString> readVersions(const QDir &dir)
{
    std::map<QString, QString> versions;
    QFile file(dir.filePath(versionsFile));
    if (!file.open(QIODevice::ReadOnly))
        return versions;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            versions[line.left(eq).trimmed().toUpper()] = line.mid(eq + 1).trimmed();
    }
    return versions;
}

QString versionOf(const QDir &dir, const std::map<QString, QString> &versions, const Published &p)
{
    const auto it = versions.find(QString::fromLatin1(p.key));
    if (it == versions.end() || it->second.isEmpty() || fileIn(dir, QString::fromLatin1(p.archive)).isEmpty())
        return QStringLiteral("0");
    return it->second;
}

bool isArchiveName(const QString &name)
{
    return name.size() > 4 && name.endsWith(QStringLiteral(".bz2"), Qt::CaseInsensitive)
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
           && !name.startsWith(QLatin1Char('.'));
}

} // namespace

PageHandler updatePages(const std::string &dir)
{
    const QString folder = QString::fromStdString(dir);
    return [folder](const std::string &path, const Query &, Page &page) {
        const QDir d(folder);
        const QString p = QString::fromStdString(path);
        if (p.compare(QLatin1String(kVersionPage), Qt::CaseInsensitive) == 0) {
            const auto versions = readVersions(d);
            const QString updater = versionOf(d, versions, published[0]);
            const QString program = versionOf(d, versions, published[1]);
            page.status = 200;
            page.contentType = "text/plain";
            page.body = QStringLiteral("RALD=%1,MUPDATER=%2,KV_RALD=%1").arg(program, updater).toStdString();
            return true;
        }
        if (!p.startsWith(QLatin1Char('/')) || !isArchiveName(p.mid(1)))
            return false;
        const QString file = fileIn(d, p.mid(1));
        if (file.isEmpty())
            return false;
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        page.status = 200;
        page.contentType = "application/x-bzip2";
        page.body = f.readAll().toStdString();
        return true;
    };
}

bool publishUpdates(const std::string &programDir, const std::string &dir, std::string &report, std::string &error)
{
    const QDir target(QString::fromStdString(dir));
    if (!QDir().mkpath(target.absolutePath())) {
        error = "cannot create the update folder " + dir;
        return false;
    }
    auto versions = readVersions(target);
    int count = 0;
    QString notes;
    for (const Published &p : published) {
        const QString program = os::FindProgramInFolder(QString::fromLatin1(p.program), QString::fromStdString(programDir));
        if (program.isEmpty()) {
            notes += QStringLiteral("%1: not found in %2, left out\n").arg(QLatin1String(p.program), QString::fromStdString(programDir));
            continue;
        }
        const QString version = os::ReadVersionMarker(program);
        if (version == QLatin1String("0")) {
            notes += QStringLiteral("%1: no version marker, left out\n").arg(program);
            continue;
        }
        QString why;
        if (!bz2::CompressFile(program, target.filePath(QString::fromLatin1(p.archive)), &why)) {
            notes += QStringLiteral("%1: %2\n").arg(program, why);
            continue;
        }
        versions[QString::fromLatin1(p.key)] = version;
        notes += QStringLiteral("%1 %2 -> %3\n").arg(program, version, target.filePath(QString::fromLatin1(p.archive)));
        ++count;
    }
    if (count > 0) {
        QSaveFile out(target.filePath(versionsFile));
        QByteArray text;
        for (const auto &[key, value] : versions)
            text += (key + QLatin1Char('=') + value + QLatin1Char('\n')).toUtf8();
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
            error = "cannot write " + target.filePath(versionsFile).toStdString();
            report = notes.toStdString();
            return false;
        }
    }
    report = notes.toStdString();
    if (count == 0) {
        error = "nothing published";
        return false;
    }
    return true;
}

} // namespace hq
