// One press of the pattern order entry's order button placing an order of
// 100 lines against the in-process head-office server over loopback HTTP:
// the block check, the number, the header and 100 lines (103 calls, the
// screen frozen throughout, so the figure is what the user waits), beside
// 103 round trips of a minimal loopback echo (the floor of as many calls).
// Run: build/bench/bench_regorder (QT_QPA_PLATFORM=offscreen is set when unset).

#include "../BenchMain.h"
#include "../LoopbackEcho.h"
#include "core/MyConfig.h"
#include "core/ProgramRights.h"
#include "core/uKV_Common_Msg.h"
#include "core/uKV_DataModule.h"
#include "documents/U652_RegOrder.h"
#include "platform/dataset/DataSet.h"
#include "platform/os/ProgramFile.h"
#include "support/DemoTerminal.h"
#include "support/TestServer.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Lines = 100;
constexpr int Calls = Lines + 3;

TestServer *server = nullptr;
TF652_RegOrder *screen = nullptr;
DataSet *rights = nullptr;

void fillLines()
{
    DataSet &lines = *screen->VTB_PATTERNBALJU;
    lines.EmptyTable();
    for (int i = 1; i <= Lines; ++i) {
        lines.Append();
        lines.FieldByName(QStringLiteral("ADNUMB")).setAsInteger(3);
        lines.FieldByName(QStringLiteral("ADSEQ")).setAsInteger(i);
        lines.FieldByName(QStringLiteral("IMITNB")).setAsString(QString::asprintf("5%05d", i));
        lines.FieldByName(QStringLiteral("IMNAME")).setAsString(QStringLiteral("품목%1").arg(i));
        lines.FieldByName(QStringLiteral("ADUNIT")).setAsString(QStringLiteral("KG"));
        lines.FieldByName(QStringLiteral("ADQTY")).setAsFloat(1.5);
        lines.FieldByName(QStringLiteral("ADUPRC")).setAsInteger(3000 + i);
        lines.Post();
    }
    screen->Source = {3, QStringLiteral("원재료 발주"), QStringLiteral("40000001"), QStringLiteral("데모제분"), false, false};
}

void BM_PlaceOrderOf100Lines(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        fillLines();
        state.ResumeTiming();
        screen->btn_BaljuClick();
        if (screen->LastPlaced().size() != 1 || !screen->VTB_PATTERNBALJU->IsEmpty())
            state.SkipWithError("the order was not placed");
    }
    state.counters["calls"] = Calls;
}
BENCHMARK(BM_PlaceOrderOf100Lines)->Unit(benchmark::kMillisecond);

void BM_LoopbackEchoes(benchmark::State &state)
{
    LoopbackEcho echo;
    const std::string body(600, 'x'); // about a line call's request
    for (auto _ : state) {
        for (int i = 0; i < Calls; ++i)
            if (!echo.roundTrip(body))
                state.SkipWithError("echo failed");
    }
    state.counters["calls"] = Calls;
}
BENCHMARK(BM_LoopbackEchoes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv, [] {
        static QTemporaryDir dir;
        os::SetProgramFilePath(dir.filePath(QStringLiteral("KV_RALD")));
        server = new TestServer();
        server->start();
        MyConfig = DemoTerminalConfig(*server);
        MyConfig.UIADNB = QStringLiteral("90000001");
        DM = new TDM();
        DM->SDB_Open();
        TestServer::signIn(*DM->ROChannel, QStringLiteral("1001")); // as the sign-in screen leaves it
        rights = new DataSet();
        rights->AddField(QStringLiteral("slpgid"), FieldType::String, 40);
        rights->AddField(QStringLiteral("wrau"), FieldType::Boolean);
        rights->Open();
        rights->Append();
        rights->FieldByName(QStringLiteral("slpgid")).setAsString(QStringLiteral("F20_PURCHASEENTRY"));
        rights->FieldByName(QStringLiteral("wrau")).setAsBoolean(true);
        rights->Post();
        SetProgramRights(rights);
        SetMessageBoxHandler([](const QString &, int, int) { return mrYes; });
        screen = new TF652_RegOrder();
        screen->show();
    });
}
