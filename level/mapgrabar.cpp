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
    int ok = f != nullptr;
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

int MAP_write(const char *path, const Level *lv) {
    if (!MAP_check_pictures(path, lv)) return 0;
    int depth_bits = MAP_depth_bits(pictures_depth(lv));
    if (depth_bits < 0) {
        complain(path, "the pictures must all be of 15, 16 or 32 bits per pixel");
        return 0;
    }
    unsigned char flags = (unsigned char)((lv->flags & ~MAP_DEPTH_MASK) | depth_bits);

    int image = LEVEL_IMAGE_SIZE + (tieneEfecto(flags) ? 4 : 0);
    unsigned char *buf = (unsigned char *)malloc((size_t)image + ZZ_SLACK);
    if (!buf) {
        complain(path, "no memory for the level image");
        return 0;
    }
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
            free(buf);
            return 0;
        }
    }
    int ok = replace_file(path, flags, buf, (size_t)length);
    free(buf);
    return ok;
}
