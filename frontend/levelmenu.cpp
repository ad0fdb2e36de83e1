// levelmenu.cpp -- the USER LEVEL screen: the list of levels with their state, scrolling, the
// room to start at, the folder and the way to open it, why a damaged level cannot be played.
// SPDX-License-Identifier: MIT
#include "frontend/levelmenu.h"
#include <ctype.h>
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include "frontend/menu_anim.h"
#include "frontend/menu_sounds.h"
#include "gfx/gfx.h"
#include "level/mapfile.h"
#include "platform/desktop.h"
#include "platform/input.h"
#include "platform/leaving.h"
#include "platform/temporizadores.h"

enum {
    BOX_X0 = 16,
    BOX_Y0 = 74,
    BOX_X1 = 240,
    BOX_Y1 = 180,
    HEAD_Y = 78, // the columns' names
    LIST_Y = 88, // the first line of the list
    LINE_H = 9,  // between lines
    LINES = 5,   // lines of the list shown at once (fewer when notes take the last)
    NAME_X = 20,
    NAME_CHARS = 12,
    ROOMS_END_X = 140, // where the room count ends
    STATE_X = 148,
    DETAIL_Y = 134, // what the chosen level's state means
    START_Y = 144,  // the room play starts at
    FOLDER_Y = 154, // the folder's label, its path over the two lines under it
    FOOT_Y = 184,
    TEXT_CHARS = 27,   // characters across the box
    REPEAT_DELAY = 24, // polls of the tick (about 0.4 s) before a held arrow repeats
    REPEAT_EVERY = 5,
};

// The screen's state, for the drawing that MENU_frame calls back.
static struct {
    const LevelList *list;
    const char *folder;
    int sel, top, start;       // start: the card number of the room play starts at
    bool reason;               // the chosen DAMAGED level's reason fills the box
    char note[TEXT_CHARS + 1]; // what the folder key did
} ul;

const char *FRONT_level_state(const LevelEntry *e) {
    if (e->damaged) return "DAMAGED";
    return e->proof == PROOF_VERIFIED ? "VERIFIED" : "UNVERIFIED";
}

// Copies text in capitals into out, cut to size - 1 characters.
static void capitals(const char *text, char *out, int size) {
    int i = 0;
    for (; i < size - 1 && text[i]; i++)
        out[i] = (char)toupper((unsigned char)text[i]);
    out[i] = 0;
}

void FRONT_level_detail(const LevelEntry *e, char *text, int size) {
    char line[LEVEL_WHY_MAX + 32];
    if (e->damaged) // the reason, up to what it says about sizes
        snprintf(line, sizeof line, "%.*s", (int)strcspn(e->why, "("), e->why);
    else if (e->playable == 0)
        snprintf(line, sizeof line, "no room can be played");
    else if (e->proof == PROOF_VERIFIED)
        snprintf(line, sizeof line, "every room's proof plays");
    else if (e->proof == PROOF_FAILS)
        snprintf(line, sizeof line, "room %d: %s", e->proof_room, e->why);
    else
        snprintf(line, sizeof line, "no proofs with it");
    capitals(line, text, size);
}

int FRONT_next_room(unsigned rooms, int card, int step) {
    int first = 0;
    while (first < ROOM_COUNT && !(rooms >> first & 1))
        first++;
    if (first == ROOM_COUNT) return 1;
    if (card < 1 || card > ROOM_COUNT || !(rooms >> (card - 1) & 1)) return first + 1;
    for (int room = card - 1 + step; room >= 0 && room < ROOM_COUNT; room += step)
        if (rooms >> room & 1) return room + 1;
    return card;
}

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
    if (name > room) name = room > 4 ? room : 4;
    snprintf(out, size, "%.*s (%.*s)", name, e->name, stem, file);
    if (strlen(out) > NAME_CHARS) out[NAME_CHARS] = 0;
}

// One line of the list: the mark, the name cut to fit, the rooms, the state.
static void draw_line(BITMAP *b, const LevelEntry *e, int y, bool chosen) {
    char name[NAME_CHARS + LEVEL_PATH_MAX], rooms[8];
    shown_name(e, name, sizeof name);
    if (chosen) GFX_gprint(b, NAME_X - 12, y, -1, ">");
    GFX_gprint(b, NAME_X, y, -1, name);
    if (!e->damaged) {
        snprintf(rooms, sizeof rooms, "%d", e->playable);
        GFX_gprint(b, ROOMS_END_X - 8 * (int)strlen(rooms), y, -1, rooms);
    }
    GFX_gprint(b, STATE_X, y, -1, FRONT_level_state(e));
}

// The lines about what the list leaves out, most important first: a folder that cannot be read
// (and why), level files past the limit, entries that are not files. Returns how many (up to 3).
static int notes(const LevelList *list, char text[3][TEXT_CHARS + 1]) {
    int n = 0;
    if (list->read_err) {
        char line[LEVEL_PATH_MAX + 80];
        snprintf(line, sizeof line, "cannot read it: %s", strerror(list->read_err));
        capitals(line, text[n++], TEXT_CHARS + 1);
    }
    if (list->dropped) snprintf(text[n++], TEXT_CHARS + 1, "%d MORE NOT LISTED", list->dropped);
    if (list->skipped)
        snprintf(text[n++], TEXT_CHARS + 1, "%d SKIPPED: NOT %s", list->skipped,
                 list->skipped == 1 ? "A PLAIN FILE" : "PLAIN FILES");
    return n;
}

// Lines of the list shown: the notes take the last ones (two at most).
static int list_lines(void) {
    char text[3][TEXT_CHARS + 1];
    int n = notes(ul.list, text);
    return LINES - (n > 2 ? 2 : n);
}

// Text over lines of TEXT_CHARS from y, at most rows of them; the last row ends in ".." when it
// does not all fit. Returns the row after.
static int wrapped(BITMAP *b, int y, int rows, const char *text) {
    size_t len = strlen(text);
    for (size_t at = 0; at < len && rows > 0; at += TEXT_CHARS, y += 8, rows--) {
        char part[TEXT_CHARS + 1];
        snprintf(part, sizeof part, "%s", text + at);
        if (rows == 1 && len - at > TEXT_CHARS) memcpy(part + TEXT_CHARS - 2, "..", 2);
        GFX_gprint(b, NAME_X, y, -1, part);
    }
    return y;
}

// The chosen DAMAGED level's file and the whole reason, in the list's place.
static void draw_reason(BITMAP *b, const LevelEntry *e) {
    char line[LEVEL_PATH_MAX + 16], why[LEVEL_WHY_MAX];
    snprintf(line, sizeof line, "DAMAGED: %s", LEVELS_file(e));
    int y = wrapped(b, HEAD_Y, 2, line) + 4;
    capitals(e->why, why, sizeof why);
    wrapped(b, y, 5, why);
    GFX_gprint(b, NAME_X, START_Y, -1, "IT CANNOT BE PLAYED");
}

static void draw(BITMAP *b, int bright) {
    const LevelList *list = ul.list;
    if (!bright) {
        GFX_gprint(b, NAME_X, FOLDER_Y, -1, "FOLDER");
        if (ul.reason) return;
        GFX_gprint(b, NAME_X, HEAD_Y, -1, "LEVEL");
        GFX_gprint(b, ROOMS_END_X - 40, HEAD_Y, -1, "ROOMS");
        GFX_gprint(b, STATE_X, HEAD_Y, -1, "STATE");
        for (int i = 0; i < list_lines() && ul.top + i < list->count; i++)
            if (ul.top + i != ul.sel)
                draw_line(b, &list->entries[ul.top + i], LIST_Y + LINE_H * i, false);
        return;
    }
    const LevelEntry *e = list->count ? &list->entries[ul.sel] : nullptr;
    if (ul.reason && e) {
        draw_reason(b, e);
    } else if (e) {
        int lines = list_lines();
        draw_line(b, e, LIST_Y + LINE_H * (ul.sel - ul.top), true);
        if (ul.top > 0) GFX_gprint(b, BOX_X1 - 8, LIST_Y, -1, "^");
        if (ul.top + lines < list->count)
            GFX_gprint(b, BOX_X1 - 8, LIST_Y + LINE_H * (lines - 1), -1, "v");
        char text[3][TEXT_CHARS + 1], line[TEXT_CHARS + 1];
        int n = notes(list, text);
        for (int i = 0; i < n && i < 2; i++)
            GFX_gprint(b, NAME_X, LIST_Y + LINE_H * (lines + i), -1, text[i]);
        FRONT_level_detail(e, line, sizeof line);
        GFX_gprint(b, NAME_X, DETAIL_Y, -1, line);
        if (!e->damaged && e->playable > 0) {
            snprintf(line, sizeof line, "START AT ROOM %d  < >", ul.start);
            GFX_gprint(b, NAME_X, START_Y, -1, line);
        }
    } else {
        GFX_gprint(b, NAME_X, LIST_Y, -1, "NO LEVELS YET: MAKE ONE");
        GFX_gprint(b, NAME_X, LIST_Y + LINE_H, -1, "WITH VELUMBRINA-LEVEL NEW");
        GFX_gprint(b, NAME_X, LIST_Y + 2 * LINE_H, -1, "AND PUT IT IN THE FOLDER");
    }
    if (ul.note[0]) GFX_gprint(b, NAME_X + 56, FOLDER_Y, -1, ul.note);
    char path[LEVEL_PATH_MAX];
    size_t len = strlen(ul.folder);
    // Two lines of the folder; a longer one shows its end, where the levels are.
    if (len > 2 * TEXT_CHARS)
        snprintf(path, sizeof path, "..%s", ul.folder + len - (2 * TEXT_CHARS - 2));
    else
        snprintf(path, sizeof path, "%s", ul.folder);
    wrapped(b, FOLDER_Y + 9, 2, path);
    GFX_centra(b, FOOT_Y, -1,
               ul.reason ? "ENTER OR ESC: BACK TO THE LIST" : "ENTER PLAY  F OPEN FOLDER  ESC");
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

// Asks the desktop to show the folder, and says on the screen what came of it.
static void open_folder(void) {
    int err = DESKTOP_open_folder(ul.folder);
    snprintf(ul.note, sizeof ul.note, "%s",
             err == 0        ? "OPENED"
             : err == ENOENT ? "NO XDG-OPEN"
                             : "CANNOT OPEN");
    FRONT_suena(err ? s_back : s_go);
}

// Enter: the level to play (returns 1), or a damaged level's reason shown.
static int confirm(void) {
    const LevelEntry *e = &ul.list->entries[ul.sel];
    if (!e->damaged && e->playable > 0) {
        FRONT_suena(s_go);
        return 1;
    }
    ul.reason = e->damaged;
    FRONT_suena(s_back);
    return 0;
}

// The keys of one frame: 1 to play the chosen level, -1 to leave, else 0.
static int keys(int *held_for) {
    INPUT_poll();
    if (close_button_pressed) return -1;
    int key = INPUT_take_key();
    if (ul.reason) { // the reason stays until Enter or Escape
        if (INPUT_pressed(INPUT_BACK) || INPUT_pressed(INPUT_CONFIRM)) ul.reason = false;
        return 0;
    }
    if (INPUT_pressed(INPUT_BACK)) {
        FRONT_suena(s_back);
        return -1;
    }
    if (key == KEY_F) open_folder();
    if (ul.list->count == 0) return 0;
    if (INPUT_pressed(INPUT_CONFIRM) && confirm()) return 1;
    const LevelEntry *e = &ul.list->entries[ul.sel];
    int side = INPUT_pressed(INPUT_MENU_LEFT) ? -1 : INPUT_pressed(INPUT_MENU_RIGHT) ? 1 : 0;
    int to = FRONT_next_room(e->rooms, ul.start, side);
    if (side && to != ul.start) {
        ul.start = to;
        FRONT_suena(s_ting);
    }
    int way = arrows(held_for);
    if (!way) return 0;
    int sel = ul.sel + way;
    if (sel < 0) sel = 0;
    if (sel > ul.list->count - 1) sel = ul.list->count - 1;
    if (sel != ul.sel) {
        ul.sel = sel;
        ul.start = FRONT_next_room(ul.list->entries[sel].rooms, 0, 1);
        FRONT_suena(s_ting);
    }
    return 0;
}

int FRONT_user_levels(BITMAP *back_buffer, PALETTE palette, const LevelList *list,
                      const char *folder, int *selected, int *start_room) {
    ul.list = list;
    ul.folder = folder;
    ul.sel = *selected >= list->count ? list->count - 1 : *selected;
    if (ul.sel < 0) ul.sel = 0;
    ul.top = 0;
    ul.start = list->count ? FRONT_next_room(list->entries[ul.sel].rooms, 0, 1) : 1;
    ul.reason = false;
    ul.note[0] = 0;
    // The key that ended the screen before is let go first.
    for (INPUT_poll();
         (INPUT_down(INPUT_CONFIRM) || INPUT_down(INPUT_BACK)) && !close_button_pressed;
         INPUT_poll())
        TMR_rest();
    INPUT_clear();
    MenuScene s;
    MENU_scene_load(&s, palette);
    int held_for = 0, done;
    while (!(done = keys(&held_for))) {
        int lines = list_lines();
        if (ul.sel < ul.top) ul.top = ul.sel;
        if (ul.sel >= ul.top + lines) ul.top = ul.sel - lines + 1;
        MENU_frame(&s, back_buffer, BOX_X0, BOX_Y0, BOX_X1, BOX_Y1, 1, draw);
    }
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    MENU_scene_free(&s);
    *selected = ul.sel;
    *start_room = ul.start;
    return done > 0 ? ul.sel : -1;
}
