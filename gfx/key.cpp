// key.cpp -- the blocking wait for an action key (Escape, Enter, Alt, left Control, or a pad's
// confirm or back button).
#include "gfx/key.h"
#include "platform/cierre.h"
#include "platform/input.h"
#include "platform/temporizadores.h"

void KEY_wait_action_key(void) {
    // First the key that ended the previous screen must be let go; a press then counts even when
    // it is let go again before the next poll.
    for (INPUT_poll(); INPUT_down(INPUT_WAIT); INPUT_poll())
        TMR_rest();
    INPUT_pressed(INPUT_WAIT);
    for (;;) {
        INPUT_poll();
        if (INPUT_active(INPUT_WAIT)) return;
        if (close_button_pressed) return;
        TMR_rest();
    }
}
