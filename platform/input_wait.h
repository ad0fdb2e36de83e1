// input_wait.h -- the blocking wait for an action key (Escape, Enter, Alt, left Control, or a pad's
// confirm or back button).
// SPDX-License-Identifier: MIT
#pragma once

// Waits until an action key held from the screen before is let go, then until one is pressed (a
// press since the caller's INPUT_clear counts, so the caller clears input before it shows its
// screen) or the close button was pressed.
void KEY_wait_action_key(void);
