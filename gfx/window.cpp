// window.cpp -- the game's window: 2X, 3X, 4X or full screen, and the switch on Alt+Enter or F11.
//
// Full screen is a window the size of the desktop with the window manager's full-screen hint:
// Allegro's own X11 full-screen driver reports success under some servers and shows nothing.
// SPDX-License-Identifier: MIT
#include <allegro.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include "gfx/frame_dump.h"
#include "gfx/gfx.h"
#include "gfx/gfx_state.h"
#include "gfx/picture.h"
#include "platform/leaving.h"
#include "platform/loga.h"
#include "platform/x11_port.h"

GfxMode GFX_pick_mode(int size, int desk_w, int desk_h) {
    GfxMode m = {0, 0, 2, 0, 0, 0};
    int known = desk_w >= GFX_LOGICAL_W && desk_h >= GFX_LOGICAL_H;
    int fit = known ? desk_w / GFX_LOGICAL_W : GFX_MAX_SCALE;
    if (known && desk_h / GFX_LOGICAL_H < fit) fit = desk_h / GFX_LOGICAL_H;
    if (fit > GFX_MAX_SCALE) fit = GFX_MAX_SCALE;
    if (size == 0 && known) {
        m.w = desk_w;
        m.h = desk_h;
        m.scale = fit;
        m.x = (desk_w - GFX_LOGICAL_W * fit) / 2;
        m.y = (desk_h - GFX_LOGICAL_H * fit) / 2;
        m.full = 1;
        return m;
    }
    if (size >= 2) m.scale = size < fit ? size : fit;
    if (m.scale < 2) m.scale = 2; // no smaller window than today's
    m.w = GFX_LOGICAL_W * m.scale;
    m.h = GFX_LOGICAL_H * m.scale;
    return m;
}

int GFX_first_window_size(int desk_w, int desk_h) {
    int size = 4; // the largest window size; within 80% of each side: room for panels and a title
    while (size > 2 &&
           (GFX_LOGICAL_W * size * 5 > desk_w * 4 || GFX_LOGICAL_H * size * 5 > desk_h * 4))
        size--;
    return size;
}

// A key that switched the window stays "latched" until it is really up: while it is held, the
// X server repeats it, and the switch itself makes Allegro report it released (the window loses
// the keyboard for a moment), so neither its presses nor its releases can tell. The physical
// state can: GFX_service asks the server for it while a key is latched, and lets the latch go only
// once the key is up and every repeat the server sent before that has been handled, so a repeat
// that reaches the keyboard thread late is not a second press.
static volatile int f11_latched, enter_latched;
static void (*gfx_next_key_event)(int scancode); // a callback installed before ours

// Keyboard thread, on every key going down or up: Alt+Enter and F11 ask for the switch once per
// press; the Enter of Alt+Enter never reaches the screens.
static void gfx_key_event(int scancode) {
    if (gfx_next_key_event) gfx_next_key_event(scancode);
    int code = scancode & 0x7f, down = !(scancode & 0x80);
    if (!down) return;
    if (code == KEY_F11 && !f11_latched) {
        f11_latched = 1;
        gfx.switch_asked = 1;
    } else if (code == KEY_ENTER) {
        if (!enter_latched && (key_shifts & KB_ALT_FLAG)) {
            enter_latched = 1;
            gfx.switch_asked = 1;
        }
        if (enter_latched) key[KEY_ENTER] = 0;
    }
}
END_OF_STATIC_FUNCTION(gfx_key_event)

// Keeps F11 and Alt+Enter (and their repeats) out of the typed-key buffer, which the password
// field reads.
static int gfx_key_typed(int k) {
    if (k >> 8 == KEY_F11) return 0;
    if (k >> 8 == KEY_ENTER && (enter_latched || (key_shifts & KB_ALT_FLAG))) return 0;
    return k;
}
END_OF_STATIC_FUNCTION(gfx_key_typed)

static void gfx_logf(const char *fmt, int a, int b, int c) {
    char line[200];
    snprintf(line, sizeof line, fmt, a, b, c);
    loga(line);
}

// Sets the graphics mode for m; 0 when it was had.
static int gfx_set(const GfxMode &m) {
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, m.w, m.h, 0, 0) != 0) return -1;
    PORT_calm_vsync();
    return 0;
}

// Opens m, or the fallbacks, at the current colour depth; 0 when a window was had.
static int gfx_open(GfxMode &m, int dw, int dh) {
    int failed = gfx_set(m);
    if (failed && m.full) {
        gfx_logf("full screen: no %dx%d window at %d bits per pixel; the largest window that "
                 "fits instead",
                 m.w, m.h, get_color_depth());
        m = GFX_pick_mode(m.scale, dw, dh);
        failed = gfx_set(m);
    }
    if (failed && m.scale != 2) {
        gfx_logf("no %dx%d window at %d bits per pixel; a 2X window instead", m.w, m.h,
                 get_color_depth());
        m = GFX_pick_mode(2, 0, 0);
        failed = gfx_set(m);
    }
    return failed;
}

void GFX_load_icon(const char *path) {
    int conversion = get_color_conversion();
    set_color_conversion(COLORCONV_NONE); // the picture's own colours, whatever the window's
    PALETTE pal;
    BITMAP *pic = GFX_picture_file(path, "icon") ? load_bitmap(path, pal) : nullptr;
    set_color_conversion(conversion);
    if (!pic) {
        char line[300];
        snprintf(line, sizeof line, "missing picture %.200s: the window has no icon", path);
        loga(line);
        return;
    }
    free(gfx.icon);
    int w = pic->w, h = pic->h, depth = bitmap_color_depth(pic);
    gfx.icon_longs = 2 + w * h + 2 + 4 * w * h;
    gfx.icon = (long *)malloc(sizeof(long) * gfx.icon_longs);
    long *out = gfx.icon;
    for (int k = 1; out && k <= 2; k++) { // the picture as it is, then each pixel 2x2
        *out++ = w * k;
        *out++ = h * k;
        for (int y = 0; y < h * k; y++)
            for (int x = 0; x < w * k; x++) {
                int c = getpixel(pic, x / k, y / k);
                long r = getr_depth(depth, c), g = getg_depth(depth, c), b = getb_depth(depth, c);
                int clear = r == 255 && g == 0 && b == 255;
                *out++ = clear ? 0 : (0xFFL << 24) | r << 16 | g << 8 | b;
            }
    }
    if (!gfx.icon) gfx.icon_longs = 0;
    destroy_bitmap(pic);
}

static struct timespec gfx_opened; // when a window was last opened

long GFX_ms_since_window_opened(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - gfx_opened.tv_sec) * 1000 + (now.tv_nsec - gfx_opened.tv_nsec) / 1000000;
}

int GFX_window_has_focus(void) {
    return PORT_has_focus();
}

int GFX_open_window(int size) {
    static bool keys_hooked; // once: the input module chains its own callback onto ours
    if (!keys_hooked) {
        LOCK_FUNCTION(gfx_key_event);
        LOCK_FUNCTION(gfx_key_typed);
        gfx_next_key_event = keyboard_lowlevel_callback;
        keyboard_lowlevel_callback = gfx_key_event;
        keyboard_callback = gfx_key_typed;
        keys_hooked = true;
    }
    int dw = 0, dh = 0;
    if (get_desktop_resolution(&dw, &dh) != 0) dw = dh = 0;
    GfxMode m = GFX_pick_mode(size, dw, dh);
    if (size == 0 && !m.full)
        loga("full screen: the desktop's size is unknown; a 2X window instead");
    if (size >= 2 && size <= 4 && m.scale < size)
        gfx_logf("a %dX window does not fit the %dx%d desktop", size, dw, dh);
    if (gfx.full && !m.full)
        PORT_full_screen_hint(0); // out of full screen before the window shrinks
    // A 15 or 16-bit game on a 32-bit desktop: a 32-bit window, the game's pixels converted once
    // per logical pixel instead of the driver converting every window pixel.
    int depth = get_color_depth(), failed = 1;
    if (system_driver->id == SYSTEM_XWINDOWS && desktop_color_depth() == 32 &&
        GFX_convert_from(depth) == 0) {
        GfxMode want = m;
        set_color_depth(32);
        failed = gfx_open(m, dw, dh);
        set_color_depth(depth);
        // The game's bitmaps keep the pixel layout a window of their own depth would give.
        _rgb_r_shift_15 = 10, _rgb_g_shift_15 = 5, _rgb_b_shift_15 = 0;
        _rgb_r_shift_16 = 11, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 0;
        if (failed) m = want;
    }
    if (failed) failed = gfx_open(m, dw, dh);
    clock_gettime(CLOCK_MONOTONIC, &gfx_opened);
    if (failed) return -1;
    gfx.scale = m.scale;
    gfx.x = m.x;
    gfx.y = m.y;
    gfx.full = m.full;
    if (size >= 2 && size <= 4) gfx.window_size = size;
    set_window_title("Velumbrina");
    // The class the desktop entry names, and the icon a window manager shows.
    PORT_set_class_and_icon("velumbrina", "Velumbrina", gfx.icon, gfx.icon_longs);
    clear_bitmap(screen); // the border around a full-screen picture stays black
    if (m.full && !PORT_full_screen_hint(1))
        loga("full screen: no window manager; the desktop-size window is placed by hand");
    return 0;
}

int GFX_reopen_window(int size) {
    if (!screen) return 0; // no window open: nothing to change
    if (GFX_open_window(size) == 0) return 0;
    loga("the window could not be opened again; leaving");
    close_button_pressed = -1; // the orderly shut-down of the close button
    return -1;
}

void GFX_service(void) {
    FRAMEDUMP_serve();
    if (f11_latched && !PORT_key_held(KEY_F11, "F11")) f11_latched = 0;
    if (enter_latched && !PORT_key_held(KEY_ENTER, "Return")) enter_latched = 0;
    if (!gfx.switch_asked) return;
    gfx.switch_asked = 0;
    if (GFX_reopen_window(gfx.full ? gfx.window_size : 0) == 0) GFX_show_last();
}

int GFX_window_in_use(void) {
    if (!screen) return -1;
    return gfx.full ? 0 : gfx.scale;
}
