// Data set operations next to the hand-written code they compete with.
//   filter (3 clauses, 10,000 rows)   vs  a loop comparing the same fields
//   Locate on two fields              vs  a loop comparing the same fields
//   Append 10,000 rows of 20 fields   vs  filling a vector of rows by hand
//   model reset of 10,000 rows        vs  a bare table model, both under a table view
// Run: build/bench/bench_dataset (QT_QPA_PLATFORM=offscreen is set when unset).

#include "../BenchMain.h"
#include "platform/dataset/DataSetModel.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int Rows = 10000;

const QStringList kTypes{"1", "2", "3", "5", "6"};
const QStringList kNames{"가지", "깨", "나물", "다시마", "라면", "마늘", "바나나", "사과", "아욱", "자두"};

QList<FieldDef> twentyFields()
{
    QList<FieldDef> defs;
    for (int i = 0; i < 8; ++i)
        defs.append({QStringLiteral("S%1").arg(i), FieldType::String, 50});
    for (int i = 0; i < 4; ++i)
        defs.append({QStringLiteral("I%1").arg(i), FieldType::Integer, 0});
    for (int i = 0; i < 3; ++i)
        defs.append({QStringLiteral("F%1").arg(i), FieldType::Float, 0});
    for (int i = 0; i < 3; ++i)
        defs.append({QStringLiteral("C%1").arg(i), FieldType::Currency, 0});
    defs.append({QStringLiteral("B0"), FieldType::Boolean, 0});
    defs.append({QStringLiteral("D0"), FieldType::DateTime, 0});
    return defs;
}

// Row r of the test table, in stored form. S0 = item type, S1 = name, I0 = group.
QList<QVariant> rowValues(int r)
{
    static const QDateTime base(QDate(2026, 1, 1), QTime(9, 0));
    QList<QVariant> v;
    v.reserve(20);
    v << kTypes[r % kTypes.size()] << kNames[(r / 3) % kNames.size()] + QString::number(r);
    for (int i = 2; i < 8; ++i)
        v << QStringLiteral("TEXT%1-%2").arg(i).arg(r);
    v << r % 4 << r << r * 7 << r % 100;
    v << r * 0.5 << r * 1.25 << 3.0;
    v << QVariant::fromValue(Currency(r)) << QVariant::fromValue(Currency::fromRaw(r * 15))
      << QVariant::fromValue(Currency(1));
    v << (r % 2 == 0) << base.addSecs(r * 60);
    return v;
}

std::vector<QList<QVariant>> plainRows()
{
    std::vector<QList<QVariant>> rows;
    rows.reserve(Rows);
    for (int r = 0; r < Rows; ++r)
        rows.push_back(rowValues(r));
    return rows;
}

void loadTable(DataSet &ds)
{
    QList<QList<QVariant>> rows;
    rows.reserve(Rows);
    for (int r = 0; r < Rows; ++r)
        rows.append(rowValues(r));
    ds.LoadRows(twentyFields(), std::move(rows));
    ds.Open();
}

const QString kFilterA = QStringLiteral("S0 = '1' and I0 = 2 and S1 >= '나'");
const QString kFilterB = QStringLiteral("S0 = '5' and I0 = 0 and S1 >= '사'");

// ---- filter -----------------------------------------------------------------

void BM_Filter_ThreeClauses(benchmark::State &state)
{
    DataSet ds;
    loadTable(ds);
    ds.setFilter(kFilterA);
    ds.setFiltered(true);
    bool a = false;
    for (auto _ : state) {
        ds.setFilter(a ? kFilterA : kFilterB); // parse, bind, evaluate 10,000 rows
        a = !a;
        benchmark::DoNotOptimize(ds.RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Filter_ThreeClauses)->Unit(benchmark::kMicrosecond);

void BM_Filter_HandLoop(benchmark::State &state)
{
    const auto rows = plainRows();
    std::vector<int> view;
    bool a = false;
    for (auto _ : state) {
        const QString type = a ? QStringLiteral("1") : QStringLiteral("5");
        const int group = a ? 2 : 0;
        const QString from = a ? QStringLiteral("나") : QStringLiteral("사");
        a = !a;
        view.clear();
        for (int r = 0; r < int(rows.size()); ++r) {
            const QList<QVariant> &v = rows[size_t(r)];
            if (v[0].toString() == type && v[8].toInt() == group && v[1].toString() >= from)
                view.push_back(r);
        }
        benchmark::DoNotOptimize(view.size());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Filter_HandLoop)->Unit(benchmark::kMicrosecond);

// ---- Locate -----------------------------------------------------------------

void BM_Locate_TwoFields(benchmark::State &state)
{
    DataSet ds;
    loadTable(ds);
    const int target = Rows - 10; // near the end: the search walks almost everything
    const QVariantList key{rowValues(target)[0], target};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ds.Locate(QStringLiteral("S0;I1"), key));
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Locate_TwoFields)->Unit(benchmark::kMicrosecond);

void BM_Locate_HandLoop(benchmark::State &state)
{
    const auto rows = plainRows();
    const int target = Rows - 10;
    const QString type = rowValues(target)[0].toString();
    for (auto _ : state) {
        int found = -1;
        for (int r = 0; r < int(rows.size()); ++r) {
            const QList<QVariant> &v = rows[size_t(r)];
            if (v[0].toString() == type && v[9].toInt() == target) {
                found = r;
                break;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Locate_HandLoop)->Unit(benchmark::kMicrosecond);

// ---- appending --------------------------------------------------------------

void BM_Append_10000x20(benchmark::State &state)
{
    const auto rows = plainRows();
    for (auto _ : state) {
        DataSet ds;
        ds.AddFields(twentyFields());
        ds.Open();
        std::vector<Field *> fields;
        for (int f = 0; f < ds.FieldCount(); ++f)
            fields.push_back(&ds.Fields(f));
        for (const QList<QVariant> &v : rows) {
            ds.Append();
            for (int f = 0; f < 20; ++f)
                fields[size_t(f)]->setAsVariant(v[f]);
            ds.Post();
        }
        benchmark::DoNotOptimize(ds.RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Append_10000x20)->Unit(benchmark::kMillisecond);

void BM_Append_FieldByName_10000x20(benchmark::State &state)
{
    // As the screens write it: FieldByName(...).setAsX per value.
    const auto rows = plainRows();
    const QList<FieldDef> defs = twentyFields();
    for (auto _ : state) {
        DataSet ds;
        ds.AddFields(defs);
        ds.Open();
        for (const QList<QVariant> &v : rows) {
            ds.Append();
            for (int f = 0; f < 20; ++f)
                ds.FieldByName(defs[f].name).setAsVariant(v[f]);
            ds.Post();
        }
        benchmark::DoNotOptimize(ds.RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Append_FieldByName_10000x20)->Unit(benchmark::kMillisecond);

void BM_LoadRows_10000x20(benchmark::State &state)
{
    const auto rows = plainRows();
    for (auto _ : state) {
        state.PauseTiming();
        QList<QList<QVariant>> copy(rows.begin(), rows.end());
        for (auto &row : copy)
            row.detach();
        state.ResumeTiming();
        DataSet ds;
        ds.LoadRows(twentyFields(), std::move(copy));
        ds.Open();
        benchmark::DoNotOptimize(ds.RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_LoadRows_10000x20)->Unit(benchmark::kMillisecond);

void BM_Append_HandVector(benchmark::State &state)
{
    const auto rows = plainRows();
    for (auto _ : state) {
        std::vector<QList<QVariant>> table;
        for (const QList<QVariant> &v : rows) {
            QList<QVariant> row(20);
            for (int f = 0; f < 20; ++f)
                row[f] = v[f];
            table.push_back(std::move(row));
        }
        benchmark::DoNotOptimize(table.size());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_Append_HandVector)->Unit(benchmark::kMillisecond);

// ---- model reset --------------------------------------------------------------

// The floor: a table model over plain rows of texts.
class PlainModel : public QAbstractTableModel {
public:
    std::vector<QStringList> rows;
    int rowCount(const QModelIndex &p = {}) const override { return p.isValid() ? 0 : int(rows.size()); }
    int columnCount(const QModelIndex &p = {}) const override { return p.isValid() ? 0 : 20; }
    QVariant data(const QModelIndex &i, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return rows[size_t(i.row())][i.column()];
    }
    void reset()
    {
        beginResetModel();
        endResetModel();
    }
};

void prepareView(QTableView &view)
{
    view.resize(1024, 768);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(24);
    view.show();
    QApplication::processEvents();
}

void BM_ModelReset_DataSetModel(benchmark::State &state)
{
    DataSet ds;
    loadTable(ds);
    ds.FieldByName(QStringLiteral("C0")).setDisplayFormat(QStringLiteral(",0;-,0"));
    DataSetModel model(&ds);
    QTableView view;
    view.setModel(&model);
    prepareView(view);
    for (auto _ : state) {
        ds.DisableControls();
        ds.EnableControls();            // one reset
        view.viewport()->repaint();     // the visible page is read again
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_ModelReset_DataSetModel)->Unit(benchmark::kMicrosecond);

void BM_ModelReset_PlainModel(benchmark::State &state)
{
    PlainModel model;
    for (int r = 0; r < Rows; ++r) {
        QStringList texts;
        for (const QVariant &v : rowValues(r))
            texts << v.toString();
        model.rows.push_back(texts);
    }
    QTableView view;
    view.setModel(&model);
    prepareView(view);
    for (auto _ : state) {
        model.reset();
        view.viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(BM_ModelReset_PlainModel)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv);
}
