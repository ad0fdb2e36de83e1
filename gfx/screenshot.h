// screenshot.h -- the screenshot key's pictures: numbered files that never replace one another,
// and CAP.PCX, always the latest.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stddef.h>

enum { GFX_SHOTS_MAX = 9999 }; // CAP0001.PCX .. CAP9999.PCX

// Saves the picture, as a PCX file, in the player's folder (PATHS_user_dir): as the next numbered file
// (CAP0001.PCX, CAP0002.PCX ...: one past the highest number there, created new, never over
// anything) and as CAP.PCX, replaced whole. Neither is written through a link. Returns 1 when the
// numbered file was written, else 0; report gets a log line saying what was saved and what failed.
int GFX_save_screenshot(BITMAP *picture, const RGB *palette, char *report, size_t size);
