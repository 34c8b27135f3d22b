// The answer: written by the server (row by row, or from an Answer) and read
// by the terminal (a quick reader for the usual answers, the general one for
// every other).

#include "platform/remote/wire/WireCodecDetail.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace wire {

using namespace detail;

Answer Answer::failure(const QString &message)
{
    Answer a;
    a.error = message.isEmpty() ? QStringLiteral("error") : message;
    return a;
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
