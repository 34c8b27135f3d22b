// Time to prepare (lay out and count the pages of) a 1,000-row list report,
// and to prepare and write it as a PDF file. Runs offscreen unless a platform is set.

#include "../BenchMain.h"
#include "platform/dataset/DataSet.h"
#include "platform/report/Report.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace report;

namespace {

std::unique_ptr<DataSet> makeRows(int n)
{
    auto ds = std::make_unique<DataSet>();
    ds->AddField("name", FieldType::String);
    ds->AddField("unit", FieldType::String);
    ds->AddField("qty", FieldType::Float);
    ds->AddField("amt", FieldType::Currency);
    ds->Open();
    QList<QList<QVariant>> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({QStringLiteral("생크림 케이크 %1호").arg(i), "EA", i * 1.25,
                     QVariant::fromValue(Currency(i * 1500))});
    ds->LoadRows(ds->FieldDefs(), std::move(rows));
    return ds;
}

// A landscape list with page header, column header, 8 cells per row and footer.
std::unique_ptr<Report> makeReport(DataSet *ds)
{
    auto r = std::make_unique<Report>();
    r->setDataSet(ds);
    r->setOrientation(QPageLayout::Landscape);
    r->setMargins(QMarginsF(15, 30, 15, 30));
    Band *header = r->addBand(BandType::PageHeader, 61);
    Label *title = header->addLabel("QRLabel1", QRect(0, 4, int(r->bandWidth()), 28), "생산 일보",
                                    Alignment::Center);
    title->font().pixelSize = 20;
    title->font().bold = true;
    Label *page = header->addLabel("page", QRect(int(r->bandWidth()) - 230, 38, 230, 16));
    Report *rp = r.get();
    header->setBeforePrint([rp, page](Band &, bool &) {
        page->setCaption(QStringLiteral("Page  : %1/%2").arg(rp->pageNumber()).arg(rp->pageCount()));
    });
    Band *columns = r->addBand(BandType::ColumnHeader, 24);
    columns->frame().top = columns->frame().bottom = true;
    Band *detail = r->addBand(BandType::Detail, 20);
    detail->frame().bottom = true;
    const char *fields[] = {"name", "unit", "qty", "amt", "name", "unit", "qty", "amt"};
    for (int i = 0; i < 8; ++i) {
        const bool number = i % 4 >= 2;
        columns->addLabel(QStringLiteral("H%1").arg(i, 2, 10, QLatin1Char('0')),
                          QRect(i * 130, 5, 130, 14), QStringLiteral("열 %1").arg(i),
                          number ? Alignment::Right : Alignment::Left);
        detail->addDataText(QStringLiteral("D%1").arg(i, 2, 10, QLatin1Char('0')),
                            QRect(i * 130, 3, 130, 14), ds, fields[i],
                            number ? QStringLiteral("%10.2n") : QString(),
                            number ? Alignment::Right : Alignment::Left);
    }
    Band *footer = r->addBand(BandType::PageFooter, 26);
    footer->frame().top = true;
    footer->addLabel("PF_NAME", QRect(int(r->bandWidth()) - 400, 6, 400, 16), "한빛 베이커리 본점",
                     Alignment::Right);
    return r;
}

void BM_PrepareList1000(benchmark::State &state)
{
    auto ds = makeRows(1000);
    auto r = makeReport(ds.get());
    int pages = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(pages = r->prepare());
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrepareList1000)->Unit(benchmark::kMillisecond);

void BM_PrepareAndRenderPdf1000(benchmark::State &state)
{
    auto ds = makeRows(1000);
    auto r = makeReport(ds.get());
    QTemporaryDir dir;
    const QString file = dir.filePath("list.pdf");
    qint64 bytes = 0;
    for (auto _ : state) {
        r->prepare();
        r->exportPdf(file);
        bytes = QFile(file).size();
    }
    state.counters["pages"] = r->pageCount();
    state.counters["pdf_kB"] = double(bytes) / 1024;
}
BENCHMARK(BM_PrepareAndRenderPdf1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv);
}
