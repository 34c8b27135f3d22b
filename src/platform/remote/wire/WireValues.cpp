// Values on the wire: the value kinds and the coercion of a value to a kind.

#include "platform/remote/wire/WireCodecDetail.h"

#include <QtNumeric>

#include <cmath>

namespace wire {

using detail::fail;

namespace {

// "an integer", "a boolean", ...
QString withArticle(Type type)
{
    const QString name = typeName(type);
    return (name.startsWith(u'i') ? QStringLiteral("an ") : QStringLiteral("a ")) + name;
}

// A double as a whole number of units (ten-thousandths for currency, rounded);
// false when it is not finite, does not fit, or (other kinds) has a fraction.
bool wholeOf(double d, Type type, qint64 *out)
{
    const double v = type == Type::Currency ? std::round(d * 10000.0) : d;
    // 2^63 is exact as a double; every double below it converts safely.
    if (!std::isfinite(v) || v >= 9223372036854775808.0 || v < -9223372036854775808.0 || v != std::trunc(v))
        return false;
    *out = qint64(v);
    return true;
}

// "[+-]digits" (integers) or "[+-]digits[.digits]" (currency), blanks around
// allowed; exponents, hexadecimal and other forms are not numbers here.
bool isDecimalText(QStringView t, bool fraction)
{
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype digitsBefore = 0, digitsAfter = 0;
    while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
        ++i, ++digitsBefore;
    if (fraction && i < t.size() && t[i] == u'.') {
        ++i;
        while (i < t.size() && t[i] >= u'0' && t[i] <= u'9')
            ++i, ++digitsAfter;
        if (digitsAfter == 0)
            return false;
    }
    return i == t.size() && digitsBefore > 0;
}

} // namespace

bool isKnownType(int code)
{
    return code >= int(Type::String) && code <= int(Type::DateTime);
}

QString typeName(Type type)
{
    switch (type) {
    case Type::String: return QStringLiteral("string");
    case Type::SmallInt: return QStringLiteral("smallint");
    case Type::Integer: return QStringLiteral("integer");
    case Type::Float: return QStringLiteral("float");
    case Type::Currency: return QStringLiteral("currency");
    case Type::Boolean: return QStringLiteral("boolean");
    case Type::DateTime: return QStringLiteral("datetime");
    }
    return QStringLiteral("?");
}

QVariant coerce(const QVariant &value, Type type)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const auto id = value.typeId();
    const bool isText = id == QMetaType::QString;
    if (type == Type::String)
        return isText ? value : QVariant(value.toString());
    if (isText && value.toString().trimmed().isEmpty())
        return QVariant();
    const bool isBool = id == QMetaType::Bool;
    const bool isFloat = id == QMetaType::Double || id == QMetaType::Float;
    switch (type) {
    case Type::String:
        break;
    case Type::SmallInt:
    case Type::Integer:
    case Type::Currency: {
        if (isBool)
            break;
        qint64 whole = 0;
        if (isFloat) {
            if (wholeOf(value.toDouble(), type, &whole))
                return whole;
            break;
        }
        if (isText) {
            const QString t = value.toString().trimmed();
            if (!isDecimalText(t, type == Type::Currency))
                break;
            bool ok = false;
            const qint64 v = t.toLongLong(&ok);
            if (ok && type != Type::Currency)
                return v;
            if (ok && !qMulOverflow(v, qint64(10000), &whole))
                return whole;
            if (type == Type::Currency && !t.contains(u'.'))
                break; // a whole amount beyond range
            const double d = t.toDouble(&ok);
            if (ok && type == Type::Currency && wholeOf(d, type, &whole))
                return whole;
            break;
        }
        bool ok = false;
        const qint64 v = value.toLongLong(&ok);
        if (ok)
            return v;
        break;
    }
    case Type::Float: {
        if (isBool)
            break;
        bool ok = false;
        const double d = isText ? value.toString().trimmed().toDouble(&ok) : value.toDouble(&ok);
        if (ok && std::isfinite(d))
            return d;
        break;
    }
    case Type::Boolean: {
        if (isBool)
            return value;
        if (isText) {
            const QString t = value.toString().trimmed().toLower();
            if (t == u"true" || t == u"1")
                return true;
            if (t == u"false" || t == u"0")
                return false;
            break;
        }
        if (isFloat)
            break;
        bool ok = false;
        const qint64 v = value.toLongLong(&ok);
        if (ok && (v == 0 || v == 1))
            return v == 1;
        break;
    }
    case Type::DateTime: {
        if (id == QMetaType::QDateTime)
            return value;
        if (isText) {
            const QDateTime dt = parseDateTime(value.toString());
            if (dt.isValid())
                return dt;
        }
        break;
    }
    }
    fail(QStringLiteral("value \"%1\" is not %2").arg(value.toString(), withArticle(type)),
         QStringLiteral("value is not %1").arg(withArticle(type)));
}

} // namespace wire
