#pragma once
// One remote call as a procedure sees it: its parameters (looked up by name
// without case and with the leading "@" optional), the store connection inside
// the call's transaction, and the answer being built.

#include "Sql.h"

#include <QHash>

#include <initializer_list>

#include <stdexcept>

namespace hq {

struct Caller;

// A refusal with a message for the terminal. The message may quote a value
// the terminal sent; the log gets `logText`, which must not.
class CallError : public std::runtime_error {
public:
    explicit CallError(const QString &message) : std::runtime_error(message.toStdString()), m_logText(message) {}
    CallError(const QString &message, const QString &logText)
        : std::runtime_error(message.toStdString()), m_logText(logText)
    {
    }
    const QString &logText() const { return m_logText; }

private:
    QString m_logText;
};

class Call {
public:
    Call(SQLite::Database &db, const wire::Request &request);

    SQLite::Database &db;
    const wire::Request &request;
    wire::Answer answer;
    // The terminal (and signed-in user) that sent the call; null for a call
    // the server makes itself.
    const Caller *caller = nullptr;

    static QString normalName(const QString &name); // "@A_CMCD" -> "a_cmcd"

    bool has(const QString &name) const;
    QVariant value(const QString &name) const; // null when missing
    QString text(const QString &name) const;   // "" for null; numbers as decimal text
    // A number from an integer, an integral float or a text of digits
    // (number(): any finite number or decimal text; boolean(): true/false, 0/1);
    // null and blank text give `fallback`; anything else is refused with a CallError.
    qint64 integer(const QString &name, qint64 fallback = 0) const;
    double number(const QString &name, double fallback = 0) const;
    bool boolean(const QString &name, bool fallback = false) const;

    // The parameters as sent, by normal name (last one wins).
    const QHash<QString, QVariant> &params() const { return m_params; }

    // Runs a query (bound by `bind`) into the answer with the declared columns.
    // Runs a query whose ?1, ?2, ... are the texts of the named parameters.
    void open(const Cols &cols, const char *sql, std::initializer_list<const char *> textParams);

    template <typename Bind>
    void open(const Cols &cols, const char *sql, Bind &&bind)
    {
        Prepared st(db, sql);
        bind(*st);
        answer = queryAnswer(*st, cols);
        m_encoded.clear();
    }

    // A select whose rows are the whole answer, as open() with the same
    // arguments (stream: ?1, ?2, ... the texts of the named parameters;
    // streamValues: ?1, ?2, ... the values given). When the answer goes to
    // the wire (Dispatcher::handleEncoded), the rows are written from the
    // statement straight into the answer's bytes, with no value per cell in
    // between, and `answer` stays empty: a procedure that streams leaves
    // `answer` alone afterwards. Otherwise it fills `answer` as open() does.
    void stream(const Cols &cols, const char *sql, std::initializer_list<const char *> textParams);
    void streamValues(const Cols &cols, const char *sql, const QVariantList &values);

    // Set by the dispatcher for a call whose answer is sent as bytes.
    void setAnswerAsBytes(bool asBytes) { m_asBytes = asBytes; }
    // The answer's bytes when the procedure streamed them; empty otherwise.
    QByteArray takeEncoded() { return std::move(m_encoded); }

private:
    // A value of the parameter converted to `type`; refusals name the parameter.
    QVariant converted(const QString &name, wire::Type type) const;
    // The value of a parameter that is neither null nor blank text; invalid otherwise.
    QVariant present(const QString &name) const;
    QHash<QString, QVariant> m_params;
    bool m_asBytes = false;
    QByteArray m_encoded;
};

} // namespace hq
