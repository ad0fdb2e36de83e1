// timeattack.cpp -- the TIME ATTACK screens and what time attack draws over play.
// SPDX-License-Identifier: MIT
#include "frontend/timeattack.h"
#include <stdio.h>
#include <string.h>
#include "frontend/menu_sounds.h"
#include "game/attack.h"
#include "gfx/gfx.h"
#include "platform/input.h"
#include "platform/leaving.h"
#include "platform/temporizadores.h"

enum {
    TITLE_Y = 8,
    LIST_Y = 28,
    LINE_H = 12,
    LINES = 10,
    FOOT_Y = 176,
    GRID_X = 48, // the room grid's first column, 32 pixels apart
    GRID_Y = 40, // its first row, 20 apart
    RECORD_LINES = 13,
};

static int grey(void) {
    return makecol(150, 150, 150);
}

// Waits for the next tick and reads the input; 0 when the close button was pressed.
static int next_tick(void) {
    while (contador_60Hz < 1 && !close_button_pressed)
        TMR_rest();
    contador_60Hz = 0;
    INPUT_poll();
    return !close_button_pressed;
}

// The screen's foot line, and the screen shown.
static void show(BITMAP *b, const char *foot) {
    GFX_centra(b, FOOT_Y, -1, foot);
    GFX_blitall(b);
}

// Waits for the next tick: 1 when the player leaves the screen (Escape, or the close button).
static int leaving(void) {
    if (!next_tick()) return 1;
    if (!INPUT_pressed(INPUT_BACK)) return 0;
    FRONT_suena(s_back);
    return 1;
}

// Lets go of the Enter or Escape that ended the screen before, and forgets the presses.
static void settle(void) {
    for (INPUT_poll();
         (INPUT_down(INPUT_CONFIRM) || INPUT_down(INPUT_BACK)) && !close_button_pressed;
         INPUT_poll())
        TMR_rest();
    INPUT_clear();
    contador_60Hz = 0;
}

// Moves *at by way within 0..count-1 with a tick; 1 when it moved.
static int move(int *at, int way, int count) {
    int to = *at + way;
    if (to < 0 || to >= count || !way) return 0;
    *at = to;
    FRONT_suena(s_ting);
    return 1;
}

int FRONT_attack_levels(BITMAP *b, const AttackLevel *levels, int count, int *selected) {
    int lines = count + 1, sel = *selected, top = 0; // then RECORDS
    if (sel < 0 || sel >= lines) sel = 0;
    settle();
    int chosen = ATTACK_BACK;
    for (bool redraw = true;;) {
        if (sel < top) top = sel;
        if (sel >= top + LINES) top = sel - LINES + 1;
        if (redraw) {
            clear_bitmap(b);
            GFX_centra(b, TITLE_Y, -1, "TIME ATTACK");
            for (int i = 0; i < LINES && top + i < lines; i++) {
                int n = top + i, y = LIST_Y + LINE_H * i;
                char text[40];
                snprintf(text, sizeof text, "%.24s", n < count ? levels[n].name : "RECORDS");
                if (n == sel) GFX_gprint(b, 8, y, -1, ">");
                GFX_gprint(b, 24, y, n == sel ? -1 : grey(), text);
            }
            show(b, "ENTER CHOOSE  ESC BACK");
        }
        if (leaving()) break;
        if (INPUT_pressed(INPUT_CONFIRM)) {
            FRONT_suena(s_go);
            chosen = sel < count ? sel : ATTACK_RECORDS;
            break;
        }
        int way = INPUT_pressed(INPUT_DOWN) ? 1 : INPUT_pressed(INPUT_UP) ? -1 : 0;
        redraw = move(&sel, way, lines);
    }
    *selected = sel;
    return chosen;
}

// The time of frames, or "--" for none.
static void time_or_none(int frames, char *out, size_t size) {
    if (frames > 0)
        ATTACK_time_text(frames, 0, out, size);
    else
        snprintf(out, size, "--");
}

int FRONT_attack_rooms(BITMAP *b, const char *name, unsigned open, const LevelRecord *rec,
                       const ParFile *par, int *selected) {
    int sel = *selected >= 0 && *selected < ROOM_COUNT ? *selected : 0;
    settle();
    int chosen = ATTACK_BACK;
    for (bool redraw = true;;) {
        if (redraw) {
            clear_bitmap(b);
            char text[48], best[16], par_text[16];
            snprintf(text, sizeof text, "%.30s", name);
            GFX_centra(b, TITLE_Y, -1, text);
            GFX_centra(b, TITLE_Y + 12, grey(), "CHOOSE A ROOM");
            for (int room = 0; room < ROOM_COUNT; room++) {
                int x = GRID_X + 32 * (room % 5), y = GRID_Y + 20 * (room / 5);
                bool is_open = open >> room & 1;
                snprintf(text, sizeof text, is_open ? "%2d" : "--", room + 1);
                GFX_gprint(b, x, y, room == sel ? -1 : grey(), text);
                if (room == sel) GFX_gprint(b, x - 10, y, -1, ">");
            }
            time_or_none(rec ? rec->rooms[sel].best : 0, best, sizeof best);
            time_or_none(par ? PAR_room(par, sel) : 0, par_text, sizeof par_text);
            snprintf(text, sizeof text, "BEST %s  PAR %s", best, par_text);
            GFX_centra(b, 150, -1, (open >> sel & 1) ? text : "NOT REACHED YET");
            show(b, "ENTER PLAY  ESC BACK");
        }
        if (leaving()) break;
        if (INPUT_pressed(INPUT_CONFIRM)) {
            if (open >> sel & 1) {
                FRONT_suena(s_go);
                chosen = sel;
                break;
            }
            FRONT_suena(s_back);
        }
        int way = INPUT_pressed(INPUT_DOWN)         ? 5
                  : INPUT_pressed(INPUT_UP)         ? -5
                  : INPUT_pressed(INPUT_MENU_RIGHT) ? 1
                  : INPUT_pressed(INPUT_MENU_LEFT)  ? -1
                                                    : 0;
        redraw = move(&sel, way, ROOM_COUNT);
    }
    *selected = sel;
    return chosen;
}

void FRONT_record_line(int room, const RoomRecord *r, int par, char *out, size_t size) {
    char best[16], par_text[16];
    time_or_none(r ? r->best : 0, best, sizeof best);
    time_or_none(par, par_text, sizeof par_text);
    snprintf(out, size, "%2d %7s %7s %5d %4d", room + 1, best, par_text, r ? r->attempts : 0,
             r ? r->deaths : 0);
}

// The records of one level: a page of rooms from top, and the sums.
static void draw_records(BITMAP *b, const AttackLevel *level, const LevelRecord *rec,
                         const ParFile *par, int top) {
    clear_bitmap(b);
    char text[64], sum_best[16], sum_par[16];
    snprintf(text, sizeof text, "< %.24s >", level->name);
    GFX_centra(b, TITLE_Y, -1, "RECORDS");
    GFX_centra(b, TITLE_Y + 10, -1, text);
    GFX_gprint(b, 8, 30, grey(), "RM    BEST     PAR TRIES DIED");
    for (int i = 0; i < RECORD_LINES && top + i < ROOM_COUNT; i++) {
        int room = top + i;
        FRONT_record_line(room, rec ? &rec->rooms[room] : nullptr, par ? PAR_room(par, room) : 0,
                          text, sizeof text);
        GFX_gprint(b, 8, 40 + 9 * i, -1, text);
    }
    // The sums over the rooms that have both, so that they compare like with like.
    int bests = 0, pars = 0, rooms = 0;
    for (int room = 0; room < ROOM_COUNT; room++) {
        int best = rec ? rec->rooms[room].best : 0, p = par ? PAR_room(par, room) : 0;
        if (best > 0 && p > 0) {
            bests += best;
            pars += p;
            rooms++;
        }
    }
    time_or_none(bests, sum_best, sizeof sum_best);
    time_or_none(pars, sum_par, sizeof sum_par);
    snprintf(text, sizeof text, "%d ROOMS %s PAR %s", rooms, sum_best, sum_par);
    GFX_centra(b, 160, -1, text);
    show(b, "ARROWS MORE  ESC BACK");
}

void FRONT_records(BITMAP *b, const AttackLevel *levels, int count, const LevelRecord *const *recs,
                   const ParFile *const *pars, int *selected) {
    if (count <= 0) return;
    int sel = *selected >= 0 && *selected < count ? *selected : 0, top = 0;
    settle();
    for (bool redraw = true;;) {
        if (redraw) draw_records(b, &levels[sel], recs[sel], pars[sel], top);
        redraw = false;
        if (!next_tick()) break;
        if (INPUT_pressed(INPUT_BACK) || INPUT_pressed(INPUT_CONFIRM)) {
            FRONT_suena(s_back);
            break;
        }
        int way = INPUT_pressed(INPUT_MENU_RIGHT) ? 1 : INPUT_pressed(INPUT_MENU_LEFT) ? -1 : 0;
        if (move(&sel, way, count)) {
            redraw = true;
            top = 0;
        }
        int scroll = INPUT_pressed(INPUT_DOWN) ? RECORD_LINES
                     : INPUT_pressed(INPUT_UP) ? -RECORD_LINES
                                               : 0;
        int to = top + scroll;
        if (scroll && to >= 0 && to < ROOM_COUNT) {
            top = to;
            redraw = true;
        }
    }
    *selected = sel;
}

// A dark box over the frame's room area, rows y0..y1.
static void shade(BITMAP *frame, int y0, int y1) {
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    rectfill(frame, 24, y0, 231, y1, 0);
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
}

void FRONT_attack_card(BITMAP *frame, const char *name, int room, int best, int par) {
    char text[48], a[16], p[16];
    shade(frame, 40, 140);
    snprintf(text, sizeof text, "TIME ATTACK %.16s", name);
    GFX_centra(frame, 48, -1, text);
    snprintf(text, sizeof text, "ROOM %d", room + 1);
    GFX_centra(frame, 60, -1, text);
    time_or_none(best, a, sizeof a);
    time_or_none(par, p, sizeof p);
    snprintf(text, sizeof text, "BEST %s  PAR %s", a, p);
    GFX_centra(frame, 76, -1, text);
    char keys[24];
    INPUT_keys_text(INPUT_RETRY, keys, 8);
    snprintf(text, sizeof text, "%s RESTART", keys);
    GFX_centra(frame, 96, -1, text);
    GFX_centra(frame, 106, -1, "TAB SHOW ME");
    GFX_centra(frame, 124, -1, "PRESS ENTER");
}

// "LABEL TIME (DIFF)" of one comparison, or "LABEL --" with nothing to compare with.
static void compare_line(const char *label, int time, int against, char *out, size_t size) {
    char a[16], d[16];
    if (against <= 0) {
        snprintf(out, size, "%s --", label);
        return;
    }
    ATTACK_time_text(against, 0, a, sizeof a);
    ATTACK_time_text(time - against, 1, d, sizeof d);
    snprintf(out, size, "%s %s %s", label, a, d);
}

void FRONT_attack_result(BITMAP *frame, int time, int old_best, int par, int assisted) {
    char text[48], t[16];
    shade(frame, 40, 150);
    ATTACK_time_text(time, 0, t, sizeof t);
    snprintf(text, sizeof text, "TIME %s", t);
    GFX_centra(frame, 48, -1, text);
    if (assisted)
        GFX_centra(frame, 60, -1, "ASSISTED: NOT A BEST");
    else if (old_best <= 0 || time < old_best)
        GFX_centra(frame, 60, -1, "NEW BEST");
    compare_line("BEST", time, old_best, text, sizeof text);
    GFX_centra(frame, 76, -1, text);
    compare_line("PAR", time, par, text, sizeof text);
    GFX_centra(frame, 88, -1, text);
    GFX_centra(frame, 112, -1, "ENTER AGAIN");
    GFX_centra(frame, 124, -1, "ESC LEAVE");
}

void FRONT_attack_note(BITMAP *frame, const char *text) {
    rectfill(frame, 24, 19, 231, 30, 0);
    GFX_centra(frame, 21, -1, text);
}
