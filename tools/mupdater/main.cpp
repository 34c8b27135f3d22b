// Mupdater: replaces the terminal's program with the newer build published on
// the update server, after the terminal has ended, and starts it again.
//
//   Mupdater <archive> <program> <base address>
//   e.g. Mupdater KV_RALD.bz2 KV_RALD.exe http://127.0.0.1:9999/
//
// The program is a file of Mupdater's own folder; a name ending in ".exe"
// names the file without it when no such file exists. Mupdater waits up to
// 60 s for the terminal's single-instance lock and holds it while it works,
// so no terminal starts half-way. It downloads <base address><archive>,
// unpacks it into a temporary file beside the program and accepts it only
// when it carries a version marker; then the old program becomes ".old", the
// new one takes its name and mode, the lock is released, the new program is
// started and ".old" deleted. On any failure the old program stays (or comes
// back) and is started again, so the terminal always comes back. Every step
// is logged to the terminal's log file, lines beginning with "Mupdater".

#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "platform/archive/Bzip2.h"
#include "platform/http/HttpClient.h"
#include "platform/os/Process.h"
#include "platform/os/ProgramFile.h"
#include "platform/os/SingleInstance.h"
#include "platform/os/Version.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QThread>

#include <cstdio>

RALD_VERSION_MARKER("1.0.0.1")

namespace {

constexpr int lockWaitMs = 60000;
constexpr int lockPollMs = 200;

void log(const QString &text)
{
    WriteLog(QStringLiteral("Mupdater ") + text);
}

bool waitForLock(os::SingleInstance &lock)
{
    for (int waited = 0;; waited += lockPollMs) {
        if (lock.tryLock(QString::fromLatin1(os::ProgramInstanceName)))
            return true;
        if (waited == 0)
            log(QStringLiteral("waiting for the terminal to end"));
        if (waited >= lockWaitMs)
            return false;
        QThread::msleep(lockPollMs);
    }
}

// Starts the program (the new one or the one kept) without waiting for it.
bool startProgram(const QString &program)
{
    if (os::StartDetached(program, {})) {
        log(QStringLiteral("started ") + program);
        return true;
    }
    log(QStringLiteral("cannot start ") + program);
    return false;
}

// Unpacks the downloaded archive into a temporary file beside the program;
// returns its path, or empty after logging why.
QString unpackBeside(const QString &program, const QByteArray &archive)
{
    const QString dir = QFileInfo(program).absolutePath();
    QTemporaryFile packed(dir + QStringLiteral("/.Mupdater-XXXXXX.bz2"));
    if (!packed.open() || packed.write(archive) != archive.size() || !packed.flush()) {
        log(QStringLiteral("cannot write the archive beside the program: ") + packed.errorString());
        return {};
    }
    QTemporaryFile unpacked(dir + QStringLiteral("/.Mupdater-XXXXXX.new"));
    if (!unpacked.open()) {
        log(QStringLiteral("cannot create a file beside the program: ") + unpacked.errorString());
        return {};
    }
    unpacked.close();
    QString error;
    if (bz2::DecompressFile(packed.fileName(), unpacked.fileName(), {}, &error) != bz2::Outcome::Done) {
        log(QStringLiteral("cannot unpack the archive: ") + error);
        return {};
    }
    const QString version = os::ReadVersionMarker(unpacked.fileName());
    if (version == QLatin1String("0")) {
        log(QStringLiteral("the archive holds no program with a version marker; nothing installed"));
        return {};
    }
    log(QStringLiteral("unpacked version ") + version);
    unpacked.setAutoRemove(false);
    return unpacked.fileName();
}

// Puts `fresh` in the place of `program`, keeping the old one as ".old"
// until the new one has started. True when the new program runs.
bool install(const QString &program, const QString &fresh, os::SingleInstance &lock)
{
    const QFileInfo old(program);
    const bool hadProgram = old.exists();
    const QFileDevice::Permissions mode = hadProgram ? old.permissions() : os::NewProgramPermissions;
    const QString backup = ChangeFileExt(program, QStringLiteral(".old"));
    if (hadProgram) {
        QFile::remove(backup);
        if (!QFile::rename(program, backup)) {
            log(QStringLiteral("cannot rename ") + program + QStringLiteral(" to ") + backup);
            QFile::remove(fresh);
            return false;
        }
    }
    auto restore = [&] {
        QFile::remove(program);
        if (hadProgram && !QFile::rename(backup, program))
            log(QStringLiteral("cannot put back ") + backup);
    };
    if (!QFile::rename(fresh, program) || !QFile::setPermissions(program, mode)) {
        log(QStringLiteral("cannot move the new program to ") + program);
        QFile::remove(fresh);
        restore();
        return false;
    }
    lock.release();
    if (!startProgram(program)) {
        restore();
        return false;
    }
    if (hadProgram)
        QFile::remove(backup);
    log(QStringLiteral("installed ") + program);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fputs("usage: Mupdater <archive> <program> <base address>\n", stderr);
        return 2;
    }
    const QString archiveName = args.at(1);
    const QString dir = os::ProgramDir();
    QDir(dir).mkpath(QStringLiteral("log"));
    LogFileName = dir + QStringLiteral("/log/") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd"))
                  + QStringLiteral(".log");

    QString program = QDir(dir).absoluteFilePath(args.at(2));
    if (program.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive) && !QFileInfo::exists(program))
        program.chop(4);
    QString base = args.at(3);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    log(QStringLiteral("updating ") + program + QStringLiteral(" from ") + base + archiveName);

    os::SingleInstance lock;
    if (!waitForLock(lock)) {
        log(QStringLiteral("the terminal did not end within 60 s; nothing installed"));
        startProgram(program);
        return 1;
    }

    const http::GetResult answer = http::Get(base + archiveName);
    if (!answer.ok) {
        log(QStringLiteral("download failed: ") + answer.error);
        lock.release();
        startProgram(program);
        return 1;
    }
    const QString fresh = unpackBeside(program, answer.body);
    if (fresh.isEmpty() || !install(program, fresh, lock)) {
        lock.release();
        startProgram(program);
        return 1;
    }
    return 0;
}
