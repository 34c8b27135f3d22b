// The production reports over a year of productions (2019 at store 9999 of
// the in-process head-office server: 40 items made every day on each of
// three production lines, one production per line and day, 43,800 lines):
//   BM_DailyReportMonth     the daily report of one month (3,720 rows)
//   BM_DailyReportYear      the daily report of the year (43,800 rows)
//   BM_DailyTotalsYear      the daily totals of line 001 for the year (14,600 rows)
//   BM_ItemTotalsYear       the totals by item and month of line 001 (40 rows)
//   BM_DailyTotalsPlainSum  the daily totals' grouping straight on SQLite with
//                           plain double amounts, every row read (the floor:
//                           what the exact amounts cost on top of it)
// Each procedure runs through the dispatcher as a terminal's call does, up to
// its answer (no HTTP).
// Run: build/bench/bench_productionreports (QT_QPA_PLATFORM=offscreen is set when unset).

#include "../BenchMain.h"
#include "platform/os/ProgramFile.h"
#include "support/TestServer.h"
#include "Dispatcher.h"

#include <QTemporaryDir>

#include <SQLiteCpp/Statement.h>
#include <benchmark/benchmark.h>

namespace {

constexpr int Items = 40;
constexpr int Lines = 3;
constexpr int Days = 365;

TestServer *server = nullptr;

// Forty products copied from the demo's first product under codes 7000xx,
// prices varying, and one production per line and day of 2019 making each of
// them in quantities with one decimal.
const char *kYear = R"SQL(
CREATE TEMP TABLE bench_k AS
  WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 39) SELECT i FROM n;
INSERT INTO F0200 (IMCMCD, IMBUUT, IMITNB, IMITTY, IMBAR, IMNAME, IMSNAM, IMPGKI, IMPMKI, IMSDKI, IMSJKI, IMPRC1,
                   IMPRC2, IMBDAN, IMMDAN, IMLDAN, IMMCAL, IMEDAN, IMTXGU, IMBDFL, IMSDFL, IMSORT, IMJEGO)
  SELECT '9999', '9999', printf('7%05d', i), '1', '', '벤치빵' || i, '벤치빵' || i, '101', '001', '201', '002',
         1500 + i * 100, 700 + i * 50, 'EA', 'BOX', 'EA', 10, 'EA', '1', 1, 1, 100 + i, 0
  FROM bench_k;
CREATE TEMP TABLE bench_p AS
  WITH RECURSIVE d(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM d WHERE j < 364),
       l(linb, k) AS (VALUES ('001', 0), ('002', 1), ('003', 2))
  SELECT strftime('%Y%m%d', '2019-01-01', '+' || j || ' days') AS day, linb, 1000 + j * 3 + k AS numb FROM d, l;
INSERT INTO F3300 (RHCMCD, RHBUUT, RHMONTH, RHNUMB, RHYEAR, RHDATE, RHLINB, RHWORK, RHPGID)
  SELECT '9999', '9999', substr(day, 1, 6), numb, '2019', day, linb, '90000001', 'F1003_Produce' FROM bench_p;
INSERT INTO F3301 (RDCMCD, RDBUUT, RDMONTH, RDNUMB, RDSEQ, RDITNB, RDLINB, RDUNIT, RDQTY, RDLDAN, RDMDAN, RDMCAL,
                   RDLQTY, RDWPRC, RDBPRC, RDWORK, RDPGID)
  SELECT '9999', '9999', substr(p.day, 1, 6), p.numb, k.i + 1, printf('7%05d', k.i), p.linb, 'EA',
         1 + ((p.numb + k.i) % 50) / 10.0, 'EA', 'BOX', 10, 0, 1234.5, 100, '90000001', 'F1003_Produce'
  FROM bench_p p CROSS JOIN bench_k k;
DROP TABLE bench_p;
DROP TABLE bench_k;
)SQL";

wire::Request request(const char *procedure, std::initializer_list<std::pair<const char *, const char *>> texts)
{
    wire::Request r;
    r.provider = QStringLiteral("dspStoredProc1");
    r.commandText = QStringLiteral("[%1]").arg(QLatin1String(procedure));
    for (const auto &[name, value] : texts)
        r.params.append({QLatin1String(name), wire::Type::String, QString::fromUtf8(value)});
    return r;
}

void run(benchmark::State &state, const wire::Request &r, int rows)
{
    qsizetype got = 0;
    for (auto _ : state) {
        const wire::Answer a = server->dispatcher().handle(r);
        if (a.isError()) {
            state.SkipWithError(a.error.toStdString().c_str());
            return;
        }
        got = a.rows.size();
    }
    if (got < rows)
        state.SkipWithError("the answer lacks rows");
    state.counters["rows"] = double(got);
}

wire::Request dailyReport(const char *from, const char *to)
{
    return request("GP_SELECT_F3301_PRODUCTINQUIRY",
                   {{"A_CMCD", "9999"}, {"A_BUUT", "9999"}, {"A_stdt", from}, {"A_eddt", to}, {"A_gkid", ""},
                    {"A_mkid", ""}, {"A_jname", ""}, {"A_st_han", ""}, {"A_ed_han", "zzzzzzzzzz"}, {"A_gubun", "1"}});
}

void BM_DailyReportMonth(benchmark::State &state)
{
    run(state, dailyReport("20190301", "20190331"), 31 * Lines * Items);
}
BENCHMARK(BM_DailyReportMonth)->Unit(benchmark::kMillisecond);

void BM_DailyReportYear(benchmark::State &state)
{
    run(state, dailyReport("20190101", "20191231"), Days * Lines * Items);
}
BENCHMARK(BM_DailyReportYear)->Unit(benchmark::kMillisecond);

void BM_DailyTotalsYear(benchmark::State &state)
{
    run(state,
        request("GP_SELECT_F3301_DAILYPRODUCTSUM",
                {{"a_cmcd", "9999"}, {"a_buut", "9999"}, {"a_stdt", "20190101"}, {"a_eddt", "20191231"},
                 {"a_itnb", ""}, {"a_st_han", ""}, {"a_ed_han", "zzzzzzzzzz"}, {"a_linb", "001"}}),
        Days * Items);
}
BENCHMARK(BM_DailyTotalsYear)->Unit(benchmark::kMillisecond);

void BM_ItemTotalsYear(benchmark::State &state)
{
    run(state,
        request("GP_SELECT_F3200_ITEMPRODUCTSUM",
                {{"a_cmcd", "9999"}, {"a_buut", "9999"}, {"a_year", "2019"}, {"a_linb", "001"}}),
        Items);
}
BENCHMARK(BM_ItemTotalsYear)->Unit(benchmark::kMillisecond);

void BM_DailyTotalsPlainSum(benchmark::State &state)
{
    auto lease = server->store().acquire();
    SQLite::Statement st(lease.db(),
                         "SELECT h.RHDATE, d.RDITNB, i.IMNAME, SUM(d.RDQTY), SUM(CAST(d.RDQTY * i.IMPRC2 AS INTEGER)),"
                         " SUM(CAST(d.RDQTY * i.IMPRC1 AS INTEGER))"
                         " FROM F3300 h JOIN F3301 d ON d.RDCMCD = h.RHCMCD AND d.RDBUUT = h.RHBUUT"
                         " AND d.RDMONTH = h.RHMONTH AND d.RDNUMB = h.RHNUMB"
                         " LEFT JOIN F0200 i ON i.IMCMCD = d.RDCMCD AND i.IMBUUT = d.RDBUUT AND i.IMITNB = d.RDITNB"
                         " WHERE h.RHCMCD = '9999' AND h.RHBUUT = '9999' AND h.RHDATE BETWEEN '20190101' AND '20191231'"
                         " AND d.RDLINB = '001' GROUP BY h.RHDATE, d.RDITNB ORDER BY h.RHDATE, d.RDITNB");
    int rows = 0;
    for (auto _ : state) {
        st.reset();
        rows = 0;
        while (st.executeStep()) {
            for (int c = 0; c < st.getColumnCount(); ++c)
                benchmark::DoNotOptimize(st.getColumn(c).getText());
            ++rows;
        }
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_DailyTotalsPlainSum)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv, [] {
        static QTemporaryDir dir;
        os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD")));
        server = new TestServer();
        server->start();
        auto lease = server->store().acquire();
        lease.db().exec(kYear);
    });
}
