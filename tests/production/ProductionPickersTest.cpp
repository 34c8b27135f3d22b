// The production status list, the job-order list and the received-order
// search against the in-process server and its demo data (productions #1
// yesterday and #2 today, job orders #1 yesterday for today and #2 today
// without days, received orders due today and tomorrow), each filling a
// basket shaped as the entry screens' vtb_STOCK that already holds a line.

#include "ItemEntryFixture.h"
#include "ShellTestUtil.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "documents/ItemEntryScreen.h"
#include "platform/dataset/DataSet.h"
#include "platform/remote/ClientDataSet.h"
#include "production/U1301_ObtainSearch.h"
#include "production/U1301_WorkDirections.h"
#include "production/U656_StockDetail_SengSan.h"
#include "support/MessageResponder.h"

#include <QDateEdit>
#include <QScopeGuard>

#include <functional>

namespace {

const QString kProductionLines = QStringLiteral("GP_SELECT_F3301_StockDetail_SengSanDetail_Search");
const QString kForecast = QStringLiteral("GP_SELECT_F2401_WORKENTRY");
const QString kNothing = QStringLiteral("수정할 내역이 없습니다.");

class Pickers : public ItemEntrySuite {
protected:
    void SetUp() override
    {
        ItemEntrySuite::SetUp();
        today = os::Now().date();
        basket = std::make_unique<DataSet>();
        basket->AddFields(ItemEntryBasketFields());
        // Job-order entry's own fields, which the received-order search fills.
        basket->AddFields({{QStringLiteral("ohnydt"), FieldType::String, 10},
                           {QStringLiteral("IMJJGO"), FieldType::Float},
                           {QStringLiteral("current_qty"), FieldType::Float},
                           {QStringLiteral("forcast_qty"), FieldType::Float},
                           {QStringLiteral("product_qty"), FieldType::Float}});
        basket->Open();
        basket->Append();
        basket->FieldByName(QStringLiteral("ADSEQ")).setAsInteger(1);
        basket->FieldByName(QStringLiteral("IMITNB")).setAsString(QStringLiteral("500002"));
        basket->FieldByName(QStringLiteral("ADQTY")).setAsFloat(1);
        basket->Post();
    }

    // One field of every basket line, in table order.
    QStringList basketColumn(const char *field) const
    {
        QStringList out;
        for (int row = 0; row < basket->rowCount(); ++row) {
            DataSet::RowScope scope(*basket, row);
            out << basket->FieldByName(QLatin1String(field)).AsString();
        }
        return out;
    }

    static void touchRow(TMirelGrid *grid, int row)
    {
        const QRect r = grid->CellRect(0, row);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.translated(-grid->viewport()->pos()).center());
    }

    static QStringList column(DataSet &d, const char *field)
    {
        QStringList out;
        for (int row = 0; row < d.rowCount(); ++row)
            out << d.displayText(row, d.FieldByName(QLatin1String(field)).Index());
        return out;
    }

    static QString month(const QDate &d) { return d.toString(QStringLiteral("yyyyMM")); }

    // A control of a picker by its component name.
    template <typename T = TMirelImgBtn>
    static T *child(QWidget &picker, const char *name)
    {
        T *c = picker.findChild<T *>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    QDate today;
    std::unique_ptr<DataSet> basket;
    MessageResponder responder;
};

TEST_F(Pickers, StatusListHandsOverEveryLineOfTheTouchedProductionWhateverTheFilterAndPaging)
{
    TF656_StockDetail_SengSan list;
    list.TargetBasket = basket.get();
    list.show();
    EXPECT_EQ(child<QDateEdit>(list, "date_SdssSearch1")->date(), today.addDays(-1));
    EXPECT_EQ(child<QDateEdit>(list, "date_SdssSearch2")->date(), today);
    EXPECT_EQ(column(*list.cds_F3300_hed, "RHNUMB"), (QStringList{"1", "2"}));

    touchRow(child<TMirelGrid>(list, "grid_SdssStock1"), 0);
    EXPECT_EQ(column(*list.cds_F3301_det, "chongsengsan"), (QStringList{"21", "32", "10,000"}));
    clickButton(child(list, "btn_SdssJefum"));
    EXPECT_EQ(column(*list.cds_F3301_det, "RDITNB"), (QStringList{"100001", "100002"}));
    clickButton(child(list, "btn_SdssStock1Down"));
    EXPECT_EQ(list.cds_F3300_hed->FieldByName("RHNUMB").AsInteger(), 2); // the grid's row, not the choice

    clickButton(child(list, "btn_SdssEdit"));
    EXPECT_EQ(list.result(), TF656_StockDetail_SengSan::CopiedResult);
    EXPECT_EQ(BasketLines(*basket), (QStringList{"1 100001 20", "2 100002 30", "3 300001 10000"}));
    EXPECT_EQ(basketColumn("SonsilSu"), (QStringList{"1", "2", "0"}));
    EXPECT_EQ(basketColumn("ADMCAL"), (QStringList{"10", "10", "1000"}));
    EXPECT_EQ(basketColumn("IMITTY"), (QStringList{"제품", "제품", "반제품"}));
    EXPECT_EQ(basketColumn("ADUNIT"), (QStringList{"EA", "EA", "G"}));
    EXPECT_EQ(basketColumn("ADMDAN"), (QStringList{"BOX", "BOX", "KG"}));
    EXPECT_EQ(basketColumn("IMNAME"), (QStringList{"우유식빵", "단팥빵", "식빵반죽"}));
    EXPECT_EQ(basket->State(), DataSetState::Browse);
    const TF656_StockDetail_SengSan::Production chosen = list.ChosenProduction();
    const QDate yesterday = today.addDays(-1);
    EXPECT_EQ(QStringList({chosen.month, QString::number(chosen.number), chosen.year, chosen.date, chosen.line,
                           chosen.lineName}),
              QStringList({month(yesterday), "1", yesterday.toString("yyyy"), yesterday.toString("yyyyMMdd"), "001",
                           "1라인(제빵)"}));
}

TEST_F(Pickers, StatusListWithoutATouchHandsOverTheFirstProductionAndASearchShowsEveryLine)
{
    {
        TF656_StockDetail_SengSan list;
        list.TargetBasket = basket.get();
        list.show();
        clickButton(child(list, "btn_SdssEdit"));
        EXPECT_EQ(list.result(), TF656_StockDetail_SengSan::CopiedResult);
        EXPECT_EQ(list.ChosenProduction().number, 1);
        EXPECT_EQ(basket->RecordCount(), 3);
    }

    // Production #2 touched with "products" on; a new search shows "all"
    // pressed and every line again, and the touched production stays chosen.
    TF656_StockDetail_SengSan list;
    list.TargetBasket = basket.get();
    list.show();
    touchRow(child<TMirelGrid>(list, "grid_SdssStock1"), 1);
    clickButton(child(list, "btn_SdssJefum"));
    EXPECT_EQ(list.cds_F3301_det->RecordCount(), 1);
    clickButton(child(list, "btn_SdssSearch"));
    EXPECT_TRUE(child(list, "btn_SdssAll")->Down());
    EXPECT_FALSE(child(list, "btn_SdssJefum")->Down());
    EXPECT_EQ(column(*list.cds_F3301_det, "RDITNB"), (QStringList{"100005", "300002"}));
    clickButton(child(list, "btn_SdssEdit"));
    EXPECT_EQ(BasketLines(*basket), (QStringList{"1 100005 5", "2 300002 1500"}));
    EXPECT_EQ(list.ChosenProduction().lineName, QStringLiteral("2라인(케이크)"));
}

// Each failure leaves the pre-filled basket as it was and the picker open.
TEST_F(Pickers, AFailedOrEmptyHandOverKeepsTheBasketAndThePickerOpen)
{
    struct Case {
        const char *name;
        std::function<std::unique_ptr<QDialog>(DataSet *)> run;
        const char *log;  // logged text, or nullptr
        bool errorBox;    // else the notice kNothing
    };
    const Case cases[] = {
        {"status list, the line read fails",
         [](DataSet *b) {
             auto list = std::make_unique<TF656_StockDetail_SengSan>();
             list->TargetBasket = b;
             list->show();
             server().failCall(kProductionLines, 1, TestServer::FailMode::BeforeRun);
             clickButton(child(*list, "btn_SdssEdit"));
             return std::unique_ptr<QDialog>(std::move(list));
         },
         "F1003_Produce.btn_SdssEdit Error", true},
        {"status list, nothing found",
         [](DataSet *b) {
             auto list = std::make_unique<TF656_StockDetail_SengSan>();
             list->TargetBasket = b;
             list->show();
             child<QDateEdit>(*list, "date_SdssSearch1")->setDate(QDate(2000, 1, 1));
             child<QDateEdit>(*list, "date_SdssSearch2")->setDate(QDate(2000, 1, 2));
             clickButton(child(*list, "btn_SdssSearch"));
             clickButton(child(*list, "btn_SdssEdit"));
             return std::unique_ptr<QDialog>(std::move(list));
         },
         nullptr, false},
        {"job-order list, OK before any search",
         [](DataSet *b) {
             auto list = std::make_unique<TF1301_WorkDirections>();
             list->ListMode = QStringLiteral("1");
             list->TargetBasket = b;
             list->show();
             clickButton(child(*list, "MirelImgBtn3"));
             return std::unique_ptr<QDialog>(std::move(list));
         },
         nullptr, false},
        {"received-order search, the search of OK fails",
         [](DataSet *b) {
             auto search = std::make_unique<TF1301_ObtainSearch>();
             search->TargetBasket = b;
             search->show();
             clickButton(child(*search, "btn_SujuCahgiSearch"));
             server().failCall(kForecast, 1, TestServer::FailMode::BeforeRun);
             clickButton(child(*search, "btn_SujuCahgiOk"));
             return std::unique_ptr<QDialog>(std::move(search));
         },
         "F1301_JobOrder.vtb_STOCK.btn_SujuCahgiOk Error:test failure", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        responder.clear();
        ErrorBoxWatcher errors;
        const std::unique_ptr<QDialog> picker = c.run(basket.get());
        EXPECT_TRUE(picker->isVisible());
        EXPECT_EQ(BasketLines(*basket), QStringList{"1 500002 1"});
        EXPECT_EQ(errors.texts.size(), c.errorBox ? 1 : 0);
        EXPECT_EQ(responder.contains(kNothing), !c.errorBox);
        if (c.log) {
            EXPECT_TRUE(logText().contains(QLatin1String(c.log)));
        }
    }
}

TEST_F(Pickers, JobOrderListBlanksEmptyDaysAndCopiesTheFirstJobOrderInEitherMode)
{
    for (const char *mode : {"1", "2"}) {
        SCOPED_TRACE(mode);
        TF1301_WorkDirections list;
        list.ListMode = QLatin1String(mode);
        list.TargetBasket = basket.get();
        list.show();
        EXPECT_EQ(child<QDateEdit>(list, "date_WdSearch1")->date(), QDate(today.year(), today.month(), 1));
        EXPECT_EQ(child<QDateEdit>(list, "date_WdSearch2")->date(), today);
        EXPECT_FALSE(list.cds_F3310_hed->Active());
        child<QDateEdit>(list, "date_WdSearch1")->setDate(today.addDays(-1)); // on the first of a month yesterday is in the last
        clickButton(child(list, "btn_chulgoStockHedsearch"));
        ASSERT_EQ(column(*list.cds_F3310_hed, "JHNUMB"), (QStringList{"1", "2"}));
        const QString iso = today.toString(Qt::ISODate);
        EXPECT_EQ(column(*list.cds_F3310_hed, "JHSEDATE"), (QStringList{iso, ""}));
        EXPECT_EQ(column(*list.cds_F3310_hed, "JHNYDT"), (QStringList{iso, ""}));
        EXPECT_EQ(column(*list.cds_F3310_hed, "JHDATE"), (QStringList{today.addDays(-1).toString(Qt::ISODate), iso}));

        clickButton(child(list, "MirelImgBtn3"));
        EXPECT_EQ(list.result(), TF1301_WorkDirections::CopiedResult);
        EXPECT_EQ(BasketLines(*basket), (QStringList{"1 100001 10", "2 100002 20"}));
        EXPECT_EQ(basketColumn("IMITTY"), (QStringList{"제품", "제품"}));
        EXPECT_EQ(basketColumn("ADMDAN"), (QStringList{"BOX", "BOX"}));
        const TF1301_WorkDirections::JobOrder chosen = list.ChosenJobOrder();
        EXPECT_EQ(chosen.number, 1);
        EXPECT_EQ(chosen.month, month(today.addDays(-1)));
        EXPECT_EQ(chosen.date, today.addDays(-1));
        EXPECT_EQ(chosen.deliveryDate, today);
    }
}

TEST_F(Pickers, JobOrderLinesCarryTheirKindSoAGoodsLineIsKnown)
{
    exec("INSERT INTO F3311 (JDCMCD, JDBUUT, JDMONTH, JDNUMB, JDSEQ, JDITNB, JDUNIT, JDQTY, JDMDAN, JDLDAN, JDMCAL)"
         " VALUES ('9999', '9999', strftime('%Y%m', 'now', 'localtime'), 2, 2, '200001', 'EA', 3, 'BOX', 'EA', 20)");
    auto cleanup = qScopeGuard([] { exec("DELETE FROM F3311 WHERE JDCMCD = '9999' AND JDNUMB = 2 AND JDSEQ = 2"); });
    TF1301_WorkDirections list;
    list.ListMode = QStringLiteral("2");
    list.TargetBasket = basket.get();
    list.show();
    child<QDateEdit>(list, "date_WdSearch1")->setDate(today.addDays(-1));
    clickButton(child(list, "btn_chulgoStockHedsearch"));
    touchRow(child<TMirelGrid>(list, "grid_WorkDirectionhed"), 1);
    EXPECT_EQ(list.cds_F3311_det->RecordCount(), 2);
    clickButton(child(list, "MirelImgBtn3"));
    EXPECT_EQ(BasketLines(*basket), (QStringList{"1 300002 2000", "2 200001 3"}));
    EXPECT_EQ(basketColumn("IMITTY"), (QStringList{"반제", "상품"}));
    EXPECT_EQ(list.ChosenJobOrder().deliveryDate, QDate(1900, 1, 1));
}

TEST_F(Pickers, ReceivedOrderSearchCopiesEveryRowOfTheShownDayCrosswise)
{
    TF1301_ObtainSearch search;
    search.TargetBasket = basket.get();
    search.show();
    EXPECT_EQ(search.SearchDate(), today);
    EXPECT_FALSE(search.cds_F2401_s->Active());
    clickButton(child(search, "btn_SujuCahgiSearch"));
    DataSet &rows = *search.cds_F2401_s;
    ASSERT_EQ(column(rows, "ODITNB"), (QStringList{"100001", "100002", "100005", "300002"}));
    QStringList forecasts;
    for (int row = 0; row < rows.rowCount(); ++row)
        forecasts << rows.text(row, rows.FieldByName("forcast_qty").Index());

    clickButton(child(search, "btn_SujuCahgiOk"));
    EXPECT_EQ(search.result(), TF1301_ObtainSearch::CopiedResult);
    EXPECT_EQ(basketColumn("ADSEQ"), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(basketColumn("IMITNB"), (QStringList{"100001", "100002", "100005", "300002"}));
    EXPECT_EQ(basketColumn("ADQTY"), forecasts);
    EXPECT_EQ(basketColumn("ADUNIT"), (QStringList{"EA", "EA", "EA", "G"}));  // the base unit
    EXPECT_EQ(basketColumn("ADLDAN"), (QStringList{"EA", "EA", "EA", "G"}));  // the order's unit
    EXPECT_EQ(basketColumn("ADMDAN"), (QStringList{"BOX", "BOX", "EA", "KG"}));
    EXPECT_EQ(basketColumn("ADMCAL"), (QStringList{"10", "10", "1", "1000"}));
    EXPECT_EQ(basketColumn("ADSQTY"), (QStringList{"10", "20", "2", "8000"}));
    EXPECT_EQ(basketColumn("product_qty"), (QStringList{"10", "20", "0", "0"}));
    EXPECT_EQ(basketColumn("IMJJGO"), (QStringList{"20", "30", "5", "2000"}));
    // Stock today: opening, receipts and production less stock-outs. The
    // products have more than the orders and proper stock need; of the
    // semi-product 8,000 G + 2,000 G proper stock less 6,000 G in stock is
    // to be produced.
    EXPECT_EQ(basketColumn("current_qty"), (QStringList{"59", "70", "15", "6000"}));
    EXPECT_EQ(forecasts, (QStringList{"0", "0", "0", "4000"}));
    EXPECT_EQ(basketColumn("ohnydt"), QStringList(4, today.toString(Qt::ISODate)));
    EXPECT_EQ(basket->State(), DataSetState::Browse);

    // Another day chosen without a search: OK copies that day's rows.
    TF1301_ObtainSearch next;
    next.TargetBasket = basket.get();
    next.show();
    clickButton(child(next, "btn_SujuCahgiSearch"));
    child<QDateEdit>(next, "date_ObSearch")->setDate(today.addDays(1));
    clickButton(child(next, "btn_SujuCahgiOk"));
    EXPECT_EQ(next.result(), TF1301_ObtainSearch::CopiedResult);
    EXPECT_EQ(basketColumn("IMITNB"), QStringList{"100004"});
    EXPECT_EQ(basketColumn("ADSQTY"), QStringList{"15"});
    EXPECT_EQ(next.SearchDate(), today.addDays(1));
}

} // namespace
