// levelmenu.cpp -- the USER LEVEL screen: the list of levels, scrolling, choosing one.
#include "frontend/levelmenu.h"
#include <stdio.h>
#include <string.h>
#include "frontend/menu_sounds.h"
#include "gfx/gfx.h"
#include "platform/leaving.h"
#include "platform/input.h"
#include "platform/temporizadores.h"

enum {
    TITLE_Y = 8,
    LIST_Y = 28, // the first line of the list
    LINE_H = 12, // between lines
    LINES = 11,  // lines shown at once
    NAME_X = 16, // the name, after the selection mark
    NAME_CHARS = 19,
    RIGHT_X = 240, // where the room count ends (the scroll marks after it)
    FOOT_Y = 176,
    WRAP = 30,         // characters of the folder shown per line
    REPEAT_DELAY = 24, // polls of the tick (about 0.4 s) before a held arrow repeats
    REPEAT_EVERY = 5,
};

// Draws one line of the list: the mark, the name cut to fit, the rooms or DAMAGED at the right.
static void draw_line(BITMAP *b, const LevelEntry *e, int y, bool chosen) {
    int colour = chosen ? -1 : makecol(150, 150, 150);
    char name[NAME_CHARS + 1], right[24];
    size_t n = strnlen(e->name, NAME_CHARS); // cut to fit
    memcpy(name, e->name, n);
    name[n] = 0;
    if (e->damaged)
        snprintf(right, sizeof right, "DAMAGED");
    else
        snprintf(right, sizeof right, "%d ROOM%s", e->playable, e->playable == 1 ? "" : "S");
    if (chosen) GFX_gprint(b, 4, y, colour, ">");
    GFX_gprint(b, NAME_X, y, colour, name);
    GFX_gprint(b, RIGHT_X - 8 * (int)strlen(right), y, colour, right);
}

// The screen with no levels: what to do, and the folder over as many lines as it takes.
static void draw_empty(BITMAP *b, const char *folder) {
    GFX_centra(b, 40, -1, "NO LEVELS YET");
    GFX_centra(b, 60, -1, "PUT .VB3 FILES IN THE FOLDER");
    int y = 76;
    for (size_t at = 0, n = strlen(folder); at < n && y < 140; at += WRAP, y += 10) {
        char part[WRAP + 1];
        snprintf(part, sizeof part, "%s", folder + at);
        GFX_centra(b, y, makecol(150, 150, 150), part);
    }
    GFX_centra(b, y + 10, -1, "MAKE ONE WITH");
    GFX_centra(b, y + 20, -1, "VELUMBRINA-LEVEL NEW");
    GFX_centra(b, FOOT_Y, -1, "ESC BACK");
}

static void draw(BITMAP *b, const LevelList *list, const char *folder, int selected, int top) {
    clear_bitmap(b);
    GFX_centra(b, TITLE_Y, -1, "USER LEVEL");
    if (list->count == 0) {
        draw_empty(b, folder);
    } else {
        for (int i = 0; i < LINES && top + i < list->count; i++)
            draw_line(b, &list->entries[top + i], LIST_Y + LINE_H * i, top + i == selected);
        if (top > 0) GFX_gprint(b, RIGHT_X, LIST_Y, -1, "^");
        if (top + LINES < list->count)
            GFX_gprint(b, RIGHT_X, LIST_Y + LINE_H * (LINES - 1), -1, "v");
        char foot[40];
        snprintf(foot, sizeof foot, "%d/%d  ENTER PLAY  ESC BACK", selected + 1, list->count);
        GFX_centra(b, FOOT_Y, -1, foot);
    }
    GFX_blitall(b);
}

// How far the arrows (or a pad's d-pad, stick and shoulders) move the selection this poll: once
// per press, then again and again while held.
static int arrows(int *held_for) {
    int pressed = INPUT_pressed(INPUT_DOWN) ? 1 : INPUT_pressed(INPUT_UP) ? -1 : 0;
    if (INPUT_pressed(INPUT_PAGE_DOWN)) pressed = LINES;
    if (INPUT_pressed(INPUT_PAGE_UP)) pressed = -LINES;
    if (pressed) {
        *held_for = 1;
        return pressed;
    }
    int way = INPUT_down(INPUT_DOWN) ? 1 : INPUT_down(INPUT_UP) ? -1 : 0;
    if (INPUT_down(INPUT_PAGE_DOWN)) way = LINES;
    if (INPUT_down(INPUT_PAGE_UP)) way = -LINES;
    if (!way) {
        *held_for = 0;
        return 0;
    }
    int n = (*held_for)++;
    if (n >= REPEAT_DELAY && (n - REPEAT_DELAY) % REPEAT_EVERY == 0) return way;
    return 0;
}

int FRONT_user_levels(BITMAP *back_buffer, const LevelList *list, const char *folder,
                      int *selected) {
    int sel = *selected, top = 0, held_for = 0;
    if (sel >= list->count) sel = list->count - 1;
    if (sel < 0) sel = 0;
    // The key that ended the screen before is let go first.
    for (INPUT_poll();
         (INPUT_down(INPUT_CONFIRM) || INPUT_down(INPUT_BACK)) && !close_button_pressed;
         INPUT_poll())
        TMR_rest();
    INPUT_clear();
    bool redraw = true;
    int chosen = -1;
    contador_60Hz = 0;
    for (;;) {
        if (sel < top) top = sel;
        if (sel >= top + LINES) top = sel - LINES + 1;
        if (redraw) draw(back_buffer, list, folder, sel, top);
        redraw = false;
        while (contador_60Hz < 1 && !close_button_pressed)
            TMR_rest();
        contador_60Hz = 0;
        INPUT_poll();
        if (close_button_pressed) break;
        if (INPUT_pressed(INPUT_BACK)) {
            FRONT_suena(s_back);
            break;
        }
        if (INPUT_pressed(INPUT_CONFIRM) && list->count > 0) {
            const LevelEntry *e = &list->entries[sel];
            if (!e->damaged && e->playable > 0) {
                FRONT_suena(s_go);
                chosen = sel;
                break;
            }
            FRONT_suena(s_back); // a damaged level, or one with no room to play
        }
        int way = arrows(&held_for);
        if (way && list->count > 0) {
            int to = sel + way;
            if (to < 0) to = 0;
            if (to > list->count - 1) to = list->count - 1;
            if (to != sel) {
                sel = to;
                redraw = true;
                FRONT_suena(s_ting);
            }
        }
    }
    *selected = sel;
    return chosen;
}
