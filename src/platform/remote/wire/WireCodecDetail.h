#pragma once
// Inside the wire codec (not for its users): the CBOR primitives that the
// request and the answer share, and the date-time reading the quick answer
// reader shares with the date-time texts.

#include "platform/remote/wire/WireCodec.h"

#include <QCborStreamReader>
#include <QSet>
#include <QDateTime>
#include <QStringList>

#include <cstring>

namespace wire::detail {

[[noreturn]] inline void fail(const QString &what)
{
    throw DecodeError(what.toStdString());
}

// A failure whose message for the sender quotes a value and whose log text does not.
[[noreturn]] inline void fail(const QString &what, const QString &logText)
{
    throw DecodeError(what.toStdString(), logText.toStdString());
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

inline void writeText(CborWriter &w, const QString &text)
{
    const QByteArray utf8 = text.toUtf8(); // keeps U+0000 as a 0 byte
    w.appendTextString(utf8.constData(), utf8.size());
}

inline void writeValue(CborWriter &w, Type type, const QVariant &value)
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

inline QString readText(QCborStreamReader &r)
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

inline qint64 readInteger(QCborStreamReader &r)
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
inline QVariant readScalar(QCborStreamReader &r)
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

inline QVariant readValue(QCborStreamReader &r, Type type)
{
    return coerce(readScalar(r), type);
}

inline Type readType(QCborStreamReader &r)
{
    const qint64 code = readInteger(r);
    if (!isKnownType(int(code)) || code != qint64(int(code)))
        fail(QStringLiteral("unknown value type %1").arg(code));
    return Type(code);
}

inline void enterContainer(QCborStreamReader &r, bool map)
{
    if (map ? !r.isMap() : !r.isArray())
        fail(map ? QStringLiteral("map expected") : QStringLiteral("array expected"));
    if (!r.enterContainer())
        fail(QStringLiteral("broken container"));
}

inline void leaveContainer(QCborStreamReader &r)
{
    if (r.hasNext())
        fail(QStringLiteral("too many items"));
    if (!r.leaveContainer())
        fail(QStringLiteral("broken container"));
}

inline void skipItem(QCborStreamReader &r)
{
    if (!r.next())
        fail(QStringLiteral("broken item"));
}

template <typename Fn>
inline void readMap(QCborStreamReader &r, Fn &&onKey)
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

inline void finish(QCborStreamReader &r, const QByteArray &bytes)
{
    if (r.lastError() != QCborError::NoError)
        fail(r.lastError().toString());
    if (r.currentOffset() != bytes.size())
        fail(QStringLiteral("trailing bytes"));
}

inline bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The local date-time of "yyyyMMdd" or "yyyy-MM-dd[(T| )HH:mm[:ss[.zzz]]]"
// in 8-bit text; invalid for any other form or an impossible date or time.
QDateTime localDateTimeOfText(const char *text, qsizetype length);

} // namespace wire::detail
