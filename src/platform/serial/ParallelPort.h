#pragma once
// The parallel port is a device file: each write opens the mapped device
// (PortNames.h), writes, flushes and closes it. The device is never created:
// a missing device is an error, not a new file under /dev.

#include <QByteArray>
#include <QString>

namespace serial {

// Writes bytes to the device of an "LPTn" name; false with a message when the
// device cannot be opened or does not take every byte.
bool WriteParallel(const QString &portName, const QByteArray &bytes, QString *error = nullptr);

} // namespace serial
