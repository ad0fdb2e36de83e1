// bench_tick.cpp -- the 17 ms tick that paces play against the wall clock: the ticks_per_s
// counter should read about 59. Allegro's timer needs a display (run it under Xvfb).
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <allegro.h>
#include <errno.h>
#include <stdlib.h>
#include <time.h>
#include "platform/temporizadores.h"

namespace {

double seconds_now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// One iteration waits for one tick, as play's pacing does.
void BM_Tick(benchmark::State &state) {
    allegro_exit(); // the other benchmarks' windowless Allegro has no timer
    if (!getenv("DISPLAY") || install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0 ||
        install_timer() != 0) {
        state.SkipWithError("Allegro's timer needs a display");
    } else {
        instala_temporizador_60Hz();
        contador_60Hz = 0;
        double start = seconds_now();
        for (auto _ : state) {
            int seen = contador_60Hz;
            while (contador_60Hz == seen)
                TMR_rest();
        }
        state.counters["ticks_per_s"] = contador_60Hz / (seconds_now() - start);
    }
    allegro_exit();
    install_allegro(SYSTEM_NONE, &errno, atexit); // as the other benchmarks left it
}

} // namespace

BENCHMARK(BM_Tick)->Iterations(118)->UseRealTime()->Unit(benchmark::kMillisecond);
