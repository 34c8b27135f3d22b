// The release to customers against the in-process head-office server and its
// demo received orders, patterns and placed orders: loading each source,
// typing quantities on the key pad, saving (what reaches the server, what is
// refused), a failed save and its retry, paging and the unit chooser.

#include "documents/U10051_deliver.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "DocumentsFixture.h"
#include "core/MyConfig.h"
#include "documents/SupplierCombos.h"
#include "documents/U652_EdOrder.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/ShellTestUtil.h"
#include "shell/U405_Dialog.h"
#include "support/MessageResponder.h"
#include "ui_U10051_deliver.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QProcess>

#include <functional>

#include <SQLiteCpp/Statement.h>

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3200_DELIVERYENTRY");

class DeliverTest : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        MyConfig.UIADNB = QStringLiteral("90000001"); // signed in as 1001
        rights.AddField(QStringLiteral("slpgid"), FieldType::String, 40);
        rights.AddField(QStringLiteral("wrau"), FieldType::Boolean);
        rights.Open();
        rights.Append();
        rights.FieldByName(QStringLiteral("slpgid")).setAsString(QStringLiteral("F30_DELIVERYENTRY"));
        rights.FieldByName(QStringLiteral("wrau")).setAsBoolean(true);
        rights.Post();
        SetProgramRights(&rights);
        w = std::make_unique<TF10051_deliver>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QCoreApplication::processEvents();
        server().clearCalls();
    }

    void TearDown() override
    {
        w.reset();
        // The releases written today, so every test starts from the seed.
        exec("DELETE FROM F3201 WHERE DDCMCD = '9999' AND EXISTS (SELECT 1 FROM F3200 h WHERE h.DHCMCD = DDCMCD"
             " AND h.DHBUUT = DDBUUT AND h.DHMONTH = DDMONTH AND h.DHNUMB = DDNUMB AND h.DHCHTY = '001'"
             " AND h.DHDATE = strftime('%Y%m%d', 'now', 'localtime'));"
             "DELETE FROM F3200 WHERE DHCMCD = '9999' AND DHCHTY = '001'"
             " AND DHDATE = strftime('%Y%m%d', 'now', 'localtime')");
        DocumentsSuite::TearDown();
    }

    static QString month(int back = 0)
    {
        return QDate::currentDate().addDays(-back).toString(QStringLiteral("yyyyMM"));
    }

    // Rows of a query, columns joined by "|".
    static QStringList rows(const QString &sql)
    {
        auto lease = server().store().acquire();
        SQLite::Statement st(lease.db(), sql.toStdString());
        QStringList out;
        while (st.executeStep()) {
            QStringList cols;
            for (int i = 0; i < st.getColumnCount(); ++i)
                cols << QString::fromStdString(st.getColumn(i).getString());
            out << cols.join(QLatin1Char('|'));
        }
        return out;
    }

    static QStringList todaysReleases()
    {
        return rows(QStringLiteral("SELECT DHMONTH, DHNUMB FROM F3200 WHERE DHCHTY = '001'"
                                   " AND DHDATE = strftime('%Y%m%d', 'now', 'localtime') ORDER BY DHNUMB"));
    }

    // What is left of each line of a received order.
    static QStringList remainders(const QString &m, int numb)
    {
        return rows(QStringLiteral("SELECT printf('%g', remainder) FROM V_SO_LINE_STATE WHERE cmcd = '9999' AND buut = '9999'"
                                   " AND month = '%1' AND numb = %2 ORDER BY seq")
                        .arg(m)
                        .arg(numb));
    }

    void touchOrder(int numb)
    {
        ASSERT_TRUE(w->cds_F2400_hed->Locate(QStringLiteral("OHNUMB"), numb));
        w->mgd_RegDeliverylistCellClick();
    }
    void touchPattern(int numb)
    {
        ASSERT_TRUE(w->cds_F2110_s->Locate(QStringLiteral("AHNUMB"), numb));
        w->grid_PrpaStock1CellClick();
    }

    QStringList lines(const char *field) const
    {
        QStringList out;
        DataSet &v = *w->VTB_PATTERNBALJU;
        for (int row = 0; row < v.rowCount(); ++row) {
            DataSet::RowScope scope(v, row);
            out << v.FieldByName(QLatin1String(field)).AsString();
        }
        return out;
    }

    TMirelImgBtn *padKey(int tag) const
    {
        for (TMirelImgBtn *k : w->findChildren<TMirelImgBtn *>()) // the pad's keys alone carry these Tags
            if (k->Tag() == tag)
                return k;
        return nullptr;
    }

    // Types keys (virtual keys; -10 backspace) into the quantity of line `row`.
    void type(int row, std::initializer_list<int> keys)
    {
        w->VTB_PATTERNBALJU->setRecNo(row);
        for (int key : keys)
            clickButton(padKey(key));
        clickButton(w->form().btn_Enter);
    }

    // Saves, answering the question with yes when one is asked.
    void save(MessageResponder &responder, bool asks = true)
    {
        if (asks)
            responder.answer(mrYes);
        clickButton(w->form().btn_chul);
    }

    DataSet rights;
    std::unique_ptr<TF10051_deliver> w;
};

TEST_F(DeliverTest, ReceivedOrderIsReleasedUnderItsOwnLinesAndLeavesTheOpenListWhenDone)
{
    EXPECT_EQ(w->form().CMB_ADNBNAME->currentText(), QString());
    touchOrder(1);
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("0003"));
    EXPECT_EQ(w->form().CMB_ADNBNAME->currentText(), QStringLiteral("가맹1호"));
    EXPECT_EQ(lines("IMITNB"), (QStringList{"100001", "100002", "100005"}));
    EXPECT_EQ(lines("ADQTY"), (QStringList{"10", "20", "2"}));
    EXPECT_EQ(lines("ADUPRC001"), (QStringList{"1800", "700", "12000"}));
    EXPECT_EQ(lines("IMITTY"), (QStringList{"제품", "제품", "제품"}));
    // Pictures of the screen with the order loaded, when asked for (run under
    // xvfb-run: the whole display too).
    if (qEnvironmentVariableIsSet("RALD_SHOT_DIR")) {
        const QString dir = qEnvironmentVariable("RALD_SHOT_DIR");
        QTest::qWait(300);
        w->grab().save(dir + QStringLiteral("/deliver.png"));
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QProcess::execute(QStringLiteral("import"), {"-window", "root", dir + QStringLiteral("/deliver-display.png")});
    }

    w->VTB_PATTERNBALJU->setRecNo(2);
    clickButton(padKey(57)); // typed, then another order touched: the lines are the order's again
    touchOrder(1);
    EXPECT_EQ(lines("ADQTY"), (QStringList{"10", "20", "2"}));
    type(3, {48}); // 100005 to 0
    EXPECT_EQ(lines("ADQTY"), (QStringList{"10", "20", "0"}));
    MessageResponder responder;
    save(responder);
    EXPECT_EQ(responder.texts(), QStringList{"가맹1호거래처로 출고 하시겠습니까?"});
    const QString number = w->form().Edit3->text();
    EXPECT_EQ(todaysReleases(), QStringList{month() + "|" + number});
    EXPECT_EQ(rows(QStringLiteral("SELECT DHADNB, DHPDFL, DHPGID, DHPOID, DHWORK FROM F3200 WHERE DHCHTY = '001'"
                                  " AND DHMONTH = '%1' AND DHNUMB = %2")
                       .arg(month(), number)),
              QStringList{"0003|0|F10051_deliver|99|90000001"});
    EXPECT_EQ(rows(QStringLiteral("SELECT NBLAST FROM SYS_NUMBER WHERE NBCMCD = '9999' AND NBBUUT = '9999'"
                                  " AND NBGUBUN = 13 AND NBMONTH = '%1'")
                       .arg(month())),
              QStringList{number});
    // Quantity x price, supply and VAT for tax kind 1.
    EXPECT_EQ(rows(QStringLiteral("SELECT DDSEQ, DDITNB, DDQTY, DDSUMONTH, DDSUNUMB, DDSUSEQ, DDRFMONTH, DDRFSEQ,"
                                  " DDUPRC, DDAMT, DDGAMT, DDTAX FROM F3201 WHERE DDMONTH = '%1' AND DDNUMB = %2"
                                  " ORDER BY DDSEQ")
                       .arg(month(), number)),
              (QStringList{QStringLiteral("1|100001|10.0|%1|1|1|%1|1|1800|18000|16363|1637").arg(month(1)),
                           QStringLiteral("2|100002|20.0|%1|1|2|%1|2|700|14000|12727|1273").arg(month(1))}));
    EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 0);
    EXPECT_FALSE(w->Number().holds());
    EXPECT_EQ(remainders(month(1), 1), (QStringList{"0", "0", "2"}));

    // The last 2: the order is done and no longer open.
    w->FormShow();
    touchOrder(1);
    EXPECT_EQ(lines("ADQTY"), (QStringList{"0", "0", "2"}));
    save(responder);
    EXPECT_EQ(todaysReleases().size(), 2);
    EXPECT_EQ(rows(QStringLiteral("SELECT DDSEQ, DDITNB, DDQTY FROM F3201 WHERE DDMONTH = '%1' AND DDNUMB = %2")
                       .arg(month(), w->form().Edit3->text())),
              QStringList{"1|100005|2.0"});
    w->FormShow();
    EXPECT_FALSE(w->cds_F2400_hed->Locate(QStringLiteral("OHNUMB"), 1));
    EXPECT_TRUE(w->cds_F2400_hed->Locate(QStringLiteral("OHNUMB"), 90));
}

TEST_F(DeliverTest, AnOrderOfTheLastMonthIsNamedByTheReleaseAndItsRemainderDrops)
{
    const QString last = QDate::currentDate().addMonths(-1).toString(QStringLiteral("yyyyMM"));
    touchOrder(90);
    EXPECT_EQ(lines("SUMONTH"), QStringList{last});
    MessageResponder responder;
    save(responder);
    EXPECT_EQ(rows(QStringLiteral("SELECT DDSUMONTH, DDRFMONTH, DDRFNUMB FROM F3201 WHERE DDMONTH = '%1'"
                                  " AND DDNUMB = %2")
                       .arg(month(), w->form().Edit3->text())),
              QStringList{last + "|" + last + "|90"});
    EXPECT_EQ(remainders(last, 90), QStringList{"0"});
}

TEST_F(DeliverTest, OnlyLinesWithAQuantityAreSentNumberedWithoutGaps)
{
    MessageResponder responder;
    touchPattern(1); // every pattern quantity is 0
    ASSERT_EQ(lines("ADQTY").size(), 6);
    save(responder, false); // nothing asked, nothing written
    EXPECT_TRUE(responder.messages().isEmpty());
    EXPECT_EQ(callsOf(QStringLiteral("GP_SELECT_MAXNUMBER")) + callsOf(kInsert), 0);
    EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 6);

    w->form().CMB_ADNBNAME->setFocus(); // the pad types into the quantity cell all the same
    type(2, {51});         // 3
    type(4, {49, 190, 53}); // 1.5
    type(5, {49, -10});    // typed and taken back: empty
    save(responder);
    EXPECT_EQ(rows(QStringLiteral("SELECT DDSEQ, DDITNB, DDQTY, DDSUNUMB FROM F3201 WHERE DDMONTH = '%1'"
                                  " AND DDNUMB = %2 ORDER BY DDSEQ")
                       .arg(month(), w->form().Edit3->text())),
              (QStringList{"1|100002|3.0|0", "2|100004|1.5|0"}));
    EXPECT_EQ(callsOf(kInsert), 3);
}

TEST_F(DeliverTest, AFailedSaveKeepsTheLinesAndItsRetryLeavesOneRelease)
{
    ErrorBoxWatcher errors;
    MessageResponder responder;
    for (const auto mode : {TestServer::FailMode::BeforeRun, TestServer::FailMode::AfterCommit}) {
        SCOPED_TRACE(int(mode));
        touchOrder(1);
        // Header, line 1, line 2, line 3: the second line fails, or the last one's answer is lost.
        server().failCall(kInsert, mode == TestServer::FailMode::BeforeRun ? 3 : 4, mode);
        save(responder);
        EXPECT_EQ(errors.texts.size(), 1);
        errors.texts.clear();
        EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 3);
        const QString first = w->form().Edit3->text();
        save(responder);
        EXPECT_TRUE(errors.texts.isEmpty());
        EXPECT_EQ(w->form().Edit3->text(), first);
        EXPECT_EQ(todaysReleases(), QStringList{month() + "|" + first});
        EXPECT_EQ(rows(QStringLiteral("SELECT DDSEQ || DDITNB FROM F3201 WHERE DDMONTH = '%1' AND DDNUMB = %2"
                                      " ORDER BY DDSEQ")
                           .arg(month(), first)),
                  (QStringList{"1100001", "2100002", "3100005"}));
        EXPECT_EQ(remainders(month(1), 1), (QStringList{"0", "0", "0"}));
        exec("DELETE FROM F3201 WHERE DDMONTH = '" + month().toStdString() + "' AND DDNUMB = " + first.toStdString()
             + "; DELETE FROM F3200 WHERE DHMONTH = '" + month().toStdString() + "' AND DHNUMB = "
             + first.toStdString());
        w->FormShow();
    }
}

TEST_F(DeliverTest, BadInputIsRefusedWithItsNoticeAndWritesNothing)
{
    MessageResponder responder;
    // No lines: silence.
    clickButton(w->form().btn_chul);
    EXPECT_TRUE(responder.messages().isEmpty());

    touchOrder(2);
    // A blocked customer: the block notice, both combos cleared, then the customer notice.
    const int blocked = w->form().CMB_ADNBNAME->findText(QStringLiteral("미수거래처"));
    ASSERT_GT(blocked, 0);
    w->form().CMB_ADNBNAME->setCurrentIndex(blocked);
    emit w->form().CMB_ADNBNAME->activated(blocked);
    EXPECT_EQ(w->form().CMB_ADNBNAME->currentIndex(), -1);
    EXPECT_EQ(w->form().CMB_ADNB->currentIndex(), -1);
    clickButton(w->form().btn_chul);
    ASSERT_EQ(responder.notices().size(), 2);
    EXPECT_TRUE(responder.notices()[0].text.contains(QStringLiteral("미수금 입금 후에")));
    EXPECT_EQ(responder.notices()[1].text, QStringLiteral("출고할 지점이 없습니다. 출고처를 선택해 주세요!"));

    // No right to register releases.
    rights.Edit();
    rights.FieldByName(QStringLiteral("wrau")).setAsBoolean(false);
    rights.Post();
    touchOrder(2);
    responder.clear();
    clickButton(w->form().btn_chul);
    EXPECT_EQ(responder.texts(), QStringList{"등록(수정) 권한이 없습니다."});
    EXPECT_EQ(callsOf(QStringLiteral("GP_SELECT_MAXNUMBER")) + callsOf(kInsert), 0);
    EXPECT_EQ(w->VTB_PATTERNBALJU->RecordCount(), 1);
}

TEST_F(DeliverTest, PatternsAndPlacedOrdersGiveTheirLines)
{
    touchPattern(2);
    EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("30000001"));
    EXPECT_EQ(lines("IMITNB"), (QStringList{"200001", "200002"}));
    EXPECT_EQ(lines("IMITTY"), (QStringList{"상품", "상품"}));
    for (const char *price : {"ADUPRC", "ADUPRC000", "ADUPRC2", "ADUPRC001"})
        EXPECT_EQ(lines(price), (QStringList{"8000", "14400"})) << price;

    // Placed orders of today: #3 to 30000001 by pattern 2, #5 "복합패턴".
    TF652_EdOrder picker;
    picker.show();
    const struct {
        const char *pattern;
        QString customer;
        QStringList items, quantities;
    } cases[] = {{"음료 발주", "30000001", {"200001", "200002"}, {"2", "0"}},
                 {"복합패턴", "40000002", {"600001"}, {"1"}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.pattern);
        ASSERT_TRUE(picker.cds_F2100_pat->Locate(QStringLiteral("AHNAME"), QString::fromUtf8(c.pattern)));
        picker.grid_PetenlistCellClick();
        w->LoadPlacedOrder(picker);
        EXPECT_EQ(w->form().CMB_ADNB->currentText(), c.customer);
        EXPECT_EQ(lines("IMITNB"), c.items);
        EXPECT_EQ(lines("ADQTY"), c.quantities);
    }
    EXPECT_EQ(lines("ADUPRC001"), QStringList{"25000"});

    // The pattern filter and the paging of the pattern list.
    EXPECT_EQ(w->cds_F2110_s->RecordCount(), 5);
    w->form().com_PetenBunruAll->setCurrentIndex(2); // 재료
    QStringList shown;
    for (w->cds_F2110_s->First(); !w->cds_F2110_s->Eof(); w->cds_F2110_s->Next())
        shown << w->cds_F2110_s->FieldByName(QStringLiteral("AHADNB")).AsString();
    EXPECT_EQ(shown, (QStringList{"40000001", "40000002", "40000001"}));
    w->form().com_PetenBunruAll->setCurrentIndex(0);
    EXPECT_EQ(w->cds_F2110_s->RecordCount(), 5);
    w->cds_F2110_s->First();
    clickButton(w->form().MirelImgBtn5);
    EXPECT_EQ(w->cds_F2110_s->RecNo(), 1);
    clickButton(w->form().MirelImgBtn2);
    EXPECT_EQ(w->cds_F2110_s->RecNo(), 5);
}

TEST_F(DeliverTest, TheUnitColumnSwitchesALineBetweenItsUnits)
{
    touchPattern(3);
    ASSERT_EQ(lines("IMITNB").value(0), QStringLiteral("500001"));
    TColumn *unit = nullptr;
    for (int i = 0; i < w->form().grid_Regorderlist->Columns().Count(); ++i)
        if (w->form().grid_Regorderlist->Columns()[i]->FieldName() == QLatin1String("ADUNIT"))
            unit = w->form().grid_Regorderlist->Columns()[i];
    ASSERT_NE(unit, nullptr);
    for (const char *press : {"MirelImg_ok", "MirelImg_yes"}) {
        whenLoopRuns([press] {
            auto *dlg = qobject_cast<TF405_Dialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            clickButton(dlg->findChild<TMirelImgBtn *>(QString::fromLatin1(press)));
        });
        w->VTB_PATTERNBALJU->First();
        w->grid_RegorderlistCellClick(unit);
        EXPECT_EQ(w->VTB_PATTERNBALJU->State(), DataSetState::Browse);
        EXPECT_EQ(lines("ADUNIT").value(0), QString::fromUtf8(press == std::string("MirelImg_ok") ? "G" : "포대"));
    }
}

TEST_F(DeliverTest, AFailedReadLeavesTheCustomerAndTheLinesAsTheyWere)
{
    touchOrder(1);
    ASSERT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("0003"));
    const QStringList items = lines("IMITNB"), quantities = lines("ADQTY");
    const QDate date = w->form().date_Wantdate->date();

    // Today's order #3 to 30000001, by pattern 2, touched in the picker.
    TF652_EdOrder picker;
    picker.show();
    ASSERT_TRUE(picker.cds_F2100_pat->Locate(QStringLiteral("AHNAME"), QStringLiteral("음료 발주")));
    picker.grid_PetenlistCellClick();

    const struct {
        const char *what;
        const char *procedure;
        std::function<void()> touch;
        const char *logged;
    } cases[] = {
        {"another received order", "GP_SELECT_F2401_POPUPSALES", [&] { touchOrder(2); }, "F1005_Release.cds_F2401_det Error:"},
        {"a pattern", "GP_SELECT_F2111_REGORDERSEARCH_NEW1", [&] { touchPattern(2); },
         "TF652_RegOrder.grid_PetenlistCellClick Error:"},
        {"a placed order", "GP_SELECT_F2111_REGORDERSEARCH_NEW1", [&] { w->LoadPlacedOrder(picker); },
         "TF652_RegOrder.grid_PetenlistCellClick Error:"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const qsizetype logged = logText().count(QLatin1String(c.logged));
        server().failCall(QLatin1String(c.procedure), 1, TestServer::FailMode::BeforeRun);
        c.touch();
        EXPECT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("0003"));
        EXPECT_EQ(w->form().CMB_ADNBNAME->currentText(), QStringLiteral("가맹1호"));
        EXPECT_EQ(w->form().date_Wantdate->date(), date);
        EXPECT_EQ(lines("IMITNB"), items);
        EXPECT_EQ(lines("ADQTY"), quantities);
        EXPECT_EQ(logText().count(QLatin1String(c.logged)), logged + 1) << logText().toStdString();
    }

    // The lines are still the order's and go to its customer.
    MessageResponder responder;
    save(responder);
    EXPECT_EQ(responder.texts(), QStringList{"가맹1호거래처로 출고 하시겠습니까?"});
    EXPECT_EQ(todaysReleases().size(), 1);
}

TEST_F(DeliverTest, AReceivedOrdersLinesReleasedToAnotherCustomerAreRefusedAndKept)
{
    touchOrder(1); // 가맹1호's order
    const int other = w->form().CMB_ADNBNAME->findText(QStringLiteral("직영2호"));
    ASSERT_GT(other, 0);
    w->form().CMB_ADNBNAME->setCurrentIndex(other);
    emit w->form().CMB_ADNBNAME->activated(other);
    ASSERT_EQ(w->form().CMB_ADNB->currentText(), QStringLiteral("0004"));

    ErrorBoxWatcher errors;
    MessageResponder responder;
    save(responder);
    ASSERT_EQ(errors.texts.size(), 1);
    EXPECT_TRUE(errors.texts[0].contains(QStringLiteral("다른 거래처의 수주"))) << errors.texts[0].toStdString();
    EXPECT_EQ(lines("IMITNB"), (QStringList{"100001", "100002", "100005"}));
    EXPECT_TRUE(rows(QStringLiteral("SELECT 1 FROM F3201 WHERE DDCMCD = '9999' AND DDMONTH = '%1' AND DDNUMB = %2")
                         .arg(month(), w->form().Edit3->text()))
                    .isEmpty());
    EXPECT_EQ(remainders(month(1), 1), (QStringList{"10", "20", "2"}));
}

} // namespace
