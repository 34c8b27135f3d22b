// The pattern order entry against the in-process head-office server and its
// demo patterns and orders: typing on the key pad and placing an order,
// temporary saves placed per supplier or per save, the kept source of the
// lines, failures and retries, reloads and modifications, bad input, the
// money of a line and the order slip.

#include "documents/U652_RegOrder.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "DocumentsFixture.h"
#include "ShellTestUtil.h"
#include "core/PrintThread.h"
#include "documents/DocumentNumber.h"
#include "documents/OrderLineAmount.h"
#include "documents/U652_EdOrder.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/CodePage.h"
#include "platform/serial/SerialPort.h"
#include "support/CapturePort.h"
#include "support/MessageResponder.h"
#include "ui_U652_EdOrder.h"
#include "ui_U652_RegOrder.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QThread>

#include <array>
#include <functional>

namespace {

const QString kUser = QStringLiteral("90000002");

class RegOrderTest : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        rights.AddField(QStringLiteral("slpgid"), FieldType::String, 40);
        rights.AddField(QStringLiteral("wrau"), FieldType::Boolean);
        rights.Open();
        rights.Append();
        rights.FieldByName(QStringLiteral("slpgid")).setAsString(QStringLiteral("F20_PURCHASEENTRY"));
        rights.FieldByName(QStringLiteral("wrau")).setAsBoolean(true);
        rights.Post();
        SetProgramRights(&rights);
        signInAs(QStringLiteral("1002"));
        MyConfig.UIADNB = kUser;
        month = os::Now().date().toString(QStringLiteral("yyyyMM"));
    }

    void TearDown() override
    {
        w.reset();
        // The demo orders as seeded, whatever a test placed or rewrote.
        exec(hq::storeScript("seed_demo_22_orders.sql"));
        exec("DELETE FROM F2110 WHERE AHCMCD = '9999' AND AHNUMB IN (8, 9)");
        DocumentsSuite::TearDown();
    }

    void open()
    {
        w = std::make_unique<TF652_RegOrder>();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    void touchPattern(int number)
    {
        ASSERT_TRUE(w->cds_F2110_s->Locate(QStringLiteral("AHNUMB"), number)) << number;
        w->grid_PetenlistCellClick();
    }

    void setQuantity(const char *item, double quantity)
    {
        DataSet &lines = *w->VTB_PATTERNBALJU;
        ASSERT_TRUE(lines.Locate(QStringLiteral("IMITNB"), QString::fromLatin1(item))) << item;
        lines.Edit();
        lines.FieldByName(QStringLiteral("ADQTY")).setAsFloat(quantity);
        lines.Post();
    }

    // Touches pattern `number`, sets the quantities and parks the lines.
    void savePattern(int number, std::initializer_list<std::pair<const char *, double>> quantities)
    {
        touchPattern(number);
        for (const auto &[item, qty] : quantities)
            setQuantity(item, qty);
        w->btn_ImsiSaveClick();
    }

    TMirelImgBtn *padKey(int tag) const
    {
        for (TMirelImgBtn *key : w->findChildren<TMirelImgBtn *>()) // the pad's keys alone carry these Tags
            if (key->Tag() == tag)
                return key;
        return nullptr;
    }

    static std::string text(const std::string &query)
    {
        auto lease = server().store().acquire();
        return lease.db().execAndGet(query).getString();
    }

    // "supplier/pattern|seq:item:qty:amount/supply/vat ..." of an order.
    static std::string order(const QString &orderMonth, qint64 number)
    {
        const std::string m = orderMonth.toStdString(), n = std::to_string(number);
        return text("SELECT COALESCE((SELECT PHADNB || '/' || PHADNUMB FROM F2100 WHERE PHCMCD = '9999' AND PHMONTH = '"
                    + m + "' AND PHNUMB = " + n
                    + "), 'none') || '|' || COALESCE((SELECT group_concat(PDSEQ || ':' || PDITNB || ':' || PDQTY"
                      " || ':' || PDAMT || '/' || PDGAMT || '/' || PDTAX, ' ') FROM (SELECT * FROM F2101"
                      " WHERE PDCMCD = '9999' AND PDMONTH = '"
                    + m + "' AND PDNUMB = " + n + " ORDER BY PDSEQ)), '')");
    }

    // The orders this test's user placed, as "supplier/pattern".
    static std::string placedBy()
    {
        return text("SELECT COALESCE(group_concat(PHADNB || '/' || PHADNUMB, ' '), '') FROM (SELECT * FROM F2100"
                    " WHERE PHWORK = '90000002' ORDER BY PHMONTH, PHNUMB)");
    }

    QStringList placed() const
    {
        QStringList out;
        for (const auto &o : w->LastPlaced())
            out << o.supplier;
        return out;
    }

    DataSet rights;
    QString month;
    std::unique_ptr<TF652_RegOrder> w;
};

TEST_F(RegOrderTest, KeyPadQuantitiesBecomeAnOrderAndABusinessUnitReceivesItsHandOver)
{
    open();
    EXPECT_EQ(w->MenuViewState, QStringLiteral("0"));
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("99999999"));
    EXPECT_EQ(w->cds_F2110_s->RecordCount(), 5);
    const QDate wanted = os::Now().date().addDays(1);
    w->form().date_Wantdate->setDate(wanted);

    touchPattern(3);
    EXPECT_EQ(w->form().CMB_ADNBNAME->currentText(), QStringLiteral("데모제분"));
    ASSERT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 6);
    EXPECT_EQ(w->VTB_PATTERNBALJU->FieldByName(QStringLiteral("IMITTY")).AsString(), QStringLiteral("재료"));
    // 2 on the first line, Enter, 1.5 on the second.
    w->VTB_PATTERNBALJU->First();
    clickButton(padKey(50));
    clickButton(w->form().btn_Enter);
    for (int tag : {49, 190, 53, 54, -10})
        clickButton(padKey(tag));
    if (qEnvironmentVariableIsSet("RALD_SHOT_DIR"))
        w->grab().save(qEnvironmentVariable("RALD_SHOT_DIR") + QStringLiteral("/regorder.png"));

    MessageResponder responder;
    responder.answer(mrYes);
    clickButton(w->form().btn_Balju);
    ASSERT_EQ(responder.questions().size(), 1);
    EXPECT_EQ(responder.questions()[0].text, QStringLiteral("데모제분거래처로 발주하시겠습니까?"));
    ASSERT_EQ(w->LastPlaced().size(), 1);
    const qint64 number = w->LastPlaced()[0].number;
    EXPECT_EQ(w->LastPlaced()[0].month, month);
    EXPECT_EQ(order(month, number),
              "40000001/3|1:500001:2.0:80000/72727/7273 2:500002:1.5:4500/4090/410");
    EXPECT_EQ(text("SELECT PHNYDT || PHDATE || PHPGID FROM F2100 WHERE PHWORK = '90000002'"),
              (wanted.toString(QStringLiteral("yyyyMMdd")) + os::Now().date().toString(QStringLiteral("yyyyMMdd"))
               + QStringLiteral("F652_RegOrder"))
                  .toStdString());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2400 WHERE OHBANUMB = " + std::to_string(number)
                     + " AND OHBAMONTH = '" + month.toStdString() + "'"),
              0);
    EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 0);
    EXPECT_TRUE(responder.notices().isEmpty());

    // Pattern 1 to the production centre: the unit receives the same lines.
    touchPattern(1);
    setQuantity("100002", 4);
    setQuantity("100005", 1);
    responder.answer(mrYes);
    w->btn_BaljuClick();
    ASSERT_EQ(w->LastPlaced().size(), 1);
    const qint64 second = w->LastPlaced()[0].number;
    EXPECT_EQ(order(month, second), "0001/1|1:100002:4.0:2800/2545/255 2:100005:1.0:12000/10909/1091");
    EXPECT_EQ(text("SELECT group_concat(ODSEQ || ':' || ODITNB || ':' || ODQTY || ':' || ODAMT, ' ') FROM F2401 d"
                   " JOIN F2400 h ON h.OHCMCD = d.ODCMCD AND h.OHBUUT = d.ODBUUT AND h.OHMONTH = d.ODMONTH"
                   " AND h.OHNUMB = d.ODNUMB WHERE h.OHBUUT = '0001' AND h.OHADNB = '9999' AND h.OHBAMONTH = '"
                   + month.toStdString() + "' AND h.OHBANUMB = " + std::to_string(second)),
              "1:100002:4.0:2800 2:100005:1.0:12000");
}

TEST_F(RegOrderTest, TemporarySavesArePlacedPerSupplierOrPerSaveAlwaysAsGatheredPatterns)
{
    open();
    const struct {
        int choice;
        std::string orders;
    } cases[] = {{mrYes, "40000001/999 40000002/999"}, {mrNo, "40000001/999 40000002/999 40000001/999"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.choice);
        savePattern(3, {{"500001", 1}, {"500002", 2}});
        savePattern(4, {{"600001", 3}});
        savePattern(5, {{"500004", 1}});
        ASSERT_EQ(w->VTB_IMSIHEAD->RecordCount(), 3);
        ASSERT_EQ(w->VTB_ADNB->RecordCount(), 2);
        // Lines typed since the last save are not part of the orders.
        touchPattern(2);
        setQuantity("200001", 9);

        MessageResponder responder;
        responder.answer(c.choice);
        w->btn_BaljuClick();
        EXPECT_EQ(responder.questions().at(0).text, QStringLiteral("선택바랍니다."));
        EXPECT_EQ(responder.questions().at(0).kind, 4);
        EXPECT_EQ(placedBy(), c.orders);
        EXPECT_TRUE(w->VTB_IMSIHEAD->IsEmpty());
        EXPECT_TRUE(w->VTB_IMSIDETAIL->IsEmpty());
        EXPECT_TRUE(w->VTB_PATTERNBALJU->IsEmpty());
        exec("DELETE FROM F2100 WHERE PHWORK = '90000002'");
    }
    // Per supplier, the first order holds both saves' lines of 40000001.
    savePattern(3, {{"500001", 1}, {"500002", 2}});
    savePattern(5, {{"500004", 1}});
    savePattern(4, {{"600001", 3}});
    MessageResponder responder;
    responder.answer(mrYes);
    w->btn_BaljuClick();
    ASSERT_EQ(w->LastPlaced().size(), 2);
    EXPECT_EQ(order(month, w->LastPlaced()[0].number),
              "40000001/999|1:500001:1.0:40000/36363/3637 2:500002:2.0:6000/5454/546 3:500004:1.0:7500/6818/682");

    // "취  소": nothing.
    savePattern(3, {{"500001", 1}});
    savePattern(4, {{"600001", 1}});
    responder.answer(mrOk);
    w->btn_BaljuClick();
    EXPECT_EQ(w->VTB_IMSIHEAD->RecordCount(), 2);
}

TEST_F(RegOrderTest, LinesKeepTheirSourceThroughPagingFilteringSavesAndRecalls)
{
    open();
    // Pattern 3 touched, the list then filtered and paged away from it.
    touchPattern(3);
    setQuantity("500001", 1);
    w->form().com_PetenBunruAll->setCurrentIndex(1); // 제품: pattern 3 is filtered out
    w->com_PetenBunruAllClick();
    EXPECT_EQ(w->cds_F2110_s->RecordCount(), 2);
    clickButton(w->form().btn_PetenlistDown);
    MessageResponder responder;
    responder.answer(mrYes);
    w->btn_BaljuClick();
    EXPECT_EQ(placedBy(), "40000001/3");

    // One save, then another pattern touched: the save's pattern goes out.
    w->form().com_PetenBunruAll->setCurrentIndex(0);
    w->com_PetenBunruAllClick();
    savePattern(5, {{"500004", 2}});
    touchPattern(4);
    setQuantity("600001", 7); // discarded: the save alone is ordered
    responder.answer(mrYes);
    w->btn_BaljuClick();
    EXPECT_EQ(responder.questions().last().text, QStringLiteral("데모제분거래처로 발주하시겠습니까?"));
    EXPECT_EQ(placedBy(), "40000001/3 40000001/5");
    EXPECT_EQ(order(month, w->LastPlaced()[0].number), "40000001/5|1:500004:2.0:15000/13636/1364");

    // A recalled save saved again is replaced: a line set to 0 leaves it, and
    // a save left without lines disappears. Deleting a save removes its lines.
    savePattern(3, {{"500001", 1}, {"500002", 2}});
    w->grid_PetenSaveListCellClick();
    EXPECT_TRUE(w->Source.Recalled);
    ASSERT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 2);
    setQuantity("500001", 0);
    w->btn_ImsiSaveClick();
    EXPECT_EQ(w->VTB_IMSIDETAIL->RecordCount(), 1);
    w->grid_PetenSaveListCellClick();
    setQuantity("500002", 0);
    w->btn_ImsiSaveClick();
    EXPECT_TRUE(w->VTB_IMSIHEAD->IsEmpty());
    EXPECT_TRUE(w->VTB_IMSIDETAIL->IsEmpty());
    EXPECT_TRUE(responder.notices().isEmpty());
    savePattern(4, {{"600001", 1}});
    w->btn_DelClick();
    EXPECT_TRUE(w->VTB_IMSIDETAIL->IsEmpty());
    EXPECT_TRUE(w->VTB_ADNB->IsEmpty());
    w->btn_DelClick();
    EXPECT_EQ(responder.notices().last().text, QStringLiteral("삭제할 임시 저장 내용이 없습니다."));
}

// A pattern whose lines cannot be read changes nothing: the lines shown and
// their supplier stay, and the failure is logged.
TEST_F(RegOrderTest, AFailedPatternReadKeepsTheLinesAndTheirSupplier)
{
    open();
    touchPattern(4);
    setQuantity("600001", 3);
    ASSERT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("40000002"));
    const int shown = w->VTB_PATTERNBALJU->RecordCount();

    server().failCall(QStringLiteral("GP_SELECT_F2111_REGORDERSEARCH_NEW1"), 1, TestServer::FailMode::BeforeRun);
    touchPattern(2);
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("40000002"));
    EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), shown);
    EXPECT_EQ(w->Source.ReloadAdNumb, 4);
    EXPECT_TRUE(logText().contains(QStringLiteral("TF652_RegOrder.grid_PetenlistCellClick Error:")));

    touchPattern(2); // read again: the lines and the supplier move together
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("30000001"));
    EXPECT_EQ(w->Source.ReloadAdNumb, 2);
}

TEST_F(RegOrderTest, AFailedOrderStopsThePressKeepsWhatIsLeftAndItsRetryPlacesItOnce)
{
    open();
    savePattern(3, {{"500001", 1}, {"500002", 2}});
    savePattern(4, {{"600001", 3}});
    // Order 1: header and two lines; the second order's header fails.
    server().failCall(QStringLiteral("GP_INSERT_F2100_PURCHASEENTRY"), 4, TestServer::FailMode::BeforeRun);
    MessageResponder responder;
    responder.answer(mrYes);
    w->btn_BaljuClick();
    EXPECT_EQ(placedBy(), "40000001/999");
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].text, QStringLiteral("데모포장거래처 발주에 실패하였습니다."));
    EXPECT_EQ(responder.notices()[0].stayMs, 3000);
    ASSERT_EQ(w->VTB_IMSIHEAD->RecordCount(), 1);
    EXPECT_EQ(w->VTB_IMSIHEAD->FieldByName(QStringLiteral("AHADNB")).AsString(), QStringLiteral("40000002"));
    const qint64 held = w->Number().held();
    EXPECT_GT(held, 0);

    responder.answer(mrYes);
    w->btn_BaljuClick();
    EXPECT_EQ(placedBy(), "40000001/999 40000002/4");
    ASSERT_EQ(w->LastPlaced().size(), 1);
    EXPECT_EQ(w->LastPlaced()[0].number, held);
    EXPECT_TRUE(w->VTB_IMSIHEAD->IsEmpty());

    // A lost answer on the last line: the retry gives one order with every line.
    exec("DELETE FROM F2100 WHERE PHWORK = '90000002'");
    touchPattern(3);
    setQuantity("500001", 1);
    setQuantity("500003", 2);
    server().failCall(QStringLiteral("GP_INSERT_F2100_PURCHASEENTRY"), 3, TestServer::FailMode::AfterCommit);
    responder.answer({mrYes, mrYes});
    w->btn_BaljuClick();
    EXPECT_EQ(responder.notices().last().text, QStringLiteral("데모제분거래처 발주에 실패하였습니다."));
    EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 6);
    w->btn_BaljuClick();
    EXPECT_EQ(placedBy(), "40000001/3");
    EXPECT_EQ(order(month, w->LastPlaced()[0].number),
              "40000001/3|1:500001:1.0:40000/36363/3637 2:500003:2.0:18000/16363/1637");
    EXPECT_TRUE(w->VTB_PATTERNBALJU->IsEmpty());
}

TEST_F(RegOrderTest, AReloadedOrderIsRewrittenUnderItsOwnMonthAndNumberOnly)
{
    open();
    const std::string day90 = text("SELECT PHDATE FROM F2100 WHERE PHNUMB = 90");
    const QString month90 = QString::fromStdString(day90.substr(0, 6));
    const auto reload = [this](const std::string &day, int number) {
        whenLoopRuns([this, day, number] {
            auto *picker = w->findChild<TF652_EdOrder *>();
            ASSERT_NE(picker, nullptr);
            picker->form().date_Wantdate->setDate(QDate::fromString(QString::fromStdString(day), QStringLiteral("yyyyMMdd")));
            ASSERT_TRUE(picker->cds_F2100_pat->Locate(QStringLiteral("PHNUMB"), number));
            picker->grid_PetenlistCellClick();
            picker->BTN_editClick();
        });
        w->btn_OkClick();
    };
    const int thisMonth = scalar("SELECT COUNT(*) FROM F2100 WHERE PHMONTH = '" + month.toStdString() + "'");

    // Last month's order 90 (pattern 1 to the production centre, 10 of 100002).
    reload(day90, 90);
    EXPECT_EQ(w->ReloadState, QStringLiteral("1"));
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("0001"));
    setQuantity("100002", 12);
    MessageResponder responder;
    responder.answer(mrYes);
    w->btn_BaljuClick();
    EXPECT_TRUE(responder.notices().isEmpty());
    EXPECT_EQ(order(month90, 90), "0001/1|1:100002:12.0:8400/7636/764");
    EXPECT_EQ(text("SELECT PHDATE FROM F2100 WHERE PHNUMB = 90"), day90);
    EXPECT_EQ(text("SELECT group_concat(ODQTY) FROM F2401 WHERE ODBUUT = '0001' AND ODMONTH = '" + day90.substr(0, 6)
                   + "' AND ODNUMB = 3"),
              "12.0");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM F2100 WHERE PHMONTH = '" + month.toStdString() + "'"), thisMonth);
    EXPECT_TRUE(w->ReloadState.isEmpty());

    // Today's order 3 (30000001) reloaded and saved, a save of 40000001: the
    // reloaded number goes to the reloaded supplier's order only.
    const std::string today = os::Now().date().toString(QStringLiteral("yyyyMMdd")).toStdString();
    reload(today, 3);
    setQuantity("200001", 5);
    w->btn_ImsiSaveClick();
    savePattern(3, {{"500001", 1}});
    EXPECT_EQ(w->ReloadState, QStringLiteral("1"));
    responder.answer(mrYes);
    w->btn_BaljuClick();
    ASSERT_EQ(w->LastPlaced().size(), 2);
    EXPECT_EQ(w->LastPlaced()[0].number, 3);
    EXPECT_NE(w->LastPlaced()[1].number, 3);
    EXPECT_EQ(order(month, 3), "30000001/999|1:200001:5.0:40000/36363/3637");

    // Reloaded, then another supplier's pattern touched: a new order.
    reload(today, 3);
    touchPattern(3);
    EXPECT_TRUE(w->ReloadState.isEmpty());
    setQuantity("500002", 1);
    responder.answer(mrYes);
    w->btn_BaljuClick();
    EXPECT_NE(w->LastPlaced()[0].number, 3);
    EXPECT_EQ(order(month, 3), "30000001/999|1:200001:5.0:40000/36363/3637");

    // The seeded gathered order 5 ("복합패턴"): its own lines come back and
    // go out again under 5.
    reload(today, 5);
    EXPECT_EQ(responder.notices().last().text, QStringLiteral("복합패턴은 자료를 추가 할수 없습니다.."));
    ASSERT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 1);
    setQuantity("600001", 2);
    responder.answer(mrYes);
    w->btn_BaljuClick();
    EXPECT_EQ(w->LastPlaced()[0].number, 5);
    EXPECT_EQ(order(month, 5), "40000002/999|1:600001:2.0:50000/45454/4546");
}

TEST_F(RegOrderTest, BadInputIsRefusedWithItsNoticeAndNothingWritten)
{
    // A pattern without a supplier and one of the blocked supplier.
    exec("INSERT INTO F2110 (AHCMCD, AHBUUT, AHNUMB, AHNAME, AHADNB, AHSEQ) VALUES"
         " ('9999', '9999', 8, '미수 발주', '30000009', 8), ('9999', '9999', 9, '거래처 없음', '', 9);"
         "INSERT INTO F2111 (ADCMCD, ADBUUT, ADNUMB, ADSEQ, ADITNB, ADUNIT, ADQTY, ADUPRC) VALUES"
         " ('9999', '9999', 8, 1, '200001', 'BOX', 1, 8000), ('9999', '9999', 9, 1, '200001', 'BOX', 1, 8000)");
    open();
    const struct {
        const char *what;
        std::function<void()> arrange;
        QString notice;
    } cases[] = {
        {"yesterday", [this] { touchPattern(3); setQuantity("500001", 1);
                               w->form().date_Wantdate->setDate(os::Now().date().addDays(-1)); },
         QStringLiteral("납품 희망일은 현재 날짜 이후만 가능합니다.")},
        {"no right", [this] { w->form().date_Wantdate->setDate(os::Now().date());
                              rights.Edit(); rights.FieldByName(QStringLiteral("wrau")).setAsBoolean(false); rights.Post(); },
         QStringLiteral("등록(수정) 권한이 없습니다.")},
        {"no quantity", [this] { rights.Edit(); rights.FieldByName(QStringLiteral("wrau")).setAsBoolean(true); rights.Post();
                                 setQuantity("500001", 0); },
         QStringLiteral("발주 건수가 한 건도 없습니다.")},
        {"no supplier", [this] { touchPattern(9); },
         QStringLiteral("거래처명을 선택해 주세요!")},
        {"blocked", [this] { touchPattern(8); }, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        MessageResponder responder;
        server().clearCalls();
        w->btn_BaljuClick();
        ASSERT_FALSE(responder.notices().isEmpty());
        if (!c.notice.isEmpty()) {
            EXPECT_EQ(responder.notices().last().text, c.notice);
        }
        EXPECT_TRUE(responder.questions().isEmpty());
        EXPECT_EQ(callsOf(QStringLiteral("GP_INSERT_F2100_PURCHASEENTRY")), 0);
    }
    // The blocked supplier left both combos without a choice.
    EXPECT_EQ(w->form().CMB_ADNBNAME->currentIndex(), -1);
    EXPECT_EQ(w->form().CMB_ADNB->currentIndex(), -1);
    EXPECT_EQ(placedBy(), "");
}

TEST(RegOrderMoney, LineAmountSupplyAndVat)
{
    const struct {
        double quantity;
        qint64 price, total, supply, vat;
    } cases[] = {{1, 11000, 11000, 10000, 1000}, {1, 10, 10, 9, 1}, {0.5, 21, 10, 9, 1}, {1.5, 3000, 4500, 4090, 410}};
    for (const auto &c : cases) {
        const OrderLineAmounts a = OrderLineAmount(c.quantity, c.price);
        EXPECT_EQ((std::array{a.total, a.supply, a.vat}), (std::array{c.total, c.supply, c.vat}))
            << c.quantity << " x " << c.price;
    }
    EXPECT_EQ(OrderLineAmount(0.5, 21).amount, Currency::fromRaw(105000));
}

TEST_F(RegOrderTest, ThePrintButtonPrintsTheOrdersOfTheLastPress)
{
    open();
    MessageResponder responder;
    w->btn_A4ysPrintClick();
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].text, QStringLiteral("발주한 내역이 없습니다."));
    EXPECT_EQ(responder.notices()[0].stayMs, 2000);

    touchPattern(3);
    setQuantity("500001", 2);
    responder.answer(mrYes);
    w->btn_BaljuClick();
    ASSERT_EQ(w->LastPlaced().size(), 1);

    testsupport::CapturePort capture(QStringLiteral("COM1"));
    ASSERT_TRUE(capture.isValid());
    auto port = std::make_shared<serial::SerialPort>();
    port->setPortName(QStringLiteral("COM1"));
    ASSERT_TRUE(port->setBaudRate(QStringLiteral("57600")));
    TMyPrintThread thread(port);
    thread.start();
    ReceiptPrintThread = &thread;
    MyConfig.pcprst = QStringLiteral("1");
    MyConfig.PrintStockPrice = QLatin1Char('1');
    MyConfig.CountStockOD = 1;
    w->btn_A4ysPrintClick();
    const QByteArray got = capture.waitForCount("\x1bi", 1);
    EXPECT_TRUE(got.contains(os::ToAnsi(QStringLiteral(" 수 주 처 : 데모제분"))));
    EXPECT_TRUE(got.contains(os::ToAnsi(QStringLiteral("강력분"))));
    ReceiptPrintThread = nullptr;
    EXPECT_TRUE(thread.Stop(5000));
}

} // namespace
