// temporizadores.cpp -- the 17 ms tick that paces play, and the pause of every busy wait.
//
// A wait rests until the next tick (at most REST_MAX_NS) rather than a millisecond at a time:
// the loops see every tick as soon as it comes, and the process wakes some 60 times a second
// instead of a thousand.
// SPDX-License-Identifier: MIT
#include "platform/temporizadores.h"
#include <allegro.h>
#include <pthread.h>
#include <time.h>

enum { REST_MAX_NS = 10000000, REST_NOTIMER_NS = 1000000 };

volatile int contador_60Hz;

static pthread_mutex_t tmr_mutex = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t tmr_cond;
static unsigned tmr_ticks;       // every tick so far, under tmr_mutex
static volatile int tmr_ticking; // 1 once the tick is installed

void temporizador_60Hz(void) {
    contador_60Hz = contador_60Hz + 1;
    pthread_mutex_lock(&tmr_mutex);
    tmr_ticks++;
    pthread_cond_broadcast(&tmr_cond);
    pthread_mutex_unlock(&tmr_mutex);
}
END_OF_FUNCTION(temporizador_60Hz)

void instala_temporizador_60Hz(void) {
    if (!tmr_ticking) {
        pthread_condattr_t attr;
        pthread_condattr_init(&attr);
        pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
        pthread_cond_init(&tmr_cond, &attr);
        pthread_condattr_destroy(&attr);
    }
    LOCK_VARIABLE(contador_60Hz);
    LOCK_FUNCTION(temporizador_60Hz);
    if (install_int(temporizador_60Hz, 17) == 0) tmr_ticking = 1;
}

int TMR_frame_ticks(int speed, int *carry) {
    if (speed < 1 || speed > 100) speed = 100;
    // In hundredths of a tick times speed: a frame takes 200 of them; a tick is worth speed.
    int owed = 200 + (*carry >= 0 && *carry < speed ? *carry : 0);
    *carry = owed % speed;
    return owed / speed;
}

void (*TMR_idle)(void);

void TMR_rest(void) {
    if (TMR_idle) TMR_idle();
    if (!tmr_ticking) {
        // No timer ticking (none installed, or it could not be): a plain sleep, which needs no
        // Allegro driver.
        struct timespec ts = {0, REST_NOTIMER_NS};
        nanosleep(&ts, nullptr);
        return;
    }
    struct timespec until;
    clock_gettime(CLOCK_MONOTONIC, &until);
    until.tv_nsec += REST_MAX_NS;
    if (until.tv_nsec >= 1000000000) {
        until.tv_sec++;
        until.tv_nsec -= 1000000000;
    }
    pthread_mutex_lock(&tmr_mutex);
    unsigned seen = tmr_ticks;
    while (tmr_ticks == seen && pthread_cond_timedwait(&tmr_cond, &tmr_mutex, &until) == 0) {
    }
    pthread_mutex_unlock(&tmr_mutex);
}
