// nivel.cpp -- loading a level for play: the "maps/" path, the map reader, the checks of the
// records, the in-memory pickups.
#include "level/nivel.h"
#include <stdio.h>
#include <string.h>
#include "gfx/picture.h"
#include "level/sanitize.h"
#include "platform/loga.h"
#include "util/cadena.h"

enum { PATH_CAPACITY = 99 }; // characters a CADENA holds

void LEVEL_convert_pickups(const FilePickup from[PICKUP_SLOTS], Pickup to[PICKUP_SLOTS]) {
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        to[i].room = (unsigned char)(from[i].room_row * 5 + from[i].room_col);
        to[i].active = 1;
        to[i].tx = from[i].col;
        to[i].ty = from[i].row;
    }
}

// The level loader's scratch space: what the map file holds that play does not keep (the header,
// rooms and pictures go straight to the caller).
static Level scratch;

// After a read: the checks of the records, their log line, the pickups' in-memory form.
static void finish_load(const char *path, LevelHeader *header, Room rooms[ROOM_COUNT],
                        Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS]) {
    int fixed = LEVEL_sanitize(header, rooms, scratch.levers, scratch.energy_items);
    if (fixed) {
        char what[160], line[400];
        LEVEL_fix_names(fixed, what, sizeof what);
        snprintf(line, sizeof line, "level %.200s needed fixing: %s", path, what);
        loga(line);
    }
    LEVEL_convert_pickups(scratch.levers, levers);
    LEVEL_convert_pickups(scratch.energy_items, energy_items);
}

short LEVEL_load_file(const char *path, LevelHeader *header, Room rooms[ROOM_COUNT],
                      Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
                      BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                      BITMAP *sprites[TILE_COUNT]) {
    if (!cargarMapa(path, &scratch.flags, scratch.reserved, header, rooms, scratch.levers,
                    scratch.energy_items, backgrounds, tiles, sprites, &scratch.effect))
        return 0;
    finish_load(path, header, rooms, levers, energy_items);
    return 1;
}

short LEVEL_load_memory(const unsigned char *data, size_t size, const char *name, Level *lv,
                        Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS]) {
    if (!MAP_read_memory_records(data, size, name, lv)) return 0;
    memcpy(scratch.levers, lv->levers, sizeof scratch.levers);
    memcpy(scratch.energy_items, lv->energy_items, sizeof scratch.energy_items);
    finish_load(name, &lv->header, lv->rooms, levers, energy_items);
    return 1;
}

short carga_fase(const char *name, LevelHeader *header, Room rooms[ROOM_COUNT],
                 Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
                 BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                 BITMAP *sprites[TILE_COUNT]) {
    static const char dir[] = "maps/";
    if (!name || strlen(dir) + strlen(name) > PATH_CAPACITY) {
        char line[160];
        snprintf(line, sizeof line, "level name too long for the maps path: %.60s...",
                 name ? name : "(none)");
        loga(line);
        return 0;
    }
    CADENA path = concatenar_cadenas2(dir, name);
    return LEVEL_load_file(path.caracteres, header, rooms, levers, energy_items, backgrounds, tiles,
                           sprites);
}

int cargar(const char *path, LevelHeader *header, Room rooms[ROOM_COUNT],
           Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
           BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
           BITMAP *sprites[TILE_COUNT]) {
    if (!cargarMapaFormatoAntiguo(path, scratch.reserved, header, rooms, scratch.levers,
                                  scratch.energy_items, backgrounds, tiles, sprites,
                                  &scratch.effect))
        return 0;
    LEVEL_convert_pickups(scratch.levers, levers);
    LEVEL_convert_pickups(scratch.energy_items, energy_items);
    return 1;
}

int recorta_tiles(const char *path, BITMAP *tiles[TILE_COUNT]) {
    enum { SHEET_COLS = 24, SHEET_W = SHEET_COLS * CELL, SHEET_H = 10 * CELL };
    PALETTE pal;
    BITMAP *sheet = GFX_load_picture(path, pal, nullptr);
    char line[300];
    if (!sheet) {
        snprintf(line, sizeof line, "tile sheet %s cannot be loaded", path);
        loga(line);
        return 0;
    }
    if (sheet->w < SHEET_W || sheet->h < SHEET_H) {
        snprintf(line, sizeof line, "tile sheet %s is %dx%d, smaller than %dx%d", path, sheet->w,
                 sheet->h, SHEET_W, SHEET_H);
        loga(line);
        destroy_bitmap(sheet);
        return 0;
    }
    for (int i = 0; i < TILE_COUNT; i++)
        if (tiles[i])
            blit(sheet, tiles[i], i % SHEET_COLS * CELL, i / SHEET_COLS * CELL, 0, 0, CELL, CELL);
    destroy_bitmap(sheet);
    return 1;
}
