// The document history over a year of one store (2019 at store 9999 of the
// in-process head-office server: 10,000 orders of 5 lines, 3,000 of them
// received by receipts of 5 lines):
//   BM_OrderHeadersRawStatement  the statement the order-header procedure runs
//                                for the year, straight on SQLite, every row
//                                and column read (the floor of the search)
//   BM_SearchToFirstPage         the orders page's search pressed again until
//                                the header grid's first page is painted
//                                (call, answer, rows kept on failure, paint)
//   BM_FirstSearchToFirstPage    the same for the first search of the screen
//   BM_FiveLineDetail            a header touched: its five lines read, summed
//                                and split, and the line grid painted
//   BM_EchoFloor                 one loopback round trip of a minimal echo
//                                (the floor of the touch)
// Goals: the search at most three times its raw statement; the touch near
// the echo floor.
// Run: build/bench/bench_inquiries (QT_QPA_PLATFORM=offscreen is set when unset).

#include "../BenchMain.h"
#include "../LoopbackEcho.h"
#include "Components/MirelComp/MirelGrid.h"
#include "core/MyConfig.h"
#include "core/uKV_DataModule.h"
#include "inquiries/U656_StockDetail.h"
#include "platform/os/ProgramFile.h"
#include "platform/remote/ClientDataSet.h"
#include "support/DemoTerminal.h"
#include "support/TestServer.h"
#include "Dispatcher.h"

#include <QDateEdit>
#include <QTemporaryDir>

#include <SQLiteCpp/Statement.h>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

namespace {

constexpr int Orders = 10000;
constexpr int Receipts = 3000;
constexpr int LinesPerDocument = 5;

TestServer *server = nullptr;
TF656_StockDetail *screen = nullptr;
std::string rawStatement; // the header procedure's statement, values in place

// A year of orders, each with five lines of the demo items, the first 3,000
// received in full by receipts that name their order lines.
const char *kYear = R"SQL(
CREATE TEMP TABLE bench_items AS
  SELECT ROW_NUMBER() OVER (ORDER BY IMITNB) - 1 AS k, IMITNB, IMLDAN, IMPRC2 FROM F0200
  WHERE IMCMCD = '9999' AND IMBUUT = '9999';
CREATE TEMP TABLE bench_orders AS
  WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 9999)
  SELECT i, strftime('%Y%m%d', '2019-01-01', '+' || (i * 365 / 10000) || ' days') AS day,
         CASE i % 3 WHEN 0 THEN '40000001' WHEN 1 THEN '40000002' ELSE '30000001' END AS adnb,
         CASE i % 3 WHEN 0 THEN '3' ELSE '2' END AS txgu
  FROM n;
INSERT INTO F2100 (PHCMCD, PHBUUT, PHMONTH, PHNUMB, PHYEAR, PHDATE, PHADNB, PHNYDT, PHTXGU, PHPOID, PHWORK, PHPGID)
  SELECT '9999', '9999', substr(day, 1, 6), 100000 + i, '2019', day, adnb, day, txgu, '99', '90000001', 'F652_RegOrder'
  FROM bench_orders;
INSERT INTO F2101 (PDCMCD, PDBUUT, PDMONTH, PDNUMB, PDSEQ, PDITNB, PDUNIT, PDQTY, PDUPRC, PDAMT, PDGAMT, PDTAX,
                   PDLDAN, PDMDAN, PDMCAL)
  WITH s(seq) AS (VALUES (1), (2), (3), (4), (5))
  SELECT '9999', '9999', substr(o.day, 1, 6), 100000 + o.i, s.seq, it.IMITNB, it.IMLDAN, s.seq * 2, it.IMPRC2,
         s.seq * 2 * it.IMPRC2, s.seq * 2 * it.IMPRC2, 0, it.IMLDAN, it.IMLDAN, 1
  FROM bench_orders o CROSS JOIN s
  JOIN bench_items it ON it.k = (o.i * 5 + s.seq) % (SELECT COUNT(*) FROM bench_items);
INSERT INTO F3100 (WHCMCD, WHBUUT, WHMONTH, WHNUMB, WHYEAR, WHDATE, WHADNB, WHIBTY, WHBIGO, WHPOID, WHTXGU)
  SELECT '9999', '9999', substr(day, 1, 6), 100000 + i, '2019', day, adnb, '001', '2', '99', txgu
  FROM bench_orders WHERE i < 3000;
INSERT INTO F3101 (WDCMCD, WDBUUT, WDMONTH, WDNUMB, WDSEQ, WDITNB, WDUNIT, WDQTY, WDUPRC, WDAMT, WDLDAN, WDMDAN,
                   WDMCAL, WDBAMONTH, WDBANUMB, WDBASEQ, WDRFMONTH, WDRFNUMB, WDRFSEQ, WDBAQTY)
  SELECT d.PDCMCD, d.PDBUUT, d.PDMONTH, d.PDNUMB, d.PDSEQ, d.PDITNB, d.PDUNIT, d.PDQTY, d.PDUPRC, d.PDAMT,
         d.PDLDAN, d.PDMDAN, d.PDMCAL, d.PDMONTH, d.PDNUMB, d.PDSEQ, d.PDMONTH, d.PDNUMB, d.PDSEQ, d.PDQTY
  FROM F2101 d WHERE d.PDCMCD = '9999' AND d.PDBUUT = '9999' AND d.PDNUMB BETWEEN 100000 AND 102999;
DROP TABLE bench_orders;
DROP TABLE bench_items;
)SQL";

// The search the orders page sends for the year.
wire::Request yearSearch()
{
    wire::Request r;
    r.provider = QStringLiteral("dspStoredProc1");
    r.commandText = QStringLiteral("[GP_SELECT_F2100_POPUPPURCHASE]");
    const std::pair<const char *, const char *> texts[] = {
        {"A_CMCD", "9999"}, {"A_BUUT", "9999"}, {"a_name", ""},        {"a_gubun1", "1"},
        {"a_stdt", "20190101"}, {"a_eddt", "20191231"}, {"a_gubun2", "1"}};
    for (const auto &[name, value] : texts)
        r.params.append({QLatin1String(name), wire::Type::String, QString::fromLatin1(value)});
    return r;
}

// The statement the procedure runs for the year, with its values in place:
// the procedure is run once in-process with a trace on its connection.
std::string captureHeaderStatement()
{
    auto lease = server->store().acquire();
    sqlite3 *db = lease.db().getHandle();
    std::string captured;
    sqlite3_trace_v2(
        db, SQLITE_TRACE_STMT,
        [](unsigned, void *out, void *stmt, void *) -> int {
            char *sql = sqlite3_expanded_sql(static_cast<sqlite3_stmt *>(stmt));
            if (sql && std::string_view(sql).find("FROM F2100 h") != std::string_view::npos)
                *static_cast<std::string *>(out) = sql;
            sqlite3_free(sql);
            return 0;
        },
        &captured);
    const wire::Request request = yearSearch();
    hq::Call call(lease.db(), request);
    server->dispatcher().registry().findByName(QStringLiteral("GP_SELECT_F2100_POPUPPURCHASE"))->run(call);
    sqlite3_trace_v2(db, 0, nullptr, nullptr);
    return captured;
}

void BM_OrderHeadersRawStatement(benchmark::State &state)
{
    auto lease = server->store().acquire();
    SQLite::Statement st(lease.db(), rawStatement);
    qint64 rows = 0;
    for (auto _ : state) {
        st.reset();
        rows = 0;
        while (st.executeStep()) {
            for (int c = 0; c < st.getColumnCount(); ++c) {
                const SQLite::Column col = st.getColumn(c);
                if (col.isText())
                    benchmark::DoNotOptimize(col.getText());
                else
                    benchmark::DoNotOptimize(col.getInt64());
            }
            ++rows;
        }
    }
    if (rows != Orders)
        state.SkipWithError("the year's orders were not all read");
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_OrderHeadersRawStatement)->Unit(benchmark::kMillisecond);

TMirelGrid *grid(const char *name)
{
    return screen->findChild<TMirelGrid *>(QLatin1String(name));
}

void searchAndPaint(benchmark::State &state)
{
    screen->HeaderSearch(TF656_StockDetail::Orders);
    grid("grid_BjStock1")->viewport()->repaint();
    if (screen->Headers(TF656_StockDetail::Orders)->RecordCount() != Orders)
        state.SkipWithError("the year's orders were not all listed");
}

void BM_SearchToFirstPage(benchmark::State &state)
{
    searchAndPaint(state); // the first search is timed on its own below
    for (auto _ : state)
        searchAndPaint(state);
    state.counters["rows"] = Orders;
}
BENCHMARK(BM_SearchToFirstPage)->Unit(benchmark::kMillisecond);

void BM_FirstSearchToFirstPage(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        screen->Headers(TF656_StockDetail::Orders)->Close();
        state.ResumeTiming();
        searchAndPaint(state);
    }
    state.counters["rows"] = Orders;
}
BENCHMARK(BM_FirstSearchToFirstPage)->Unit(benchmark::kMillisecond);

void BM_FiveLineDetail(benchmark::State &state)
{
    ClientDataSet &headers = *screen->Headers(TF656_StockDetail::Orders);
    if (!headers.Active())
        searchAndPaint(state);
    headers.setRecNo(5000);
    for (auto _ : state) {
        screen->HeaderTouch(TF656_StockDetail::Orders);
        grid("grid_RegStoragelist")->viewport()->repaint();
    }
    if (screen->Lines(TF656_StockDetail::Orders)->RecordCount() != LinesPerDocument)
        state.SkipWithError("the touched order has not five lines");
}
BENCHMARK(BM_FiveLineDetail)->Unit(benchmark::kMicrosecond);

void BM_EchoFloor(benchmark::State &state)
{
    static LoopbackEcho echo;
    const std::string body(300, 'x'); // about the line call's request
    for (auto _ : state)
        if (!echo.roundTrip(body))
            state.SkipWithError("echo failed");
}
BENCHMARK(BM_EchoFloor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv, [] {
        static QTemporaryDir dir;
        os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD")));
        server = new TestServer();
        server->start();
        {
            auto lease = server->store().acquire();
            lease.db().exec(kYear);
        }
        rawStatement = captureHeaderStatement();
        MyConfig = DemoTerminalConfig(*server);
        DM = new TDM();
        DM->SDB_Open();
        screen = new TF656_StockDetail();
        screen->show();
        screen->findChild<QDateEdit *>(QStringLiteral("date_BjSearch1"))->setDate(QDate(2019, 1, 1));
        screen->findChild<QDateEdit *>(QStringLiteral("date_BjSearch2"))->setDate(QDate(2019, 12, 31));
    });
}
