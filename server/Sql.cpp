#include "Sql.h"

#include <QDateTime>

#include <charconv>
#include <cmath>

namespace hq {

std::string u8(const QString &text)
{
    const QByteArray b = text.toUtf8();
    return std::string(b.constData(), size_t(b.size()));
}

namespace {

thread_local SQLite::Database *t_cacheDb = nullptr;
thread_local StatementCache *t_cache = nullptr;

// Beyond this many texts the cache starts afresh (texts built from column
// lists vary; the procedures' own texts are far fewer).
constexpr size_t kMaxCachedStatements = 512;

} // namespace

StatementCache::Entry *StatementCache::take(const std::string &sql)
{
    auto it = m_entries.find(sql);
    if (it == m_entries.end()) {
        if (m_entries.size() >= kMaxCachedStatements) {
            for (auto e = m_entries.begin(); e != m_entries.end();)
                e = e->second.busy ? std::next(e) : m_entries.erase(e);
        }
        auto st = std::make_unique<SQLite::Statement>(m_db, sql);
        ++m_prepares;
        it = m_entries.emplace(sql, Entry{std::move(st), false}).first;
    } else if (it->second.busy) {
        return nullptr;
    }
    it->second.busy = true;
    return &it->second;
}

StatementCache::~StatementCache()
{
    for (auto &[sql, entry] : m_raw)
        sqlite3_finalize(entry.statement);
}

StatementCache::RawEntry *StatementCache::takeRaw(const std::string &sql)
{
    auto it = m_raw.find(sql);
    if (it == m_raw.end()) {
        if (m_raw.size() >= kMaxCachedStatements) {
            for (auto e = m_raw.begin(); e != m_raw.end();) {
                if (e->second.busy) {
                    ++e;
                    continue;
                }
                sqlite3_finalize(e->second.statement);
                e = m_raw.erase(e);
            }
        }
        sqlite3_stmt *st = nullptr;
        const int rc = sqlite3_prepare_v3(m_db.getHandle(), sql.c_str(), int(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                          &st, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(st);
            throw SQLite::Exception(m_db.getHandle(), rc);
        }
        ++m_prepares;
        it = m_raw.emplace(sql, RawEntry{st, false}).first;
    } else if (it->second.busy) {
        return nullptr;
    }
    it->second.busy = true;
    return &it->second;
}

std::vector<std::string> StatementCache::texts() const
{
    std::vector<std::string> out;
    for (const auto &[sql, entry] : m_entries)
        out.push_back(sql);
    for (const auto &[sql, entry] : m_raw)
        out.push_back(sql);
    return out;
}

StatementCacheScope::StatementCacheScope(SQLite::Database &db, StatementCache &cache)
    : m_prevDb(t_cacheDb), m_prevCache(t_cache)
{
    t_cacheDb = &db;
    t_cache = &cache;
}

StatementCacheScope::~StatementCacheScope()
{
    t_cacheDb = m_prevDb;
    t_cache = m_prevCache;
}

Prepared::Prepared(SQLite::Database &db, const std::string &sql)
{
    if (t_cache && t_cacheDb == &db)
        m_entry = t_cache->take(sql);
    if (m_entry) {
        m_st = m_entry->statement.get();
    } else {
        m_own = std::make_unique<SQLite::Statement>(db, sql);
        m_st = m_own.get();
    }
}

Prepared::~Prepared()
{
    if (!m_entry)
        return;
    m_st->tryReset();
    try {
        m_st->clearBindings(); // never fails in SQLite; SQLiteCpp may still declare a throw
    } catch (...) {
    }
    m_entry->busy = false;
}

RawPrepared::RawPrepared(SQLite::Database &db, const std::string &sql)
{
    if (t_cache && t_cacheDb == &db)
        m_entry = t_cache->takeRaw(sql);
    if (m_entry) {
        m_st = m_entry->statement;
        return;
    }
    const int rc = sqlite3_prepare_v2(db.getHandle(), sql.c_str(), int(sql.size()), &m_st, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_st);
        throw SQLite::Exception(db.getHandle(), rc);
    }
}

RawPrepared::~RawPrepared()
{
    if (!m_entry) {
        sqlite3_finalize(m_st);
        return;
    }
    // Handed back reset and unbound, so it holds no read transaction open.
    sqlite3_reset(m_st);
    sqlite3_clear_bindings(m_st);
    m_entry->busy = false;
}

void RawPrepared::check(int result) const
{
    if (result != SQLITE_OK)
        throw SQLite::Exception(sqlite3_db_handle(m_st), result);
}

void RawPrepared::bind(int index)
{
    check(sqlite3_bind_null(m_st, index));
}

void RawPrepared::bind(int index, int value)
{
    check(sqlite3_bind_int(m_st, index, value));
}

void RawPrepared::bind(int index, int64_t value)
{
    check(sqlite3_bind_int64(m_st, index, value));
}

void RawPrepared::bind(int index, double value)
{
    check(sqlite3_bind_double(m_st, index, value));
}

void RawPrepared::bind(int index, const std::string &utf8)
{
    check(sqlite3_bind_text(m_st, index, utf8.data(), int(utf8.size()), SQLITE_TRANSIENT));
}

bool RawPrepared::executeStep()
{
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw SQLite::Exception(sqlite3_db_handle(m_st), rc);
}

namespace {

template <typename Statement>
void bindValueTo(Statement &st, int index, const QVariant &value)
{
    if (!value.isValid() || value.isNull()) {
        st.bind(index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        st.bind(index, value.toBool() ? 1 : 0);
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        st.bind(index, static_cast<int64_t>(value.toLongLong()));
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        st.bind(index, value.toDouble());
        return;
    case QMetaType::QDateTime:
        bindText(st, index, storedDateTime(value.toDateTime()));
        return;
    default:
        bindText(st, index, value.toString());
        return;
    }
}

} // namespace

void bindText(SQLite::Statement &st, int index, const QString &text)
{
    st.bind(index, u8(text));
}

void bindText(RawPrepared &st, int index, const QString &text)
{
    st.bind(index, u8(text));
}

void bindValue(SQLite::Statement &st, int index, const QVariant &value)
{
    bindValueTo(st, index, value);
}

void bindValue(RawPrepared &st, int index, const QVariant &value)
{
    bindValueTo(st, index, value);
}

QString storedDateTime(const QDateTime &value)
{
    return value.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString nowText()
{
    return storedDateTime(QDateTime::currentDateTime());
}


namespace {

template <typename Column>
QVariant columnValue(const Column &c, wire::Type type)
{
    if (c.isNull())
        return {};
    switch (type) {
    case wire::Type::String: {
        if (c.isText() || c.isBlob()) {
            const char *p = static_cast<const char *>(c.getBlob());
            return QString::fromUtf8(p, c.getBytes());
        }
        if (c.isInteger())
            return QString::number(c.getInt64());
        return QString::number(c.getDouble());
    }
    case wire::Type::SmallInt:
    case wire::Type::Integer:
        if (c.isText()) {
            bool ok = false;
            const qint64 v = QString::fromUtf8(c.getText()).trimmed().toLongLong(&ok);
            return ok ? QVariant(v) : QVariant();
        }
        return qint64(c.getInt64());
    case wire::Type::Float:
        return c.getDouble();
    case wire::Type::Currency:
        if (c.isInteger())
            return qint64(c.getInt64()) * 10000;
        return qint64(std::llround(c.getDouble() * 10000.0));
    case wire::Type::Boolean:
        if (c.isText()) {
            const QString t = QString::fromUtf8(c.getText()).trimmed();
            return t == u"1" || t.compare(u"true", Qt::CaseInsensitive) == 0;
        }
        return c.getInt64() != 0;
    case wire::Type::DateTime: {
        const QDateTime dt = wire::parseDateTimeText(QString::fromUtf8(c.getText()).trimmed());
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    }
    return {};
}

QList<wire::Column> wireColumns(const Cols &cols)
{
    QList<wire::Column> out;
    out.reserve(cols.size());
    for (const Col &c : cols)
        out.append({c.name, c.type, c.size});
    return out;
}

template <typename Statement>
wire::Answer answerOf(Statement &st, const Cols &cols)
{
    wire::Answer a;
    a.columns = wireColumns(cols);
    const int n = int(cols.size());
    while (st.executeStep()) {
        QVariantList row;
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.append(columnValue(st.getColumn(i), cols[i].type));
        a.rows.append(std::move(row));
    }
    return a;
}

// UTF-8 that QString would read and write back unchanged.
bool keepsItsBytes(const char *p, int n)
{
    bool ascii = true;
    for (int i = 0; i < n && ascii; ++i)
        ascii = !(p[i] & 0x80);
    if (ascii)
        return true;
    const QByteArrayView view(p, n);
    return !view.startsWith("\xEF\xBB\xBF") && view.isValidUtf8();
}

// One cell as writeValue(columnValue(c, type)) would write it. The stored
// forms that need no conversion are written as they are; the rest go the
// general way.
void writeCell(wire::AnswerWriter &w, const RawColumn &c, wire::Type type)
{
    const int stored = c.getType();
    if (stored == SQLITE_NULL) {
        w.addNull();
        return;
    }
    switch (type) {
    case wire::Type::Float:
        w.addFloat(c.getDouble());
        return;
    case wire::Type::Currency:
        w.addInteger(stored == SQLITE_INTEGER ? qint64(c.getInt64()) * 10000
                                              : qint64(std::llround(c.getDouble() * 10000.0)));
        return;
    case wire::Type::SmallInt:
    case wire::Type::Integer:
        if (stored != SQLITE_TEXT) {
            w.addInteger(c.getInt64());
            return;
        }
        break;
    case wire::Type::Boolean:
        if (stored != SQLITE_TEXT) {
            w.addBoolean(c.getInt64() != 0);
            return;
        }
        break;
    case wire::Type::String:
        if (stored == SQLITE_TEXT || stored == SQLITE_BLOB) {
            const char *p = static_cast<const char *>(c.getBlob());
            const int n = c.getBytes();
            if (keepsItsBytes(p, n)) {
                w.addText(p, n);
                return;
            }
        } else if (stored == SQLITE_INTEGER) {
            char buf[24];
            const auto end = std::to_chars(buf, buf + sizeof buf, c.getInt64()).ptr;
            w.addText(buf, end - buf);
            return;
        }
        break;
    case wire::Type::DateTime:
        if (stored == SQLITE_TEXT) {
            char out[23];
            const char *text = c.getText();
            if (wire::wireDateTimeOfStored(text, c.getBytes(), out)) {
                w.addText(out, sizeof out);
                return;
            }
        }
        break;
    }
    w.addValue(columnValue(c, type));
}

} // namespace

QVariant readColumn(SQLite::Statement &st, int index, wire::Type type)
{
    return columnValue(st.getColumn(index), type);
}

QVariant readColumn(const RawColumn &column, wire::Type type)
{
    return columnValue(column, type);
}

wire::Answer queryAnswer(SQLite::Statement &st, const Cols &cols)
{
    return answerOf(st, cols);
}

wire::Answer queryAnswer(RawPrepared &st, const Cols &cols)
{
    return answerOf(st, cols);
}

QByteArray queryAnswerBytes(RawPrepared &st, const Cols &cols)
{
    wire::AnswerWriter w(wireColumns(cols));
    const int n = int(cols.size());
    while (st.executeStep()) {
        w.beginRow();
        for (int i = 0; i < n; ++i)
            writeCell(w, st.getColumn(i), cols[i].type);
    }
    return w.finish();
}

wire::Type typeOfDeclared(const QString &declared)
{
    const QString d = declared.trimmed().toUpper();
    if (d == u"BOOLEAN")
        return wire::Type::Boolean;
    if (d == u"DATETIME")
        return wire::Type::DateTime;
    if (d == u"CURRENCY")
        return wire::Type::Currency;
    if (d == u"REAL")
        return wire::Type::Float;
    if (d == u"INTEGER")
        return wire::Type::Integer;
    return wire::Type::String;
}

} // namespace hq
