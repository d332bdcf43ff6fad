// The CPU side of a frame: calcme, which turns all 3600 cells (doedemat),
// spins, slides the shown heights and now and then shifts the rows.
#include <benchmark/benchmark.h>

#include "app/app.h"
#include "wave/wave.h"

static void BM_calcme(benchmark::State &state)
{
    initMY();
    sx = 150, sy = -90; // a spin about all three axes
    for (auto _ : state) {
        calcme();
        benchmark::DoNotOptimize(mygrid);
    }
}
BENCHMARK(BM_calcme)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
