// vbtest.h -- what the unit tests share: a windowless Allegro, a scratch directory of the test's
// own, whole files, the built data directory, the shipped level, counted allocations.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <gtest/gtest.h>
#include <string>

// Starts Allegro without a window (once per process) and sets the colour depth for new bitmaps.
void vbtest_init(int depth);
// Makes a fresh empty directory under $TMPDIR and enters it; vbtest_leave_scratch goes back to
// where the test was and removes the directory with everything in it.
void vbtest_enter_scratch(void);
void vbtest_leave_scratch(void);
// The built data directory (build/data, from VB_DATA_DIR), or "" when the tests were run without.
std::string vbtest_data(void);
// The whole file ("" when it cannot be read); writing replaces the file.
std::string vbtest_read(const std::string &path);
void vbtest_write(const std::string &path, const std::string &bytes);
// A picture of w by h (the current colour depth) filled with a raw colour.
BITMAP *picture(int w, int h, int colour);
// The values as a file holds them: 32 bits each, low byte first.
std::string le32s(std::initializer_list<int> values);

// Loads the shipped level (maps/NAME of the data directory) for play, in a scratch directory of
// the test's own with the data's maps and pictures linked in, the renderer's layers and pictures
// made; false (with the reason) when it cannot. vbtest_unload_level releases it all and leaves.
bool vbtest_load_shipped_level(const char *name, std::string *why);
void vbtest_unload_level(void);

// The allocations (malloc, calloc, realloc, new) made while vbtest_counting is set, counted when
// vbtest_can_count (not under AddressSanitizer, which owns malloc).
extern const bool vbtest_can_count;
extern bool vbtest_counting;
extern long vbtest_allocations;

// A test that runs in its own scratch directory, where the game's log then lands too.
class ScratchDir : public ::testing::Test {
  protected:
    void SetUp() override { vbtest_enter_scratch(); }
    void TearDown() override { vbtest_leave_scratch(); }
};
