// tick_test.cpp -- the 17 ms tick; it needs Allegro's real timer, so it runs only with a display
// (the window test shell_tick runs it under Xvfb).
#include <gtest/gtest.h>
#include <allegro.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include "platform/temporizadores.h"

static double seconds_now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

TEST(Tick, CountsAboutFiftyNineTicksASecond) {
    if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display for Allegro's timer";
    allegro_exit();
    ASSERT_EQ(install_allegro(SYSTEM_AUTODETECT, &errno, atexit), 0);
    ASSERT_EQ(install_timer(), 0);
    instala_temporizador_60Hz();
    contador_60Hz = 0;
    double start = seconds_now();
    while (seconds_now() - start < 2.0)
        TMR_rest();
    int ticks = contador_60Hz;
    double rate = ticks / (seconds_now() - start);
    allegro_exit();
    printf("tick rate: %.1f per second\n", rate);
    EXPECT_GT(rate, 50.0);
    EXPECT_LT(rate, 62.0);
}
