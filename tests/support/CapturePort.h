#pragma once
// A stand-in device for the printer and the other ports: the program
// folder's link "dev/com<n>" points at a new pseudo-terminal, or
// "dev/lpt<n>" is a plain file; the test reads back the bytes the program
// sent. Never a real device.
//
// Without a folder of its own the capture port makes a private temporary
// program folder and sets it as the serial layer's program folder while it
// lives, so tests running side by side never share a link.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace testsupport {

class CapturePort {
public:
    // portName: "COM<n>" (pseudo-terminal) or "LPT<n>" (file).
    explicit CapturePort(const QString &portName, const QString &programFolder = {});
    ~CapturePort();
    CapturePort(const CapturePort &) = delete;
    CapturePort &operator=(const CapturePort &) = delete;

    bool isValid() const { return valid_; }
    QString programFolder() const { return folder_; }
    // The link or file under <program folder>/dev.
    QString linkPath() const { return link_; }
    // The pseudo-terminal's device (COM) or the file (LPT).
    QString devicePath() const { return device_; }

    // Waits until at least n bytes have arrived in all (or timeoutMs passed)
    // and returns everything captured so far.
    QByteArray waitFor(qsizetype n, int timeoutMs = 5000);
    // Waits until marker has arrived count times (a slip's cut is
    // "\x1bi": one per copy) or timeoutMs passed; returns everything captured.
    // The last line end may still be on its way: once the printer thread is
    // idle (neither PrintRequested nor Printing()), bytes() holds the whole job.
    QByteArray waitForCount(const QByteArray &marker, int count, int timeoutMs = 5000);
    // Everything captured so far, without waiting.
    QByteArray bytes();
    // Forgets what was captured (the file is emptied).
    void clear();

private:
    void drain();
    template <typename Done>
    QByteArray waitUntil(Done done, int timeoutMs);

    std::unique_ptr<QTemporaryDir> tempDir_;
    QString folder_;
    QString link_;
    QString device_;
    bool pty_ = false;
    bool valid_ = false;
    bool ownsFolderSetting_ = false;
    QString previousFolder_;
    int master_ = -1;
    int slave_ = -1;
    QByteArray captured_;
};

} // namespace testsupport
