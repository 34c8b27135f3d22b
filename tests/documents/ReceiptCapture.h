#pragma once
// The receipt printer thread of a screen test, writing to a capture port
// "COM1" while this object lives (ReceiptPrintThread points at it), and the
// bytes one copy of a slip makes on the port.
//
//   ReceiptCapture printer;
//   ASSERT_TRUE(printer.isValid());
//   ... print twice ...
//   EXPECT_EQ(printer.waitForCopies(2), ReceiptCapture::copy(lines) + ReceiptCapture::copy(lines));

#include "core/PrintThread.h"
#include "platform/os/CodePage.h"
#include "platform/serial/SerialPort.h"
#include "support/CapturePort.h"

#include <QDeadlineTimer>
#include <QStringList>
#include <QThread>

#include <memory>

class ReceiptCapture {
public:
    ReceiptCapture() : m_capture(QStringLiteral("COM1")), m_port(std::make_shared<serial::SerialPort>())
    {
        m_port->setPortName(QStringLiteral("COM1"));
        m_valid = m_capture.isValid() && m_port->setBaudRate(QStringLiteral("57600"));
        m_thread = std::make_unique<TMyPrintThread>(m_port);
        m_thread->start();
        ReceiptPrintThread = m_thread.get();
    }
    ~ReceiptCapture()
    {
        if (ReceiptPrintThread == m_thread.get())
            ReceiptPrintThread = nullptr;
        if (m_thread->isRunning())
            m_thread->Stop(5000);
    }

    bool isValid() const { return m_valid; }

    // Waits for `copies` cuts and for the thread to finish the job; returns
    // every byte the port received.
    QByteArray waitForCopies(int copies)
    {
        m_capture.waitForCount("\x1bi", copies);
        const QDeadlineTimer idle(5000);
        while ((m_thread->PrintRequested || m_thread->Printing()) && !idle.hasExpired())
            QThread::msleep(5);
        return m_capture.bytes();
    }

    // Stops the thread; true when it ended in time.
    bool stop()
    {
        ReceiptPrintThread = nullptr;
        return m_thread->Stop(5000);
    }

    // One copy of a slip on the port: its lines in code page 949, each with
    // CR LF, then the feed and the cut.
    static QByteArray copy(const QStringList &lines)
    {
        QByteArray bytes;
        for (const QString &line : lines)
            bytes += os::ToAnsi(line) + "\r\n";
        return bytes + " \r\n \r\n \r\n \r\n\r\n\x1bi\r\n\r\n";
    }

private:
    testsupport::CapturePort m_capture;
    std::shared_ptr<serial::SerialPort> m_port;
    std::unique_ptr<TMyPrintThread> m_thread;
    bool m_valid = false;
};
