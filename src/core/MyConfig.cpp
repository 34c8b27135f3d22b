#include "core/MyConfig.h"

#include "core/uKV_Common_Text.h"
#include "platform/os/Clock.h"

#include <algorithm>
#include <type_traits>

TMyConfig MyConfig;

namespace {

template <typename T> struct KindOf;
template <> struct KindOf<QString> { static constexpr ConfigKind value = ConfigKind::Text; };
template <> struct KindOf<QChar> { static constexpr ConfigKind value = ConfigKind::Char; };
template <> struct KindOf<bool> { static constexpr ConfigKind value = ConfigKind::Bool; };
template <> struct KindOf<std::int8_t> { static constexpr ConfigKind value = ConfigKind::Int8; };
template <> struct KindOf<std::int16_t> { static constexpr ConfigKind value = ConfigKind::Int16; };
template <> struct KindOf<std::int32_t> { static constexpr ConfigKind value = ConfigKind::Int32; };
template <> struct KindOf<float> { static constexpr ConfigKind value = ConfigKind::Single; };
template <> struct KindOf<QDateTime> { static constexpr ConfigKind value = ConfigKind::DateTime; };
template <std::size_t N> struct KindOf<std::array<QString, N>> { static constexpr ConfigKind value = ConfigKind::TextList; };
template <std::size_t N> struct KindOf<std::array<int, N>> { static constexpr ConfigKind value = ConfigKind::IntList; };
template <std::size_t N> struct KindOf<std::array<std::uint8_t, N>> { static constexpr ConfigKind value = ConfigKind::ByteList; };

template <typename T> constexpr int elementCount()
{
    if constexpr (requires { std::tuple_size<T>::value; })
        return int(std::tuple_size<T>::value);
    else
        return 1;
}

template <typename T> void *addressOf(T &field)
{
    if constexpr (requires { field.data(); } && !std::is_same_v<T, QString>)
        return static_cast<void *>(field.data());
    else
        return static_cast<void *>(&field);
}

using F = TMyConfig;

// FIELD(name, kind, column, param, flags, rank, hasDefault, default): one
// descriptor; the field's C++ type must match kind (checked at compile time).
#define FIELD(f, k, col, param, flags, rank, hasDef, def)                                     \
    ConfigField{#f, ConfigKind::k, elementCount<decltype(F::f)>(), col, param, flags, rank,   \
                hasDef, def,                                                                  \
                [](TMyConfig &c) -> void * {                                                  \
                    static_assert(KindOf<decltype(F::f)>::value == ConfigKind::k,             \
                                  "field type does not match its kind");                     \
                    return addressOf(c.f);                                                    \
                }}

// A configuration-row field, loaded and saved under its own name.
#define ROW(f, k, def) FIELD(f, k, #f, "@A_" #f, cfLoad | cfSave, 0, true, QVariant(def))
#define ROW_LIST(f, k, ...) FIELD(f, k, #f, "@A_" #f, cfLoad | cfSave, 0, true, QVariant(QVariantList{__VA_ARGS__}))
#define ROW_PARAM(f, k, param, def) FIELD(f, k, #f, param, cfLoad | cfSave, 0, true, QVariant(def))
// A trailing parameter of the save (rank k among the last ones).
#define ROW_LAST(f, k, rank) FIELD(f, k, #f, "@A_" #f, cfLoad | cfSave, rank, false, QVariant())
// Loaded from the row, never saved.
#define ROW_LOADONLY(f, k, def) FIELD(f, k, #f, "", cfLoad, 0, true, QVariant(def))
// Not part of the configuration row (INI, user slot, printer-kind row).
#define OTHER(f, k) FIELD(f, k, "", "", 0u, 0, false, QVariant())

const QString sampleTelephone = QStringLiteral("02-1234-5678");

std::vector<ConfigField> buildFields()
{
    return {
        // Identity, user slot and INI part.
        ROW_LOADONLY(CompanyName, Text, QString::fromUtf8("오르베사")),
        OTHER(CompanyCode, Text),
        ROW_LOADONLY(StoreName, Text, QString::fromUtf8("오르")),
        OTHER(StoreCode, Text),
        ROW_LOADONLY(RegNo, Text, QStringLiteral("123-45-67890")),
        ROW_LOADONLY(StorePhone, Text, sampleTelephone),
        ROW_LOADONLY(CSCenter, Text, sampleTelephone),
        ROW_LOADONLY(Address, Text, QString::fromUtf8("서울 오르구 오르동")),
        FIELD(Address2, Text, "", "", 0u, 0, true, QVariant(QString::fromUtf8("123번지 오르빌딩 3층"))),
        FIELD(UIADNB, Text, "", "@A_SCWORK", cfSave, 1, false, QVariant()),
        OTHER(ABNAME, Text),
        OTHER(SIP, Text),
        OTHER(SPO, Text),
        OTHER(CIP, Text),
        OTHER(CIV, Int16),
        OTHER(LIP, Text),
        OTHER(LDB, Text),
        OTHER(LID, Text),
        OTHER(LPW, Text),
        OTHER(LVR, Int8),
        OTHER(CNT, Bool),
        OTHER(UPU, Text),
        OTHER(UPP, Text),
        OTHER(TTP, Int8),

        // Configuration-row part.
        ROW_LIST(VANName, TextList, QStringLiteral("KISVAN")),
        ROW_LIST(VANNumber, TextList, QStringLiteral("00000000")),
        ROW_LIST(VANKey, TextList, QString()),
        ROW_LIST(VANSignPort, TextList, QStringLiteral("COM5")),
        ROW_LIST(VANSignBaudrate, TextList, QStringLiteral("57600")),
        ROW(SubMonitor, Bool, true),
        ROW(SubTop, Int16, 0),
        ROW(SubLeft, Int16, 1024),
        ROW(SubLogoMode, Char, QChar('0')),
        ROW(SubLogoFile, Text, QString()),
        ROW(SubLogoMedia, Text, QString()),
        ROW(SubNotice, Text, QString()),
        ROW(SubDisplayCustName, Bool, true),
        ROW(SubDispMode, Char, QChar('0')),
        ROW(TypeALines, Int8, 2),
        ROW(TypeBLines, Int8, 2),
        ROW_LIST(MenuIndex, IntList),
        ROW_LIST(SettIndex, IntList),
        ROW(DisPrice, Bool, true),
        ROW(DisCountStock, Bool, false),
        ROW(DisCountAmt, Bool, false),
        OTHER(PosNo, Text),
        ROW(PosMode, Char, QChar('0')),
        FIELD(StartDate, DateTime, "", "@A_StartDate", cfSave | cfSetNowOnLoad, 0, true, QVariant()),
        ROW(EventMode, Char, QChar('0')),
        ROW(SharePoint, Bool, false),
        ROW(RecordCoins, Bool, true),
        ROW(SettlePasswd, Text, QString()),
        ROW(LoginCheckOnSettle, Bool, false),
        ROW(LoginPosition, Char, QChar('1')),
        FIELD(LoginType, Char, "LoginType", "@A_LoginType", cfLoad | cfSave | cfEmptyLoadsAsZero, 0, true,
              QVariant(QChar('1'))),
        ROW(UpdateOn, Bool, true),
        FIELD(POSVersion, Text, "", "@A_POSVersion", cfSave, 0, false, QVariant()),
        ROW(StoreOpen, Bool, false),
        FIELD(scystm, DateTime, "scystm", "@A_scystm", cfLoad | cfSave | cfTimeOfDay, 3, false, QVariant()),
        ROW_LAST(autocutpoint, Int16, 4),
        FIELD(pointcut, Int16, "pointcut", "", cfLoad, 0, false, QVariant()),
        ROW_LAST(startbell, Int16, 7),
        ROW_LAST(endbell, Int16, 8),
        ROW_LAST(gifticonid, Text, 9),
        ROW(IncludeVat, Bool, true),
        ROW(VatRatio, Single, 10.0f),
        ROW(TipRatio, Single, 0.0f),
        ROW(MaxOKRatio, Single, 0.0f),
        ROW(StaticOKRatio, Single, 0.0f),
        ROW(CouponTerm, Int16, 365),
        ROW(DiscountTerm, Int16, 365),
        ROW(PointTerm, Int16, 1825),
        ROW(BaseCostMethod, Text, QString()),
        ROW(NextDayFlag, Char, QChar(' ')),
        ROW(PrepayInputFlag, Bool, false),
        ROW(MisuInputFlag, Bool, false),
        ROW(PtMode, Char, QChar('0')),
        ROW(PtRatio, Single, 5.0f),
        ROW_PARAM(PTStore, Int32, "@A_PtStore", 0),
        ROW_PARAM(PTLeastSett, Int32, "@A_PtLeastSett", 1000),
        ROW(PtMaxStore, Int32, 50000),
        ROW(PtChangeRatio, Single, 1.0f),
        ROW(PtStoreCash, Single, 5.0f),
        ROW(PtStoreCard, Single, 3.0f),
        ROW(PtStoreStock, Single, 3.0f),
        ROW(PtStorePrepay, Single, 5.0f),
        ROW(PtStorePoint, Single, 1.0f),
        ROW(PtStoreCoupon, Single, 1.0f),
        ROW(PtStoreVoucher, Single, 5.0f),
        ROW(PtSaveOnPrepay, Bool, false),
        ROW(PtSaveOnVoucher, Bool, true),
        ROW(PtSaveOnStock, Bool, true),
        ROW(PtMinUse, Int32, 0),
        ROW(PtMaxUse, Int32, 0),
        ROW(PtMaxUseRatio, Single, 0.0f),
        ROW(ptUnit, Int32, 0),
        ROW(UseCustSection, Bool, true),
        ROW(AlwaysCustCount, Bool, true),
        ROW(LayerCounter, Int8, 3),
        ROW_LIST(TableCount, ByteList, 10, 14, 20),
        ROW_LIST(PackCount, ByteList, 3, 1),
        ROW_LIST(LayerTitle, TextList, QString::fromUtf8("1층"), QString::fromUtf8("2층"), QString::fromUtf8("3층")),
        ROW(TableRefillOn, Bool, true),
        ROW(InputCustSex, Bool, false),
        ROW(VFDUse, Bool, false),
        ROW(VFDType, Char, QChar('0')),
        ROW(VFDPort, Text, QString()),
        ROW(VFDBaudrate, Text, QString()),
        ROW(PrUse, Bool, true),
        ROW(PrPreview, Bool, false),
        ROW_PARAM(PrBarCode, Bool, "@A_PrBarcode", true),
        ROW(PrWaitSlip, Bool, true),
        ROW(PrMessage1, Text, QString::fromUtf8("오르베사를 찾아 주셔서 감사합니다.")),
        ROW(PrMessage2, Text, QString::fromUtf8("대한민국 최고의 포스 오르베사")),
        ROW(PrMessage3, Text, QString::fromUtf8("반품하실 때는 영수증을 꼭 지참해주세요.")),
        ROW(PrMessage4, Text, QString::fromUtf8("적립된 포인트의 유효기간은 5년입니다.")),
        ROW(PrBakeryKitchen, Bool, false),
        ROW(PrCookery, Bool, false),
        ROW(PrOrdRcpt, Bool, false),
        ROW(PrCookeryNode, Char, QChar('0')),
        FIELD(SCKMTY, Char, "SCKMTY", "@A_SCKMTY", cfLoad | cfSave, 2, true, QVariant(QChar('1'))),
        ROW(CountCashBill, Int8, 1),
        ROW(CountCard, Int8, 1),
        ROW(CountCash, Int8, 1),
        ROW_PARAM(CountOd, Int8, "@A_CountOD", 2),
        ROW(CountDV, Int8, 2),
        ROW(CountCookOD, Int8, 1),
        ROW(CountStockOD, Int8, 1),
        ROW(CountStockDV, Int8, 1),
        ROW(CountStockSt, Int8, 1),
        ROW(CountStockList, Int8, 1),
        ROW(CountWaitSlip, Int8, 1),
        ROW(CountCardDirect, Int8, 2),
        ROW_LAST(countbill, Int8, 5),
        ROW(CbTaste, Bool, false),
        ROW(CbRevise, Bool, false),
        ROW(CbExhaust, Bool, false),
        ROW(CbItemReturn, Bool, false),
        ROW(CbOrdering, Bool, false),
        ROW(CbInCome, Bool, false),
        ROW(CbDelivery, Bool, false),
        ROW(CbSaleReturn, Bool, false),
        ROW(CbConvert, Bool, false),
        ROW(CbRecount, Bool, false),
        ROW(CbCoupon, Bool, false),
        ROW(CbPoint, Bool, false),
        ROW(CbClosing, Bool, false),
        ROW(CbSettle, Bool, false),
        ROW(CbStatics, Bool, false),
        ROW(PortReceipt, Text, QStringLiteral("COM1")),
        ROW(BaudrateReceipt, Text, QStringLiteral("57600")),
        ROW_LIST(PortCookery, TextList, QString()),
        ROW_LIST(BaudrateCookery, TextList, QString()),
        ROW(PortBarcode, Text, QString()),
        ROW(BaudrateBarcode, Text, QString()),
        ROW(PortCardReader, Text, QString()),
        ROW(BaudrateCardReader, Text, QString()),
        ROW(OrderPersent, Single, 0.0f),
        ROW(UseAutoProduce, Bool, false),
        ROW(UseInOutPrice, Bool, false),
        ROW(PrintStockPrice, Char, QChar('0')),
        ROW(OrderClosingTime, Text, QStringLiteral("2359")),
        OTHER(UIYAUG, Bool),
        OTHER(UIJAUG, Bool),
        OTHER(UITAUG, Bool),
        OTHER(UIPAUG, Bool),
        OTHER(UIHAUG, Bool),
        OTHER(UIKAUG, Bool),
        OTHER(UIMAUG, Bool),
        OTHER(UISAUG, Bool),
        OTHER(UIGAUG, Bool),
        OTHER(UIUAUG, Bool),
        OTHER(pcprst, Text),
        ROW_LAST(takeoutflag, Bool, 6),
        ROW_LAST(serviceitemprint, Bool, 10),
        ROW_LAST(setcoursepreview, Bool, 11),
    };
}

#undef FIELD
#undef ROW
#undef ROW_LIST
#undef ROW_PARAM
#undef ROW_LAST
#undef ROW_LOADONLY
#undef OTHER

// Numbers as the configuration row may carry them: numbers, or texts of
// numbers. Null reads as 0.
bool toNumber(const QVariant &value, double *out)
{
    if (value.isNull() || !value.isValid()) {
        *out = 0;
        return true;
    }
    if (value.typeId() == QMetaType::Bool) {
        *out = value.toBool() ? 1 : 0;
        return true;
    }
    bool ok = false;
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed();
        if (t.isEmpty()) {
            *out = 0;
            return true;
        }
        *out = t.toDouble(&ok);
        return ok;
    }
    *out = value.toDouble(&ok);
    return ok;
}

bool toBoolValue(const QVariant &value, bool *out)
{
    if (value.typeId() == QMetaType::QString) {
        const QString t = value.toString().trimmed();
        if (t.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) {
            *out = true;
            return true;
        }
        if (t.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) {
            *out = false;
            return true;
        }
    }
    double d = 0;
    if (!toNumber(value, &d))
        return false;
    *out = d != 0;
    return true;
}

template <typename T> bool storeInteger(void *address, const QVariant &value)
{
    double d = 0;
    if (!toNumber(value, &d))
        return false;
    *static_cast<T *>(address) = static_cast<T>(static_cast<long long>(d));
    return true;
}

QDateTime toDateTime(const QVariant &value, bool timeOfDay, bool *ok)
{
    *ok = true;
    if (value.isNull() || !value.isValid())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QTime)
        return QDateTime(QDate(1899, 12, 30), value.toTime());
    const QString t = value.toString().trimmed();
    if (t.isEmpty())
        return {};
    if (timeOfDay) {
        const QTime time = QTime::fromString(t, QStringLiteral("HHmm"));
        if (time.isValid())
            return QDateTime(QDate(1899, 12, 30), time);
    }
    QDateTime dt = value.toDateTime();
    if (!dt.isValid())
        dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    *ok = dt.isValid();
    return dt;
}

} // namespace

const std::vector<ConfigField> &ConfigFields()
{
    static const std::vector<ConfigField> fields = buildFields();
    return fields;
}

const ConfigField *FindConfigField(const QString &name)
{
    for (const ConfigField &f : ConfigFields()) {
        if (name == QLatin1String(f.name))
            return &f;
    }
    return nullptr;
}

std::vector<const ConfigField *> ConfigSaveOrder()
{
    std::vector<const ConfigField *> order;
    std::vector<const ConfigField *> last;
    for (const ConfigField &f : ConfigFields()) {
        if (!(f.flags & cfSave))
            continue;
        (f.saveLastRank > 0 ? last : order).push_back(&f);
    }
    std::sort(last.begin(), last.end(),
              [](const ConfigField *a, const ConfigField *b) { return a->saveLastRank < b->saveLastRank; });
    order.insert(order.end(), last.begin(), last.end());
    return order;
}

void ApplyConfigDefaults(TMyConfig &config)
{
    for (const ConfigField &f : ConfigFields()) {
        if (!f.hasDefault)
            continue;
        void *address = f.address(config);
        const int high = f.count - 1;
        switch (f.kind) {
        case ConfigKind::TextList: {
            auto *items = static_cast<QString *>(address);
            ClearStrings(items, high);
            const QVariantList given = f.defaultValue.toList();
            for (int i = 0; i < given.size() && i < f.count; ++i)
                items[i] = given[i].toString();
            break;
        }
        case ConfigKind::IntList: {
            auto *items = static_cast<int *>(address);
            ClearInts(items, high);
            const QVariantList given = f.defaultValue.toList();
            for (int i = 0; i < given.size() && i < f.count; ++i)
                items[i] = given[i].toInt();
            break;
        }
        case ConfigKind::ByteList: {
            auto *items = static_cast<std::uint8_t *>(address);
            ClearBytes(items, high);
            const QVariantList given = f.defaultValue.toList();
            for (int i = 0; i < given.size() && i < f.count; ++i)
                items[i] = std::uint8_t(given[i].toInt());
            break;
        }
        case ConfigKind::DateTime:
            *static_cast<QDateTime *>(address) =
                f.defaultValue.isValid() ? f.defaultValue.toDateTime() : os::Now();
            break;
        default:
            SetConfigFieldValue(config, f, f.defaultValue);
            break;
        }
    }
}

QVariant ConfigFieldValue(const TMyConfig &config, const ConfigField &field)
{
    // The record is only read here; address() takes a mutable record.
    void *address = field.address(const_cast<TMyConfig &>(config));
    const int high = field.count - 1;
    const QChar sep('|');
    switch (field.kind) {
    case ConfigKind::Text: return *static_cast<const QString *>(address);
    case ConfigKind::Char: {
        const QChar c = *static_cast<const QChar *>(address);
        return c.isNull() ? QString() : QString(c);
    }
    case ConfigKind::Bool: return *static_cast<const bool *>(address);
    case ConfigKind::Int8: return int(*static_cast<const std::int8_t *>(address));
    case ConfigKind::Int16: return int(*static_cast<const std::int16_t *>(address));
    case ConfigKind::Int32: return int(*static_cast<const std::int32_t *>(address));
    case ConfigKind::Single: return *static_cast<const float *>(address);
    case ConfigKind::DateTime: {
        const QDateTime &dt = *static_cast<const QDateTime *>(address);
        if (field.flags & cfTimeOfDay)
            return dt.isValid() ? dt.toString(QStringLiteral("HHmm")) : QString();
        return dt;
    }
    case ConfigKind::TextList: return JoinStrings(static_cast<const QString *>(address), high, sep);
    case ConfigKind::IntList: return JoinInts(static_cast<const int *>(address), high, sep);
    case ConfigKind::ByteList: return JoinBytes(static_cast<const std::uint8_t *>(address), high, sep);
    }
    return {};
}

bool SetConfigFieldValue(TMyConfig &config, const ConfigField &field, const QVariant &value)
{
    void *address = field.address(config);
    const int high = field.count - 1;
    const QChar sep('|');
    const QString text = value.isNull() ? QString() : value.toString();
    switch (field.kind) {
    case ConfigKind::Text:
        *static_cast<QString *>(address) = text;
        return true;
    case ConfigKind::Char: {
        QChar c = text.isEmpty() ? QChar() : text.front();
        if (text.isEmpty() && (field.flags & cfEmptyLoadsAsZero))
            c = QChar('0');
        if (value.typeId() == QMetaType::QChar)
            c = value.toChar();
        *static_cast<QChar *>(address) = c;
        return true;
    }
    case ConfigKind::Bool: {
        bool b = false;
        if (!toBoolValue(value, &b))
            return false;
        *static_cast<bool *>(address) = b;
        return true;
    }
    case ConfigKind::Int8: return storeInteger<std::int8_t>(address, value);
    case ConfigKind::Int16: return storeInteger<std::int16_t>(address, value);
    case ConfigKind::Int32: return storeInteger<std::int32_t>(address, value);
    case ConfigKind::Single: {
        double d = 0;
        if (!toNumber(value, &d))
            return false;
        *static_cast<float *>(address) = float(d);
        return true;
    }
    case ConfigKind::DateTime: {
        bool ok = false;
        const QDateTime dt = toDateTime(value, field.flags & cfTimeOfDay, &ok);
        if (ok)
            *static_cast<QDateTime *>(address) = dt;
        return ok;
    }
    case ConfigKind::TextList:
        return SplitToStrings(static_cast<QString *>(address), high, text, sep);
    case ConfigKind::IntList:
        return SplitToInts(static_cast<int *>(address), high, text, sep);
    case ConfigKind::ByteList:
        return SplitToBytes(static_cast<std::uint8_t *>(address), high, text, sep);
    }
    return false;
}

QString ServerAddress(const TMyConfig &config)
{
    return (config.TLS ? QStringLiteral("https://") : QStringLiteral("http://")) + config.SIP + QLatin1Char(':')
           + config.SPO;
}
