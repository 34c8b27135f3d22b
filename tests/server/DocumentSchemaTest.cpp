// The store documents as the Documents helper describes them, on the real schema.

#include "Documents.h"
#include "ServerTestUtil.h"
#include "Store.h"

#include <QTemporaryDir>

#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>

using namespace servertest;

namespace {

class DocumentSchema : public ServerSuite {};

TEST_F(DocumentSchema, EveryDocumentsHeaderSentAgainReplacesItsLines)
{
    const hq::DocumentTable *docs[] = {&hq::docs::purchaseOrder(), &hq::docs::receivedOrder(), &hq::docs::receipt(),
                                       &hq::docs::release(),       &hq::docs::production(),    &hq::docs::jobOrder()};
    auto lease = server().store().acquire();
    SQLite::Database &db = lease.db();
    SQLite::Transaction tx(db); // rolled back: the demo data stays as it was
    for (const hq::DocumentTable *doc : docs) {
        SCOPED_TRACE(doc->header.toStdString());
        const QVariantList key = {QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("209901"), 7};
        hq::RowValues header;
        for (int i = 0; i < key.size(); ++i)
            header.append({doc->headerKey[i], key[i]});
        const auto line = [&](int seq) {
            const hq::DocumentTable::Lines &l = doc->lines.first();
            hq::RowValues v;
            for (int i = 0; i < key.size(); ++i)
                v.append({l.key[i], key[i]});
            v.append({l.key[0].left(2) + QStringLiteral("SEQ"), seq});
            hq::insertRow(db, l.table, v);
        };
        const auto lineCount = [&] {
            const hq::DocumentTable::Lines &l = doc->lines.first();
            SQLite::Statement st(db, hq::u8(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = '209901'")
                                                .arg(l.table, l.key[2])));
            st.executeStep();
            return st.getColumn(0).getInt();
        };
        hq::writeHeader(db, *doc, header);
        line(1);
        line(2);
        EXPECT_EQ(lineCount(), 2);
        hq::writeHeader(db, *doc, header); // a retry or a modification
        line(1);
        EXPECT_EQ(lineCount(), 1);
        EXPECT_TRUE(hq::deleteDocument(db, *doc, key));
        EXPECT_EQ(lineCount(), 0);
    }
}

TEST(DocumentNumberText, MonthDashFiveDigits)
{
    const struct {
        const char *month;
        qint64 number;
        const char *text;
    } cases[] = {{"202406", 12, "202406-00012"}, {"202406", 1, "202406-00001"}, {"202412", 99999, "202412-99999"},
                 {"202412", 123456, "202412-123456"}};
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(hq::numberText(QString::fromLatin1(c.month), c.number), QString::fromLatin1(c.text));
        SQLite::Statement st(db, hq::u8(QStringLiteral("SELECT ") + hq::numberTextSql(QStringLiteral("?1"),
                                                                                      QStringLiteral("?2"))));
        st.bind(1, c.month);
        st.bind(2, static_cast<int64_t>(c.number));
        ASSERT_TRUE(st.executeStep());
        EXPECT_EQ(st.getColumn(0).getString(), c.text);
    }
}

} // namespace

namespace {

// A store migrated to a higher version before the document schema landed gets
// it on the next start, and the migrations that ran before stay as they are.
TEST(DocumentSchemaMigration, AStoreAtAHigherVersionWithoutTheDocumentTablesGetsThem)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("hq.db")).toStdString();
    int version = 0;
    {
        hq::Store store(path);
        version = store.schemaVersion();
        auto lease = store.acquire();
        SQLite::Database &db = lease.db();
        // As such a store looked: no records of the migrations, no order-pattern tables.
        db.exec("DELETE FROM SYS_META WHERE MKEY LIKE 'migration:%'");
        db.exec("DROP TABLE F2111; DROP TABLE F2110");
        db.exec("INSERT INTO F0001 (COCMCD, CONAME) VALUES ('7777', 'kept')");
    }
    hq::Store again(path);
    EXPECT_EQ(again.schemaVersion(), version);
    auto lease = again.acquire();
    SQLite::Database &db = lease.db();
    EXPECT_TRUE(db.tableExists("F2110"));
    EXPECT_TRUE(db.tableExists("F2111"));
    EXPECT_EQ(db.execAndGet("SELECT CONAME FROM F0001 WHERE COCMCD = '7777'").getString(), "kept");
    EXPECT_EQ(db.execAndGet("SELECT count(*) FROM SYS_META WHERE MKEY LIKE 'migration:%'").getInt(),
              db.execAndGet("SELECT count(*) FROM SYS_META WHERE MKEY LIKE 'migration:0%'").getInt());
    EXPECT_GE(db.execAndGet("SELECT count(*) FROM SYS_META WHERE MKEY = 'migration:002_documents.sql'").getInt(), 1);
}

} // namespace
