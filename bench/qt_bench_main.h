#pragma once
// The entry of a benchmark that builds windows: an offscreen application unless a display
// platform was chosen, then the registered benchmarks.
#include <QApplication>
#include <QtGlobal>
#include <benchmark/benchmark.h>

#define MOVRA_QT_BENCHMARK_MAIN()                                                          \
  int main(int argc, char** argv) {                                                        \
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
    QApplication app(argc, argv);                                                          \
    benchmark::Initialize(&argc, argv);                                                    \
    benchmark::RunSpecifiedBenchmarks();                                                   \
    benchmark::Shutdown();                                                                 \
    return 0;                                                                              \
  }
