// assist.cpp -- the ASSIST screen of the options: GAME SPEED 100, 80, 60 or 40%, NO DAMAGE,
// ENDLESS RETRIES, REDUCED FLASHING and SHOW TIMER. A game started with a slower speed, no damage
// or endless retries is marked as assisted.
// SPDX-License-Identifier: MIT
#include "frontend/assist.h"
#include <stdio.h>
#include "frontend/menu_anim.h"
#include "frontend/menu_sounds.h"
#include "gfx/gfx.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/leaving.h"

enum {
    AST_TOP = 86,     // the first line's row, as on the options screen
    AST_SPACING = 11, // rows from one line to the next
    AST_X = 28,       // the labels' column
    AST_LABEL = 18,   // characters of a label and the spaces after it
    AST_NOTE_Y = 170, // what the selected line does
};

// One line: its label, its setting (null: BACK), and what it does, said under the lines.
static const struct {
    const char *label;
    int Settings::*value;
    const char *note;
} ast_lines[ASSIST_LINES] = {
    {"GAME SPEED", &Settings::game_speed, "SLOWER PLAY, SAME MUSIC"},
    {"NO DAMAGE", &Settings::no_damage, "ENERGY IS NEVER LOST"},
    {"ENDLESS RETRIES", &Settings::endless_retries, "RETRIES NEVER RUN OUT"},
    {"REDUCED FLASHING", &Settings::reduced_flashing, "A CALMER TITLE SCREEN"},
    {"SHOW TIMER", &Settings::show_timer, "THE ROOM'S TIME IN PLAY"},
    {"BACK", nullptr, ""},
};

static int ast_selected;

int ASSIST_change(int line, int step) {
    if (line < 1 || line > ASSIST_LINES || !ast_lines[line - 1].value) return 0;
    int &v = settings.*ast_lines[line - 1].value;
    if (line == ASSIST_SPEED) {
        static const int speeds[] = {CFG_SPEED_FULL, 80, 60, 40};
        int i = 0;
        while (i < 4 && speeds[i] != v)
            i++;
        v = i == 4 ? CFG_SPEED_FULL : speeds[(i + (step < 0 ? 3 : 1)) % 4];
    } else {
        v = !v;
    }
    return 1;
}

void ASSIST_line(int line, char *text, int size) {
    if (line < 1 || line > ASSIST_LINES) {
        snprintf(text, size, "%s", "");
        return;
    }
    const auto &l = ast_lines[line - 1];
    if (!l.value) {
        snprintf(text, size, "%s", l.label);
        return;
    }
    char value[8] = "";
    if (line == ASSIST_SPEED)
        snprintf(value, sizeof value, "%d%%", settings.game_speed);
    else
        snprintf(value, sizeof value, "%s", settings.*l.value ? "ON" : "OFF");
    snprintf(text, size, "%-*s%s", AST_LABEL, l.label, value);
}

// Faint, every line; bright, the selected one and what it does.
static void ast_draw(BITMAP *b, int bright) {
    for (int i = 1; i <= ASSIST_LINES; i++) {
        if (bright && i != ast_selected) continue;
        char text[48];
        ASSIST_line(i, text, sizeof text);
        GFX_gprint(b, AST_X, AST_TOP + AST_SPACING * (i - 1), -1, text);
    }
    if (bright) GFX_centra(b, AST_NOTE_Y, -1, ast_lines[ast_selected - 1].note);
}

// The keys of one frame (REDUCED FLASHING calms the screen behind at once); returns 1 when the
// screen is to be left.
static int ast_keys(MenuScene *s) {
    if (close_button_pressed) return 1;
    INPUT_poll();
    if (INPUT_pressed(INPUT_BACK)) {
        FRONT_suena(s_back);
        return 1;
    }
    MENU_arrows(&ast_selected, ASSIST_LINES);
    int step = INPUT_pressed(INPUT_MENU_LEFT)    ? -1
               : INPUT_pressed(INPUT_MENU_RIGHT) ? 1
               : INPUT_pressed(INPUT_CONFIRM)    ? 2
                                                 : 0;
    if (!step) return 0;
    if (ASSIST_change(ast_selected, step)) {
        s->anim.calm = settings.reduced_flashing != 0;
        FRONT_suena(s_ting);
        return 0;
    }
    if (step != 2) return 0; // Left or Right on BACK
    FRONT_suena(s_back);
    return 1;
}

void ASSIST_screen(MenuScene *s, BITMAP *back_buffer) {
    ast_selected = ASSIST_SPEED;
    INPUT_clear(); // the Enter that opened the screen changes nothing
    while (!ast_keys(s))
        MENU_frame(s, back_buffer, 16, AST_TOP - 8, 240,
                   AST_TOP + AST_SPACING * (ASSIST_LINES - 1) + 13, 1, ast_draw);
    INPUT_clear();
}
