// The two stock-out screens and the release list against the in-process
// server and its demo entries (tasting #2 and gift #5 a day back, discard #3
// two days back with a 설탕 line, secondary material #4), signed in as 1001:
// what the saves write, the material check, the reload through the list, the
// delete, failures on the way and the slip.

#include "ItemEntryFixture.h"
#include "ReceiptCapture.h"
#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "documents/U1007_TwoMaterialDisuse.h"
#include "documents/U1009_TastePresent.h"
#include "documents/U1013_ReleaseList.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/Keys.h"
#include "platform/remote/ClientDataSet.h"
#include "support/MessageResponder.h"
#include "ui_U1013_ReleaseList.h"
#include "ui_ItemEntryScreen.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace {

const QString kInsert = QStringLiteral("GP_INSERT_F3200_DELIVERYENTRY");
const QString kLines = QStringLiteral("GP_SELECT_F3201_DELIVERYENTRY");

class StockOut : public ItemEntrySuite {
protected:
    void SetUp() override
    {
        ItemEntrySuite::SetUp();
        MyConfig.UIADNB = QStringLiteral("90000001"); // user 1001
        today = os::Now().date();
    }

    // The entry written last (highest rowid) and its lines.
    static QString lastHeader()
    {
        const QStringList r = rows("SELECT DHMONTH, DHNUMB, DHDATE, DHCHTY, DHADNB, DHPDFL, DHPOID, DHWORK, DHPGID"
                                   " FROM F3200 ORDER BY rowid DESC LIMIT 1");
        return r.value(0);
    }
    static QStringList linesOf(const QString &month, const QString &number)
    {
        return rows("SELECT DDMONTH, DDSEQ, DDITNB, DDQTY, DDUPRC, DDAMT FROM F3201 WHERE DDCMCD = '9999'"
                    " AND DDBUUT = '9999' AND DDMONTH = '" + month.toStdString() + "' AND DDNUMB = "
                    + number.toStdString() + " ORDER BY DDSEQ");
    }
    static int entries() { return scalar("SELECT COUNT(*) FROM F3200"); }
    static int lastNumber(const QString &month)
    {
        return scalar("SELECT NBLAST FROM SYS_NUMBER WHERE NBGUBUN = 13 AND NBMONTH = '" + month.toStdString()
                      + "'");
    }

    static TMirelMenuBtn *item(TStockOutScreen &s, const QString &name)
    {
        for (TMirelMenuBtn *b : s.ButtonsItems)
            if (b->ItemName2 == name)
                return b;
        return nullptr;
    }

    // 단팥빵 touched twice and 크림빵 once, 크림빵 then set to 0 on the key pad.
    static void touchBreads(TStockOutScreen &s)
    {
        clickButton(s.ButtonsB[1]); // 단과자
        clickButton(item(s, QStringLiteral("단팥빵")));
        clickButton(item(s, QStringLiteral("단팥빵")));
        clickButton(item(s, QStringLiteral("크림빵")));
        s.edt_MouseUp(s.form().edt_Surang1);
        s.btn_ghktkfvyClick();
        s.bntSuMouseUp(0);
        s.btn_OkClick();
    }

    static void addSugar(TStockOutScreen &s)
    {
        s.RegItemStock(QStringLiteral("500002"), QStringLiteral("설탕"), QStringLiteral("G"), QStringLiteral("KG"),
                       1000, false, false, 1, QStringLiteral("5"));
    }

    static TMirelImgBtn *button(QWidget &w, const char *name)
    {
        auto *b = w.findChild<TMirelImgBtn *>(QLatin1String(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }

    // Runs the screen's reload; `inList` drives the list while it is shown.
    static void reload(TStockOutScreen &s, std::function<void(TF1013_ReleaseList &)> inList)
    {
        whenLoopRuns([inList] {
            ASSERT_NE(F1013_ReleaseList, nullptr);
            inList(*F1013_ReleaseList);
            if (F1013_ReleaseList && F1013_ReleaseList->isVisible())
                F1013_ReleaseList->done(TF1013_ReleaseList::ClosedResult);
        });
        s.btn_MenuClick(TItemEntryScreen::TagReload);
    }

    static void touchRow(TMirelGrid *grid, int row)
    {
        const QRect r = grid->CellRect(0, row);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.translated(-grid->viewport()->pos()).center());
    }

    // Lists the entries of the last five days.
    void search(TF1013_ReleaseList &list)
    {
        list.form().date_ChSearch1->setDate(today.addDays(-5));
        clickButton(list.form().btn_chulgoStockHedsearch);
    }
    // Touches the listed entry numbered `number` of type `type`.
    static void touchEntry(TF1013_ReleaseList &list, int number, const char *type)
    {
        ASSERT_TRUE(list.cds_F3200_hed->Locate(QStringLiteral("DHNUMB;DHCHTY"), QVariantList{number, type}));
        touchRow(list.form().grid_ChStock1, list.cds_F3200_hed->RecNo() - 1);
    }

    static QString monthBack(int days) { return os::Now().date().addDays(-days).toString("yyyyMM"); }

    QDate today;
    MessageResponder responder;
};

TEST_F(StockOut, SavesWriteEveryLineAsOneEntryOfTheButtonsTypeWithoutAWord)
{
    struct Case {
        bool tasting;
        const char *button, *type;
        bool sugar;
    };
    const Case cases[] = {{true, "btn_Taste", "004", false},
                          {true, "btn_Present", "003", false},
                          {false, "btn_Disuse", "005", true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.type);
        std::unique_ptr<TStockOutScreen> s;
        if (c.tasting)
            s = std::make_unique<TF1009_TastePresent>();
        else
            s = std::make_unique<TF1007_TwoMaterialDisuse>();
        s->show();
        touchBreads(*s);
        if (c.sugar)
            addSugar(*s); // a material line: a discard takes it without a check
        const int before = entries();
        clickButton(button(*s, c.button));

        ASSERT_EQ(entries(), before + 1);
        const QString month = today.toString("yyyyMM");
        const QString number = QString::number(lastNumber(month));
        const QString form = c.tasting ? "F1009_TastePresent" : "F1007_TwoMaterialDisuse";
        EXPECT_EQ(lastHeader(), QStringList({month, number, today.toString("yyyyMMdd"), c.type, "", "1", "99",
                                             "90000001", form})
                                    .join('|'));
        QStringList expected{month + "|1|100002|2.0|0|0", month + "|2|100004|0.0|0|0"};
        if (c.sugar)
            expected << month + "|3|500002|1.0|0|0";
        EXPECT_EQ(linesOf(month, number), expected);
        EXPECT_EQ(s->vtb_STOCK->RecordCount(), 0);
        EXPECT_EQ(s->form().Edit3->text(), QStringLiteral("0"));
        EXPECT_TRUE(responder.messages().isEmpty());
    }
}

TEST_F(StockOut, SecondaryMaterialTakesNoMaterialLineTouchedOrReloaded)
{
    TF1007_TwoMaterialDisuse s;
    s.show();
    clickButton(s.ButtonsB[1]);
    clickButton(item(s, QStringLiteral("단팥빵")));
    addSugar(s);
    clickButton(item(s, QStringLiteral("크림빵")));
    server().clearCalls();

    responder.answer(6);
    clickButton(s.findChild<TMirelImgBtn *>("btn_TwoMaterial"));
    EXPECT_EQ(responder.questions().size(), 1);
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 100002 1", "2 100004 1"}));
    EXPECT_EQ(callsOf(kInsert), 0);

    clickButton(s.findChild<TMirelImgBtn *>("btn_TwoMaterial"));
    EXPECT_EQ(callsOf(kInsert), 3);
    EXPECT_TRUE(lastHeader().contains(QStringLiteral("|010|")));
    EXPECT_EQ(responder.messages().size(), 1);

    addSugar(s);
    responder.answer(7);
    clickButton(s.findChild<TMirelImgBtn *>("btn_TwoMaterial"));
    EXPECT_TRUE(responder.contains(QStringLiteral("2차재료 변환을 취소하였습니다.")));
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 1);
    EXPECT_EQ(callsOf(kInsert), 3);

    // The demo discard brings 설탕 back as "원재료".
    reload(s, [this](TF1013_ReleaseList &list) {
        search(list);
        touchEntry(list, 3, "005");
        clickButton(list.form().btn_ScEdit);
    });
    ASSERT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 100001 1", "2 500002 500"}));
    s.vtb_STOCK->Last();
    EXPECT_EQ(s.vtb_STOCK->FieldByName("IMITTY").AsString(), QStringLiteral("원재료"));
    responder.clear();
    responder.answer(7);
    clickButton(s.findChild<TMirelImgBtn *>("btn_TwoMaterial"));
    EXPECT_EQ(responder.questions().size(), 1);
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 2);
    EXPECT_EQ(callsOf(kInsert), 3);
}

TEST_F(StockOut, ReleaseListShowsItsModesEntriesAndTogglesLinesWithoutAHeldKey)
{
    // A release to a customer today: never listed.
    exec("INSERT INTO F3200 (DHCMCD, DHBUUT, DHMONTH, DHNUMB, DHYEAR, DHDATE, DHADNB, DHCHTY, DHPOID, DHWORK, "
         "DHPGID) VALUES ('9999', '9999', strftime('%Y%m', 'now', 'localtime'), 901, "
         "strftime('%Y', 'now', 'localtime'), strftime('%Y%m%d', 'now', 'localtime'), '00000004', '001', '99', "
         "'90000001', 'F10051_deliver')");
    TF1009_TastePresent owner;
    owner.show();
    for (const char *mode : {"1", "2"}) {
        SCOPED_TRACE(mode);
        TF1013_ReleaseList list;
        list.ListMode = QLatin1String(mode);
        list.TargetBasket = owner.vtb_STOCK;
        list.show();
        EXPECT_EQ(list.form().btn_ChJeruo->isVisible(), *mode == '2');
        EXPECT_TRUE(list.form().Image3->isVisible());
        EXPECT_FALSE(list.form().Image1->isVisible());
        EXPECT_FALSE(list.cds_F3200_hed->Active()); // nothing until the search
        search(list);
        QStringList types;
        for (list.cds_F3200_hed->First(); !list.cds_F3200_hed->Eof(); list.cds_F3200_hed->Next())
            types << list.cds_F3200_hed->FieldByName("DHCHTY").AsString() + " "
                         + list.cds_F3200_hed->FieldByName("DHCHTY_NAME").AsString();
        types.removeDuplicates(); // the suite's other tests may have saved more
        types.sort();
        EXPECT_EQ(types, *mode == '1' ? QStringList({"005 폐기", "010 2차재료"}) : QStringList({"003 증정", "004 시식"}));

        if (*mode == '1') {
            // Each touch toggles one line; no key is held meanwhile.
            touchEntry(list, 3, "005");
            TMirelGrid *grid = list.form().grid_ChStock2;
            EXPECT_TRUE(grid->ToggleSelect());
            auto touch = [grid](int row) { touchRow(grid, row); };
            touch(0);
            touch(1);
            EXPECT_EQ(grid->SelectedRows().Count(), 2);
            touch(0);
            EXPECT_EQ(grid->SelectedRows().Count(), 1);
            EXPECT_EQ(os::HeldModifiers(), Qt::NoModifier);
            clickButton(list.form().btn_Close);
            EXPECT_EQ(list.result(), TF1013_ReleaseList::ClosedResult);
            EXPECT_FALSE(grid->ToggleSelect());
            EXPECT_TRUE(grid->Options() & dgRowSelect);
        }
    }
}

TEST_F(StockOut, ReloadCopiesTheFilteredLinesOfTheTouchedEntryOrNothing)
{
    // The demo discard gains a goods-free product line given back (-1) and one
    // of -0.5; with "제품" on, its 설탕 line stays behind.
    exec("INSERT INTO F3201 (DDCMCD, DDBUUT, DDMONTH, DDNUMB, DDSEQ, DDITNB, DDUNIT, DDQTY) SELECT DHCMCD, DHBUUT, "
         "DHMONTH, DHNUMB, s.seq, s.item, 'EA', s.qty FROM F3200, (SELECT 3 AS seq, '100004' AS item, -1 AS qty "
         "UNION ALL SELECT 4, '100003', -0.5) s WHERE DHCMCD = '9999' AND DHNUMB = 3 AND DHCHTY = '005'");
    TF1007_TwoMaterialDisuse s;
    s.show();
    addSugar(s);

    // Closed, or a copy before any entry was touched: the basket stays.
    reload(s, [](TF1013_ReleaseList &list) {
        clickButton(list.form().btn_ScEdit);
        EXPECT_TRUE(list.isVisible());
        clickButton(list.form().btn_Close);
    });
    EXPECT_TRUE(responder.contains(QStringLiteral("수정할 내역이 없습니다.")));
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), QStringList{"1 500002 1"});
    EXPECT_TRUE(s.form().lab_BanpumNeyek->text().isEmpty());

    reload(s, [this](TF1013_ReleaseList &list) {
        search(list);
        touchEntry(list, 3, "005");
        clickButton(list.form().btn_ChJefum);
        clickButton(list.form().btn_ScEdit);
    });
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), (QStringList{"1 100001 1", "2 100003 -0.5"}));
    EXPECT_EQ(s.form().lab_BanpumNeyek->text(), QStringLiteral("출고내역 진행중"));
    EXPECT_EQ(s.form().Edit30->text(), monthBack(2));
    EXPECT_EQ(s.form().Edit31->text(), QStringLiteral("3"));
    EXPECT_EQ(s.form().Edit33->text(), today.addDays(-2).toString("yyyyMMdd"));
}

TEST_F(StockOut, CopyAndDeleteActOnTheTouchedEntryNotThePagedRow)
{
    TF1009_TastePresent s;
    s.show();
    const int all = entries();
    clickButton(s.form().btn_Menu8); // not reloaded: no question, nothing deleted
    EXPECT_TRUE(responder.messages().isEmpty());
    EXPECT_EQ(entries(), all);

    reload(s, [this](TF1013_ReleaseList &list) {
        search(list);
        touchEntry(list, 2, "004");
        clickButton(list.form().btn_ChStock1Down);
        EXPECT_NE(list.cds_F3200_hed->FieldByName("DHNUMB").AsInteger(), 2); // another entry's row
        clickButton(list.form().btn_ScEdit);
    });
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), QStringList{"1 100002 2"});
    EXPECT_EQ(QStringList({s.form().Edit30->text(), s.form().Edit31->text(), s.form().Edit33->text()}),
              QStringList({monthBack(1), "2", today.addDays(-1).toString("yyyyMMdd")}));

    responder.answer(6);
    clickButton(s.form().btn_Menu8);
    EXPECT_EQ(responder.questions().value(0).text, QStringLiteral("한번 삭제되면 복구가 안됩니다 정말로 삭제하시겠습니까?"));
    EXPECT_EQ(entries(), all - 1);
    EXPECT_EQ(rows("SELECT DHNUMB FROM F3200 WHERE DHNUMB IN (2, 5) AND DHCHTY IN ('004', '003') ORDER BY DHNUMB"),
              QStringList({"5"}));
    EXPECT_TRUE(linesOf(monthBack(1), "2").isEmpty());
    EXPECT_EQ(rows("SELECT AUPROC, AUWORK, AUPGID FROM SYS_AUDIT ORDER BY rowid DESC LIMIT 1"),
              QStringList{"GP_DELETE_F3200_DELIVERYENTRY|90000001|F1009_TastePresent"});
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
    EXPECT_TRUE(s.form().Edit30->text().isEmpty());
    EXPECT_TRUE(s.form().lab_BanpumNeyek->text().isEmpty());
}

TEST_F(StockOut, AFailedCopyKeepsTheBasketAndTheListOpenAndASecondTryCopies)
{
    TF1009_TastePresent s;
    s.show();
    addSugar(s);
    ErrorBoxWatcher errors;
    bool stayedOpen = false;
    reload(s, [&](TF1013_ReleaseList &list) {
        search(list);
        touchEntry(list, 5, "003");
        server().failCall(kLines, 1, TestServer::FailMode::BeforeRun);
        clickButton(list.form().btn_ScEdit);
        stayedOpen = list.isVisible();
        EXPECT_EQ(BasketLines(*s.vtb_STOCK), QStringList{"1 500002 1"});
        clickButton(list.form().btn_ScEdit);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(errors.texts.size(), 1);
    EXPECT_TRUE(logText().contains(QStringLiteral("F1013_ReleaseList.btn_ScEdit Error")));
    EXPECT_EQ(BasketLines(*s.vtb_STOCK), QStringList{"1 100004 1"});
    EXPECT_EQ(s.form().Edit31->text(), QStringLiteral("5"));
}

TEST_F(StockOut, ALostAnswerOnTheLastLineThenTheRetryLeaveOneWholeEntry)
{
    TF1009_TastePresent s;
    s.show();
    touchBreads(s);
    ErrorBoxWatcher errors;
    const int before = entries();
    server().failCall(kInsert, 3, TestServer::FailMode::AfterCommit);
    clickButton(s.findChild<TMirelImgBtn *>("btn_Taste"));
    EXPECT_EQ(errors.texts.size(), 1);
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 2);
    clickButton(s.findChild<TMirelImgBtn *>("btn_Taste"));
    ASSERT_EQ(entries(), before + 1);
    const QString month = today.toString("yyyyMM");
    EXPECT_EQ(linesOf(month, QString::number(lastNumber(month))).size(), 2);
    EXPECT_EQ(callsOf(QStringLiteral("GP_SELECT_MAXNUMBER")), 1);
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);
}

TEST_F(StockOut, AnEntryOfLastMonthIsNumberedWrittenAndPrintedInThatMonth)
{
    TF1007_TwoMaterialDisuse disuse;
    disuse.show();
    clickButton(disuse.form().btn_Menu6);
    EXPECT_TRUE(responder.contains(QStringLiteral("2차재료/폐기한 내역이 없습니다.")));

    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    MyConfig.pcprst = QStringLiteral("1");

    TF1009_TastePresent s;
    s.show();
    clickButton(s.form().btn_Menu6);
    EXPECT_TRUE(responder.contains(QStringLiteral("시식/증정한 내역이 없습니다.")));
    const QDate lastMonth = today.addMonths(-1);
    s.form().date_Wantdate->setDate(lastMonth);
    touchBreads(s);
    clickButton(s.findChild<TMirelImgBtn *>("btn_Taste"));
    const QString month = lastMonth.toString("yyyyMM");
    const QString number = QString::number(lastNumber(month));
    EXPECT_TRUE(lastHeader().startsWith(month + "|" + number + "|" + lastMonth.toString("yyyyMMdd") + "|004"));
    EXPECT_EQ(linesOf(month, number).size(), 2);
    EXPECT_TRUE(linesOf(month, number).value(1).startsWith(month + "|2|"));

    os::SetNow(QDateTime(today, QTime(9, 5)));
    for (char layout : {'0', '1', '2'}) {
        MyConfig.PrintStockPrice = QLatin1Char(layout);
        clickButton(s.form().btn_Menu6);
    }
    const QChar esc(0x1B);
    const QStringList slip{
        QString(esc) + "!" + QChar(0x10) + QString(15, ' ') + "[시식/증정]" + QString(16, ' ') + esc + "!" + QChar(0),
        QString(),
        " 시식/증정 시각: " + today.toString("yyyy-MM-dd") + " 09:05" + QString(9, ' '),
        QString(42, '='),
        QStringLiteral("제품명                         수량       "),
        QString(42, '-'),
        "단팥빵" + QString(21, ' ') + "    2.00" + "     EA",
        "크림빵" + QString(21, ' ') + "    0.00" + "     EA",
        QString(42, '='),
        QString(10, ' ') + "**  감 사 합 니 다 **" + QString(11, ' '),
    };
    const QByteArray copy = ReceiptCapture::copy(slip);
    EXPECT_EQ(printer.waitForCopies(3), copy + copy + copy);
    EXPECT_EQ(callsOf(kLines), 3);
    EXPECT_TRUE(printer.stop());
}

} // namespace
