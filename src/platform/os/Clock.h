#pragma once
// The application clock. Every "now" of the program reads os::Now(): the
// system time plus an offset that start-up sets from the server's time. The
// computer's own clock is never changed.

#include <QDateTime>
#include <QtGlobal>

namespace os {

// System time + offset, in local time.
QDateTime Now();

// The offset in milliseconds added to the system time (thread-safe).
void SetClockOffset(qint64 ms);
qint64 ClockOffset();

// Sets the offset so that Now() reads `now` at this moment.
void SetNow(const QDateTime &now);

} // namespace os
