#include "DemoSeed.h"

#include "Access.h"

#include "Sql.h"

#include <SQLiteCpp/Statement.h>

#include <cstring>

namespace hq {

namespace {

struct DemoUser {
    const char *store, *number, *login, *password, *barcode;
    int flags; // 1 = every right flag set
    bool settings, attendance;
    int seq;
};

// IDs and passwords are listed in the README.
const DemoUser kUsers[] = {
    {"9999", "90000001", "1001", "1234", "8800000001", 1, true, true, 1},
    {"9999", "90000002", "1002", "1234", "8800000002", 0, false, false, 2},
    {"9999", "90000003", "1003", "1234", "", 0, false, false, 3},
    {"0001", "90001001", "2001", "1234", "", 1, true, true, 1},
};

int seededVersion(SQLite::Database &db)
{
    SQLite::Statement st(db, "SELECT MVALUE FROM SYS_META WHERE MKEY = 'demo_seed'");
    return st.executeStep() ? st.getColumn(0).getInt() : 0;
}

} // namespace

bool seedDemo(Store &store, HashCost cost)
{
    // Hashing is slow by design: done before the write transaction.
    QList<QString> hashes;
    {
        auto lease = store.acquire();
        if (seededVersion(lease.db()) >= kDemoSeedVersion)
            return false;
    }
    for (const DemoUser &u : kUsers)
        hashes << hashPassword(QString::fromLatin1(u.password), cost);

    auto lease = store.acquire();
    SQLite::Database &db = lease.db();
    return inTransaction(db, true, [&] {
        if (seededVersion(db) >= kDemoSeedVersion)
            return false;
        db.exec(storeScript("seed_demo.sql"));
        // Each business area adds its demo rows in a script of its own,
        // "seed_demo_NN_area.sql", run after the master rows in name order;
        // each begins by deleting the demo company's rows of its tables.
        for (int i = 0; i < kStoreScriptCount; ++i)
            if (std::strncmp(kStoreScripts[i].name, "seed_demo_", 10) == 0)
                db.exec(kStoreScripts[i].text);
        SQLite::Statement ins(db, "INSERT INTO F0050 (UICMCD, UIBUUT, UIADNB, UIPUSR, UIPWHASH, UIBAR, UIYAUG, "
                                  "UIJAUG, UITAUG, UIPAUG, UIHAUG, UIKAUG, UIMAUG, UISAUG, UIGAUG, UIUAUG, UISEQ, "
                                  "UILADT) VALUES ('9999', ?1, ?2, ?3, ?4, ?5, ?6, ?6, ?6, ?6, ?7, ?6, ?6, ?6, ?6, "
                                  "?8, ?9, ?10)");
        for (int i = 0; i < int(std::size(kUsers)); ++i) {
            const DemoUser &u = kUsers[i];
            ins.reset();
            ins.clearBindings();
            ins.bind(1, u.store);
            ins.bind(2, u.number);
            ins.bind(3, u.login);
            bindText(ins, 4, hashes[i]);
            ins.bind(5, u.barcode);
            ins.bind(6, u.flags);
            ins.bind(7, u.settings ? 1 : 0);
            ins.bind(8, u.attendance ? 1 : 0);
            ins.bind(9, u.seq);
            bindText(ins, 10, nowText());
            ins.exec();
        }
        // The demo terminals' keys are fixed and public (README), for the demo only.
        TerminalKeys::set(db, Terminal{QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("99")},
                          QString::fromLatin1(kDemoTerminalKey));
        TerminalKeys::set(db, Terminal{QStringLiteral("9999"), QStringLiteral("0001"), QStringLiteral("01")},
                          QString::fromLatin1(kDemoStore0001Key));
        SQLite::Statement meta(db, "INSERT OR REPLACE INTO SYS_META (MKEY, MVALUE) VALUES ('demo_seed', ?1)");
        meta.bind(1, kDemoSeedVersion);
        meta.exec();
        return true;
    });
}

} // namespace hq
