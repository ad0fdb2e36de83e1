// input.h -- one place for input: the keyboard, the player's key bindings and game pads, merged
// into the actions that play, the menus, the dialogs and the waits read.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "platform/config.h"

// Play's actions come first: each is bound to up to INPUT_KEYS keys the player chooses (CFG_keys)
// and to fixed pad buttons. The others answer to fixed keys and buttons whatever the bindings, so
// a player can never be locked out of the menus:
//   LEAVE       Escape; pad Back (leaves play)
//   UP, DOWN    the arrows; pad d-pad or left stick
//   MENU_LEFT, MENU_RIGHT   the arrows; pad d-pad or left stick
//   CONFIRM     Enter; pad south (A, Cross)
//   BACK        Escape; pad east (B, Circle)
//   PAGE_UP, PAGE_DOWN      Page Up, Page Down; pad shoulders
//   WAIT        Escape, Enter, Alt, left Control; pad south and east (every "press a key" wait)
//   SHOW_ME     Tab; pad left shoulder (time attack: the level checker's route as a ghost)
enum {
    INPUT_LEFT,
    INPUT_RIGHT,
    INPUT_HIGH_JUMP,
    INPUT_LONG_JUMP,
    INPUT_RETRY,
    INPUT_PAUSE,
    INPUT_SCREENSHOT,
    INPUT_BOUND = CFG_BOUND_ACTIONS, // the actions above
    INPUT_LEAVE = INPUT_BOUND,
    INPUT_UP,
    INPUT_DOWN,
    INPUT_MENU_LEFT,
    INPUT_MENU_RIGHT,
    INPUT_CONFIRM,
    INPUT_BACK,
    INPUT_PAGE_UP,
    INPUT_PAGE_DOWN,
    INPUT_WAIT,
    INPUT_SHOW_ME,
    INPUT_ACTIONS
};
enum { INPUT_KEYS = CFG_KEYS_PER_ACTION };

// Starts input after the keyboard: latches every key press as it arrives (a tap shorter than a poll
// still counts once), makes every wait poll input (chained onto TMR_idle), and starts SDL's
// game-controller part for pads, logging once when it cannot or when no pad is there.
void INPUT_init(void);
// Closes the pads and SDL's game-controller part.
void INPUT_shutdown(void);
// Reads what is new: pads plugged in or unplugged, their buttons and sticks, and (with no keyboard
// driver, as in tests that set key[]) the keys that went down.
void INPUT_poll(void);
// 1 while one of the action's keys or buttons is down, or a stick is pushed past the dead zone.
int INPUT_down(int action);
// 1 once for each press of the action since it was last taken, and takes it.
int INPUT_pressed(int action);
// INPUT_pressed or INPUT_down: held now, or pressed since last taken (a short tap counts for one
// frame).
int INPUT_active(int action);
// Forgets every press not yet taken: what a screen was left with does not act on the next. Keys and
// buttons still down stay down but are not new presses.
void INPUT_clear(void);
// The last key pressed since the last INPUT_clear or call, and takes it; 0 when none.
int INPUT_take_key(void);
// 1 once after an open pad was unplugged, and takes it.
int INPUT_pad_lost(void);
// How many pads are open.
int INPUT_pads(void);

// The key's name as the 8x8 font shows it ("UP", "LEFT SHIFT", "KEYPAD 4"), or null for a key with
// no name.
const char *INPUT_key_name(int code);
// The last key events (D a press counted, R a repeat, N a press already let go, U a release, r a
// repeat's release) and the actions whose presses were taken (T and the action's number), a line
// each, oldest first, into out; its length.
size_t INPUT_key_history(char *out, size_t size);
// 1 when play's actions may be bound to the key: it has a name and is neither Escape (leaving
// play, cancelling) nor F11 (the window switch).
int INPUT_bindable(int code);
// Binds a key as an action's first key. When another action has it, that action gets the first key
// in its place: a key is never bound twice and never lost. Returns 0 for a key that cannot be
// bound.
int INPUT_bind(int action, int code);
// The action's keys (bound or fixed) as one line of names parted by commas ("UP,Q,Z"), at most max
// characters (text holds max + 1), cut with "+" when they do not all fit.
void INPUT_keys_text(int action, char *text, int max);
// The play action (INPUT_LEFT .. INPUT_SCREENSHOT) one of whose keys is code, or -1.
int INPUT_key_owner(int code);
// The action's pad buttons as one line ("PAD X,B"), or "" for an action with none; at most max
// characters.
void INPUT_pad_text(int action, char *text, int max);
