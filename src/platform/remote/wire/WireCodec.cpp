#include "platform/remote/wire/WireCodec.h"

#include <QCborStreamReader>
#include <QDateTime>
#include <QStringList>
#include <QtNumeric>

#include <cmath>
#include <cstring>
#include <cstdio>
#include <limits>

namespace wire {

namespace {

const char *const kDateTimeFormat = "yyyy-MM-ddTHH:mm:ss.zzz";

[[noreturn]] void fail(const QString &what)
{
    throw DecodeError(what.toStdString());
}

// A failure whose message for the sender quotes a value and whose log text does not.
[[noreturn]] void fail(const QString &what, const QString &logText)
{
    throw DecodeError(what.toStdString(), logText.toStdString());
}

// "an integer", "a boolean", ...
QString withArticle(Type type)
{
    const QString name = typeName(type);
    return (name.startsWith(u'i') ? QStringLiteral("an ") : QStringLiteral("a ")) + name;
}

// ---- writing ---------------------------------------------------------------

// Writes CBOR straight into a byte array (definite lengths only, integers in
// their shortest form, floats as doubles): what QCborStreamWriter writes, less
// its per-item device calls, which showed in the server's answer times.
class CborWriter {
public:
    explicit CborWriter(QByteArray &out) : m_out(out) {}
    void startMap(qsizetype pairs) { head(5, quint64(pairs)); }
    void startArray(qsizetype items) { head(4, quint64(items)); }
    void endMap() {}
    void endArray() {}
    void append(qint64 v) { v >= 0 ? head(0, quint64(v)) : head(1, quint64(-1 - v)); }
    void append(bool b) { m_out.append(char(b ? 0xf5 : 0xf4)); }
    void append(double d)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        m_out.append(char(0xfb));
        for (int shift = 56; shift >= 0; shift -= 8)
            m_out.append(char((bits >> shift) & 0xff));
    }
    void appendNull() { m_out.append(char(0xf6)); }
    void appendTextString(const char *utf8, qsizetype length)
    {
        head(3, quint64(length));
        m_out.append(utf8, length);
    }

private:
    void head(int major, quint64 v)
    {
        const char m = char(major << 5);
        if (v < 24) {
            m_out.append(char(m | char(v)));
            return;
        }
        int bytes = 8;
        char code = 27;
        if (v <= 0xff)
            bytes = 1, code = 24;
        else if (v <= 0xffff)
            bytes = 2, code = 25;
        else if (v <= 0xffffffffu)
            bytes = 4, code = 26;
        m_out.append(char(m | code));
        for (int i = bytes - 1; i >= 0; --i)
            m_out.append(char((v >> (8 * i)) & 0xff));
    }

    QByteArray &m_out;
};

void writeText(CborWriter &w, const QString &text)
{
    const QByteArray utf8 = text.toUtf8(); // keeps U+0000 as a 0 byte
    w.appendTextString(utf8.constData(), utf8.size());
}

void writeValue(CborWriter &w, Type type, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        w.appendNull();
        return;
    }
    switch (type) {
    case Type::String:
        writeText(w, value.toString());
        return;
    case Type::SmallInt:
    case Type::Integer:
    case Type::Currency:
        w.append(value.toLongLong());
        return;
    case Type::Float:
        w.append(value.toDouble());
        return;
    case Type::Boolean:
        w.append(value.toBool());
        return;
    case Type::DateTime:
        writeText(w, formatDateTime(value.toDateTime()));
        return;
    }
    w.appendNull();
}

// ---- reading ---------------------------------------------------------------

QString readText(QCborStreamReader &r)
{
    if (!r.isString())
        fail(QStringLiteral("text expected"));
    QString out;
    auto chunk = r.readString();
    while (chunk.status == QCborStreamReader::Ok) {
        out += chunk.data;
        chunk = r.readString();
    }
    if (chunk.status == QCborStreamReader::Error)
        fail(QStringLiteral("broken text"));
    return out;
}

qint64 readInteger(QCborStreamReader &r)
{
    if (r.isUnsignedInteger()) {
        const quint64 v = r.toUnsignedInteger();
        if (v > quint64(std::numeric_limits<qint64>::max()))
            fail(QStringLiteral("integer out of range"));
        r.next();
        return qint64(v);
    }
    if (r.isNegativeInteger()) {
        // Qt holds a negative integer by its absolute value (-1 as 1; 0 means -2^64).
        const quint64 v = quint64(r.toNegativeInteger());
        constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max()) + 1;
        if (v == 0 || v > limit)
            fail(QStringLiteral("integer out of range"));
        r.next();
        return v == limit ? std::numeric_limits<qint64>::min() : -qint64(v);
    }
    fail(QStringLiteral("integer expected"));
}

// Any scalar into a QVariant of its natural kind (invalid for null).
QVariant readScalar(QCborStreamReader &r)
{
    switch (r.type()) {
    case QCborStreamReader::UnsignedInteger:
    case QCborStreamReader::NegativeInteger:
        return readInteger(r);
    case QCborStreamReader::String:
        return readText(r);
    case QCborStreamReader::Float16:
    case QCborStreamReader::Float:
    case QCborStreamReader::Double: {
        double d = 0;
        if (r.isDouble())
            d = r.toDouble();
        else if (r.isFloat())
            d = r.toFloat();
        else
            d = double(r.toFloat16());
        r.next();
        return d;
    }
    case QCborStreamReader::SimpleType:
        if (r.isBool()) {
            const bool b = r.toBool();
            r.next();
            return b;
        }
        if (r.isNull() || r.isUndefined()) {
            r.next();
            return QVariant();
        }
        break;
    default:
        break;
    }
    fail(QStringLiteral("unexpected value"));
}

QVariant readValue(QCborStreamReader &r, Type type)
{
    return coerce(readScalar(r), type);
}

Type readType(QCborStreamReader &r)
{
    const qint64 code = readInteger(r);
    if (!isKnownType(int(code)) || code != qint64(int(code)))
        fail(QStringLiteral("unknown value type %1").arg(code));
    return Type(code);
}

void enterContainer(QCborStreamReader &r, bool map)
{
    if (map ? !r.isMap() : !r.isArray())
        fail(map ? QStringLiteral("map expected") : QStringLiteral("array expected"));
    if (!r.enterContainer())
        fail(QStringLiteral("broken container"));
}

void leaveContainer(QCborStreamReader &r)
{
    if (r.hasNext())
        fail(QStringLiteral("too many items"));
    if (!r.leaveContainer())
        fail(QStringLiteral("broken container"));
}

void skipItem(QCborStreamReader &r)
{
    if (!r.next())
        fail(QStringLiteral("broken item"));
}

template <typename Fn>
void readMap(QCborStreamReader &r, Fn &&onKey)
{
    enterContainer(r, true);
    QStringList seen;
    while (r.hasNext()) {
        const QString key = readText(r);
        // A repeated key would make the message mean two things; it is refused.
        if (seen.contains(key))
            fail(QStringLiteral("repeated map key \"%1\"").arg(key), QStringLiteral("repeated map key"));
        seen.append(key);
        onKey(key);
    }
    leaveContainer(r);
}

void finish(QCborStreamReader &r, const QByteArray &bytes)
{
    if (r.lastError() != QCborError::NoError)
        fail(r.lastError().toString());
    if (r.currentOffset() != bytes.size())
        fail(QStringLiteral("trailing bytes"));
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

Answer Answer::failure(const QString &message)
{
    Answer a;
    a.error = message.isEmpty() ? QStringLiteral("error") : message;
    return a;
}

QString formatDateTime(const QDateTime &value)
{
    const QDateTime local = value.timeSpec() == Qt::LocalTime ? value : value.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    if (!d.isValid() || d.year() < 0 || d.year() > 9999)
        return local.toString(QLatin1String(kDateTimeFormat));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d.%03d", d.year(), d.month(), d.day(), t.hour(),
                  t.minute(), t.second(), t.msec());
    return QString::fromLatin1(buf, 23);
}

namespace {

// Digits at [pos, pos + n) as a number; -1 when any is not a digit.
int digits(QStringView t, qsizetype pos, qsizetype n)
{
    int v = 0;
    for (qsizetype i = pos; i < pos + n; ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        v = v * 10 + (c - u'0');
    }
    return v;
}

} // namespace

QDateTime parseDateTimeText(QStringView t)
{
    // Read by hand: this runs for every date-time cell of an answer.
    int y = -1, mo = -1, d = -1, h = 0, mi = 0, s = 0, ms = 0;
    const qsizetype n = t.size();
    if (n == 8) {
        y = digits(t, 0, 4), mo = digits(t, 4, 2), d = digits(t, 6, 2);
    } else if (n >= 10 && t[4] == u'-' && t[7] == u'-') {
        y = digits(t, 0, 4), mo = digits(t, 5, 2), d = digits(t, 8, 2);
        if (n > 10) {
            if ((t[10] != u'T' && t[10] != u' ') || n < 16 || t[13] != u':')
                return {};
            h = digits(t, 11, 2), mi = digits(t, 14, 2);
            if (n > 16) {
                if (n < 19 || t[16] != u':')
                    return {};
                s = digits(t, 17, 2);
                if (n > 19) {
                    if (n != 23 || t[19] != u'.')
                        return {};
                    ms = digits(t, 20, 3);
                }
            }
        }
    } else {
        return {};
    }
    if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || s < 0 || ms < 0)
        return {};
    const QDate date(y, mo, d);
    const QTime time(h, mi, s, ms);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

QDateTime parseDateTime(const QString &text)
{
    return parseDateTimeText(text);
}

namespace {

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

QByteArray encodeRequest(const Request &request)
{
    QByteArray out;
    out.reserve(64 + request.params.size() * 32);
    CborWriter w(out);
    w.startMap(4);
    writeText(w, QStringLiteral("provider"));
    writeText(w, request.provider);
    writeText(w, QStringLiteral("command"));
    writeText(w, request.commandText);
    writeText(w, QStringLiteral("mode"));
    writeText(w, request.mode == Mode::Open ? QStringLiteral("open") : QStringLiteral("execute"));
    writeText(w, QStringLiteral("params"));
    w.startArray(request.params.size());
    for (const Param &p : request.params) {
        w.startArray(3);
        writeText(w, p.name);
        w.append(qint64(p.type));
        writeValue(w, p.type, p.value);
        w.endArray();
    }
    w.endArray();
    w.endMap();
    return out;
}

Request decodeRequest(const QByteArray &bytes)
{
    QCborStreamReader r(bytes);
    Request req;
    bool haveCommand = false, haveMode = false;
    readMap(r, [&](const QString &key) {
        if (key == u"provider") {
            req.provider = readText(r);
        } else if (key == u"command") {
            req.commandText = readText(r);
            haveCommand = true;
        } else if (key == u"mode") {
            const QString m = readText(r);
            if (m == u"open")
                req.mode = Mode::Open;
            else if (m == u"execute")
                req.mode = Mode::Execute;
            else
                fail(QStringLiteral("unknown mode"));
            haveMode = true;
        } else if (key == u"params") {
            enterContainer(r, false);
            while (r.hasNext()) {
                enterContainer(r, false);
                Param p;
                p.name = readText(r);
                p.type = readType(r);
                try {
                    p.value = readValue(r, p.type);
                } catch (const DecodeError &e) {
                    const QString where = QStringLiteral("parameter %1: ").arg(p.name);
                    fail(where + QString::fromStdString(e.what()), where + QString::fromStdString(e.logText()));
                }
                leaveContainer(r);
                req.params.append(p);
            }
            leaveContainer(r);
        } else {
            skipItem(r);
        }
    });
    finish(r, bytes);
    if (!haveCommand || !haveMode)
        fail(QStringLiteral("request without command or mode"));
    return req;
}

QByteArray encodeAnswer(const Answer &answer)
{
    QByteArray out;
    // About the size of a typical cell, so that growing rarely copies.
    out.reserve(64 + answer.columns.size() * 24 + answer.rows.size() * answer.columns.size() * 12);
    CborWriter w(out);
    if (answer.isError()) {
        w.startMap(1);
        writeText(w, QStringLiteral("error"));
        writeText(w, answer.error);
        w.endMap();
        return out;
    }
    w.startMap(3);
    writeText(w, QStringLiteral("columns"));
    w.startArray(answer.columns.size());
    for (const Column &c : answer.columns) {
        w.startArray(3);
        writeText(w, c.name);
        w.append(qint64(c.type));
        w.append(qint64(c.size));
        w.endArray();
    }
    w.endArray();
    writeText(w, QStringLiteral("rows"));
    w.startArray(answer.rows.size());
    const qsizetype n = answer.columns.size();
    for (const QVariantList &row : answer.rows) {
        w.startArray(n);
        for (qsizetype i = 0; i < n; ++i)
            writeValue(w, answer.columns[i].type, i < row.size() ? row[i] : QVariant());
        w.endArray();
    }
    w.endArray();
    writeText(w, QStringLiteral("affected"));
    w.append(answer.rowsAffected);
    w.endMap();
    return out;
}

Answer decodeAnswer(const QByteArray &bytes)
{
    QCborStreamReader r(bytes);
    Answer a;
    bool haveRows = false;
    readMap(r, [&](const QString &key) {
        if (key == u"error") {
            a.error = readText(r);
            if (a.error.isEmpty())
                a.error = QStringLiteral("error");
        } else if (key == u"columns") {
            enterContainer(r, false);
            while (r.hasNext()) {
                enterContainer(r, false);
                Column c;
                c.name = readText(r);
                c.type = readType(r);
                c.size = int(readInteger(r));
                leaveContainer(r);
                a.columns.append(c);
            }
            leaveContainer(r);
        } else if (key == u"rows") {
            // Columns come first in our own answers; rows before columns are refused.
            haveRows = true;
            enterContainer(r, false);
            const qsizetype n = a.columns.size();
            while (r.hasNext()) {
                enterContainer(r, false);
                QVariantList row;
                row.reserve(n);
                for (qsizetype i = 0; i < n; ++i) {
                    if (!r.hasNext())
                        fail(QStringLiteral("short row"));
                    row.append(readValue(r, a.columns[i].type));
                }
                leaveContainer(r);
                a.rows.append(std::move(row));
            }
            leaveContainer(r);
        } else if (key == u"affected") {
            a.rowsAffected = readInteger(r);
        } else {
            skipItem(r);
        }
    });
    finish(r, bytes);
    if (!a.isError() && !haveRows && a.columns.isEmpty() && a.rowsAffected < 0)
        fail(QStringLiteral("answer without rows or error"));
    return a;
}

} // namespace wire
