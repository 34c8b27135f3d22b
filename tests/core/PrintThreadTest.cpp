#include "core/MyConfig.h"
#include "core/PrintThread.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/CodePage.h"
#include "platform/serial/PortNames.h"
#include "support/CapturePort.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using testsupport::CapturePort;

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

// Polls until the condition holds; false after timeoutMs.
bool eventually(const std::function<bool()> &condition, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
    return true;
}

QStringList slip(int lines, const char *tag)
{
    QStringList out;
    for (int i = 1; i <= lines; ++i)
        out << u("%1 품목 %2  1,500").arg(QString::fromLatin1(tag)).arg(i);
    return out;
}

// One copy of a job of these slips, as the printer receives it. Serial: each
// line + CR LF, the four blank lines + CR LF, the cut + CR LF.
QByteArray serialCopy(const QList<QStringList> &slips)
{
    QByteArray bytes;
    for (const QStringList &lines : slips) {
        for (const QString &line : lines)
            bytes += os::ToAnsi(line) + "\r\n";
        bytes += " \r\n \r\n \r\n \r\n\r\n";
        bytes += "\x1bi\r\n\r\n";
    }
    return bytes;
}

// Parallel: FS "C" 0x01 CR LF, then the same lines and trailer.
QByteArray parallelCopy(const QList<QStringList> &slips)
{
    return QByteArray("\x1c" "C\x01\r\n") + serialCopy(slips);
}

// A log file of its own for a test; restores the previous one.
class LogCapture {
public:
    LogCapture() : saved_(LogFileName) { LogFileName = dir_.filePath("test.log"); }
    ~LogCapture() { LogFileName = saved_; }
    QString text() const
    {
        QFile f(dir_.filePath("test.log"));
        return f.open(QIODevice::ReadOnly) ? os::FromAnsi(f.readAll()) : QString();
    }

private:
    QTemporaryDir dir_;
    QString saved_;
};

// A printer thread on "COM1", which a capture port (pseudo-terminal) stands
// behind, in a private program folder.
class PrintThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(capture->isValid());
        port->setPortName("COM1");
        ASSERT_TRUE(port->setBaudRate("57600"));
    }
    void TearDown() override
    {
        if (thread) {
            EXPECT_TRUE(thread->Stop(5000));
        }
        thread.reset();
    }

    void start()
    {
        thread = std::make_unique<TMyPrintThread>(port);
        thread->start();
    }
    // What a print site does.
    void printSlip(const QStringList &lines, int copies)
    {
        thread->Copies = copies;
        ASSERT_TRUE(thread->Print(lines));
        thread->PrintRequested = true;
    }
    // Every request taken and written.
    bool idle()
    {
        return eventually([&] { return !thread->PrintRequested && !thread->Printing(); });
    }
    // Waits for n bytes, then for the thread to finish, and returns all.
    QByteArray received(qsizetype n)
    {
        capture->waitFor(n);
        EXPECT_TRUE(idle());
        return capture->bytes();
    }

    LogCapture log;
    std::unique_ptr<CapturePort> capture = std::make_unique<CapturePort>("COM1");
    std::shared_ptr<serial::SerialPort> port = std::make_shared<serial::SerialPort>();
    std::unique_ptr<TMyPrintThread> thread;
};

TEST_F(PrintThreadTest, SerialSlipIsWrittenCopiesTimesThroughAClosedPort)
{
    start();
    EXPECT_FALSE(thread->PortOpen());
    const QStringList lines = slip(10, "A");
    printSlip(lines, 2);

    const QByteArray copy = serialCopy({lines});
    EXPECT_EQ(received(2 * copy.size()), copy + copy);
    // Opened for the job and closed after it.
    EXPECT_FALSE(thread->PortOpen());
    EXPECT_TRUE(log.text().isEmpty()) << log.text().toStdString();
}

TEST_F(PrintThreadTest, ParallelSlipGoesToTheDeviceFile)
{
    CapturePort lpt("LPT1", capture->programFolder());
    ASSERT_TRUE(lpt.isValid());
    port->setPortName("LPT1");
    start();
    const QStringList lines = slip(10, "P");
    printSlip(lines, 2);

    const QByteArray copy = parallelCopy({lines});
    lpt.waitFor(2 * copy.size());
    ASSERT_TRUE(idle());
    EXPECT_EQ(lpt.bytes(), copy + copy);
    EXPECT_FALSE(thread->PortOpen());
}

TEST_F(PrintThreadTest, NoCopiesPrintsNothingAndClearsTheJob)
{
    start();
    for (int copies : {0, -1}) {
        printSlip(slip(3, "X"), copies);
        ASSERT_TRUE(idle()) << copies;
    }
    const QStringList next = slip(2, "B");
    printSlip(next, 1);
    EXPECT_EQ(received(serialCopy({next}).size()), serialCopy({next}));
}

TEST_F(PrintThreadTest, SlipsQueuedBeforeTheRequestPrintAsOneJob)
{
    start();
    const QStringList a = slip(3, "A"), b = slip(4, "B");
    thread->Copies = 2;
    ASSERT_TRUE(thread->Print(a));
    ASSERT_TRUE(thread->Print(b));
    // The thread takes the lines on its turns but prints only on request.
    QThread::msleep(250);
    EXPECT_TRUE(capture->bytes().isEmpty());
    thread->PrintRequested = true;

    const QByteArray job = serialCopy({a, b});
    EXPECT_EQ(received(2 * job.size()), job + job);
}

TEST_F(PrintThreadTest, SlipRequestedDuringAJobPrintsRightAfterIt)
{
    QSemaphore jobStarted, release;
    int jobs = 0;
    thread = std::make_unique<TMyPrintThread>(port);
    thread->setJobStartedHook([&] {
        if (++jobs == 1) {
            jobStarted.release();
            release.acquire();
        }
    });
    thread->start();

    const QStringList a = slip(3, "A"), b = slip(2, "B");
    printSlip(a, 2);
    ASSERT_TRUE(jobStarted.tryAcquire(1, 5000));
    // The first job is being written: its copies are its own.
    printSlip(b, 1);
    release.release();

    const QByteArray expected = serialCopy({a}) + serialCopy({a}) + serialCopy({b});
    EXPECT_EQ(received(expected.size()), expected);
    EXPECT_EQ(jobs, 2);
}

TEST_F(PrintThreadTest, OpenAndCloseRequestsAreAppliedBetweenJobs)
{
    start();
    thread->RequestPort({{}, {}, TMyPrintThread::PortAction::Open});
    ASSERT_TRUE(eventually([&] { return thread->PortOpen(); }));

    const QStringList lines = slip(2, "O");
    printSlip(lines, 1);
    EXPECT_EQ(received(serialCopy({lines}).size()), serialCopy({lines}));
    EXPECT_TRUE(thread->PortOpen()); // an open port stays open

    thread->RequestPort({{}, {}, TMyPrintThread::PortAction::Close});
    EXPECT_TRUE(eventually([&] { return !thread->PortOpen(); }));

    // An "LPT" name is never opened as a serial port. The port's settings
    // belong to the printer thread: read them only once a job requested
    // after the change has been taken (an empty job, no copies).
    thread->RequestPort({QString("LPT1"), {}, TMyPrintThread::PortAction::Open});
    printSlip({}, 0);
    ASSERT_TRUE(idle());
    EXPECT_EQ(port->portName(), "LPT1");
    EXPECT_FALSE(thread->PortOpen());
}

TEST_F(PrintThreadTest, FailedWriteIsLoggedAndTheThreadKeepsPrinting)
{
    const QString dev = capture->programFolder() + "/dev/";
    ASSERT_TRUE(QFile::link(capture->programFolder() + "/gone", dev + "com7"));
    ASSERT_TRUE(QFile::link(capture->programFolder() + "/gone", dev + "lpt2"));
    start();

    for (const char *name : {"COM7", "LPT2"}) {
        thread->RequestPort({QString(name), {}, TMyPrintThread::PortAction::Keep});
        printSlip(slip(2, "F"), 1);
        ASSERT_TRUE(idle()) << name;
        EXPECT_TRUE(log.text().contains("TMyPrintThread.Execute Error:" + QString(name))) << log.text().toStdString();
        EXPECT_TRUE(thread->isRunning()) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(capture->programFolder() + "/gone"));

    // The failed jobs are dropped; the next one prints.
    thread->RequestPort({QString("COM1"), {}, TMyPrintThread::PortAction::Keep});
    const QStringList lines = slip(2, "G");
    printSlip(lines, 1);
    EXPECT_EQ(received(serialCopy({lines}).size()), serialCopy({lines}));
}

TEST_F(PrintThreadTest, StopWritesARequestedJobThenReleasesThePort)
{
    start();
    thread->RequestPort({{}, {}, TMyPrintThread::PortAction::Open});
    const QStringList lines = slip(2, "S");
    printSlip(lines, 1);
    ASSERT_TRUE(thread->Stop(2000));
    EXPECT_FALSE(thread->isRunning());
    EXPECT_FALSE(port->Connected());
    EXPECT_EQ(capture->waitFor(serialCopy({lines}).size()), serialCopy({lines}));
}

TEST(PrintJobBytes, SerialEntriesAreCutToWholeCharactersParallelOnesAreNot)
{
    const QString longHangul = QString(200, QChar(0xAC00)); // 가 x 200 = 400 bytes
    const QString longAscii = QString(300, 'x');
    const QStringList entries{longHangul, longAscii, TMyPrintThread::CutEntry};

    const QByteArray serial = TMyPrintThread::SerialJobBytes(entries);
    EXPECT_EQ(serial, os::ToAnsi(QString(127, QChar(0xAC00))) + "\r\n" + QByteArray(255, 'x') + "\r\n"
                          + "\x1bi\r\n\r\n");
    EXPECT_EQ(TMyPrintThread::ParallelJobBytes(entries),
              QByteArray("\x1c" "C\x01\r\n") + os::ToAnsi(longHangul) + "\r\n" + longAscii.toLatin1() + "\r\n"
                  + "\x1bi\r\n\r\n");
    // A single entry is sent without a line end.
    EXPECT_EQ(TMyPrintThread::SerialJobBytes({u("가")}), QByteArray("\xB0\xA1"));
}

// The common module's ports and printer thread, with MyConfig as start-up
// leaves it and the devices behind capture ports.
class TcmPorts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(receipt->isValid());
        savedConfig = MyConfig;
        savedCM = CM;
        CM = &cm;
        MyConfig.PortReceipt = "COM1";
        MyConfig.BaudrateReceipt = "57600";
        MyConfig.VFDUse = false;
        MyConfig.PortBarcode.clear();
        MyConfig.PortCardReader.clear();
    }
    void TearDown() override
    {
        cm.ComPortsClose();
        EXPECT_TRUE(cm.StopPrints());
        CM = savedCM;
        MyConfig = savedConfig;
    }

    LogCapture log;
    std::unique_ptr<CapturePort> receipt = std::make_unique<CapturePort>("COM1");
    TMyConfig savedConfig;
    TCM *savedCM = nullptr;
    TCM cm;
};

TEST_F(TcmPorts, SignInLifecyclePrintsAndReleasesTheReceiptPort)
{
    // Creation of the sign-in screen: ports, then the printer thread.
    ASSERT_TRUE(cm.ComPortsOpen());
    EXPECT_TRUE(cm.com_Print_Receipt->Connected());
    ASSERT_TRUE(cm.PreparePrints());
    ASSERT_NE(ReceiptPrintThread, nullptr);
    EXPECT_EQ(ReceiptPrintThread->Port, cm.com_Print_Receipt);
    EXPECT_EQ(int(ReceiptPrintThread->Copies), 1);

    const QStringList lines = slip(10, "T");
    ReceiptPrintThread->Copies = 2;
    ReceiptPrintThread->Print(lines);
    ReceiptPrintThread->PrintRequested = true;
    const QByteArray copy = serialCopy({lines});
    receipt->waitForCount("\x1bi", 2);
    ASSERT_TRUE(eventually([] { return !ReceiptPrintThread->PrintRequested && !ReceiptPrintThread->Printing(); }));
    EXPECT_EQ(receipt->bytes(), copy + copy);

    // Focus lost, then back.
    ASSERT_TRUE(cm.ComPortsClose());
    EXPECT_TRUE(eventually([] { return !ReceiptPrintThread->PortOpen(); }));
    ASSERT_TRUE(cm.ComPortsOpen());
    EXPECT_TRUE(eventually([] { return ReceiptPrintThread->PortOpen(); }));

    // Destruction: ports closed, thread stopped and freed.
    ASSERT_TRUE(cm.ComPortsClose());
    ASSERT_TRUE(cm.StopPrints());
    EXPECT_EQ(ReceiptPrintThread, nullptr);
    EXPECT_FALSE(cm.com_Print_Receipt->Connected());
    EXPECT_EQ(cm.com_Print_Receipt->settings().BaudRate, 57600);
}

TEST_F(TcmPorts, OpensTheOtherComPortsAsConfigured)
{
    CapturePort vfd("COM2", receipt->programFolder());
    CapturePort barcode("COM3", receipt->programFolder());
    CapturePort card("COM4", receipt->programFolder());
    ASSERT_TRUE(vfd.isValid() && barcode.isValid() && card.isValid());
    MyConfig.VFDUse = true;
    MyConfig.VFDPort = "COM2";
    MyConfig.VFDBaudrate = "9600";
    MyConfig.PortBarcode = "COM3";
    MyConfig.BaudrateBarcode = "19200";
    MyConfig.PortCardReader = "COM4";
    MyConfig.BaudrateCardReader = "38400";

    struct Case { QChar vfdType; bool vfdOpen; };
    for (const Case c : {Case{'0', false}, Case{'1', true}, Case{'2', true}}) {
        MyConfig.VFDType = c.vfdType;
        ASSERT_TRUE(cm.ComPortsOpen());
        EXPECT_EQ(cm.com_VFD.Connected(), c.vfdOpen) << c.vfdType.toLatin1();
        EXPECT_EQ(cm.com_VFD.settings().Parity, c.vfdOpen ? QSerialPort::OddParity : QSerialPort::NoParity);
        EXPECT_TRUE(cm.com_Barcode_Reader.Connected());
        EXPECT_EQ(cm.com_Barcode_Reader.settings().BaudRate, 19200);
        EXPECT_TRUE(cm.com_Card_Reader.Connected());
        EXPECT_EQ(cm.com_Card_Reader.settings().BaudRate, 38400);
        ASSERT_TRUE(cm.ComPortsClose());
        EXPECT_FALSE(cm.com_VFD.Connected() || cm.com_Barcode_Reader.Connected()
                     || cm.com_Card_Reader.Connected() || cm.com_Print_Receipt->Connected());
    }

    // An LPT printer port is never opened as a serial port.
    MyConfig.PortReceipt = "LPT1";
    ASSERT_TRUE(cm.ComPortsOpen());
    EXPECT_FALSE(cm.com_Print_Receipt->Connected());
    EXPECT_EQ(cm.com_Print_Receipt->portName(), "LPT1");
}

TEST_F(TcmPorts, UnknownBaudRateIsRefusedWithALogLine)
{
    CapturePort barcode("COM3", receipt->programFolder());
    MyConfig.PortBarcode = "COM3";
    MyConfig.BaudrateBarcode = "fast";
    cm.ComPortsOpen();
    EXPECT_EQ(cm.com_Barcode_Reader.settings().BaudRate, 9600);
    EXPECT_TRUE(log.text().contains("unknown baud rate \"fast\" for COM3")) << log.text().toStdString();
}

TEST_F(TcmPorts, StopPrintsGivesUpOnAStuckJobAndCanBeRetried)
{
    ASSERT_TRUE(cm.PreparePrints());
    QSemaphore inJob, release;
    ReceiptPrintThread->setJobStartedHook([&] {
        inJob.release();
        release.acquire();
    });
    ReceiptPrintThread->Print(slip(1, "Z"));
    ReceiptPrintThread->PrintRequested = true;
    ASSERT_TRUE(inJob.tryAcquire(1, 5000));

    EXPECT_FALSE(cm.StopPrints());
    EXPECT_NE(ReceiptPrintThread, nullptr);
    EXPECT_TRUE(log.text().contains("TCM.StopPrints Error:")) << log.text().toStdString();

    release.release();
    EXPECT_TRUE(cm.StopPrints());
    EXPECT_EQ(ReceiptPrintThread, nullptr);
}

// Start-up to program end in one go; the exit code says whether the thread
// stopped and was freed.
int runPrinterAndStop()
{
    CapturePort receipt("COM1");
    MyConfig.PortReceipt = "COM1";
    MyConfig.BaudrateReceipt = "57600";
    auto cm = std::make_unique<TCM>();
    CM = cm.get();
    cm->ComPortsOpen();
    cm->PreparePrints();
    ReceiptPrintThread->Print(slip(10, "E"));
    ReceiptPrintThread->PrintRequested = true;
    cm->ComPortsClose();
    const bool stopped = cm->StopPrints();
    CM = nullptr;
    return stopped && ReceiptPrintThread == nullptr ? 0 : 3;
}

TEST(TcmPortsExit, ProcessEndsCleanlyAfterStoppingARunningThread)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(runPrinterAndStop()), ::testing::ExitedWithCode(0), "");
}

} // namespace
