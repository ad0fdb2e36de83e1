// picture.cpp -- loading the game's PCX pictures, with a log line for a missing one.
#include "gfx/picture.h"
#include <stdio.h>
#include "platform/loga.h"

BITMAP *GFX_load_picture(const char *path, RGB *palette, const char *missing) {
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
