#include "platform/serial/SerialPort.h"

#include "platform/serial/PortNames.h"

#include <QDeadlineTimer>

namespace serial {
namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

} // namespace

std::optional<qint32> StrToBaudRate(const QString &text)
{
    static const qint32 known[] = {110,   300,   600,   1200,   2400,   4800,   9600,  14400,
                                   19200, 38400, 56000, 57600, 115200, 128000, 256000};
    bool ok = false;
    const qint32 rate = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    for (qint32 k : known)
        if (k == rate)
            return rate;
    return std::nullopt;
}

SerialPort::SerialPort() = default;

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::setSettings(const PortSettings &settings, QString *error)
{
    const bool deviceChanged = settings.PortName != settings_.PortName;
    settings_ = settings;
    if (!Connected())
        return true;
    if (deviceChanged) {
        Close();
        // An LPT name is a device file, never opened as a serial port.
        return KindOf(settings_.PortName) != PortKind::Com || Open(error);
    }
    return applyLineSettings(error);
}

bool SerialPort::setPortName(const QString &name, QString *error)
{
    PortSettings s = settings_;
    s.PortName = name;
    return setSettings(s, error);
}

bool SerialPort::setBaudRate(const QString &text)
{
    const auto rate = StrToBaudRate(text);
    if (!rate)
        return false;
    PortSettings s = settings_;
    s.BaudRate = *rate;
    return setSettings(s);
}

QString SerialPort::devicePath() const
{
    return DevicePath(settings_.PortName);
}

bool SerialPort::Connected() const
{
    return port_ && port_->isOpen();
}

bool SerialPort::Open(QString *error)
{
    if (Connected())
        return true;
    if (KindOf(settings_.PortName) != PortKind::Com) {
        setError(error, QStringLiteral("%1 is not a serial port").arg(settings_.PortName));
        return false;
    }
    const QString device = devicePath();
    if (device.isEmpty()) {
        setError(error, QStringLiteral("%1: no such port").arg(settings_.PortName));
        return false;
    }

    port_ = std::make_unique<QSerialPort>();
    port_->setPortName(device);
    if (!port_->open(QIODevice::ReadWrite)) {
        setError(error, QStringLiteral("%1 (%2): %3").arg(settings_.PortName, device, port_->errorString()));
        port_.reset();
        return false;
    }
    if (!applyLineSettings(error)) {
        Close();
        return false;
    }
    return true;
}

void SerialPort::Close()
{
    if (port_) {
        port_->close();
        port_.reset();
    }
}

bool SerialPort::applyLineSettings(QString *error)
{
    QSerialPort &p = *port_;
    const bool ok = p.setBaudRate(settings_.BaudRate) && p.setDataBits(settings_.DataBits)
                    && p.setParity(settings_.Parity) && p.setStopBits(settings_.StopBits)
                    && p.setFlowControl(settings_.FlowControl);
    if (!ok) {
        setError(error, QStringLiteral("%1: %2").arg(settings_.PortName, p.errorString()));
        return false;
    }
    // A pseudo-terminal or a plain file has no modem lines; their state is
    // best effort.
    p.setDataTerminalReady(settings_.Dtr);
    if (settings_.FlowControl != QSerialPort::HardwareControl)
        p.setRequestToSend(settings_.Rts);
    p.clearError();
    return true;
}

bool SerialPort::Write(const QByteArray &bytes, int timeoutMs, QString *error)
{
    if (!Connected()) {
        setError(error, QStringLiteral("%1 is not open").arg(settings_.PortName));
        return false;
    }
    QSerialPort &p = *port_;
    if (p.write(bytes) != bytes.size()) {
        setError(error, QStringLiteral("%1: %2").arg(settings_.PortName, p.errorString()));
        p.clear(QSerialPort::Output);
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (p.bytesToWrite() > 0) {
        if (!p.waitForBytesWritten(int(qMax<qint64>(0, deadline.remainingTime())))) {
            setError(error, QStringLiteral("%1: %2").arg(settings_.PortName,
                                                        p.error() == QSerialPort::TimeoutError
                                                            ? QStringLiteral("write timed out")
                                                            : p.errorString()));
            p.clear(QSerialPort::Output);
            p.clearError();
            return false;
        }
    }
    return true;
}

} // namespace serial
