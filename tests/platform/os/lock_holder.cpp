// Test helper: lock_holder NAME. Prints "locked" and holds the lock until it
// is killed, or prints "busy" and exits with 1 when another process has it.
#include "platform/os/SingleInstance.h"
#include "platform/os/Version.h"

#include <cstdio>
#include <unistd.h>

RALD_VERSION_MARKER("1.2.30.4")

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    os::SingleInstance lock;
    if (!lock.tryLock(QString::fromLocal8Bit(argv[1]))) {
        std::puts("busy");
        std::fflush(stdout);
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    for (;;)
        pause();
}
