// The production report screens against the in-process head-office server,
// signed on as 1001, with the application clock in March 2032 and
// productions of that month saved through the production insert (numbers
// 1xx): the line choice, searches, paging, the A4 prints read back from
// their PDF, the period a print shows, the year list, the no-data notice and
// the wait cursor of a failed search.

#include "PrintCapture.h"
#include "TestApp.h"

#include "Components/MirelComp/MirelGrid.h"
#include "Components/MirelComp/MirelImgBtn.h"
#include "core/DataModuleFixture.h"
#include "platform/os/Clock.h"
#include "platform/remote/ClientDataSet.h"
#include "production/U1302_PRODUCTDAILYREPORT.h"
#include "production/U1303_DAILYPRODUCTSUM.h"
#include "production/U1304_ITEMPRODUCTSUM.h"
#include "production/U30_PRODUCTREPORTS.h"
#include "server/ServerTestUtil.h"
#include "shell/ShellTestUtil.h"
#include "support/MessageResponder.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

struct Line {
    const char *item;
    double qty;
};

class ProductionReportsScreens : public DataModuleSuite {
protected:
    void SetUp() override
    {
        DataModuleSuite::SetUp();
        DM = dm.get();
        MyConfig.StoreName = QStringLiteral("데모지점");
        os::SetNow(QDateTime(QDate(2032, 3, 5), QTime(10, 0)));
        server().clearFailures();
        static bool saved = false;
        if (!saved) {
            saved = true;
            save(QStringLiteral("20320305"), 110, "001", {{"100001", 2.3}});
            save(QStringLiteral("20320302"), 111, "001", {{"100002", 4}, {"100003", 5}});
            save(QStringLiteral("20320302"), 112, "002", {{"100005", 1}});
            save(QStringLiteral("20320115"), 113, "001", {{"100001", 10}});
        }
    }

    void TearDown() override
    {
        DM = nullptr;
        DataModuleSuite::TearDown();
    }

    // A production as production entry saves it: the header, then its lines.
    static void save(const QString &day, qint64 numb, const char *line, std::initializer_list<Line> lines)
    {
        using servertest::request;
        const QString month = day.left(6), linb = QString::fromLatin1(line);
        const auto send = [](const wire::Request &r) {
            const wire::Answer a = server().dispatcher().handle(r);
            ASSERT_FALSE(a.isError()) << a.error.toStdString();
        };
        const QString insert = QStringLiteral("[GP_INSERT_F3300_PRODUCTENTRY]");
        send(request(insert, {{"A_GUBUN", 1}, {"A_RHCMCD", QStringLiteral("9999")}, {"A_RHBUUT", QStringLiteral("9999")},
                              {"A_RHMONTH", month}, {"A_RHNUMB", numb}, {"A_RHYEAR", day.left(4)}, {"A_RHDATE", day},
                              {"A_RHLINB", linb}, {"A_RHWORK", QStringLiteral("90000001")}},
                     QStringLiteral("dspStoredProc6")));
        qint64 seq = 0;
        for (const Line &l : lines)
            send(request(insert, {{"A_GUBUN", 2}, {"A_RDCMCD", QStringLiteral("9999")},
                                  {"A_RDBUUT", QStringLiteral("9999")}, {"A_RDMONTH", month}, {"A_RDNUMB", numb},
                                  {"A_RDSEQ", ++seq}, {"A_RDITNB", QString::fromLatin1(l.item)}, {"A_RDLINB", linb},
                                  {"A_RDUNIT", QStringLiteral("EA")}, {"A_RDQTY", l.qty}, {"A_RDLQTY", 0.0},
                                  {"A_RDWPRC", QStringLiteral("0")}, {"A_RDBPRC", QStringLiteral("0")}},
                         QStringLiteral("dspStoredProc6")));
    }

    template <class T = TMirelImgBtn>
    static T *control(QWidget *w, const char *name)
    {
        T *c = w->findChild<T *>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
};

TEST_F(ProductionReportsScreens, DailyTotalsOfTheChosenLinePrintUnderTheSearchedPeriod)
{
    TF1303_DAILYPRODUCTSUM w;
    w.show();
    QCoreApplication::processEvents();
    auto *names = control<QComboBox>(&w, "combo_SengsangLine");
    auto *code = control<QLineEdit>(&w, "Edit10");
    EXPECT_EQ(control<QDateEdit>(&w, "stdt")->date(), QDate(2032, 3, 1));
    EXPECT_EQ(control<QDateEdit>(&w, "eddt")->date(), QDate(2032, 3, 5));
    ASSERT_EQ(names->count(), 3);
    EXPECT_EQ(names->currentText(), QStringLiteral("1라인(제빵)"));
    EXPECT_EQ(code->text(), QStringLiteral("001"));

    // The second line, searched: only line 002's production.
    names->setCurrentIndex(1);
    emit names->activated(1);
    EXPECT_EQ(code->text(), QStringLiteral("002"));
    clickButton(control(&w, "btn_BjStockDetailsearch"));
    EXPECT_EQ(w.Cds_Procedure1->RecordCount(), 1);
    EXPECT_EQ(w.Cds_Procedure1->FieldByName(QStringLiteral("itnb_name")).AsString(), QStringLiteral("생크림케이크"));

    names->setCurrentIndex(0);
    emit names->activated(0);
    EXPECT_EQ(code->text(), QStringLiteral("001"));
    clickButton(control(&w, "btn_BjStockDetailsearch"));
    ASSERT_EQ(w.Cds_Procedure1->RecordCount(), 3);

    // The pickers move on without a search: the print keeps the searched period.
    control<QDateEdit>(&w, "stdt")->setDate(QDate(2031, 1, 1));
    PrintCapture print;
    clickButton(control(&w, "btn_BjStockDetailA4Print"));
    ASSERT_EQ(print.prints, 1);
    ASSERT_EQ(print.text.size(), 1);
    const QString page = print.text.first();
    EXPECT_TRUE(page.contains(QStringLiteral("일별 생산 집계")));
    EXPECT_TRUE(print.lineWith(QStringLiteral("기간 :")).contains(QStringLiteral("기간 : 2032-03-01 ~ 2032-03-05")));
    EXPECT_FALSE(page.contains(QStringLiteral("2031-01-01")));
    const QString row = print.lineWith(QStringLiteral("우유식빵"));
    EXPECT_TRUE(row.contains(QStringLiteral("2032-03-05 금 우유식빵 2.30 4,140 8,050"))) << row.toStdString();
    EXPECT_TRUE(HasPageLabel(page, 1, 1));
    EXPECT_TRUE(page.contains(QStringLiteral("데모지점")));

    // The quantity column starts at 360: 100 + 80 + 50 + 130.
    EXPECT_EQ(TF30_DAILYPRODUCTSUM::Columns().leftOf(4), 360);
    TF30_DAILYPRODUCTSUM form(w.Cds_Procedure1, w.SearchedPeriod());
    w.Cds_Procedure1->First();
    form.prepare();
    EXPECT_EQ(form.cell(u'D', 0, 4)->left(), 360);
    EXPECT_EQ(form.cell(u'H', 0, 4)->left(), 360);
}

TEST_F(ProductionReportsScreens, ItemTotalsOpenOnTheClocksYearAndPrintTwoLinesPerItem)
{
    {
        os::SetNow(QDateTime(QDate(2031, 6, 1), QTime(9, 0)));
        TF1304_ITEMPRODUCTSUM w;
        auto *years = control<QComboBox>(&w, "cmb_year");
        ASSERT_EQ(years->count(), 2031 - 2008 + 1);
        EXPECT_EQ(years->itemText(0), QStringLiteral("2008"));
        EXPECT_EQ(years->currentText(), QStringLiteral("2031"));
        w.show();
        clickButton(control(&w, "btn_BjStockDetailsearch"));
        EXPECT_EQ(w.cds_procedure1->ParamByName(QStringLiteral("a_year")).AsString(), QStringLiteral("2031"));
        EXPECT_EQ(w.cds_procedure1->ParamByName(QStringLiteral("a_linb")).AsString(), QStringLiteral("001"));
    }
    os::SetNow(QDateTime(QDate(2032, 3, 5), QTime(10, 0)));
    TF1304_ITEMPRODUCTSUM w;
    w.show();
    clickButton(control(&w, "btn_BjStockDetailsearch"));
    DataSet &rows = *w.cds_procedure1;
    ASSERT_EQ(rows.RecordCount(), 3);
    EXPECT_EQ(control<TMirelGrid>(&w, "mgd_itemPRODUCTSUM")->VisibleRowCount(), TF1304_ITEMPRODUCTSUM::RowsPerPage);
    rows.First();
    EXPECT_EQ(rows.FieldByName(QStringLiteral("itnb_name")).AsString(), QStringLiteral("우유식빵"));
    EXPECT_DOUBLE_EQ(rows.FieldByName(QStringLiteral("tot_gamt")).AsFloat(), 12.3);

    PrintCapture print;
    clickButton(control(&w, "MirelImgBtn1"));
    ASSERT_EQ(print.prints, 1);
    const QString page = print.text.join(u'\n');
    EXPECT_TRUE(page.contains(QStringLiteral("품목별 생산 집계")));
    EXPECT_TRUE(print.lineWith(QStringLiteral("년도 :")).contains(QStringLiteral("년도 : 2032")));
    // 우유식빵: 10 in January and 2.3 in March; its amounts on the next line.
    const QStringList lines = page.split(u'\n');
    int at = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].contains(QStringLiteral("우유식빵")))
            at = i;
    ASSERT_GE(at, 0);
    EXPECT_TRUE(lines[at].simplified().endsWith(QStringLiteral("우유식빵 12 10 0 2 0 0 0 0 0 0 0 0 0")))
        << lines[at].toStdString();
    ASSERT_LT(at + 1, lines.size());
    EXPECT_EQ(lines[at + 1].simplified(), QStringLiteral("22,140 18,000 0 4,140 0 0 0 0 0 0 0 0 0"));
    for (const char *heading : {"총생산수량", "총생산금액", "1월생산수량", "12월생산금액"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(heading))) << heading;
}

TEST_F(ProductionReportsScreens, DailyReportPagesByTwentyEightAndPrintsTwoLandscapePages)
{
    static bool saved = false;
    if (!saved) {
        saved = true;
        std::vector<Line> many(40, Line{"100004", 1.5});
        const QString day = QStringLiteral("20320304");
        save(day, 120, "001", {});
        for (int i = 0; i < int(many.size()); ++i)
            save(day, 121 + i, "001", {many[size_t(i)]});
    }
    TF1302_PRODUCTDAILYREPORT w;
    w.show();
    QCoreApplication::processEvents();
    auto *grid = control<TMirelGrid>(&w, "mgd_PRODUCTDAILYREPORT");
    // Before a search the page buttons only focus the grid.
    clickButton(control(&w, "btn_StockItemsDown"));
    EXPECT_FALSE(w.cds_procedure1->Active());

    clickButton(control(&w, "btn_BjStockDetailsearch"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    DataSet &rows = *w.cds_procedure1;
    ASSERT_EQ(rows.RecordCount(), 44);
    // The grid shows quantities with two decimals and amounts grouped, on every row.
    const int quantity = rows.FieldByName(QStringLiteral("RDQTY")).Index();
    const int amount = rows.FieldByName(QStringLiteral("RDAMT")).Index();
    EXPECT_EQ(rows.displayText(1, quantity), QStringLiteral("5.00"));
    EXPECT_EQ(rows.displayText(43, quantity), QStringLiteral("2.30"));
    EXPECT_EQ(rows.displayText(43, amount), QStringLiteral("4,140"));
    EXPECT_EQ(grid->VisibleRowCount(), TF1302_PRODUCTDAILYREPORT::RowsPerPage);
    rows.First();
    clickButton(control(&w, "btn_StockItemsDown"));
    EXPECT_EQ(rows.RecNo(), 29);
    clickButton(control(&w, "btn_StockItemsDown"));
    EXPECT_EQ(rows.RecNo(), 44);
    clickButton(control(&w, "btn_StockItemsUp"));
    EXPECT_EQ(rows.RecNo(), 16);
    clickButton(control(&w, "btn_StockItemsUp"));
    EXPECT_EQ(rows.RecNo(), 1);

    PrintCapture print;
    clickButton(control(&w, "btn_BjStockDetailA4Print"));
    ASSERT_EQ(print.prints, 1);
    ASSERT_EQ(print.text.size(), 2);
    EXPECT_TRUE(HasPageLabel(print.text[0], 1, 2));
    EXPECT_TRUE(HasPageLabel(print.text[1], 2, 2));
    EXPECT_TRUE(print.text[0].contains(QStringLiteral("생산 일보")));
    EXPECT_TRUE(print.lineWith(QStringLiteral("생산일 :")).contains(QStringLiteral("생산일 : 2032-03-01 ~ 2032-03-05")));
    const QStringList headings = {"생산일", "생산라인", "품번", "품명", "대분류명", "중분류명", "사업단위",
                                  "단위", "생산수량", "원재료비", "부가비용", "생산원가", "생산금액", "손실수량"};
    for (const QString &h : headings)
        EXPECT_TRUE(print.text[1].contains(h)) << h.toStdString();
    ASSERT_FALSE(print.pages.empty());
    TF30_PRODUCTDAILYREPORT form(&rows, w.SearchedPeriod());
    EXPECT_EQ(form.orientation(), QPageLayout::Landscape);
    // 1.5 크림빵 at 850: 1,275.
    EXPECT_TRUE(print.lineWith(QStringLiteral("2032-03-04")).contains(QStringLiteral("크림빵")));
    EXPECT_TRUE(print.lineWith(QStringLiteral("2032-03-04")).contains(QStringLiteral("1.50")));
    EXPECT_TRUE(print.lineWith(QStringLiteral("2032-03-04")).contains(QStringLiteral("1,275")));
}

TEST_F(ProductionReportsScreens, NoRowsGiveTheScreensNoticeAndAFailedSearchPutsTheCursorBack)
{
    struct Case {
        std::function<std::unique_ptr<TProductionReportScreen>()> make;
        const char *print;
        QString notice;
    };
    const Case cases[] = {
        {[] { return std::make_unique<TF1302_PRODUCTDAILYREPORT>(); }, "btn_BjStockDetailA4Print",
         QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않습니다.")},
        {[] { return std::make_unique<TF1303_DAILYPRODUCTSUM>(); }, "btn_BjStockDetailA4Print",
         QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않읍니다.")},
        {[] { return std::make_unique<TF1304_ITEMPRODUCTSUM>(); }, "MirelImgBtn1",
         QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않읍니다.")},
    };
    const QStringList procedures = {"GP_SELECT_F3301_PRODUCTINQUIRY", "GP_SELECT_F3301_DAILYPRODUCTSUM",
                                    "GP_SELECT_F3200_ITEMPRODUCTSUM"};
    int i = 0;
    for (const Case &c : cases) {
        const QString procedure = procedures[i++];
        std::unique_ptr<TProductionReportScreen> w = c.make();
        w->show();
        QCoreApplication::processEvents();
        PrintCapture print;
        MessageResponder responder;
        // Closed, then open and empty (a year with no production).
        clickButton(control(w.get(), c.print));
        os::SetNow(QDateTime(QDate(2012, 2, 1), QTime(9, 0)));
        if (auto *stdt = w->findChild<QDateEdit *>(QStringLiteral("stdt")))
            TProductionReportScreen::SetMonthToDate(stdt, w->findChild<QDateEdit *>(QStringLiteral("eddt")));
        if (auto *years = w->findChild<QComboBox *>(QStringLiteral("cmb_year")))
            TProductionReportScreen::FillYears(years);
        w->btn_BjStockDetailsearchClick();
        ASSERT_TRUE(w->Result()->Active()) << procedure.toStdString();
        EXPECT_EQ(w->Result()->RecordCount(), 0);
        clickButton(control(w.get(), c.print));
        EXPECT_EQ(print.prints, 0);
        ASSERT_EQ(responder.notices().size(), 2);
        for (const auto &n : responder.notices()) {
            EXPECT_EQ(n.text, c.notice) << procedure.toStdString();
            EXPECT_EQ(n.kind, 2);
            EXPECT_EQ(n.stayMs, 2000);
        }

        // A failed search: the error reaches the caller, the grid is empty,
        // the cursor is back.
        server().failCall(procedure, 1, TestServer::FailMode::BeforeRun);
        EXPECT_THROW(w->btn_BjStockDetailsearchClick(), std::exception);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(w->Result()->Active());
        server().clearFailures();

        // The close button ends the screen with 2.
        int result = -1;
        QObject::connect(w.get(), &QDialog::finished, [&result](int r) { result = r; });
        w->CloseOperation();
        EXPECT_EQ(result, 2);
    }
}

} // namespace
