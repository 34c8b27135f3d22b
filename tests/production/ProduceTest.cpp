// Production entry against the in-process server and its demo data
// (productions #1 yesterday and #2 today, #80 on the 15th of last month; job
// order #2 today; recipes of 우유식빵 at 1,700 a unit), signed in as 1001
// unless a case says otherwise: what a save writes and what it does to stock,
// the questions before it, a failed save and its retry, the loss split, the
// reload with its modification and delete, the job-order takeover and the
// slip.

#include "ItemEntryFixture.h"
#include "PickerDriver.h"
#include "ReceiptCapture.h"
#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "core/ProgramRights.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "production/ProductionSlip.h"
#include "production/U1003_Produce.h"
#include "production/U1301_WorkDirections.h"
#include "production/U656_StockDetail_SengSan.h"
#include "support/MessageResponder.h"
#include "ui_ItemEntryScreen.h"
#include "ui_U1003_Produce.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

#include <cmath>
#include <functional>
#include <map>

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3300_PRODUCTENTRY");
const QString kNumber = QStringLiteral("GP_SELECT_MAXNUMBER");
const QString kCancelled = QStringLiteral("생산등록을 취소하였습니다.");

class Produce : public ItemEntrySuite {
protected:
    void SetUp() override
    {
        ItemEntrySuite::SetUp();
        today = os::Now().date();
        signInAs("90000001", "001");
    }

    // The user number of the save rows and the rights rows of the user's group.
    void signInAs(const char *user, const char *group)
    {
        MyConfig.UIADNB = QLatin1String(user);
        rights = client("dspStoredProc2", "GP_SELECT_F0030_RALD");
        rights->Params().CreateParam(FieldType::String, QStringLiteral("A_CMCD")).setAsString(QStringLiteral("9999"));
        rights->Params().CreateParam(FieldType::String, QStringLiteral("A_USGR")).setAsString(QLatin1String(group));
        rights->Open();
        SetProgramRights(rights.get());
    }

    static QStringList linesOf(const QString &month, qint64 number)
    {
        return rows("SELECT RDSEQ, RDITNB, RDLINB, RDQTY, RDLQTY, RDWPRC FROM F3301 WHERE RDCMCD = '9999'"
                    " AND RDBUUT = '9999' AND RDMONTH = '" + month.toStdString() + "' AND RDNUMB = "
                    + std::to_string(number) + " ORDER BY RDSEQ");
    }
    static int productions() { return scalar("SELECT COUNT(*) FROM F3300"); }
    // The production written last: month and number.
    static std::pair<QString, qint64> lastProduction()
    {
        const QStringList r = rows("SELECT RHMONTH, RHNUMB FROM F3300 ORDER BY rowid DESC LIMIT 1");
        const QStringList cells = r.value(0).split('|');
        return {cells.value(0), cells.value(1).toLongLong()};
    }
    // Every stock movement of the store, summed by kind and item.
    static std::map<QString, double> movements()
    {
        std::map<QString, double> out;
        for (const QString &row : rows("SELECT kind || ' ' || itnb, SUM(qty) FROM V_STOCKMOVE WHERE cmcd = '9999'"
                                       " AND buut = '9999' GROUP BY kind, itnb"))
            out[row.section('|', 0, 0)] = row.section('|', 1).toDouble();
        return out;
    }
    static QStringList change(const std::map<QString, double> &before, const std::map<QString, double> &after)
    {
        QStringList out;
        for (const auto &[key, qty] : after)
            if (const double d = qty - (before.count(key) ? before.at(key) : 0); std::abs(d) > 1e-9)
                out << key + ' ' + QString::number(d, 'g', 12);
        return out;
    }

    static TMirelMenuBtn *item(TF1003_Produce &s, const QString &name)
    {
        for (TMirelMenuBtn *b : s.ButtonsItems)
            if (b->ItemName2 == name)
                return b;
        ADD_FAILURE() << name.toStdString();
        return nullptr;
    }
    // A line as a touched item makes it (price: the item's recipe cost).
    static void add(TF1003_Produce &s, const char *code, const char *name, const char *kind, bool produced = true,
                    double price = 0)
    {
        s.RegItemStock(QLatin1String(code), QString::fromUtf8(name), QStringLiteral("EA"), QStringLiteral("BOX"), 10,
                       true, produced, 1, QLatin1String(kind), price);
    }
    // Types keys ("10", "0.3") on the key pad into an edit, emptied first.
    static void type(TF1003_Produce &s, QLineEdit *edit, const char *keys)
    {
        s.edt_MouseUp(edit);
        while (!edit->text().isEmpty())
            s.btn_ghktkfvyClick();
        for (const char *k = keys; *k; ++k)
            *k == '.' ? s.btnJemClick() : s.bntSuMouseUp(*k - '0');
    }
    static QLineEdit *produced(TF1003_Produce &s) { return s.form().edt_Surang1; }
    static QLineEdit *lost(TF1003_Produce &s) { return s.produceForm().edt_Surang2; }
    // The current line's ADQTY, SonsilSu and SonPlusIlSu.
    static QString current(TF1003_Produce &s)
    {
        DataSet &b = *s.vtb_STOCK;
        return QStringLiteral("%1 %2 %3")
            .arg(b.FieldByName("ADQTY").AsFloat())
            .arg(b.FieldByName("SonsilSu").AsFloat())
            .arg(b.FieldByName("SonPlusIlSu").AsFloat());
    }

    // Reloads production `number` dated `day` through the status list.
    static void reload(TF1003_Produce &s, const QDate &day, qint64 number)
    {
        inPicker<TF656_StockDetail_SengSan>(s, TItemEntryScreen::TagReload, [day, number](auto &list) {
            child<QDateEdit>(list, "date_SdssSearch1")->setDate(day);
            child<QDateEdit>(list, "date_SdssSearch2")->setDate(day);
            clickButton(child(list, "btn_SdssSearch"));
            ASSERT_TRUE(list.cds_F3300_hed->Locate(QStringLiteral("RHNUMB"), number));
            list.grid_SdssStock1CellClick();
            clickButton(child(list, "btn_SdssEdit"));
        });
    }
    // A production of 우유식빵 8 (2 lost) and 단팥빵 1 saved today; its number.
    qint64 saveToday(TF1003_Produce &s)
    {
        add(s, "100001", "우유식빵", "1", true, 1700);
        type(s, produced(s), "10");
        s.btn_OkClick();
        type(s, lost(s), "2");
        s.btn_OkClick();
        add(s, "100002", "단팥빵", "1");
        responder.answer(6);
        clickButton(s.form().btn_Menu9);
        return lastProduction().second;
    }

    QDate today;
    std::unique_ptr<ClientDataSet> rights;
    MessageResponder responder;
};

TEST_F(Produce, TwoItemsTypedOnTheSecondLineMakeOneProductionAndMoveStockByTheRecipe)
{
    TF1003_Produce s;
    s.show();
    QComboBox *line = s.produceForm().combo_SengsangLine;
    EXPECT_EQ(line->currentText(), QStringLiteral("1라인(제빵)"));
    EXPECT_EQ(s.produceForm().Edit10->text(), QStringLiteral("001"));
    EXPECT_EQ(s.produceForm().lab_JijemAalrim->text(), QStringLiteral("지점생산"));
    const QDate day = QDate(today.year(), today.month(), 1).addMonths(-1).addDays(19);
    s.form().date_Wantdate->setDate(day);

    clickButton(item(s, QStringLiteral("우유식빵")));
    type(s, produced(s), "10");
    s.btn_OkClick();
    type(s, lost(s), "2");
    EXPECT_EQ(produced(s)->text(), QStringLiteral("8"));
    s.btn_OkClick();
    EXPECT_EQ(current(s), QStringLiteral("8 2 10"));
    clickButton(s.form().btn_Menu2);
    clickButton(s.ButtonsA[1]); // 케이크생산, 크림
    clickButton(item(s, QStringLiteral("커스터드크림")));
    type(s, produced(s), "1500");
    s.btn_OkClick();
    line->setCurrentIndex(1);
    emit line->activated(1);
    EXPECT_EQ(s.produceForm().Edit10->text(), QStringLiteral("002"));

    const auto before = movements();
    const int all = productions();
    server().clearCalls();
    responder.answer(6);
    clickButton(s.form().btn_Menu9);
    EXPECT_EQ(responder.questions().value(0).text, QStringLiteral("생산 등록 하시겠습니까?"));
    ASSERT_EQ(productions(), all + 1);
    const auto [month, number] = lastProduction();
    EXPECT_EQ(month, day.toString("yyyyMM"));
    EXPECT_EQ(rows("SELECT RHYEAR, RHDATE, RHLINB, RHADNB, RHWORK, RHPGID FROM F3300 WHERE RHMONTH = '"
                   + month.toStdString() + "' AND RHNUMB = " + std::to_string(number)),
              QStringList{day.toString("yyyy|yyyyMMdd") + "|002|90000001|90000001|F1003_Produce"});
    EXPECT_EQ(linesOf(month, number), (QStringList{"1|100001|002|8.0|2.0|13600.0", "2|300002|002|1500.0|0.0|0.0"}));
    EXPECT_EQ(change(before, movements()), (QStringList{"PLOSS 100001 2", "PROD 100001 8", "PROD 300002 1500",
                                                        "USE 300001 -5000", "USE 500003 -100"}));
    EXPECT_EQ(callsOf(kNumber), 1);

    // The production reset: the basket, the state and the first line again.
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
    EXPECT_EQ(line->currentIndex(), 0);
    EXPECT_EQ(s.produceForm().Edit10->text(), QStringLiteral("001"));
    EXPECT_TRUE(s.produceForm().lab_JijemAalrim->text().isEmpty());
    EXPECT_EQ(s.form().Edit3->text(), QStringLiteral("0"));
    EXPECT_EQ(s.SavedNumb, QString::number(number));
    EXPECT_EQ(responder.notices().size(), 0);
}

// A save whose second line fails, before or after the server wrote it.
TEST_F(Produce, AFailedSaveTellsKeepsTheBasketAndItsRetryCompletesTheSameDocument)
{
    for (const auto mode : {TestServer::FailMode::BeforeRun, TestServer::FailMode::AfterCommit}) {
        SCOPED_TRACE(mode == TestServer::FailMode::BeforeRun ? "before" : "after");
        responder.clear();
        TF1003_Produce s;
        s.show();
        add(s, "100001", "우유식빵", "1", true, 1700);
        add(s, "100002", "단팥빵", "1");
        server().clearCalls();
        server().failCall(kInsert, 3, mode);
        responder.answer(6);
        clickButton(s.form().btn_Menu9);
        ASSERT_EQ(responder.notices().size(), 1);
        EXPECT_EQ(responder.notices()[0].text, QStringLiteral("생산 저장에 실패하였습니다."));
        EXPECT_EQ(responder.notices()[0].stayMs, 3000);
        EXPECT_TRUE(logText().contains(QStringLiteral("F651_Stock.cds_Sengsan.생산 저장 Error:")));
        EXPECT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 100001 1", "2 100002 1"}));
        EXPECT_TRUE(s.SavedNumb.isEmpty());
        const auto [month, number] = lastProduction();

        const int all = productions();
        responder.answer(6);
        clickButton(s.form().btn_Menu9);
        EXPECT_EQ(productions(), all);
        EXPECT_EQ(lastProduction().second, number);
        EXPECT_EQ(linesOf(month, number), (QStringList{"1|100001|001|1.0|0.0|1700.0", "2|100002|001|1.0|0.0|640.0"}));
        EXPECT_EQ(callsOf(kNumber), 1);
        EXPECT_EQ(s.SavedNumb, QString::number(number));
        EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
    }
}

TEST_F(Produce, SaveAsksAboutLinesThatCannotBeProducedAndNeedsTheRight)
{
    struct Case {
        const char *name;
        const char *group;                        // the rights rows of the user's group
        std::function<void(TF1003_Produce &)> fill;
        QList<int> answers;
        const char *notice;                       // or nullptr
        QStringList basket;                       // afterwards
        int written;                              // productions written
    };
    const auto milkAnd = [](const char *code, const char *name, const char *kind, bool produced) {
        return [=](TF1003_Produce &s) {
            add(s, "100001", "우유식빵", "1");
            add(s, code, name, kind, produced);
            add(s, "100002", "단팥빵", "1");
        };
    };
    const Case cases[] = {
        {"no write right, empty basket", "003", [](TF1003_Produce &) {}, {}, "등록(수정) 권한이 없습니다.", {}, 0},
        {"no write right", "003", milkAnd("100003", "소보로빵", "1", true), {}, "등록(수정) 권한이 없습니다.",
         {"1 100001 1", "2 100003 1", "3 100002 1"}, 0},
        {"flag off, yes", "001", milkAnd("100006", "고구마케이크", "1", false), {6}, nullptr,
         {"1 100001 1", "2 100002 1"}, 0},
        {"flag off, no", "001", milkAnd("100006", "고구마케이크", "1", false), {7}, "생산등록을 취소하였습니다.",
         {"1 100001 1", "2 100006 1", "3 100002 1"}, 0},
        {"goods, no", "001", milkAnd("200001", "생수500ml", "2", true), {7}, "생산등록을 취소하였습니다.",
         {"1 100001 1", "2 200001 1", "3 100002 1"}, 0},
        {"material, yes", "001", milkAnd("500002", "설탕", "5", true), {6, 6}, nullptr, {}, 1},
        {"empty basket", "001", [](TF1003_Produce &) {}, {}, nullptr, {}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        signInAs("90000001", c.group);
        responder.clear();
        TF1003_Produce s;
        s.show();
        c.fill(s);
        const int all = productions();
        server().clearCalls();
        for (int answer : c.answers)
            responder.answer(answer);
        clickButton(s.form().btn_Menu9);
        EXPECT_EQ(responder.notices().size(), c.notice ? 1 : 0);
        if (c.notice) {
            EXPECT_EQ(responder.notices().value(0).text, QString::fromUtf8(c.notice));
        }
        EXPECT_EQ(BasketLines(*s.vtb_STOCK), c.basket);
        EXPECT_EQ(productions(), all + c.written);
        EXPECT_EQ(callsOf(kNumber), c.written);
        if (c.written) {
            const auto [month, number] = lastProduction();
            EXPECT_EQ(linesOf(month, number).size(), 2);
        }
    }
}

TEST_F(Produce, TheLossComesOffTheWholeQuantityOnExactDecimalsAndMayNotExceedWhatIsProduced)
{
    const struct {
        const char *whole, *lost, *left;
    } splits[] = {{"10", "2", "8"}, {"10", "3", "7"}, {"0.3", "0.1", "0.2"}, {"10000", ".5", "9999.5"}, {"4", "x", "4"}};
    for (const auto &c : splits)
        EXPECT_EQ(ProducedAfterLoss(QLatin1String(c.whole), QLatin1String(c.lost)), QLatin1String(c.left)) << c.lost;

    TF1003_Produce s;
    s.show();
    add(s, "100001", "우유식빵", "1");
    type(s, produced(s), "10");
    s.btn_OkClick();
    type(s, lost(s), "2");
    s.btn_OkClick();
    EXPECT_EQ(current(s), QStringLiteral("8 2 10"));
    // Typed again, the loss comes off 8 + 2.
    type(s, lost(s), "3");
    EXPECT_EQ(produced(s)->text(), QStringLiteral("7"));
    s.btn_OkClick();
    EXPECT_EQ(current(s), QStringLiteral("7 3 10"));

    // Produced 3 against lost 5 with the key pad on the produced edit, then
    // lost 7 (leaving 3) on the loss edit: refused, the line unchanged.
    type(s, lost(s), "5");
    type(s, produced(s), "3");
    s.btn_OkClick();
    type(s, lost(s), "7");
    EXPECT_EQ(produced(s)->text(), QStringLiteral("3"));
    s.btn_OkClick();
    ASSERT_EQ(responder.notices().size(), 2);
    for (const auto &notice : responder.notices())
        EXPECT_EQ(notice.text, QStringLiteral("손실 수량이 더 많습니다"));
    EXPECT_EQ(current(s), QStringLiteral("7 3 10"));

    add(s, "100002", "단팥빵", "1");
    type(s, produced(s), "0.3");
    s.btn_OkClick();
    type(s, lost(s), "0.1");
    EXPECT_EQ(produced(s)->text(), QStringLiteral("0.2"));
    s.btn_OkClick();
    s.vtb_STOCK->Last();
    EXPECT_EQ(s.vtb_STOCK->FieldByName("ADQTY").AsFloat(), 0.2);
    EXPECT_EQ(s.vtb_STOCK->FieldByName("SonPlusIlSu").AsFloat(), 0.3);

    // A split wider than the five characters one may type stays whole.
    add(s, "300001", "식빵반죽", "3");
    type(s, produced(s), "10000");
    s.btn_OkClick();
    type(s, lost(s), ".5");
    EXPECT_EQ(produced(s)->text(), QStringLiteral("9999.5"));
    s.btn_OkClick();
    EXPECT_EQ(current(s), QStringLiteral("9999.5 0.5 10000"));
}

TEST_F(Produce, AReloadedProductionIsChangedUnderItsOwnNumberAndDeletedOnlyWithTheRight)
{
    TF1003_Produce s;
    s.show();
    const qint64 number = saveToday(s);
    const QString month = today.toString("yyyyMM");
    clickButton(s.form().btn_Menu8); // nothing reloaded: nothing happens
    EXPECT_EQ(responder.questions().size(), 1);

    reload(s, today, number);
    EXPECT_EQ(s.form().lab_BanpumNeyek->text(), QStringLiteral("생산 내역 진행중"));
    EXPECT_EQ((QStringList{s.form().Edit30->text(), s.form().Edit31->text(), s.produceForm().Edit32->text(),
                           s.form().Edit33->text(), s.produceForm().Edit10->text(),
                           s.produceForm().combo_SengsangLine->currentText()}),
              (QStringList{month, QString::number(number), today.toString("yyyy"), today.toString("yyyyMMdd"), "001",
                           "1라인(제빵)"}));
    EXPECT_EQ(lost(s)->text(), QStringLiteral("2"));
    type(s, produced(s), "6");
    s.btn_OkClick();

    const int all = productions();
    server().clearCalls();
    responder.answer(6);
    clickButton(s.form().btn_Menu9);
    EXPECT_EQ(responder.questions().last().text, QStringLiteral("생산 내역 수정 하시겠습니까?"));
    EXPECT_EQ(productions(), all);
    EXPECT_EQ(callsOf(kNumber), 0);
    // The reloaded lines carry no cost: the server costs them from the recipe.
    EXPECT_EQ(linesOf(month, number), (QStringList{"1|100001|001|6.0|2.0|10200.0", "2|100002|001|1.0|0.0|640.0"}));
    EXPECT_EQ(s.SavedNumb, QString::number(number));
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
    EXPECT_TRUE(s.form().lab_BanpumNeyek->text().isEmpty());

    // 1002 may not delete; 1001 may.
    signInAs("90000002", "002");
    reload(s, today, number);
    responder.clear();
    clickButton(s.form().btn_Menu8);
    EXPECT_EQ(responder.texts(), QStringList{"삭제 권한이 없습니다."});
    EXPECT_EQ(linesOf(month, number).size(), 2);

    signInAs("90000001", "001");
    responder.answer(6);
    clickButton(s.form().btn_Menu8);
    EXPECT_EQ(productions(), all - 1);
    EXPECT_TRUE(linesOf(month, number).isEmpty());
    EXPECT_EQ(rows("SELECT AUPROC, AUKEY, AUWORK, AUPGID FROM SYS_AUDIT ORDER BY rowid DESC LIMIT 1"),
              QStringList{"GP_DELETE_F3300_PRODUCTENTRY|9999/9999/" + month + "-"
                          + QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0')) + "|90000001|F1003_Produce"});
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
    EXPECT_TRUE(s.form().Edit31->text().isEmpty());
}

TEST_F(Produce, ATakenOverJobOrderDropsGivenBackLinesAndIsSavedAsANewProduction)
{
    // Job order #2 (커스터드크림 2,000 G) gains a line given back and a goods line.
    exec("INSERT INTO F3311 (JDCMCD, JDBUUT, JDMONTH, JDNUMB, JDSEQ, JDITNB, JDUNIT, JDQTY, JDMDAN, JDLDAN, JDMCAL)"
         " VALUES ('9999', '9999', strftime('%Y%m', 'now', 'localtime'), 2, 2, '100001', 'EA', -1, 'BOX', 'EA', 10),"
         " ('9999', '9999', strftime('%Y%m', 'now', 'localtime'), 2, 3, '200001', 'EA', 3, 'BOX', 'EA', 20)");
    auto cleanup = qScopeGuard([] { exec("DELETE FROM F3311 WHERE JDCMCD = '9999' AND JDNUMB = 2 AND JDSEQ > 1"); });
    TF1003_Produce s;
    s.show();
    inPicker<TF1301_WorkDirections>(s, TItemEntryScreen::TagAction2, [this](auto &list) {
        EXPECT_EQ(list.ListMode, QStringLiteral("2"));
        child<QDateEdit>(list, "date_WdSearch1")->setDate(today.addDays(-1));
        clickButton(child(list, "btn_chulgoStockHedsearch"));
        ASSERT_TRUE(list.cds_F3310_hed->Locate(QStringLiteral("JHNUMB"), 2));
        list.grid_WorkDirectionhedCellClick();
        clickButton(child(list, "MirelImgBtn3"));
    });
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 300002 2000", "2 200001 3"}));
    EXPECT_EQ(s.form().lab_BanpumNeyek->text(), QStringLiteral("작업 지시서 진행중"));
    EXPECT_EQ((QStringList{s.form().Edit30->text(), s.form().Edit31->text(), s.produceForm().Edit32->text(),
                           s.form().Edit33->text(), s.produceForm().Edit100->text()}),
              (QStringList{today.toString("yyyyMM"), "2", today.toString("yyyy"), today.toString("yyyyMMdd"),
                           "1900-01-01"}));
    clickButton(s.form().btn_Menu8); // no reloaded production: no question
    EXPECT_TRUE(responder.messages().isEmpty());

    const int all = productions();
    responder.answer(7);
    clickButton(s.form().btn_Menu9);
    EXPECT_EQ(responder.questions().value(0).text, QStringLiteral("상품/재료는 생산등록 할 수 없습니다, 삭제하시겠습니까?"));
    EXPECT_TRUE(responder.contains(kCancelled));
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 2);
    responder.answer({6, 6});
    clickButton(s.form().btn_Menu9);
    ASSERT_EQ(productions(), all + 1);
    const auto [month, number] = lastProduction();
    EXPECT_NE(number, 2);
    EXPECT_EQ(linesOf(month, number), QStringList{"1|300002|001|2000.0|0.0|0.0"});
    EXPECT_TRUE(s.form().lab_BanpumNeyek->text().isEmpty());
}

TEST_F(Produce, LastMonthsProductionChangedThenPrintedRereadsItsMonth)
{
    ClockGuard clock;
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    TF1003_Produce s;
    s.show();
    clickButton(s.form().btn_Menu6);
    EXPECT_EQ(responder.texts(), QStringList{"생산한 내역이 없습니다."});

    const QDate day = QDate(today.year(), today.month(), 1).addMonths(-1).addDays(14);
    reload(s, day, 80);
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 100003 24", "2 100004 36"}));
    responder.answer(6);
    clickButton(s.form().btn_Menu9);
    EXPECT_EQ(linesOf(day.toString("yyyyMM"), 80), (QStringList{"1|100003|001|24.0|1.0|0.0", "2|100004|001|36.0|2.0|0.0"}));

    MyConfig.pcprst = QStringLiteral("2");
    clickButton(s.form().btn_Menu6); // no slip at all
    MyConfig.pcprst = QStringLiteral("1");
    os::SetNow(QDateTime(today, QTime(9, 5)));
    server().clearCalls();
    clickButton(s.form().btn_Menu6);
    const QChar esc(0x1B);
    const QStringList slip{
        QString(esc) + "!" + QChar(0x10) + QString(15, ' ') + "[생산 수정]" + QString(16, ' ') + esc + "!" + QChar(0),
        QString(),
        " 생산 시각: " + today.toString("yyyy-MM-dd") + " 09:05" + QString(14, ' '),
        QString(42, '='),
        QStringLiteral("제품명             총생산량  손실량 생산량"),
        QString(42, '-'),
        QStringLiteral("소보로빵       EA        25       1     24"),
        QStringLiteral("크림빵         EA        38       2     36"),
        QString(42, '='),
    };
    EXPECT_EQ(printer.waitForCopies(1), ReceiptCapture::copy(slip));
    EXPECT_EQ(callsOf(QStringLiteral("GP_SELECT_F3301_STOCKDETAIL_SENGSANDETAIL_SEARCH")), 1);
    EXPECT_TRUE(printer.stop());
}

TEST(ProductionSlip, NumbersStandWholeAndTheNameGivesWay)
{
    const QList<ProductionSlipLine> lines{{QStringLiteral("아주긴이름의식빵"), 1000000, QStringLiteral("EA"), 0, 1000000},
                                          {QStringLiteral("우유식빵"), 8, QStringLiteral("EA"), 2, 10}};
    const QStringList body = ProductionSlipBody(lines);
    ASSERT_EQ(body.size(), 4);
    EXPECT_EQ(body[2], QStringLiteral("아주긴이름의 EA 1,000,000       01,000,000"));
    EXPECT_EQ(body[3], QStringLiteral("우유식빵       EA        10       2      8"));
    for (const QString &row : body)
        EXPECT_EQ(os::ToAnsi(row).size(), 42) << row.toStdString();
}

} // namespace
