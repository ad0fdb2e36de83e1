// display.h -- starting the graphics library on the X server, tried again for a while when the
// server turns the connection away (it does when many clients connect at the same moment).
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>

// Connects to the X server of the display named (as DISPLAY names it: ":0", "unix:1", "host:0.0")
// the way a client does and asks it to set up a connection, without authorisation. Fills answer
// with what the server did, as words that follow "the X server of <display>": "refused the
// connection (Connection refused)", "closed the connection", "did not answer", "answered a test
// connection". Returns 1 when it answered, else 0.
int GFX_ask_display(const char *display, char *answer, size_t size);
// Starts Allegro (system autodetection). When that fails while a display is named, tries again over
// about a second; after a try that failed the X server is asked what it answers. Returns 0 (with a
// log line when it took more than one try), or -1 with why set: no display, or what the X server
// answered and how many tries were made.
int GFX_start(char *why, size_t size);
