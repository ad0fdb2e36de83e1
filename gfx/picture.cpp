// picture.cpp -- loading the game's PCX pictures, with a log line for a missing one.
// SPDX-License-Identifier: MIT
#include "gfx/picture.h"
#include <stdio.h>
#include "platform/fileio.h"
#include "platform/loga.h"

int GFX_picture_file(const char *path, const char *what) {
    FioData d;
    int result = FIO_check(path, GFX_PICTURE_MAX, &d);
    if (result == FIO_OK || result == FIO_MISSING) return 1;
    char line[400], why[100];
    snprintf(line, sizeof line, "%s %s: %s", what, path,
             FIO_why(result, &d, GFX_PICTURE_MAX, why, sizeof why));
    loga(line);
    return 0;
}

BITMAP *GFX_load_picture(const char *path, RGB *palette, const char *missing) {
    if (!GFX_picture_file(path, missing ? missing : "picture")) return nullptr;
    BITMAP *pic = load_pcx(path, palette);
    if (!pic && missing) {
        char line[300];
        snprintf(line, sizeof line, "%s %s", missing, path);
        loga(line);
    }
    return pic;
}

void GFX_destroy_picture(BITMAP **b) {
    if (*b) destroy_bitmap(*b);
    *b = nullptr;
}
