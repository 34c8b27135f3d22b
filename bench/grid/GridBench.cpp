// The data grid over a 10,000-row data set, as the list screens use it:
//   show: a new grid bound to the open data set, shown and painted once
//   page through: First, then MoveBy(27) to the end, each page painted
//     (370 pages), next to a plain table view over the same model that is
//     scrolled and painted the same way
// Run: build/bench/bench_grid (QT_QPA_PLATFORM=offscreen is set when unset).

#include "../BenchMain.h"
#include "Components/MirelComp/MirelFonts.h"
#include "Components/MirelComp/MirelGrid.h"
#include "platform/dataset/DataSetModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

constexpr int Rows = 10000;
constexpr int Page = 27;

const QStringList kNames{"가지", "깨", "나물", "다시마", "라면", "마늘", "바나나", "사과", "아욱", "자두"};

DataSet &table()
{
    static DataSet *ds = [] {
        auto *d = new DataSet;
        d->AddField("IMITNB", FieldType::String, 10);
        d->AddField("IMNAME", FieldType::String, 40);
        d->AddField("ADQTY", FieldType::Float);
        d->AddField("ADAMT", FieldType::Currency);
        d->FieldByName("ADAMT").setDisplayFormat(",0");
        QList<QList<QVariant>> rows;
        rows.reserve(Rows);
        for (int r = 0; r < Rows; ++r)
            rows.append({QString::asprintf("%08d", r), kNames[r % kNames.size()] + QString::number(r),
                         double(r % 50) + 0.5, QVariant::fromValue(Currency::fromDouble(1250.0 * (r % 13)))});
        d->LoadRows(d->FieldDefs(), std::move(rows));
        d->Open();
        return d;
    }();
    return *ds;
}

QFont bodyFont()
{
    return mirel::makeFont(QString::fromUtf8("굴림"), -16, true);
}

// A list grid as the screens lay it out: 868, four columns, 27 rows a page.
std::unique_ptr<TMirelGrid> makeGrid(DataSet &ds)
{
    auto grid = std::make_unique<TMirelGrid>();
    grid->setFont(bodyFont());
    grid->setTitleFont(mirel::makeFont(QString::fromUtf8("돋움체"), -15, true));
    grid->setOptions(868);
    grid->setScrollBars(0);
    grid->setBorderStyle(0);
    grid->setColorSelectedCell(15594229);
    grid->setColorSelectedFont(57);
    grid->setColorLines(12698049);
    grid->setFixedColor(15658734);
    const struct { const char *field, *title; int width; } cols[] = {
        {"IMITNB", "품번", 90}, {"IMNAME", "품명", 250}, {"ADQTY", "수량", 80}, {"ADAMT", "금액", 110}};
    for (const auto &c : cols) {
        TColumn *col = grid->Columns().Add();
        col->setFieldName(c.field);
        col->Title()->setCaption(QString::fromUtf8(c.title));
        col->setWidth(c.width);
    }
    grid->setDataSource(&ds);
    grid->resize(540, grid->TitlePitch() + Page * grid->RowPitch());
    return grid;
}

void paint(QAbstractItemView &view)
{
    view.viewport()->repaint();
}

void BM_GridShow(benchmark::State &state)
{
    DataSet &ds = table();
    ds.First();
    for (auto _ : state) {
        auto grid = makeGrid(ds);
        grid->show();
        grid->repaint();
        grid->viewport()->repaint();
        benchmark::DoNotOptimize(grid->VisibleRowCount());
    }
}
BENCHMARK(BM_GridShow)->Unit(benchmark::kMillisecond);

void BM_GridPageThrough(benchmark::State &state)
{
    DataSet &ds = table();
    ds.First();
    auto grid = makeGrid(ds);
    grid->show();
    QApplication::processEvents();
    if (grid->VisibleRowCount() != Page)
        state.SkipWithError("the grid does not show 27 rows");
    int pages = 0;
    for (auto _ : state) {
        ds.First();
        paint(*grid);
        while (!ds.Eof()) {
            ds.MoveBy(Page);
            paint(*grid);
            ++pages;
        }
    }
    state.SetItemsProcessed(pages);
    state.counters["pages"] = benchmark::Counter(double(pages) / double(state.iterations()));
}
BENCHMARK(BM_GridPageThrough)->Unit(benchmark::kMillisecond);

// The same paging on a plain table view over the bare data-set model.
void BM_PlainViewPageThrough(benchmark::State &state)
{
    DataSet &ds = table();
    ds.First();
    DataSetModel model(&ds);
    QTableView view;
    view.setModel(&model);
    view.setFont(bodyFont());
    view.verticalHeader()->setMinimumSectionSize(0);
    view.verticalHeader()->setDefaultSectionSize(QFontMetrics(bodyFont()).height() + 5);
    view.verticalHeader()->hide();
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.resize(540, view.horizontalHeader()->sizeHint().height() + Page * view.rowHeight(0));
    view.show();
    QApplication::processEvents();
    int pages = 0;
    for (auto _ : state) {
        ds.First();
        view.scrollTo(model.index(ds.currentRow(), 0));
        paint(view);
        while (!ds.Eof()) {
            ds.MoveBy(Page);
            view.scrollTo(model.index(ds.currentRow(), 0));
            paint(view);
            ++pages;
        }
    }
    state.SetItemsProcessed(pages);
}
BENCHMARK(BM_PlainViewPageThrough)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv, mirel::installFontSubstitutions);
}
