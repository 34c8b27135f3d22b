// Benchmarks of the remote data layer and the head-office server (loopback only).
//
//   BM_EchoFloor          a minimal cpp-httplib POST echo: the floor of a round trip
//   BM_OpenUserList       ClientDataSet::Open of GP_SELECT_F0050_POS_USERLIST (goal < 3x the floor)
//   BM_DecodeAnswer       decode of a 10,000-row answer of 20 columns
//   BM_LoadAnswer         the same answer decoded and loaded into a data set
//   BM_ItemsConcurrent    calls/s of GP_SELECT_F0200_STOCK_POS_ITEMS with 8 concurrent clients
//   BM_ItemsRawSqlite     the same statement, one transaction per call, on the same store with raw
//                         SQLite and 8 threads: the ceiling (goal: BM_ItemsConcurrent within 2x)
//   Both item benchmarks also count cpu_us: the whole process's CPU time per
//   call (clients, server and SQLite alike), which other programs running on
//   the machine disturb far less than the wall time.
//   BM_CallAmongStalled   a user-list call while 256 idle keep-alive connections and 32 clients
//                         stalled mid-request are open (goal < 200 ms)
//   BM_QueryWhileSigningIn/N  a user-list call (p50 in counter p50_us) on a server whose users have
//                         real-cost password hashes while N terminals sign in without pause; goal:
//                         N = 8 within 2x of N = 0 (an idle server)
//   BM_SignIn/known, BM_SignIn/unknown  a wrong password for a known and for an unknown ID at real
//                         hash cost: the two should take the same time
//   BM_DecodeManyKeys/N   decoding a request map of N keys (100,000: about 1 MB; 340,000: about 4 MiB)

#include "../LoopbackEcho.h"
#include "Allocator.h"
#include "DemoSeed.h"
#include "HqServer.h"
#include "support/RawClient.h"
#include "platform/remote/ClientDataSet.h"

#include <QCborStreamWriter>
#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct Servers {
    // The floor: an echo server with the same socket options as ours.
    LoopbackEcho echo;

    QTemporaryDir dir;
    std::unique_ptr<hq::Store> store;
    std::unique_ptr<hq::Dispatcher> dispatcher;
    std::unique_ptr<hq::HqServer> hq;

    // A server whose users' passwords are hashed at the real cost, for the sign-ins.
    QTemporaryDir realDir;
    std::unique_ptr<hq::Store> realStore;
    std::unique_ptr<hq::Dispatcher> realDispatcher;
    std::unique_ptr<hq::HqServer> real;

    Servers()
    {
        store = std::make_unique<hq::Store>(dir.filePath(QStringLiteral("hq.db")).toStdString());
        hq::seedDemo(*store, hq::HashCost::Minimal);
        dispatcher = std::make_unique<hq::Dispatcher>(*store);
        hq::HqServer::Options o;
        o.port = 0;
        hq = std::make_unique<hq::HqServer>(*dispatcher, o);
        hq->start();

        realStore = std::make_unique<hq::Store>(realDir.filePath(QStringLiteral("hq.db")).toStdString());
        hq::seedDemo(*realStore, hq::HashCost::Interactive);
        realDispatcher = std::make_unique<hq::Dispatcher>(*realStore);
        realDispatcher->setLog([](const QString &) {});
        real = std::make_unique<hq::HqServer>(*realDispatcher, o);
        real->start();
    }
    ~Servers()
    {
        real->stop();
        hq->stop();
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/BIN").arg(hq->port()); }
};

Servers *g_servers = nullptr;

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The process's CPU time from before the benchmark's loops to stop(), per
// call of all threads; kept by the first thread only (counters add up over threads).
class ProcessCpuPerCall {
public:
    explicit ProcessCpuPerCall(benchmark::State &state) : m_state(state), m_start(processCpuSeconds()) {}
    void stop()
    {
        if (m_state.thread_index() != 0 || m_state.iterations() == 0)
            return;
        const double calls = double(m_state.iterations()) * m_state.threads();
        m_state.counters["cpu_us"] = (processCpuSeconds() - m_start) * 1e6 / calls;
    }

private:
    benchmark::State &m_state;
    double m_start;
};

void BM_EchoFloor(benchmark::State &state)
{
    const std::string body(64, 'x');
    for (auto _ : state)
        if (!g_servers->echo.roundTrip(body))
            state.SkipWithError("echo failed");
}
BENCHMARK(BM_EchoFloor)->Unit(benchmark::kMicrosecond);

// The demo store's user list (three users) as the sign-in screen asks for it.
void prepareUserList(ClientDataSet &cds, RemoteConnection &conn)
{
    cds.setRemoteServer(&conn);
    cds.setProviderName(QStringLiteral("dspStoredProc1"));
    cds.setCommandText(QStringLiteral("GP_SELECT_F0050_POS_USERLIST"));
    cds.Params().CreateParam(FieldType::String, QStringLiteral("@A_CMCD")).setAsString(QStringLiteral("9999"));
    cds.Params().CreateParam(FieldType::String, QStringLiteral("@A_STCD")).setAsString(QStringLiteral("9999"));
}

void BM_OpenUserList(benchmark::State &state)
{
    RemoteConnection conn;
    conn.setTargetUrl(g_servers->url());
    conn.setTerminalKey(QString::fromLatin1(hq::kDemoTerminalKey));
    conn.Connect();
    ClientDataSet cds;
    prepareUserList(cds, conn);
    for (auto _ : state) {
        cds.Open();
        if (cds.RecordCount() != 3)
            state.SkipWithError("wrong answer");
        cds.Close();
    }
}
BENCHMARK(BM_OpenUserList)->Unit(benchmark::kMicrosecond);

QByteArray bigAnswer()
{
    wire::Answer a;
    const wire::Type kinds[] = {wire::Type::String, wire::Type::Integer, wire::Type::Currency, wire::Type::Float,
                                wire::Type::Boolean};
    for (int c = 0; c < 20; ++c) {
        const wire::Type t = c == 19 ? wire::Type::DateTime : kinds[c % 5];
        a.columns.append({QStringLiteral("COL%1").arg(c), t, t == wire::Type::String ? 50 : 0});
    }
    const QDateTime when = QDateTime::currentDateTime();
    for (int r = 0; r < 10000; ++r) {
        QVariantList row;
        for (int c = 0; c < 20; ++c) {
            switch (a.columns[c].type) {
            case wire::Type::String: row << QStringLiteral("품목이름 %1-%2").arg(r).arg(c); break;
            case wire::Type::Integer: row << qint64(r * 20 + c); break;
            case wire::Type::Currency: row << qint64(r) * 12345; break;
            case wire::Type::Float: row << r * 0.25; break;
            case wire::Type::Boolean: row << bool(r & 1); break;
            default: row << when; break;
            }
        }
        a.rows << row;
    }
    return wire::encodeAnswer(a);
}

void BM_DecodeAnswer(benchmark::State &state)
{
    const QByteArray bytes = bigAnswer();
    for (auto _ : state) {
        wire::Answer a = wire::decodeAnswer(bytes);
        benchmark::DoNotOptimize(a.rows.size());
    }
    state.counters["bytes"] = double(bytes.size());
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_DecodeAnswer)->Unit(benchmark::kMillisecond);

void BM_LoadAnswer(benchmark::State &state)
{
    const QByteArray bytes = bigAnswer();
    for (auto _ : state) {
        wire::Answer a = wire::decodeAnswer(bytes);
        QList<FieldDef> defs;
        for (const wire::Column &c : a.columns)
            defs.append({c.name, c.type == wire::Type::Currency ? FieldType::Currency
                                 : c.type == wire::Type::String ? FieldType::String
                                 : c.type == wire::Type::Integer ? FieldType::Integer
                                 : c.type == wire::Type::Float ? FieldType::Float
                                 : c.type == wire::Type::Boolean ? FieldType::Boolean
                                                                 : FieldType::DateTime,
                         c.size});
        for (QVariantList &row : a.rows)
            for (int c = 2; c < 20; c += 5)
                row[c] = QVariant::fromValue(Currency::fromRaw(row[c].toLongLong()));
        DataSet ds;
        ds.LoadRows(defs, std::move(a.rows));
        ds.Open();
        benchmark::DoNotOptimize(ds.RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LoadAnswer)->Unit(benchmark::kMillisecond);

void BM_ItemsConcurrent(benchmark::State &state)
{
    RemoteConnection conn;
    conn.setTargetUrl(g_servers->url());
    conn.setTerminalKey(QString::fromLatin1(hq::kDemoTerminalKey));
    wire::Request req;
    req.provider = QStringLiteral("dspStoredProc5");
    req.commandText = QStringLiteral("[GP_SELECT_F0200_STOCK_POS_ITEMS]");
    req.params = {{QStringLiteral("A_CMCD"), wire::Type::String, QStringLiteral("9999")},
                  {QStringLiteral("A_BUUT"), wire::Type::String, QStringLiteral("9999")},
                  {QStringLiteral("A_NAME"), wire::Type::String, QString()}};
    ProcessCpuPerCall cpu(state);
    for (auto _ : state) {
        const wire::Answer a = conn.call(req);
        if (a.rows.size() != 20)
            state.SkipWithError("wrong answer");
    }
    cpu.stop();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ItemsConcurrent)->Threads(8)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The item statement exactly as the server runs it, taken from the statement
// cache of the connection that answered a call.
std::string itemsSql()
{
    static const std::string sql = [] {
        RemoteConnection conn;
        conn.setTargetUrl(g_servers->url());
        conn.setTerminalKey(QString::fromLatin1(hq::kDemoTerminalKey));
    conn.setTerminalKey(QString::fromLatin1(hq::kDemoTerminalKey));
        wire::Request req;
        req.provider = QStringLiteral("dspStoredProc5");
        req.commandText = QStringLiteral("[GP_SELECT_F0200_STOCK_POS_ITEMS]");
        conn.call(req);
        auto lease = g_servers->store->acquire();
        for (const std::string &text : lease.statements().texts())
            if (text.find("FROM F0200 f LEFT JOIN F0230") != std::string::npos)
                return text;
        return std::string();
    }();
    return sql;
}

void BM_ItemsRawSqlite(benchmark::State &state)
{
    const std::string sql = itemsSql();
    sqlite3 *db = nullptr;
    sqlite3_stmt *st = nullptr;
    if (sql.empty() || sqlite3_open_v2(g_servers->store->path().c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                       nullptr) != SQLITE_OK
        || sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &st, nullptr) != SQLITE_OK) {
        state.SkipWithError("cannot prepare the item statement");
        sqlite3_close(db);
        return;
    }
    sqlite3_busy_timeout(db, 10000);
    ProcessCpuPerCall cpu(state);
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_bind_text(st, 1, "9999", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 2, "9999", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 3, "", -1, SQLITE_STATIC);
        int rows = 0;
        const int columns = sqlite3_column_count(st);
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++rows;
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                    benchmark::DoNotOptimize(sqlite3_column_text(st, c));
                else
                    benchmark::DoNotOptimize(sqlite3_column_int64(st, c));
            }
        }
        sqlite3_reset(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        if (rows != 20)
            state.SkipWithError("wrong answer");
    }
    cpu.stop();
    sqlite3_finalize(st);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ItemsRawSqlite)->Threads(8)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_CallAmongStalled(benchmark::State &state)
{
    const int port = g_servers->hq->port();
    std::vector<std::unique_ptr<RawClient>> idle, stalled;
    for (int i = 0; i < 256; ++i) {
        idle.push_back(std::make_unique<RawClient>(port));
        idle.back()->send("GET /BIN HTTP/1.1\r\nHost: bench\r\n\r\n");
    }
    for (auto &c : idle)
        c->readStatus(std::chrono::seconds(5));
    for (int i = 0; i < 16; ++i) {
        stalled.push_back(std::make_unique<RawClient>(port));
        stalled.back()->send("POST /BIN HTTP/1.1\r\nHost: bench\r\nContent-Length: 100\r\n\r\nabc");
        stalled.push_back(std::make_unique<RawClient>(port));
        stalled.back()->send("POST /BIN HTTP/1.1\r\nHost: be");
    }
    RemoteConnection conn;
    conn.setTargetUrl(g_servers->url());
    conn.setTerminalKey(QString::fromLatin1(hq::kDemoTerminalKey));
    ClientDataSet cds;
    prepareUserList(cds, conn);
    for (auto _ : state) {
        // A new connection each time, as a terminal that just started.
        conn.Connect();
        cds.Open();
        if (cds.RecordCount() != 3)
            state.SkipWithError("wrong answer");
        cds.Close();
        conn.Disconnect();
    }
    // The process's resident memory with all these connections open (server and clients).
    long pages = 0, resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    state.counters["rss_MiB"] = double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}
// Few iterations: the stalled clients are dropped after a few seconds.
BENCHMARK(BM_CallAmongStalled)->Iterations(200)->Unit(benchmark::kMicrosecond);

// A connection to the real-cost server as a terminal of its own.
std::unique_ptr<RemoteConnection> realTerminal()
{
    auto c = std::make_unique<RemoteConnection>();
    c->setTargetUrl(QStringLiteral("http://127.0.0.1:%1/BIN").arg(g_servers->real->port()));
    static int n = 0;
    c->setTerminalKey(g_servers->real->access().keys.add(
        hq::Terminal{QStringLiteral("9999"), QStringLiteral("9999"), QStringLiteral("B%1").arg(++n)}));
    return c;
}

wire::Request signInRequest(const QString &user, const QString &password)
{
    wire::Request r;
    r.provider = QStringLiteral("dspStoredProc1");
    r.commandText = QStringLiteral("[GP_SELECT_F0050_POS_LOGIN]");
    for (const auto &[name, value] : {std::pair{"@A_CMCD", QStringLiteral("9999")}, std::pair{"@A_STCD", QStringLiteral("9999")},
                                      std::pair{"@A_USER", user}, std::pair{"@A_PWD", password},
                                      std::pair{"@A_BAR", QString()}})
        r.params.append({QString::fromLatin1(name), wire::Type::String, value});
    return r;
}

void BM_QueryWhileSigningIn(benchmark::State &state)
{
    std::atomic<bool> stop{false};
    std::atomic<long> signIns{0};
    std::vector<std::thread> signers;
    for (int i = 0; i < state.range(0); ++i) {
        signers.emplace_back([&] {
            auto c = realTerminal();
            const wire::Request r = signInRequest(QStringLiteral("1001"), QStringLiteral("1234"));
            while (!stop) {
                if (c->call(r).rows.size() != 1)
                    break;
                ++signIns;
            }
        });
    }
    auto conn = realTerminal();
    ClientDataSet cds;
    prepareUserList(cds, *conn);
    std::vector<double> times;
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the sign-ins under way
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        cds.Open();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
        if (cds.RecordCount() != 3)
            state.SkipWithError("wrong answer");
        cds.Close();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    stop = true;
    for (std::thread &t : signers)
        t.join();
    std::sort(times.begin(), times.end());
    state.counters["p50_us"] = times.empty() ? 0 : times[times.size() / 2];
    state.counters["p90_us"] = times.empty() ? 0 : times[times.size() * 9 / 10];
    state.counters["sign_ins"] = double(signIns);
}
BENCHMARK(BM_QueryWhileSigningIn)->Arg(0)->Arg(8)->Iterations(300)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Each attempt on a terminal of its own, so that no attempt waits for the pace of earlier ones.
void BM_SignIn(benchmark::State &state, const char *user)
{
    std::vector<std::unique_ptr<RemoteConnection>> terminals;
    for (int i = 0; i < 40; ++i)
        terminals.push_back(realTerminal());
    const wire::Request r = signInRequest(QString::fromLatin1(user), QStringLiteral("wrong-password"));
    size_t i = 0;
    for (auto _ : state) {
        if (!terminals[i++ % terminals.size()]->call(r).rows.isEmpty())
            state.SkipWithError("signed in with a wrong password");
    }
}
BENCHMARK_CAPTURE(BM_SignIn, known, "1001")->Iterations(40)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SignIn, unknown, "7777")->Iterations(40)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DecodeManyKeys(benchmark::State &state)
{
    QByteArray bytes;
    {
        QCborStreamWriter w(&bytes);
        w.startMap(quint64(state.range(0)) + 3);
        w.append(QStringLiteral("provider"));
        w.append(QStringLiteral("dspStoredProc1"));
        w.append(QStringLiteral("command"));
        w.append(QStringLiteral("GP_SELECT_F0050_POS_USERLIST"));
        w.append(QStringLiteral("mode"));
        w.append(QStringLiteral("open"));
        for (qint64 i = 0; i < state.range(0); ++i) {
            w.append(QStringLiteral("k%1").arg(i));
            w.append(i);
        }
        w.endMap();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(wire::decodeRequest(bytes));
    state.counters["KiB"] = double(bytes.size()) / 1024.0;
}
BENCHMARK(BM_DecodeManyKeys)->Arg(100000)->Arg(340000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // As the server's own start-up does.
    setenv("TZ", ":/etc/localtime", 0);
    hq::keepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Servers servers;
    g_servers = &servers;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_servers = nullptr;
    return 0;
}
