// mapfile.cpp -- reading map files: the flags byte tests, the plain and packed forms, the old form.
// SPDX-License-Identifier: MIT
#include "level/mapfile.h"
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "level/mapimagen.h"
#include "level/zz.h"
#include "platform/fileio.h"
#include "platform/loga.h"
#include "util/bytes.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the records are copied as stored");

// A packed level may ask for a little more room than its image; anything past this is damage.
enum { MAX_EXTRA_ROOM = 65536 };
// No map file is larger: the plain form is the flags byte, the image and the effect number.
enum { MAP_FILE_MAX = LEVEL_IMAGE_SIZE * 2 + MAX_EXTRA_ROOM };

// Where the module's lines go: the game's log unless a caller has asked otherwise; and, while a
// read that was given one runs, its fault.
static struct {
    void (*log)(const char *line);
    MapFault *why;
} mapfile;

void MAP_log(const char *line) {
    if (mapfile.why) snprintf(mapfile.why->line, sizeof mapfile.why->line, "%s", line);
    if (mapfile.log)
        mapfile.log(line);
    else
        loga(line);
}

void MAP_set_log(void (*log)(const char *line)) {
    mapfile.log = log;
}

short estaComprimido(unsigned char flags) {
    return flags & MAP_COMPRESSED ? 1 : 0;
}
short tieneEfecto(unsigned char flags) {
    return flags & MAP_HAS_EFFECT ? 1 : 0;
}
short esEditable(unsigned char flags) {
    return flags & MAP_EDITABLE ? 1 : 0;
}
short esJugable(unsigned char flags) {
    return flags & MAP_PLAYABLE ? 1 : 0;
}

static void complain(const char *path, const char *what, long have, long want) {
    char line[400];
    if (want >= 0)
        snprintf(line, sizeof line, "map %s: %s (%ld bytes, %ld expected)", path, what, have, want);
    else
        snprintf(line, sizeof line, "map %s: %s", path, what);
    MAP_log(line);
}

// Loads a whole file into a fresh buffer; 0 when it cannot be read (logged unless it is missing).
// Anything but a regular file (a directory, a named pipe, a device) is refused before it is
// opened, and so is a file larger than any map file can be.
static int slurp(const char *path, unsigned char **data, size_t *size) {
    FioData d;
    int result = FIO_read(path, MAP_FILE_MAX, &d);
    if (result == FIO_MISSING) return 0; // the caller's to report: play logs its name
    if (result != FIO_OK) {
        char why[120];
        complain(path, FIO_why(result, &d, MAP_FILE_MAX, why, sizeof why), 0, -1);
        return 0;
    }
    *data = d.data;
    *size = d.size;
    return 1;
}

// Hands a level image that has passed every check out to the level: records, pictures and
// effect number. Nothing can fail from here on, so the caller never gets half a level.
static void hand_out(const unsigned char *img, int has_effect, int src_depth, int pixels,
                     Level *lv) {
    // The records are bytes and little-endian 16-bit cells, as laid out in memory on our targets.
    memcpy(&lv->header, img + IMG_HEADER, sizeof lv->header);
    memcpy(lv->rooms, img + IMG_ROOMS, sizeof lv->rooms);
    memcpy(lv->levers, img + IMG_LEVERS, sizeof lv->levers);
    memcpy(lv->energy_items, img + IMG_ENERGY, sizeof lv->energy_items);
    memcpy(lv->reserved, img + IMG_RESERVED, sizeof lv->reserved);
    lv->effect = has_effect ? (int32_t)le32_get(img + LEVEL_EFFECT_OFFSET) : -1;
    if (pixels) MAP_put_pixels(img + IMG_BACKGROUNDS, src_depth, lv);
}

// Reads a map file held in memory; with pixels 0 the pictures are neither needed nor touched.
static int read_memory(const unsigned char *data, size_t size, const char *name, int pixels,
                       Level *lv) {
    lv->effect = -1;
    if (pixels && !MAP_check_pictures(name, lv)) return 0;
    if (size < 1) {
        complain(name, "is empty", 0, -1);
        return 0;
    }
    unsigned char f = data[0];
    long image = LEVEL_IMAGE_SIZE + (tieneEfecto(f) ? 4 : 0);
    const unsigned char *rest = data + 1;
    long have = (long)size - 1;

    if (!estaComprimido(f)) {
        if (have < image) {
            complain(name, "is truncated", have, image);
            return 0;
        }
        if (have > image) {
            complain(name, "has trailing bytes after the level", have, image);
            return 0;
        }
        hand_out(rest, tieneEfecto(f), MAP_depth_of_flags(f), pixels, lv);
        lv->flags = f;
        return 1;
    }

    if (have < ZZ_HEADER_SIZE) {
        complain(name, "packed level is truncated", have, ZZ_HEADER_SIZE);
        return 0;
    }
    uint32_t need = le32_get(rest);
    if (need < (uint32_t)image) {
        complain(name, "packed level's size word is smaller than the level", (long)need, image);
        return 0;
    }
    if (need > (uint32_t)(image + MAX_EXTRA_ROOM)) {
        complain(name, "packed level's size word is absurdly large", (long)need, image);
        return 0;
    }
    long block = ZzBlockLength(rest, (size_t)have);
    if (block < 0) {
        complain(name, "packed level's block header is damaged", have, -1);
        return 0;
    }
    if (have < block) {
        complain(name, "packed level is truncated", have, block);
        return 0;
    }
    if (have > block) {
        complain(name, "has trailing bytes after the packed level", have, block);
        return 0;
    }
    unsigned char *buf = (unsigned char *)malloc(need);
    if (!buf) {
        complain(name, "no memory to unpack it", (long)need, -1);
        return 0;
    }
    memcpy(buf, rest, (size_t)block);
    int got = ZzUncompressBlock(buf);
    if (got != image) {
        if (got < 0)
            complain(name, "packed level is damaged", have, -1);
        else
            complain(name, "packed level has the wrong length", got, image);
        free(buf);
        return 0;
    }
    hand_out(buf, tieneEfecto(f), MAP_depth_of_flags(f), pixels, lv);
    free(buf);
    lv->flags = f;
    return 1;
}

int MAP_load_memory(const unsigned char *data, size_t size, const char *name, int what, Level *lv,
                    MapFault *why) {
    if (why) why->line[0] = 0;
    mapfile.why = why;
    int ok = read_memory(data, size, name, what == MAP_PICTURES, lv);
    mapfile.why = nullptr;
    return ok;
}

int MAP_load(const char *path, int what, Level *lv, MapFault *why) {
    lv->effect = -1;
    if (why) why->line[0] = 0;
    mapfile.why = why;
    unsigned char *data;
    size_t size;
    int ok = slurp(path, &data, &size);
    if (ok) {
        ok = read_memory(data, size, path, what == MAP_PICTURES, lv);
        free(data);
    }
    mapfile.why = nullptr;
    return ok;
}

int MAP_read(const char *path, Level *lv) {
    return MAP_load(path, MAP_PICTURES, lv, nullptr);
}

int MAP_read_old(const char *path, Level *lv) {
    lv->effect = -1;
    if (!MAP_check_pictures(path, lv)) return 0;
    unsigned char *data;
    size_t size;
    if (!slurp(path, &data, &size)) return 0;
    // The old form has no flags byte: the image alone, with the effect number when it is longer.
    long have = (long)size;
    int ok = 0;
    if (have < LEVEL_IMAGE_SIZE)
        complain(path, "old-form level is truncated", have, LEVEL_IMAGE_SIZE);
    else if (have > LEVEL_IMAGE_SIZE && have < LEVEL_IMAGE_SIZE + 4)
        complain(path, "old-form level's effect number is truncated", have, LEVEL_IMAGE_SIZE + 4);
    else if (have > LEVEL_IMAGE_SIZE + 4)
        complain(path, "has trailing bytes after the old-form level", have, LEVEL_IMAGE_SIZE + 4);
    else {
        hand_out(data, have == LEVEL_IMAGE_SIZE + 4, 16, 1, lv);
        ok = 1;
    }
    free(data);
    return ok;
}

// A level record around the caller's pictures, for the wrappers below.
static Level *wrap(BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                   BITMAP *sprites[TILE_COUNT]) {
    static Level lv;
    memcpy(lv.backgrounds, backgrounds, sizeof lv.backgrounds);
    memcpy(lv.tiles, tiles, sizeof lv.tiles);
    memcpy(lv.sprites, sprites, sizeof lv.sprites);
    return &lv;
}

// Copies the records a read put into lv out to the caller's storage.
static void copy_out(const Level *lv, ReservedRecord reserved[7], LevelHeader *header,
                     Room rooms[ROOM_COUNT], FilePickup levers[PICKUP_SLOTS],
                     FilePickup energy_items[PICKUP_SLOTS]) {
    memcpy(reserved, lv->reserved, sizeof lv->reserved);
    *header = lv->header;
    memcpy(rooms, lv->rooms, sizeof lv->rooms);
    memcpy(levers, lv->levers, sizeof lv->levers);
    memcpy(energy_items, lv->energy_items, sizeof lv->energy_items);
}

int cargarMapa(const char *path, unsigned char *flags, ReservedRecord reserved[7],
               LevelHeader *header, Room rooms[ROOM_COUNT], FilePickup levers[PICKUP_SLOTS],
               FilePickup energy_items[PICKUP_SLOTS], BITMAP *backgrounds[BACKGROUND_COUNT],
               BITMAP *tiles[TILE_COUNT], BITMAP *sprites[TILE_COUNT], int *effect) {
    Level *lv = wrap(backgrounds, tiles, sprites);
    int ok = MAP_read(path, lv);
    *effect = lv->effect;
    if (ok) {
        *flags = lv->flags;
        copy_out(lv, reserved, header, rooms, levers, energy_items);
    }
    return ok;
}

int cargarMapaFormatoAntiguo(const char *path, ReservedRecord reserved[7], LevelHeader *header,
                             Room rooms[ROOM_COUNT], FilePickup levers[PICKUP_SLOTS],
                             FilePickup energy_items[PICKUP_SLOTS],
                             BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                             BITMAP *sprites[TILE_COUNT], int *effect) {
    Level *lv = wrap(backgrounds, tiles, sprites);
    int ok = MAP_read_old(path, lv);
    *effect = lv->effect;
    if (ok) copy_out(lv, reserved, header, rooms, levers, energy_items);
    return ok;
}

int grabarMapa(const char *path, unsigned char flags, const ReservedRecord reserved[7],
               LevelHeader header, const Room rooms[ROOM_COUNT],
               const FilePickup levers[PICKUP_SLOTS], const FilePickup energy_items[PICKUP_SLOTS],
               BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
               BITMAP *sprites[TILE_COUNT], int effect) {
    Level *lv = wrap(backgrounds, tiles, sprites);
    lv->flags = flags;
    lv->header = header;
    memcpy(lv->reserved, reserved, sizeof lv->reserved);
    memcpy(lv->rooms, rooms, sizeof lv->rooms);
    memcpy(lv->levers, levers, sizeof lv->levers);
    memcpy(lv->energy_items, energy_items, sizeof lv->energy_items);
    lv->effect = effect;
    return MAP_write(path, lv);
}
