// controls.cpp -- the CONTROLS screen of the options: play's actions with their keys, binding a new
// key to one, and today's keys back.
// SPDX-License-Identifier: MIT
#include "frontend/controls.h"
#include <stdio.h>
#include <string.h>
#include "frontend/menu_anim.h"
#include "frontend/menu_sounds.h"
#include "gfx/gfx.h"
#include "platform/leaving.h"
#include "platform/config.h"
#include "platform/input.h"

enum {
    CTL_TOP = 86,     // the first line's row, as on the options screen
    CTL_SPACING = 10, // rows from one line to the next
    CTL_BOX_X0 = 8,   // the box, wider than the options' for long key names
    CTL_BOX_X1 = 248,
    CTL_X = 12,       // the labels' column
    CTL_LABEL = 11,   // characters of a label and the space after it
    CTL_KEYS = 18,    // characters of the keys that fit in the box
    CTL_HINT_Y = 182, // the keys' hint, or what the last binding moved
};

// The actions in the input module's order, which is the screen's: line n is action n - 1.
static_assert(INPUT_LEFT == 0 && INPUT_SCREENSHOT == CONTROLS_ACTIONS - 1, "one line per action");
static const char *const ctl_names[CONTROLS_ACTIONS] = {"LEFT",  "RIGHT", "HIGH JUMP", "LONG JUMP",
                                                        "RETRY", "PAUSE", "SCREENSHOT"};

// The selected line, whether it waits for a key to bind, and what the last binding moved (shown
// until the next key).
static struct {
    int selected, waiting;
    char moved[48];
} ctl;

void CONTROLS_moved_text(int action, int code, int owner, int given, char *text, int size) {
    snprintf(text, size, "%s", "");
    if (owner < 0 || owner == action || owner >= CONTROLS_ACTIONS || action < 0 ||
        action >= CONTROLS_ACTIONS)
        return;
    const char *key = INPUT_key_name(code), *back = INPUT_key_name(given);
    if (!key) return;
    const char *from = ctl_names[owner];
    char now[32]; // the owner's side: the key it got in the key's place, or none
    if (back)
        snprintf(now, sizeof now, "%s NOW HAS %s", from, back);
    else
        snprintf(now, sizeof now, "%s LOST IT", from);
    // "O WAS LEFT'S: LEFT NOW HAS RIGHT"; when that is too long for the screen, the half that
    // the selected line does not show.
    int n = snprintf(text, size, "%s WAS %s'S: %s", key, from, now);
    if (n > CONTROLS_TEXT_MAX) snprintf(text, size, "%s", now);
}

void CONTROLS_line(int line, int waiting, char *text, int size) {
    if (line < 1 || line > CONTROLS_LINES) {
        snprintf(text, size, "%s", "");
    } else if (line > CONTROLS_ACTIONS) {
        snprintf(text, size, "%s", line == CONTROLS_DEFAULTS ? "DEFAULTS" : "BACK");
    } else {
        char keys[CTL_KEYS + 1];
        if (waiting)
            snprintf(keys, sizeof keys, "PRESS A KEY");
        else
            INPUT_keys_text(line - 1, keys, CTL_KEYS);
        snprintf(text, size, "%-*s%s", CTL_LABEL, ctl_names[line - 1], keys);
    }
}

// Faint, every line; bright, the selected one and what the keys do here.
static void ctl_draw(BITMAP *b, int bright) {
    for (int i = 1; i <= CONTROLS_LINES; i++) {
        if (bright && i != ctl.selected) continue;
        char text[48];
        CONTROLS_line(i, ctl.waiting && i == ctl.selected, text, sizeof text);
        GFX_gprint(b, CTL_X, CTL_TOP + CTL_SPACING * (i - 1), -1, text);
    }
    if (!bright) return;
    const char *hint = ctl.waiting ? "ESC CANCELS" : "ENTER NEW KEY  ESC BACK";
    GFX_centra(b, CTL_HINT_Y, -1, ctl.moved[0] && !ctl.waiting ? ctl.moved : hint);
}

// Waiting for a key: the next bindable one is bound (Enter and the arrows too: the menus answer
// to them whatever is bound); Escape or a pad's back button cancels. Keys that cannot be bound
// (F11) are passed over.
static void ctl_wait_step(void) {
    int code = INPUT_take_key();
    if (INPUT_pressed(INPUT_BACK) || code == KEY_ESC) {
        ctl.waiting = 0;
        FRONT_suena(s_back);
    } else if (INPUT_bindable(code)) {
        int action = ctl.selected - 1, owner = INPUT_key_owner(code);
        int given = CFG_keys[action][0]; // what the other action gets in the key's place
        INPUT_bind(action, code);
        CONTROLS_moved_text(action, code, owner, given, ctl.moved, sizeof ctl.moved);
        ctl.waiting = 0;
        FRONT_suena(s_go);
    } else {
        return;
    }
    INPUT_clear(); // the key just bound or the Escape acts on nothing else
}

// The keys of one frame; returns 1 when the screen is to be left.
static int ctl_keys(void) {
    if (close_button_pressed) return 1;
    INPUT_poll();
    if (ctl.waiting) {
        ctl_wait_step();
        return 0;
    }
    int before = ctl.selected;
    if (INPUT_pressed(INPUT_BACK)) {
        FRONT_suena(s_back);
        return 1;
    }
    MENU_arrows(&ctl.selected, CONTROLS_LINES);
    if (ctl.selected != before) ctl.moved[0] = 0; // read, and left behind
    if (!INPUT_pressed(INPUT_CONFIRM)) return 0;
    ctl.moved[0] = 0;
    if (ctl.selected == CONTROLS_BACK) {
        FRONT_suena(s_back);
        return 1;
    }
    if (ctl.selected == CONTROLS_DEFAULTS) {
        memcpy(CFG_keys, CFG_default_keys, sizeof CFG_keys);
        FRONT_suena(s_ting);
        return 0;
    }
    ctl.waiting = 1;
    INPUT_clear(); // the Enter that asked is not the key to bind
    return 0;
}

void CONTROLS_frame(MenuScene *s, BITMAP *back_buffer) {
    MENU_frame(s, back_buffer, CTL_BOX_X0, CTL_TOP - 8, CTL_BOX_X1,
               CTL_TOP + CTL_SPACING * (CONTROLS_LINES - 1) + 13, 1, ctl_draw);
}

void CONTROLS_screen(MenuScene *s, BITMAP *back_buffer) {
    ctl.selected = 1;
    ctl.waiting = 0;
    ctl.moved[0] = 0;
    INPUT_clear();
    while (!ctl_keys())
        CONTROLS_frame(s, back_buffer);
    INPUT_clear();
}
