#include "platform/remote/wire/WireCodec.h"

#include <QCborStreamReader>
#include <QSet>
#include <QDateTime>
#include <QStringList>
#include <QtNumeric>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <limits>
#include <string_view>
#include <unordered_map>

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
    void append(bool b) { put(char(b ? 0xf5 : 0xf4)); }
    void append(double d)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        char bytes[9];
        bytes[0] = char(0xfb);
        for (int i = 0; i < 8; ++i)
            bytes[1 + i] = char((bits >> (56 - 8 * i)) & 0xff);
        put(bytes, 9);
    }
    void appendNull() { put(char(0xf6)); }
    void appendTextString(const char *utf8, qsizetype length)
    {
        head(3, quint64(length));
        put(utf8, length);
    }

    // The head of an item: its major type and its count or value, shortest form.
    static int headBytes(int major, quint64 v, char out[9])
    {
        const char m = char(major << 5);
        if (v < 24) {
            out[0] = char(m | char(v));
            return 1;
        }
        int bytes = 8;
        char code = 27;
        if (v <= 0xff)
            bytes = 1, code = 24;
        else if (v <= 0xffff)
            bytes = 2, code = 25;
        else if (v <= 0xffffffffu)
            bytes = 4, code = 26;
        out[0] = char(m | code);
        for (int i = 0; i < bytes; ++i)
            out[1 + i] = char((v >> (8 * (bytes - 1 - i))) & 0xff);
        return 1 + bytes;
    }

private:
    void head(int major, quint64 v)
    {
        char bytes[9];
        put(bytes, headBytes(major, v, bytes));
    }

    // Appends by growing the array and copying, which costs less than
    // QByteArray::append per item.
    void put(char c)
    {
        const qsizetype at = m_out.size();
        m_out.resize(at + 1);
        m_out.data()[at] = c;
    }
    void put(const char *bytes, qsizetype n)
    {
        if (n <= 0)
            return;
        const qsizetype at = m_out.size();
        m_out.resize(at + n);
        std::memcpy(m_out.data() + at, bytes, size_t(n));
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
    // Hashed, so that a map of many keys costs time in proportion to its size.
    QSet<QString> seen;
    while (r.hasNext()) {
        const QString key = readText(r);
        // A repeated key would make the message mean two things; it is refused.
        if (seen.contains(key))
            fail(QStringLiteral("repeated map key \"%1\"").arg(key), QStringLiteral("repeated map key"));
        seen.insert(key);
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

struct DateTimeParts {
    int y = -1, mo = -1, d = -1, h = 0, mi = 0, s = 0, ms = 0;
};

// Digits at [pos, pos + n) as a number; -1 when any is not a digit.
template <typename Ch>
int digits(const Ch *t, qsizetype pos, qsizetype n)
{
    int v = 0;
    for (qsizetype i = pos; i < pos + n; ++i) {
        const unsigned c = unsigned(t[i]);
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + int(c - '0');
    }
    return v;
}

// The fields of "yyyyMMdd" or "yyyy-MM-dd[(T| )HH:mm[:ss[.zzz]]]", read by
// hand (this runs for every date-time cell of an answer); false when the text
// has another form. The fields are not checked against the calendar.
template <typename Ch>
bool dateTimeParts(const Ch *t, qsizetype n, DateTimeParts &p)
{
    if (n == 8) {
        p.y = digits(t, 0, 4), p.mo = digits(t, 4, 2), p.d = digits(t, 6, 2);
    } else if (n >= 10 && t[4] == '-' && t[7] == '-') {
        p.y = digits(t, 0, 4), p.mo = digits(t, 5, 2), p.d = digits(t, 8, 2);
        if (n > 10) {
            if ((t[10] != 'T' && t[10] != ' ') || n < 16 || t[13] != ':')
                return false;
            p.h = digits(t, 11, 2), p.mi = digits(t, 14, 2);
            if (n > 16) {
                if (n < 19 || t[16] != ':')
                    return false;
                p.s = digits(t, 17, 2);
                if (n > 19) {
                    if (n != 23 || t[19] != '.')
                        return false;
                    p.ms = digits(t, 20, 3);
                }
            }
        }
    } else {
        return false;
    }
    return p.y >= 0 && p.mo >= 0 && p.d >= 0 && p.h >= 0 && p.mi >= 0 && p.s >= 0 && p.ms >= 0;
}

// Local date-times by their fields. Making a local QDateTime asks the C
// library for the zone's offset (a lock and a table search each time), and an
// answer repeats the same few stamps in many rows. The zone is set once at
// start-up, so an entry stays right for the life of the process.
QDateTime localDateTime(const QDate &date, const QTime &time)
{
    struct Cache {
        std::unordered_map<qint64, QDateTime> byStamp;
    };
    thread_local Cache cache;
    const qint64 key = date.toJulianDay() * 86400000 + time.msecsSinceStartOfDay();
    const auto it = cache.byStamp.find(key);
    if (it != cache.byStamp.end())
        return it->second;
    if (cache.byStamp.size() >= 4096)
        cache.byStamp.clear();
    return cache.byStamp.emplace(key, QDateTime(date, time)).first->second;
}

// True when every wall-clock time of the day exists once in the local zone
// (no change of its offset from midnight to midnight), so that a local
// QDateTime of that day keeps the date and time it was made from.
bool isPlainDay(const QDate &date)
{
    thread_local std::unordered_map<qint64, bool> known;
    const qint64 day = date.toJulianDay();
    const auto it = known.find(day);
    if (it != known.end())
        return it->second;
    const QDateTime start(date, QTime(0, 0));
    const QDateTime next(date.addDays(1), QTime(0, 0));
    const bool plain = start.isValid() && next.isValid() && start.date() == date && start.time() == QTime(0, 0)
                       && start.offsetFromUtc() == next.offsetFromUtc();
    if (known.size() >= 4096)
        known.clear();
    known.emplace(day, plain);
    return plain;
}

// The local date-time of a text of the forms dateTimeParts() reads; invalid otherwise.
template <typename Ch>
QDateTime localDateTimeOfText(const Ch *t, qsizetype n)
{
    DateTimeParts p;
    if (!dateTimeParts(t, n, p))
        return {};
    const QDate date(p.y, p.mo, p.d);
    const QTime time(p.h, p.mi, p.s, p.ms);
    if (!date.isValid() || !time.isValid())
        return {};
    return localDateTime(date, time);
}

bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

QDateTime parseDateTimeText(QStringView t)
{
    return localDateTimeOfText(t.utf16(), t.size());
}

bool wireDateTimeOfStored(const char *text, qsizetype length, char out[23])
{
    // Only plain ASCII is read here: other blanks and characters take the general way.
    qsizetype b = 0, e = length;
    for (qsizetype i = 0; i < length; ++i)
        if (text[i] == 0 || (text[i] & 0x80))
            return false;
    while (b < e && isAsciiSpace(text[b]))
        ++b;
    while (e > b && isAsciiSpace(text[e - 1]))
        --e;
    DateTimeParts p;
    if (!dateTimeParts(text + b, e - b, p))
        return false;
    const QDate date(p.y, p.mo, p.d);
    const QTime time(p.h, p.mi, p.s, p.ms);
    if (!date.isValid() || !time.isValid() || p.y > 9999 || !isPlainDay(date))
        return false;
    // "yyyy-MM-ddTHH:mm:ss.zzz", as formatDateTime() writes it.
    struct Field {
        int value, width;
        char after;
    };
    char *o = out;
    for (Field f : {Field{p.y, 4, '-'}, Field{p.mo, 2, '-'}, Field{p.d, 2, 'T'}, Field{p.h, 2, ':'},
                    Field{p.mi, 2, ':'}, Field{p.s, 2, '.'}, Field{p.ms, 3, 0}}) {
        for (int i = f.width - 1; i >= 0; --i, f.value /= 10)
            o[i] = char('0' + f.value % 10);
        o += f.width;
        if (f.after)
            *o++ = f.after;
    }
    return true;
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

namespace {

// Room left for the head of the rows' array, whose count is known at the end.
constexpr qsizetype kRowsHeadRoom = 9;

// The size of the last answer this thread wrote (up to a limit), so that the
// next one starts with room enough and rarely grows.
thread_local qsizetype t_lastAnswerBytes = 0;

} // namespace

// The bytes are laid out as they are sent: the map's head, the columns, the
// "rows" key, room for the rows' head, then the rows. finish() puts the head
// at the end of its room and drops what is left in front (a QByteArray drops
// leading bytes without moving the rest).
AnswerWriter::AnswerWriter(QList<Column> columns) : m_columns(std::move(columns))
{
    m_out.reserve(std::max<qsizetype>(t_lastAnswerBytes, 256 + m_columns.size() * 24));
    CborWriter w(m_out);
    w.startMap(3);
    writeText(w, QStringLiteral("columns"));
    w.startArray(m_columns.size());
    for (const Column &c : m_columns) {
        w.startArray(3);
        writeText(w, c.name);
        w.append(qint64(c.type));
        w.append(qint64(c.size));
        w.endArray();
    }
    w.endArray();
    writeText(w, QStringLiteral("rows"));
    m_rowsHeadAt = m_out.size();
    m_out.resize(m_rowsHeadAt + kRowsHeadRoom);
}

void AnswerWriter::reserveRows(qsizetype bytes)
{
    m_out.reserve(m_out.size() + bytes + 16);
}

void AnswerWriter::beginRow()
{
    CborWriter(m_out).startArray(m_columns.size());
    ++m_rowCount;
    m_cell = 0;
}

void AnswerWriter::addNull()
{
    CborWriter(m_out).appendNull();
    ++m_cell;
}

void AnswerWriter::addInteger(qint64 value)
{
    CborWriter(m_out).append(value);
    ++m_cell;
}

void AnswerWriter::addFloat(double value)
{
    CborWriter(m_out).append(value);
    ++m_cell;
}

void AnswerWriter::addBoolean(bool value)
{
    CborWriter(m_out).append(value);
    ++m_cell;
}

void AnswerWriter::addText(const char *utf8, qsizetype length)
{
    CborWriter(m_out).appendTextString(utf8, length);
    ++m_cell;
}

void AnswerWriter::addValue(const QVariant &value)
{
    CborWriter w(m_out);
    writeValue(w, m_cell < m_columns.size() ? m_columns[m_cell].type : Type::String, value);
    ++m_cell;
}

QByteArray AnswerWriter::finish(qint64 rowsAffected)
{
    CborWriter w(m_out);
    writeText(w, QStringLiteral("affected"));
    w.append(rowsAffected);
    w.endMap();
    char head[kRowsHeadRoom];
    const int headBytes = CborWriter::headBytes(4, quint64(m_rowCount), head);
    const qsizetype unused = kRowsHeadRoom - headBytes;
    char *d = m_out.data();
    std::memcpy(d + m_rowsHeadAt + unused, head, size_t(headBytes));
    std::memmove(d + unused, d, size_t(m_rowsHeadAt));
    m_out.remove(0, unused);
    t_lastAnswerBytes = std::min<qsizetype>(m_out.size() + 64, 256 * 1024);
    return std::move(m_out);
}

QByteArray encodeAnswer(const Answer &answer)
{
    if (answer.isError()) {
        QByteArray out;
        CborWriter w(out);
        w.startMap(1);
        writeText(w, QStringLiteral("error"));
        writeText(w, answer.error);
        w.endMap();
        return out;
    }
    AnswerWriter writer(answer.columns);
    const qsizetype n = answer.columns.size();
    // About the size of a typical cell, so that growing rarely copies.
    writer.reserveRows(answer.rows.size() * (1 + n * 12));
    for (const QVariantList &row : answer.rows) {
        writer.beginRow();
        for (qsizetype i = 0; i < n; ++i)
            writer.addValue(i < row.size() ? row[i] : QVariant());
    }
    return writer.finish(answer.rowsAffected);
}

namespace {

// The quick reader of answers: definite lengths and cells that need no
// conversion beyond their column's kind. It declines (returns false) at
// anything else, valid or not, and the general reader takes the answer over,
// so both accept the same answers with the same values.
class QuickAnswerReader {
public:
    explicit QuickAnswerReader(const QByteArray &bytes)
        : m_p(reinterpret_cast<const uchar *>(bytes.constData())), m_end(m_p + bytes.size())
    {
    }

    bool read(Answer &a)
    {
        quint64 pairs = 0;
        if (!head(5, pairs))
            return false;
        bool haveError = false, haveColumns = false, haveRows = false, haveAffected = false;
        for (quint64 k = 0; k < pairs; ++k) {
            const char *key = nullptr;
            qsizetype len = 0;
            if (!rawText(key, len))
                return false;
            const std::string_view name(key, size_t(len));
            bool ok = false;
            if (name == "error" && !haveError) {
                haveError = true;
                ok = text(a.error);
                if (a.error.isEmpty())
                    a.error = QStringLiteral("error");
            } else if (name == "columns" && !haveColumns && !haveRows) {
                haveColumns = true;
                ok = columns(a);
            } else if (name == "rows" && !haveRows && haveColumns) {
                haveRows = true;
                ok = rows(a);
            } else if (name == "affected" && !haveAffected) {
                haveAffected = true;
                ok = integer(a.rowsAffected);
            }
            if (!ok)
                return false;
        }
        return m_p == m_end && (a.isError() || haveRows || !a.columns.isEmpty() || a.rowsAffected >= 0);
    }

private:
    // The head of a definite-length item of major type `major`.
    bool head(int major, quint64 &arg)
    {
        if (m_p == m_end || (*m_p >> 5) != major)
            return false;
        return argument(arg);
    }

    bool argument(quint64 &arg)
    {
        const int info = *m_p++ & 31;
        if (info < 24) {
            arg = quint64(info);
            return true;
        }
        if (info > 27)
            return false;
        const int bytes = 1 << (info - 24);
        if (m_end - m_p < bytes)
            return false;
        arg = 0;
        for (int i = 0; i < bytes; ++i)
            arg = (arg << 8) | *m_p++;
        return true;
    }

    bool rawText(const char *&utf8, qsizetype &length)
    {
        quint64 n = 0;
        if (!head(3, n) || n > quint64(m_end - m_p))
            return false;
        utf8 = reinterpret_cast<const char *>(m_p);
        length = qsizetype(n);
        m_p += n;
        return true;
    }

    // Texts must be valid UTF-8; one that begins with a byte-order mark is
    // left to the general reader.
    bool text(QString &out)
    {
        const char *s = nullptr;
        qsizetype n = 0;
        if (!rawText(s, n))
            return false;
        bool ascii = true;
        for (qsizetype i = 0; i < n && ascii; ++i)
            ascii = !(s[i] & 0x80);
        if (ascii) {
            out = QString::fromLatin1(s, n);
            return true;
        }
        const QByteArrayView view(s, n);
        if (view.startsWith("\xEF\xBB\xBF") || !view.isValidUtf8())
            return false;
        out = QString::fromUtf8(view);
        return true;
    }

    bool integer(qint64 &out)
    {
        if (m_p == m_end)
            return false;
        const int major = *m_p >> 5;
        quint64 v = 0;
        if ((major != 0 && major != 1) || !argument(v) || v > quint64(std::numeric_limits<qint64>::max()))
            return false;
        out = major == 0 ? qint64(v) : -1 - qint64(v);
        return true;
    }

    bool columns(Answer &a)
    {
        quint64 count = 0;
        if (!head(4, count) || count > quint64(m_end - m_p))
            return false;
        a.columns.reserve(qsizetype(count));
        for (quint64 i = 0; i < count; ++i) {
            quint64 three = 0;
            Column c;
            qint64 type = 0, size = 0;
            if (!head(4, three) || three != 3 || !text(c.name) || !integer(type) || !isKnownType(int(type))
                || type != qint64(int(type)) || !integer(size))
                return false;
            c.type = Type(type);
            c.size = int(size);
            a.columns.append(c);
        }
        return true;
    }

    bool rows(Answer &a)
    {
        quint64 count = 0;
        if (!head(4, count) || count > quint64(m_end - m_p))
            return false;
        const qsizetype n = a.columns.size();
        a.rows.reserve(qsizetype(count));
        m_lastTexts.resize(n);
        for (quint64 r = 0; r < count; ++r) {
            quint64 cells = 0;
            if (!head(4, cells) || cells != quint64(n))
                return false;
            QVariantList row;
            row.reserve(n);
            for (qsizetype i = 0; i < n; ++i) {
                if (!cell(i, a.columns[i].type, row.emplace_back()))
                    return false;
            }
            a.rows.append(std::move(row));
        }
        return true;
    }

    // A cell as coerce() would make it of the value read; false for the
    // values it converts further or refuses.
    bool cell(qsizetype column, Type type, QVariant &out)
    {
        if (m_p == m_end)
            return false;
        const uchar initial = *m_p;
        if (initial == 0xf6 || initial == 0xf7) { // null, undefined
            ++m_p;
            return true;
        }
        switch (type) {
        case Type::String:
            return textCell(column, out);
        case Type::SmallInt:
        case Type::Integer:
        case Type::Currency: {
            qint64 v = 0;
            if (!integer(v))
                return false;
            out = v;
            return true;
        }
        case Type::Float: {
            double d = 0;
            if (initial == 0xfb || initial == 0xfa) {
                quint64 bits = 0;
                if (!argument(bits))
                    return false;
                if (initial == 0xfb) {
                    std::memcpy(&d, &bits, sizeof d);
                } else {
                    const quint32 b32 = quint32(bits);
                    float f = 0;
                    std::memcpy(&f, &b32, sizeof f);
                    d = f;
                }
                if (!std::isfinite(d))
                    return false;
            } else {
                qint64 v = 0;
                if (!integer(v))
                    return false;
                d = double(v);
            }
            out = d;
            return true;
        }
        case Type::Boolean:
            if (initial == 0xf4 || initial == 0xf5 || initial == 0x00 || initial == 0x01) {
                ++m_p;
                out = initial == 0xf5 || initial == 0x01;
                return true;
            }
            return false;
        case Type::DateTime: {
            const char *s = nullptr;
            qsizetype n = 0;
            if (!rawText(s, n))
                return false;
            qsizetype blanks = 0;
            while (blanks < n && isAsciiSpace(s[blanks]))
                ++blanks;
            if (blanks == n) // blank text is null for every kind but text
                return true;
            const QDateTime dt = localDateTimeOfText(s, n);
            if (!dt.isValid())
                return false;
            out = dt;
            return true;
        }
        }
        return false;
    }

    // A text cell. A column often repeats its text from row to row (codes,
    // units, flags): the repeat shares the text read before.
    bool textCell(qsizetype column, QVariant &out)
    {
        const uchar *start = m_p;
        const char *s = nullptr;
        qsizetype n = 0;
        if (!rawText(s, n))
            return false;
        LastText &last = m_lastTexts[column];
        if (last.bytes && last.length == n && std::memcmp(last.bytes, s, size_t(n)) == 0) {
            out = last.text;
            return true;
        }
        m_p = start;
        QString t;
        if (!text(t))
            return false;
        last = {s, n, t};
        out = std::move(t);
        return true;
    }

    struct LastText {
        const char *bytes = nullptr;
        qsizetype length = 0;
        QString text;
    };

    const uchar *m_p;
    const uchar *m_end;
    QList<LastText> m_lastTexts; // by column
};

} // namespace

Answer decodeAnswer(const QByteArray &bytes)
{
    Answer a;
    if (QuickAnswerReader(bytes).read(a))
        return a;
    return decodeAnswerGeneral(bytes);
}

Answer decodeAnswerGeneral(const QByteArray &bytes)
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
