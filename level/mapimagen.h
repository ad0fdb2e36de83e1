// mapimagen.h -- inside the map module: the level image's offsets, its pictures and their depths.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "level/mapfile.h"

enum {
    IMG_HEADER = 0,
    IMG_ROOMS = 110,
    IMG_LEVERS = 27960,
    IMG_ENERGY = 28060,
    IMG_RESERVED = 28160,
    IMG_BACKGROUNDS = LEVEL_PIXELS_OFFSET,
    IMG_TILES = 720074, // tile and sprite pixels, interleaved
    BG_W = 240,
    BG_H = 144,
};

// Writes one line about a refused or unwritten map file: to the log, or where MAP_set_log says.
void MAP_log(const char *line);

// Sends the map module's lines to log instead of the log file (nullptr: back to the log file).
void MAP_set_log(void (*log)(const char *line));

// The depth a flags byte records for its pictures: 15, 16 or 32 (16 when none is recorded).
int MAP_depth_of_flags(unsigned char flags);

// The flags bits 4-5 that record depth, or -1 when the depth cannot be recorded.
int MAP_depth_bits(int depth);

// 1 when every picture of the level is there and large enough, else 0 with a log line naming what
// is wrong.
int MAP_check_pictures(const char *path, const Level *lv);

// Puts the pixels of a level image (starting at its first background pixel) into the pictures,
// turning values of depth src_depth into each picture's own depth.
void MAP_put_pixels(const unsigned char *pixels, int src_depth, const Level *lv);

// Takes the pictures' pixel values into a level image (from its first background pixel).
void MAP_take_pixels(unsigned char *pixels, const Level *lv);
