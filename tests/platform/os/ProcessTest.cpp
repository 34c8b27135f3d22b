#include "platform/os/Process.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

void makeFile(const QString &path, bool executable)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

} // namespace

TEST(FindProgram, ProgramFolderFirstAnyCaseWithOrWithoutExe)
{
    QTemporaryDir dir;
    makeFile(dir.filePath("Mupdater"), true);
    makeFile(dir.filePath("Tool.exe"), true);
    makeFile(dir.filePath("notes"), false);
    const QString mupdater = QDir(dir.path()).absoluteFilePath("Mupdater");
    const QString tool = QDir(dir.path()).absoluteFilePath("Tool.exe");

    struct Case { const char *name; QString found; };
    const Case cases[] = {
        {"Mupdater", mupdater},
        {"MUpdater.exe", mupdater},
        {"mupdater.EXE", mupdater},
        {"tool.exe", tool},
        {"TOOL", tool},
        {"notes", QString()},       // not executable
        {"no-such-program-xyz.exe", QString()},
    };
    for (const Case &c : cases)
        EXPECT_EQ(os::FindProgram(QString::fromLatin1(c.name), dir.path()), c.found) << c.name;

    // Not in the folder: PATH, also when asked with ".exe".
    const QString sh = os::FindProgram(QStringLiteral("sh.exe"), dir.path());
    EXPECT_TRUE(sh.endsWith(QStringLiteral("/sh"))) << sh.toStdString();
}

TEST(StartDetached, RunsAProgramWithoutWaiting)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath("started");
    qint64 pid = 0;
    ASSERT_TRUE(os::StartDetached(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo x > '%1'").arg(marker)}, &pid));
    EXPECT_GT(pid, 0);
    for (int i = 0; i < 500 && !QFile::exists(marker); ++i)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
    EXPECT_FALSE(os::StartDetached(QStringLiteral("no-such-program-xyz"), {}));
    EXPECT_FALSE(os::StartDetachedCommandLine(QString()));
}
