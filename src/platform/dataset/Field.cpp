#include "platform/dataset/Field.h"
#include "platform/dataset/DataSet.h"
#include "platform/dataset/NumberText.h"

#include <QDate>
#include <QTime>
#include <QTimeZone>
#include <algorithm>
#include <cmath>
#include <limits>

DataSetError::DataSetError(const QString &message)
    : std::runtime_error(message.toUtf8().toStdString())
{
}

namespace {

const char *typeName(FieldType t)
{
    switch (t) {
    case FieldType::String: return "string";
    case FieldType::SmallInt: return "small integer";
    case FieldType::Integer: return "integer";
    case FieldType::Float: return "floating point";
    case FieldType::Currency: return "currency";
    case FieldType::Boolean: return "boolean";
    case FieldType::DateTime: return "date and time";
    }
    return "?";
}

[[noreturn]] void badValue(const QString &field, const QString &value, const char *what)
{
    throw DataSetError(QStringLiteral("Field '%1': '%2' is not a valid %3 value")
                           .arg(field, value, QString::fromLatin1(what)));
}

[[noreturn]] void cannotRead(const QString &field, FieldType from, const char *as)
{
    throw DataSetError(QStringLiteral("Field '%1': a %2 value cannot be read as %3")
                           .arg(field, QString::fromLatin1(typeName(from)), QString::fromLatin1(as)));
}

const QDateTime &dateEpoch()
{
    static const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
    return epoch;
}

QString floatText(double v)
{
    QString s = QString::number(v, 'g', 15);
    qsizetype e = s.indexOf(u'e');
    if (e < 0)
        return s;
    // 1e+20 -> 1E20, 1e-05 -> 1E-5
    QString mant = s.left(e);
    QString exp = s.mid(e + 1);
    bool neg = exp.startsWith(u'-');
    if (exp.startsWith(u'+') || neg)
        exp.remove(0, 1);
    while (exp.size() > 1 && exp.startsWith(u'0'))
        exp.remove(0, 1);
    return mant + u'E' + (neg ? QStringLiteral("-") : QString()) + exp;
}

QString dateTimeText(const QDateTime &dt)
{
    if (!dt.isValid())
        return {};
    if (dt.time() == QTime(0, 0))
        return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
    return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

bool parseDateTime(QStringView text, QDateTime *out)
{
    const QString s = text.trimmed().toString();
    static const char *const formats[] = {
        "yyyy-MM-dd hh:mm:ss.zzz", "yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd hh:mm", "yyyy-MM-dd",
        "yyyy/MM/dd hh:mm:ss", "yyyy/MM/dd hh:mm", "yyyy/MM/dd", "yyyyMMdd", "yyyyMMddhhmmss",
    };
    for (const char *f : formats) {
        QDateTime dt = QDateTime::fromString(s, QString::fromLatin1(f));
        if (dt.isValid()) {
            *out = dt;
            return true;
        }
    }
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (dt.isValid()) {
        *out = dt;
        return true;
    }
    return false;
}

int metaId(const QVariant &v) { return v.metaType().id(); }

bool isNullValue(const QVariant &v)
{
    return !v.isValid() || metaId(v) == QMetaType::Nullptr;
}

bool isCurrency(const QVariant &v) { return v.metaType() == QMetaType::fromType<Currency>(); }

QString anyToString(const QVariant &v)
{
    if (isNullValue(v))
        return {};
    switch (metaId(v)) {
    case QMetaType::QString: return v.toString();
    case QMetaType::Double:
    case QMetaType::Float: return floatText(v.toDouble());
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime: return dateTimeText(v.toDateTime());
    case QMetaType::QDate: return dateTimeText(QDateTime(v.toDate(), QTime(0, 0)));
    case QMetaType::QByteArray: return QString::fromUtf8(v.toByteArray());
    default: break;
    }
    if (isCurrency(v))
        return v.value<Currency>().toString();
    return v.toString();
}

// Integral value of any variant; 'what' names the target for messages.
qint64 anyToInt64(const QVariant &v, const QString &field, const char *what)
{
    if (isNullValue(v))
        return 0;
    switch (metaId(v)) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Long:
    case QMetaType::LongLong: return v.toLongLong();
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        qulonglong u = v.toULongLong();
        if (u > qulonglong(std::numeric_limits<qint64>::max()))
            badValue(field, v.toString(), what);
        return qint64(u);
    }
    case QMetaType::Bool: return v.toBool() ? 1 : 0;
    case QMetaType::Double:
    case QMetaType::Float: {
        double d = std::nearbyint(v.toDouble()); // halves to even
        if (!std::isfinite(d) || std::fabs(d) >= 9.2e18)
            badValue(field, floatText(v.toDouble()), what);
        return qint64(d);
    }
    case QMetaType::QString: {
        QString s = v.toString().trimmed();
        if (s.isEmpty())
            return 0;
        bool ok = false;
        qint64 n = s.toLongLong(&ok, 10);
        if (!ok)
            badValue(field, v.toString(), what);
        return n;
    }
    default: break;
    }
    if (isCurrency(v)) {
        double d = std::nearbyint(v.value<Currency>().toDouble());
        return qint64(d);
    }
    badValue(field, anyToString(v), what);
}

double anyToDouble(const QVariant &v, const QString &field)
{
    if (isNullValue(v))
        return 0.0;
    switch (metaId(v)) {
    case QMetaType::QString: {
        QString s = v.toString().trimmed();
        if (s.isEmpty())
            return 0.0;
        bool ok = false;
        double d = s.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            badValue(field, v.toString(), "floating point");
        return d;
    }
    case QMetaType::QDateTime:
        return double(dateEpoch().msecsTo(v.toDateTime())) / 86400000.0;
    case QMetaType::QDate:
        return double(dateEpoch().date().daysTo(v.toDate()));
    default: break;
    }
    if (isCurrency(v))
        return v.value<Currency>().toDouble();
    bool ok = false;
    double d = v.toDouble(&ok);
    if (!ok)
        badValue(field, anyToString(v), "floating point");
    return d;
}

Currency anyToCurrency(const QVariant &v, const QString &field)
{
    if (isNullValue(v))
        return {};
    if (isCurrency(v))
        return v.value<Currency>();
    try {
        switch (metaId(v)) {
        case QMetaType::QString: {
            QString s = v.toString().trimmed();
            if (s.isEmpty())
                return {};
            bool ok = false;
            Currency c = Currency::fromString(s, &ok);
            if (ok)
                return c;
            double d = s.toDouble(&ok); // exponent forms
            if (!ok)
                badValue(field, v.toString(), "currency");
            return Currency::fromDouble(d);
        }
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UInt:
        case QMetaType::Bool:
            return Currency(anyToInt64(v, field, "currency"));
        default:
            return Currency::fromDouble(anyToDouble(v, field));
        }
    } catch (const CurrencyError &) {
        badValue(field, anyToString(v), "currency");
    }
}

// Strict: what may be stored into a boolean field.
bool anyToBoolStrict(const QVariant &v, const QString &field, bool *isNull)
{
    *isNull = false;
    if (isNullValue(v)) {
        *isNull = true;
        return false;
    }
    if (metaId(v) == QMetaType::Bool)
        return v.toBool();
    if (metaId(v) == QMetaType::QString) {
        QString s = v.toString().trimmed().toLower();
        if (s.isEmpty()) {
            *isNull = true;
            return false;
        }
        if (s == u"t" || s == u"true" || s == u"y" || s == u"yes" || s == u"1")
            return true;
        if (s == u"f" || s == u"false" || s == u"n" || s == u"no" || s == u"0")
            return false;
        badValue(field, v.toString(), "boolean");
    }
    return anyToDouble(v, field) != 0.0;
}

QDateTime anyToDateTime(const QVariant &v, const QString &field)
{
    if (isNullValue(v))
        return {};
    switch (metaId(v)) {
    case QMetaType::QDateTime: return v.toDateTime();
    case QMetaType::QDate: return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QString: {
        if (v.toString().trimmed().isEmpty())
            return {};
        QDateTime dt;
        if (!parseDateTime(v.toString(), &dt))
            badValue(field, v.toString(), "date and time");
        return dt;
    }
    case QMetaType::Bool: badValue(field, anyToString(v), "date and time");
    default: break;
    }
    double days = anyToDouble(v, field);
    return dateEpoch().addMSecs(qint64(std::llround(days * 86400000.0)));
}

QString cutToSize(QString s, int size)
{
    if (size > 0 && s.size() > size) {
        qsizetype n = size;
        if (s.at(n - 1).isHighSurrogate())
            --n;
        s.truncate(n);
    }
    return s;
}

} // namespace

QVariant Field::convert(const QVariant &value, const FieldDef &def)
{
    if (isNullValue(value))
        return {};
    switch (def.type) {
    case FieldType::String:
        if (metaId(value) == QMetaType::QString && (def.size <= 0 || value.toString().size() <= def.size))
            return value;
        return cutToSize(anyToString(value), def.size);
    case FieldType::SmallInt: {
        if (metaId(value) == QMetaType::QString && value.toString().trimmed().isEmpty())
            return {};
        qint64 n = anyToInt64(value, def.name, "small integer");
        if (n < -32768 || n > 32767)
            throw DataSetError(QStringLiteral("Field '%1': %2 is outside the range -32768 to 32767")
                                   .arg(def.name).arg(n));
        return QVariant(int(n));
    }
    case FieldType::Integer: {
        if (metaId(value) == QMetaType::Int)
            return value;
        if (metaId(value) == QMetaType::QString && value.toString().trimmed().isEmpty())
            return {};
        qint64 n = anyToInt64(value, def.name, "integer");
        if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
            throw DataSetError(QStringLiteral("Field '%1': %2 is outside the integer range")
                                   .arg(def.name).arg(n));
        return QVariant(int(n));
    }
    case FieldType::Float:
        if (metaId(value) == QMetaType::Double)
            return value;
        if (metaId(value) == QMetaType::QString && value.toString().trimmed().isEmpty())
            return {};
        return QVariant(anyToDouble(value, def.name));
    case FieldType::Currency:
        if (isCurrency(value))
            return value;
        if (metaId(value) == QMetaType::QString && value.toString().trimmed().isEmpty())
            return {};
        return QVariant::fromValue(anyToCurrency(value, def.name));
    case FieldType::Boolean: {
        bool isNull = false;
        bool b = anyToBoolStrict(value, def.name, &isNull);
        return isNull ? QVariant() : QVariant(b);
    }
    case FieldType::DateTime: {
        QDateTime dt = anyToDateTime(value, def.name);
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    }
    return {};
}

QString Field::textOf(const QVariant &stored, FieldType)
{
    return anyToString(stored);
}

Qt::Alignment Field::Alignment() const
{
    switch (m_def.type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::Float:
    case FieldType::Currency: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

bool Field::IsValidChar(QChar c) const
{
    const bool sign = c == QLatin1Char('+') || c == QLatin1Char('-');
    switch (m_def.type) {
    case FieldType::SmallInt:
    case FieldType::Integer: return c.isDigit() || sign;
    case FieldType::Float:
    case FieldType::Currency:
        return c.isDigit() || sign || c == QLatin1Char('.') || c == QLatin1Char('e') || c == QLatin1Char('E');
    default: return true;
    }
}

bool Field::IsNull() const
{
    return isNullValue(m_dataSet->readValue(m_index));
}

QString Field::AsString() const
{
    return anyToString(m_dataSet->readValue(m_index));
}

int Field::AsInteger() const
{
    const QVariant &v = m_dataSet->readValue(m_index);
    if (m_def.type == FieldType::DateTime)
        cannotRead(m_def.name, m_def.type, "integer");
    qint64 n = anyToInt64(v, m_def.name, "integer");
    if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
        throw DataSetError(QStringLiteral("Field '%1': %2 is outside the integer range").arg(m_def.name).arg(n));
    return int(n);
}

double Field::AsFloat() const
{
    return anyToDouble(m_dataSet->readValue(m_index), m_def.name);
}

Currency Field::AsCurrency() const
{
    if (m_def.type == FieldType::DateTime)
        cannotRead(m_def.name, m_def.type, "currency");
    return anyToCurrency(m_dataSet->readValue(m_index), m_def.name);
}

bool Field::AsBoolean() const
{
    const QVariant &v = m_dataSet->readValue(m_index);
    if (isNullValue(v))
        return false;
    switch (m_def.type) {
    case FieldType::Boolean: return v.toBool();
    case FieldType::String: {
        // A text reads as true when it begins with T or Y (any case).
        QString s = v.toString().trimmed();
        return !s.isEmpty() && QStringLiteral("TtYy").contains(s.at(0));
    }
    case FieldType::DateTime: cannotRead(m_def.name, m_def.type, "boolean");
    default: return anyToDouble(v, m_def.name) != 0.0;
    }
}

QDateTime Field::AsDateTime() const
{
    if (m_def.type == FieldType::Boolean)
        cannotRead(m_def.name, m_def.type, "date and time");
    return anyToDateTime(m_dataSet->readValue(m_index), m_def.name);
}

QVariant Field::AsVariant() const
{
    return m_dataSet->readValue(m_index);
}

void Field::setAsString(const QString &value) { setAsVariant(QVariant(value)); }
void Field::setAsInteger(int value) { setAsVariant(QVariant(value)); }
void Field::setAsFloat(double value) { setAsVariant(QVariant(value)); }
void Field::setAsCurrency(Currency value) { setAsVariant(QVariant::fromValue(value)); }
void Field::setAsBoolean(bool value) { setAsVariant(QVariant(value)); }
void Field::setAsDateTime(const QDateTime &value) { setAsVariant(value.isValid() ? QVariant(value) : QVariant()); }
void Field::Clear() { setAsVariant(QVariant()); }

void Field::setAsVariant(const QVariant &value)
{
    m_dataSet->checkEditing();
    m_dataSet->writeValue(m_index, convert(value, m_def));
}

QString Field::DisplayText() const
{
    if (OnGetText)
        return OnGetText(*this, true);
    const QVariant &v = m_dataSet->readValue(m_index);
    if (isNullValue(v))
        return {};
    if (!m_displayFormat.isEmpty()) {
        switch (m_def.type) {
        case FieldType::SmallInt:
        case FieldType::Integer:
        case FieldType::Float: return formatNumber(anyToDouble(v, m_def.name), m_displayFormat);
        case FieldType::Currency: return formatNumber(v.value<Currency>().toDouble(), m_displayFormat);
        case FieldType::DateTime: return formatDateTime(v.toDateTime(), m_displayFormat);
        default: break;
        }
    }
    return anyToString(v);
}

QString Field::Text() const
{
    if (OnGetText)
        return OnGetText(*this, false);
    return AsString();
}

// ---- number formats ---------------------------------------------------------

namespace {

struct Section {
    QString prefix, suffix;
    int intZeros = 0;     // '0' before the point
    int fracZeros = 0;    // '0' after the point
    int fracAll = 0;      // '0' and '#' after the point
    bool thousands = false;
    bool hasPlaceholder = false;
};

QList<QString> splitSections(const QString &format)
{
    QList<QString> out;
    QString cur;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            cur += c;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            cur += c;
        } else if (c == u';') {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

Section parseSection(const QString &s)
{
    Section sec;
    bool afterPoint = false;
    bool seenPlaceholder = false;
    QString literal;
    QChar quote;
    for (QChar c : s) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                literal += c;
            continue;
        }
        if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'0' || c == u'#') {
            if (!seenPlaceholder) {
                sec.prefix = literal;
                literal.clear();
            }
            seenPlaceholder = true;
            sec.hasPlaceholder = true;
            if (afterPoint) {
                ++sec.fracAll;
                if (c == u'0')
                    sec.fracZeros = sec.fracAll; // zeros count up to the last '0'
            } else if (c == u'0') {
                ++sec.intZeros;
            }
        } else if (c == u'.') {
            if (!seenPlaceholder) {
                sec.prefix = literal;
                literal.clear();
                seenPlaceholder = true;
            }
            afterPoint = true;
        } else if (c == u',') {
            sec.thousands = true;
            if (!seenPlaceholder) {
                sec.prefix = literal;
                literal.clear();
                seenPlaceholder = true;
            }
        } else if (seenPlaceholder) {
            literal += c;
        } else {
            literal += c;
        }
    }
    if (seenPlaceholder)
        sec.suffix = literal;
    else
        sec.prefix = literal;
    return sec;
}

// |value| rounded to 'decimals' places, halves away from zero, after taking
// the value to 15 significant digits (so 1.005 rounds as the decimal 1.005).
void roundDecimal(double value, int decimals, QString *intDigits, QString *fracDigits)
{
    QString e = QString::number(std::fabs(value), 'e', 14); // d.dddddddddddddde+XX
    qsizetype ePos = e.indexOf(u'e');
    QString digits = e.left(ePos);
    digits.remove(1, 1); // drop the point: 15 digits
    int exp = e.mid(ePos + 1).toInt();
    // value = 0.digits * 10^(exp+1)
    int pointPos = exp + 1; // digits before the point
    if (pointPos < 0) {
        digits = QString(-pointPos, u'0') + digits;
        pointPos = 0;
    }
    if (digits.size() < pointPos + decimals + 1)
        digits += QString(pointPos + decimals + 1 - digits.size(), u'0');
    int keep = pointPos + decimals;
    bool up = digits.at(keep) >= u'5';
    digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[i] == u'9') {
                digits[i] = u'0';
            } else {
                digits[i] = QChar(digits[i].unicode() + 1);
                break;
            }
        }
        if (i < 0) {
            digits.prepend(u'1');
            ++pointPos;
        }
    }
    *intDigits = digits.left(pointPos);
    *fracDigits = digits.mid(pointPos);
    while (intDigits->size() > 1 && intDigits->startsWith(u'0'))
        intDigits->remove(0, 1);
    if (intDigits->isEmpty())
        *intDigits = QStringLiteral("0");
}

} // namespace

QString Field::formatNumber(double value, const QString &format)
{
    if (!std::isfinite(value))
        return floatText(value);
    const QList<QString> sections = splitSections(format);
    int index = 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        index = 1;
    else if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        index = 2;
    const Section sec = parseSection(sections[index]);
    if (!sec.hasPlaceholder)
        return sec.prefix;

    QString intPart, fracPart;
    roundDecimal(value, sec.fracAll, &intPart, &fracPart);
    while (fracPart.size() > sec.fracZeros && fracPart.endsWith(u'0'))
        fracPart.chop(1);
    bool isZero = intPart == u"0"
        && std::all_of(fracPart.cbegin(), fracPart.cend(), [](QChar c) { return c == u'0'; });
    if (intPart == u"0" && sec.intZeros == 0)
        intPart.clear();
    if (intPart.size() < sec.intZeros)
        intPart = QString(sec.intZeros - intPart.size(), u'0') + intPart;
    if (sec.thousands)
        intPart = GroupThousands(intPart);
    QString out = intPart;
    if (!fracPart.isEmpty())
        out += u'.' + fracPart;
    if (value < 0 && index == 0 && !isZero)
        out.prepend(u'-');
    return sec.prefix + out + sec.suffix;
}

QString Field::formatDateTime(const QDateTime &value, const QString &format)
{
    if (!value.isValid())
        return {};
    QString out;
    const QDate d = value.date();
    const QTime t = value.time();
    bool lastWasHour = false;
    qsizetype i = 0;
    auto run = [&](QChar c) {
        qsizetype n = 0;
        while (i + n < format.size() && format.at(i + n).toLower() == c)
            ++n;
        return n;
    };
    while (i < format.size()) {
        QChar c = format.at(i);
        QChar lc = c.toLower();
        if (c == u'\'' || c == u'"') {
            qsizetype end = format.indexOf(c, i + 1);
            if (end < 0)
                end = format.size();
            out += format.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        qsizetype n = (lc == u'y' || lc == u'm' || lc == u'd' || lc == u'h' || lc == u'n' || lc == u's') ? run(lc) : 0;
        if (n == 0) {
            out += c;
            ++i;
            continue;
        }
        auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };
        if (lc == u'y') {
            out += n <= 2 ? two(d.year() % 100) : QString::number(d.year()).rightJustified(4, u'0');
        } else if (lc == u'm') {
            int v = lastWasHour ? t.minute() : d.month();
            out += n >= 2 ? two(v) : QString::number(v);
        } else if (lc == u'd') {
            out += n >= 2 ? two(d.day()) : QString::number(d.day());
        } else if (lc == u'h') {
            out += n >= 2 ? two(t.hour()) : QString::number(t.hour());
        } else if (lc == u'n') {
            out += n >= 2 ? two(t.minute()) : QString::number(t.minute());
        } else if (lc == u's') {
            out += n >= 2 ? two(t.second()) : QString::number(t.second());
        }
        lastWasHour = lc == u'h';
        i += n;
    }
    return out;
}

void Field::conversionError(const QString &value, const char *what) const
{
    badValue(m_def.name, value, what);
}
