// entrada.h -- the password entry screen of the title menu's "PASSWORD" entry.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

// Runs the entry screen on the back buffer. Returns -1 when cancelled with Escape, 0 after a wrong
// password (shown as "WRONG PASSWORD" until an action key), else the decoded level*25+room of a
// password that names a room.
int CLAVE_entrada(BITMAP *back_buffer);
