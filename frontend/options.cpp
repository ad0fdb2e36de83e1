// options.cpp -- the OPTIONS screen: window size, scanlines, colour depth, music and effect
// volumes, sound on or off, time attack's ghost, and the ways into the CONTROLS and ASSIST screens.
// A change takes effect at once, but for the colour depth: every picture would have to be loaded
// again, so it waits for the next start and the screen says so. SPDX-License-Identifier: MIT
#include "frontend/options.h"
#include <stdio.h>
#include "frontend/assist.h"
#include "frontend/controls.h"
#include "frontend/menu_anim.h"
#include "frontend/menu_sounds.h"
#include "gfx/gfx.h"
#include "platform/leaving.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/sound_service.h"
#include "platform/temporizadores.h"

enum {
    OPT_TOP = 86,     // the first line's row, under the title's name
    OPT_SPACING = 9,  // rows from one line to the next
    OPT_LABEL_X = 28, // the labels' column; values start 12 characters on
    OPT_BAR_X = 124,  // the volume bars: 64 pixels for 127
    OPT_VOLUME_STEP = 8,
    OPT_REPEAT_AFTER = 10, // frames an arrow is held before a volume starts to run
};

// The screen's state: the title music, the selected line, and the arrow that last changed a value
// (a held key changes once; a held arrow runs a volume after a while).
static struct {
    FMUSIC_MODULE *song;
    int selected;
    int side, held;
} opt = {nullptr, OPTION_WINDOW, 0, 0};

static int opt_clamp(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

// The next of a list of values, either way, wrapping; the first when v is not in it.
static int opt_cycle(const int *values, int n, int v, int step) {
    int i = 0;
    while (i < n && values[i] != v)
        i++;
    if (i == n) return values[0];
    return values[(i + step + n) % n];
}

static void window_change(int step) {
    static const int sizes[] = {2, 3, 4, 0};
    CFG_window = opt_cycle(sizes, 4, CFG_window, step);
    GFX_reopen_window(CFG_window);
}

// A window size as the screen names it.
static const char *window_name(int size, char *text, int n) {
    if (size == 0)
        snprintf(text, n, "FULL SCREEN");
    else
        snprintf(text, n, "%dX", size);
    return text;
}

// The saved size; when the window in use differs (F11 or Alt+Enter, or a size that does not fit
// the desktop), the one in use first.
static void window_value(char *text, int size, int *) {
    char saved[16], now[16];
    int in_use = GFX_window_in_use();
    window_name(CFG_window, saved, sizeof saved);
    if (in_use < 0 || in_use == CFG_window) {
        snprintf(text, size, "%s", saved);
        return;
    }
    if (CFG_window == 0) snprintf(saved, sizeof saved, "FULL");
    snprintf(text, size, "%s, SAVED %s",
             in_use == 0 ? "FULL" : window_name(in_use, now, sizeof now), saved);
}

static void scanlines_change(int) {
    CFG_scanlines = !CFG_scanlines;
    if (CFG_scanlines)
        GFX_scanlines();
    else
        GFX_noscanlines();
}

static void scanlines_value(char *text, int size, int *) {
    snprintf(text, size, "%s", CFG_scanlines ? "ON" : "OFF");
}

static void colours_change(int step) {
    static const int depths[] = {15, 16, 32};
    CFG_bitdepth = opt_cycle(depths, 3, CFG_bitdepth, step);
}

static void colours_value(char *text, int size, int *) {
    snprintf(text, size, "%d BITS", CFG_bitdepth);
}

static void music_change(int step) {
    CFG_soundvol = opt_clamp(CFG_soundvol + step * OPT_VOLUME_STEP, 0, CFG_VOLUME_MAX);
    FMUSIC_SetMasterVolume(opt.song, CFG_volume(CFG_soundvol));
}

static void music_value(char *text, int size, int *bar) {
    snprintf(text, size, "%12d", CFG_soundvol);
    *bar = CFG_soundvol;
}

static void effects_change(int step) {
    CFG_sfxvol = opt_clamp(CFG_sfxvol + step * OPT_VOLUME_STEP, 0, CFG_VOLUME_MAX);
    FSOUND_SetSFXMasterVolume(CFG_volume(CFG_sfxvol));
}

static void effects_value(char *text, int size, int *bar) {
    snprintf(text, size, "%12d", CFG_sfxvol);
    *bar = CFG_sfxvol;
}

static void sound_change(int) {
    FRONT_set_sound(!CFG_soundon);
}

static void sound_value(char *text, int size, int *) {
    snprintf(text, size, "%s", CFG_soundon ? "ON" : "OFF");
}

// The best's ghost in TIME ATTACK: the next try starts with it or without it.
static void ghost_change(int) {
    settings.ghost = !settings.ghost;
}

static void ghost_value(char *text, int size, int *) {
    snprintf(text, size, "%s", settings.ghost ? "ON" : "OFF");
}

// One line: its label, how a step changes its value (null: a line to leave by), its value as
// text and its bar (left at -1 when it has none).
static const struct {
    const char *label;
    void (*change)(int step);
    void (*value)(char *text, int size, int *bar);
    int repeats; // 1: a held arrow keeps changing it
} opt_lines[OPTION_LINES] = {
    {"WINDOW", window_change, window_value, 0},
    {"SCANLINES", scanlines_change, scanlines_value, 0},
    {"COLOURS", colours_change, colours_value, 0},
    {"MUSIC", music_change, music_value, 1},
    {"EFFECTS", effects_change, effects_value, 1},
    {"SOUND", sound_change, sound_value, 0},
    {"GHOST", ghost_change, ghost_value, 0},
    {"CONTROLS", nullptr, nullptr, 0},
    {"ASSIST", nullptr, nullptr, 0},
    {"BACK", nullptr, nullptr, 0},
};

int OPTIONS_change(int line, int step) {
    if (line < 1 || line > OPTION_LINES || !opt_lines[line - 1].change) return 0;
    opt_lines[line - 1].change(step < 0 ? -1 : 1);
    FRONT_suena(s_ting); // after the change: EFFECTS is heard at its new volume
    return 1;
}

void OPTIONS_line(int line, char *text, int size, int *bar) {
    *bar = -1;
    if (line < 1 || line > OPTION_LINES) {
        snprintf(text, size, "%s", "");
        return;
    }
    char value[24] = "";
    if (opt_lines[line - 1].value) opt_lines[line - 1].value(value, sizeof value, bar);
    snprintf(text, size, "%-12s%s", opt_lines[line - 1].label, value);
}

int OPTIONS_depth_pending(void) {
    return CFG_bitdepth != get_color_depth(); // the game's depth, whatever the window's
}

static int opt_row(int line) {
    return OPT_TOP + OPT_SPACING * (line - 1);
}

// The lines: faint, every line with its bar; bright, the selected line and the note about the
// colour depth.
static void opt_draw(BITMAP *b, int bright) {
    for (int i = 1; i <= OPTION_LINES; i++) {
        if (bright && i != opt.selected) continue;
        char text[48];
        int bar;
        OPTIONS_line(i, text, sizeof text, &bar);
        int y = opt_row(i);
        GFX_gprint(b, OPT_LABEL_X, y, -1, text);
        if (bar < 0) continue;
        int white = makecol(255, 255, 255);
        rect(b, OPT_BAR_X, y, OPT_BAR_X + 64, y + 7, white);
        if (bar > 0)
            rectfill(b, OPT_BAR_X + 2, y + 2, OPT_BAR_X + 2 + (bar - 1) * 60 / 126, y + 5, white);
    }
    if (!bright) return;
    if (OPTIONS_depth_pending()) GFX_centra(b, 182, -1, "NEW COLOURS AT NEXT START");
}

void OPTIONS_frame(MenuScene *s, BITMAP *back_buffer, int selected) {
    opt.selected = selected;
    MENU_frame(s, back_buffer, 16, OPT_TOP - 8, 240, opt_row(OPTION_LINES) + 13, 1, opt_draw);
}

// The keys of one frame; returns 1 when the screen is to be left.
static int opt_keys(MenuScene *s, BITMAP *back_buffer) {
    if (close_button_pressed) return 1;
    INPUT_poll();
    if (INPUT_pressed(INPUT_BACK)) {
        FRONT_suena(s_back);
        return 1;
    }
    MENU_arrows(&opt.selected, OPTION_LINES);
    int pressed = INPUT_pressed(INPUT_MENU_LEFT) ? -1 : INPUT_pressed(INPUT_MENU_RIGHT) ? 1 : 0;
    int held = INPUT_down(INPUT_MENU_LEFT) ? -1 : INPUT_down(INPUT_MENU_RIGHT) ? 1 : 0;
    if (pressed) {
        opt.side = pressed;
        opt.held = 0;
        OPTIONS_change(opt.selected, pressed);
    } else if (!held || held != opt.side) {
        opt.side = 0;
    } else if (opt_lines[opt.selected - 1].repeats && ++opt.held >= OPT_REPEAT_AFTER &&
               opt.held % 2 == 0) {
        OPTIONS_change(opt.selected, held);
    }
    if (INPUT_pressed(INPUT_CONFIRM)) {
        if (opt.selected == OPTION_CONTROLS) {
            FRONT_suena(s_go);
            CONTROLS_screen(s, back_buffer);
        } else if (opt.selected == OPTION_ASSIST) {
            FRONT_suena(s_go);
            ASSIST_screen(s, back_buffer);
        } else if (!OPTIONS_change(opt.selected, 1)) {
            FRONT_suena(s_back);
            return 1;
        }
    }
    return 0;
}

int OPTIONS_screen(BITMAP *back_buffer, PALETTE palette, FMUSIC_MODULE *title_song) {
    static Settings before; // every setting, to tell whether any was changed
    before = settings;
    opt.song = title_song;
    opt.selected = OPTION_WINDOW;
    opt.side = 0;
    INPUT_clear(); // the Enter that chose OPTIONS on the menu changes nothing
    MenuScene s;
    MENU_scene_load(&s, palette);
    s.anim.fade = 32; // the scrolling picture comes up as the screen opens
    while (!opt_keys(&s, back_buffer)) {
        if (s.anim.fade > 0) s.anim.fade--;
        OPTIONS_frame(&s, back_buffer, opt.selected);
    }
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    MENU_scene_free(&s);
    return !CFG_same(&before, &settings);
}
