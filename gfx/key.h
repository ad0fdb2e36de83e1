// key.h -- the blocking wait for an action key (Escape, Enter, Alt, left Control, or a pad's
// confirm or back button).
#pragma once

// Waits until no action key is down, then until one is pressed or the close button was pressed.
// Called by the intro, the level card, "WRONG PASSWORD" and the shell.
void KEY_wait_action_key(void);
