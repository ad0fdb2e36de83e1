// levelmenu.cpp -- the USER LEVEL screen: the list of levels, scrolling, choosing one.
#include "frontend/levelmenu.h"
#include <ctype.h>
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
    LINES = 10,  // lines shown at once
    NAME_X = 16, // the name, after the selection mark
    NAME_CHARS = 19,
    RIGHT_X = 240, // where the room count ends (the scroll marks after it)
    FILE_Y = 148,  // the chosen level's file
    NOTE_Y = 158,  // up to two lines about what is not listed
    FOOT_Y = 176,
    TEXT_CHARS = 32,   // characters across the screen
    WRAP = 30,         // characters of the folder shown per line
    REPEAT_DELAY = 24, // polls of the tick (about 0.4 s) before a held arrow repeats
    REPEAT_EVERY = 5,
};

// The name as the list shows it, cut to fit: with the file's name after it when another level
// has the same name, the name cut shorter first.
static void shown_name(const LevelEntry *e, char *out, size_t size) {
    const char *file = LEVELS_file(e);
    int stem = (int)strlen(file) - 4, name = (int)strnlen(e->name, NAME_CHARS); // no ".vb3"
    if (!e->name_shared) {
        snprintf(out, size, "%.*s", name, e->name);
        return;
    }
    int room = NAME_CHARS - stem - 3; // the name's share beside " (file)"
    if (name > room) name = room > 6 ? room : 6;
    snprintf(out, size, "%.*s (%.*s)", name, e->name, stem, file);
    if (strlen(out) > NAME_CHARS) out[NAME_CHARS] = 0;
}

// Draws one line of the list: the mark, the name cut to fit, the rooms or DAMAGED at the right.
static void draw_line(BITMAP *b, const LevelEntry *e, int y, bool chosen) {
    int colour = chosen ? -1 : makecol(150, 150, 150);
    char name[NAME_CHARS + LEVEL_PATH_MAX], right[24];
    shown_name(e, name, sizeof name);
    if (e->damaged)
        snprintf(right, sizeof right, "DAMAGED");
    else
        snprintf(right, sizeof right, "%d ROOM%s", e->playable, e->playable == 1 ? "" : "S");
    if (chosen) GFX_gprint(b, 4, y, colour, ">");
    GFX_gprint(b, NAME_X, y, colour, name);
    GFX_gprint(b, RIGHT_X - 8 * (int)strlen(right), y, colour, right);
}

// The lines about what the list leaves out, most important first: a folder that cannot be read
// (and why), level files past the limit, entries that are not files. Returns how many (up to 4).
static int notes(const LevelList *list, char text[4][TEXT_CHARS + 1]) {
    int n = 0;
    if (list->read_err) {
        snprintf(text[n++], TEXT_CHARS + 1, "CANNOT READ %.20s", list->unread);
        snprintf(text[n], TEXT_CHARS + 1, "%s", strerror(list->read_err));
        for (char *c = text[n++]; *c; c++)
            *c = (char)toupper((unsigned char)*c);
    }
    if (list->dropped)
        snprintf(text[n++], TEXT_CHARS + 1, "%d MORE NOT LISTED (%d SHOWN)", list->dropped,
                 LEVEL_LIST_MAX);
    if (list->skipped)
        snprintf(text[n++], TEXT_CHARS + 1, "%d SKIPPED: NOT %s", list->skipped,
                 list->skipped == 1 ? "A PLAIN FILE" : "PLAIN FILES");
    return n;
}

// The screen with no levels: what to do, and the folder over as many lines as it takes; or, when
// a folder cannot be read, that.
static void draw_empty(BITMAP *b, const LevelList *list, const char *folder) {
    char text[4][TEXT_CHARS + 1];
    int n = notes(list, text);
    GFX_centra(b, 40, -1, list->read_err ? "NO LEVELS TO SHOW" : "NO LEVELS YET");
    GFX_centra(b, 60, -1, "PUT .VB3 FILES IN THE FOLDER");
    int y = 76;
    for (size_t at = 0, len = strlen(folder); at < len && y < 120; at += WRAP, y += 10) {
        char part[WRAP + 1];
        snprintf(part, sizeof part, "%s", folder + at);
        GFX_centra(b, y, makecol(150, 150, 150), part);
    }
    GFX_centra(b, y + 10, -1, "MAKE ONE WITH");
    GFX_centra(b, y + 20, -1, "VELUMBRINA-LEVEL NEW");
    for (int i = 0; i < n && i < 2; i++)
        GFX_centra(b, NOTE_Y + 8 * i, -1, text[i]);
    GFX_centra(b, FOOT_Y, -1, "ESC BACK");
}

static void draw(BITMAP *b, const LevelList *list, const char *folder, int selected, int top) {
    clear_bitmap(b);
    GFX_centra(b, TITLE_Y, -1, "USER LEVEL");
    if (list->count == 0) {
        draw_empty(b, list, folder);
    } else {
        for (int i = 0; i < LINES && top + i < list->count; i++)
            draw_line(b, &list->entries[top + i], LIST_Y + LINE_H * i, top + i == selected);
        if (top > 0) GFX_gprint(b, RIGHT_X, LIST_Y, -1, "^");
        if (top + LINES < list->count)
            GFX_gprint(b, RIGHT_X, LIST_Y + LINE_H * (LINES - 1), -1, "v");
        char line[48], text[4][TEXT_CHARS + 1];
        snprintf(line, TEXT_CHARS + 1, "%s", LEVELS_file(&list->entries[selected]));
        GFX_centra(b, FILE_Y, makecol(150, 150, 150), line);
        int n = notes(list, text);
        for (int i = 0; i < n && i < 2; i++)
            GFX_centra(b, NOTE_Y + 8 * i, -1, text[i]);
        snprintf(line, sizeof line, "%d/%d  ENTER PLAY  ESC BACK", selected + 1, list->count);
        GFX_centra(b, FOOT_Y, -1, line);
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
