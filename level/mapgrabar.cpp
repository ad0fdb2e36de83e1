// mapgrabar.cpp -- writing map files: the level image, packing, and a safe replace on disk.
#include "level/mapfile.h"
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include "level/mapimagen.h"
#include "level/zz.h"
#include "util/bytes.h"

static void complain(const char *path, const char *what) {
    char line[400];
    snprintf(line, sizeof line, "map %s: not written: %s", path, what);
    MAP_log(line);
}

// The one depth all the pictures share, or 0 when they differ.
static int pictures_depth(BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                          BITMAP *sprites[TILE_COUNT]) {
    int depth = bitmap_color_depth(backgrounds[0]);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        if (bitmap_color_depth(backgrounds[i]) != depth) return 0;
    for (int i = 0; i < TILE_COUNT; i++)
        if (bitmap_color_depth(tiles[i]) != depth || bitmap_color_depth(sprites[i]) != depth)
            return 0;
    return depth;
}

// Writes the flags byte and the bytes to a new file beside path and renames it over path;
// 0 (with path untouched) when any step fails.
static int replace_file(const char *path, unsigned char flags, const unsigned char *bytes,
                        size_t n) {
    size_t len = strlen(path);
    char *tmp = (char *)malloc(len + 8);
    if (!tmp) {
        complain(path, "no memory");
        return 0;
    }
    memcpy(tmp, path, len);
    memcpy(tmp + len, ".XXXXXX", 8);
    int fd = mkstemp(tmp);
    if (fd < 0) {
        complain(path, strerror(errno));
        free(tmp);
        return 0;
    }
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    FILE *f = fdopen(fd, "wb");
    int ok = f != NULL;
    if (!f) close(fd);
    if (ok)
        ok = fputc(flags, f) != EOF && fwrite(bytes, 1, n, f) == n && fflush(f) == 0 &&
             fsync(fileno(f)) == 0;
    int err = errno;
    if (f && fclose(f) != 0 && ok) {
        ok = 0;
        err = errno;
    }
    if (ok && rename(tmp, path) != 0) {
        ok = 0;
        err = errno;
    }
    if (!ok) {
        complain(path, strerror(err));
        unlink(tmp);
    }
    free(tmp);
    return ok;
}

int grabarMapa(const char *path, unsigned char flags, const ReservedRecord reserved[7],
               LevelHeader header, const Room rooms[ROOM_COUNT],
               const FilePickup levers[PICKUP_SLOTS], const FilePickup energy_items[PICKUP_SLOTS],
               BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
               BITMAP *sprites[TILE_COUNT], int effect) {
    if (!MAP_check_pictures(path, backgrounds, tiles, sprites)) return 0;
    int depth = pictures_depth(backgrounds, tiles, sprites);
    int depth_bits = MAP_depth_bits(depth);
    if (depth_bits < 0) {
        complain(path, "the pictures must all be of 15, 16 or 32 bits per pixel");
        return 0;
    }
    flags = (unsigned char)((flags & ~MAP_DEPTH_MASK) | depth_bits);

    int image = LEVEL_IMAGE_SIZE + (tieneEfecto(flags) ? 4 : 0);
    unsigned char *buf = (unsigned char *)malloc((size_t)image + ZZ_SLACK);
    if (!buf) {
        complain(path, "no memory for the level image");
        return 0;
    }
    memcpy(buf + IMG_HEADER, &header, sizeof header);
    memcpy(buf + IMG_ROOMS, rooms, sizeof(Room) * ROOM_COUNT);
    memcpy(buf + IMG_LEVERS, levers, sizeof(FilePickup) * PICKUP_SLOTS);
    memcpy(buf + IMG_ENERGY, energy_items, sizeof(FilePickup) * PICKUP_SLOTS);
    memcpy(buf + IMG_RESERVED, reserved, sizeof(ReservedRecord) * 7);
    MAP_take_pixels(buf + IMG_BACKGROUNDS, backgrounds, tiles, sprites);
    if (tieneEfecto(flags)) le32_put(buf + LEVEL_EFFECT_OFFSET, (uint32_t)effect);

    int length = image;
    if (estaComprimido(flags)) {
        length = ZzCompressBlock(buf, image, 1, 0);
        if (length < 0) {
            complain(path, "the level could not be packed");
            free(buf);
            return 0;
        }
    }
    int ok = replace_file(path, flags, buf, (size_t)length);
    free(buf);
    return ok;
}
