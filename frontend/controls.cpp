// controls.cpp -- the CONTROLS screen of the options: play's actions with their keys, binding a new
// key to one, and today's keys back.
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
    CTL_X = 20,       // the labels' column
    CTL_LABEL = 11,   // characters of a label and the space after it
    CTL_KEYS = 16,    // characters of the keys that fit in the box
    CTL_HINT_Y = 182,
};

// The actions in the input module's order, which is the screen's: line n is action n - 1.
static_assert(INPUT_LEFT == 0 && INPUT_SCREENSHOT == CONTROLS_ACTIONS - 1, "one line per action");
static const char *const ctl_names[CONTROLS_ACTIONS] = {"LEFT",  "RIGHT", "HIGH JUMP", "LONG JUMP",
                                                        "RETRY", "PAUSE", "SCREENSHOT"};

// The selected line, and whether it waits for a key to bind.
static struct { int selected, waiting; } ctl;

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
    if (bright)
        GFX_centra(b, CTL_HINT_Y, -1, ctl.waiting ? "ESC CANCELS" : "ENTER NEW KEY  ESC BACK");
}

// Waiting for a key: the next bindable one is bound (Enter and the arrows too: the menus answer
// to them whatever is bound); Escape or a pad's back button cancels. Keys that cannot be bound
// (F11) are passed over.
static void ctl_wait_step(void) {
    int code = INPUT_take_key();
    if (INPUT_pressed(INPUT_BACK) || code == KEY_ESC) {
        ctl.waiting = 0;
        FRONT_suena(s_back);
    } else if (code && INPUT_bind(ctl.selected - 1, code)) {
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
    if (INPUT_pressed(INPUT_BACK)) {
        FRONT_suena(s_back);
        return 1;
    }
    MENU_arrows(&ctl.selected, CONTROLS_LINES);
    if (!INPUT_pressed(INPUT_CONFIRM)) return 0;
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

void CONTROLS_screen(MenuScene *s, BITMAP *back_buffer) {
    ctl.selected = 1;
    ctl.waiting = 0;
    INPUT_clear();
    while (!ctl_keys())
        MENU_frame(s, back_buffer, 16, CTL_TOP - 8, 240,
                   CTL_TOP + CTL_SPACING * (CONTROLS_LINES - 1) + 13, 1, ctl_draw);
    INPUT_clear();
}
