#include "core/TCM.h"

#include "core/MyConfig.h"
#include "core/uKV_Common_Text.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"
#include "platform/os/IniFile.h"
#include "platform/os/ProgramFile.h"
#include "platform/os/ScreenSaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <cstring>
#include <exception>
#include <stdexcept>

TCM *CM = nullptr;

namespace {

// The key of the INI texts: one letter, seven digits, four letters.
const QString settingKey = QStringLiteral("T4826193MRLD");

// Company "0002" is served by a fixed head-office address from 15 October
// 2013 on, whatever its INI file says.
const QString forcedCompany = QStringLiteral("0002");
const QString forcedFromDate = QStringLiteral("20131015");
const QString forcedServerHost = QStringLiteral("127.0.0.1");
const QString forcedServerPort = QStringLiteral("9999");

enum class Storage { Cipher, Integer, Boolean };

// One key of the INI file: where it lives, how it is stored, the field it
// fills and the value a new file gets.
struct IniKey
{
    const char *section;
    const char *key;
    Storage storage;
    QString (*get)(const TMyConfig &);
    void (*set)(TMyConfig &, const QString &);
    const char *newValue;
};

#define TEXT_KEY(sec, k, f, nv)                                                  \
    IniKey{sec, k, Storage::Cipher, [](const TMyConfig &c) { return c.f; },      \
           [](TMyConfig &c, const QString &v) { c.f = v; }, nv}
#define INT_KEY(sec, k, f, nv)                                                   \
    IniKey{sec, k, Storage::Integer,                                             \
           [](const TMyConfig &c) { return QString::number(c.f); },              \
           [](TMyConfig &c, const QString &v) { c.f = decltype(c.f)(v.toInt()); }, nv}
#define BOOL_KEY(sec, k, f, nv)                                                  \
    IniKey{sec, k, Storage::Boolean,                                             \
           [](const TMyConfig &c) { return QString(c.f ? "1" : "0"); },          \
           [](TMyConfig &c, const QString &v) { c.f = v.toInt() != 0; }, nv}

// The keys in file order. Every address of a new file is a loopback address,
// so a fresh terminal talks to nobody until its site configures it.
const IniKey iniKeys[] = {
    TEXT_KEY("SYSTEM", "SIP", SIP, "127.0.0.1"),
    TEXT_KEY("SYSTEM", "SPO", SPO, "9999"),
    TEXT_KEY("SYSTEM", "CIP", CIP, "127.0.0.1"),
    INT_KEY("SYSTEM", "CIV", CIV, "10"),
    TEXT_KEY("SYSTEM", "LIP", LIP, "127.0.0.1"),
    TEXT_KEY("SYSTEM", "LDB", LDB, "KVLB"),
    TEXT_KEY("SYSTEM", "LID", LID, "sa"),
    TEXT_KEY("SYSTEM", "LPW", LPW, "rlocalpw202"),
    INT_KEY("SYSTEM", "LVR", LVR, "0"),
    BOOL_KEY("SYSTEM", "CNT", CNT, "0"),
    TEXT_KEY("SYSTEM", "UPU", UPU, "http://127.0.0.1:9999/"),
    TEXT_KEY("SYSTEM", "UPP", UPP, "MUpdater.exe"),
    INT_KEY("SYSTEM", "TTP", TTP, "1"),
    BOOL_KEY("SYSTEM", "TLS", TLS, "0"),
    TEXT_KEY("COMPANY", "CCD", CompanyCode, "9999"),
    TEXT_KEY("COMPANY", "SCD", StoreCode, "9999"),
    TEXT_KEY("COMPANY", "PID", PosNo, "99"),
    // The demo terminal's public key, which the demo data provisions; a site
    // puts the key its server printed for this terminal here.
    TEXT_KEY("COMPANY", "TKY", TKY, "RALD-DEMO-9999-9999-99"),
};

#undef TEXT_KEY
#undef INT_KEY
#undef BOOL_KEY

// A length-prefixed 8-bit string of at most 255 bytes in a 256-byte buffer.
void fillBuffer(unsigned char (&buffer)[256], const QString &text)
{
    const QByteArray ansi = os::CutAnsi(os::ToAnsi(text), 255);
    buffer[0] = static_cast<unsigned char>(ansi.size());
    std::memcpy(buffer + 1, ansi.constData(), size_t(ansi.size()));
}

} // namespace

TCM::TCM(QObject *parent) : QObject(parent) {}

TCM::~TCM() = default;

bool TCM::InitEnvironment()
{
    return RunLogged(QStringLiteral("포스 초기화 에러: "), [&] {
        ExeDir = os::ProgramDir() + QLatin1Char('/');
        // The log name first, so that a folder that cannot be made is logged
        // whenever the log folder itself exists.
        LogFileName = ExeDir + QStringLiteral("log/") + os::Now().toString(QStringLiteral("yyyyMMdd"))
                      + QStringLiteral(".log");
        os::ScreenSaverOff();
        const QDir dir(ExeDir);
        for (const char *name : {"dll", "sign", "log", "media", "sign.back"}) {
            const QString folder = QString::fromLatin1(name);
            if (!QFileInfo(dir.filePath(folder)).isDir() && !dir.mkdir(folder))
                throw std::runtime_error(("cannot create the folder " + ExeDir + folder).toStdString());
        }
        return true;
    });
}

bool TCM::LoadCipherLibrary()
{
    return RunLogged(QStringLiteral("EnMirel.Dll모듈 로드 실패 : "), [&] {
        encryptProc = nullptr;
        decryptProc = nullptr;
        const QString dir = ExeDir.isEmpty() ? os::ProgramDir() + QLatin1Char('/') : ExeDir;
        auto library = std::make_unique<QLibrary>(dir + QStringLiteral("dll/EnMirel.Dll"));
        if (!library->load()) {
            WriteLog(QStringLiteral("EnMirel.Dll모듈 로드 실패"));
            return false;
        }
        auto encrypt = reinterpret_cast<CipherProc>(library->resolve("EncryptString"));
        auto decrypt = reinterpret_cast<CipherProc>(library->resolve("DecryptString"));
        // A library without its two exports is as good as none: calling a
        // missing export would crash the first settings read.
        if (!encrypt || !decrypt) {
            WriteLog(QStringLiteral("EnMirel.Dll모듈 로드 실패"));
            return false;
        }
        cipherLibrary = std::move(library);
        encryptProc = encrypt;
        decryptProc = decrypt;
        return true;
    });
}

bool TCM::CipherLibraryLoaded() const
{
    return encryptProc && decryptProc;
}

QString TCM::callCipher(CipherProc proc, const QString &key, const QString &text)
{
    if (!proc)
        throw std::runtime_error("EnMirel.Dll is not loaded");
    unsigned char result[256] = {};
    unsigned char keyBuffer[256];
    unsigned char textBuffer[256];
    fillBuffer(keyBuffer, key);
    fillBuffer(textBuffer, text);
    proc(result, keyBuffer, textBuffer);
    return os::FromAnsi(QByteArray(reinterpret_cast<const char *>(result + 1), result[0]));
}

QString TCM::EncryptSetting(const QString &key, const QString &text)
{
    return callCipher(encryptProc, key, text);
}

QString TCM::DecryptSetting(const QString &key, const QString &text)
{
    return callCipher(decryptProc, key, text);
}

QString TCM::EncryptIniText(const QString &text)
{
    return EncryptSetting(settingKey, text);
}

QString TCM::DecryptIniText(const QString &text)
{
    return DecryptSetting(settingKey, text);
}

QString TCM::IniFileName() const
{
    const QFileInfo program(os::ProgramFilePath());
    return program.absolutePath() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".ini");
}

bool TCM::InitSettings()
{
    return RunLogged(QStringLiteral("환경 설정 초기화 에러: "), [&] {
        if (QFile::exists(IniFileName()))
            return LoadConnection();
        MyConfig.UIADNB.clear();
        MyConfig.ABNAME.clear();
        for (const IniKey &k : iniKeys)
            k.set(MyConfig, QString::fromUtf8(k.newValue));
        if (!SaveConnection())
            return false;
        return LoadConnection();
    });
}

bool TCM::LoadConnection()
{
    return RunLogged(QStringLiteral("TCM.LoadConnection Error:"), [&] {
        const IniFile ini(IniFileName());
        for (const IniKey &k : iniKeys) {
            const QString section = QString::fromLatin1(k.section);
            const QString key = QString::fromLatin1(k.key);
            switch (k.storage) {
            case Storage::Cipher:
                k.set(MyConfig, DecryptSetting(settingKey, ini.ReadString(section, key, QString())));
                break;
            case Storage::Integer:
                k.set(MyConfig, QString::number(ini.ReadInteger(section, key, 0)));
                break;
            case Storage::Boolean:
                k.set(MyConfig, ini.ReadBool(section, key, false) ? QStringLiteral("1") : QStringLiteral("0"));
                break;
            }
        }
        if (MyConfig.CompanyCode == forcedCompany
            && os::Now().toString(QStringLiteral("yyyyMMdd")) >= forcedFromDate) {
            MyConfig.SIP = forcedServerHost;
            MyConfig.SPO = forcedServerPort;
        }
        return true;
    });
}

bool TCM::SaveConnection()
{
    return RunLogged(QStringLiteral("TCM.SaveConnection Error:"), [&] {
        IniFile ini(IniFileName());
        for (const IniKey &k : iniKeys) {
            const QString section = QString::fromLatin1(k.section);
            const QString key = QString::fromLatin1(k.key);
            const QString value = k.get(MyConfig);
            switch (k.storage) {
            case Storage::Cipher: {
                const QString cipher = EncryptSetting(settingKey, value);
                // The library refuses what it cannot encipher whole; writing
                // the empty text would lose the setting without a word.
                if (cipher.isEmpty())
                    throw std::runtime_error(("the value of " + section + "/" + key
                                              + " cannot be enciphered (too long)").toStdString());
                ini.WriteString(section, key, cipher);
                break;
            }
            case Storage::Integer:
                ini.WriteInteger(section, key, value.toInt());
                break;
            case Storage::Boolean:
                ini.WriteBool(section, key, value.toInt() != 0);
                break;
            }
        }
        return true;
    });
}

bool TCM::SetDefaultConfig()
{
    try {
        ApplyConfigDefaults(MyConfig);
        return true;
    } catch (...) {
        return false;
    }
}
