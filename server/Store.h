#pragma once
// The head-office store: an SQLite file in WAL mode, its schema created and
// migrated at start from the versioned scripts of server/store/, and a pool of
// connections (one per concurrent call).

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

    class Lease {
    public:
        Lease(Store &store, std::unique_ptr<SQLite::Database> db) : m_store(&store), m_db(std::move(db)) {}
        Lease(Lease &&) = default;
        ~Lease();
        SQLite::Database &db() { return *m_db; }

    private:
        Store *m_store;
        std::unique_ptr<SQLite::Database> m_db;
    };
    Lease acquire();

    const std::string &path() const { return m_path; }

private:
    std::unique_ptr<SQLite::Database> open();
    void migrate(SQLite::Database &db);
    void release(std::unique_ptr<SQLite::Database> db);

    std::string m_path;
    std::mutex m_mutex;
    std::vector<std::unique_ptr<SQLite::Database>> m_idle;
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
