// calm_background.cpp -- Allegro's background thread (window events, keyboard) at a calmer pace.
//
// Allegro's Unix port runs its background functions (the X11 event handler that feeds the
// keyboard and the close button) from a thread that wakes every millisecond: a thousand wake-ups
// a second, about as much processor as the whole game needs. This manager takes the place of
// Allegro's own (the system driver installs the one named _bg_man_pthreads, so its functions are
// replaced before install_allegro) and runs the same functions every 10 ms, which no key press
// can outlast. While "interrupts" are disabled no new round of them starts.
#include "platform/calm_background.h"
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>
#include <pthread.h>
#include <time.h>

enum { CALM_FUNCS = 16, CALM_PERIOD_NS = 10000000 };

static pthread_mutex_t calm_mutex; // guards the list and the count; recursive, to be safe
static pthread_cond_t calm_enabled = PTHREAD_COND_INITIALIZER;
static bg_func calm_funcs[CALM_FUNCS];
static int calm_cli; // how many disable_interrupts are not yet undone
static volatile int calm_alive;
static pthread_t calm_thread;

static void *calm_loop(void *) {
    while (calm_alive) {
        struct timespec ts = {0, CALM_PERIOD_NS};
        nanosleep(&ts, nullptr);
        bg_func run[CALM_FUNCS];
        pthread_mutex_lock(&calm_mutex);
        while (calm_cli > 0)
            pthread_cond_wait(&calm_enabled, &calm_mutex);
        for (int i = 0; i < CALM_FUNCS; i++)
            run[i] = calm_funcs[i];
        pthread_mutex_unlock(&calm_mutex);
        // Called without the lock, as Allegro does: they take the X11 lock themselves.
        for (int i = 0; i < CALM_FUNCS; i++)
            if (run[i]) run[i](1);
    }
    return nullptr;
}

static int calm_init(void) {
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&calm_mutex, &attr);
    pthread_mutexattr_destroy(&attr);
    for (int i = 0; i < CALM_FUNCS; i++)
        calm_funcs[i] = nullptr;
    calm_cli = 0;
    calm_alive = 1;
    if (pthread_create(&calm_thread, nullptr, calm_loop, nullptr) != 0) {
        calm_alive = 0;
        return -1;
    }
    return 0;
}

static void calm_exit(void) {
    if (!calm_alive) return;
    calm_alive = 0;
    pthread_join(calm_thread, nullptr);
    pthread_mutex_destroy(&calm_mutex);
}

static int calm_register(bg_func f) {
    int slot = -1;
    pthread_mutex_lock(&calm_mutex);
    for (int i = 0; i < CALM_FUNCS && slot < 0; i++)
        if (!calm_funcs[i]) slot = i;
    if (slot >= 0) calm_funcs[slot] = f;
    pthread_mutex_unlock(&calm_mutex);
    return slot >= 0 ? 0 : -1;
}

static int calm_unregister(bg_func f) {
    pthread_mutex_lock(&calm_mutex);
    for (int i = 0; i < CALM_FUNCS; i++)
        if (calm_funcs[i] == f) calm_funcs[i] = nullptr;
    pthread_mutex_unlock(&calm_mutex);
    return 0;
}

static void calm_enable(void) {
    pthread_mutex_lock(&calm_mutex);
    if (calm_cli > 0 && --calm_cli == 0) pthread_cond_broadcast(&calm_enabled);
    pthread_mutex_unlock(&calm_mutex);
}

static void calm_disable(void) {
    pthread_mutex_lock(&calm_mutex);
    calm_cli++;
    pthread_mutex_unlock(&calm_mutex);
}

static int calm_disabled(void) {
    return calm_cli;
}

void CALM_background(void) {
    _bg_man_pthreads.multi_threaded = 1;
    _bg_man_pthreads.init = calm_init;
    _bg_man_pthreads.exit = calm_exit;
    _bg_man_pthreads.register_func = calm_register;
    _bg_man_pthreads.unregister_func = calm_unregister;
    _bg_man_pthreads.enable_interrupts = calm_enable;
    _bg_man_pthreads.disable_interrupts = calm_disable;
    _bg_man_pthreads.interrupts_disabled = calm_disabled;
}
