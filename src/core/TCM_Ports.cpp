// TCM: the terminal's serial ports and the receipt printer thread.

#include "core/MyConfig.h"
#include "core/PrintThread.h"
#include "core/TCM.h"
#include "core/uKV_Common_Text.h"
#include "platform/serial/PortNames.h"

#include <exception>

namespace {

using PortAction = TMyPrintThread::PortAction;
using PortRequest = TMyPrintThread::PortRequest;

// How long StopPrints waits for the printer thread to end.
constexpr int StopWaitMs = 1500;

// Name and rate of a port from the settings. An unknown rate text is
// refused: the port keeps its rate and a line is logged.
PortRequest portSetup(const QString &portName, const QString &baudText, PortAction action)
{
    PortRequest request;
    request.portName = portName;
    request.baudRate = serial::StrToBaudRate(baudText);
    if (!request.baudRate)
        WriteLog(QStringLiteral("TCM.ComPortsOpen: unknown baud rate \"%1\" for %2").arg(baudText, portName));
    request.action = action;
    return request;
}

// Applies a request to a port of the main thread; false with the message
// logged when the port could not follow.
bool applyHere(serial::SerialPort &port, const PortRequest &request)
{
    QString error;
    if (TMyPrintThread::ApplyPortRequest(port, request, &error))
        return true;
    WriteLog(error);
    return false;
}

} // namespace

bool TCM::ComPortsOpen()
{
    return RunLogged(QString(), [&] { // the message alone
        bool ok = true;

        if (!MyConfig.PortReceipt.isEmpty()) {
            const PortRequest request = portSetup(MyConfig.PortReceipt, MyConfig.BaudrateReceipt, PortAction::Open);
            // While the printer thread runs, the port is its own: it opens
            // the port before its next job.
            if (ReceiptPrintThread)
                ReceiptPrintThread->RequestPort(request);
            else
                ok = applyHere(*com_Print_Receipt, request) && ok;
        }

        if (MyConfig.VFDUse && !MyConfig.VFDPort.isEmpty()) {
            const bool framed = MyConfig.VFDType == QLatin1Char('1') || MyConfig.VFDType == QLatin1Char('2');
            PortRequest request = portSetup(MyConfig.VFDPort, MyConfig.VFDBaudrate, PortAction::Keep);
            ok = applyHere(com_VFD, request) && ok;
            if (framed) {
                serial::PortSettings s = com_VFD.settings();
                s.DataBits = QSerialPort::Data8;
                s.StopBits = QSerialPort::OneStop;
                s.Parity = QSerialPort::OddParity;
                QString error;
                if (!com_VFD.setSettings(s, &error)) {
                    WriteLog(error);
                    ok = false;
                }
                ok = applyHere(com_VFD, PortRequest{{}, {}, PortAction::Open}) && ok;
            }
        }

        if (!MyConfig.PortBarcode.isEmpty())
            ok = applyHere(com_Barcode_Reader,
                           portSetup(MyConfig.PortBarcode, MyConfig.BaudrateBarcode, PortAction::Open)) && ok;

        if (!MyConfig.PortCardReader.isEmpty())
            ok = applyHere(com_Card_Reader,
                           portSetup(MyConfig.PortCardReader, MyConfig.BaudrateCardReader, PortAction::Open)) && ok;

        return ok;
    });
}

bool TCM::ComPortsClose()
{
    return RunLogged(QStringLiteral("TCM.ComPortsClose Error:"), [&] {
        if (ReceiptPrintThread)
            ReceiptPrintThread->RequestPort(PortRequest{{}, {}, PortAction::Close});
        else
            com_Print_Receipt->Close();
        com_VFD.Close();
        com_Barcode_Reader.Close();
        com_Card_Reader.Close();
        return true;
    });
}

bool TCM::PreparePrints()
{
    return RunLogged(QStringLiteral("TCM.PreparePrints Error:"), [&] {
        if (ReceiptPrintThread)
            return true;
        // A serial port belongs to the thread that opened it: one opened here
        // is closed and handed over, and the printer thread opens it again
        // itself before its next job.
        const bool wasOpen = com_Print_Receipt->Connected();
        if (wasOpen)
            com_Print_Receipt->Close();
        ReceiptPrintThread = new TMyPrintThread(com_Print_Receipt);
        if (wasOpen)
            ReceiptPrintThread->RequestPort(portSetup(MyConfig.PortReceipt, MyConfig.BaudrateReceipt, PortAction::Open));
        ReceiptPrintThread->start(QThread::LowPriority);
        return true;
    });
}

bool TCM::StopPrints()
{
    return RunLogged(QStringLiteral("TCM.StopPrints Error:"), [&] {
        if (!ReceiptPrintThread)
            return true;
        if (!ReceiptPrintThread->Stop(StopWaitMs)) {
            // Still inside a write: keep the thread object (a QThread must
            // not be freed while it runs); a later call tries again.
            WriteLog(QStringLiteral("TCM.StopPrints Error:the printer thread is still writing a job"));
            return false;
        }
        delete ReceiptPrintThread;
        ReceiptPrintThread = nullptr;
        return true;
    });
}
