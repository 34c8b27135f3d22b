#include "platform/os/Clock.h"

#include <atomic>

namespace os {

namespace {
std::atomic<qint64> offsetMs{0};
}

QDateTime Now()
{
    return QDateTime::currentDateTime().addMSecs(offsetMs.load());
}

void SetClockOffset(qint64 ms)
{
    offsetMs.store(ms);
}

qint64 ClockOffset()
{
    return offsetMs.load();
}

void SetNow(const QDateTime &now)
{
    offsetMs.store(QDateTime::currentDateTime().msecsTo(now));
}

} // namespace os
