#include "platform/serial/ParallelPort.h"

#include "platform/serial/PortNames.h"

#include <QFile>

namespace serial {

bool WriteParallel(const QString &portName, const QByteArray &bytes, QString *error)
{
    const QString device = KindOf(portName) == PortKind::Lpt ? DevicePath(portName) : QString();
    if (device.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1 is not a parallel port").arg(portName);
        return false;
    }
    // Append: a device ignores it, and a file standing in for the device
    // keeps every copy of a job.
    QFile file(device);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = QStringLiteral("%1 (%2): %3").arg(portName, device, file.errorString());
        return false;
    }
    const bool ok = file.write(bytes) == bytes.size() && file.flush();
    if (!ok && error)
        *error = QStringLiteral("%1 (%2): %3").arg(portName, device, file.errorString());
    file.close();
    return ok;
}

} // namespace serial
