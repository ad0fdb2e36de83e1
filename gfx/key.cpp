// key.cpp -- the blocking wait for an action key (Escape, Enter, Alt, left Control).
#include "gfx/key.h"
#include <allegro.h>
#include "platform/cierre.h"
#include "platform/temporizadores.h"

static int key_any_action_down(void) {
    return key[KEY_ESC] || key[KEY_ENTER] || key[KEY_ALT] || key[KEY_LCONTROL];
}

static void key_poll(void) {
    if (keyboard_needs_poll()) poll_keyboard();
}

void KEY_wait_action_key(void) {
    // First the key that ended the previous screen must be let go.
    for (key_poll(); key_any_action_down(); key_poll())
        TMR_rest();
    for (;;) {
        key_poll();
        if (key[KEY_ESC]) return;
        if (key[KEY_ENTER]) return;
        if (key[KEY_ALT]) return;
        if (key[KEY_LCONTROL]) return;
        if (close_button_pressed) return;
        TMR_rest();
    }
}
