// The local database: file creation, WAL and busy time-out, the three tables,
// and the write-back of LocalTable next to a second writer.

#include "platform/localdb/LocalDatabase.h"
#include "platform/localdb/LocalTable.h"
#include "platform/os/ProgramFile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

struct AppEnvironment : ::testing::Environment {
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "test_localdb";
        static char *argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            app = new QCoreApplication(argc, argv);
    }
    QCoreApplication *app = nullptr;
};
[[maybe_unused]] auto *const appEnvironment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// A second connection to the same file, as the table-order program has.
struct OtherWriter {
    explicit OtherWriter(const QString &path) : name(QStringLiteral("other-writer"))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        EXPECT_TRUE(db.open());
    }
    ~OtherWriter()
    {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    void exec(const QString &sql)
    {
        QSqlQuery q(QSqlDatabase::database(name, false));
        ASSERT_TRUE(q.exec(sql)) << q.lastError().text().toStdString() << " in " << sql.toStdString();
    }
    QVariant scalar(const QString &sql)
    {
        QSqlQuery q(QSqlDatabase::database(name, false));
        EXPECT_TRUE(q.exec(sql) && q.next()) << sql.toStdString();
        return q.value(0);
    }
    QString name;
};

class LocalDbTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD")));
        path = LocalDatabase::filePathFor(QStringLiteral("KVLB"));
    }
    void TearDown() override { os::SetProgramFilePath(QString()); }

    QTemporaryDir dir;
    QString path;
};

TEST_F(LocalDbTest, OpenCreatesTheTablesInWalModeWithBusyTimeout)
{
    EXPECT_EQ(path, dir.filePath(QStringLiteral("KVLB.db")));
    LocalDatabase db;
    db.open(path);
    ASSERT_TRUE(db.isOpen());

    QSqlQuery q(db.database());
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("wal"));
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA busy_timeout")) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 5000);

    for (const LocalTableSchema *schema : LocalSchemas()) {
        QStringList columns;
        ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(schema->name))));
        while (q.next())
            columns << q.value(1).toString();
        EXPECT_EQ(columns, schema->storedColumnNames()) << schema->name;
    }
    EXPECT_TRUE(TBLDTLSchema().find(QStringLiteral("ckdate")));
    EXPECT_FALSE(TBLDTLSchema().storedColumnNames().contains(QStringLiteral("TableMemo")));

    // Reopening keeps what is there.
    {
        OtherWriter other(path);
        other.exec(QStringLiteral("INSERT INTO TBLCNF (FL_NO, TBL_NO, TNAME) VALUES (0, 0, '창가1')"));
    }
    db.close();
    EXPECT_FALSE(db.isOpen());
    db.open(path);
    QSqlQuery count(db.database());
    ASSERT_TRUE(count.exec(QStringLiteral("SELECT TNAME FROM TBLCNF")) && count.next());
    EXPECT_EQ(count.value(0).toString(), QStringLiteral("창가1"));
}

TEST_F(LocalDbTest, OpenRefusesWhatItCannotOpen)
{
    LocalDatabase db;
    EXPECT_THROW(db.open(dir.filePath(QStringLiteral(".db"))), LocalDbError);
    EXPECT_THROW(db.open(dir.filePath(QStringLiteral("missing/folder/KVLB.db"))), LocalDbError);
    EXPECT_FALSE(db.isOpen());

    LocalTable table(db);
    table.setTableName(QStringLiteral("TBLCNF"));
    EXPECT_THROW(table.Open(), LocalDbError);
    EXPECT_FALSE(table.Active());
    EXPECT_THROW(table.setTableName(QStringLiteral("NOSUCH")), LocalDbError);
}

TEST_F(LocalDbTest, ReadsTypedRowsAndWritesBackOnlyWhatChanged)
{
    LocalDatabase db;
    db.open(path);
    OtherWriter other(path);
    other.exec(QStringLiteral(
        "INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, ITEM_NAME, ITEM_PRICE, SV_On, ORD_DT, ITEM_QTY) "
        "VALUES (2, 3, 7, '아메리카노', 4500.5, 1, '2026-12-10 09:15:00.000', 2)"));
    other.exec(QStringLiteral("INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, ITEM_NAME) VALUES (1, 1, 1, '라떼')"));

    LocalTable table(db);
    table.setTableName(QStringLiteral("TBLDTL"));
    table.Open();
    ASSERT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(table.FieldByName(QStringLiteral("fl_no")).AsInteger(), 2);
    EXPECT_EQ(table.FieldByName(QStringLiteral("ITEM_NAME")).AsString(), QStringLiteral("아메리카노"));
    EXPECT_EQ(table.FieldByName(QStringLiteral("ITEM_PRICE")).AsCurrency(), Currency::fromRaw(45005000));
    EXPECT_TRUE(table.FieldByName(QStringLiteral("SV_On")).AsBoolean());
    EXPECT_EQ(table.FieldByName(QStringLiteral("ORD_DT")).AsDateTime(),
              QDateTime(QDate(2026, 12, 10), QTime(9, 15)));
    EXPECT_TRUE(table.FieldByName(QStringLiteral("CKDATE")).IsNull());
    EXPECT_TRUE(table.FieldByName(QStringLiteral("TableMemo")).IsNull());

    // The other program changes the quantity after we read the row; our
    // confirmation must not put the old quantity back.
    other.exec(QStringLiteral("UPDATE TBLDTL SET ITEM_QTY = 5 WHERE ITEM_IDX = 7"));
    const QDateTime confirmed(QDate(2026, 12, 10), QTime(10, 0, 0, 250));
    table.Edit();
    table.FieldByName(QStringLiteral("CKDATE")).setAsDateTime(confirmed);
    table.Post();
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT ITEM_QTY FROM TBLDTL WHERE ITEM_IDX = 7")).toDouble(), 5.0);
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT CKDATE FROM TBLDTL WHERE ITEM_IDX = 7")).toString(),
              QStringLiteral("2026-12-10 10:00:00.250"));

    // A row the other program deleted meanwhile is not brought back.
    table.Next();
    other.exec(QStringLiteral("DELETE FROM TBLDTL WHERE ITEM_IDX = 1"));
    table.Edit();
    table.FieldByName(QStringLiteral("CKDATE")).setAsDateTime(confirmed);
    EXPECT_NO_THROW(table.Post());
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT COUNT(*) FROM TBLDTL")).toInt(), 1);

    // Refresh reads the table again and keeps the filter.
    table.setFilter(QStringLiteral("(CKDATE = NULL OR CKDATE < '2000-01-01 12:00:00')"));
    table.setFiltered(true);
    other.exec(QStringLiteral("INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, CKDATE) VALUES (1, 2, 9, NULL)"));
    other.exec(QStringLiteral("INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, CKDATE) VALUES (1, 2, 10, '1999-12-31 00:00:00')"));
    table.Refresh();
    ASSERT_EQ(table.RecordCount(), 2);
    EXPECT_EQ(table.FieldByName(QStringLiteral("ITEM_IDX")).AsInteger(), 9);
    table.Next();
    EXPECT_EQ(table.FieldByName(QStringLiteral("ITEM_IDX")).AsInteger(), 10);
}

TEST_F(LocalDbTest, AppendInsertsAndDeleteRemovesTheRow)
{
    LocalDatabase db;
    db.open(path);
    LocalTable table(db);
    table.setTableName(QStringLiteral("TBLMMO"));
    table.Open();
    table.Append();
    table.FieldByName(QStringLiteral("FL_NO")).setAsInteger(1);
    table.FieldByName(QStringLiteral("MMO")).setAsString(QStringLiteral("얼음 적게"));
    table.Post();
    EXPECT_FALSE(table.FieldByName(QStringLiteral("ROWID")).IsNull());

    OtherWriter other(path);
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT MMO FROM TBLMMO")).toString(), QStringLiteral("얼음 적게"));
    table.Edit();
    table.FieldByName(QStringLiteral("MMO")).setAsString(QStringLiteral("뜨겁게"));
    table.Post();
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT MMO FROM TBLMMO")).toString(), QStringLiteral("뜨겁게"));
    table.Delete();
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT COUNT(*) FROM TBLMMO")).toInt(), 0);
    EXPECT_EQ(table.RecordCount(), 0);
}

// A second process inserts rows in many short transactions while this one
// keeps re-reading the table and confirming rows: nothing here may fail, and
// nothing of either writer is lost.
TEST_F(LocalDbTest, SecondProcessWritingMeanwhileDoesNotFailUs)
{
    const QString sqlite = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite.isEmpty())
        GTEST_SKIP() << "sqlite3 command not installed";

    LocalDatabase db;
    db.open(path);
    {
        OtherWriter seed(path);
        seed.exec(QStringLiteral("INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX) VALUES (1, 1, 0)"));
    }

    constexpr int inserts = 400;
    QByteArray script = ".timeout 5000\n";
    for (int i = 1; i <= inserts; ++i)
        script += QStringLiteral("BEGIN IMMEDIATE; INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, ITEM_NAME) "
                                 "VALUES (1, 2, %1, '품목%1'); COMMIT;\n").arg(i).toUtf8();
    QProcess writer;
    writer.start(sqlite, {path});
    ASSERT_TRUE(writer.waitForStarted());
    writer.write(script);
    writer.closeWriteChannel();

    LocalTable table(db);
    table.setTableName(QStringLiteral("TBLDTL"));
    table.Open();
    int confirmations = 0;
    const QDateTime stamp(QDate(2026, 12, 10), QTime(12, 0));
    do {
        ASSERT_NO_THROW(table.Refresh());
        ASSERT_NO_THROW({
            table.Last();
            table.Edit();
            table.FieldByName(QStringLiteral("CKDATE")).setAsDateTime(stamp);
            table.Post();
        });
        ++confirmations;
    } while (!writer.waitForFinished(0) && confirmations < 100000);
    ASSERT_TRUE(writer.state() == QProcess::NotRunning || writer.waitForFinished(60000));
    EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();

    table.Refresh();
    EXPECT_EQ(table.RecordCount(), inserts + 1);
    EXPECT_GT(confirmations, 0);
    OtherWriter check(path);
    EXPECT_GE(check.scalar(QStringLiteral("SELECT COUNT(*) FROM TBLDTL WHERE CKDATE IS NOT NULL")).toInt(), 1);
}

} // namespace
