// Printing a placed order: the 42-column slip by each slip layout, the slip
// through the receipt printer with its copies, and the A4 purchase order
// rendered to PDF through the preview sink.

#include "documents/U1010_OrderList.h"

#include "DocumentsFixture.h"
#include "ReceiptCapture.h"
#include "core/MyConfig.h"
#include "core/PrintThread.h"
#include "platform/os/Clock.h"
#include "platform/os/CodePage.h"
#include "platform/remote/ClientDataSet.h"
#include "platform/report/Report.h"
#include "platform/serial/SerialPort.h"
#include "support/CapturePort.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace {

QString sp(int n) { return QString(n, QLatin1Char(' ')); }
const QChar kEsc(0x1b);

class OrderPrintTest : public DocumentsSuite {
protected:
    void SetUp() override
    {
        DocumentsSuite::SetUp();
        // Order 710 of a month of its own: 20,000 G keeps every digit, 1234.5 EA, 1.5 BOX.
        exec("INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHDATE, PHADNB, PHTXGU, PHSEME, PHNYDT, PHBIGO,"
             " PHNPJS, PHBADA) VALUES ('9999', '9999', '203002', 710, '20300227', '40000001', '2', '002',"
             " '20300301', '뒷문으로 납품', '데모지점 창고', '박담당');"
             "INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY, PDUPRC, PDAMT, PDGAMT,"
             " PDTAX) VALUES ('9999', '9999', '203002', 710, 1, '500001', 'G', 20000, 2, 40000, 40000, 4000),"
             " ('9999', '9999', '203002', 710, 2, '100001', 'EA', 1234.5, 1800, 2222100, 2222100, 222210),"
             " ('9999', '9999', '203002', 710, 3, '200002', 'BOX', 1.5, 14400, 21600, 21600, 2160)");
    }
    void TearDown() override
    {
        exec("DELETE FROM F2100 WHERE PHMONTH = '203002'");
        DocumentsSuite::TearDown();
    }
};

TEST_F(OrderPrintTest, SlipLinesByLayout)
{
    TF1010_OrderList form;
    form.LoadOrder(QStringLiteral("203002"), 710);
    const QDateTime at(QDate(2030, 2, 27), QTime(9, 5));
    const QStringList head = {
        kEsc + QStringLiteral("!") + QChar(0x10) + sp(16) + QStringLiteral("[발   주]") + sp(17) + kEsc
            + QStringLiteral("!") + QChar(0),
        QString(),
        QStringLiteral(" 발주 시각: 2030-02-27 09:05") + sp(14),
        QStringLiteral(" 발 주 처 : 데모지점") + sp(22),
        QStringLiteral(" 수 주 처 : 데모제분") + sp(22),
        QString(42, QLatin1Char('='))};
    const QString dash(42, QLatin1Char('-'));
    const QString equals(42, QLatin1Char('='));
    const QStringList quantities = {
        QStringLiteral("제품명                         수량       "), dash,
        QStringLiteral("강력분") + sp(20) + QStringLiteral("20,000.00") + sp(6) + QStringLiteral("G"),
        QStringLiteral("우유식빵") + sp(19) + QStringLiteral("1,234.50") + sp(5) + QStringLiteral("EA"),
        QStringLiteral("흰우유200ml") + sp(16) + sp(4) + QStringLiteral("1.50") + sp(4) + QStringLiteral("BOX"), dash};
    const struct {
        char layout;
        QStringList body;
    } cases[] = {
        {'0', quantities + QStringList{sp(21) + QStringLiteral("부가세 포함여부: 별도")}},
        {'1', quantities},
        {'2',
         {QStringLiteral("제품명                 수량         합계  "), dash,
          QStringLiteral("강력분") + sp(12) + QStringLiteral("20,000.00") + sp(4) + QStringLiteral("G") + sp(4)
              + QStringLiteral("40,000"),
          QStringLiteral("우유식빵") + sp(11) + QStringLiteral("1,234.50") + sp(3) + QStringLiteral("EA") + sp(1)
              + QStringLiteral("2,222,100"),
          QStringLiteral("흰우유200ml") + sp(9) + sp(3) + QStringLiteral("1.50") + sp(2) + QStringLiteral("BOX")
              + sp(4) + QStringLiteral("21,600"),
          dash}},
        {'9', {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.layout);
        MyConfig.PrintStockPrice = QLatin1Char(c.layout);
        const QStringList lines = form.SlipLines(at);
        EXPECT_EQ(lines, head + c.body + QStringList{equals});
        for (const QString &line : lines.mid(2))
            EXPECT_EQ(os::ToAnsi(line).size(), 42) << line.toStdString();
    }
}

TEST_F(OrderPrintTest, SlipGoesToTheReceiptPrinterWithItsCopiesAndNothingElseByPrinterKind)
{
    ReceiptCapture printer;
    ASSERT_TRUE(printer.isValid());
    const QDateTime at(QDate(2030, 2, 27), QTime(9, 5));
    os::SetNow(at);
    MyConfig.PrintStockPrice = QLatin1Char('1');
    MyConfig.CountStockOD = 2;

    int previews = 0;
    const report::PreviewSink saved = report::SetPreviewSink([&](report::Report &) { ++previews; });
    for (const char *kind : {"0", "9", ""}) {
        MyConfig.pcprst = QString::fromLatin1(kind);
        PrintPlacedOrder(QStringLiteral("203002"), 710);
    }
    MyConfig.pcprst = QStringLiteral("1");
    PrintPlacedOrder(QStringLiteral("203002"), 710);

    TF1010_OrderList form;
    form.LoadOrder(QStringLiteral("203002"), 710);
    const QByteArray copy = ReceiptCapture::copy(form.SlipLines(at));
    EXPECT_EQ(printer.waitForCopies(2), copy + copy);
    EXPECT_EQ(previews, 0);

    report::SetPreviewSink(saved);
    EXPECT_TRUE(printer.stop());
    os::SetClockOffset(0);
}

TEST_F(OrderPrintTest, PurchaseOrderReportOfTheOrdersOwnMonth)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("order.pdf"));
    int pages = 0;
    const report::PreviewSink saved = report::SetPreviewSink([&](report::Report &r) {
        r.exportPdf(pdf);
        pages = r.pageCount();
    });
    MyConfig.pcprst = QStringLiteral("2");
    PrintPlacedOrder(QStringLiteral("203002"), 710);
    report::SetPreviewSink(saved);
    ASSERT_EQ(pages, 1);
    if (!qEnvironmentVariableIsEmpty("RALD_KEEP_REPORT_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("RALD_KEEP_REPORT_PDF"));

    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const char *expected :
         {"발", "서", "234-56-78901", "2030-02-27", "2030-03-01", "데모제분", "데모지점", "박담당", "강력분", 
          "2,222,100", "2,283,700", "228,370", "현금", "데모지점 창고", "뒷문으로 납품",
          "귀사의 일익 번창하심을 기원합니다."})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // 1.5 BOX reads 2 on the report, 1234.5 EA reads 1,235 (no decimals).
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("흰우유200ml\\s+BOX\\s+2\\s+14,400\\s+21,600"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1,235")));
}

} // namespace
