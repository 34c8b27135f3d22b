// The document history against the in-process head-office server, on fixture
// documents of five days in March 2001 (searched from the 2nd to the 4th):
// what each page lists, the lines and split totals a touch shows, the type
// filter, bad input, the toggle selection of the line grids and closing.

#include "HistoryFixture.h"
#include "ui_U656_StockDetail.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "platform/remote/ClientDataSet.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QStackedWidget>

#include <string>
#include <vector>

namespace {

using Page = TF656_StockDetail::Page;

// The fixture's documents, the same on every page. Document 3 has no tax
// kind: on the releases page it is a tasting (no customer), on the received
// orders page it carries an unknown kind.
struct FixtureDoc {
    int day, number;
    const char *tax, *partner;
    std::vector<std::pair<const char *, int>> lines; // item, amount
};
const FixtureDoc kDocs[] = {
    {1, 1, "1", "40000001", {{"100001", 1000}}}, // before the range
    {2, 9, "1", "40000001", {{"100001", 36000}, {"500002", 21000}}},
    {3, 5, "3", "20000001", {{"100002", 12000}, {"600002", 345}}},
    {3, 2, "2", "40000001", {{"100003", 10000}, {"200001", 6000}}},
    {4, 3, "", "20000001", {{"100004", 8000}}},
    {4, 4, "1", "40000001", {{"300001", 33}}},
    {5, 6, "1", "20000001", {{"100001", 500}}}, // after the range
};

struct Kind {
    Page page;
    const char *header, *lines, *h, *d; // tables and column prefixes
    const char *typeField;
};
const Kind kKinds[] = {
    {Page::Orders, "F2100", "F2101", "PH", "PD", "imitty_name"},
    {Page::Receipts, "F3100", "F3101", "WH", "WD", "itty_name"},
    {Page::Releases, "F3200", "F3201", "DH", "DD", "itty_name"},
    {Page::SalesOrders, "F2400", "F2401", "OH", "OD", "imitty_name"},
};

std::string fixtureSql()
{
    std::string sql;
    for (const Kind &k : kKinds) {
        const std::string h = k.h, d = k.d;
        for (const FixtureDoc &doc : kDocs) {
            const bool noTax = *doc.tax == 0;
            std::string partner = doc.partner, tax = doc.tax, extraCol, extraVal;
            if (k.page == Page::Releases) {
                extraCol = ", DHCHTY";
                extraVal = noTax ? ", '004'" : ", '001'";
                if (noTax)
                    partner.clear();
            }
            if (k.page == Page::SalesOrders && noTax)
                tax = "7";
            const std::string key = "'9999', '9999', '200103', " + std::to_string(doc.number);
            sql += "INSERT INTO " + std::string(k.header) + " (" + h + "CMCD, " + h + "BUUT, " + h + "MONTH, " + h
                   + "NUMB, " + h + "DATE, " + h + "ADNB, " + h + "TXGU" + extraCol + ") VALUES (" + key + ", '2001030"
                   + std::to_string(doc.day) + "', '" + partner + "', '" + tax + "'" + extraVal + ");";
            int seq = 0;
            for (const auto &[item, amount] : doc.lines)
                sql += "INSERT INTO " + std::string(k.lines) + " (" + d + "CMCD, " + d + "BUUT, " + d + "MONTH, " + d
                       + "NUMB, " + d + "SEQ, " + d + "ITNB, " + d + "UNIT, " + d + "QTY, " + d + "UPRC, " + d
                       + "AMT) VALUES (" + key + ", " + std::to_string(++seq) + ", '" + item + "', 'EA', 1, "
                       + std::to_string(amount) + ", " + std::to_string(amount) + ");";
        }
    }
    return sql;
}

class StockDetail : public HistoryScreenSuite {
public:
    static void SetUpTestSuite()
    {
        HistoryScreenSuite::SetUpTestSuite();
        exec(fixtureSql());
    }

protected:
    // A page's components by the page's two-letter part of their names.
    struct Controls {
        const char *from, *to, *search, *headers, *lines, *supply, *vat, *sum, *all, *product;
    };
    static Controls controlsOf(Page page)
    {
        static const Controls controls[] = {
            {"date_BjSearch1", "date_BjSearch2", "btn_BjStockDetailsearch", "grid_BjStock1", "grid_RegStoragelist",
             "edt_BaljuGong", "edt_BaljuVAT", "edt_BaljuSum", "btn_BjAll", "btn_BjJefum"},
            {"date_SdSearch1", "date_SdSearch2", "btn_SdStockHedsearch", "grid_SdStock1", "grid_SdStock2",
             "edt_IpgoGong", "edt_IpgoVAT", "edt_IbgoSum", "btn_SdAll", "btn_SdJefum"},
            {"date_ChSearch1", "date_ChSearch2", "btn_chulgoStockHedsearch", "grid_ChStock1", "grid_ChStock2",
             "edt_ChulgoGong", "edt_ChulgoVAT", "edt_ChulgoSum", "btn_ChAll", "btn_ChJefum"},
            {"date_SuSearch1", "date_SuSearch2", "btn_SujuStockHedsearch", "grid_SjStock1", "grid_SjStock2",
             "edt_SujuGong", "edt_SujuVAT", "edt_SujuSum", "btn_SuAll", "btn_SuJefum"},
        };
        return controls[int(page)];
    }

    void search(Page page, QDate from = QDate(2001, 3, 2), QDate to = QDate(2001, 3, 4))
    {
        const Controls c = controlsOf(page);
        qobject_cast<QDateEdit *>(control(c.from))->setDate(from);
        qobject_cast<QDateEdit *>(control(c.to))->setDate(to);
        clickButton(control(c.search));
    }

    // "total / supply / VAT" as the page shows them.
    QString figures(Page page) const
    {
        const Controls c = controlsOf(page);
        return qobject_cast<QLineEdit *>(control(c.sum))->text() + " / "
               + qobject_cast<QLineEdit *>(control(c.supply))->text() + " / "
               + qobject_cast<QLineEdit *>(control(c.vat))->text();
    }
};

const char *partnerField(Page page)
{
    static const char *fields[] = {"PHADNB_name", "WHADNB_name", "DHADNB_name", "oHADNB_name"};
    return fields[int(page)];
}

TEST_F(StockDetail, EachPageListsTheRangeAndATouchShowsTheLinesAndTheSplitTotal)
{
    for (const Kind &k : kKinds) {
        SCOPED_TRACE(int(k.page));
        const Controls c = controlsOf(k.page);
        search(k.page);
        ClientDataSet &headers = *w->Headers(k.page);
        const QString noTaxName = k.page == Page::Releases ? "" : "카페데모";
        EXPECT_EQ(rows(headers, "bunho", partnerField(k.page)),
                  (QStringList{"200103-00009|데모제분", "200103-00002|데모제분", "200103-00005|카페데모",
                               "200103-00003|" + noTaxName, "200103-00004|데모제분"}));

        const struct {
            QStringList types;
            const char *all, *products; // figures of every line, of the product lines
        } touches[] = {
            {{"제품", "원재료"}, "57,000 / 51,818 / 5,182", "36,000 / 32,727 / 3,273"},
            {{"제품", "상품"}, "16,000 / 16,000 / 1,600", "10,000 / 10,000 / 1,000"},
            {{"제품", "부재료"}, "12,345 / 12,345 / 0", "12,000 / 12,000 / 0"},
            {{"제품"}, "8,000 / 8,000 / 0", "8,000 / 8,000 / 0"},
            {{"반제품"}, "33 / 30 / 3", "0 / 0 / 0"},
        };
        for (int row = 0; row < 5; ++row) {
            SCOPED_TRACE(row);
            touchRow(c.headers, row);
            QStringList types;
            DataSet &lines = *w->Lines(k.page);
            for (int r = 0; r < lines.rowCount(); ++r) {
                DataSet::RowScope scope(lines, r);
                types << lines.FieldByName(QLatin1String(k.typeField)).AsString();
            }
            EXPECT_EQ(types, touches[row].types);
            EXPECT_EQ(figures(k.page), QString::fromUtf8(touches[row].all));
        }
        // The product button pressed before the touches: the product lines' figures.
        clickButton(control(c.product));
        for (int row = 0; row < 5; ++row) {
            SCOPED_TRACE(row);
            touchRow(c.headers, row);
            EXPECT_EQ(figures(k.page), QString::fromUtf8(touches[row].products));
        }
    }
}

// A search shows the all-types button pressed and, with it, every line of the
// document on screen; its figures stay until the next touch.
TEST_F(StockDetail, ASearchPutsTheAllButtonDownAndClearsTheLinesFilter)
{
    const Controls c = controlsOf(Page::Receipts);
    search(Page::Receipts);
    clickButton(control(c.product));
    touchRow(c.headers, 0);
    DataSet &lines = *w->Lines(Page::Receipts);
    EXPECT_EQ(lines.RecordCount(), 1);
    EXPECT_FALSE(qobject_cast<TMirelImgBtn *>(control(c.all))->Down());

    search(Page::Receipts, QDate(2001, 3, 4), QDate(2001, 3, 4));
    EXPECT_TRUE(qobject_cast<TMirelImgBtn *>(control(c.all))->Down());
    EXPECT_FALSE(qobject_cast<TMirelImgBtn *>(control(c.product))->Down());
    EXPECT_EQ(lines.RecordCount(), 2);
    EXPECT_EQ(figures(Page::Receipts), QStringLiteral("36,000 / 32,727 / 3,273"));
    touchRow(c.headers, 0); // document 3 of the 4th, all lines
    EXPECT_EQ(figures(Page::Receipts), QStringLiteral("8,000 / 8,000 / 0"));
}

TEST_F(StockDetail, BadInputChangesNothingItShouldNot)
{
    ErrorBoxWatcher errors;
    const Controls c = controlsOf(Page::Orders);

    // A touch before any search, and paging a closed grid: nothing but the focus.
    w->HeaderTouch(Page::Orders);
    EXPECT_EQ(callsOf(QStringLiteral("GP_SELECT_F2101_POPUPPURCHASE")), 0);
    EXPECT_EQ(figures(Page::Orders), QStringLiteral("0 / 0 / 0"));
    clickButton(control("bnt_RegStoragelistDown"));
    EXPECT_TRUE(control(c.lines)->hasFocus());
    EXPECT_FALSE(w->Lines(Page::Orders)->Active());

    // A from date after the to date lists nothing.
    for (const Kind &k : kKinds) {
        SCOPED_TRACE(int(k.page));
        search(k.page, QDate(2001, 3, 4), QDate(2001, 3, 2));
        EXPECT_EQ(w->Headers(k.page)->RecordCount(), 0);
    }

    // With the server gone a search and a touch show the error box and keep
    // the rows, the lines and the figures; the line grid still follows its data.
    search(Page::Orders);
    touchRow(c.headers, 0);
    cutTheLine();
    search(Page::Orders, QDate(2001, 3, 1), QDate(2001, 3, 5));
    EXPECT_EQ(errors.texts.size(), 1);
    EXPECT_EQ(w->Headers(Page::Orders)->RecordCount(), 5);
    touchRow(c.headers, 1);
    EXPECT_EQ(errors.texts.size(), 2);
    EXPECT_EQ(w->Lines(Page::Orders)->RecordCount(), 2);
    EXPECT_FALSE(w->Lines(Page::Orders)->ControlsDisabled());
    EXPECT_EQ(figures(Page::Orders), QStringLiteral("57,000 / 51,818 / 5,182"));
}

// The receipt and release lines toggle from show to close; nothing holds a
// key; the close button ends the screen with 7, the menu's call does not.
TEST_F(StockDetail, LineGridsToggleWhileShownAndTheCloseButtonEndsTheScreen)
{
    auto *releases = qobject_cast<TMirelGrid *>(control("grid_ChStock2"));
    auto *receipts = qobject_cast<TMirelGrid *>(control("grid_SdStock2"));
    EXPECT_EQ(releases->Options(), 4708);
    EXPECT_EQ(receipts->Options(), 4708);
    EXPECT_EQ(os::HeldModifiers(), Qt::NoModifier);

    clickButton(control("btn_Chulgo"));
    EXPECT_EQ(w->CurrentPage(), Page::Releases);
    search(Page::Releases);
    touchRow("grid_ChStock1", 0);
    touchRow("grid_ChStock2", 0);
    touchRow("grid_ChStock2", 1);
    EXPECT_EQ(releases->SelectedRows().Count(), 2);
    touchRow("grid_ChStock1", 1); // another release's lines: nothing of the last one stays selected
    EXPECT_EQ(releases->SelectedRows().Count(), 0);
    touchRow("grid_ChStock2", 1);
    EXPECT_EQ(releases->SelectedRows().Count(), 1);

    w->CloseOperation();
    EXPECT_TRUE(w->isVisible());
    clickButton(control("btn_Close"));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), TF656_StockDetail::ClosedResult);
    EXPECT_EQ(releases->Options(), 868);
    EXPECT_EQ(receipts->Options(), 868);
    EXPECT_FALSE(releases->ToggleSelect());
    EXPECT_EQ(os::HeldModifiers(), Qt::NoModifier);
}

// On show: every picker today, the orders page in front, the production
// categories read; each page button shows its page and the others keep theirs.
TEST_F(StockDetail, ShowingPicksTodayAndThePageButtonsSwitchPages)
{
    const QDate today = os::Now().date();
    for (const char *picker : {"date_BjSearch1", "date_SdSearch2", "date_ChSearch1", "date_SuSearch2", "date_SsSearch1",
                               "date_SsSearch2"})
        EXPECT_EQ(qobject_cast<QDateEdit *>(control(picker))->date(), today) << picker;
    EXPECT_EQ(w->CurrentPage(), Page::Orders);
    EXPECT_EQ(rows(*w->cds_F0060_debun, "GKGKID", "GKNAME"), (QStringList{"201|제빵생산", "202|케이크생산"}));

    search(Page::Orders);
    const struct {
        const char *button;
        Page page;
    } buttons[] = {{"btn_Ipgo", Page::Receipts}, {"btn_Sengsan", Page::Production}, {"btn_Suju", Page::SalesOrders},
                   {"btn_Balju", Page::Orders}};
    for (const auto &b : buttons) {
        clickButton(control(b.button));
        EXPECT_EQ(w->CurrentPage(), b.page) << b.button;
    }
    EXPECT_EQ(w->form().pgc_StockDetail1->currentWidget()->objectName(), QStringLiteral("sd_balju"));
    EXPECT_EQ(w->Headers(Page::Orders)->RecordCount(), 5);
}

} // namespace
