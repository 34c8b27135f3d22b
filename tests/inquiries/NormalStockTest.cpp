// The branch stock status against the in-process head-office server on the
// demo data: the grid against figures worked out by hand from the demo's
// opening balances and documents, the kinds of unit, the appropriate
// quantity, categories, name-index keys, the drawing of the cells, a failed
// search and closing.

#include "inquiries/U690_NormalStock.h"
#include "ui_U690_NormalStock.h"

#include "Components/MirelComp/MirelStringGrid.h"
#include "DocumentsFixture.h"
#include "platform/remote/ClientDataSet.h"
#include "shell/ShellTestUtil.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>

#include <optional>

namespace {

// The demo's units in code order and their short names.
const QStringList kUnits = {"생산센터", "가맹1호", "직영2호", "데모지점"}; // 0001, 0003, 0004, 9999

// Today's stock of the demo products by unit, worked out from the seed:
//   0001: opening balance; a release two days back of 우유식빵 20 and 단팥빵 30
//   0003: opening balance; a receipt six days back of 우유식빵 12
//   0004: opening balance; a release six days back of 단팥빵 15 and 생크림케이크 4
//   9999: opening 20, 15, 10, 12, 10, 10; a receipt two days back of 우유식빵 20
//         and 단팥빵 30; produced yesterday 우유식빵 20 and 단팥빵 30, today
//         생크림케이크 5; released or written off 우유식빵 1, 단팥빵 2 + 3,
//         소보로빵 3 + 10, 크림빵 1; produced on the 15th of last month
//         소보로빵 24 and 크림빵 36; three and two days back 깨찰빵 24 + 20,
//         호두파이 6 + 4, Bagel 12, mini식빵 15, 9곡식빵 8 (losses are counted
//         apart and do not lower the stock)
struct Product {
    const char *name;
    int stock[4];
    int proper; // IMJEGO, the same at every unit
};
const Product kProducts[] = {
    {"우유식빵", {200 - 20, 30 + 12, 80, 20 + 20 + 20 - 1}, 20},
    {"단팥빵", {300 - 30, 60, 90 - 15, 15 + 30 + 30 - 2 - 3}, 30},
    {"소보로빵", {150, 20, 50, 10 + 24 - 3 - 10}, 30},
    {"크림빵", {120, 40, 110, 12 + 36 - 1}, 20},
    {"생크림케이크", {50, 10, 20 - 4, 10 + 5}, 5},
    {"고구마케이크", {40, 70, 30, 10}, 3},
    {"깨찰빵", {0, 0, 0, 24 + 20}, 10},
    {"호두파이", {0, 0, 0, 6 + 4}, 10},
    {"Bagel", {0, 0, 0, 12}, 10},
    {"mini식빵", {0, 0, 0, 15}, 10},
    {"9곡식빵", {0, 0, 0, 8}, 10},
};

// The grid's table of the products at the units `units` (indexes into
// kUnits), less the proper stock when asked.
QList<QStringList> productTable(const QList<int> &units, bool lessProper = false, const QStringList &only = {})
{
    QStringList heading{"품명", "단위"};
    for (int u : units)
        heading << kUnits[u];
    heading << "합계";
    QList<QStringList> table{heading};
    for (const Product &p : kProducts) {
        if (!only.isEmpty() && !only.contains(QString::fromUtf8(p.name)))
            continue;
        QStringList row{QString::fromUtf8(p.name), "EA"};
        int total = 0;
        for (int u : units) {
            const int q = p.stock[u] - (lessProper ? p.proper : 0);
            row << QString::number(q).rightJustified(7);
            total += q;
        }
        row << QString::number(total).rightJustified(10);
        table << row;
    }
    return table;
}

class NormalStock : public DocumentsSuite {
public:
    static void SetUpTestSuite()
    {
        DocumentsSuite::SetUpTestSuite();
        // A third middle category under 케이크생산, whose id no other major has.
        exec("INSERT INTO F0061 (MKCMCD, MKBUUT, MKDJGU, MKITTY, MKGKID, MKMKID, MKSEQ, MKNAME) VALUES"
             " ('9999', '9999', '3', '3', '202', '003', 3, '장식')");
    }

protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        w = std::make_unique<TF690_NormalStock>();
        w->show();
        QApplication::setActiveWindow(w.get());
        QCoreApplication::processEvents();
        server().clearCalls();
    }

    void TearDown() override
    {
        w.reset();
        DocumentsSuite::TearDown();
    }

    Ui::TF690_NormalStock &f() const { return w->form(); }
    TMStringGrid *grid() const { return f().grid_JijemList; }

    // Picks an entry of a combo by its text as a touch would.
    static void choose(QComboBox *combo, const char *text)
    {
        const int i = combo->findText(QString::fromUtf8(text));
        ASSERT_GE(i, 0) << text;
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }
    static QStringList items(QComboBox *combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    void search() { clickButton(f().btn_JijemJegoSearch); }

    std::unique_ptr<TF690_NormalStock> w;
};

TEST_F(NormalStock, ProductsOfEveryUnitMatchTheDemoWorkedOutByHand)
{
    // What is shown is what is in force from the start.
    EXPECT_TRUE(f().btn_Jefum->Down());
    EXPECT_FALSE(f().btn_BanJefum->Down());
    EXPECT_TRUE(f().btn_HanAll->Down());
    EXPECT_EQ(f().Edit5->text(), "1");
    EXPECT_EQ(f().Edit1->text(), "1");
    EXPECT_EQ(f().Edit7->text(), "0");
    EXPECT_EQ(f().Edit9->text(), "");
    EXPECT_EQ(f().Edit10->text(), "zzzzzzzzzz");
    EXPECT_EQ(w->MenuViewState, "0");

    search();
    EXPECT_EQ(grid()->Table(), productTable({0, 1, 2, 3}));
    EXPECT_EQ(grid()->ColWidths(0), 200);
    EXPECT_EQ(grid()->ColWidths(1), 50);
    EXPECT_EQ(grid()->ColWidths(2), 70);
    EXPECT_EQ(grid()->ColWidths(6), 100);

    const struct {
        const char *kind, *proper;
        QList<int> units;
        bool lessProper;
    } cases[] = {
        {"직영", "적정량 해제", {2, 3}, false},
        {"가맹", "적정량 적용", {1}, true},
        {"전체", "적정량 적용", {0, 1, 2, 3}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.proper);
        choose(f().combo_Addgubun, c.kind);
        choose(f().combo_JekjengJego, c.proper);
        search();
        EXPECT_EQ(grid()->Table(), productTable(c.units, c.lessProper));
    }
}

// Semi-products of a major and a middle category: 식빵반죽 (0004 released
// 1 KG of it; 9999 made 10,000 G yesterday and used 10,500 G and 2,560 G of
// it for that day's 우유식빵 and 단팥빵, lost pieces included).
TEST_F(NormalStock, SemiProductsNarrowToTheChosenCategories)
{
    clickButton(f().btn_BanJefum);
    EXPECT_EQ(f().Edit5->text(), "3");
    choose(f().combo_Debun, "제빵생산");
    choose(f().combo_Jungbun, "반죽");
    search();
    EXPECT_EQ(grid()->Table(),
              (QList<QStringList>{{"품명", "단위", "생산센터", "가맹1호", "직영2호", "데모지점", "합계"},
                                  {"식빵반죽", "G", " 20,000", "  3,000", "  4,000", " -3,060", "    23,940"}}));

    // No semi-product under 빵류: no rows, and with none no unit to head a column.
    choose(f().combo_Jungbun, "빵류");
    search();
    EXPECT_EQ(grid()->Table(), (QList<QStringList>{{"품명", "단위", "합계"}}));

    clickButton(f().btn_Jefum);
    EXPECT_EQ(f().Edit5->text(), "1");
}

TEST_F(NormalStock, CategoryNamesAndIdsAreRebuiltTogether)
{
    EXPECT_EQ(items(f().combo_Debun), (QStringList{"전체", "제빵생산", "케이크생산"}));
    EXPECT_EQ(items(f().ComboBox2), (QStringList{"0000000000", "201", "202"}));

    choose(f().combo_Debun, "제빵생산");
    EXPECT_EQ(f().Edit2->text(), "201");
    EXPECT_EQ(items(f().combo_Jungbun), (QStringList{"전체", "반죽", "빵류"}));
    choose(f().combo_Jungbun, "빵류");
    EXPECT_EQ(f().Edit3->text(), "002");

    choose(f().combo_Debun, "케이크생산");
    EXPECT_EQ(f().Edit2->text(), "202");
    EXPECT_EQ(f().Edit3->text(), "");
    EXPECT_EQ(items(f().combo_Jungbun), (QStringList{"전체", "크림", "케이크류", "장식"}));
    EXPECT_EQ(items(f().ComboBox3), (QStringList{"0000000000", "001", "002", "003"}));
    choose(f().combo_Jungbun, "장식");
    EXPECT_EQ(f().Edit3->text(), "003");
    choose(f().combo_Jungbun, "전체");
    EXPECT_EQ(f().Edit3->text(), "");
    choose(f().combo_Jungbun, "장식");

    // 전체 empties both values and leaves 전체 alone in the middle list, once
    // through the change of the major value and once more without one.
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        server().clearCalls();
        choose(f().combo_Debun, "전체");
        EXPECT_EQ(f().Edit2->text(), "");
        EXPECT_EQ(f().Edit3->text(), "");
        EXPECT_EQ(items(f().combo_Jungbun), QStringList{"전체"});
        EXPECT_EQ(items(f().ComboBox3), QStringList{"0000000000"});
        EXPECT_EQ(callsOf("GP_SELECT_F0061_STOCKDETAIL_SENGSANG_SEARCH"), 1);
    }
}

TEST_F(NormalStock, AKeyNarrowsTheNextSearchOnly)
{
    const struct {
        TMirelImgBtn *key;
        const char *low, *high;
    } keys[] = {
        {f().btn_HanHa, "하", "a"},
        {f().btn_HanAz, "a", "z"},
        {f().btn_Han09, "0", "9"},
        {f().btn_HanPa, "파", "하"},
        {f().btn_HnaGa, "가", "나"},
    };
    for (const auto &k : keys) {
        clickButton(k.key);
        EXPECT_EQ(f().Edit9->text(), QString::fromUtf8(k.low));
        EXPECT_EQ(f().Edit10->text(), QString::fromUtf8(k.high));
    }
    // A button that is no name-index key changes nothing.
    w->btn_HanMouseUp(f().btn_JijemJegoSearch);
    w->btn_HanMouseUp(nullptr);
    EXPECT_EQ(f().Edit9->text(), "가");

    search(); // with 가's bounds: 고구마케이크 and 깨찰빵
    EXPECT_EQ(grid()->Table(), productTable({0, 1, 2, 3}, false, {"고구마케이크", "깨찰빵"}));
    EXPECT_TRUE(f().btn_HanAll->Down());
    EXPECT_FALSE(f().btn_HnaGa->Down());
    search();
    EXPECT_EQ(grid()->Table(), productTable({0, 1, 2, 3}));
}

// The heading's text is centred in red 255, green 98, blue 1; figures stand
// at the right edge of their cells, names at the left.
TEST_F(NormalStock, HeadingsAreCentredInTheirColourAndFiguresRightAligned)
{
    search();
    const QImage image = grid()->grab().toImage();
    const QColor heading(255, 98, 1);
    // Where the pixels of colour `c` (without one: the dark pixels) lie in a
    // cell: their distance from its left and from its right edge.
    struct Ink {
        bool any = false;
        int left = 0, right = 0;
    };
    const auto inkOf = [&](int col, int row, std::optional<QColor> c) {
        const QRect r = grid()->TableCellRect(col, row);
        int left = r.right() + 1, right = r.left() - 1;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor p = image.pixelColor(x, y);
                if (c ? p == *c : p.lightness() < 100) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        return Ink{right >= left, left - r.left(), r.right() - right};
    };
    for (int col : {0, 2, 6}) {
        SCOPED_TRACE(col);
        const Ink ink = inkOf(col, 0, heading);
        ASSERT_TRUE(ink.any);
        EXPECT_LE(std::abs(ink.left - ink.right), 3);
        EXPECT_FALSE(inkOf(col, 1, heading).any);
    }
    const Ink name = inkOf(0, 1, std::nullopt);
    ASSERT_TRUE(name.any);
    EXPECT_LE(name.left, 4);
    EXPECT_GT(name.right, 20);
    for (int col : {2, 6}) {
        SCOPED_TRACE(col);
        const Ink figure = inkOf(col, 1, std::nullopt);
        ASSERT_TRUE(figure.any);
        EXPECT_LE(figure.right, 2);
        EXPECT_GT(figure.left, 20);
    }
}

TEST_F(NormalStock, AFailedSearchKeepsTheGridAndTheCloseButtonEndsTheScreen)
{
    ErrorBoxWatcher errors;
    clickButton(f().btn_HnaGa);
    search();
    const QList<QStringList> shown = grid()->Table();
    ASSERT_EQ(shown.size(), 3);

    clickButton(f().btn_HanAz);
    cutTheLine();
    search();
    EXPECT_EQ(errors.texts.size(), 1);
    EXPECT_EQ(grid()->Table(), shown);
    // The failed search changed nothing shown: the key and its bounds stay.
    EXPECT_TRUE(f().btn_HanAz->Down());
    EXPECT_EQ(f().Edit9->text(), "a");

    w->CloseOperation();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), 2);
    w->show();
    clickButton(f().btn_Close);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), 2);
}

} // namespace
