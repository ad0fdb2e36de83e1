// levelc.cpp -- the level compiler: level text + art sheets -> compressed map file, written with
// the game's own map writer at 16 bits per pixel.
//
// Usage: levelc SOURCE.txt OUTPUT.vb3 [ARTDIR]
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <allegro.h>

#include "level/mapfile.h"
#include "tools/levelc/leveltext.h"
#include "tools/levelc/pictures.h"

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

    BITMAP *tiles[TILE_COUNT], *sprites[TILE_COUNT], *backgrounds[BACKGROUND_COUNT];
    for (int i = 0; i < TILE_COUNT; i++) {
        tiles[i] = create_bitmap(16, 16);
        sprites[i] = create_bitmap(16, 16);
    }
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        backgrounds[i] = create_bitmap(240, 144);
    int from_files = PIC_load(argc == 4 ? argv[3] : nullptr, tiles, sprites, backgrounds);
    if (from_files != 0x7f)
        fprintf(stderr, "levelc: note: drawn stand-ins for missing art (found mask 0x%02x)\n",
                from_files);

    ReservedRecord reserved[7] = {};
    int ok = grabarMapa(argv[2], MAP_COMPRESSED | MAP_PLAYABLE, reserved, src.header, src.rooms,
                        src.levers, src.energy_items, backgrounds, tiles, sprites, -1);
    for (int i = 0; i < TILE_COUNT; i++) {
        destroy_bitmap(tiles[i]);
        destroy_bitmap(sprites[i]);
    }
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        destroy_bitmap(backgrounds[i]);
    if (!ok) {
        fprintf(stderr, "levelc: cannot write %s\n", argv[2]);
        return 1;
    }
    printf("levelc: wrote %s (25 rooms, %d energy items)\n", argv[2], src.energy_count);
    return 0;
}
