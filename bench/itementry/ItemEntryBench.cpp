// A page change of the item-entry screen's item pad over a 10,000-item cache
// (filter of the cache, 23 locates by position, relabel of 25 buttons), next
// to the cache's filter alone.
// Run: build/bench/bench_itementry (QT_QPA_PLATFORM=offscreen is set when unset).

#include "../BenchMain.h"
#include "core/uKV_DataModule.h"
#include "documents/ItemEntryScreen.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/ProgramFile.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Items = 10000;

class BenchEntry : public TItemEntryScreen {
public:
    BenchEntry() : TItemEntryScreen(501305) {}
    int DocumentKind() const override { return 13; }
    QString FormName() const override { return QStringLiteral("F_Bench"); }
    void SaveSteps(qint64, const QString &, const QDate &) override {}
    QList<SlipLine> ReadSavedEntry(const QString &, const QDateTime &) override { return {}; }
    QString SlipTitle() const override { return {}; }
    QString SlipTimeLabel() const override { return {}; }
    QString NoEntryNotice() const override { return {}; }
};

BenchEntry *screen = nullptr;

void fillCache()
{
    DataSet &cache = *DM->vtb_SCITM;
    if (!cache.Active())
        cache.Open();
    cache.EmptyTable();
    for (int i = 1; i <= Items; ++i) {
        cache.Append();
        cache.FieldByName(QStringLiteral("IMITNB")).setAsString(QString::asprintf("%06d", i));
        cache.FieldByName(QStringLiteral("IMITTY")).setAsString(QStringLiteral("1"));
        cache.FieldByName(QStringLiteral("IMNAME")).setAsString(QStringLiteral("품목%1").arg(i));
        cache.FieldByName(QStringLiteral("IMPGKI")).setAsString(QStringLiteral("01"));
        cache.FieldByName(QStringLiteral("IMPMKI")).setAsString(QStringLiteral("01"));
        cache.FieldByName(QStringLiteral("IMMDAN")).setAsString(QStringLiteral("BOX"));
        cache.FieldByName(QStringLiteral("IMLDAN")).setAsString(QStringLiteral("EA"));
        cache.FieldByName(QStringLiteral("IMMCAL")).setAsInteger(10);
        cache.FieldByName(QStringLiteral("IMSEQ2")).setAsInteger(i);
        cache.Post();
    }
}

void BM_ItemPageChange(benchmark::State &state)
{
    screen->CodeA = QStringLiteral("01");
    screen->CodeB = QStringLiteral("01");
    int page = 0;
    for (auto _ : state) {
        screen->PageItems = page;
        benchmark::DoNotOptimize(screen->StockItemsBtn());
        page = (page + 1) % 400;
    }
}
BENCHMARK(BM_ItemPageChange)->Unit(benchmark::kMicrosecond);

void BM_CacheFilterAlone(benchmark::State &state)
{
    DataSet &cache = *DM->vtb_SCITM;
    QString positionField;
    const QString filter = ItemFilter(0, QStringLiteral("01"), QStringLiteral("01"), &positionField);
    for (auto _ : state) {
        cache.setFiltered(false);
        cache.setFilter(filter);
        cache.setFiltered(true);
        benchmark::DoNotOptimize(cache.RecordCount());
    }
}
BENCHMARK(BM_CacheFilterAlone)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv, [] {
        os::SetProgramFilePath(QStringLiteral(RALD_BIN_DIR "/KV_RALD"));
        DM = new TDM();
        fillCache();
        screen = new BenchEntry();
        screen->show();
    });
}
