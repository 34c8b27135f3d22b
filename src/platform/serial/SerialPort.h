#pragma once
// A serial port component on QSerialPort: settings that can be changed at any
// time, Open/Close/Write, and the port name mapped to a device (PortNames.h).
//
// The object is used by one thread at a time. The underlying QSerialPort is
// created by Open in the calling thread and destroyed by Close, so a port
// that is closed can be handed to another thread, which then opens it there.

#include <QByteArray>
#include <QString>
#include <QtSerialPort/QSerialPort>

#include <memory>
#include <optional>

namespace serial {

struct PortSettings {
    QString PortName = QStringLiteral("COM1");
    qint32 BaudRate = 9600;
    QSerialPort::DataBits DataBits = QSerialPort::Data8;
    QSerialPort::Parity Parity = QSerialPort::NoParity;
    QSerialPort::StopBits StopBits = QSerialPort::OneStop;
    QSerialPort::FlowControl FlowControl = QSerialPort::NoFlowControl;
    bool Dtr = false;
    bool Rts = false;

    bool operator==(const PortSettings &) const = default;
};

// The rate of a baud-rate text of the settings ("9600", "57600", ...); only
// the rates a terminal's serial devices use are known. Nothing for any other
// text, the empty text included.
std::optional<qint32> StrToBaudRate(const QString &text);

class SerialPort {
public:
    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort &) = delete;
    SerialPort &operator=(const SerialPort &) = delete;

    const PortSettings &settings() const { return settings_; }
    // New settings. An open port takes a new rate or framing at once; a new
    // name closes the old device and opens the new one when it is a "COM"
    // name (an open port renamed to "LPTn" ends up closed).
    bool setSettings(const PortSettings &settings, QString *error = nullptr);

    QString portName() const { return settings_.PortName; }
    bool setPortName(const QString &name, QString *error = nullptr);
    // False (rate unchanged) for an unknown rate text.
    bool setBaudRate(const QString &text);

    // The device file the name maps to now.
    QString devicePath() const;

    bool Connected() const;
    // Opens the mapped device with the settings. A name that is not "COMn"
    // (an LPT port is a device file, not a serial port) is refused.
    bool Open(QString *error = nullptr);
    void Close();
    // Writes all bytes, waiting at most timeoutMs for the device to take
    // them. On failure the unsent rest is discarded so that a later write
    // does not carry it.
    bool Write(const QByteArray &bytes, int timeoutMs, QString *error = nullptr);

private:
    bool applyLineSettings(QString *error);

    PortSettings settings_;
    std::unique_ptr<QSerialPort> port_;
};

} // namespace serial
