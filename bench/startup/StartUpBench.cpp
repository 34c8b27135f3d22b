// Start-up from the splash's first text to the sign-in window shown, in
// process against the test server, with the time of each step (counters
// "pNN_ms": the step that shows percentage NN, in milliseconds per start),
// against a bare window created and shown on the same machine. What the
// process itself costs before main (loading, the application object) is not
// in either figure.
#include "../BenchMain.h"

#include "../../tests/main/ProgramFolder.h"
#include "StartUp.h"
#include "core/TCM.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWidget>

#include <map>

namespace {

TestServer *server = nullptr;
QTemporaryDir *library = nullptr;

void setUp()
{
    server = new TestServer;
    server->start();
    library = new QTemporaryDir;
    CopyCipherLibrary(library->path());
}

void BM_StartUpToSignInWindow(benchmark::State &state)
{
    std::map<int, qint64> stepNs;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        if (!PrepareProgramFolder(folder.path(), library->path(), *server)) {
            state.SkipWithError("program folder");
            break;
        }
        state.ResumeTiming();

        QElapsedTimer clock;
        clock.start();
        int current = -1;
        qint64 since = 0;
        const StartUpStatus record = [&](const QString &, int percent) {
            const qint64 now = clock.nsecsElapsed();
            if (current >= 0)
                stepNs[current] += now - since;
            current = percent;
            since = now;
        };
        const bool ok = RunStartUpSteps(record) && RunWindowSteps(record);
        if (ok) {
            MainForm()->show();
            QApplication::processEvents();
        }
        stepNs[current] += clock.nsecsElapsed() - since;

        state.PauseTiming();
        DestroyWindows();
        FreeModules();
        if (!ok)
            state.SkipWithError("start-up failed");
        state.ResumeTiming();
    }
    const double starts = double(state.iterations());
    for (const auto &[percent, ns] : stepNs)
        state.counters[QStringLiteral("p%1_ms").arg(percent, 2, 10, QLatin1Char('0')).toStdString()] =
            benchmark::Counter(ns / 1e6 / starts);
}
BENCHMARK(BM_StartUpToSignInWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_BareWindowShown(benchmark::State &state)
{
    for (auto _ : state) {
        QWidget window;
        window.setFixedSize(1024, 768);
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_BareWindowShown)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunQtBenchmarks(argc, argv, setUp);
}
