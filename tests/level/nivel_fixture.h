// nivel_fixture.h -- test levels in memory: storage, pictures, random content, files on disk.
#pragma once
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>
#include "level/nivel.h"

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
// Writes lv with the given flags; grabarMapa's result.
int level_write(const std::string &path, const TestLevel *lv, unsigned char flags);
// Reads path into lv; cargarMapa's result.
int level_read(const std::string &path, TestLevel *lv);
// 1 when the records (header, rooms, lists, reserved) are identical.
bool same_records(const TestLevel *a, const TestLevel *b);
// 1 when every pixel value of every picture is identical.
bool same_pixels(const TestLevel *a, const TestLevel *b);

// A fresh empty directory under /tmp.
std::string temp_dir();
std::vector<unsigned char> read_file(const std::string &path);
void write_file(const std::string &path, const std::vector<unsigned char> &bytes);
// The text of the log file in the current directory ("" when none).
std::string read_log();

// A test that works in its own scratch directory (which also receives the log), left and removed
// afterwards.
class ScratchDirTest : public ::testing::Test {
  protected:
    std::string dir, home;
    void SetUp() override {
        home = std::filesystem::current_path();
        dir = temp_dir();
        ASSERT_EQ(chdir(dir.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(home.c_str()), 0);
        std::filesystem::remove_all(dir);
    }
};
