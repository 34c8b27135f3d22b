#pragma once
// TCM, the common module: program folder, cipher library, INI settings and
// the built-in configuration; the serial ports and the receipt printer thread
// (TCM_Ports.cpp). One instance, CM, created by start-up and freed at the end.
// Every operation returns a boolean, logs its own failure and shows nothing.

#include <QObject>
#include <QString>

#include "platform/serial/SerialPort.h"

#include <functional>
#include <memory>

class QLibrary;

// The ten version texts of a program file, in their customary order. Our
// programs carry one version (their marker): FileVersion and ProductVersion.
struct TVersionInfo
{
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyright;
    QString LegalTradeMarks;
    QString OriginalFilename;
    QString ProductName;
    QString ProductVersion;
    QString Comments;
};

// Shows the updater window modally and returns when it has closed. The shell
// installs it (the core knows no windows); returns the previous handler.
using UpdaterWindowHandler = std::function<void()>;
UpdaterWindowHandler SetUpdaterWindowHandler(UpdaterWindowHandler handler);

// The updater program's file name in `folder` for the setting UPP: the
// program found there by FindProgram's name rules (never on PATH, since a
// program on PATH is not ours to replace); with no match, UPP without a
// trailing ".exe".
QString UpdaterFileName(const QString &folder, const QString &upp);

// name with its extension (the part from the last "." of the file name on)
// replaced by ext; ext is appended when the name has none.
QString ChangeFileExt(const QString &name, const QString &ext);

class TCM : public QObject
{
    Q_OBJECT

public:
    explicit TCM(QObject *parent = nullptr);
    ~TCM() override;

    // The program folder, with a trailing "/". Set by InitEnvironment.
    QString ExeDir;

    // Program folder, screen saver off, the folders "dll", "sign", "log",
    // "media" and "sign.back", and the log file name of this run.
    bool InitEnvironment();

    // Loads <ExeDir>dll/EnMirel.Dll and its two exports.
    bool LoadCipherLibrary();
    bool CipherLibraryLoaded() const;

    // Text through the cipher library with the given key. Key and text are
    // converted to code page 949 and cut to 255 bytes. When the library
    // refuses (too long to encipher, not authentic) the result is empty;
    // without a loaded library they throw std::runtime_error.
    QString EncryptSetting(const QString &key, const QString &text);
    QString DecryptSetting(const QString &key, const QString &text);

    // The INI file: the program's own path with the extension ".ini".
    QString IniFileName() const;

    // Reads the INI file, or writes a new one with the values of a first
    // start and reads it back.
    bool InitSettings();
    // INI keys into MyConfig (enciphered texts deciphered).
    bool LoadConnection();
    // MyConfig into the INI keys (texts enciphered), in the keys' order.
    bool SaveConnection();
    // The built-in defaults of the configuration-row part of MyConfig.
    bool SetDefaultConfig();

    // --- Serial ports and printer threads (see TCM_Ports.cpp)
    // The receipt printer's port is shared with ReceiptPrintThread, which owns
    // it while it runs: opening and closing it then go through the thread and
    // happen between jobs. The other three ports are used on the main thread
    // only; nothing is read from or written to them.
    std::shared_ptr<serial::SerialPort> com_Print_Receipt = std::make_shared<serial::SerialPort>();
    serial::SerialPort com_VFD;
    serial::SerialPort com_Barcode_Reader;
    serial::SerialPort com_Card_Reader;

    // Sets up the four ports from MyConfig and opens the "COM" ones.
    bool ComPortsOpen();
    // Closes the four ports (the program lost the focus, or ends).
    bool ComPortsClose();
    // Creates and starts ReceiptPrintThread on com_Print_Receipt.
    bool PreparePrints();
    // Stops ReceiptPrintThread (a requested job is still written) and frees
    // it; false when it did not end within 1.5 s (it is kept for a retry).
    bool StopPrints();

    // --- Update check (see TCM_Update.cpp)
    // Set by the ping's reply: whether it came back within 200 ms.
    bool PingOnline = false;
    // One ICMP echo (32 bytes of data) to MyConfig.CIP, waiting 2000 ms; true
    // when the reply came in less than 200 ms. No privilege for ICMP, no
    // reply or any error is false.
    bool CheckInternet();
    // Fills info from the version marker of file: 0, or -1 with empty texts
    // when the file has none.
    int GetVersionInfo(const QString &file, TVersionInfo &info);
    // The FileVersion text of GetVersionInfo (empty without a marker).
    QString GetFileVersion(const QString &file);
    // Whether version `server` is newer than `local`: up to four numbers
    // compared from the left, a part that is no number counting as 0, a side
    // without further parts repeating its last number.
    static bool IsNewerVersion(const QString &local, const QString &server);
    // Asks the update server for the current versions, installs a newer
    // updater program at once (updater window), sets MyConfig.POSVersion and
    // returns false when a newer program must be handed over to the updater
    // (at most once per 0.0006 day, kept by SYSTEM/PDT of the INI file); true
    // to go on with start-up.
    bool CheckUpdate();

    // The INI file's own cipher (the key of every enciphered INI text).
    QString EncryptIniText(const QString &text);
    QString DecryptIniText(const QString &text);

private:
    void iic_PingReply(qint64 elapsedMs);

    using CipherProc = void (*)(unsigned char *result, unsigned char *key, unsigned char *text);
    QString callCipher(CipherProc proc, const QString &key, const QString &text);

    std::unique_ptr<QLibrary> cipherLibrary;
    CipherProc encryptProc = nullptr;
    CipherProc decryptProc = nullptr;
};

// The common module of the program; null until start-up creates it.
extern TCM *CM;
