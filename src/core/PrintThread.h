#pragma once
// TMyPrintThread: the receipt printer's worker. A print site on the main
// thread hands over a slip and asks for it to be printed:
//
//     ReceiptPrintThread->Copies = 1;
//     ReceiptPrintThread->Print(lines);
//     ReceiptPrintThread->PrintRequested = true;
//
// and returns at once; the thread writes the job to the serial port or to
// the parallel port's device file, as the port's name says.
//
// Everything the two threads share (the pending lines, the copies, the
// request and the port requests) sits behind one mutex. A request is taken
// together with the lines queued up to that moment and a snapshot of the
// copies, so a slip requested while another one is being written prints
// right after it. Lines handed over without a request wait for the next
// requested job.
//
// The thread owns the serial port while it runs: the main thread's open and
// close requests (program activated, deactivated) are applied by the thread
// between jobs, never in the middle of one.

#include "platform/serial/SerialPort.h"

#include <QByteArray>
#include <QMutex>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class TMyPrintThread : public QThread
{
    Q_OBJECT

public:
    // The job's trailer entries: four blank lines, then the cut (ESC "i").
    static const QString BlankLinesEntry;
    static const QString CutEntry;

    // Bytes of one copy of a job. Serial: each entry in code page 949, cut to
    // 255 bytes, followed by CR LF when the job has more than one entry.
    // Parallel: FS "C" 0x01 CR LF, then each entry whole followed by CR LF.
    static QByteArray SerialJobBytes(const QStringList &entries);
    static QByteArray ParallelJobBytes(const QStringList &entries);

    // What to do with the port once its settings are applied.
    enum class PortAction { Keep, Open, Close };
    // A change of the port's name or rate (nothing: keep it) and an action.
    struct PortRequest {
        std::optional<QString> portName;
        std::optional<qint32> baudRate;
        PortAction action = PortAction::Keep;
    };
    // Applies a request to a port on the calling thread: name and rate
    // first, then opens a closed "COM" port (never an "LPT" one) or closes an
    // open one. False with a message when the port could not follow.
    static bool ApplyPortRequest(serial::SerialPort &port, const PortRequest &request, QString *error);

    // The port is shared with its owner (the common module) but used only by
    // this thread while the thread runs.
    explicit TMyPrintThread(std::shared_ptr<serial::SerialPort> port, QObject *parent = nullptr);
    // Stops the thread if it still runs.
    ~TMyPrintThread() override;

    // The job's copies and the print request, written by print sites on the
    // main thread with plain assignment; each access takes the thread's lock.
    class CopiesField {
    public:
        CopiesField &operator=(int copies);
        operator int() const;
    private:
        friend class TMyPrintThread;
        explicit CopiesField(TMyPrintThread &owner) : owner_(owner) {}
        TMyPrintThread &owner_;
    };
    class RequestField {
    public:
        RequestField &operator=(bool requested);
        operator bool() const;
    private:
        friend class TMyPrintThread;
        explicit RequestField(TMyPrintThread &owner) : owner_(owner) {}
        TMyPrintThread &owner_;
    };
    CopiesField Copies{*this};          // 1 at creation; 0 or less prints nothing
    RequestField PrintRequested{*this}; // cleared when the thread takes the job

    const std::shared_ptr<serial::SerialPort> Port;

    // Queues the lines and the two trailer entries. False (the slip is not
    // queued) only when the lock cannot be had within 500 ms.
    bool Print(const QStringList &lines);
    // A job is being written.
    bool Printing() const;

    // Port settings and open/close asked for by another thread, applied by
    // the printer thread before its next job (at its start when it has not
    // started yet). A later request overrides an earlier one not yet applied.
    void RequestPort(const PortRequest &request);
    // Whether the port was open after the thread's last change to it.
    bool PortOpen() const { return portOpen_.load(); }

    // Asks the thread to end: a job already requested is still written, then
    // the port is closed and the thread ends. Waits up to timeoutMs; true
    // when the thread has ended.
    bool Stop(int timeoutMs);

    // Called on the printer thread each time a job has been taken, before
    // its first byte is written (tests use it to act in the middle of a job).
    void setJobStartedHook(std::function<void()> hook);

protected:
    void run() override;

private:
    struct Job {
        QStringList entries;
        int copies = 0;
    };
    void writeJob(const Job &job);
    void writeSerial(const Job &job);
    void writeParallel(const Job &job);
    void applyPort(const PortRequest &request);

    mutable QMutex mutex_;
    QWaitCondition wake_;
    // Guarded by mutex_:
    QStringList PendingLines; // handed over by Print, not yet taken
    QStringList PrintLines;   // taken by the thread, waiting for a request
    int copies_ = 1;
    bool requested_ = false;
    bool printing_ = false;
    bool stop_ = false;
    std::optional<PortRequest> portRequest_;
    std::function<void()> jobStartedHook_;

    std::atomic<bool> portOpen_{false};
};

// The receipt printer's thread; null before TCM::PreparePrints and after
// TCM::StopPrints.
extern TMyPrintThread *ReceiptPrintThread;
