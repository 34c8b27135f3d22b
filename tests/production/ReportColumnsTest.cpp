#include "TestApp.h"

#include "core/MyConfig.h"
#include "core/uKV_Common_Msg.h"
#include "platform/dataset/DataSet.h"
#include "production/ReportColumns.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using report::Alignment;
using report::Label;

namespace {

// The daily-totals list: seven columns, the first four of text.
const ReportColumnTable DailyTable{
    {100, 80, 50, 130, 130, 130, 130},
    {"사업단위", "날짜", "요일", "품명", "수량", "생산금액", "소매금액"},
    {},
    {0, 1, 2, 3},
};

std::unique_ptr<DataSet> makeResult(int rows)
{
    auto ds = std::make_unique<DataSet>();
    ds->AddField("buut_name", FieldType::String);
    ds->AddField("nalja", FieldType::DateTime);
    ds->AddField("yoil", FieldType::String);
    ds->AddField("itnb_name", FieldType::String);
    ds->AddField("qty", FieldType::Float);
    ds->AddField("amt", FieldType::Currency);
    ds->Open();
    QList<QList<QVariant>> data;
    for (int i = 1; i <= rows; ++i)
        data.append({"본점", QDateTime(QDate(2026, 3, 1).addDays(i % 28), QTime()), "월",
                     QStringLiteral("단팥빵 %1").arg(i), 1234.5 * i,
                     QVariant::fromValue(Currency(i * 15000))});
    ds->LoadRows(ds->FieldDefs(), std::move(data));
    return ds;
}

std::unique_ptr<TablePrintForm> makeDailyForm(DataSet *result)
{
    TableFormLayout layout;
    layout.kind = "TF30_TESTDAILYSUM";
    layout.title = "일별 생산 집계";
    layout.orientation = QPageLayout::Portrait;
    auto form = std::make_unique<TablePrintForm>(DailyTable, layout, result);
    form->setClock([] { return QDateTime(QDate(2026, 3, 31), QTime(9, 30)); });
    form->setPeriodText("기간 : 2026-03-01 ~ 2026-03-31");
    form->setFillDetail([](TablePrintForm &f, DataSet &row) {
        const char *fields[] = {"buut_name", "nalja", "yoil", "itnb_name", "qty", "amt", "amt"};
        const char *formats[] = {"", "", "", "", "%10.2n", "%10.0n", "%10.0n"};
        for (int i = 0; i < 7; ++i)
            f.cell(u'D', 0, i)->setCaption(report::FieldText(row, fields[i], formats[i]));
    });
    // Design-time centring of the headings, which the layout overrides.
    for (int i = 0; i < 7; ++i)
        form->cell(u'H', 0, i)->setAlignment(Alignment::Center);
    return form;
}

TEST(ReportColumns, CellsTakeEdgesWidthsAlignmentAndCaptions)
{
    auto result = makeResult(3);
    auto form = makeDailyForm(result.get());
    form->prepare();
    struct Expect { int left; int width; Alignment align; };
    const Expect expect[] = {
        {0, 100, Alignment::Left},  {100, 80, Alignment::Left},  {180, 50, Alignment::Left},
        {230, 130, Alignment::Left}, {360, 130, Alignment::Right}, {490, 130, Alignment::Right},
        {620, 130, Alignment::Right},
    };
    for (int i = 0; i < 7; ++i) {
        for (QChar letter : {u'H', u'D'}) {
            const Label *cell = form->cell(letter, 0, i);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->left(), expect[i].left) << cell->objectName().toStdString();
            EXPECT_EQ(cell->width(), expect[i].width) << cell->objectName().toStdString();
            EXPECT_EQ(cell->alignment(), expect[i].align) << cell->objectName().toStdString();
        }
        EXPECT_EQ(form->cell(u'H', 0, i)->caption(), DailyTable.heading1[i]);
    }
}

TEST(ReportColumns, PassesTouchOnlyLabelsInTheirRange)
{
    report::Report form;
    report::Band *band = form.addBand(report::BandType::Detail, 20);
    const QRect r(7, 0, 9, 10);
    for (const char *name : {"D01", "X00", "D0", "D03", "D02x", "H01", "D030", "D02"})
        band->addLabel(name, r, "old", Alignment::Center);
    band->addDataText("D00", r, nullptr, "f");
    const ReportColumnTable table{{10, 20, 30, 40}, {"a", "b", "c", "d"}, {}, {1}, 5};

    LayoutReportColumns(form, table, "D00", "D03", 0);
    const auto cell = [&](const char *n) { return form.label(n); };
    EXPECT_EQ(cell("D01")->left(), 15);
    EXPECT_EQ(cell("D01")->alignment(), Alignment::Left);
    EXPECT_EQ(cell("D01")->caption(), "b");
    EXPECT_EQ(cell("D02")->left(), 35);   // from the widths alone, whatever the visiting order
    EXPECT_EQ(cell("D03")->left(), 65);
    EXPECT_EQ(cell("D03")->width(), 40);
    EXPECT_EQ(cell("D03")->alignment(), Alignment::Right);
    for (const char *untouched : {"X00", "D0", "D02x", "H01", "D030"}) {
        EXPECT_EQ(cell(untouched)->left(), 7) << untouched;
        EXPECT_EQ(cell(untouched)->caption(), "old") << untouched;
    }
    EXPECT_EQ(form.component("D00")->left(), 7);   // a data text is no label

    // A detail pass leaves the captions alone.
    cell("D01")->setCaption("value");
    LayoutReportColumns(form, table, "D00", "D03");
    EXPECT_EQ(cell("D01")->caption(), "value");

    band->addLabel("D07", r);
    EXPECT_THROW(LayoutReportColumns(form, table, "D00", "D09"), std::logic_error);
}

TEST(ReportColumns, TwoRowFormLaysEachRow)
{
    const ReportColumnTable table{{50, 55, 75, 70, 70},
                                  {"사업단위", "대분류명", "품명", "총생산수량", "1월생산수량"},
                                  {"", "", "", "총생산금액", "1월생산금액"},
                                  {0, 1, 2}};
    TableFormLayout layout;
    layout.kind = "TF30_TESTTWOROW";
    layout.rows = 2;
    layout.columnHeaderHeight = 43;
    layout.headingTops = {6, 19};
    layout.detailHeight = 36;
    layout.detailTops = {4, 17};
    auto result = makeResult(1);
    TablePrintForm form(table, layout, result.get());
    form.prepare();
    EXPECT_EQ(form.cell(u'H', 1, 3)->objectName(), "H103");
    EXPECT_EQ(form.cell(u'H', 1, 3)->caption(), "총생산금액");
    EXPECT_EQ(form.cell(u'H', 0, 4)->caption(), "1월생산수량");
    EXPECT_EQ(form.cell(u'H', 1, 0)->caption(), "");
    EXPECT_EQ(form.cell(u'D', 1, 4)->left(), 250);
    EXPECT_EQ(form.cell(u'D', 1, 4)->top(), 17);
    EXPECT_EQ(form.cell(u'D', 1, 2)->alignment(), Alignment::Left);
    EXPECT_EQ(form.cell(u'H', 1, 3)->alignment(), Alignment::Right);
}

struct Notice
{
    QString text;
    int kind;
    int stay;
};

class PreviewReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldBox = SetMessageBoxHandler([this](const QString &t, int k, int s) {
            notices.push_back({t, k, s});
            return 0;
        });
        m_oldSink = report::SetPreviewSink([this](report::Report &r) {
            const QString file = dir.filePath(QStringLiteral("print%1.pdf").arg(++printCount));
            r.exportPdf(file);
            pages = PdfPages(file);
        });
        MyConfig.StoreName = "한빛 베이커리 역삼점";
    }
    void TearDown() override
    {
        SetMessageBoxHandler(m_oldBox);
        report::SetPreviewSink(m_oldSink);
    }

    QTemporaryDir dir;
    std::vector<Notice> notices;
    QStringList pages;
    int printCount = 0;

private:
    MessageBoxHandler m_oldBox;
    report::PreviewSink m_oldSink;
};

TEST_F(PreviewReportTest, NoDataGivesTheNoticeAndCreatesNoForm)
{
    const QString text = "미리보기나 인쇄할 데이타가 존재하지 않읍니다.";
    auto closed = makeResult(2);
    closed->Close();
    auto empty = makeResult(0);
    for (DataSet *ds : {closed.get(), empty.get(), static_cast<DataSet *>(nullptr)}) {
        int created = 0;
        PreviewReport(ds, [&] { ++created; return makeDailyForm(ds); }, text);
        EXPECT_EQ(created, 0);
    }
    ASSERT_EQ(notices.size(), 3u);
    for (const Notice &n : notices) {
        EXPECT_EQ(n.text, text);
        EXPECT_EQ(n.kind, 2);
        EXPECT_EQ(n.stay, 2000);
    }
    EXPECT_EQ(printCount, 0);
}

TEST_F(PreviewReportTest, TwoPagesShowTheirNumberTheTotalAndTheStore)
{
    auto result = makeResult(60);
    result->Last();
    PreviewReport(result.get(), [&] { return makeDailyForm(result.get()); }, "없음");
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(ReportPageTotal("TF30_TESTDAILYSUM"), 2);
    ASSERT_EQ(pages.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QString &page = pages[i];
        EXPECT_TRUE(HasPageLabel(page, i + 1, 2)) << page.toStdString();
        EXPECT_TRUE(page.contains("한빛 베이커리 역삼점"));
        EXPECT_TRUE(page.contains("일별 생산 집계"));
        EXPECT_TRUE(page.contains("발행일:"));
        EXPECT_TRUE(page.contains("2026-03-31"));
        EXPECT_TRUE(page.contains("기간 : 2026-03-01 ~ 2026-03-31"));
        EXPECT_TRUE(page.contains("생산금액"));
    }
    // The rows from the first, formatted, none twice.
    const QString all = pages.join("");
    EXPECT_TRUE(pages[0].contains("단팥빵 1 "));
    EXPECT_TRUE(pages[1].contains("단팥빵 60"));
    EXPECT_EQ(all.count("단팥빵 1 "), 1);
    EXPECT_TRUE(all.contains("74,070.00"));   // 60 x 1234.5
    EXPECT_TRUE(all.contains("900,000"));

    // A later, shorter print shows its own total in the preview.
    auto shorter = makeResult(5);
    PreviewReport(shorter.get(), [&] { return makeDailyForm(shorter.get()); }, "없음");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(HasPageLabel(pages[0], 1, 1));
    EXPECT_EQ(ReportPageTotal("TF30_TESTDAILYSUM"), 1);
}

} // namespace
