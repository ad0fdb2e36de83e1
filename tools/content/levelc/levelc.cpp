// levelc.cpp -- the level compiler: level text + art sheets -> compressed map file, written with
// the game's own map writer at 16 bits per pixel.
//
// Usage: levelc SOURCE.txt OUTPUT.vb3 [ARTDIR]
// SPDX-License-Identifier: MIT
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <allegro.h>

#include "level/mapfile.h"
#include "tools/levellib/leveltext.h"
#include "tools/levellib/pictures.h"

static LevelSource src;

int main(int argc, char **argv) {
    if (argc < 3 || argc > 4) {
        fprintf(stderr, "usage: levelc SOURCE.txt OUTPUT.vb3 [ARTDIR]\n");
        return 2;
    }
    if (!LT_read(argv[1], &src)) {
        fprintf(stderr, "levelc: %s\n", src.error);
        return 1;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "levelc: cannot start Allegro\n");
        return 1;
    }
    set_color_depth(16);
    set_color_conversion(COLORCONV_TOTAL);

    Level *lv = &src.level;
    if (!MAP_create_pictures(lv)) {
        fprintf(stderr, "levelc: out of memory\n");
        return 1;
    }
    int from_files =
        PIC_load(argc == 4 ? argv[3] : nullptr, lv->tiles, lv->sprites, lv->backgrounds);
    if (from_files != 0x7f)
        fprintf(stderr, "levelc: note: drawn stand-ins for missing art (found mask 0x%02x)\n",
                from_files);

    lv->flags = MAP_COMPRESSED | MAP_PLAYABLE;
    lv->effect = -1;
    int ok = MAP_write(argv[2], lv);
    MAP_destroy_pictures(lv);
    if (!ok) {
        fprintf(stderr, "levelc: cannot write %s\n", argv[2]);
        return 1;
    }
    printf("levelc: wrote %s (25 rooms, %d energy items)\n", argv[2], src.energy_count);
    return 0;
}
