#pragma once
// Small helpers between SQLite statements and wire values.

#include "platform/remote/wire/WireCodec.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <sqlite3.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace hq {

struct Col {
    QString name;
    wire::Type type = wire::Type::String;
    int size = 0;
};
using Cols = QList<Col>;

// Column shorthands for answer declarations.
inline Col T(const char *name, int size = 0) { return {QString::fromLatin1(name), wire::Type::String, size}; }
inline Col I(const char *name) { return {QString::fromLatin1(name), wire::Type::Integer, 0}; }
inline Col F(const char *name) { return {QString::fromLatin1(name), wire::Type::Float, 0}; }
inline Col C(const char *name) { return {QString::fromLatin1(name), wire::Type::Currency, 0}; }
inline Col B(const char *name) { return {QString::fromLatin1(name), wire::Type::Boolean, 0}; }
inline Col DT(const char *name) { return {QString::fromLatin1(name), wire::Type::DateTime, 0}; }

// The prepared statements of one store connection, by SQL text, so that a
// statement is compiled once per connection rather than once per call.
class StatementCache {
public:
    struct Entry {
        std::unique_ptr<SQLite::Statement> statement;
        bool busy = false;
    };
    struct RawEntry {
        sqlite3_stmt *statement = nullptr;
        bool busy = false;
    };
    explicit StatementCache(SQLite::Database &db) : m_db(db) {}
    ~StatementCache();
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;
    // The cached statement of `sql`, prepared on first use; nullptr when it
    // is in use already (a nested use prepares a statement of its own).
    Entry *take(const std::string &sql);
    RawEntry *takeRaw(const std::string &sql); // the same for RawPrepared
    int prepares() const { return m_prepares; }
    std::vector<std::string> texts() const; // the SQL texts held

private:
    SQLite::Database &m_db;
    std::unordered_map<std::string, Entry> m_entries;
    std::unordered_map<std::string, RawEntry> m_raw;
    int m_prepares = 0;
};

// While alive, statements prepared on `db` by this thread come from `cache`
// (the store's lease of a connection sets it for the call it serves).
class StatementCacheScope {
public:
    StatementCacheScope(SQLite::Database &db, StatementCache &cache);
    ~StatementCacheScope();
    StatementCacheScope(const StatementCacheScope &) = delete;
    StatementCacheScope &operator=(const StatementCacheScope &) = delete;

private:
    SQLite::Database *m_prevDb;
    StatementCache *m_prevCache;
};

// A statement to run once: borrowed from the connection's cache when the
// thread has one for `db` (handed back reset and unbound, so it holds no read
// transaction open), prepared for this use alone otherwise.
class Prepared {
public:
    Prepared(SQLite::Database &db, const std::string &sql);
    ~Prepared();
    Prepared(const Prepared &) = delete;
    Prepared &operator=(const Prepared &) = delete;
    SQLite::Statement &operator*() { return *m_st; }
    SQLite::Statement *operator->() { return m_st; }

private:
    std::unique_ptr<SQLite::Statement> m_own;
    StatementCache::Entry *m_entry = nullptr;
    SQLite::Statement *m_st = nullptr;
};

// Column `index` of the current row read through the SQLite library itself,
// with the reads SQLite::Column offers (no wrapper object per cell). The
// column's value is taken once and read with the value functions; the
// connection serves one thread at a time, which that way of reading needs.
class RawColumn {
public:
    RawColumn(sqlite3_stmt *st, int index) : m_value(sqlite3_column_value(st, index)) {}
    int getType() const { return sqlite3_value_type(m_value); }
    bool isNull() const { return getType() == SQLITE_NULL; }
    bool isInteger() const { return getType() == SQLITE_INTEGER; }
    bool isText() const { return getType() == SQLITE_TEXT; }
    bool isBlob() const { return getType() == SQLITE_BLOB; }
    long long getInt64() const { return sqlite3_value_int64(m_value); }
    double getDouble() const { return sqlite3_value_double(m_value); }
    const char *getText(const char *fallback = "") const
    {
        const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(m_value));
        return text ? text : fallback;
    }
    const void *getBlob() const { return sqlite3_value_blob(m_value); }
    int getBytes() const { return sqlite3_value_bytes(m_value); }

private:
    sqlite3_value *m_value;
};

// A statement to run once, like Prepared, held as the SQLite library's own
// statement so that its rows can be read cell by cell at little cost (answers
// written straight to the wire). Its bind/executeStep/getColumn read as
// SQLite::Statement's do and throw SQLite::Exception the same way.
class RawPrepared {
public:
    RawPrepared(SQLite::Database &db, const std::string &sql);
    ~RawPrepared();
    RawPrepared(const RawPrepared &) = delete;
    RawPrepared &operator=(const RawPrepared &) = delete;

    void bind(int index); // null
    void bind(int index, int value);
    void bind(int index, int64_t value);
    void bind(int index, double value);
    void bind(int index, const std::string &utf8);
    bool executeStep(); // true while there is a row
    RawColumn getColumn(int index) const { return {m_st, index}; }
    int getColumnCount() const { return sqlite3_column_count(m_st); }

private:
    void check(int result) const;
    StatementCache::RawEntry *m_entry = nullptr;
    sqlite3_stmt *m_st = nullptr;
};

// Binds a wire value: null, integer, float or text (texts keep U+0000).
void bindValue(SQLite::Statement &st, int index, const QVariant &value);
void bindValue(RawPrepared &st, int index, const QVariant &value);
void bindText(SQLite::Statement &st, int index, const QString &text);
void bindText(RawPrepared &st, int index, const QString &text);

// Reads column `index` of the current row as a value of `type`. Currency
// columns hold won (integer or real) and become ten-thousandths; date-time
// columns hold "yyyy-mm-dd hh:nn:ss" (or "yyyymmdd") texts.
QVariant readColumn(SQLite::Statement &st, int index, wire::Type type);
QVariant readColumn(const RawColumn &column, wire::Type type);

// Runs a prepared (and bound) statement and builds an answer of the given
// columns from its result columns, in order. An empty result keeps the columns.
wire::Answer queryAnswer(SQLite::Statement &st, const Cols &cols);
wire::Answer queryAnswer(RawPrepared &st, const Cols &cols);

// The same answer written straight into its wire bytes: every cell goes from
// the statement to the encoder without a QVariant where the stored value
// needs no conversion, so the bytes equal encodeAnswer(queryAnswer(...)).
QByteArray queryAnswerBytes(RawPrepared &st, const Cols &cols);

// The wire type of a declared SQLite column type (TEXT, INTEGER, REAL,
// CURRENCY, BOOLEAN, DATETIME).
wire::Type typeOfDeclared(const QString &declared);

// A stored date-time text of a value (QDateTime or text).
QString storedDateTime(const QDateTime &value);

QString nowText(); // the server's local time as stored in xxLADT columns

std::string u8(const QString &text); // UTF-8 with every character kept

} // namespace hq
