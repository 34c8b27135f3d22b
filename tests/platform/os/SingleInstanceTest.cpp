#include "platform/os/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A lock holder child process; its first output line tells whether it got
// the lock.
struct Holder
{
    pid_t pid = -1;
    std::string firstLine;
    int status = 0;

    explicit Holder(const QString &name)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        const QByteArray nameBytes = name.toLocal8Bit();
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            execl(LOCK_HOLDER, LOCK_HOLDER, nameBytes.constData(), static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n')
            firstLine += c;
        close(fds[0]);
    }

    void kill9()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            pid = -1;
        }
    }

    int waitExit()
    {
        waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    ~Holder() { kill9(); }
};

QString uniqueName()
{
    return QStringLiteral("TalvenrodeRALD V3 test %1").arg(getpid());
}

} // namespace

TEST(SingleInstance, SecondProcessIsRefusedUntilTheFirstIsKilled)
{
    const QString name = uniqueName();
    Holder first(name);
    ASSERT_EQ(first.firstLine, "locked");

    // Neither another process nor this one can take the lock now.
    Holder second(name);
    EXPECT_EQ(second.firstLine, "busy");
    EXPECT_EQ(second.waitExit(), 1);
    os::SingleInstance here;
    EXPECT_FALSE(here.tryLock(name));

    // A killed holder never releases anything itself: the kernel does.
    first.kill9();
    EXPECT_TRUE(here.tryLock(name));
    Holder third(name);
    EXPECT_EQ(third.firstLine, "busy");
    third.waitExit();

    here.release();
    Holder fourth(name);
    EXPECT_EQ(fourth.firstLine, "locked");
    fourth.kill9();
    QFile::remove(os::SingleInstance::lockFilePath(name));
}

TEST(SingleInstance, NamesDoNotShareALock)
{
    os::SingleInstance a, b;
    EXPECT_TRUE(a.tryLock(uniqueName() + " a"));
    EXPECT_TRUE(a.tryLock(uniqueName() + " a")); // held already
    EXPECT_TRUE(b.tryLock(uniqueName() + " b"));
    a.release();
    b.release();
    QFile::remove(os::SingleInstance::lockFilePath(uniqueName() + " a"));
    QFile::remove(os::SingleInstance::lockFilePath(uniqueName() + " b"));
}
