// level_fixture.h -- test levels in memory: storage, pictures at one depth, random content.
#pragma once
#include <string>
#include "level/nivel.h"
#include "support/vbtest.h"

// Everything a map file holds, with its pictures created at one colour depth.
struct TestLevel {
    unsigned char flags;
    ReservedRecord reserved[7];
    LevelHeader header;
    Room rooms[ROOM_COUNT];
    FilePickup levers[PICKUP_SLOTS];
    FilePickup energy[PICKUP_SLOTS];
    BITMAP *bg[BACKGROUND_COUNT];
    BITMAP *tiles[TILE_COUNT];
    BITMAP *sprites[TILE_COUNT];
    int effect;
};

// A level whose records are filled with fill and whose pictures (of depth bits) are cleared to 0.
TestLevel *level_new(int depth, unsigned char fill = 0);
void level_free(TestLevel *lv);
// Random records, effect number and pixel values (any value the depth can hold, some mask pixels).
void level_randomise(TestLevel *lv, unsigned seed);
// Writes lv with the given flags, or reads path into lv: the map writer's and reader's result.
int level_write(const std::string &path, const TestLevel *lv, unsigned char flags);
int level_read(const std::string &path, TestLevel *lv);
// True when the records (header, rooms, lists, reserved), or every pixel value, are identical.
bool same_records(const TestLevel *a, const TestLevel *b);
bool same_pixels(const TestLevel *a, const TestLevel *b);
