// input.cpp -- the keyboard half of the input module: presses latched as they arrive, the key
// bindings, the actions read by every screen, and the keys' names.
// SPDX-License-Identifier: MIT
#include "platform/input.h"
#include <allegro.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include "platform/input_pad.h"
#include "platform/temporizadores.h"
#include "platform/x11_port.h"

// The keys of the actions no binding changes; 0 ends a list.
static const int input_fixed[INPUT_ACTIONS - INPUT_BOUND][4] = {
    {KEY_ESC},                                   // LEAVE
    {KEY_UP},                                    // UP
    {KEY_DOWN},                                  // DOWN
    {KEY_LEFT},                                  // MENU_LEFT
    {KEY_RIGHT},                                 // MENU_RIGHT
    {KEY_ENTER},                                 // CONFIRM
    {KEY_ESC},                                   // BACK
    {KEY_PGUP},                                  // PAGE_UP
    {KEY_PGDN},                                  // PAGE_DOWN
    {KEY_ESC, KEY_ENTER, KEY_ALT, KEY_LCONTROL}, // WAIT
    {KEY_TAB},                                   // SHOW_ME
};

// The module's state. The keyboard thread writes down[], latched[] and last_key through the
// low-level callback; the game's thread takes them.
static struct {
    volatile unsigned char down[KEY_MAX]; // keys down as the events (or polls of key[]) said
    volatile int latched[INPUT_ACTIONS];  // presses not yet taken
    volatile int last_key;                // the last key pressed, not yet taken
    volatile int pad_lost;                // an open pad was unplugged
    long went_down_ms[KEY_MAX];           // when each key's last press came (keyboard thread)
    bool started;                         // the callback and the idle hook are installed
    bool pads;                            // SDL's game-controller part runs
    void (*next_key_event)(int scancode); // what was installed before us
    void (*next_idle)(void);
} input;

// The last key events and presses taken, for a window test that failed to see what the game was
// sent (written out with the frames the test asks for): a kind letter and a code, one int each.
enum { KEY_HISTORY = 64 };
static struct {
    volatile int event[KEY_HISTORY];
    volatile unsigned count;
} keylog;

static void input_note(char kind, int code) {
    unsigned n = __atomic_fetch_add(&keylog.count, 1, __ATOMIC_ACQ_REL);
    __atomic_store_n(&keylog.event[n % KEY_HISTORY], (int)kind << 16 | (code & 0xffff),
                     __ATOMIC_RELEASE);
}

// Shortest hold before a release can be the server's repeat (X servers wait 250 ms at the least).
enum { INPUT_REPEAT_MIN_MS = 200 };

// Milliseconds of a steady clock, for the keyboard thread's own timing of repeats.
static long input_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long)t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

// The action's keys, *n of them: the player's bindings or the fixed list; 0 is no key.
static const int *input_keys(int action, int *n) {
    if (action < INPUT_BOUND) {
        *n = INPUT_KEYS;
        return CFG_keys[action];
    }
    *n = 4;
    return input_fixed[action - INPUT_BOUND];
}

static int input_has_key(int action, int code) {
    int n;
    const int *keys = input_keys(action, &n);
    for (int k = 0; k < n && code > 0; k++)
        if (keys[k] == code) return 1;
    return 0;
}

void INPUT_latch(int action) {
    __atomic_store_n(&input.latched[action], 1, __ATOMIC_RELEASE);
}

void INPUT_note_pad_lost(void) {
    input.pad_lost = 1;
}

// A key went down: a press of every action it belongs to.
static void input_key_went_down(int code) {
    for (int a = 0; a < INPUT_ACTIONS; a++)
        if (input_has_key(a, code)) INPUT_latch(a);
    input.last_key = code;
}

// Keyboard thread, on every key going down or up, after key[] was set (and after the window's own
// callback, which hides the Enter of Alt+Enter). A repeat of a held key is no new press.
static void input_key_event(int scancode) {
    if (input.next_key_event) input.next_key_event(scancode);
    int code = scancode & 0x7f;
    if (scancode & 0x80) {
        // The server's repeat, half of it: the key is still held, and the press that follows is no
        // new press. The server waits a good while before repeating (half a second or so), so a
        // key let go sooner was really let go, and a quick second tap is not lost.
        int repeated = PORT_release_repeated();
        if (repeated && input_ms() - input.went_down_ms[code] >= INPUT_REPEAT_MIN_MS) {
            input_note('r', code);
            return;
        }
        input_note('U', code);
        input.down[code] = 0;
        return;
    }
    if (!key[code] || input.down[code]) {
        input_note(key[code] ? 'R' : 'N', code); // a repeat, or a press Allegro already undid
        return;
    }
    input.down[code] = 1;
    input.went_down_ms[code] = input_ms();
    if (code == KEY_ENTER && (key_shifts & KB_ALT_FLAG)) return; // the window switch's
    input_note('D', code);
    input_key_went_down(code);
}
END_OF_STATIC_FUNCTION(input_key_event)

static void input_idle(void) {
    if (input.next_idle) input.next_idle();
    INPUT_poll();
}

void INPUT_init(void) {
    if (!input.started) {
        LOCK_FUNCTION(input_key_event);
        input.next_key_event = keyboard_lowlevel_callback;
        keyboard_lowlevel_callback = input_key_event;
        input.next_idle = TMR_idle;
        TMR_idle = input_idle;
        PORT_watch_key_repeats();
        input.started = true;
    }
    if (!input.pads) input.pads = INPUT_pad_start();
    INPUT_clear();
}

void INPUT_shutdown(void) {
    if (input.pads) INPUT_pad_stop();
    input.pads = false;
}

// With a keyboard driver the callback sees every key; without one (tests set key[] as the driver
// would) a key that went down since the last poll is a press.
static void input_poll_keys(void) {
    if (keyboard_driver) {
        if (keyboard_needs_poll()) poll_keyboard();
        return;
    }
    for (int code = 1; code < KEY_MAX; code++) {
        int now = key[code] != 0;
        if (now && !input.down[code]) input_key_went_down(code);
        input.down[code] = (unsigned char)now;
    }
}

void INPUT_poll(void) {
    input_poll_keys();
    if (input.pads) INPUT_pad_poll();
}

int INPUT_down(int action) {
    if (action < 0 || action >= INPUT_ACTIONS) return 0;
    int n;
    const int *keys = input_keys(action, &n);
    for (int k = 0; k < n; k++)
        if (keys[k] > 0 && keys[k] < KEY_MAX && key[keys[k]]) return 1;
    return input.pads && INPUT_pad_down(action);
}

int INPUT_pressed(int action) {
    if (action < 0 || action >= INPUT_ACTIONS) return 0;
    int taken = __atomic_exchange_n(&input.latched[action], 0, __ATOMIC_ACQ_REL) != 0;
    if (taken) input_note('T', action);
    return taken;
}

size_t INPUT_key_history(char *out, size_t size) {
    size_t at = 0;
    unsigned count = __atomic_load_n(&keylog.count, __ATOMIC_ACQUIRE);
    unsigned first = count > KEY_HISTORY ? count - KEY_HISTORY : 0;
    if (size) out[0] = 0;
    for (unsigned n = first; n < count && at + 24 < size; n++) {
        int e = __atomic_load_n(&keylog.event[n % KEY_HISTORY], __ATOMIC_ACQUIRE);
        char kind = (char)(e >> 16);
        int code = e & 0xffff;
        const char *name = kind == 'T' ? nullptr : INPUT_key_name(code);
        if (name)
            at += (size_t)snprintf(out + at, size - at, "%c %s\n", kind, name);
        else
            at += (size_t)snprintf(out + at, size - at, "%c %d\n", kind, code);
    }
    return at;
}

int INPUT_active(int action) {
    int pressed = INPUT_pressed(action);
    return INPUT_down(action) || pressed;
}

void INPUT_clear(void) {
    INPUT_poll();
    for (int a = 0; a < INPUT_ACTIONS; a++)
        INPUT_pressed(a);
    input.last_key = 0;
}

int INPUT_take_key(void) {
    return __atomic_exchange_n(&input.last_key, 0, __ATOMIC_ACQ_REL);
}

int INPUT_pad_lost(void) {
    return __atomic_exchange_n(&input.pad_lost, 0, __ATOMIC_ACQ_REL);
}

// Names a player reads without guessing, in characters the game's font has. The keypad's keys say
// KEYPAD (PAD is a game pad's); LEFT and RIGHT tell the two keys of a kind apart.
static const struct {
    int code;
    const char *name;
} input_names[] = {
    {KEY_0_PAD, "KEYPAD 0"},
    {KEY_1_PAD, "KEYPAD 1"},
    {KEY_2_PAD, "KEYPAD 2"},
    {KEY_3_PAD, "KEYPAD 3"},
    {KEY_4_PAD, "KEYPAD 4"},
    {KEY_5_PAD, "KEYPAD 5"},
    {KEY_6_PAD, "KEYPAD 6"},
    {KEY_7_PAD, "KEYPAD 7"},
    {KEY_8_PAD, "KEYPAD 8"},
    {KEY_9_PAD, "KEYPAD 9"},
    {KEY_ESC, "ESC"},
    {KEY_TILDE, "`"},
    {KEY_MINUS, "-"},
    {KEY_EQUALS, "="},
    {KEY_BACKSPACE, "BACKSPACE"},
    {KEY_TAB, "TAB"},
    {KEY_OPENBRACE, "["},
    {KEY_CLOSEBRACE, "]"},
    {KEY_ENTER, "ENTER"},
    {KEY_COLON, ";"},
    {KEY_QUOTE, "'"},
    {KEY_BACKSLASH, "\\"},
    {KEY_BACKSLASH2, "< >"}, // the key beside Left Shift on most European keyboards
    {KEY_COMMA, "COMMA"},    // "," parts the keys of a list
    {KEY_STOP, "."},
    {KEY_SLASH, "/"},
    {KEY_SPACE, "SPACE"},
    {KEY_INSERT, "INSERT"},
    {KEY_DEL, "DELETE"},
    {KEY_HOME, "HOME"},
    {KEY_END, "END"},
    {KEY_PGUP, "PAGE UP"},
    {KEY_PGDN, "PAGE DOWN"},
    {KEY_LEFT, "LEFT"},
    {KEY_RIGHT, "RIGHT"},
    {KEY_UP, "UP"},
    {KEY_DOWN, "DOWN"},
    {KEY_SLASH_PAD, "KEYPAD /"},
    {KEY_ASTERISK, "KEYPAD *"},
    {KEY_MINUS_PAD, "KEYPAD -"},
    {KEY_PLUS_PAD, "KEYPAD +"},
    {KEY_DEL_PAD, "KEYPAD ."},
    {KEY_ENTER_PAD, "KEYPAD ENTER"},
    {KEY_PRTSCR, "PRINT SCREEN"},
    {KEY_PAUSE, "PAUSE"},
    {KEY_AT, "@"},
    {KEY_CIRCUMFLEX, "^"},
    {KEY_COLON2, ":"},
    {KEY_EQUALS_PAD, "KEYPAD ="},
    {KEY_BACKQUOTE, "`"},
    {KEY_SEMICOLON, ";"},
    {KEY_LSHIFT, "LEFT SHIFT"},
    {KEY_RSHIFT, "RIGHT SHIFT"},
    {KEY_LCONTROL, "LEFT CTRL"},
    {KEY_RCONTROL, "RIGHT CTRL"},
    {KEY_ALT, "ALT"},
    {KEY_ALTGR, "ALT GR"},
    {KEY_LWIN, "LEFT WIN"},
    {KEY_RWIN, "RIGHT WIN"},
    {KEY_MENU, "MENU"},
    {KEY_SCRLOCK, "SCROLL LOCK"},
    {KEY_NUMLOCK, "NUM LOCK"},
    {KEY_CAPSLOCK, "CAPS LOCK"},
};

const char *INPUT_key_name(int code) {
    static char single[KEY_Z + 1][2]; // letters and digits name themselves
    if (code >= KEY_A && code <= KEY_Z) {
        single[code][0] = (char)('A' + code - KEY_A);
        return single[code];
    }
    static char digits[10][2], fkeys[12][4];
    if (code >= KEY_0 && code <= KEY_9) {
        digits[code - KEY_0][0] = (char)('0' + code - KEY_0);
        return digits[code - KEY_0];
    }
    if (code >= KEY_F1 && code <= KEY_F12) {
        snprintf(fkeys[code - KEY_F1], sizeof fkeys[0], "F%d", code - KEY_F1 + 1);
        return fkeys[code - KEY_F1];
    }
    for (const auto &n : input_names)
        if (n.code == code) return n.name;
    return nullptr;
}

int INPUT_bindable(int code) {
    return code > 0 && code < KEY_MAX && code != KEY_ESC && code != KEY_F11 &&
           INPUT_key_name(code) != nullptr;
}

int INPUT_bind(int action, int code) {
    if (action < 0 || action >= INPUT_BOUND || !INPUT_bindable(code)) return 0;
    int old = CFG_keys[action][0];
    for (int a = 0; a < INPUT_BOUND; a++)
        for (int k = 0; k < INPUT_KEYS; k++)
            if (CFG_keys[a][k] == code) CFG_keys[a][k] = old; // the swap
    CFG_keys[action][0] = code;
    return 1;
}

int INPUT_key_owner(int code) {
    for (int a = 0; a < INPUT_BOUND && code > 0; a++)
        if (input_has_key(a, code)) return a;
    return -1;
}

void INPUT_keys_text(int action, char *text, int max) {
    text[0] = 0;
    if (action < 0 || action >= INPUT_ACTIONS || max <= 0) return;
    int count;
    const int *keys = input_keys(action, &count);
    const char *names[4];
    int n = 0, all = 0;
    for (int k = 0; k < count && n < 4; k++) {
        const char *name = INPUT_key_name(keys[k]);
        if (!name) continue;
        all += (n ? 1 : 0) + (int)strlen(name);
        names[n++] = name;
    }
    int used = 0;
    for (int i = 0; i < n; i++) {
        int need = (i ? 1 : 0) + (int)strlen(names[i]);
        if (all > max && used + need + 2 > max) { // the rest as "+"
            if (used + 2 <= max) strcat(text, i ? ",+" : "+");
            return;
        }
        if (i) strcat(text, ",");
        strcat(text, names[i]);
        used += need;
    }
}
