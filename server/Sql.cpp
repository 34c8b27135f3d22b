#include "Sql.h"

#include <QDateTime>

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

std::vector<std::string> StatementCache::texts() const
{
    std::vector<std::string> out;
    for (const auto &[sql, entry] : m_entries)
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

void bindText(SQLite::Statement &st, int index, const QString &text)
{
    st.bind(index, u8(text));
}

void bindValue(SQLite::Statement &st, int index, const QVariant &value)
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

QString storedDateTime(const QDateTime &value)
{
    return value.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString nowText()
{
    return storedDateTime(QDateTime::currentDateTime());
}


QVariant readColumn(SQLite::Statement &st, int index, wire::Type type)
{
    SQLite::Column c = st.getColumn(index);
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

wire::Answer queryAnswer(SQLite::Statement &st, const Cols &cols)
{
    wire::Answer a;
    for (const Col &c : cols)
        a.columns.append({c.name, c.type, c.size});
    const int n = int(cols.size());
    while (st.executeStep()) {
        QVariantList row;
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.append(readColumn(st, i, cols[i].type));
        a.rows.append(std::move(row));
    }
    return a;
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
