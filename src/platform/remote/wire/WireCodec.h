#pragma once
// The message format between the terminal and the head-office server: one CBOR
// request per HTTP POST on "/BIN" and one CBOR answer. docs/protocol.md
// describes the bytes; this unit is the only code that reads or writes them.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <stdexcept>

namespace wire {

// Value kinds on the wire. The numbers are part of the format.
enum class Type : int {
    String = 1,
    SmallInt = 2,
    Integer = 3,
    Float = 4,
    Currency = 5, // integer of ten-thousandths
    Boolean = 6,
    DateTime = 7, // local "yyyy-MM-ddTHH:mm:ss.zzz"
};

bool isKnownType(int code);
QString typeName(Type type);

enum class Mode : int { Open = 0, Execute = 1 };

// In memory a value is a QVariant: invalid = null; String -> QString,
// SmallInt/Integer/Currency -> qint64, Float -> double, Boolean -> bool,
// DateTime -> QDateTime (local time).
struct Param {
    QString name;
    Type type = Type::String;
    QVariant value;
};

struct Request {
    QString provider;
    QString commandText;
    Mode mode = Mode::Open;
    QList<Param> params;
};

struct Column {
    QString name;
    Type type = Type::String;
    int size = 0; // texts: the declared length; 0 for other kinds
};

struct Answer {
    QList<Column> columns;
    QList<QVariantList> rows;
    qint64 rowsAffected = -1; // execute answers; -1 when not told
    QString error;            // non-empty: the call failed with this message
    bool isError() const { return !error.isEmpty(); }

    static Answer failure(const QString &message);
};

// A request or answer that cannot be read. what() may quote the offending
// value (it goes back to the sender); logText() never does, so that a value
// sent by mistake (a password in the wrong field) never reaches a log.
class DecodeError : public std::runtime_error {
public:
    explicit DecodeError(const std::string &message) : std::runtime_error(message), m_logText(message) {}
    DecodeError(const std::string &message, const std::string &logText)
        : std::runtime_error(message), m_logText(logText) {}
    const std::string &logText() const { return m_logText; }

private:
    std::string m_logText;
};

// Converts a value to the in-memory form of a type. Strict: integers only from
// integral numbers or texts of digits, currency also from decimal texts and
// numbers, floats only finite, booleans only from true/false, 0/1 and their
// texts. Null and blank text give null for non-text kinds. Throws DecodeError
// when the value cannot be read as that type.
QVariant coerce(const QVariant &value, Type type);

QString formatDateTime(const QDateTime &value);
QDateTime parseDateTime(const QString &text); // invalid when the text is not the wire form
// The wire form and the stored forms: "yyyy-MM-dd[(T| )HH:mm[:ss[.zzz]]]", "yyyyMMdd".
QDateTime parseDateTimeText(QStringView text);

// The wire form of a date-time stored as text ("yyyy-MM-dd[ HH:mm[:ss[.zzz]]]",
// "yyyymmdd", blanks around allowed): the 23 characters formatDateTime(
// parseDateTimeText(text)) gives, written to `out`, when they follow from the
// text alone (a valid date-time of a day without a change of the clock's
// offset). False otherwise: the caller takes the general way.
bool wireDateTimeOfStored(const char *text, qsizetype length, char out[23]);

QByteArray encodeRequest(const Request &request);
Request decodeRequest(const QByteArray &bytes);
QByteArray encodeAnswer(const Answer &answer);
Answer decodeAnswer(const QByteArray &bytes);
// decodeAnswer reads the usual answers (definite lengths, cells of their
// column's kind) by a quick way of its own and hands every other form to this
// general reader, which accepts the same answers and words every refusal.
Answer decodeAnswerGeneral(const QByteArray &bytes);

// Writes an answer cell by cell as its rows are read (a server sending rows
// straight from its store): the columns first, then every row's cells in
// column order, then finish(). encodeAnswer() writes through it, so an answer
// gives the same bytes either way.
class AnswerWriter {
public:
    explicit AnswerWriter(QList<Column> columns);

    const QList<Column> &columns() const { return m_columns; }
    qsizetype rowCount() const { return m_rowCount; }

    void beginRow(); // then exactly one cell per column
    void addNull();
    void addInteger(qint64 value); // SmallInt, Integer, Currency (ten-thousandths)
    void addFloat(double value);
    void addBoolean(bool value);
    void addText(const char *utf8, qsizetype length); // String, DateTime (its wire form)
    // A cell of the current column in its in-memory form (null when invalid).
    void addValue(const QVariant &value);
    void reserveRows(qsizetype bytes);

    QByteArray finish(qint64 rowsAffected = -1); // once, at the end

private:
    QList<Column> m_columns;
    QByteArray m_out;
    qsizetype m_rowsHeadAt = 0;
    qsizetype m_rowCount = 0;
    qsizetype m_cell = 0;
};

} // namespace wire
