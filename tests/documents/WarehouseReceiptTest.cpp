// The warehouse receipt against the in-process server and its demo orders:
// receiving an open order (this month's and last month's), the amounts by
// tax kind, the remainder close, a failed save and its retry, the refused
// saves, and the history list; the receipt rules by tables.

#include "documents/ReceiptRules.h"
#include "documents/U10021_Warehouse.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "DocumentsFixture.h"
#include "ShellTestUtil.h"
#include "documents/SupplierCombos.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "support/MessageResponder.h"
#include "ui_U10021_Warehouse.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

namespace {

TEST(ReceiptRules, LineAmountsByTaxKind)
{
    struct Case {
        const char *kind;
        Currency amount;
        ReceiptLineAmounts expected;
    };
    const Case cases[] = {
        {"1", Currency(10000), {10000, 9090, 910}},
        {"2", Currency(10000), {11000, 10000, 1000}},
        {"3", Currency(10000), {10000, 10000, 0}},
        {"1", Currency(33), {33, 30, 3}},
        {"2", Currency::fromDouble(10.9999), {11, 10, 1}},
        {"4", Currency::fromDouble(99.5), {99, 99, 0}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LineAmounts(c.amount, QLatin1String(c.kind)), c.expected) << c.kind << " " << c.amount.toDouble();
}

TEST(ReceiptRules, CompletionAndHistoryTexts)
{
    EXPECT_EQ(CompletionFlag({{2.5, 2.4}}), QStringLiteral("1"));
    EXPECT_EQ(CompletionFlag({{2.5, 2.5}, {3, 3}}), QStringLiteral("2"));
    EXPECT_EQ(CompletionFlag({{2.5, 2.5}, {3, 2}}), QStringLiteral("1"));
    EXPECT_EQ(CompletionFlag({{0.1 + 0.2, 0.3}}), QStringLiteral("2"));
    EXPECT_EQ(CompletionFlag({}), QStringLiteral("2"));
    EXPECT_EQ(HistoryCheck(QStringLiteral("2")), QStringLiteral("완"));
    EXPECT_EQ(HistoryCheck(QStringLiteral("1")), QStringLiteral("미"));
    EXPECT_EQ(HistoryNumber(QStringLiteral("202612-00007"), QStringLiteral("09")), QStringLiteral("261209-00007"));
    EXPECT_TRUE(HistoryListsReceipt(80000));
    EXPECT_FALSE(HistoryListsReceipt(80001));
    ASSERT_TRUE(TaxKindOfOrder(QStringLiteral("3")).has_value());
    EXPECT_EQ(TaxKindOfOrder(QStringLiteral("3"))->kindCode, QStringLiteral("003"));
    EXPECT_EQ(TaxKindOfOrder(QStringLiteral("2"))->comboText, QStringLiteral("별도"));
    EXPECT_FALSE(TaxKindOfOrder(QStringLiteral("9")).has_value());
}

const char *kThisMonth = "strftime('%Y%m', 'now', 'localtime')";

class WarehouseReceipt : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        // Back to the demo state: only the seeded receipt, every order open
        // but the two closed ones of the history (number 60).
        exec("DELETE FROM F3101 WHERE WDCMCD = '9999' AND NOT (WDNUMB = 1 AND WDMONTH = strftime('%Y%m', 'now',"
             " 'localtime', '-2 day') AND WDITNB IN ('100001', '100002'));"
             "DELETE FROM F3100 WHERE WHCMCD = '9999' AND NOT (WHNUMB = 1 AND WHDATE = strftime('%Y%m%d', 'now',"
             " 'localtime', '-2 day'));"
             "UPDATE F3100 SET WHBIGO = '2' WHERE WHCMCD = '9999';"
             "UPDATE F2100 SET PHEDFL = 0 WHERE PHCMCD = '9999' AND PHNUMB <> 60;"
             "UPDATE F2100 SET PHTXGU = '3' WHERE PHCMCD = '9999' AND PHNUMB = 2;"
             "UPDATE F2400 SET OHEDFL = 0 WHERE OHCMCD = '9999' AND OHNUMB <> 60;");
        MyConfig.UIADNB = QStringLiteral("90000001");
        rights.AddField(QStringLiteral("slpgid"), FieldType::String, 40);
        rights.AddField(QStringLiteral("wrau"), FieldType::Boolean);
        rights.Open();
        rights.Append();
        rights.FieldByName(QStringLiteral("slpgid")).setAsString(QStringLiteral("F30_WAREHOUSEENTRY"));
        rights.FieldByName(QStringLiteral("wrau")).setAsBoolean(true);
        rights.Post();
        SetProgramRights(&rights);
        w = std::make_unique<TF10021_Warehouse>();
        w->show();
        w->activateWindow();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        w.reset();
        DocumentsSuite::TearDown();
    }

    // Touches the open order of that number (and supplier).
    void touchOrder(int number, const char *supplier)
    {
        ASSERT_TRUE(w->cds_F2100_hed->Locate(QStringLiteral("PHNUMB;PHADNB"),
                                             QVariantList{number, QString::fromLatin1(supplier)}))
            << "order " << number << " is not listed";
        w->grid_StockItemsCellClick();
    }

    void touchPattern(int number)
    {
        ASSERT_TRUE(w->cds_F2110_s->Locate(QStringLiteral("AHNUMB"), number));
        w->grid_PetenlistCellClick();
    }

    QStringList lines() const
    {
        QStringList out;
        DataSet &b = *w->VTB_PATTERNBALJU;
        for (int row = 0; row < b.rowCount(); ++row) {
            DataSet::RowScope scope(b, row);
            out << QStringLiteral("%1 %2 %3").arg(b.FieldByName("ADSEQ").AsInteger()).arg(b.FieldByName("IMNAME").AsString()).arg(b.FieldByName("ADQTY").AsFloat());
        }
        return out;
    }

    void setQuantity(int row, double quantity)
    {
        DataSet &b = *w->VTB_PATTERNBALJU;
        b.setRecNo(row);
        b.Edit();
        b.FieldByName("ADQTY").setAsFloat(quantity);
        b.Post();
    }

    // Saves with "yes" to the question.
    void save(MessageResponder &responder)
    {
        responder.answer(mrYes);
        w->btn_MenuClick();
    }

    static int newReceipts()
    {
        return scalar("SELECT COUNT(*) FROM F3100 WHERE WHCMCD = '9999' AND WHBUUT = '9999' AND WHPGID ="
                      " 'F10021_Warehouse' AND NOT (WHNUMB = 1 AND WHDATE = strftime('%Y%m%d', 'now', 'localtime',"
                      " '-2 day'))");
    }
    static QString text(const std::string &sql)
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), sql);
        return st.executeStep() ? QString::fromStdString(st.getColumn(0).getString()) : QStringLiteral("<none>");
    }
    // The new receipt's lines: "seq item qty amount/supply/vat order-month/number/line".
    static QStringList savedLines()
    {
        QStringList out;
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(),
                             "SELECT d.WDSEQ, d.WDITNB, d.WDQTY, d.WDAMT, d.WDGAMT, d.WDTAX,"
                             " COALESCE(d.WDRFMONTH, '-') || '/' || COALESCE(d.WDRFNUMB, '-') || '/' ||"
                             " COALESCE(d.WDRFSEQ, '-') FROM F3101 d JOIN F3100 h ON h.WHCMCD = d.WDCMCD"
                             " AND h.WHBUUT = d.WDBUUT AND h.WHMONTH = d.WDMONTH AND h.WHNUMB = d.WDNUMB"
                             " WHERE d.WDCMCD = '9999' AND NOT (h.WHNUMB = 1 AND h.WHDATE = strftime('%Y%m%d', 'now',"
                             " 'localtime', '-2 day')) ORDER BY d.WDMONTH, d.WDNUMB, d.WDSEQ");
        while (st.executeStep())
            out << QStringLiteral("%1 %2 %3 %4/%5/%6 %7")
                       .arg(st.getColumn(0).getInt())
                       .arg(QString::fromStdString(st.getColumn(1).getString()))
                       .arg(st.getColumn(2).getDouble())
                       .arg(st.getColumn(3).getInt64())
                       .arg(st.getColumn(4).getInt64())
                       .arg(st.getColumn(5).getInt64())
                       .arg(QString::fromStdString(st.getColumn(6).getString()));
        return out;
    }
    static QString monthOf(int order, const char *supplier)
    {
        return text(std::string("SELECT PHMONTH FROM F2100 WHERE PHCMCD = '9999' AND PHNUMB = ") + std::to_string(order)
                    + " AND PHADNB = '" + supplier + "'");
    }
    static QString remainders(int order, const char *supplier)
    {
        return text(std::string("SELECT group_concat(printf('%g', s.remainder), ',') FROM V_PO_LINE_STATE s JOIN F2100 h"
                                " ON h.PHCMCD = s.cmcd AND h.PHBUUT = s.buut AND h.PHMONTH = s.month AND h.PHNUMB = s.numb"
                                " WHERE h.PHCMCD = '9999' AND h.PHNUMB = ")
                    + std::to_string(order) + " AND h.PHADNB = '" + supplier + "' ORDER BY s.seq");
    }
    bool listsOrder(int number, const char *supplier) const
    {
        return w->cds_F2100_hed->Locate(QStringLiteral("PHNUMB;PHADNB"),
                                        QVariantList{number, QString::fromLatin1(supplier)});
    }

    void searchHistory(const QDate &from, const QDate &to)
    {
        w->form().date_SdSearch1->setDate(from);
        w->form().date_SdSearch2->setDate(to);
        w->btn_SdStockHedsearchClick();
    }
    QStringList history() const
    {
        QStringList out;
        DataSet &h = *w->vtb_3100_hed;
        for (int row = 0; row < h.rowCount(); ++row) {
            DataSet::RowScope scope(h, row);
            out << h.FieldByName("check").AsString() + " " + h.FieldByName("bunho").AsString() + " "
                       + h.FieldByName("WHADNB_name").AsString();
        }
        return out;
    }

    DataSet rights;
    std::unique_ptr<TF10021_Warehouse> w;
};

TEST_F(WarehouseReceipt, ReceivingAnOpenOrderWritesOneReceiptNamingTheOrderLines)
{
    MessageResponder responder;
    touchOrder(2, "40000001");
    EXPECT_EQ(lines(), (QStringList{"1 강력분 2", "2 설탕 5"}));
    EXPECT_EQ(w->form().Edit4->text(), QStringLiteral("40000001"));
    EXPECT_EQ(w->form().lab_JijemAalrim->text(), QStringLiteral("데모제분"));
    EXPECT_EQ(w->form().Edit7->text(), QStringLiteral("3"));
    EXPECT_EQ(w->form().combo_Tax->currentText(), QStringLiteral("면세"));
    EXPECT_FALSE(w->form().CMB_ADNBNAME->isEnabled());

    // 설탕 corrected from 5 to 4 on the key pad.
    w->VTB_PATTERNBALJU->setRecNo(2);
    w->KeyPadMouseUp(52);
    if (qEnvironmentVariableIsSet("RALD_SHOT_DIR")) {
        w->form().PageControl1->setCurrentIndex(0);
        w->grab().save(qEnvironmentVariable("RALD_SHOT_DIR") + QStringLiteral("/receipt.png"));
    }
    save(responder);

    ASSERT_EQ(responder.questions().size(), 1);
    EXPECT_EQ(responder.questions()[0].text, QStringLiteral("데모제분거래처의 입고 내역을 입고 하시겠습니까?"));
    EXPECT_TRUE(responder.notices().isEmpty()) << responder.texts().join('|').toStdString();
    ASSERT_EQ(newReceipts(), 1);
    EXPECT_EQ(text(std::string("SELECT WHMONTH || ' ' || WHADNB || ' ' || WHTXGU || ' ' || WHKSGU || ' ' || WHBIGO"
                               " || ' ' || WHWORK FROM F3100 WHERE WHCMCD = '9999' AND WHDATE = strftime('%Y%m%d',"
                               " 'now', 'localtime')")),
              text(std::string("SELECT ") + kThisMonth) + QStringLiteral(" 40000001 3 003 1 90000001"));
    const QString ref = monthOf(2, "40000001") + QStringLiteral("/2/");
    EXPECT_EQ(savedLines(), (QStringList{"1 500001 2 80000/80000/0 " + ref + "1", "2 500002 4 12000/12000/0 " + ref + "2"}));
    EXPECT_EQ(text("SELECT group_concat(WDBAQTY, ',') FROM F3101 WHERE WDCMCD = '9999' AND WDITNB = '500002'"),
              QStringLiteral("4.0"));

    EXPECT_EQ(remainders(2, "40000001"), QStringLiteral("0,1"));
    EXPECT_TRUE(listsOrder(2, "40000001"));
    EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 0);
    EXPECT_EQ(w->form().Edit4->text(), QStringLiteral("주소번호"));
    EXPECT_EQ(w->form().Edit3->text(), QStringLiteral("0"));
    EXPECT_EQ(w->form().Edit7->text(), QStringLiteral("1"));
    EXPECT_EQ(w->form().combo_Tax->currentText(), QStringLiteral("포함"));
    EXPECT_TRUE(w->form().CMB_ADNBNAME->isEnabled());
    EXPECT_EQ(w->form().CMB_ADNBNAME->currentIndex(), -1);
    EXPECT_FALSE(w->Number().holds());
}

TEST_F(WarehouseReceipt, LineAmountsFollowTheOrdersTaxKind)
{
    // 강력분 at 40,000 per 포대: a quarter makes A = 10,000.
    const struct {
        const char *kind;
        const char *amounts;
    } cases[] = {{"1", "10000/9090/910"}, {"2", "11000/10000/1000"}, {"3", "10000/10000/0"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.kind);
        exec(std::string("DELETE FROM F3101 WHERE WDCMCD = '9999' AND WDMONTH = ") + kThisMonth + " AND WDNUMB > 1;"
             "DELETE FROM F3100 WHERE WHCMCD = '9999' AND WHDATE = strftime('%Y%m%d', 'now', 'localtime');"
             "UPDATE F2100 SET PHTXGU = '" + c.kind + "' WHERE PHCMCD = '9999' AND PHNUMB = 2;");
        w->LoadScreen();
        MessageResponder responder;
        touchOrder(2, "40000001");
        setQuantity(1, 0.25);
        save(responder);
        const QStringList saved = savedLines();
        ASSERT_EQ(saved.size(), 2);
        EXPECT_EQ(saved[0].section(' ', 3, 3), QLatin1String(c.amounts));
        EXPECT_EQ(text("SELECT WHTXGU FROM F3100 WHERE WHCMCD = '9999' AND WHDATE = strftime('%Y%m%d', 'now', 'localtime')"),
                  QLatin1String(c.kind));
    }
}

TEST_F(WarehouseReceipt, LastMonthsOrderReceivedThisMonthLowersItsRemainder)
{
    MessageResponder responder;
    const QString lastMonth = text("SELECT strftime('%Y%m', 'now', 'localtime', 'start of month', '-1 month')");
    touchOrder(90, "0001");
    EXPECT_EQ(w->form().date_Wantdate->date().toString("yyyyMM"), lastMonth);
    w->form().date_Wantdate->setDate(QDate::currentDate());
    setQuantity(1, 4);
    save(responder);
    EXPECT_EQ(savedLines(), (QStringList{"1 100002 4 2800/2545/255 " + lastMonth + "/90/1"}));
    EXPECT_EQ(remainders(90, "0001"), QStringLiteral("6"));
}

TEST_F(WarehouseReceipt, ClosingTheRemainderFromTheHistory)
{
    MessageResponder responder;
    touchOrder(2, "40000001");
    setQuantity(2, 4);
    save(responder);
    const QDate today = QDate::currentDate();
    searchHistory(today, today);
    ASSERT_EQ(history().size(), 1);
    EXPECT_EQ(history()[0], "미 " + today.toString("yyMMdd") + "-" + text("SELECT printf('%05d', WHNUMB) FROM F3100"
              " WHERE WHCMCD = '9999' AND WHDATE = strftime('%Y%m%d', 'now', 'localtime')") + " 데모제분");

    responder.clear();
    responder.answer(mrYes);
    w->btn_OkClick();
    EXPECT_EQ(responder.texts(), (QStringList{"미입고 잔량삭제 하시겠습니까?", "미입고 잔량삭제 처리 되었습니다"}));
    EXPECT_FALSE(listsOrder(2, "40000001"));
    EXPECT_EQ(remainders(2, "40000001"), QStringLiteral("0,0"));
    ASSERT_EQ(history().size(), 1);
    EXPECT_TRUE(history()[0].startsWith(QStringLiteral("완 ")));

    responder.clear();
    responder.answer(mrYes);
    const int closes = callsOf(QStringLiteral("GP_UPDATE_F2100_HEDOHEDFL_NEW"));
    w->btn_OkClick();
    EXPECT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].text, QStringLiteral("입고완료 된것은 강제완료 할수 없습니다."));
    EXPECT_EQ(responder.notices()[0].stayMs, 3000);

    // No history row: nothing is asked or sent.
    searchHistory(QDate(2001, 1, 1), QDate(2001, 1, 2));
    responder.clear();
    w->btn_OkClick();
    EXPECT_TRUE(responder.messages().isEmpty());
    EXPECT_EQ(callsOf(QStringLiteral("GP_UPDATE_F2100_HEDOHEDFL_NEW")), closes);
}

TEST_F(WarehouseReceipt, AFailedSaveKeepsTheLinesAndItsRetryKeepsTheNumber)
{
    const QString insert = QStringLiteral("GP_INSERT_F3100_WAREHOUSEENTRY");
    for (TestServer::FailMode mode : {TestServer::FailMode::BeforeRun, TestServer::FailMode::AfterCommit}) {
        SCOPED_TRACE(int(mode));
        exec(std::string("DELETE FROM F3101 WHERE WDCMCD = '9999' AND WDMONTH = ") + kThisMonth + " AND WDNUMB > 1;"
             "DELETE FROM F3100 WHERE WHCMCD = '9999' AND WHDATE = strftime('%Y%m%d', 'now', 'localtime');");
        w->LoadScreen();
        MessageResponder responder;
        touchOrder(2, "40000001");
        // The header is the first call, the second line the third: it fails
        // before it runs, or it is written and its answer is lost.
        server().failCall(insert, 3, mode);
        save(responder);
        ASSERT_EQ(responder.notices().size(), 1);
        EXPECT_EQ(responder.notices()[0].text, QStringLiteral("입고 저장에 실패하였습니다."));
        EXPECT_EQ(responder.notices()[0].stayMs, 3000);
        EXPECT_EQ(lines().size(), 2);
        ASSERT_TRUE(w->Number().holds());
        const qint64 number = w->Number().held();

        responder.clear();
        save(responder);
        EXPECT_TRUE(responder.notices().isEmpty());
        EXPECT_EQ(newReceipts(), 1);
        EXPECT_EQ(text("SELECT WHNUMB FROM F3100 WHERE WHCMCD = '9999' AND WHDATE = strftime('%Y%m%d', 'now',"
                       " 'localtime')"),
                  QString::number(number));
        EXPECT_EQ(savedLines().size(), 2);
    }
}

TEST_F(WarehouseReceipt, RefusedSavesWriteNothing)
{
    MessageResponder responder;
    const QString insert = QStringLiteral("GP_INSERT_F3100_WAREHOUSEENTRY");

    // No lines: nothing is asked or written.
    w->btn_MenuClick();
    EXPECT_TRUE(responder.messages().isEmpty());

    // No right.
    touchOrder(2, "40000001");
    rights.Edit();
    rights.FieldByName("wrau").setAsBoolean(false);
    rights.Post();
    w->btn_MenuClick();
    EXPECT_EQ(responder.texts(), (QStringList{"등록(수정) 권한이 없습니다."}));
    rights.Edit();
    rights.FieldByName("wrau").setAsBoolean(true);
    rights.Post();

    // No supplier: a pattern, then the empty name chosen.
    responder.clear();
    touchPattern(3);
    EXPECT_EQ(w->form().Label10->text(), QStringLiteral("원재료 발주"));
    EXPECT_EQ(w->form().Edit4->text(), QStringLiteral("40000001"));
    w->form().CMB_ADNBNAME->setCurrentIndex(0);
    emit w->form().CMB_ADNBNAME->activated(0);
    EXPECT_EQ(w->form().Edit4->text(), QStringLiteral("주소번호"));
    w->btn_MenuClick();
    EXPECT_EQ(responder.texts(), (QStringList{"입고할 지점을 선택해 주세요!"}));

    // The lines of a history receipt.
    responder.clear();
    const QDate twoDaysBack = QDate::currentDate().addDays(-2);
    searchHistory(twoDaysBack, twoDaysBack);
    ASSERT_EQ(history().size(), 1);
    EXPECT_TRUE(history()[0].startsWith(QStringLiteral("완 ")));
    w->grid_SdStockCellClick();
    EXPECT_EQ(lines(), (QStringList{"1 우유식빵 20", "2 단팥빵 30"}));
    EXPECT_TRUE(w->HistoryLines());
    w->btn_MenuClick();
    EXPECT_EQ(responder.texts(), (QStringList{"입고내역은 다시 입고할 수 없습니다."}));

    EXPECT_EQ(callsOf(insert), 0);
    EXPECT_EQ(callsOf(QStringLiteral("GP_SELECT_MAXNUMBER")), 0);
    EXPECT_EQ(newReceipts(), 0);
}

TEST_F(WarehouseReceipt, ASupplierChosenAfterAPatternIsTheOneAskedAndWritten)
{
    MessageResponder responder;
    touchPattern(3);
    const int index = w->form().CMB_ADNB->findText(QStringLiteral("40000002"));
    ASSERT_GT(index, 0);
    w->form().CMB_ADNBNAME->setCurrentIndex(index);
    emit w->form().CMB_ADNBNAME->activated(index);
    EXPECT_EQ(w->form().Edit4->text(), QStringLiteral("40000002"));
    save(responder);
    ASSERT_EQ(responder.questions().size(), 1);
    EXPECT_EQ(responder.questions()[0].text, QStringLiteral("데모포장거래처의 입고 내역을 입고 하시겠습니까?"));
    EXPECT_EQ(text("SELECT WHADNB FROM F3100 WHERE WHCMCD = '9999' AND WHDATE = strftime('%Y%m%d', 'now', 'localtime')"),
              QStringLiteral("40000002"));
    // Pattern lines name no order.
    EXPECT_EQ(savedLines().size(), 6);
    EXPECT_TRUE(savedLines()[0].endsWith(QStringLiteral("-/-/-")));
}

TEST_F(WarehouseReceipt, HistoryListsReceiptsBelow80001AsDayNumbers)
{
    exec("INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE, WHADNB, WHBIGO, WHPGID) VALUES"
         " ('9999', '9999', strftime('%Y%m', 'now', 'localtime'), 80001, strftime('%Y%m%d', 'now', 'localtime'),"
         " '40000001', '1', 'F10021_Warehouse'),"
         " ('9999', '9999', strftime('%Y%m', 'now', 'localtime'), 80000, strftime('%Y%m%d', 'now', 'localtime'),"
         " '40000001', '1', 'F10021_Warehouse')");
    const QDate today = QDate::currentDate();
    searchHistory(today.addDays(-2), today);
    EXPECT_EQ(history(), (QStringList{"완 " + today.addDays(-2).toString("yyMMdd") + "-00001 생산센터",
                                      "미 " + today.toString("yyMMdd") + "-80000 데모제분"}));
}

TEST_F(WarehouseReceipt, AnOrderWithNothingOpenLeavesNoLineAndFreesTheSupplier)
{
    // The order was closed after the list was read.
    exec("UPDATE F2100 SET PHEDFL = 1 WHERE PHCMCD = '9999' AND PHNUMB = 3 AND PHADNB = '30000001'");
    touchOrder(3, "30000001");
    EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 0);
    EXPECT_TRUE(w->form().CMB_ADNBNAME->isEnabled());
    EXPECT_EQ(w->form().CMB_ADNBNAME->currentText(), QString());
    EXPECT_TRUE(w->form().combo_Tax->isEnabled());
}

TEST_F(WarehouseReceipt, ListPairsMoveForwardFromTheUpperButtonAndPatternsFilterBySupplier)
{
    DataSet &orders = *w->cds_F2100_hed;
    ASSERT_EQ(orders.RecordCount(), 5);
    orders.First();
    clickButton(w->form().MirelImgBtn1); // 706: forward, clamped at the end
    EXPECT_EQ(orders.RecNo(), 5);
    clickButton(w->form().MirelImgBtn2); // 707: back
    EXPECT_EQ(orders.RecNo(), 1);

    const struct {
        int index;
        QStringList suppliers;
    } filters[] = {{1, {"0001", "30000001"}}, {2, {"40000001", "40000002", "40000001"}}, {0, {"0001", "30000001",
                   "40000001", "40000002", "40000001"}}};
    for (const auto &f : filters) {
        w->form().com_PetenBunruAll->setCurrentIndex(f.index);
        emit w->form().com_PetenBunruAll->activated(f.index);
        QStringList shown;
        DataSet &patterns = *w->cds_F2110_s;
        for (patterns.First(); !patterns.Eof(); patterns.Next())
            shown << patterns.FieldByName("AHADNB").AsString();
        EXPECT_EQ(shown, f.suppliers) << f.index;
    }

    // The lines page by 27, the upper button back.
    touchPattern(1);
    DataSet &lines = *w->VTB_PATTERNBALJU;
    lines.First();
    clickButton(w->form().btn_RegorderlistDown);
    EXPECT_EQ(lines.RecNo(), lines.RecordCount());
    clickButton(w->form().btn_RegorderlistUp);
    EXPECT_EQ(lines.RecNo(), 1);
}

TEST_F(WarehouseReceipt, OrderLinesCarryWhatTheSupplierShipped)
{
    auto lines = client("dspStoredProc13", "[GP_SELECT_F2101_POPUPPURCHASE_new]");
    auto shipped = [&](int number, const char *supplier) {
        lines->Params().CreateParam(FieldType::String, "A_CMCD").setAsString("9999");
        lines->Params().CreateParam(FieldType::String, "A_BUUT").setAsString("9999");
        lines->Params().CreateParam(FieldType::String, "A_MONTH").setAsString(monthOf(number, supplier));
        lines->Params().CreateParam(FieldType::Integer, "A_NUMB").setAsInteger(number);
        lines->Params().CreateParam(FieldType::String, "a_gubun").setAsString("1");
        lines->Open();
        QStringList out;
        for (lines->First(); !lines->Eof(); lines->Next())
            out << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(lines->FieldByName("PDITNB").AsString())
                       .arg(lines->FieldByName("PDQTY").AsFloat())
                       .arg(lines->FieldByName("baljan_QTY").AsFloat())
                       .arg(lines->FieldByName("chulgo_qty").AsFloat())
                       .arg(lines->FieldByName("chulgo_uprc").AsInteger());
        return out;
    };
    // Handed over, released by the production centre and received in full.
    EXPECT_EQ(shipped(1, "0001"), (QStringList{"100001 20 0 20 1800", "100002 30 0 30 700"}));
    // Handed over, not yet released.
    EXPECT_EQ(shipped(4, "0001"), (QStringList{"100005 3 3 0 12000"}));
    // An outside supplier ships what was ordered.
    EXPECT_EQ(shipped(2, "40000001"), (QStringList{"500001 2 2 2 40000", "500002 5 5 5 3000"}));
}

TEST_F(WarehouseReceipt, AnOrdersSupplierIsFixedUntilAPatternIsTouchedWhichBringsItsOwnTaxKind)
{
    // Order 2 of 데모제분, VAT-exempt: neither the name list nor the picker can change its supplier.
    touchOrder(2, "40000001");
    ASSERT_EQ(lines().size(), 2);
    EXPECT_FALSE(w->form().CMB_ADNBNAME->isEnabled());
    EXPECT_FALSE(w->form().BitBtn1->isEnabled());
    EXPECT_FALSE(w->form().combo_Tax->isEnabled());
    EXPECT_EQ(w->form().Edit7->text(), QStringLiteral("3"));

    // Pattern 1 of the production centre: the screen as with no order lines.
    touchPattern(1);
    EXPECT_EQ(w->form().Edit4->text(), QStringLiteral("0001"));
    EXPECT_TRUE(w->form().CMB_ADNBNAME->isEnabled());
    EXPECT_TRUE(w->form().BitBtn1->isEnabled());
    EXPECT_TRUE(w->form().combo_Tax->isEnabled());
    EXPECT_EQ(w->form().Edit7->text(), QStringLiteral("1"));
    EXPECT_EQ(w->form().Edit7_1->text(), QStringLiteral("001"));
    EXPECT_EQ(w->form().combo_Tax->currentText(), QStringLiteral("포함"));

    // 10 우유식빵 at 1,800: saved with VAT included.
    setQuantity(1, 10);
    MessageResponder responder;
    save(responder);
    EXPECT_EQ(text("SELECT WHADNB || ' ' || WHTXGU || ' ' || WHKSGU FROM F3100 WHERE WHCMCD = '9999' AND WHDATE ="
                   " strftime('%Y%m%d', 'now', 'localtime')"),
              QStringLiteral("0001 1 001"));
    ASSERT_FALSE(savedLines().isEmpty());
    EXPECT_EQ(savedLines()[0], QStringLiteral("1 100001 10 18000/16363/1637 -/-/-"));
    // A saved order frees the picker again.
    touchOrder(2, "40000001");
    EXPECT_FALSE(w->form().BitBtn1->isEnabled());
    save(responder);
    EXPECT_EQ(newReceipts(), 2);
    EXPECT_TRUE(w->form().BitBtn1->isEnabled());
}

TEST_F(WarehouseReceipt, APartlyReceivedOrderProposesWhatIsStillOpen)
{
    // Order 90 of unit 0001: 10 단팥빵, of which 4 were received.
    MessageResponder responder;
    touchOrder(90, "0001");
    w->form().date_Wantdate->setDate(QDate::currentDate());
    setQuantity(1, 4);
    save(responder);
    ASSERT_EQ(remainders(90, "0001"), QStringLiteral("6"));

    touchOrder(90, "0001");
    EXPECT_EQ(lines(), QStringList{"1 단팥빵 6"});
    DataSet &b = *w->VTB_PATTERNBALJU;
    b.First();
    EXPECT_EQ(b.FieldByName("ADAMT").AsCurrency(), Currency(6 * 700));
    w->form().date_Wantdate->setDate(QDate::currentDate());
    save(responder);
    const QString lastMonth = text("SELECT strftime('%Y%m', 'now', 'localtime', 'start of month', '-1 month')");
    EXPECT_EQ(savedLines(), (QStringList{"1 100002 4 2800/2545/255 " + lastMonth + "/90/1",
                                         "1 100002 6 4200/3818/382 " + lastMonth + "/90/1"}));
    EXPECT_EQ(remainders(90, "0001"), QStringLiteral("0"));
    EXPECT_EQ(text("SELECT s.status FROM V_PO_STATE s JOIN F2100 h ON h.PHCMCD = s.cmcd AND h.PHBUUT = s.buut"
                   " AND h.PHMONTH = s.month AND h.PHNUMB = s.numb WHERE h.PHCMCD = '9999' AND h.PHNUMB = 90"
                   " AND h.PHADNB = '0001'"),
              QStringLiteral("입고완료"));
}

} // namespace

TEST_F(WarehouseReceipt, AFailedReadOfAnotherOrderOrReceiptKeepsTheLinesBeingReceived)
{
    touchOrder(2, "40000001");
    setQuantity(2, 4);
    const QStringList typed = lines();
    const QString supplier = w->form().Edit4->text();
    const QDate date = w->form().date_Wantdate->date();
    ASSERT_EQ(typed.size(), 2);

    // Another order is touched but its lines cannot be read.
    server().failCall(QStringLiteral("GP_SELECT_F2101_POPUPPURCHASE_NEW"), 1, TestServer::FailMode::BeforeRun);
    touchOrder(90, "0001");
    EXPECT_EQ(lines(), typed);
    EXPECT_EQ(w->form().Edit4->text(), supplier);
    EXPECT_EQ(w->form().date_Wantdate->date(), date);
    EXPECT_FALSE(w->form().CMB_ADNBNAME->isEnabled());

    // A history receipt is touched but its lines cannot be read.
    const QDate seeded = QDate::currentDate().addDays(-2);
    searchHistory(seeded, seeded);
    ASSERT_FALSE(history().isEmpty());
    server().failCall(QStringLiteral("GP_SELECT_F3101_WAREHOUSEENTRY_POS"), 1, TestServer::FailMode::BeforeRun);
    EXPECT_ANY_THROW(w->grid_SdStockCellClick());
    EXPECT_EQ(lines(), typed);
    EXPECT_EQ(w->form().Edit4->text(), supplier);

    // A pattern is touched but its lines cannot be read: logged, nothing changes.
    {
        const QString pattern = w->form().Label10->text();
        server().failCall(QStringLiteral("GP_SELECT_F2111_REGORDERSEARCH_NEW1"), 1, TestServer::FailMode::BeforeRun);
        touchPattern(4);
        EXPECT_EQ(lines(), typed);
        EXPECT_EQ(w->form().Edit4->text(), supplier);
        EXPECT_EQ(w->form().CMB_ADNB->currentText(), supplier);
        EXPECT_EQ(w->form().date_Wantdate->date(), date);
        EXPECT_EQ(w->form().Label10->text(), pattern);
        EXPECT_EQ(w->form().Edit7->text(), QStringLiteral("3"));
        EXPECT_FALSE(w->form().CMB_ADNBNAME->isEnabled());
        EXPECT_TRUE(logText().contains(QStringLiteral("TF652_RegOrder.grid_PetenlistCellClick Error:")))
            << logText().toStdString();
    }

    // The lines are still the order's: they are received as typed.
    MessageResponder responder;
    save(responder);
    EXPECT_EQ(newReceipts(), 1);
}
