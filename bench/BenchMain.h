#pragma once
// The main of the benchmark programs that draw or use Qt widgets: a
// QApplication (offscreen unless a platform is set), an optional set-up, then
// every registered benchmark.

#include <QApplication>
#include <benchmark/benchmark.h>
#include <functional>

inline int RunQtBenchmarks(int argc, char **argv, const std::function<void()> &setUp = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
