#include "core/PrintThread.h"

#include "core/uKV_Common_Text.h"
#include "platform/os/CodePage.h"
#include "platform/serial/ParallelPort.h"
#include "platform/serial/PortNames.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

#include <utility>

TMyPrintThread *ReceiptPrintThread = nullptr;

namespace {

const QByteArray crLf("\r\n");

// How long one copy may take to leave the serial port: twice its time on the
// line (ten bits a byte) plus two seconds for the device to get going.
int serialWriteTimeoutMs(qsizetype bytes, qint32 baudRate)
{
    const qint64 lineMs = qint64(bytes) * 10 * 1000 / qMax<qint32>(baudRate, 1);
    return int(qMin<qint64>(2000 + 2 * lineMs, 600000));
}

void logFailure(const QString &message)
{
    WriteLog(QStringLiteral("TMyPrintThread.Execute Error:") + message);
}

} // namespace

const QString TMyPrintThread::BlankLinesEntry = QStringLiteral(" \r\n \r\n \r\n \r\n");
const QString TMyPrintThread::CutEntry = QStringLiteral("\x1bi\r\n");

QByteArray TMyPrintThread::SerialJobBytes(const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries) {
        bytes += os::CutAnsi(os::ToAnsi(entry), 255);
        if (entries.size() > 1)
            bytes += crLf;
    }
    return bytes;
}

QByteArray TMyPrintThread::ParallelJobBytes(const QStringList &entries)
{
    QByteArray bytes("\x1c" "C\x01\r\n");
    for (const QString &entry : entries)
        bytes += os::ToAnsi(entry) + crLf;
    return bytes;
}

bool TMyPrintThread::ApplyPortRequest(serial::SerialPort &port, const PortRequest &request, QString *error)
{
    bool ok = true;
    if (request.portName || request.baudRate) {
        serial::PortSettings settings = port.settings();
        settings.PortName = request.portName.value_or(settings.PortName);
        settings.BaudRate = request.baudRate.value_or(settings.BaudRate);
        ok = port.setSettings(settings, error);
    }
    switch (request.action) {
    case PortAction::Open:
        if (serial::KindOf(port.portName()) == serial::PortKind::Com && !port.Connected())
            ok = port.Open(error) && ok;
        break;
    case PortAction::Close:
        port.Close();
        break;
    case PortAction::Keep:
        break;
    }
    return ok;
}

TMyPrintThread::TMyPrintThread(std::shared_ptr<serial::SerialPort> port, QObject *parent)
    : QThread(parent), Port(std::move(port))
{
    portOpen_ = Port->Connected();
}

TMyPrintThread::~TMyPrintThread()
{
    if (isRunning() && !Stop(2000))
        wait(); // a QThread must not be destroyed while it runs
}

TMyPrintThread::CopiesField &TMyPrintThread::CopiesField::operator=(int copies)
{
    QMutexLocker lock(&owner_.mutex_);
    owner_.copies_ = copies;
    return *this;
}

TMyPrintThread::CopiesField::operator int() const
{
    QMutexLocker lock(&owner_.mutex_);
    return owner_.copies_;
}

TMyPrintThread::RequestField &TMyPrintThread::RequestField::operator=(bool requested)
{
    QMutexLocker lock(&owner_.mutex_);
    owner_.requested_ = requested;
    if (requested)
        owner_.wake_.wakeAll();
    return *this;
}

TMyPrintThread::RequestField::operator bool() const
{
    QMutexLocker lock(&owner_.mutex_);
    return owner_.requested_;
}

bool TMyPrintThread::Print(const QStringList &lines)
{
    if (!mutex_.tryLock(500))
        return false;
    PendingLines += lines;
    PendingLines << BlankLinesEntry << CutEntry;
    mutex_.unlock();
    return true;
}

bool TMyPrintThread::Printing() const
{
    QMutexLocker lock(&mutex_);
    return printing_;
}

void TMyPrintThread::RequestPort(const PortRequest &request)
{
    QMutexLocker lock(&mutex_);
    PortRequest merged = portRequest_.value_or(PortRequest{});
    if (request.portName)
        merged.portName = request.portName;
    if (request.baudRate)
        merged.baudRate = request.baudRate;
    if (request.action != PortAction::Keep)
        merged.action = request.action;
    portRequest_ = merged;
    wake_.wakeAll();
}

bool TMyPrintThread::Stop(int timeoutMs)
{
    {
        QMutexLocker lock(&mutex_);
        stop_ = true;
        wake_.wakeAll();
    }
    if (!isRunning())
        return true;
    return wait(QDeadlineTimer(timeoutMs));
}

void TMyPrintThread::setJobStartedHook(std::function<void()> hook)
{
    QMutexLocker lock(&mutex_);
    jobStartedHook_ = std::move(hook);
}

void TMyPrintThread::run()
{
    // A port opened by another thread before this one started is opened
    // again here, so that it belongs to this thread from now on.
    if (Port->Connected()) {
        Port->Close();
        QString error;
        if (!Port->Open(&error))
            WriteLog(error);
    }
    portOpen_ = Port->Connected();

    QMutexLocker lock(&mutex_);
    for (;;) {
        if (!stop_ && !requested_ && !portRequest_)
            wake_.wait(&mutex_, 100);

        PrintLines += std::exchange(PendingLines, {});
        const std::optional<PortRequest> portRequest = std::exchange(portRequest_, std::nullopt);
        std::optional<Job> job;
        if (requested_) {
            requested_ = false;
            printing_ = true;
            job = Job{std::exchange(PrintLines, {}), copies_};
        }
        const std::function<void()> hook = job ? jobStartedHook_ : nullptr;
        lock.unlock();

        if (portRequest)
            applyPort(*portRequest);
        if (job) {
            if (hook)
                hook();
            writeJob(*job);
        }

        lock.relock();
        printing_ = false;
        if (stop_ && !requested_ && !portRequest_)
            break;
    }
    lock.unlock();

    Port->Close();
    portOpen_ = false;
}

void TMyPrintThread::applyPort(const PortRequest &request)
{
    QString error;
    if (!ApplyPortRequest(*Port, request, &error))
        WriteLog(error);
    portOpen_ = Port->Connected();
}

void TMyPrintThread::writeJob(const Job &job)
{
    if (job.copies <= 0 || job.entries.isEmpty())
        return;
    switch (serial::KindOf(Port->portName())) {
    case serial::PortKind::Lpt:
        writeParallel(job);
        break;
    case serial::PortKind::Com:
        writeSerial(job);
        break;
    case serial::PortKind::Other:
        break;
    }
}

void TMyPrintThread::writeParallel(const Job &job)
{
    const QByteArray bytes = ParallelJobBytes(job.entries);
    const QString name = Port->portName();
    for (int copy = 0; copy < job.copies; ++copy) {
        QString error;
        if (!serial::WriteParallel(name, bytes, &error)) {
            logFailure(error);
            return;
        }
    }
}

void TMyPrintThread::writeSerial(const Job &job)
{
    QString error;
    const bool openedForJob = !Port->Connected();
    if (openedForJob && !Port->Open(&error)) {
        logFailure(error);
        return;
    }
    portOpen_ = true;

    const QByteArray bytes = SerialJobBytes(job.entries);
    const int timeoutMs = serialWriteTimeoutMs(bytes.size(), Port->settings().BaudRate);
    for (int copy = 0; copy < job.copies; ++copy) {
        if (!Port->Write(bytes, timeoutMs, &error)) {
            logFailure(error);
            break;
        }
    }

    if (openedForJob)
        Port->Close();
    portOpen_ = Port->Connected();
}
