// The document pages' print buttons against the in-process head-office
// server: the question, then the slip of the touched document on the capture
// port (bytes as written out here, a fixed clock) or the page's A4 list read
// back from its PDF.
//
// Fixtures: receipt 200103-00007 of three lines (2001-03-02), two of them
// naming order 200103-00001; order 200103-00008 of 70 lines (2001-03-03).
// The A4 lists of the four pages also run over the demo documents.

#include "HistoryFixture.h"
#include "PrintCapture.h"
#include "ReceiptCapture.h"

#include "Components/MirelComp/MirelImgBtn.h"
#include "core/MyConfig.h"
#include "platform/os/Clock.h"
#include "platform/report/Report.h"
#include "production/ReportColumns.h"
#include "support/MessageResponder.h"

#include <QDateEdit>
#include <QFile>

#include <string>

namespace {

using Page = TF656_StockDetail::Page;

const QString kStore = QStringLiteral("한빛 베이커리 역삼점");

std::string fixtureSql()
{
    std::string sql =
        "INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHDATE, WHADNB, WHTXGU, WHIBTY) VALUES"
        " ('9999', '9999', '200103', 7, '20010302', '40000001', '3', '001');"
        "INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDUPRC, WDAMT, WDRFMONTH,"
        " WDRFNUMB, WDRFSEQ) VALUES ('9999', '9999', '200103', 7, 1, '100001', 'EA', 10, 1800, 18000, '200103', 1, 1),"
        " ('9999', '9999', '200103', 7, 2, '500002', 'G', 1234.5, 3, 3703, NULL, NULL, NULL),"
        " ('9999', '9999', '200103', 7, 3, '100005', 'EA', 2, 12000, 24000, '200103', 1, 2);"
        "INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHDATE, PHNYDT, PHADNB) VALUES"
        " ('9999', '9999', '200103', 8, '20010303', '20010304', '40000001');";
    for (int seq = 1; seq <= 70; ++seq)
        sql += "INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY, PDUPRC, PDAMT)"
               " VALUES ('9999', '9999', '200103', 8, "
               + std::to_string(seq) + ", '100002', 'EA', " + std::to_string(seq) + ", 700, "
               + std::to_string(seq * 700) + ");";
    return sql;
}

// One slip of receipt 200103-00007 printed at 2001-03-05 10:20 under a
// layout, with all its lines or its product lines only.
QStringList receiptSlip(char layout, bool productsOnly = false)
{
    QStringList lines{QStringLiteral("\x1b!\x10               [입고 내역]                \x1b!") + QChar(0),
                      QString(),
                      QStringLiteral(" 입고번호 : 200103-00007                  "),
                      QStringLiteral(" 출고번호 :                               "),
                      QStringLiteral(" 입 고 처 : 데모지점                      "),
                      QStringLiteral(" 출 고 처 : 데모제분                      "),
                      QStringLiteral(" 입고 내역 출력 시각: 2001-03-05 10:20    "),
                      QStringLiteral("=========================================="),
                      layout == '2' ? QStringLiteral("제품명           수량        금액     번호")
                                    : QStringLiteral("제품명                    수량        번호"),
                      QStringLiteral("------------------------------------------")};
    if (layout == '2')
        lines << QStringLiteral("우유식빵     10.00 EA   18,000200103-00001")
              << QStringLiteral("설탕         1,234.50  G    3,703         ")
              << QStringLiteral("생크림케이    2.00 EA   24,000200103-00001");
    else
        lines << QStringLiteral("우유식빵              10.00 EA200103-00001")
              << QStringLiteral("설탕                1,234.50  G           ")
              << QStringLiteral("생크림케이크           2.00 EA200103-00001");
    if (productsOnly)
        lines.removeAt(11);
    if (layout != '0')
        lines << QStringLiteral("------------------------------------------") << QStringLiteral("총 금 액: 45,703     ");
    lines << QStringLiteral("==========================================");
    return lines;
}

class HistoryPrint : public HistoryScreenSuite {
public:
    static void SetUpTestSuite()
    {
        HistoryScreenSuite::SetUpTestSuite();
        exec(fixtureSql());
    }

protected:
    void SetUp() override
    {
        HistoryScreenSuite::SetUp();
        MyConfig.StoreName = kStore;
    }

    struct PageControls {
        const char *button, *from, *to, *search, *headers, *print;
    };
    static PageControls controlsOf(Page page)
    {
        static const PageControls controls[] = {
            {"btn_Balju", "date_BjSearch1", "date_BjSearch2", "btn_BjStockDetailsearch", "grid_BjStock1",
             "btn_SbPrint"},
            {"btn_Ipgo", "date_SdSearch1", "date_SdSearch2", "btn_SdStockHedsearch", "grid_SdStock1",
             "MirelImgBtn12"},
            {"btn_Chulgo", "date_ChSearch1", "date_ChSearch2", "btn_chulgoStockHedsearch", "grid_ChStock1",
             "btn_ScPrint"},
            {"btn_Suju", "date_SuSearch1", "date_SuSearch2", "btn_SujuStockHedsearch", "grid_SjStock1",
             "btn_SsPrint"},
        };
        return controls[int(page)];
    }

    void setRange(Page page, QDate from, QDate to)
    {
        const PageControls c = controlsOf(page);
        clickButton(control(c.button));
        qobject_cast<QDateEdit *>(control(c.from))->setDate(from);
        qobject_cast<QDateEdit *>(control(c.to))->setDate(to);
    }

    // The receipts page searched on the 2nd of March 2001 and its receipt touched.
    void touchTheReceipt()
    {
        setRange(Page::Receipts, QDate(2001, 3, 2), QDate(2001, 3, 2));
        clickButton(control("btn_SdStockHedsearch"));
        touchRow("grid_SdStock1", 0);
    }
};

TEST_F(HistoryPrint, ReceiptSlipsOfEachLayoutAndOfTheProductLines)
{
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    os::SetNow(QDateTime(QDate(2001, 3, 5), QTime(10, 20)));
    MessageResponder responder;
    responder.answer({mrNo, mrNo, mrNo, mrNo});

    touchTheReceipt();
    ASSERT_EQ(qobject_cast<QLineEdit *>(control("edt_IbgoSum"))->text(), QStringLiteral("45,703"));
    for (char layout : {'0', '1', '2'}) {
        MyConfig.PrintStockPrice = QLatin1Char(layout);
        clickButton(control("MirelImgBtn12"));
    }
    // The product button after the touch: the product lines under the touch's total.
    clickButton(control("btn_SdJefum"));
    MyConfig.PrintStockPrice = QLatin1Char('1');
    clickButton(control("MirelImgBtn12"));

    EXPECT_EQ(printer.waitForCopies(4), ReceiptCapture::copy(receiptSlip('0')) + ReceiptCapture::copy(receiptSlip('1'))
                                            + ReceiptCapture::copy(receiptSlip('2'))
                                            + ReceiptCapture::copy(receiptSlip('1', true)));
    ASSERT_EQ(responder.questions().size(), 4);
    for (const MessageResponder::Message &q : responder.questions()) {
        EXPECT_EQ(q.text, QStringLiteral("입고내역서 A4 용지로 출력하시겠읍니까?"));
        EXPECT_EQ(q.kind, 1);
    }
    EXPECT_TRUE(printer.stop());
}

// Yes previews the page's list; no, or no answer (0: the box could not ask),
// prints the slip; a slip before any touch only writes the page's log text.
TEST_F(HistoryPrint, TheAnswerChoosesTheListOrTheSlip)
{
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    os::SetNow(QDateTime(QDate(2001, 3, 5), QTime(10, 20)));
    MyConfig.PrintStockPrice = QLatin1Char('0');
    MessageResponder responder;
    PrintCapture lists;

    clickButton(control("btn_Ipgo"));
    responder.answer(mrNo);
    clickButton(control("MirelImgBtn12"));
    EXPECT_EQ(logText().count(QStringLiteral("F656_StockDetail_SengSan.btn_SiPrint Error.")), 1);

    touchTheReceipt();
    responder.answer({mrYes, mrNone});
    clickButton(control("MirelImgBtn12"));
    EXPECT_EQ(lists.prints, 1);
    EXPECT_TRUE(lists.lineWith(QStringLiteral("우유식빵")).contains(QStringLiteral("200103-00001")));
    clickButton(control("MirelImgBtn12"));
    EXPECT_EQ(lists.prints, 1);
    EXPECT_EQ(printer.waitForCopies(1), ReceiptCapture::copy(receiptSlip('0')));
    EXPECT_TRUE(printer.stop());
}

// Each page's list over the demo documents of its day: the title, the period,
// the issue day, one row per line with its formats, the page and the store.
TEST_F(HistoryPrint, EachPagesListOverTheDemoDocuments)
{
    const QDate sixBack = QDate::currentDate().addDays(-6);
    const QDate aMonthBack = QDate::currentDate().addMonths(-1);
    const QDate lastMonth(aMonthBack.year(), aMonthBack.month(), 1);
    const struct {
        Page page;
        QDate day;
        const char *title, *dateLabel;
        QStringList items;
        const char *item, *cells; // one line's item and the cells it shows after it
    } cases[] = {
        {Page::Orders, sixBack, "발주 내역서", "발주일 : ",
         {"단팥빵", "커스터드크림", "흰우유200ml", "버터", "케이크박스"},
         "흰우유200ml", "음료 병음료 데모지점 EA 24.0 600 14,400 0.0"},
        {Page::Receipts, lastMonth.addDays(9), "입고 내역서", "입고일 : ", {"설탕", "팥앙금"}, "팥앙금",
         "원재료 당류/앙금 데모지점 G 면세입고 2,000.0 8 16,000 0.0 0 0"},
        {Page::Releases, lastMonth.addDays(11), "출고 내역서", "출고일 : ", {"단팥빵", "생수500ml"}, "생수500ml",
         "음료 병음료 데모지점 EA 출고 6.0 400 2,400 0.0 0 0"},
        {Page::SalesOrders, sixBack, "수주 내역서", "수주일 : ", {"우유식빵", "식빵반죽", "생수500ml", "설탕", "리본"},
         "식빵반죽", "제빵생산 반죽 데모지점 G 1,000.0 3 3,000 0.0"},
    };
    MessageResponder responder;
    PrintCapture lists;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title);
        setRange(c.page, c.day, c.day);
        responder.answer(mrYes);
        clickButton(control(controlsOf(c.page).print));
        ASSERT_EQ(lists.text.size(), 1);
        const QString &page = lists.text[0];
        const QString day = c.day.toString(QStringLiteral("yyyy-MM-dd"));
        EXPECT_TRUE(page.contains(QString::fromUtf8(c.title)));
        EXPECT_TRUE(page.contains(QString::fromUtf8(c.dateLabel) + day + QStringLiteral(" ~ ") + day));
        EXPECT_TRUE(page.contains(QStringLiteral("발행일:")));
        EXPECT_TRUE(HasPageLabel(page, 1, 1));
        EXPECT_TRUE(page.contains(kStore));
        int rows = 0;
        for (const QString &line : page.split(u'\n'))
            rows += line.contains(day) ? 1 : 0;
        EXPECT_EQ(rows, c.items.size() + 1); // every line, and the period
        for (const QString &item : c.items)
            EXPECT_FALSE(lists.lineWith(item).isEmpty()) << item.toStdString();
        const QString line = lists.lineWith(QString::fromUtf8(c.item));
        EXPECT_TRUE(line.contains(QString::fromUtf8(c.item) + u' ' + QString::fromUtf8(c.cells))) << line.toStdString();
        if (qEnvironmentVariableIsSet("RALD_SHOT_DIR"))
            QFile::copy(lists.pdf, qEnvironmentVariable("RALD_SHOT_DIR") + QStringLiteral("/list-%1.pdf").arg(int(c.page)));
    }
    EXPECT_TRUE(responder.notices().isEmpty());
}

// Seventy lines fill three pages, each numbered of three with the store; a
// range without lines shows the notice and no list.
TEST_F(HistoryPrint, AListOfThreePagesAndAnEmptyRange)
{
    MessageResponder responder;
    PrintCapture lists;
    setRange(Page::Orders, QDate(2001, 3, 3), QDate(2001, 3, 3));
    responder.answer(mrYes);
    clickButton(control("btn_SbPrint"));
    ASSERT_EQ(lists.text.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(HasPageLabel(lists.text[i], i + 1, 3)) << i;
        EXPECT_TRUE(lists.text[i].contains(kStore)) << i;
    }
    EXPECT_EQ(ReportPageTotal(QStringLiteral("TF20_PURCHASEINQUIRY")), 3);
    EXPECT_EQ(lists.text.join(QString()).count(QStringLiteral("단팥빵")), 70);
    EXPECT_TRUE(lists.lineWith(QStringLiteral("48,300")).contains(QStringLiteral("69.0")));

    setRange(Page::Orders, QDate(2001, 3, 10), QDate(2001, 3, 10));
    responder.answer(mrYes);
    clickButton(control("btn_SbPrint"));
    EXPECT_EQ(lists.prints, 1);
    ASSERT_EQ(responder.notices().size(), 1);
    EXPECT_EQ(responder.notices()[0].text, QStringLiteral("미리보기나 인쇄할 데이타가 존재하지 않읍니다."));
    EXPECT_EQ(responder.notices()[0].kind, 2);
    EXPECT_EQ(responder.notices()[0].stayMs, 2000);
}

} // namespace
