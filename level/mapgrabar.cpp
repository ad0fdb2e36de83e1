// mapgrabar.cpp -- writing map files: the level image, packing, and a safe replace on disk.
// SPDX-License-Identifier: MIT
#include "level/mapfile.h"
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "level/mapimagen.h"
#include "level/zz.h"
#include "platform/fileio.h"
#include "util/bytes.h"

static void complain(const char *path, const char *what) {
    char line[400];
    snprintf(line, sizeof line, "map %s: not written: %s", path, what);
    MAP_log(line);
}

// The one depth all the pictures share, or 0 when they differ.
static int pictures_depth(const Level *lv) {
    int depth = bitmap_color_depth(lv->backgrounds[0]);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        if (bitmap_color_depth(lv->backgrounds[i]) != depth) return 0;
    for (int i = 0; i < TILE_COUNT; i++)
        if (bitmap_color_depth(lv->tiles[i]) != depth ||
            bitmap_color_depth(lv->sprites[i]) != depth)
            return 0;
    return depth;
}

int MAP_write(const char *path, const Level *lv) {
    if (!MAP_check_pictures(path, lv)) return 0;
    int depth_bits = MAP_depth_bits(pictures_depth(lv));
    if (depth_bits < 0) {
        complain(path, "the pictures must all be of 15, 16 or 32 bits per pixel");
        return 0;
    }
    unsigned char flags = (unsigned char)((lv->flags & ~MAP_DEPTH_MASK) | depth_bits);

    // The file: the flags byte, then the image, packed in place when the flags ask for it.
    int image = LEVEL_IMAGE_SIZE + (tieneEfecto(flags) ? 4 : 0);
    unsigned char *file = (unsigned char *)malloc(1 + (size_t)image + ZZ_SLACK);
    if (!file) {
        complain(path, "no memory for the level image");
        return 0;
    }
    file[0] = flags;
    unsigned char *buf = file + 1;
    memcpy(buf + IMG_HEADER, &lv->header, sizeof lv->header);
    memcpy(buf + IMG_ROOMS, lv->rooms, sizeof lv->rooms);
    memcpy(buf + IMG_LEVERS, lv->levers, sizeof lv->levers);
    memcpy(buf + IMG_ENERGY, lv->energy_items, sizeof lv->energy_items);
    memcpy(buf + IMG_RESERVED, lv->reserved, sizeof lv->reserved);
    MAP_take_pixels(buf + IMG_BACKGROUNDS, lv);
    if (tieneEfecto(flags)) le32_put(buf + LEVEL_EFFECT_OFFSET, (uint32_t)lv->effect);

    int length = image;
    if (estaComprimido(flags)) {
        length = ZzCompressBlock(buf, image, 1, 0);
        if (length < 0) {
            complain(path, "the level could not be packed");
            free(file);
            return 0;
        }
    }
    int err = FIO_replace(path, file, 1 + (size_t)length, FIO_NEW_FILE);
    free(file);
    if (err) complain(path, strerror(err));
    return !err;
}
