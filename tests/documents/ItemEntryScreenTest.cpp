// The item-entry screen on a small member of its own (document kind 13, a
// save step that records what it would send) against the test server's
// caches: the three pads, the basket and key pad, numbering and the slip.

#include "ItemEntryFixture.h"
#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "Components/MirelComp/MirelMenuBtn.h"
#include "documents/ItemEntryScreen.h"
#include "documents/PadPages.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "support/MessageResponder.h"
#include "ui_ItemEntryScreen.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <stdexcept>

namespace {

class TestEntry : public TItemEntryScreen {
public:
    TestEntry() : TItemEntryScreen(501305) {}

    struct Saved {
        qint64 number;
        QString month;
        int lines;
    };
    QList<Saved> saves;
    bool failNextSave = false;
    QList<SlipLine> entryLines;

    int DocumentKind() const override { return 13; }
    QString FormName() const override { return QStringLiteral("F_TestEntry"); }
    void SaveSteps(qint64 number, const QString &month, const QDate &) override
    {
        if (failNextSave) {
            failNextSave = false;
            throw std::runtime_error("save failed");
        }
        saves.append({number, month, vtb_STOCK->RecordCount()});
    }
    QList<SlipLine> ReadSavedEntry(const QString &, const QDateTime &) override { return entryLines; }
    QString SlipTitle() const override { return QStringLiteral("[시식/증정]"); }
    QString SlipTimeLabel() const override { return QStringLiteral(" 시식/증정 시각: "); }
    QString NoEntryNotice() const override { return QStringLiteral("시식/증정한 내역이 없습니다."); }
};

class ItemEntry : public ItemEntrySuite {
protected:
    // "<" and ">" for the paging slots, else each slot's caption.
    static QStringList pad(const QList<TMirelMenuBtn *> &buttons, bool trimBlanks = true)
    {
        QStringList out;
        for (TMirelMenuBtn *b : buttons)
            out << (b->ItemExtraSwitch1 ? (b->Tag() == PadPreviousTag ? "<" : ">") : b->Caption());
        while (trimBlanks && !out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }

    TMirelMenuBtn *itemNamed(TestEntry &s, const QString &name)
    {
        for (TMirelMenuBtn *b : s.ButtonsItems)
            if (b->ItemName2 == name)
                return b;
        return nullptr;
    }
};

TEST_F(ItemEntry, PadsFollowTheCachesAndKinds)
{
    TestEntry s;
    s.show();
    ASSERT_EQ(s.ButtonsA.size(), 10);
    ASSERT_EQ(s.ItemRows, 5);
    ASSERT_EQ(s.ButtonsItems.size(), 25);
    EXPECT_EQ(pad(s.ButtonsA), (QStringList{"빵", "케이크", "음료"}));
    EXPECT_TRUE(s.ButtonsA[0]->Down());
    EXPECT_EQ(pad(s.ButtonsB), (QStringList{"식빵류", "단과자"}));

    clickButton(s.ButtonsB[1]);
    EXPECT_EQ(pad(s.ButtonsItems).size(), 3);
    EXPECT_EQ(s.ButtonsItems[0]->Caption(), QStringLiteral("단팥빵\r\nBOX/10EA"));
    EXPECT_EQ(s.ButtonsItems[1]->ItemName2, QStringLiteral("소보로빵"));
    EXPECT_EQ(s.ButtonsItems[2]->ItemName2, QStringLiteral("크림빵"));

    clickButton(s.ButtonsItems[5]); // an empty slot
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);

    s.btn_MenuClick(TItemEntryScreen::KindMaterials);
    EXPECT_EQ(pad(s.ButtonsA), (QStringList{"원재료", "포장재"}));
}

// Category A rows "C1".."Cn" of kind 0 and, under C1 and its category B
// "B1", items "I1".."Im", in place of the server's caches.
void fillCaches(int categories, int items)
{
    DataSet &a = *DM->vtb_SCITK1, &b = *DM->vtb_SCITK2, &it = *DM->vtb_SCITM;
    for (DataSet *ds : {&a, &b, &it}) {
        ds->setFiltered(false);
        ds->EmptyTable();
    }
    for (int i = 1; i <= categories; ++i) {
        a.Append();
        for (auto [f, v] : {std::pair{"gbtype", "0"}, {"GKITTY", "0"}, {"GKDJGU", "1"}})
            a.FieldByName(f).setAsString(v);
        a.FieldByName("GKGKID").setAsString(QStringLiteral("C%1").arg(i));
        a.FieldByName("GKNAME").setAsString(QStringLiteral("C%1").arg(i));
        a.FieldByName("GKSEQ1").setAsInteger(i);
        a.Post();
    }
    b.Append();
    for (auto [f, v] : {std::pair{"mbtype", "0"}, {"MKGKID", "C1"}, {"MKITTY", "0"}, {"MKDJGU", "1"},
                        {"MKMKID", "B1"}, {"MKNAME", "B1"}})
        b.FieldByName(f).setAsString(v);
    b.FieldByName("MKSEQ1").setAsInteger(1);
    b.Post();
    for (int i = 1; i <= items; ++i) {
        it.Append();
        for (auto [f, v] : {std::pair{"IMITTY", "1"}, {"IMPGKI", "C1"}, {"IMPMKI", "B1"}, {"IMMDAN", "BOX"},
                            {"IMLDAN", "EA"}})
            it.FieldByName(f).setAsString(v);
        it.FieldByName("IMITNB").setAsString(QStringLiteral("I%1").arg(i));
        it.FieldByName("IMNAME").setAsString(QStringLiteral("I%1").arg(i));
        it.FieldByName("IMSEQ2").setAsInteger(i);
        it.Post();
    }
}

QStringList captions(const QList<TMirelMenuBtn *> &buttons)
{
    QStringList out;
    for (TMirelMenuBtn *b : buttons)
        out << (b->ItemExtraSwitch1 ? (b->Tag() == PadPreviousTag ? "<" : ">") : b->Caption().section('\r', 0, 0));
    return out;
}

QStringList names(const char *prefix, int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::fromLatin1(prefix) + QString::number(i);
    return out;
}

TEST_F(ItemEntry, PadsPageBySlotCount)
{
    struct Case {
        int categories, items;
        QStringList padA, items1;
        int downA;
    };
    const QList<Case> cases{
        {10, 25, names("C", 1, 10), names("I", 1, 25), 0},
        {11, 26, QStringList{"<"} + names("C", 1, 8) + QStringList{">"}, QStringList{"<"} + names("I", 1, 23) + QStringList{">"}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.categories);
        fillCaches(c.categories, c.items);
        TestEntry s;
        s.show();
        EXPECT_EQ(captions(s.ButtonsA), c.padA);
        EXPECT_TRUE(s.ButtonsA[c.downA]->Down());
        EXPECT_EQ(s.CodeA, QStringLiteral("C1"));
        EXPECT_EQ(captions(s.ButtonsItems), c.items1);
    }
    // Paging on from the last case: next, next again on the last page.
    TestEntry s;
    s.show();
    clickButton(s.ButtonsItems[24]);
    EXPECT_EQ(captions(s.ButtonsItems).mid(1, 4), (QStringList{"I24", "I25", "I26", ""}));
    clickButton(s.ButtonsA[9]);
    EXPECT_EQ(captions(s.ButtonsA).mid(1, 4), (QStringList{"C9", "C10", "C11", ""}));
    clickButton(s.ButtonsA[9]);
    EXPECT_EQ(s.PageA, 1);
    EXPECT_TRUE(s.ButtonsA[1]->Down());
    EXPECT_EQ(s.CodeA, QStringLiteral("C9"));
}

TEST_F(ItemEntry, SearchNarrowsTheSharedItemsKeepsTheirCostAndAnEmptySearchRestoresAll)
{
    exec("DELETE FROM F0230 WHERE MHCMCD = '9999'");
    exec("INSERT INTO F0230 (MHCMCD, MHBUUT, MHITNB, MHEPRI) "
         "SELECT IMCMCD, IMBUUT, IMITNB, 350 FROM F0200 WHERE IMCMCD = '9999' AND IMNAME = '단팥빵'");
    ASSERT_TRUE(dm->StockLoadItems());
    DataSet &cache = *DM->vtb_SCITM;
    cache.setFiltered(false);
    const int all = cache.RecordCount();

    TestEntry first;
    first.show();
    first.form().edt_JepumSearch->setText(QStringLiteral("빵"));
    first.btn_JepumSearchClick();
    cache.setFiltered(false);
    ASSERT_GT(cache.RecordCount(), 0);
    ASSERT_LT(cache.RecordCount(), all);
    QList<int> positions;
    for (cache.First(); !cache.Eof(); cache.Next()) {
        EXPECT_TRUE(cache.FieldByName("IMNAME").AsString().contains(QStringLiteral("빵")));
        positions << cache.FieldByName("IMSEQ9").AsInteger();
        if (cache.FieldByName("IMNAME").AsString() == QStringLiteral("단팥빵")) {
            EXPECT_EQ(cache.FieldByName("MHEPRI").AsCurrency(), Currency(350));
        }
    }
    std::sort(positions.begin(), positions.end());
    for (int i = 0; i < positions.size(); ++i)
        EXPECT_EQ(positions[i], i + 1);
    const int found = int(positions.size());
    EXPECT_EQ(pad(first.ButtonsItems).size(), found);
    EXPECT_EQ(itemNamed(first, QStringLiteral("단팥빵"))->ItemPrice3(), 350);

    TestEntry second; // opened after the search: the same narrowed items
    second.form().edt_JepumSearch->setText(QStringLiteral("빵"));
    second.show();
    EXPECT_EQ(pad(second.ButtonsItems).size(), found);

    first.form().edt_JepumSearch->clear();
    first.btn_JepumSearchClick();
    cache.setFiltered(false);
    EXPECT_EQ(cache.RecordCount(), all);
}

TEST_F(ItemEntry, BasketLinesAndKeyPad)
{
    TestEntry s;
    s.show();
    clickButton(s.ButtonsB[1]);
    TMirelMenuBtn *a = s.ButtonsItems[0], *b = s.ButtonsItems[1], *c = s.ButtonsItems[2];
    clickButton(a);
    clickButton(a);
    DataSet &v = *s.vtb_STOCK;
    ASSERT_EQ(v.RecordCount(), 1);
    EXPECT_EQ(v.FieldByName("ADQTY").AsFloat(), 2);
    EXPECT_EQ(s.form().edt_Surang1->text(), QStringLiteral("2"));

    // Key pad: leading zero dropped, decimal point, backspace per state.
    s.edt_MouseUp(s.form().edt_Surang1);
    s.form().edt_Surang1->setText("0");
    s.bntSuMouseUp(5);
    EXPECT_EQ(s.form().edt_Surang1->text(), QStringLiteral("5"));
    s.form().edt_Surang1->setText("1");
    s.btnJemClick();
    s.btn_ghktkfvyClick(); // state "1": nothing
    EXPECT_EQ(s.form().edt_Surang1->text(), QStringLiteral("1"));
    s.bntSuMouseUp(4);
    EXPECT_EQ(s.form().edt_Surang1->text(), QStringLiteral("1.4"));
    s.btn_OkClick();
    v.First();
    EXPECT_DOUBLE_EQ(v.FieldByName("ADQTY").AsFloat(), 1.4);
    clickButton(a); // 1.4 rounds to 1, then + 1
    EXPECT_EQ(v.FieldByName("ADQTY").AsFloat(), 2);
    s.btn_ghktkfvyClick(); // state "0": last character goes
    EXPECT_EQ(s.form().edt_Surang1->text(), QString());

    clickButton(b);
    clickButton(c);
    s.RegItemStock("X00001", "기타", "EA", "EA", 1, false, false, 1, "5");
    ASSERT_EQ(v.RecordCount(), 4);
    v.setRecNo(2);
    s.btn_DelClick();
    EXPECT_EQ(BasketLines(v), (QStringList{"1 " + a->ItemCode + " 2", "2 " + c->ItemCode + " 1", "3 X00001 1"}));
    EXPECT_EQ(v.RecNo(), 2);
    v.Last();
    EXPECT_EQ(v.FieldByName("IMITTY").AsString(), QStringLiteral("재료"));
}

// A member whose picker replaces the basket with an entry's lines 1, 3, 5
// and 6, line 6 at -1 (a line the entry gave back).
struct Reloading : TestEntry {
    bool RunReloadPicker(QString &month, QString &number, QDate &date) override
    {
        DataSet &v = *vtb_STOCK;
        v.EmptyTable();
        for (auto [seq, qty] : {std::pair{1, 1.0}, {3, 2.0}, {5, 3.0}, {6, -1.0}}) {
            v.Append();
            v.FieldByName("ADSEQ").setAsInteger(seq);
            v.FieldByName("IMITNB").setAsString(QString::number(seq));
            v.FieldByName("ADQTY").setAsFloat(qty);
            v.Post();
        }
        month = "202612", number = "7", date = QDate(2026, 12, 1);
        return true;
    }
    QString ReloadStateText() const override { return "출고내역 진행중"; }
};

TEST_F(ItemEntry, ReloadedLinesAreNumberedAgainAndOkActsOnTheTouchedLine)
{
    Reloading r;
    r.show();
    r.btn_MenuClick(TItemEntryScreen::TagReload);
    DataSet &w = *r.vtb_STOCK;
    EXPECT_EQ(BasketLines(w), (QStringList{"1 1 1", "2 3 2", "3 5 3"}));
    EXPECT_EQ(r.form().lab_BanpumNeyek->text(), QStringLiteral("출고내역 진행중"));
    EXPECT_EQ(r.form().Edit33->text(), QStringLiteral("20261201"));

    w.setRecNo(2);
    r.form().edt_Surang1->setText("9");
    r.btn_OkClick();
    EXPECT_EQ(BasketLines(w), (QStringList{"1 1 1", "2 3 9", "3 5 3"}));
    w.setRecNo(1);
    r.btn_DelClick();
    r.RegItemStock("N", "새", "EA", "EA", 1, false, false, 1, "1");
    EXPECT_EQ(BasketLines(w), (QStringList{"1 3 9", "2 5 3", "3 N 1"}));
}

TEST_F(ItemEntry, NumbersBelongToTheirMonthAndAFailedSaveKeepsItsKey)
{
    TestEntry s;
    s.show();
    s.form().date_Wantdate->setDate(QDate(2026, 12, 11));
    s.SaveEntry(); // empty basket: draws, writes nothing
    const qint64 n = s.form().Edit3->text().toLongLong();
    EXPECT_GT(n, 0);
    EXPECT_TRUE(s.saves.isEmpty());
    EXPECT_TRUE(s.SavedNumb.isEmpty());
    EXPECT_EQ(scalar("SELECT NBLAST FROM SYS_NUMBER WHERE NBGUBUN = 13 AND NBMONTH = '202612'"), n);

    s.RegItemStock("A", "가", "EA", "EA", 1, false, false, 1, "1");
    s.SaveEntry();
    ASSERT_EQ(s.saves.size(), 1);
    EXPECT_EQ(s.saves[0].number, n);
    EXPECT_EQ(s.saves[0].month, QStringLiteral("202612"));
    EXPECT_EQ(s.SavedNumb, QString::number(n));
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 0);

    // An empty save in December, then a save dated November: a November number.
    s.SaveEntry();
    EXPECT_EQ(s.form().Edit3->text().toLongLong(), n + 1);
    s.form().date_Wantdate->setDate(QDate(2026, 11, 30));
    s.RegItemStock("A", "가", "EA", "EA", 1, false, false, 1, "1");
    s.failNextSave = true;
    EXPECT_THROW(s.SaveEntry(), std::runtime_error);
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 1);
    const qint64 november = s.form().Edit3->text().toLongLong();
    EXPECT_EQ(scalar("SELECT NBLAST FROM SYS_NUMBER WHERE NBGUBUN = 13 AND NBMONTH = '202611'"), november);
    s.SaveEntry(); // the retry sends the same key
    ASSERT_EQ(s.saves.size(), 2);
    EXPECT_EQ(s.saves[1].number, november);
    EXPECT_EQ(s.saves[1].month, QStringLiteral("202611"));
    EXPECT_EQ(callsOf("GP_SELECT_MAXNUMBER"), 3);
}

TEST_F(ItemEntry, SlipFrameNoticeAndTypedLinesSurviveAPrint)
{
    MessageResponder responder;
    TestEntry s;
    s.show();
    s.btn_MenuClick(TItemEntryScreen::TagPrint);
    EXPECT_TRUE(responder.contains(QStringLiteral("시식/증정한 내역이 없습니다.")));

    os::SetClockOffset(0);
    MyConfig.PrintStockPrice = QLatin1Char('0');
    s.entryLines = {{QStringLiteral("단팥빵"), 20000, QStringLiteral("G")}};
    const QStringList frame = s.SlipFrame(s.entryLines);
    ASSERT_EQ(frame.size(), 9);
    EXPECT_EQ(frame[0], QString(QChar(0x1B)) + "!" + QChar(0x10) + PadCenter("[시식/증정]", 42) + QChar(0x1B) + "!"
                            + QChar(0));
    EXPECT_TRUE(frame[2].startsWith(" 시식/증정 시각: "));
    // 20,000 is nine characters wide: the name column gives it the byte it needs.
    EXPECT_EQ(frame[6], PadRight("단팥빵", 26) + "20,000.00" + PadLeft("G", 7));
    EXPECT_EQ(frame[8], PadCenter("**  감 사 합 니 다 **", 42));

    s.RegItemStock("A", "가", "EA", "EA", 1, false, false, 1, "1");
    s.SaveEntry();
    s.RegItemStock("B", "나", "EA", "EA", 1, false, false, 1, "1");
    MyConfig.pcprst = QStringLiteral("0");
    s.btn_MenuClick(TItemEntryScreen::TagPrint);
    EXPECT_EQ(s.vtb_STOCK->RecordCount(), 1); // typed since the save: kept
    s.btn_DelClick();
    s.btn_MenuClick(TItemEntryScreen::TagPrint);
    EXPECT_EQ(s.form().Edit3->text(), QStringLiteral("0"));
}

TEST_F(ItemEntry, CloseGuardAsksOnlyWithLinesAndTheMenuSeesTheBasket)
{
    MessageResponder responder;
    TestEntry s;
    s.show();
    EXPECT_EQ(s.WorkTable(), s.vtb_STOCK);
    s.RegItemStock("A", "가", "EA", "EA", 1, false, false, 1, "1");
    responder.answer(7);
    s.btn_CloseClick();
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(responder.messages().size(), 1);
}

} // namespace
