#include "Store.h"

#include "FixedPointSql.h"

#include <SQLiteCpp/Statement.h>

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>

namespace hq {

const char *storeScript(const char *name)
{
    for (int i = 0; i < kStoreScriptCount; ++i)
        if (std::strcmp(kStoreScripts[i].name, name) == 0)
            return kStoreScripts[i].text;
    return nullptr;
}

namespace {

// "012_name.sql" -> 12; 0 for scripts that are not migrations.
int migrationNumber(const char *name)
{
    if (std::strlen(name) < 5)
        return 0;
    for (int i = 0; i < 3; ++i)
        if (name[i] < '0' || name[i] > '9')
            return 0;
    if (name[3] != '_')
        return 0;
    return std::atoi(std::string(name, 3).c_str());
}

} // namespace

Store::Store(std::string path) : m_path(std::move(path))
{
    // SQLite's memory statistics take one process-wide lock on every
    // allocation, which serialises concurrent calls; we do not read them.
    // Only possible before SQLite starts; when it already runs, nothing changes.
    static std::once_flag once;
    std::call_once(once, [] { sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0); });
    auto db = open();
    db->exec("PRAGMA journal_mode=WAL");
    migrate(*db);
    release(std::make_unique<Connection>(std::move(db)));
}

Store::~Store() = default;

std::unique_ptr<SQLite::Database> Store::open()
{
    auto db = std::make_unique<SQLite::Database>(m_path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE
                                                              | SQLite::OPEN_NOMUTEX);
    db->setBusyTimeout(10000);
    db->exec("PRAGMA foreign_keys=ON");
    db->exec("PRAGMA synchronous=NORMAL");
    registerFixedPointFunctions(*db);
    return db;
}

int Store::schemaVersion()
{
    auto lease = acquire();
    return lease.db().execAndGet("PRAGMA user_version").getInt();
}

// Every migration that ran is recorded in SYS_META ("migration:<file name>"),
// besides the store's version (user_version, the highest number applied). A
// migration numbered above the version runs and must succeed. One at or below
// it that is not recorded belongs to a store migrated before the records
// existed: it either ran then (running it again fails on the objects it made,
// and it is only recorded) or it landed after a higher-numbered one and never
// ran (it runs now). Scripts that may meet this second case create their
// objects with IF NOT EXISTS.
void Store::migrate(SQLite::Database &db)
{
    const auto recorded = [&db](const std::string &key) {
        if (!db.tableExists("SYS_META"))
            return false;
        SQLite::Statement st(db, "SELECT 1 FROM SYS_META WHERE MKEY = ?1");
        st.bind(1, key);
        return st.executeStep();
    };
    const auto record = [&db](const std::string &key) {
        SQLite::Statement st(db, "INSERT OR REPLACE INTO SYS_META (MKEY, MVALUE) VALUES (?1, 'applied')");
        st.bind(1, key);
        st.exec();
    };
    for (int i = 0; i < kStoreScriptCount; ++i) {
        const int n = migrationNumber(kStoreScripts[i].name);
        if (n == 0)
            continue;
        const std::string key = std::string("migration:") + kStoreScripts[i].name;
        inTransaction(db, true, [&] {
            if (recorded(key))
                return;
            const int current = db.execAndGet("PRAGMA user_version").getInt();
            if (n > current) {
                db.exec(kStoreScripts[i].text);
                db.exec("PRAGMA user_version = " + std::to_string(n));
            } else {
                db.exec("SAVEPOINT legacy_migration");
                try {
                    db.exec(kStoreScripts[i].text);
                } catch (const SQLite::Exception &) {
                    db.exec("ROLLBACK TO legacy_migration");
                }
                db.exec("RELEASE legacy_migration");
            }
            record(key);
        });
    }
}

Store::Connection::Connection(std::unique_ptr<SQLite::Database> database)
    : db(std::move(database)), statements(*db)
{
}

Store::Lease::Lease(Store &store, std::unique_ptr<Connection> connection)
    : m_store(&store), m_connection(std::move(connection)), m_scope(*m_connection->db, m_connection->statements)
{
}

Store::Lease Store::acquire()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_idle.empty()) {
            auto connection = std::move(m_idle.back());
            m_idle.pop_back();
            return Lease(*this, std::move(connection));
        }
    }
    return Lease(*this, std::make_unique<Connection>(open()));
}

void Store::release(std::unique_ptr<Connection> connection)
{
    std::lock_guard lock(m_mutex);
    m_idle.push_back(std::move(connection));
}

Store::Lease::~Lease()
{
    if (m_connection && m_store)
        m_store->release(std::move(m_connection));
}

} // namespace hq
