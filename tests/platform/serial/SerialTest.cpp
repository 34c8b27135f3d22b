#include "platform/serial/ParallelPort.h"
#include "platform/serial/PortNames.h"
#include "platform/serial/SerialPort.h"
#include "support/CapturePort.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The serial port's notifiers need the main thread's application object.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_serial";
        static char *argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QCoreApplication> app_;
};
const auto *const qtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

// A private program folder for the serial layer while a test runs.
class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.path() + "/dev");
        serial::SetProgramFolder(dir.path());
    }
    void TearDown() override { serial::SetProgramFolder({}); }
    QString dev(const QString &name) const { return dir.path() + "/dev/" + name; }

    QTemporaryDir dir;
};

using PortNames = ProgramFolder;

TEST_F(PortNames, MapsNamesToLinksOrSystemDevices)
{
    QFile target(dir.path() + "/printer.out");
    ASSERT_TRUE(target.open(QIODevice::WriteOnly));
    target.close();
    ASSERT_TRUE(QFile::link(target.fileName(), dev("com1")));
    ASSERT_TRUE(QFile::link(dir.path() + "/missing", dev("com4")));
    QFile plain(dev("lpt2"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    struct Case { QString name; QString device; };
    const Case cases[] = {
        {"COM1", QFileInfo(target.fileName()).canonicalFilePath()}, // link followed
        {"COM4", dev("com4")},    // dangling link: kept, so opening it fails
        {"LPT2", dev("lpt2")},    // a plain file in dev/
        {"COM2", "/dev/ttyS1"},
        {"COM10", "/dev/ttyS9"},
        {"LPT1", "/dev/lp0"},
        {"com3", "/dev/ttyS2"},
        {"COM", ""},
        {"COM0", ""},
        {"COMx", ""},
        {"USB1", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(serial::DevicePath(c.name), c.device) << c.name.toStdString();
}

TEST(BaudRate, KnownTextsOnly)
{
    for (const char *text : {"9600", "19200", "38400", "57600", "115200", " 9600 "})
        EXPECT_EQ(serial::StrToBaudRate(text), QString(text).trimmed().toInt()) << text;
    for (const char *text : {"", "0", "9601", "fast", "-9600", "57600bps"})
        EXPECT_FALSE(serial::StrToBaudRate(text).has_value()) << text;

    serial::SerialPort port;
    EXPECT_EQ(port.settings().BaudRate, 9600);
    EXPECT_FALSE(port.setBaudRate("12345"));
    EXPECT_EQ(port.settings().BaudRate, 9600);
    EXPECT_TRUE(port.setBaudRate("57600"));
    EXPECT_EQ(port.settings().BaudRate, 57600);
}

TEST(SerialPortTest, DesignedSettings)
{
    serial::SerialPort port;
    const serial::PortSettings &s = port.settings();
    EXPECT_EQ(s.PortName, "COM1");
    EXPECT_EQ(s.BaudRate, 9600);
    EXPECT_EQ(s.DataBits, QSerialPort::Data8);
    EXPECT_EQ(s.Parity, QSerialPort::NoParity);
    EXPECT_EQ(s.StopBits, QSerialPort::OneStop);
    EXPECT_EQ(s.FlowControl, QSerialPort::NoFlowControl);
    EXPECT_FALSE(s.Dtr);
    EXPECT_FALSE(s.Rts);
    EXPECT_FALSE(port.Connected());
}

TEST(SerialPortTest, WritesToThePseudoTerminalBehindTheLink)
{
    testsupport::CapturePort capture("COM3");
    ASSERT_TRUE(capture.isValid());

    serial::SerialPort port;
    port.setPortName("COM3");
    ASSERT_TRUE(port.setBaudRate("57600"));
    QString error;
    ASSERT_TRUE(port.Open(&error)) << error.toStdString();
    EXPECT_TRUE(port.Connected());

    const QByteArray bytes("\x1b" "i\r\n\x00\xff \xb0\xa1", 9);
    ASSERT_TRUE(port.Write(bytes, 2000, &error)) << error.toStdString();
    EXPECT_EQ(capture.waitFor(bytes.size()), bytes);

    port.Close();
    EXPECT_FALSE(port.Connected());
    // Opened again after a close, the same object still writes.
    ASSERT_TRUE(port.Open(&error)) << error.toStdString();
    ASSERT_TRUE(port.Write("ok", 2000, &error));
    EXPECT_EQ(capture.waitFor(bytes.size() + 2), bytes + "ok");
}

TEST(SerialPortTest, RenamingAnOpenPortMovesToTheNewDevice)
{
    testsupport::CapturePort first("COM1");
    testsupport::CapturePort second("COM2", first.programFolder());
    ASSERT_TRUE(first.isValid() && second.isValid());

    serial::SerialPort port;
    ASSERT_TRUE(port.Open());
    ASSERT_TRUE(port.Write("one", 2000));
    QString error;
    ASSERT_TRUE(port.setPortName("COM2", &error)) << error.toStdString();
    EXPECT_TRUE(port.Connected());
    ASSERT_TRUE(port.Write("two", 2000));
    EXPECT_EQ(first.waitFor(3), "one");
    EXPECT_EQ(second.waitFor(3), "two");
}

TEST_F(ProgramFolder, RefusesWhatIsNoOpenSerialPort)
{
    ASSERT_TRUE(QFile::link(dir.path() + "/missing", dev("com7")));
    struct Case { const char *name; const char *inMessage; };
    const Case cases[] = {
        {"COM7", "COM7"},   // the device behind the link is missing
        {"LPT1", "not a serial port"},
        {"KEYB", "not a serial port"},
        {"COM", "no such port"},
    };
    for (const auto &c : cases) {
        serial::SerialPort port;
        port.setPortName(c.name);
        QString error;
        EXPECT_FALSE(port.Open(&error)) << c.name;
        EXPECT_FALSE(port.Connected()) << c.name;
        EXPECT_TRUE(error.contains(c.inMessage)) << c.name << ": " << error.toStdString();
    }

    serial::SerialPort closed;
    QString error;
    EXPECT_FALSE(closed.Write("x", 100, &error));
    EXPECT_TRUE(error.contains("not open")) << error.toStdString();
}

TEST_F(ProgramFolder, ParallelWritesAppendToTheDeviceFile)
{
    QFile file(dev("lpt1"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QString error;
    ASSERT_TRUE(serial::WriteParallel("LPT1", "\x1c" "C\x01\r\n", &error)) << error.toStdString();
    ASSERT_TRUE(serial::WriteParallel("LPT1", "abc\r\n", &error)) << error.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\x1c" "C\x01\r\nabc\r\n"));
}

TEST_F(ProgramFolder, ParallelNeverCreatesAMissingDevice)
{
    ASSERT_TRUE(QFile::link(dir.path() + "/nowhere", dev("lpt2")));
    for (const char *name : {"LPT2", "COM1", "LPT"}) {
        QString error;
        EXPECT_FALSE(serial::WriteParallel(name, "x", &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/nowhere"));
}

} // namespace
