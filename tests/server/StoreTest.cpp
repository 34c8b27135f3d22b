// The store: migrations, demo seed, one transaction per call, document replacement.

#include "DemoSeed.h"
#include "Documents.h"
#include "ServerTestUtil.h"

#include <QTemporaryDir>

using namespace servertest;

TEST(Store, MigrationsAndDemoSeedRunOnce)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("hq.db")).toStdString();
    int version = 0;
    {
        hq::Store store(path);
        version = store.schemaVersion();
        EXPECT_GE(version, 1);
        EXPECT_TRUE(hq::seedDemo(store, hq::HashCost::Minimal));
        auto lease = store.acquire();
        lease.db().exec("UPDATE F0003 SET PCPRST = '2' WHERE PCPOID = '99'");
    }
    hq::Store again(path); // reopening migrates nothing and keeps the data
    EXPECT_EQ(again.schemaVersion(), version);
    EXPECT_FALSE(hq::seedDemo(again, hq::HashCost::Minimal));
    auto lease = again.acquire();
    EXPECT_EQ(lease.db().execAndGet("SELECT PCPRST FROM F0003 WHERE PCPOID = '99'").getString(), "2");
    EXPECT_EQ(lease.db().execAndGet("SELECT count(*) FROM F0050").getInt(), 4);
    // Passwords are stored hashed only.
    EXPECT_EQ(lease.db().execAndGet("SELECT count(*) FROM F0050 WHERE UIPWHASH LIKE '$argon2id$%'").getInt(), 4);
}

namespace {
class StoreCalls : public ServerSuite {};
} // namespace

TEST_F(StoreCalls, AFailingCallLeavesNothingWritten)
{
    server().dispatcher().registry().add(QStringLiteral("TEST_WRITE_THEN_FAIL"), true, [](hq::Call &call) {
        call.db.exec("INSERT INTO F4500 (FBCMCD, FBNUMB, FBTITL) VALUES ('9999', 900, 'half')");
        throw hq::CallError(QStringLiteral("failed after writing"));
    });
    const wire::Answer a = call(QStringLiteral("[TEST_WRITE_THEN_FAIL]"), {});
    EXPECT_EQ(a.error, QStringLiteral("failed after writing"));
    auto lease = server().store().acquire();
    EXPECT_EQ(lease.db().execAndGet("SELECT count(*) FROM F4500 WHERE FBNUMB = 900").getInt(), 0);
}

TEST(Documents, HeaderSentAgainReplacesTheDocumentAndItsLines)
{
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec("CREATE TABLE H (HCMCD TEXT, HNUMB INTEGER, HNAME TEXT, PRIMARY KEY (HCMCD, HNUMB));"
            "CREATE TABLE L (LCMCD TEXT, LNUMB INTEGER, LSEQ INTEGER, LITEM TEXT, PRIMARY KEY (LCMCD, LNUMB, LSEQ));");
    const hq::DocumentTable doc{QStringLiteral("H"),
                                {QStringLiteral("HCMCD"), QStringLiteral("HNUMB")},
                                {{QStringLiteral("L"), {QStringLiteral("LCMCD"), QStringLiteral("LNUMB")}}},
                                {}};
    const auto header = [&](int numb, const char *name) {
        hq::writeHeader(db, doc, {{QStringLiteral("HCMCD"), QStringLiteral("9999")}, {QStringLiteral("HNUMB"), numb},
                                  {QStringLiteral("HNAME"), QString::fromUtf8(name)}});
    };
    const auto line = [&](int numb, int seq, const char *item) {
        hq::insertRow(db, QStringLiteral("L"), {{QStringLiteral("LCMCD"), QStringLiteral("9999")},
                                                {QStringLiteral("LNUMB"), numb}, {QStringLiteral("LSEQ"), seq},
                                                {QStringLiteral("LITEM"), QString::fromLatin1(item)}});
    };
    header(1, "first");
    line(1, 1, "A");
    line(1, 2, "B");
    line(1, 3, "C");
    header(2, "other");
    line(2, 1, "X");

    // Modified with fewer lines: nothing of the old lines stays behind.
    header(1, "modified");
    line(1, 1, "B");
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM H").getInt(), 2);
    EXPECT_EQ(db.execAndGet("SELECT HNAME FROM H WHERE HNUMB = 1").getString(), "modified");
    EXPECT_EQ(db.execAndGet("SELECT group_concat(LITEM) FROM L WHERE LNUMB = 1").getString(), "B");
    EXPECT_EQ(db.execAndGet("SELECT group_concat(LITEM) FROM L WHERE LNUMB = 2").getString(), "X");

    EXPECT_TRUE(hq::deleteDocument(db, doc, {QStringLiteral("9999"), 2}));
    EXPECT_FALSE(hq::deleteDocument(db, doc, {QStringLiteral("9999"), 2}));
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM L").getInt(), 1);

    // A header without its key, or a name that is not an identifier, is refused.
    EXPECT_THROW(hq::writeHeader(db, doc, {{QStringLiteral("HNAME"), QStringLiteral("x")}}), hq::CallError);
    EXPECT_THROW(hq::insertRow(db, QStringLiteral("L; DROP TABLE H"), {{QStringLiteral("LCMCD"), 1}}), hq::CallError);
}
