// Time from a print site's Print + PrintRequested to the first byte of the
// slip reaching the printer (a pseudo-terminal behind "COM1"). Arg 1: the
// port is already open (the program has the focus); arg 0: the printer
// thread opens it for the job and closes it after.

#include "core/PrintThread.h"
#include "support/CapturePort.h"

#include <QDeadlineTimer>
#include <QThread>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <stdexcept>

namespace {

QStringList slip()
{
    QStringList lines;
    for (int i = 1; i <= 10; ++i)
        lines << QString::fromUtf8("품목 %1            2 x 1,500     3,000").arg(i);
    return lines;
}

void waitIdle(TMyPrintThread &thread)
{
    const QDeadlineTimer deadline(5000);
    while (thread.PrintRequested || thread.Printing()) {
        if (deadline.hasExpired())
            throw std::runtime_error("printer thread did not finish");
        QThread::usleep(200);
    }
}

void BM_PrintToFirstByte(benchmark::State &state)
{
    testsupport::CapturePort capture("COM1");
    auto port = std::make_shared<serial::SerialPort>();
    port->setBaudRate("57600");
    TMyPrintThread thread(port);
    thread.start();
    if (state.range(0)) {
        thread.RequestPort({{}, {}, TMyPrintThread::PortAction::Open});
        const QDeadlineTimer deadline(5000);
        while (!thread.PortOpen() && !deadline.hasExpired())
            QThread::msleep(1);
    }
    const QStringList lines = slip();
    const qsizetype jobSize = TMyPrintThread::SerialJobBytes(lines + QStringList{TMyPrintThread::BlankLinesEntry,
                                                                                  TMyPrintThread::CutEntry})
                                  .size();

    for (auto _ : state) {
        capture.clear();
        const auto begin = std::chrono::steady_clock::now();
        thread.Copies = 1;
        thread.Print(lines);
        thread.PrintRequested = true;
        if (capture.waitFor(1).isEmpty()) {
            state.SkipWithError("no byte reached the printer");
            break;
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        // The rest of the job, untimed.
        if (capture.waitFor(jobSize).size() != jobSize) {
            state.SkipWithError("the job did not arrive whole");
            break;
        }
        waitIdle(thread);
    }
    thread.Stop(2000);
}
BENCHMARK(BM_PrintToFirstByte)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
