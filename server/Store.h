#pragma once
// The head-office store: an SQLite file in WAL mode, its schema created and
// migrated at start from the versioned scripts of server/store/, and a pool of
// connections (one per concurrent call).

#include "Sql.h"

#include <SQLiteCpp/Database.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace hq {

struct StoreScript {
    const char *name; // file name, e.g. "001_master.sql"
    const char *text;
};
// Every script of server/store/, sorted by name (generated at build time).
extern const StoreScript kStoreScripts[];
extern const int kStoreScriptCount;
const char *storeScript(const char *name); // nullptr when unknown

class Store {
public:
    explicit Store(std::string path);
    ~Store();

    // Migrations: scripts named "NNN_*.sql" run in order, each once, each in its
    // own transaction; the schema version is the highest number run.
    int schemaVersion();

    // One connection with its prepared statements.
    struct Connection {
        explicit Connection(std::unique_ptr<SQLite::Database> database);
        std::unique_ptr<SQLite::Database> db;
        StatementCache statements; // destroyed before the database
    };

    // A connection for one call; while the lease lives, statements this
    // thread prepares on it through `Prepared` are cached with it.
    class Lease {
    public:
        Lease(Store &store, std::unique_ptr<Connection> connection);
        Lease(Lease &&) = delete;
        ~Lease();
        SQLite::Database &db() { return *m_connection->db; }
        StatementCache &statements() { return m_connection->statements; }

    private:
        Store *m_store;
        std::unique_ptr<Connection> m_connection;
        StatementCacheScope m_scope;
    };
    Lease acquire();

    const std::string &path() const { return m_path; }

private:
    std::unique_ptr<SQLite::Database> open();
    void migrate(SQLite::Database &db);
    void release(std::unique_ptr<Connection> connection);

    std::string m_path;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<Connection>> m_idle;
};

// Runs `fn` inside one transaction: BEGIN IMMEDIATE for writers (so two writers
// queue instead of failing on upgrade), BEGIN for readers; commits on return,
// rolls back on an exception and re-throws it.
template <typename Fn>
auto inTransaction(SQLite::Database &db, bool write, Fn &&fn)
{
    db.exec(write ? "BEGIN IMMEDIATE" : "BEGIN");
    try {
        if constexpr (std::is_void_v<decltype(fn())>) {
            fn();
            db.exec("COMMIT");
        } else {
            auto result = fn();
            db.exec("COMMIT");
            return result;
        }
    } catch (...) {
        try {
            db.exec("ROLLBACK");
        } catch (...) {
        }
        throw;
    }
}

} // namespace hq
