// fondo.cpp -- Allegro's background thread (window events, keyboard) at a calmer pace.
//
// Allegro's Unix port runs its background functions (the X11 event handler that feeds the
// keyboard and the close button) from a thread that wakes every millisecond: a thousand wake-ups
// a second, about as much processor as the whole game needs. This manager takes the place of
// Allegro's own (the system driver installs the one named _bg_man_pthreads, so its functions are
// replaced before install_allegro) and runs the same functions every 10 ms, which no key press
// can outlast. While "interrupts" are disabled no new round of them starts.
#include "platform/fondo.h"
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>
#include <pthread.h>
#include <time.h>

enum { FONDO_FUNCS = 16, FONDO_PERIOD_NS = 10000000 };

static pthread_mutex_t fondo_mutex; // guards the list and the count; recursive, to be safe
static pthread_cond_t fondo_enabled = PTHREAD_COND_INITIALIZER;
static bg_func fondo_funcs[FONDO_FUNCS];
static int fondo_cli; // how many disable_interrupts are not yet undone
static volatile int fondo_alive;
static pthread_t fondo_thread;

static void *fondo_loop(void *) {
    while (fondo_alive) {
        struct timespec ts = {0, FONDO_PERIOD_NS};
        nanosleep(&ts, nullptr);
        bg_func run[FONDO_FUNCS];
        pthread_mutex_lock(&fondo_mutex);
        while (fondo_cli > 0)
            pthread_cond_wait(&fondo_enabled, &fondo_mutex);
        for (int i = 0; i < FONDO_FUNCS; i++)
            run[i] = fondo_funcs[i];
        pthread_mutex_unlock(&fondo_mutex);
        // Called without the lock, as Allegro does: they take the X11 lock themselves.
        for (int i = 0; i < FONDO_FUNCS; i++)
            if (run[i]) run[i](1);
    }
    return nullptr;
}

static int fondo_init(void) {
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&fondo_mutex, &attr);
    pthread_mutexattr_destroy(&attr);
    for (int i = 0; i < FONDO_FUNCS; i++)
        fondo_funcs[i] = nullptr;
    fondo_cli = 0;
    fondo_alive = 1;
    if (pthread_create(&fondo_thread, nullptr, fondo_loop, nullptr) != 0) {
        fondo_alive = 0;
        return -1;
    }
    return 0;
}

static void fondo_exit(void) {
    if (!fondo_alive) return;
    fondo_alive = 0;
    pthread_join(fondo_thread, nullptr);
    pthread_mutex_destroy(&fondo_mutex);
}

static int fondo_register(bg_func f) {
    int slot = -1;
    pthread_mutex_lock(&fondo_mutex);
    for (int i = 0; i < FONDO_FUNCS && slot < 0; i++)
        if (!fondo_funcs[i]) slot = i;
    if (slot >= 0) fondo_funcs[slot] = f;
    pthread_mutex_unlock(&fondo_mutex);
    return slot >= 0 ? 0 : -1;
}

static int fondo_unregister(bg_func f) {
    pthread_mutex_lock(&fondo_mutex);
    for (int i = 0; i < FONDO_FUNCS; i++)
        if (fondo_funcs[i] == f) fondo_funcs[i] = nullptr;
    pthread_mutex_unlock(&fondo_mutex);
    return 0;
}

static void fondo_enable(void) {
    pthread_mutex_lock(&fondo_mutex);
    if (fondo_cli > 0 && --fondo_cli == 0) pthread_cond_broadcast(&fondo_enabled);
    pthread_mutex_unlock(&fondo_mutex);
}

static void fondo_disable(void) {
    pthread_mutex_lock(&fondo_mutex);
    fondo_cli++;
    pthread_mutex_unlock(&fondo_mutex);
}

static int fondo_disabled(void) {
    return fondo_cli;
}

void FONDO_calm_background(void) {
    _bg_man_pthreads.multi_threaded = 1;
    _bg_man_pthreads.init = fondo_init;
    _bg_man_pthreads.exit = fondo_exit;
    _bg_man_pthreads.register_func = fondo_register;
    _bg_man_pthreads.unregister_func = fondo_unregister;
    _bg_man_pthreads.enable_interrupts = fondo_enable;
    _bg_man_pthreads.disable_interrupts = fondo_disable;
    _bg_man_pthreads.interrupts_disabled = fondo_disabled;
}
