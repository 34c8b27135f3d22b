#pragma once
// TCM, the common module: program folder, cipher library, INI settings and
// the built-in configuration; the serial ports and the receipt printer thread
// (TCM_Ports.cpp). One instance, CM, created by start-up and freed at the end.
// Every operation returns a boolean, logs its own failure and shows nothing.

#include <QObject>
#include <QString>

#include "platform/serial/SerialPort.h"

#include <memory>

class QLibrary;

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

private:
    using CipherProc = void (*)(unsigned char *result, unsigned char *key, unsigned char *text);
    QString callCipher(CipherProc proc, const QString &key, const QString &text);

    std::unique_ptr<QLibrary> cipherLibrary;
    CipherProc encryptProc = nullptr;
    CipherProc decryptProc = nullptr;
};

// The common module of the program; null until start-up creates it.
extern TCM *CM;
