// x11_port.cpp -- every use of Allegro's private internals and of Xlib, each with why it is needed.
//
// Allegro 4's public calls cover the window but not what a desktop game needs of it today, and its
// X11 driver does some things in a way that costs a small machine dearly. What is used, and why:
//
// - `_xwin` (xalleg.h): the driver's X connection (`display`) and window ids (`window`, and
//   `wm_window`, the one the window manager manages). Allegro gives no other way to reach the X
//   server it talks to; every Xlib call below needs them. `XLOCK`/`XUNLOCK` take the driver's own
//   lock around them, as its background thread talks to the same connection.
// - Xlib, for what Allegro has no call for:
//   `XQueryKeymap`: whether F11 or Enter, having switched the window, is really up: Allegro reports
//   it released when the window is made again under it, and the server's repeat presses it again;
//   `XEventsQueued`: whether the driver has yet to handle events sent before the key went up;
//   `_xwin_keyboard_callback` (xalleg.h), the driver's hook on every key event, with
//   `XQueryKeymap`: a release of a key the server still has down is its repeat's, not the key let
//   go (PORT_release_repeated);
//   `XGetInputFocus`: play pauses when another window takes the keyboard;
//   `XSetClassHint`, `_NET_WM_ICON`: the desktop matches the window to the game's entry and shows
//   its icon;
//   `_NET_WM_STATE`: full screen is a window the desktop's size with this hint, as Allegro's own
//   full-screen X11 driver reports success on some servers and shows nothing;
//   `XSetIOErrorHandler`: Xlib's own handler exits through the atexit handlers, which wait for
//   good on the driver's lock when the server is gone.
// - `gfx_driver->vsync` replaced: the X11 driver's vsync polls every millisecond.
//   `_timer_installed` (aintern.h) tells whether the timer that drives `retrace_count` runs.
// - `_xwin_in_gfx_call`, `_xwin_update_screen` (exported by liballeg, in no header): while the
//   first is set, the driver does not send the window a row the moment the next row is written;
//   the second sends a rectangle at once. Allegro's own blits do the same.
// - `_get_colorconv_blitter` (aintern.h): the conversion the driver itself uses between a 15 or
//   16-bit screen and a 32-bit window, so a converted picture shows exactly the same colours.
// - `_bg_man_pthreads` (aintunix.h): the background manager the Unix system driver installs,
//   whose thread wakes every millisecond to run the X11 event handler; its functions are
//   replaced by a thread that runs the same work every 10 ms.
//
// The X server at start-up (gfx/display.cpp) is asked with the X protocol's own first bytes over a
// socket, with neither Xlib nor Allegro's internals.
// SPDX-License-Identifier: MIT
#include "platform/x11_port.h"
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <allegro/platform/aintunix.h>
#include <xalleg.h>
#include <X11/Xatom.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
#include "platform/temporizadores.h"

extern "C" {
extern int _xwin_in_gfx_call;
void _xwin_update_screen(int x, int y, int w, int h);
}

// 1 while Allegro's X11 driver has a connection to an X server.
static int port_x(void) {
    return system_driver && system_driver->id == SYSTEM_XWINDOWS && _xwin.display;
}

// The window the window manager manages: Allegro makes one inside another when there is a
// window manager.
static Window port_window(void) {
    return _xwin.wm_window ? _xwin.wm_window : _xwin.window;
}

int PORT_key_held(int code, const char *x_name) {
    if (!port_x()) return key[code] != 0;
    KeySym sym = XStringToKeysym(x_name);
    if (sym == NoSymbol) return key[code] != 0;
    char keys[32];
    XLOCK();
    // The reply comes after every event the server sent before it, so Xlib has queued them all by
    // now; with the driver's lock held, its thread is not halfway through a batch of them. Events
    // still queued may hold a press the server repeated before the key went up: until the driver
    // has handled them, the key counts as held, or that late repeat would read as a new press.
    XQueryKeymap(_xwin.display, keys);
    KeyCode kc = XKeysymToKeycode(_xwin.display, sym);
    int unhandled = XEventsQueued(_xwin.display, QueuedAlready);
    XUNLOCK();
    return unhandled > 0 || (kc && ((keys[kc / 8] >> (kc % 8)) & 1));
}

// The server repeats a held key as a release and a press at the same instant. The driver drops
// such a pair when both arrive in one batch of events; split over two batches (a busy machine, a
// long queue) the pair reads as the key let go and pressed again. So every key event the driver
// handles is seen here first (its keyboard hook, called in its thread with its lock held), and a
// release of a key the server still has down is marked as the repeat's.
static volatile int port_release_repeated;
static void (*port_next_key_hook)(int pressed, int keycode);

static void port_key_hook(int pressed, int keycode) {
    if (port_next_key_hook) port_next_key_hook(pressed, keycode);
    int repeated = 0;
    if (!pressed && keycode > 0 && keycode < 256) {
        char keys[32];
        XQueryKeymap(_xwin.display, keys);
        repeated = (keys[keycode / 8] >> (keycode % 8)) & 1;
    }
    port_release_repeated = repeated;
}

void PORT_watch_key_repeats(void) {
    if (!port_x() || _xwin_keyboard_callback == port_key_hook) return;
    port_next_key_hook = _xwin_keyboard_callback;
    _xwin_keyboard_callback = port_key_hook;
}

int PORT_release_repeated(void) {
    int repeated = port_release_repeated;
    port_release_repeated = 0;
    return repeated;
}

int PORT_has_focus(void) {
    if (!port_x()) return 1;
    Window focus;
    int revert;
    XLOCK();
    XGetInputFocus(_xwin.display, &focus, &revert);
    XUNLOCK();
    // PointerRoot: the keyboard follows the pointer (no window manager); not known to be lost.
    return focus == PointerRoot || focus == _xwin.wm_window || focus == _xwin.window;
}

void PORT_set_class_and_icon(const char *name, const char *group, const long *icon, int longs) {
    if (!port_x()) return;
    char res_name[64], res_class[64];
    snprintf(res_name, sizeof res_name, "%s", name);
    snprintf(res_class, sizeof res_class, "%s", group);
    XClassHint hint = {res_name, res_class};
    XLOCK();
    Window w = port_window();
    XSetClassHint(_xwin.display, w, &hint);
    if (icon)
        XChangeProperty(_xwin.display, w, XInternAtom(_xwin.display, "_NET_WM_ICON", False),
                        XA_CARDINAL, 32, PropModeReplace, (const unsigned char *)icon, longs);
    XFlush(_xwin.display);
    XUNLOCK();
}

int PORT_full_screen_hint(int on) {
    if (!port_x()) return 0;
    XLOCK();
    Display *d = _xwin.display;
    Window w = port_window(), root = DefaultRootWindow(d);
    Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True), type;
    int format, have_wm = 0;
    unsigned long n = 0, left;
    unsigned char *data = nullptr;
    if (check != None && XGetWindowProperty(d, root, check, 0, 1, False, AnyPropertyType, &type,
                                            &format, &n, &left, &data) == Success)
        have_wm = n > 0;
    if (data) XFree(data);
    if (have_wm) {
        XEvent e = {};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = on ? 1 : 0; // add, remove
        e.xclient.data.l[1] = (long)XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
        e.xclient.data.l[3] = 1; // asked by an application
        XSendEvent(d, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    } else if (on) {
        XMoveWindow(d, w, 0, 0);
    }
    XFlush(d);
    XUNLOCK();
    return have_wm;
}

// The X11 driver's vsync, resting between the timer's ticks instead of every millisecond: the
// server catches up, then the wait runs to the next step of the 70 Hz retrace counter, which the
// timer advances at its ticks.
static void port_vsync(void) {
    XLOCK();
    XSync(_xwin.display, False);
    XUNLOCK();
    int prev = retrace_count;
    while (_timer_installed && retrace_count == prev)
        TMR_rest();
}

void PORT_calm_vsync(void) {
    if (port_x() && gfx_driver) gfx_driver->vsync = port_vsync;
}

int PORT_hold_updates(BITMAP *dest) {
    if (dest != screen || !port_x()) return 0;
    _xwin_in_gfx_call = 1;
    return 1;
}

void PORT_send_updates(int x, int y, int w, int h) {
    _xwin_in_gfx_call = 0;
    _xwin_update_screen(x, y, w, h);
}

int PORT_every_pixel_to32(int depth, uint32_t *out) {
    COLORCONV_BLITTER_FUNC *conv = _get_colorconv_blitter(depth, 32);
    uint16_t *every = (uint16_t *)malloc(65536 * sizeof(uint16_t));
    if (conv && every) {
        for (unsigned v = 0; v < 65536; v++)
            every[v] = (uint16_t)v;
        GRAPHICS_RECT from = {256, 256, 256 * 2, every}, to = {256, 256, 256 * 4, out};
        conv(&from, &to); // all 65536 values as one 256x256 picture
    }
    int done = conv && every ? 0 : -1;
    if (conv) _release_colorconv_blitter(conv);
    free(every);
    return done;
}

// The calm background manager: the functions Allegro registers, run by one thread every 10 ms,
// which no key press can outlast. While "interrupts" are disabled no new round of them starts.
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

void PORT_calm_background(void) {
    _bg_man_pthreads.multi_threaded = 1;
    _bg_man_pthreads.init = calm_init;
    _bg_man_pthreads.exit = calm_exit;
    _bg_man_pthreads.register_func = calm_register;
    _bg_man_pthreads.unregister_func = calm_unregister;
    _bg_man_pthreads.enable_interrupts = calm_enable;
    _bg_man_pthreads.disable_interrupts = calm_disable;
    _bg_man_pthreads.interrupts_disabled = calm_disabled;
}

static void (*port_gone)(void); // what to do when the X server goes away

// Xlib calls this when the connection to the X server is lost. Xlib's own handler exits through
// the atexit handlers, which wait on the window system's lock for good.
static int port_io_error(Display *) {
    if (port_gone) port_gone();
    _exit(1);
}

void PORT_on_server_lost(void (*gone)(void)) {
    port_gone = gone;
    XSetIOErrorHandler(port_io_error);
}
