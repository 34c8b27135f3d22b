#include "TestApp.h"

#include "platform/dataset/DataSet.h"
#include "platform/os/Clock.h"
#include "platform/report/Report.h"
#include "platform/report/ReportPreview.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace report;

namespace {

// Rows "품목 1" ... "품목 n" with a quantity, an amount and a flag.
std::unique_ptr<DataSet> makeRows(int n)
{
    auto ds = std::make_unique<DataSet>();
    ds->AddField("name", FieldType::String);
    ds->AddField("qty", FieldType::Float);
    ds->AddField("amt", FieldType::Currency);
    ds->AddField("flag", FieldType::Boolean);
    ds->Open();
    QList<QList<QVariant>> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({QStringLiteral("품목 %1").arg(i), i * 1.5,
                     QVariant::fromValue(Currency(i * 1000)), i % 2 == 0});
    ds->LoadRows(ds->FieldDefs(), std::move(rows));
    return ds;
}

// A list report: page header with title-less page label, a title band, a
// column header, one detail per row, a summary and a footer with the store.
struct ListReport
{
    Report report;
    int pageTotal = 0;
    QMap<BandType, int> printed;   // before-print calls per band type

    explicit ListReport(DataSet *ds)
    {
        report.setObjectName("TestList");
        report.setDataSet(ds);
        report.setClock([] { return QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)); });

        Band *header = report.addBand(BandType::PageHeader, 61, "bnd_pageheader");
        Label *page = header->addLabel("page", QRect(550, 30, 160, 16), {}, Alignment::Right);
        new SysData(header, "QRSysData1", QRect(600, 10, 110, 16));
        header->setBeforePrint([this, page](Band &b, bool &) {
            ++printed[b.type()];
            page->setCaption(QStringLiteral("Page  : %1/%2").arg(report.pageNumber()).arg(pageTotal));
        });

        Band *title = report.addBand(BandType::Title, 40, "bnd_title");
        Label *t = title->addLabel("QRLabel1", QRect(0, 5, int(report.bandWidth()), 30),
                                   "시험 목록", Alignment::Center);
        t->font().pixelSize = 20;
        t->font().bold = true;

        Band *columns = report.addBand(BandType::ColumnHeader, 24, "bnd_columnheader");
        columns->frame().top = columns->frame().bottom = true;
        columns->addLabel("H00", QRect(0, 4, 200, 16), "품명");
        columns->addLabel("H01", QRect(200, 4, 100, 16), "수량", Alignment::Right);

        Band *detail = report.addBand(BandType::Detail, 20, "bnd_detail");
        detail->addDataText("D00", QRect(0, 2, 200, 16), ds, "name");
        detail->addDataText("D01", QRect(200, 2, 100, 16), ds, "qty", "%10.2n", Alignment::Right);

        Band *summary = report.addBand(BandType::Summary, 30, "bnd_summary");
        summary->addLabel("lbl_sum", QRect(0, 5, 300, 16), "합계 끝");
        summary->addLabel("lbl_cut", QRect(400, 5, 40, 16), "보임          감춤");

        Band *footer = report.addBand(BandType::PageFooter, 26, "bnd_pagefooter");
        footer->frame().top = true;
        Label *store = footer->addLabel("PF_NAME", QRect(int(report.bandWidth()) - 300, 5, 300, 16),
                                        {}, Alignment::Right);
        footer->setBeforePrint([this, store](Band &b, bool &) {
            ++printed[b.type()];
            store->setCaption("한빛 베이커리 본점");
        });
        for (Band *b : {title, columns, detail, summary})
            b->setBeforePrint([this](Band &band, bool &) { ++printed[band.type()]; });
    }
};

TEST(Report, TwoPageListToPdf)
{
    auto ds = makeRows(60);
    ListReport list(ds.get());
    list.pageTotal = list.report.prepare();
    ASSERT_EQ(list.pageTotal, 2);

    QTemporaryDir dir;
    const QString pdf = dir.filePath("list.pdf");
    list.report.prepare();   // the run that shows the true total
    list.report.exportPdf(pdf);
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);

    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(HasPageLabel(pages[i], i + 1, 2)) << pages[i].toStdString();
        EXPECT_TRUE(pages[i].contains("한빛 베이커리 본점"));
        EXPECT_TRUE(pages[i].contains("2026-03-05"));
        EXPECT_TRUE(pages[i].contains("품명"));
    }
    EXPECT_EQ(pages.join("").count("시험 목록"), 1);
    EXPECT_TRUE(pages[0].contains("시험 목록"));
    EXPECT_EQ(pages.join("").count("합계 끝"), 1);
    EXPECT_TRUE(pages[1].contains("합계 끝"));
    EXPECT_TRUE(pages[1].contains("보임"));
    EXPECT_FALSE(pages[1].contains("감춤"));   // cut off by the label's width

    // Every row exactly once, in order, the first on page 1 and the last on page 2.
    const QString all = pages.join("");
    qsizetype pos = 0;
    for (int i = 1; i <= 60; ++i) {
        const QString needle = QStringLiteral("품목 %1 ").arg(i);
        const qsizetype at = all.indexOf(needle, pos);
        ASSERT_GE(at, 0) << "row " << i;
        pos = at + needle.size();
    }
    EXPECT_TRUE(pages[0].contains("품목 1 "));
    EXPECT_TRUE(pages[1].contains("품목 60 "));
    EXPECT_TRUE(all.contains("90.00"));   // 60 x 1.5 formatted "%10.2n"
}

TEST(Report, BandsPrintInOrderAndPagesBreakAboveTheFooter)
{
    // Page 1 has room for 44 details below header, title and column header;
    // the following pages for 46.
    struct Case { int rows; int pages; };
    for (Case c : {Case{0, 1}, Case{1, 1}, Case{44, 2}, Case{43, 1}, Case{44 + 46, 3}, Case{200, 5}}) {
        auto ds = makeRows(c.rows);
        ListReport list(ds.get());
        EXPECT_EQ(list.report.prepare(), c.pages) << c.rows << " rows";
        EXPECT_EQ(list.printed[BandType::PageHeader], c.pages);
        EXPECT_EQ(list.printed[BandType::PageFooter], c.pages);
        EXPECT_EQ(list.printed[BandType::ColumnHeader], c.pages);
        EXPECT_EQ(list.printed[BandType::Title], 1);
        EXPECT_EQ(list.printed[BandType::Detail], c.rows);
        EXPECT_EQ(list.printed[BandType::Summary], 1);

        // Nothing below the footer's top edge but the footer itself.
        const double footerTop = list.report.pageSize().height() - 38 - 26;
        for (const Page &page : list.report.pages()) {
            for (const DrawOp &op : page) {
                if (op.kind == DrawOp::Text && op.text != "한빛 베이커리 본점") {
                    EXPECT_LE(op.rect.top(), footerTop) << op.text.toStdString();
                }
            }
        }
    }
}

TEST(Report, SkippedBandsTakeNoSpaceAndClosedDataPrintsNoDetail)
{
    auto ds = makeRows(100);
    ListReport list(ds.get());
    list.report.band(BandType::Detail)->setBeforePrint([&](Band &, bool &print) {
        print = ds->FieldByName("qty").AsFloat() > 100;   // rows 67..100
    });
    EXPECT_EQ(list.report.prepare(), 1);

    ds->Close();
    list.report.band(BandType::Detail)->setBeforePrint({});
    EXPECT_EQ(list.report.prepare(), 1);
    for (const DrawOp &op : list.report.pages()[0])
        EXPECT_FALSE(op.text.startsWith("품목"));
}

TEST(Report, BandTallerThanAPageDoesNotLoop)
{
    auto ds = makeRows(3);
    ListReport list(ds.get());
    list.report.band(BandType::Detail)->setHeight(5000);
    // Title page, one page per cut detail, then the summary.
    EXPECT_EQ(list.report.prepare(), 5);
}

TEST(Report, ItemsFoundByNameInCreationOrder)
{
    auto ds = makeRows(1);
    ListReport list(ds.get());
    QStringList names;
    for (Item *item : list.report.components())
        names << item->objectName();
    EXPECT_EQ(names, QStringList({"page", "QRSysData1", "QRLabel1", "H00", "H01", "D00", "D01",
                                  "lbl_sum", "lbl_cut", "PF_NAME"}));
    EXPECT_NE(list.report.label("H01"), nullptr);
    EXPECT_EQ(list.report.label("D00"), nullptr);   // a data text, not a label
    EXPECT_EQ(list.report.label("h01"), nullptr);
    delete list.report.component("H00");
    EXPECT_EQ(list.report.components().size(), 9);
}

TEST(Report, DataAwareItemsReadTheCurrentRow)
{
    auto ds = makeRows(2);
    Report r;
    Band *b = r.addBand(BandType::Detail, 20);
    auto *qty = b->addDataText("q", QRect(0, 0, 100, 16), ds.get(), "qty", "%8.1n");
    auto *amt = b->addDataText("a", QRect(0, 0, 100, 16), ds.get(), "AMT", "%10.0n");
    auto *name = b->addDataText("n", QRect(0, 0, 100, 16), ds.get(), "name");
    auto *flag = new CheckBox(b, "c", QRect(0, 0, 100, 16), ds.get(), "flag", "고중량기준");
    auto *sys = new SysData(b, "s", QRect(0, 0, 100, 16), SysData::DateTime);
    r.setClock([] { return QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)); });
    r.prepare();

    ds->Last();
    EXPECT_EQ(qty->text(), "     3.0");
    EXPECT_EQ(amt->text(), "     2,000");
    EXPECT_EQ(name->text(), "품목 2");
    EXPECT_TRUE(flag->isChecked());
    EXPECT_EQ(sys->text(), "2026-12-31 23:59:58");

    ds->Edit();
    ds->FieldByName("qty").Clear();
    ds->Post();
    EXPECT_EQ(qty->text(), "");                 // null prints nothing

    auto *bad = b->addDataText("x", QRect(), ds.get(), "nope");
    EXPECT_THROW(bad->text(), DataSetError);    // a form fault is not hidden

    ds->Close();
    EXPECT_EQ(name->text(), "");
    EXPECT_FALSE(flag->isChecked());
}

// Without a clock of its own the report reads the application clock, which
// start-up sets from the server, not the computer's clock.
TEST(Report, PrintingDateFollowsTheApplicationClock)
{
    const qint64 saved = os::ClockOffset();
    os::SetNow(QDateTime(QDate(2031, 5, 6), QTime(7, 8, 9)));
    Report r;
    Band *b = r.addBand(BandType::PageHeader, 20);
    auto *day = new SysData(b, "QRSysData1", QRect(0, 0, 100, 16));
    r.prepare();
    os::SetClockOffset(saved);
    EXPECT_EQ(day->text(), "2031-05-06");
}

// Column of the leftmost and rightmost dark pixel in a strip of the image.
std::pair<int, int> inkSpan(const QImage &img, int top, int bottom)
{
    int lo = img.width(), hi = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                lo = qMin(lo, x);
                hi = qMax(hi, x);
            }
    return {lo, hi};
}

TEST(Report, AlignmentClippingAndShapesAsPainted)
{
    Report r;
    r.setMargins(QMarginsF(0, 0, 0, 0));
    Band *b = r.addBand(BandType::Title, 200);
    b->addLabel("l", QRect(100, 0, 200, 20), "888", Alignment::Left);
    b->addLabel("r", QRect(100, 30, 200, 20), "888", Alignment::Right);
    b->addLabel("c", QRect(100, 60, 200, 20), "888", Alignment::Center);
    b->addLabel("clip", QRect(100, 90, 50, 20), "8888888888888888");
    b->addShape("rule", QRect(100, 120, 200, 2), Shape::HorizontalLine, 2);
    auto *box = b->addShape("box", QRect(100, 140, 50, 30), Shape::Rectangle, 3);
    ASSERT_EQ(r.prepare(), 1);
    (void)box;

    QImage img(400, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    r.paintPage(p, 0);
    p.end();

    const auto left = inkSpan(img, 0, 20);
    const auto right = inkSpan(img, 30, 50);
    const auto centre = inkSpan(img, 60, 80);
    EXPECT_NEAR(left.first, 100, 3);
    EXPECT_NEAR(right.second, 299, 3);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, 200, 3);
    const auto clipped = inkSpan(img, 90, 110);
    EXPECT_GE(clipped.first, 100);
    EXPECT_LE(clipped.second, 150);
    const auto rule = inkSpan(img, 118, 124);
    EXPECT_NEAR(rule.first, 100, 1);
    EXPECT_NEAR(rule.second, 300, 1);
    const auto frame = inkSpan(img, 138, 173);
    EXPECT_NEAR(frame.first, 99, 2);
    EXPECT_NEAR(frame.second, 151, 2);
}

TEST(Report, ColourReferencesAndLandscape)
{
    EXPECT_EQ(ColorFromRef(13500416), QColor(0, 0, 0xCE));
    EXPECT_EQ(ColorFromRef(0x0000FF), QColor(255, 0, 0));
    Report r;
    EXPECT_LT(r.pageSize().width(), r.pageSize().height());
    r.setOrientation(QPageLayout::Landscape);
    EXPECT_NEAR(r.pageSize().width(), 297 / 25.4 * 96, 0.01);
    EXPECT_NEAR(r.bandWidth(), 297 / 25.4 * 96 - 76, 0.01);
}

TEST(Report, PreviewRunsAgainAndGoesToTheSink)
{
    auto ds = makeRows(60);
    ListReport list(ds.get());
    int seenPages = 0;
    const auto old = SetPreviewSink([&](Report &r) { seenPages = r.pageCount(); });
    list.report.preview();
    SetPreviewSink(old);
    EXPECT_EQ(seenPages, 2);
    EXPECT_EQ(list.printed[BandType::Title], 1);
}

TEST(Report, PrintsAPageRangeThroughAPrinter)
{
    auto ds = makeRows(100);
    ListReport list(ds.get());
    list.pageTotal = list.report.prepare();
    ASSERT_EQ(list.pageTotal, 3);
    list.report.prepare();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    list.report.print(printer, 2, 3);
    const QStringList pages = PdfPages(dir.filePath("printed.pdf"));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(HasPageLabel(pages[0], 2, 3)) << pages[0].toStdString();
    EXPECT_TRUE(HasPageLabel(pages[1], 3, 3));
    EXPECT_TRUE(pages[1].contains("품목 100"));
}

TEST(Report, PreviewWindowPagesThrough)
{
    auto ds = makeRows(100);
    ListReport list(ds.get());
    list.report.prepare();
    PreviewDialog dlg(list.report);
    auto *label = dlg.findChild<QLabel *>("lblPage");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "1 / 3");
    EXPECT_FALSE(dlg.findChild<QPushButton *>("btnPrior")->isEnabled());
    dlg.findChild<QPushButton *>("btnNext")->click();
    EXPECT_EQ(label->text(), "2 / 3");
    dlg.findChild<QPushButton *>("btnLast")->click();
    EXPECT_EQ(dlg.currentPage(), 2);
    EXPECT_FALSE(dlg.findChild<QPushButton *>("btnNext")->isEnabled());
    dlg.grab();   // paints the page view without faults
}

} // namespace
