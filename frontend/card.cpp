// card.cpp -- the cards around play: the level card, the GAME OVER card and the pause, with the
// player's own keys and pad buttons read from the input module, so a rebound key shows at once.
// SPDX-License-Identifier: MIT
#include "frontend/card.h"
#include <stdio.h>
#include <string.h>
#include "gfx/gfx.h"
#include "platform/config.h"
#include "platform/input.h"

enum {
    CARD_COLUMNS = 32, // characters across the 256-pixel screen
    CARD_LABEL = 11,   // the action's name and the space after it
    CARD_LINE_MAX = 48,
};

// The lines of the keys, in the order a new player needs them.
static const struct {
    const char *label;
    int action;
} card_actions[CARD_KEY_LINES] = {
    {"WALK LEFT", INPUT_LEFT},      {"WALK RIGHT", INPUT_RIGHT}, {"HIGH JUMP", INPUT_HIGH_JUMP},
    {"LONG JUMP", INPUT_LONG_JUMP}, {"PAUSE", INPUT_PAUSE},      {"RETRY", INPUT_RETRY},
    {"LEAVE", INPUT_LEAVE},
};

void CARD_keys_line(int line, char *text, int size) {
    if (line == 0) {
        snprintf(text, size, "%-*s%-*s%s", CARD_LABEL, "", CARD_COLUMNS - CARD_LABEL - 3, "KEYS",
                 "PAD");
        return;
    }
    if (line < 1 || line > CARD_KEY_LINES) {
        snprintf(text, size, "%s", "");
        return;
    }
    int action = card_actions[line - 1].action;
    char pad[CARD_LINE_MAX], keys[CARD_LINE_MAX];
    INPUT_pad_text(action, pad, CARD_COLUMNS - CARD_LABEL - 6);
    const char *buttons = strncmp(pad, "PAD ", 4) == 0 ? pad + 4 : pad; // the column says PAD
    int room = CARD_COLUMNS - CARD_LABEL - (int)strlen(buttons) - 1;    // the keys, then a space
    INPUT_keys_text(action, keys, room);
    snprintf(text, size, "%-*s%-*s %s", CARD_LABEL, card_actions[line - 1].label, room, keys,
             buttons);
}

// The name of the first key bound to an action, or the pad's button when it has no key.
static void first_key(int action, char *name, int size) {
    char keys[CARD_LINE_MAX];
    INPUT_keys_text(action, keys, CARD_COLUMNS);
    if (!keys[0] || keys[0] == '+') INPUT_pad_text(action, keys, CARD_COLUMNS);
    char *comma = strchr(keys, ',');
    if (comma) *comma = 0;
    snprintf(name, size, "%s", keys);
}

void CARD_pause_hint(char *text, int size) {
    char go_on[CARD_LINE_MAX], leave[CARD_LINE_MAX];
    first_key(INPUT_PAUSE, go_on, sizeof go_on);
    first_key(INPUT_LEAVE, leave, sizeof leave);
    int n = snprintf(text, size, "%s TO GO ON, %s TO LEAVE", go_on, leave);
    if (n > CARD_COLUMNS) snprintf(text, size, "%s: GO ON, %s: LEAVE", go_on, leave);
}

// The keys' heads and lines from row y down.
static void card_draw_keys(BITMAP *b, int y) {
    for (int i = 0; i <= CARD_KEY_LINES; i++) {
        char text[CARD_LINE_MAX];
        CARD_keys_line(i, text, sizeof text);
        GFX_gprint(b, 0, y + (i ? CARD_KEY_SPACING * i + 1 : 0), -1, text);
    }
}

// The level line and, when there is one, the password under it.
static void card_draw_room(BITMAP *b, const char *level_line, const char *password) {
    GFX_centra(b, CARD_LEVEL_Y, -1, level_line);
    if (!password) return;
    char text[CARD_LINE_MAX];
    snprintf(text, sizeof text, "PASSWORD %s", password);
    GFX_centra(b, CARD_PASSWORD_Y, -1, text);
}

void CARD_draw_level(BITMAP *b, const char *level_line, const char *password, int how_to_play) {
    card_draw_room(b, level_line, password);
    if (how_to_play) card_draw_keys(b, CARD_KEYS_Y);
    // SHOW ME under the keys, or where they would be
    char key[CARD_COLUMNS + 1], text[CARD_LINE_MAX];
    first_key(INPUT_SHOW_ME, key, sizeof key);
    snprintf(text, sizeof text, "%s SHOW ME", key);
    int y = how_to_play ? CARD_KEYS_Y + CARD_KEY_SPACING * (CARD_KEY_LINES + 1) : 140;
    GFX_centra(b, y, -1, text);
}

void CARD_draw_game_over(BITMAP *b, const char *level_line, const char *password) {
    GFX_centra(b, CARD_GAME_OVER_Y, -1, "GAME OVER");
    card_draw_room(b, level_line, password);
    char key[CARD_COLUMNS + 1], text[CARD_LINE_MAX];
    first_key(INPUT_CONFIRM, key, sizeof key);
    snprintf(text, sizeof text, "PRESS %s", key);
    GFX_centra(b, CARD_KEYS_Y + 16, -1, text);
}

void CARD_draw_pause(BITMAP *frame) {
    int bottom = CARD_KEYS_Y + CARD_KEY_SPACING * CARD_KEY_LINES + 11;
    drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
    rectfill(frame, 0, CARD_PAUSED_Y - 5, 255, bottom, 0); // the room darkened under the text
    rectfill(frame, 0, CARD_PAUSED_Y - 5, 255, bottom, 0);
    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    GFX_centra(frame, CARD_PAUSED_Y, -1, "PAUSED");
    char hint[CARD_LINE_MAX];
    CARD_pause_hint(hint, sizeof hint);
    GFX_centra(frame, CARD_PAUSED_Y + 10, -1, hint);
    card_draw_keys(frame, CARD_KEYS_Y);
}
