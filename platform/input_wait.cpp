// input_wait.cpp -- the blocking wait for an action key (Escape, Enter, Alt, left Control, or a
// pad's confirm or back button).
// SPDX-License-Identifier: MIT
#include "platform/input_wait.h"
#include "platform/leaving.h"
#include "platform/input.h"
#include "platform/temporizadores.h"

void KEY_wait_action_key(void) {
    // A key still held from the screen before must be let go first, and neither its press nor its
    // repeats count. Any other press counts, even one let go again before the next poll, or one
    // made while the screen was shown just before this wait began: the caller clears what came
    // before it showed the screen.
    INPUT_poll();
    if (INPUT_down(INPUT_WAIT)) {
        for (; INPUT_down(INPUT_WAIT); INPUT_poll())
            TMR_rest();
        INPUT_pressed(INPUT_WAIT);
    }
    for (;;) {
        INPUT_poll();
        if (INPUT_active(INPUT_WAIT)) return;
        if (close_button_pressed) return;
        TMR_rest();
    }
}
