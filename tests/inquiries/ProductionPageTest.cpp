// The history's production page against the in-process head-office server,
// with the application clock on 2001-03-05 10:20 (T): fixture productions
// of T-1 and T listed per item, narrowed by the name-index keys, the type
// buttons and the two category lists, and the production slip on the
// capture port.

#include "HistoryFixture.h"
#include "ReceiptCapture.h"
#include "ui_U656_StockDetail.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/MyConfig.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"

#include <QDateEdit>

#include <functional>

namespace {

// Production 1 (T-1): 우유식빵 10 with 1 lost, 깨찰빵 20, 커스터드크림 1.5 KG;
// production 2 (T): 깨찰빵 4 with 1 lost, Bagel 6, 9곡식빵 3, 호두파이 2,
// 식빵반죽 500 G; production 3 (T-2, outside the range): 우유식빵 99.
const char *kFixture =
    "INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHDATE) VALUES ('9999', '9999', '200103', 1, '20010304'),"
    " ('9999', '9999', '200103', 2, '20010305'), ('9999', '9999', '200103', 3, '20010303');"
    "INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDUNIT, RDQTY, RDLQTY, RDMDAN, RDLDAN, RDMCAL)"
    " VALUES ('9999', '9999', '200103', 1, 1, '100001', 'EA', 10, 1, 'BOX', 'EA', 10),"
    " ('9999', '9999', '200103', 1, 2, '100007', 'EA', 20, 0, 'BOX', 'EA', 10),"
    " ('9999', '9999', '200103', 1, 3, '300002', 'KG', 1.5, 0, 'KG', 'G', 1000),"
    " ('9999', '9999', '200103', 2, 1, '100007', 'EA', 4, 1, 'BOX', 'EA', 10),"
    " ('9999', '9999', '200103', 2, 2, '100009', 'EA', 6, 0, 'BOX', 'EA', 10),"
    " ('9999', '9999', '200103', 2, 3, '100011', 'EA', 3, 0, 'BOX', 'EA', 10),"
    " ('9999', '9999', '200103', 2, 4, '100008', 'EA', 2, 0, 'BOX', 'EA', 10),"
    " ('9999', '9999', '200103', 2, 5, '300001', 'G', 500, 0, 'KG', 'G', 1000),"
    " ('9999', '9999', '200103', 3, 1, '100001', 'EA', 99, 0, 'BOX', 'EA', 10);";

class ProductionPage : public HistoryScreenSuite {
public:
    static void SetUpTestSuite()
    {
        HistoryScreenSuite::SetUpTestSuite();
        exec(kFixture);
    }

protected:
    void SetUp() override
    {
        os::SetNow(QDateTime(QDate(2001, 3, 5), QTime(10, 20)));
        HistoryScreenSuite::SetUp();
        clickButton(control("btn_Sengsan"));
    }

    // The search over T-1..T.
    void search()
    {
        w->form().date_SsSearch1->setDate(QDate(2001, 3, 4));
        w->form().date_SsSearch2->setDate(QDate(2001, 3, 5));
        clickButton(control("MirelImgBtn2"));
    }

    // The names the production grid shows.
    QStringList shown() const
    {
        QStringList names;
        for (const QString &row : rows(*w->cds_F3300, {QStringLiteral("imname")}))
            names << row;
        return names;
    }

    // A control of the production page by its name-index key Tag.
    TMirelImgBtn *key(int tag) const
    {
        for (TMirelImgBtn *b : w->form().sd_sengsan->findChildren<TMirelImgBtn *>())
            if (b->Tag() == tag)
                return b;
        return nullptr;
    }
};

TEST_F(ProductionPage, ASearchListsTheRangePerItem)
{
    search();
    EXPECT_EQ(rows(*w->cds_F3300, {"RDITNB", "imname", "itty_name", "rdunit", "RDtQTY", "RDLQTY", "rdqty"}),
              (QStringList{"100001|우유식빵|제품|EA|11|1|10", "100007|깨찰빵|제품|EA|25|1|24",
                           "100008|호두파이|제품|EA|2|0|2", "100009|Bagel|제품|EA|6|0|6",
                           "100011|9곡식빵|제품|EA|3|0|3", "300001|식빵반죽|반제품|G|500|0|500",
                           "300002|커스터드크림|반제품|G|1500|0|1500"}));
    EXPECT_EQ(w->form().Edit1->text(), QStringLiteral("20010304"));
    EXPECT_FALSE(w->cds_F3300->Filtered());
    // The total column shows thousands separators.
    {
        DataSet::RowScope last(*w->cds_F3300, 6);
        EXPECT_EQ(w->cds_F3300->FieldByName(QStringLiteral("RDtQTY")).DisplayText(), QStringLiteral("1,500"));
    }

    // With the server gone a search shows the error box and keeps the figures.
    ErrorBoxWatcher errors;
    clickButton(key(656302));
    cutTheLine();
    search();
    EXPECT_EQ(errors.texts.size(), 1);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("깨찰빵")});
}

// The touches of the page, one after the other, and what the grid shows
// after each: what is shown pressed filters together.
TEST_F(ProductionPage, KeysTypesAndCategoriesNarrowTheFigures)
{
    // Before any search nothing is filtered, and the page keeps no search day.
    clickButton(key(656302));
    EXPECT_FALSE(w->cds_F3300->Active());
    EXPECT_TRUE(w->ProductionFilter().searchDate.isEmpty());

    search();
    const QStringList all{"우유식빵", "깨찰빵", "호두파이", "Bagel", "9곡식빵", "식빵반죽", "커스터드크림"};
    const struct {
        const char *what;
        std::function<void()> touch;
        QStringList names;
    } steps[] = {
        {"key 가", [&] { clickButton(key(656302)); }, {"깨찰빵"}},
        {"key 하", [&] { clickButton(key(656315)); }, {"호두파이"}},
        {"Latin key", [&] { clickButton(key(656316)); }, {"Bagel"}},
        {"digit key", [&] { clickButton(key(656317)); }, {"9곡식빵"}},
        {"key 사", [&] { clickButton(key(656308)); }, {"식빵반죽"}},
        {"semi-products", [&] { clickButton(control("btn_SsBanjefum")); }, {"식빵반죽", "커스터드크림"}},
        {"products", [&] { clickButton(control("btn_SsJefum")); }, {"우유식빵", "깨찰빵", "호두파이", "Bagel", "9곡식빵"}},
        {"products, key 가", [&] { clickButton(key(656302)); }, {"깨찰빵"}},
        {"제빵생산, products, key 가", [&] { touchRow("grid_Debun", 0); }, {"깨찰빵"}},
        {"제빵생산, products", [&] { clickButton(key(656301)); }, {"우유식빵", "깨찰빵", "Bagel", "9곡식빵"}},
        {"제빵생산", [&] { clickButton(control("btn_SsAll")); }, {"우유식빵", "깨찰빵", "Bagel", "9곡식빵", "식빵반죽"}},
        {"제빵생산 / 반죽", [&] { touchRow("grid_Jungbun", 0); }, {"식빵반죽"}},
        {"케이크생산 (the middle one dropped)", [&] { touchRow("grid_Debun", 1); }, {"호두파이", "커스터드크림"}},
        {"케이크생산 / 크림", [&] { touchRow("grid_Jungbun", 0); }, {"커스터드크림"}},
        {"a new search", [&] { search(); }, all},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.what);
        s.touch();
        EXPECT_EQ(shown(), s.names);
    }
    // The search dropped the categories and the type; the all key is down.
    EXPECT_EQ(w->form().Edit2->text(), QString());
    EXPECT_EQ(w->form().Edit3->text(), QString());
    EXPECT_EQ(w->form().Edit5->text(), QString());
    EXPECT_TRUE(w->form().btn_SsHanAll->Down());
    EXPECT_TRUE(w->form().btn_SsAll->Down());
    EXPECT_FALSE(w->cds_F3300->Filtered());
    // No major category, so no middle ones.
    EXPECT_TRUE(w->cds_F0061_jungbun->IsEmpty());

    // A change of the from date alone sets the search day.
    w->form().date_SsSearch1->setDate(QDate(2001, 3, 1));
    EXPECT_EQ(w->form().Edit1->text(), QStringLiteral("20010301"));
    EXPECT_EQ(w->ProductionFilter().searchDate, QStringLiteral("20010301"));
}

// The slip of the figures shown, at the application's time; before any
// search only the log text, and nothing on the port.
TEST_F(ProductionPage, TheSlipListsTheFiguresShown)
{
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    clickButton(control("btn_SssPrint"));
    EXPECT_EQ(logText().count(QStringLiteral("F656_StockDetail_SengSan.btn_SssPrint Error.")), 1);

    search();
    clickButton(control("btn_SsBanjefum"));
    clickButton(control("btn_SssPrint"));
    const QStringList slip{
        QStringLiteral("\x1b!\x10               [생산 내역]                \x1b!") + QChar(0),
        QString(),
        QStringLiteral("\x1b!\x10  생산 내역 출력 시각: 2001-03-05 10:20   \x1b!") + QChar(0),
        QStringLiteral("=========================================="),
        QStringLiteral("제품명             총생산량  손실량 생산량"),
        QStringLiteral("------------------------------------------"),
        QStringLiteral("식빵반죽        G       500       0    500"),
        QStringLiteral("커스터드크림    G     1,500       0  1,500"),
        QStringLiteral("=========================================="),
    };
    EXPECT_EQ(printer.waitForCopies(1), ReceiptCapture::copy(slip));
    EXPECT_TRUE(printer.stop());
}

} // namespace
