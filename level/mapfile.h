// mapfile.h -- the map file: flags byte, level image (header, rooms, pickups, pictures),
// reader/writer.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stddef.h>

enum {
    LEVEL_IMAGE_SIZE = 1211594, // the level image without the effect number
    LEVEL_EFFECT_OFFSET = 1211594,
    LEVEL_PIXELS_OFFSET = 28874, // first background pixel
    ROOM_COLS = 15,
    ROOM_ROWS = 9,
    CELL = 16,
    ROOM_COUNT = 25,
    TILE_COUNT = 240,
    BACKGROUND_COUNT = 5,
    ENEMY_SLOTS = 24,
    PLATFORM_SLOTS = 25,
    PICKUP_SLOTS = 25,
};

// Flags byte bits.
enum {
    MAP_COMPRESSED = 0x01,
    MAP_HAS_EFFECT = 0x02,
    MAP_EDITABLE = 0x04,
    MAP_PLAYABLE = 0x08,
    MAP_DEPTH_SHIFT =
        4, // bits 4-5: depth the pictures were written at (0 unknown=16, 1=15, 2=16, 3=32)
    MAP_DEPTH_MASK = 0x30,
};

// Cell attribute bits.
enum {
    ATTR_SOLID = 0x01,
    ATTR_HURTS = 0x02,
    ATTR_BELT_RIGHT = 0x04,
    ATTR_BELT_LEFT = 0x08,
    ATTR_LEDGE = 0x10,
    ATTR_DRIPS = 0x20, // a ceiling cell that drips hazard drops
};

#pragma pack(push, 1)
// The level header: the level's name, then the exit door's room (map column, row) and cell.
struct LevelHeader {
    unsigned char name[106]; // the name its text gave it, zero-padded (any bytes in older files)
    signed char door_room_col, door_room_row;
    signed char door_col, door_row; // door_row is the upper of the door's two cells
};

// An enemy or platform path in cells: start, end, pixels per frame, kind (-1 empty).
struct MoverEntry {
    signed char x1, y1, x2, y2, speed, kind;
};

// One cell of a room: back and front tile (-1 none) and attribute bits.
struct Cell {
    short back_tile;
    short front_tile;
    unsigned char attr;
    unsigned char unused;
};

// One room of the 5x5 map.
struct Room {
    signed char background; // 0..4, -1 = none
    unsigned char unused1;
    MoverEntry enemies[ENEMY_SLOTS];
    signed char start_col, start_row, start_look_col;
    unsigned char damage; // the energy the room is meant to cost at best, as its text declares it:
                          // the level checker holds a room to it; play does not read it
    unsigned char unused2[3];
    MoverEntry platforms[PLATFORM_SLOTS];
    unsigned char unused3;
    Cell cells[ROOM_ROWS][ROOM_COLS]; // [row][col]
};

// A pickup as stored in the file: its room's map column and row, and its cell.
struct FilePickup {
    signed char room_col, room_row, col, row;
};

// One of the seven reserved records, carried unchanged.
struct ReservedRecord {
    unsigned char bytes[102];
};
#pragma pack(pop)

static_assert(sizeof(LevelHeader) == 110, "level header is 110 bytes");
static_assert(sizeof(MoverEntry) == 6, "mover entry is 6 bytes");
static_assert(sizeof(Cell) == 6, "cell is 6 bytes");
static_assert(sizeof(Room) == 1114, "room record is 1114 bytes");
static_assert(offsetof(LevelHeader, door_room_col) == 106, "the door follows the level's name");
static_assert(offsetof(Room, damage) == 149, "the declared damage follows the start cell");
static_assert(offsetof(Room, platforms) == 153, "the platforms follow the spare bytes");
static_assert(sizeof(FilePickup) == 4, "file pickup is 4 bytes");
static_assert(sizeof(ReservedRecord) == 102, "reserved record is 102 bytes");

// A whole level in memory: what a map file holds, its pictures included. The records are kept as
// they are stored; the pictures are bitmaps the level's owner creates (MAP_create_pictures) and
// the reader fills.
struct Level {
    unsigned char flags; // the flags byte
    LevelHeader header;
    Room rooms[ROOM_COUNT];
    FilePickup levers[PICKUP_SLOTS];       // the first pickup list
    FilePickup energy_items[PICKUP_SLOTS]; // the second pickup list
    ReservedRecord reserved[7];            // carried unchanged
    BITMAP *backgrounds[BACKGROUND_COUNT]; // 240x144
    BITMAP *tiles[TILE_COUNT];             // 16x16
    BITMAP *sprites[TILE_COUNT];           // 16x16
    int effect;                            // the effect number, -1 when the file has none
};

// Creates the level's pictures at the current colour depth, cleared; 0 when memory ran out (what
// was made is released).
int MAP_create_pictures(Level *lv);
// Destroys the level's pictures (missing ones are skipped) and forgets them.
void MAP_destroy_pictures(Level *lv);
// What to read of a map file: its records alone (the pictures are neither needed nor touched), or
// the pixels of its pictures too.
enum { MAP_RECORDS, MAP_PICTURES };
// Why a map file was refused: the line the reader wrote to the log, "" when it wrote none (a
// missing file is its caller's to report).
struct MapFault {
    char line[400];
};
// Reads a map file (plain or compressed) into the level: flags, records, effect number and, with
// MAP_PICTURES, the pixels of its pictures, which must exist. 1 on success; 0 on any failure
// (logged, and said in *why when why is given), with the level left as it was but for its effect
// number, -1.
int MAP_load(const char *path, int what, Level *lv, MapFault *why);
// Reads a map file held in memory exactly as MAP_load reads one from disk; name stands for the
// file in the lines.
int MAP_load_memory(const unsigned char *data, size_t size, const char *name, int what, Level *lv,
                    MapFault *why);
// MAP_load with the pictures, said only in the log.
int MAP_read(const char *path, Level *lv);
// Reads the old form (a plain level image with no flags byte) like MAP_read; the flags are left as
// they were.
int MAP_read_old(const char *path, Level *lv);
// Writes the level with its flags (the depth bits set from its pictures) through a temporary file
// renamed into place; 1 on success, 0 on failure (logged; an existing file is left as it was).
int MAP_write(const char *path, const Level *lv);

// The map file operations as the game has always named them, on separate storage: thin wrappers
// over the ones above, with the same results.
int cargarMapa(const char *path, unsigned char *flags, ReservedRecord reserved[7],
               LevelHeader *header, Room rooms[ROOM_COUNT], FilePickup levers[PICKUP_SLOTS],
               FilePickup energy_items[PICKUP_SLOTS], BITMAP *backgrounds[BACKGROUND_COUNT],
               BITMAP *tiles[TILE_COUNT], BITMAP *sprites[TILE_COUNT], int *effect);
int grabarMapa(const char *path, unsigned char flags, const ReservedRecord reserved[7],
               LevelHeader header, const Room rooms[ROOM_COUNT],
               const FilePickup levers[PICKUP_SLOTS], const FilePickup energy_items[PICKUP_SLOTS],
               BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
               BITMAP *sprites[TILE_COUNT], int effect);
int cargarMapaFormatoAntiguo(const char *path, ReservedRecord reserved[7], LevelHeader *header,
                             Room rooms[ROOM_COUNT], FilePickup levers[PICKUP_SLOTS],
                             FilePickup energy_items[PICKUP_SLOTS],
                             BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                             BITMAP *sprites[TILE_COUNT], int *effect);

// The four tests of the flags byte, each 1 or 0.
short estaComprimido(unsigned char flags);
short tieneEfecto(unsigned char flags);
short esEditable(unsigned char flags);
short esJugable(unsigned char flags);
