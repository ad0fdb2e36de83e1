// level_fixture.h -- test levels in memory: made at one depth, randomised, written, compared.
// SPDX-License-Identifier: MIT
#pragma once
#include <string>
#include "level/nivel.h"
#include "support/vbtest.h"

// A level of records filled with fill and cleared pictures of depth bits, freed by LevelTest.
Level *level_new(int depth, unsigned char fill = 0);
// A level test in a scratch directory of its own; the levels it made are freed after it.
class LevelTest : public ScratchDir {
  protected:
    void TearDown() override;
};
// Picture i of a level: the backgrounds, then the tiles, then the sprites.
enum { LEVEL_PICTURES = BACKGROUND_COUNT + 2 * TILE_COUNT };
BITMAP *level_picture(const Level *lv, int i);
// Random records, effect number and pixel values (any the depth can hold, some mask pixels).
void level_randomise(Level *lv, unsigned seed);
// Writes lv with the given flags: the map writer's result.
int level_write(const std::string &path, Level *lv, unsigned char flags);
// True when the records (header, rooms, lists, reserved), or every pixel value, are identical.
bool same_records(const Level *a, const Level *b);
bool same_pixels(const Level *a, const Level *b);
