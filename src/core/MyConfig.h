#pragma once
// The settings record of the terminal: one global instance, MyConfig, filled
// at start-up from the built-in defaults, the INI file beside the program, the
// configuration row of the server and the printer-kind row.
//
// Field types keep the widths the record has always had: int8/int16/int32,
// single (float), char (one UTF-16 character), text, fixed arrays for lists.
// Lists of small counts are byte arrays (their server form keeps the low 8
// bits of each item). A cleared text list element is the one-character text
// of code 0 (ClearStrings); it stays so in the record and shows as empty
// (ElementText).

#include <QChar>
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>
#include <vector>

struct TMyConfig
{
    // --- Identity, user slot and INI part ---
    QString CompanyName;
    QString CompanyCode;   // INI COMPANY/CCD
    QString StoreName;
    QString StoreCode;     // INI COMPANY/SCD
    QString RegNo;
    QString StorePhone;
    QString CSCenter;
    QString Address;
    QString Address2;
    QString UIADNB;        // user slot: number of the signed-in user
    QString ABNAME;        // user slot: name of the signed-in user
    QString SIP;           // remote service host
    QString SPO;           // remote service port
    QString CIP;           // address pinged for the internet check
    std::int16_t CIV = 0;
    QString LIP;           // local database server; empty = no local database
    QString LDB;           // local database name
    QString LID;
    QString LPW;
    std::int8_t LVR = 0;
    bool CNT = false;      // online flag
    QString UPU;           // update base address, ending in "/"
    QString UPP;           // updater program file name in the program folder
    std::int8_t TTP = 0;
    bool TLS = false;      // INI SYSTEM/TLS: reach the server over HTTPS
    QString TKY;           // INI COMPANY/TKY: the terminal's key, sent on every server call

    // --- Configuration-row part ---
    std::array<QString, 2> VANName;
    std::array<QString, 2> VANNumber;
    std::array<QString, 2> VANKey;
    std::array<QString, 2> VANSignPort;
    std::array<QString, 2> VANSignBaudrate;
    bool SubMonitor = false;
    std::int16_t SubTop = 0;
    std::int16_t SubLeft = 0;
    QChar SubLogoMode;
    QString SubLogoFile;
    QString SubLogoMedia;
    QString SubNotice;
    bool SubDisplayCustName = false;
    QChar SubDispMode;
    std::int8_t TypeALines = 0;
    std::int8_t TypeBLines = 0;
    std::array<int, 16> MenuIndex{};
    std::array<int, 5> SettIndex{};
    bool DisPrice = false;
    bool DisCountStock = false;
    bool DisCountAmt = false;
    QString PosNo;         // INI COMPANY/PID: terminal number
    QChar PosMode;
    QDateTime StartDate;
    QChar EventMode;
    bool SharePoint = false;
    bool RecordCoins = false;
    QString SettlePasswd;
    bool LoginCheckOnSettle = false;
    QChar LoginPosition;
    QChar LoginType;
    bool UpdateOn = false;
    QString POSVersion;
    bool StoreOpen = false;
    QDateTime scystm;
    std::int16_t autocutpoint = 0;
    std::int16_t pointcut = 0;
    std::int16_t startbell = 0;
    std::int16_t endbell = 0;
    QString gifticonid;
    bool IncludeVat = false;
    float VatRatio = 0;
    float TipRatio = 0;
    float MaxOKRatio = 0;
    float StaticOKRatio = 0;
    std::int16_t CouponTerm = 0;
    std::int16_t DiscountTerm = 0;
    std::int16_t PointTerm = 0;
    QString BaseCostMethod;
    QChar NextDayFlag;
    bool PrepayInputFlag = false;
    bool MisuInputFlag = false;
    QChar PtMode;
    float PtRatio = 0;
    std::int32_t PTStore = 0;
    std::int32_t PTLeastSett = 0;
    std::int32_t PtMaxStore = 0;
    float PtChangeRatio = 0;
    float PtStoreCash = 0;
    float PtStoreCard = 0;
    float PtStoreStock = 0;
    float PtStorePrepay = 0;
    float PtStorePoint = 0;
    float PtStoreCoupon = 0;
    float PtStoreVoucher = 0;
    bool PtSaveOnPrepay = false;
    bool PtSaveOnVoucher = false;
    bool PtSaveOnStock = false;
    std::int32_t PtMinUse = 0;
    std::int32_t PtMaxUse = 0;
    float PtMaxUseRatio = 0;
    std::int32_t ptUnit = 0;
    bool UseCustSection = false;
    bool AlwaysCustCount = false;
    std::int8_t LayerCounter = 0;                 // number of floors
    std::array<std::uint8_t, 20> TableCount{};    // tables per floor
    std::array<std::uint8_t, 20> PackCount{};     // take-out places per floor
    std::array<QString, 20> LayerTitle;           // floor names
    bool TableRefillOn = false;
    bool InputCustSex = false;
    bool VFDUse = false;                          // customer display in use
    QChar VFDType;
    QString VFDPort;
    QString VFDBaudrate;
    bool PrUse = false;
    bool PrPreview = false;
    bool PrBarCode = false;
    bool PrWaitSlip = false;
    QString PrMessage1;
    QString PrMessage2;
    QString PrMessage3;
    QString PrMessage4;
    bool PrBakeryKitchen = false;
    bool PrCookery = false;
    bool PrOrdRcpt = false;
    QChar PrCookeryNode;
    QChar SCKMTY;
    std::int8_t CountCashBill = 0;
    std::int8_t CountCard = 0;
    std::int8_t CountCash = 0;
    std::int8_t CountOd = 0;
    std::int8_t CountDV = 0;
    std::int8_t CountCookOD = 0;
    std::int8_t CountStockOD = 0;
    std::int8_t CountStockDV = 0;
    std::int8_t CountStockSt = 0;
    std::int8_t CountStockList = 0;
    std::int8_t CountWaitSlip = 0;
    std::int8_t CountCardDirect = 0;
    std::int8_t countbill = 0;
    bool CbTaste = false;
    bool CbRevise = false;
    bool CbExhaust = false;
    bool CbItemReturn = false;
    bool CbOrdering = false;
    bool CbInCome = false;
    bool CbDelivery = false;
    bool CbSaleReturn = false;
    bool CbConvert = false;
    bool CbRecount = false;
    bool CbCoupon = false;
    bool CbPoint = false;
    bool CbClosing = false;
    bool CbSettle = false;
    bool CbStatics = false;
    QString PortReceipt;                          // "COMn" or "LPTn"
    QString BaudrateReceipt;
    std::array<QString, 21> PortCookery;
    std::array<QString, 21> BaudrateCookery;
    QString PortBarcode;
    QString BaudrateBarcode;
    QString PortCardReader;
    QString BaudrateCardReader;
    float OrderPersent = 0;
    bool UseAutoProduce = false;
    bool UseInOutPrice = false;
    QChar PrintStockPrice;  // slip layout: '0' no prices, '1' total, '2' items and total
    QString OrderClosingTime;                     // "hhnn"
    bool UIYAUG = false;    // user slot: the signed-in user's ten rights flags
    bool UIJAUG = false;
    bool UITAUG = false;
    bool UIPAUG = false;
    bool UIHAUG = false;
    bool UIKAUG = false;
    bool UIMAUG = false;
    bool UISAUG = false;
    bool UIGAUG = false;
    bool UIUAUG = false;
    QString pcprst;         // printer kind, from the printer-kind row
    bool takeoutflag = false;
    bool serviceitemprint = false;
    bool setcoursepreview = false;
};

// The one settings record of the program.
extern TMyConfig MyConfig;

// ---------------------------------------------------------------------------
// Field descriptors: one row per field of the record, in record order. They
// drive the built-in defaults and the load and save of the configuration row.

enum class ConfigKind {
    Text,       // QString
    Char,       // QChar, a one-character text on the server
    Bool,
    Int8,       // std::int8_t
    Int16,      // std::int16_t
    Int32,      // std::int32_t
    Single,     // float
    DateTime,   // QDateTime
    TextList,   // std::array<QString, N>, joined with "|" on the server
    IntList,    // std::array<int, N>
    ByteList,   // std::array<std::uint8_t, N>
};

enum ConfigFlag : unsigned {
    cfLoad = 1u << 0,          // read from the configuration row's column
    cfSave = 1u << 1,          // sent as a parameter of the configuration-row save
    cfEmptyLoadsAsZero = 1u << 2, // an empty column loads as "0" (a char)
    cfTimeOfDay = 1u << 3,     // a date-time saved as its time of day "hhnn"
    cfSetNowOnLoad = 1u << 4,  // not loaded; set to the current time by a load
};

struct ConfigField
{
    const char *name;       // field name in the record
    ConfigKind kind;
    int count;              // number of elements (1 for a scalar)
    const char *column;     // column of the configuration row; "" when none
    const char *param;      // save parameter ("@A_..."); "" when not saved
    unsigned flags;         // ConfigFlag bits
    int saveLastRank;       // 0: saved in table order; k > 0: k-th of the trailing parameters
    bool hasDefault;        // whether SetDefaultConfig writes a value
    QVariant defaultValue;  // scalar value, or a QVariantList of the leading list
                            // elements (the rest cleared: text "\0", numbers 0);
                            // an invalid QVariant for "current time"
    void *(*address)(TMyConfig &config); // the field (first element of a list)
};

// The descriptor table, in record order.
const std::vector<ConfigField> &ConfigFields();

// The descriptor of a field by name (case-sensitive); nullptr when unknown.
const ConfigField *FindConfigField(const QString &name);

// The saved fields in parameter order: table order, then the trailing ones.
std::vector<const ConfigField *> ConfigSaveOrder();

// Writes the built-in default of every field that has one.
void ApplyConfigDefaults(TMyConfig &config);

// The head-office server's address as the INI gives it: "http://SIP:SPO", or
// "https://SIP:SPO" when TLS is set.
QString ServerAddress(const TMyConfig &config);

// Value of a field as the configuration row carries it: chars as one-character
// texts, lists joined with "|", numbers as numbers, date-times as QDateTime
// (a time-of-day field as "hhnn").
QVariant ConfigFieldValue(const TMyConfig &config, const ConfigField &field);

// Stores a column value into a field: lists split with "|" (missing elements
// keep their values, surplus items are ignored), chars take the first
// character ("" → '\0', or '0' for cfEmptyLoadsAsZero). Returns false when
// the value cannot be converted (the field keeps its value).
bool SetConfigFieldValue(TMyConfig &config, const ConfigField &field, const QVariant &value);
