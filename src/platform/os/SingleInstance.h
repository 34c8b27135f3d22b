#pragma once
// One running copy of the program: an exclusive lock on a file named after
// the instance name in the runtime folder. The kernel releases the lock when
// the process ends in any way, so a crashed copy never blocks the next start.

#include <QString>

namespace os {

// The name of the terminal's single-instance lock.
inline constexpr char ProgramInstanceName[] = "TalvenrodeRALD V3";

class SingleInstance
{
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // Takes the lock named `name`; false when another process holds it or
    // the lock file cannot be opened. Calling it again while held is true.
    bool tryLock(const QString &name);
    bool isLocked() const { return fd >= 0; }
    void release();

    // The lock file used for `name`.
    static QString lockFilePath(const QString &name);

private:
    int fd = -1;
};

} // namespace os
