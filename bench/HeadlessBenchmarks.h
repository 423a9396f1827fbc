#pragma once
// The main of a benchmark program that needs the layer: set up headless, run, clean up.

#include "framework/Runtime.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

inline int RunHeadlessBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const Runtime runtime = RunFrameworkInitialization(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
