// The central data module: start-up loads against the test server, the
// order-block check, the local tables and the display texts of table orders.

#include "DataModuleFixture.h"
#include "Dispatcher.h"
#include "support/MessageResponder.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSqlQuery>

namespace {

class DataModuleTest : public DataModuleSuite {};

TEST_F(DataModuleTest, StartUpLoadsAgainstTheServer)
{
    ASSERT_TRUE(dm->SDB_Open());
    EXPECT_TRUE(dm->RODataSnapConnection->Connected());
    EXPECT_EQ(dm->ROChannel->TargetUrl(), server().url());
    EXPECT_EQ(dm->ROChannel->UserAgent(), QStringLiteral("KV_9999_9999_99"));

    // The table-order window reloads the users at every refresh: each user once.
    ASSERT_TRUE(dm->LoadJumunList());
    ASSERT_TRUE(dm->LoadJumunList());
    EXPECT_EQ(dm->UserIds, (QStringList{"90000001", "90000002", "90000003"}));
    EXPECT_EQ(dm->UserPusr, (QStringList{"1001", "1002", "1003"}));
    ASSERT_EQ(dm->UserNames.size(), 3);
    EXPECT_EQ(dm->UserNames.first(), QStringLiteral("김관리"));

    ASSERT_TRUE(dm->StockLoadTypeA());
    ASSERT_TRUE(dm->LoadTypeB());
    ASSERT_TRUE(dm->StockLoadItems());
    EXPECT_GT(dm->vtb_SCITK1->RecordCount(), 0);
    EXPECT_GT(dm->vtb_SCITK2->RecordCount(), 0);
    ASSERT_GT(dm->vtb_SCITM->RecordCount(), 0);
    // A second load replaces the rows instead of adding to them.
    const int items = dm->vtb_SCITM->RecordCount();
    ASSERT_TRUE(dm->StockLoadItems());
    EXPECT_EQ(dm->vtb_SCITM->RecordCount(), items);
    EXPECT_FALSE(dm->vtb_SCITM->FieldByName(QStringLiteral("IMITNB")).AsString().isEmpty());
    EXPECT_EQ(dm->vtb_SCITM->FieldByName(QStringLiteral("MHEPRI")).DataType(), FieldType::Currency);
    EXPECT_TRUE(dm->vtb_SCITM->FieldByName(QStringLiteral("lastibgo_uprc")).IsNull());
    EXPECT_TRUE(dm->vtb_SCITM->FieldByName(QStringLiteral("lastchulgo_uprc")).IsNull());

    // The server time moves the application clock back from a day ahead; the
    // computer's clock is not touched.
    os::SetClockOffset(86400000);
    ASSERT_TRUE(dm->GetSrvTime());
    EXPECT_LT(std::llabs(os::ClockOffset()), 3600000);

    EXPECT_TRUE(dm->OpenTables());
    EXPECT_TRUE(dm->vtb_CMCD->Active());
    EXPECT_TRUE(logText().isEmpty()) << logText().toStdString();
}

TEST_F(DataModuleTest, FailuresAreLoggedWithTheirOwnTexts)
{
    MyConfig.SPO = QStringLiteral("1");
    EXPECT_FALSE(dm->SDB_Open());
    EXPECT_TRUE(logText().contains(QStringLiteral("TDM.SDB_Open Error:")));

    MyConfig.SPO = QString::number(server().port());
    ASSERT_TRUE(dm->SDB_Open());
    ASSERT_TRUE(dm->LoadJumunList());
    ASSERT_TRUE(dm->StockLoadItems());
    const int items = dm->vtb_SCITM->RecordCount();

    cutTheLine();
    // The user list of the last good load stays.
    EXPECT_FALSE(dm->LoadJumunList());
    EXPECT_EQ(dm->UserIds.size(), 3);
    EXPECT_FALSE(dm->StockLoadTypeA());
    EXPECT_FALSE(dm->LoadTypeB());
    EXPECT_FALSE(dm->StockLoadItems());
    EXPECT_FALSE(dm->GetSrvTime());
    const QString log = logText();
    EXPECT_TRUE(log.contains(QStringLiteral("TDM.LoadJumunList.cds_LoginList Error:")));
    EXPECT_TRUE(log.contains(QStringLiteral("StockLoadTypeA Error.\r\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("LoadTypeB Error.\r\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("StockLoadItems Error.\r\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("TDM.GetSrvTime Error:")));
    // A query that failed appended nothing and took nothing away.
    EXPECT_EQ(dm->vtb_SCITM->RecordCount(), items);

    // A closed cache is not loaded and nothing is logged.
    dm->vtb_SCITM->Close();
    QFile::remove(LogFileName);
    EXPECT_FALSE(dm->StockLoadItems());
    EXPECT_TRUE(logText().isEmpty());
}

TEST_F(DataModuleTest, ACacheLoadFailingMidwayKeepsTheRowsAppendedBeforeIt)
{
    // A server whose answers go wrong at their third row: a category number
    // that is no number, an item whose price is read as a float.
    TestServer odd;
    odd.start();
    odd.dispatcher().registry().add(QStringLiteral("GP_SELECT_F0060_STOCK_POS_TYPEA"), false, [](hq::Call &call) {
        call.answer.columns = {{QStringLiteral("GKGKID"), wire::Type::String, 3},
                               {QStringLiteral("GKSEQ"), wire::Type::String, 3}};
        call.answer.rows = {{QStringLiteral("001"), QStringLiteral("1")},
                            {QStringLiteral("002"), QStringLiteral("2")},
                            {QStringLiteral("003"), QStringLiteral("x")}};
    });
    odd.dispatcher().registry().add(QStringLiteral("GP_SELECT_F0200_STOCK_POS_ITEMS"), false, [](hq::Call &call) {
        call.answer.columns = {{QStringLiteral("IMITNB"), wire::Type::String, 6},
                               {QStringLiteral("MHEPRI"), wire::Type::Float, 0}};
        call.answer.rows = {{QStringLiteral("100001"), 1234.56787}, {QStringLiteral("100002"), -0.00004}};
    });
    MyConfig.SPO = QString::number(odd.port());
    ASSERT_TRUE(dm->SDB_Open());

    EXPECT_FALSE(dm->StockLoadTypeA());
    ASSERT_EQ(dm->vtb_SCITK1->RecordCount(), 2);
    dm->vtb_SCITK1->Last();
    EXPECT_EQ(dm->vtb_SCITK1->FieldByName(QStringLiteral("GKGKID")).AsString(), QStringLiteral("002"));
    EXPECT_EQ(dm->vtb_SCITK1->FieldByName(QStringLiteral("GKSEQ")).AsInteger(), 2);
    // The fixed text alone, without the message of the failure.
    EXPECT_TRUE(logText().endsWith(QStringLiteral("]  StockLoadTypeA Error.\r\n"))) << logText().toStdString();

    // The price comes as a float and is kept to four decimals.
    ASSERT_TRUE(dm->StockLoadItems());
    ASSERT_EQ(dm->vtb_SCITM->RecordCount(), 2);
    struct Price { const char *item; qint64 raw; };
    for (const Price &p : {Price{"100001", 12345679}, Price{"100002", 0}}) {
        ASSERT_TRUE(dm->vtb_SCITM->Locate(QStringLiteral("IMITNB"), QString::fromLatin1(p.item))) << p.item;
        EXPECT_EQ(dm->vtb_SCITM->FieldByName(QStringLiteral("MHEPRI")).AsCurrency().raw(), p.raw) << p.item;
        EXPECT_TRUE(dm->vtb_SCITM->FieldByName(QStringLiteral("lastibgo_uprc")).IsNull());
    }
    dm->ROChannel->Disconnect(); // let the server stop without waiting for the idle connection
}

TEST_F(DataModuleTest, CheckOrderBlockedShowsTheNoticeOnlyForABlockedSupplier)
{
    ASSERT_TRUE(dm->SDB_Open());
    MessageResponder responder;
    EXPECT_FALSE(dm->CheckOrderBlocked(QStringLiteral("40000001")));
    EXPECT_FALSE(dm->CheckOrderBlocked(QStringLiteral("99999999")));
    EXPECT_TRUE(responder.messages().isEmpty());

    EXPECT_TRUE(dm->CheckOrderBlocked(QStringLiteral("30000009")));
    ASSERT_EQ(responder.messages().size(), 1);
    const MessageResponder::Message &m = responder.messages().first();
    EXPECT_EQ(m.text, QStringLiteral("현재  데모지점매장은 입금기일을 초과하여 미수가 발생하였습니다.\r"
                                     "미수금 입금 후에 발주가 가능하오니 참조 바랍니다."));
    EXPECT_EQ(m.kind, 2);
    EXPECT_EQ(m.stayMs, 5000);

    // The check catches nothing: a failed query reaches the caller.
    cutTheLine();
    EXPECT_THROW(dm->CheckOrderBlocked(QStringLiteral("30000009")), RemoteError);
}

TEST_F(DataModuleTest, LocalDatabaseOpensOnlyWithAServer)
{
    MyConfig.LIP.clear();
    EXPECT_FALSE(dm->LDB_Open());
    EXPECT_FALSE(dm->adt_TBLDTL->Active());
    EXPECT_FALSE(dm->adt_TBLCNF->Active());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("KVLB.db"))));
    EXPECT_TRUE(logText().isEmpty());
    // Without floors the table names need no table.
    MyConfig.LayerCounter = 0;
    EXPECT_TRUE(dm->LoadTableName());
    MyConfig.LayerCounter = 3;
    EXPECT_FALSE(dm->LoadTableName());
    EXPECT_TRUE(logText().contains(QStringLiteral("TDM.LoadTableName Error:")));

    MyConfig.LIP = QStringLiteral("127.0.0.1");
    ASSERT_TRUE(dm->LDB_Open());
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("KVLB.db"))));
    EXPECT_TRUE(dm->adt_TBLDTL->Active());
    EXPECT_TRUE(dm->adt_TBLMMO->Active());
    EXPECT_TRUE(dm->adt_TBLCNF->Active());
    EXPECT_EQ(dm->ds_TBLDTL, dm->adt_TBLDTL);

    MyConfig.LDB.clear();
    EXPECT_FALSE(dm->LDB_Open());
    EXPECT_TRUE(logText().contains(QStringLiteral("TDM.LDB_Open Error:")));
}

// Orders of restaurant tables as the table-order program leaves them.
class TableOrdersTest : public DataModuleSuite {
protected:
    void SetUp() override
    {
        DataModuleSuite::SetUp();
        ASSERT_TRUE(dm->LDB_Open());
        QSqlQuery q(dm->LocalConnection.database());
        const char *rows[] = {
            "INSERT INTO TBLCNF (FL_NO, TBL_NO, TNAME) VALUES (1, 2, '창가3'), (0, 0, '입구1'), (0, 70, '밖')",
            "INSERT INTO TBLDTL (FL_NO, TBL_NO, ITEM_IDX, ITEM_NAME, CASHER, COOKTYPE, SECTION, ORD_DT) VALUES "
            "(2, 3, 7, '아메리카노', '90000002', '001', 2, '2026-12-10 11:05:00'), "
            "(1, 1, 1, '라떼', 'NOBODY', '002', 0, NULL), "
            "(21, 70, 1, '어디', '', '', 0, NULL)",
            "INSERT INTO TBLMMO (FL_NO, TBL_NO, ITEM_IDX, MMO) VALUES "
            "(2, 3, 7, '얼음 적게'), (2, 3, 8, '다른 품목'), (2, 3, 0, '빨리'), (1, 3, 7, '다른 층')",
        };
        for (const char *sql : rows)
            ASSERT_TRUE(q.exec(QString::fromUtf8(sql))) << sql;
        dm->adt_TBLDTL->Refresh();
        dm->adt_TBLMMO->Refresh();
        dm->adt_TBLCNF->Refresh();
    }

    QString shown(int row, const char *field)
    {
        return dm->adt_TBLDTL->displayText(row, dm->adt_TBLDTL->fieldIndex(QLatin1String(field)));
    }
};

TEST_F(TableOrdersTest, TableNamesComeFromTheNamesOfTheFloorBelowInNumbering)
{
    ASSERT_TRUE(dm->LoadTableName());
    EXPECT_EQ(dm->TableNames(2, 3), QStringLiteral("창가3"));
    EXPECT_EQ(dm->TableNames(1, 1), QStringLiteral("입구1"));
    EXPECT_EQ(shown(0, "TableName"), QStringLiteral("창가3"));
    EXPECT_EQ(shown(1, "TableName"), QStringLiteral("입구1"));

    // A layout larger than the names hold: what does not fit is ignored and
    // shows as an empty name.
    MyConfig.LayerCounter = 25;
    MyConfig.TableCount.fill(200);
    EXPECT_TRUE(dm->LoadTableName());
    EXPECT_EQ(dm->TableNames(1, 71), QString());
    EXPECT_EQ(dm->TableNames(0, 0), QString());
    EXPECT_EQ(dm->TableNames(21, 1), QString());
    EXPECT_FALSE(dm->TableNames.set(1, 65, QStringLiteral("x")));
    EXPECT_EQ(shown(2, "TableName"), QString());
}

TEST_F(TableOrdersTest, DisplayTextsOfAnOrderLine)
{
    ASSERT_TRUE(dm->LoadTableName());
    dm->UserIds = QStringList{"90000001", "90000002"};
    dm->UserNames = QStringList{"김관리", "이직원"};
    ASSERT_TRUE(dm->OpenTables());
    DataSet &codes = *dm->vtb_CMCD;
    const auto addCode = [&codes](const char *group, const char *code, const char *name, const char *shortName) {
        codes.Append();
        codes.FieldByName(QStringLiteral("CDGUCD")).setAsString(QString::fromUtf8(group));
        codes.FieldByName(QStringLiteral("CDSSCD")).setAsString(QString::fromUtf8(code));
        codes.FieldByName(QStringLiteral("CDNAME")).setAsString(QString::fromUtf8(name));
        codes.FieldByName(QStringLiteral("CDSNAM")).setAsString(QString::fromUtf8(shortName));
        codes.Post();
    };
    addCode("58", "001", "다른 묶음", "");
    addCode("59", "001", "매운맛 아주 강하게", "");
    addCode("59", "002", "긴 이름", "순한맛");
    // A filter left on the code table does not hide the cooking options.
    codes.setFilter(QStringLiteral("CDGUCD = '58'"));
    codes.setFiltered(true);

    os::SetNow(QDateTime(QDate(2026, 12, 10), QTime(12, 30, 30)));
    MyConfig.UseCustSection = true;

    struct Case {
        int row;
        const char *field;
        QString expected;
    };
    const Case cases[] = {
        {0, "TEMP", QStringLiteral("11:05(01:25)")},
        {1, "TEMP", QString()},
        {0, "TEMP2", QStringLiteral("이직원")},
        {1, "TEMP2", QString()},
        {0, "TEMP3", QStringLiteral("매운맛 ")}, // 8 bytes: the next syllable would split
        {1, "TEMP3", QStringLiteral("순한맛")},
        {0, "TEMP4", QStringLiteral("3")},
        {1, "TEMP4", QStringLiteral("1")},
        {0, "TableMemo", QStringLiteral("얼음 적게, 빨리")},
        {1, "TableMemo", QString()},
        {0, "TableBenho", QStringLiteral("1")},
        {1, "TableBenho", QStringLiteral("2")},
        {2, "POS_NO", QStringLiteral("3")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(shown(c.row, c.field), c.expected) << c.field << " of row " << c.row;

    MyConfig.UseCustSection = false;
    EXPECT_EQ(shown(0, "TEMP4"), QString());
}

} // namespace
