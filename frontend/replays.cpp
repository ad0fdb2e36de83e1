// replays.cpp -- the REPLAYS screens: the levels, rooms and attempts kept, and what watching one
// shows besides the room.
// SPDX-License-Identifier: MIT
#include "frontend/replays.h"
#include <stdio.h>
#include <string.h>
#include <time.h>
#include "frontend/menu_sounds.h"
#include "game/attack.h"
#include "gfx/gfx.h"
#include "platform/input.h"
#include "platform/leaving.h"
#include "platform/temporizadores.h"

enum { TITLE_Y = 8, SUB_Y = 20, LIST_Y = 36, LINE_H = 11, LINES = 10, HINT_Y = 152, FOOT_Y = 176 };

// Is Enter or Escape still down from the screen before?
static bool still_held(void) {
    INPUT_poll();
    return (INPUT_down(INPUT_CONFIRM) || INPUT_down(INPUT_BACK)) && !close_button_pressed;
}

// Waits until the key that ended the screen before is let go, and forgets the presses.
static void settle(void) {
    while (still_held())
        TMR_rest();
    INPUT_clear();
}

int FRONT_replay_list(BITMAP *b, const char *title, const char *subtitle, const char *hint1,
                      const char *hint2, const char (*lines)[REPLAYS_LINE_MAX], int count,
                      int *selected) {
    int sel = *selected >= 0 && *selected < count ? *selected : 0, top = 0;
    int grey = makecol(150, 150, 150);
    settle();
    for (bool redraw = true;; redraw = false) {
        if (sel < top) top = sel;
        if (sel >= top + LINES) top = sel - LINES + 1;
        if (redraw) {
            clear_bitmap(b);
            GFX_centra(b, TITLE_Y, -1, title);
            GFX_centra(b, SUB_Y, grey, subtitle);
            for (int i = 0; i < LINES && top + i < count; i++) {
                int y = LIST_Y + LINE_H * i;
                if (top + i == sel) GFX_gprint(b, 0, y, -1, ">");
                GFX_gprint(b, 10, y, top + i == sel ? -1 : grey, lines[top + i]);
            }
            if (count == 0) GFX_centra(b, LIST_Y, grey, "NOTHING KEPT YET");
            if (hint1) GFX_centra(b, HINT_Y, grey, hint1);
            if (hint2) GFX_centra(b, HINT_Y + 11, grey, hint2);
            GFX_centra(b, FOOT_Y, -1, count ? "ENTER CHOOSE  ESC BACK" : "ESC BACK");
            GFX_blitall(b);
        }
        TMR_rest();
        INPUT_poll();
        if (close_button_pressed) return REPLAYS_BACK;
        if (INPUT_pressed(INPUT_BACK)) {
            FRONT_suena(s_back);
            return REPLAYS_BACK;
        }
        if (count && INPUT_pressed(INPUT_CONFIRM)) {
            FRONT_suena(s_go);
            *selected = sel;
            return sel;
        }
        int way = INPUT_pressed(INPUT_DOWN) ? 1 : INPUT_pressed(INPUT_UP) ? -1 : 0;
        if (way && sel + way >= 0 && sel + way < count) {
            sel += way;
            *selected = sel;
            FRONT_suena(s_ting);
            redraw = true;
        }
    }
}

void FRONT_replay_line(const ReplayListed *l, char *out, size_t size) {
    const char *mark = l->best ? "*" : " ";
    if (l->damaged) {
        snprintf(out, size, "%sDAMAGED FILE", mark);
        return;
    }
    char when[16] = "--", t[16], ending[16];
    time_t start = (time_t)l->recorded;
    struct tm tm = {};
    if (l->recorded > 0 && localtime_r(&start, &tm))
        strftime(when, sizeof when, "%m-%d %H:%M", &tm);
    ATTACK_time_text(l->frames, 0, t, sizeof t);
    snprintf(ending, sizeof ending, "%s", REPLAY_ending_name(l->ending));
    for (char *c = ending; *c; c++)
        if (*c >= 'a' && *c <= 'z') *c = (char)(*c - 'a' + 'A');
    snprintf(out, size, "%s%-11s %-10s %6s", mark, when, ending, t);
}

void FRONT_replay_keys(int keys, int speed, char *out, size_t size) {
    snprintf(out, size, "KEYS %c%c%c%c %dX", keys & REPLAY_KEY_LEFT ? '<' : '-',
             keys & REPLAY_KEY_RIGHT ? '>' : '-', keys & REPLAY_KEY_HIGH_JUMP ? '^' : '-',
             keys & REPLAY_KEY_LONG_JUMP ? 'v' : '-', speed);
}

void FRONT_replay_message(BITMAP *b, const char *title, const char *line1, const char *line2) {
    clear_bitmap(b);
    GFX_centra(b, 72, -1, title);
    if (line1) GFX_centra(b, 92, makecol(150, 150, 150), line1);
    if (line2) GFX_centra(b, 104, makecol(150, 150, 150), line2);
    GFX_centra(b, FOOT_Y, -1, "ESC BACK");
    GFX_blitall(b);
    settle();
    while (!close_button_pressed) {
        TMR_rest();
        INPUT_poll();
        if (INPUT_pressed(INPUT_BACK) || INPUT_pressed(INPUT_CONFIRM)) break;
    }
    FRONT_suena(s_back);
}
