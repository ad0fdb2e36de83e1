// x11_port.h -- the game's one way into Allegro's private internals and Xlib: what the window, the
// presentation and leaving need of the X server and of Allegro's X11 driver beyond its public
// calls.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stdint.h>

// Is a key physically down, or may a press of it still be on its way to Allegro? code is its
// Allegro KEY_ code, x_name its X key name ("F11", "Return"). The X server answers when Allegro's
// X11 driver has a connection (held too while events it sent are not yet handled); otherwise
// Allegro's key state does.
int PORT_key_held(int code, const char *x_name);
// 0 when the X server says another window has the keyboard focus, else 1 (also without X).
int PORT_has_focus(void);
// Watches the key events of Allegro's X11 driver for the server's repeats of a held key (once a
// keyboard is installed; nothing without an X server).
void PORT_watch_key_repeats(void);
// In the keyboard thread's callback, on a key release: 1 when the release is half of the server's
// repeat of a key still held (a press of it follows), 0 when the key was let go.
int PORT_release_repeated(void);
// Gives the window its class (the desktop entry names it) and, when icon is not null, its icon:
// longs values laid out as _NET_WM_ICON wants them (width, height, ARGB pixels; each size).
void PORT_set_class_and_icon(const char *name, const char *group, const long *icon, int longs);
// Asks the window manager to show the window full screen (on 1) or no longer (on 0), by the
// desktop convention; with no window manager, a window going full screen is put at the screen's
// corner. Returns 1 when a window manager was asked, 0 when there is none (or no X).
int PORT_full_screen_hint(int on);
// Gives the graphics mode just set a vsync that rests between the timer's ticks (X only).
void PORT_calm_vsync(void);
// Holds back the X server's updates while dest, the window, is written row by row. Returns 1 when
// they are held: PORT_send_updates must follow; 0 for a memory bitmap or without X.
int PORT_hold_updates(BITMAP *dest);
// Sends the rectangle written while the updates were held to the X server in one go.
void PORT_send_updates(int x, int y, int w, int h);
// Allegro's own conversion of a 15 or 16-bit pixel into a 32-bit window's, for every value v into
// out[v] (65536 entries). Returns 0, or -1 when Allegro has no such conversion.
int PORT_every_pixel_to32(int depth, uint32_t *out);
// Makes Allegro's background work (window events, keyboard) run every 10 ms instead of every
// millisecond; must run before install_allegro.
void PORT_calm_background(void);
// Makes the connection to the X server being lost call gone (which must not return) instead of
// Xlib's exit; the program ends at once if it does return.
void PORT_on_server_lost(void (*gone)(void));
