// userlevels_test.cpp -- loading a level for play, hostile records made safe, the list of levels.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include "level/sanitize.h"
#include "level/userlevels.h"
#include "level_fixture.h"
#include "support/sound_level.h"

static int sanitize(Level *lv) {
    return LEVEL_sanitize(&lv->header, lv->rooms, lv->levers, lv->energy_items);
}

static int playable(const Level *lv) {
    Pickup levers[PICKUP_SLOTS];
    LEVEL_convert_pickups(lv->levers, levers);
    return LEVEL_playable_rooms(lv->rooms, levers);
}

// Each hostile field is fixed (a bad start leaves its room unplayable); a sound level is not.
TEST(Sanitize, EachHostileFieldIsFixedAndASoundLevelIsLeftAlone) {
    static Level sound, lv;
    sound_level(&sound);
    ASSERT_EQ(sanitize(&sound), 0);
    EXPECT_EQ(playable(&sound), 25);
    struct Case {
        const char *what;
        void (*spoil)(Level *);
        int fix;
        bool (*fixed)(const Level *);
    };
// clang-format off
#define CASE(s, fix, ok) Case{#s, [](Level *l) { Room *r = l->rooms; (void)r; s; }, fix, \
    [](const Level *l) { const Room *r = l->rooms; (void)r; return ok; }}
    // clang-format on
    const Case cases[] = {
        CASE((r[6].start_col = 0, r[6].start_row = 0), 0, l->levers[6].col == 13), // the corner
        CASE((r[3].start_col = 90, r[3].start_row = -4), FIX_START,
             r[3].start_col == 14 && r[3].start_row == 0 && l->levers[3].room_col == -1),
        CASE(r[5].start_row = 8, FIX_START, l->levers[5].col == -1 && r[5].start_row == 8),
        CASE(r[7].background = 5, FIX_BACKGROUND, r[7].background == -1),
        CASE(r[1].cells[2][3].back_tile = 240, FIX_TILES, r[1].cells[2][3].back_tile == -1),
        CASE(r[1].cells[8][0].front_tile = -2, FIX_TILES, r[1].cells[8][0].front_tile == -1),
        CASE(r[2].enemies[0].kind = 13, FIX_ENEMIES, r[2].enemies[0].kind == -1),
        CASE(r[2].enemies[0].x2 = 15, FIX_ENEMIES, r[2].enemies[0].kind == -1),
        CASE(r[4].platforms[0].speed = 64, FIX_PLATFORMS, r[4].platforms[0].kind == -1),
        CASE(r[4].platforms[0].speed = 3, FIX_PLATFORMS, // a path of uneven steps
             r[4].platforms[0].kind == -1),
        CASE((r[4].platforms[3] = MoverEntry{1, 1, 1, 1, 0, 24}), FIX_PLATFORMS,
             r[4].platforms[3].kind == -1),
        CASE(l->levers[9].row = 9, FIX_LEVERS,
             l->levers[9].room_col == -1 && l->levers[9].row == -1),
        CASE((l->energy_items[0] = FilePickup{5, 0, 1, 1}), FIX_ENERGY,
             l->energy_items[0].room_col == -1),
        CASE(l->header.door_row = 8, FIX_DOOR,
             l->header.door_room_col == -1 && l->header.door_row == -1),
    };
#undef CASE
    for (const Case &c : cases) {
        lv = sound;
        c.spoil(&lv);
        EXPECT_EQ(sanitize(&lv), c.fix) << c.what;
        EXPECT_TRUE(c.fixed(&lv)) << c.what;
        bool lever_gone = c.fix == FIX_START || c.fix == FIX_LEVERS;
        EXPECT_EQ(playable(&lv), lever_gone ? 24 : 25) << c.what;
    }
}

class LevelList_ : public LevelTest {};

// Shipped levels (not the game's own), then the player's; a pipe is never opened (it would block);
// past the limit the first files by name are listed; an unreadable folder is named with the reason.
TEST_F(LevelList_, SortedNamedDamagedMarkedOnlyRegularFilesReadAndNothingLeftOutWithoutAWord) {
    Level *lv = level_new(16);
    sound_level(lv);
    ASSERT_EQ(mkdir("maps", 0755) | mkdir("levels", 0755) | mkdir("many", 0755), 0);
    auto write = [&](const char *path, const char *name, int rooms) {
        memset(lv->header.name, 0, sizeof lv->header.name);
        memcpy(lv->header.name, name, strlen(name));
        for (int r = 0; r < ROOM_COUNT; r++)
            lv->levers[r] = r < rooms
                                ? FilePickup{(signed char)(r % 5), (signed char)(r / 5), 13, 7}
                                : FilePickup{-1, -1, -1, -1};
        ASSERT_EQ(level_write(path, lv, MAP_COMPRESSED | MAP_PLAYABLE), 1);
    };
    write("maps/velba1.vb3", "The game's own", 25);
    write("maps/velba2.vb3", "Zigzag", 25);
    write("levels/b.vb3", "  apple\x01 pie  ", 3);
    write("levels/c.vb3", "", 1);
    write("levels/a.vb3", "Mango", 2);
    vbtest_write("levels/broken.vb3", "\x09not a level at all");
    vbtest_write("levels/notes.txt", "not listed");
    ASSERT_EQ(mkfifo("levels/pipe.vb3", 0644), 0);
    ASSERT_EQ(mkdir("levels/folder.vb3", 0755), 0);
    ASSERT_EQ(symlink("/dev/null", "levels/device.vb3"), 0);
    static LevelList list;
    ASSERT_EQ(LEVELS_scan(&list, "maps", "levels"), 5);
    const char *want[] = {"maps/velba2.vb3 Zigzag 25 shipped", "levels/b.vb3 apple? pie 3",
                          "levels/broken.vb3 broken 0 DAMAGED", "levels/c.vb3 c 1",
                          "levels/a.vb3 Mango 2"};
    for (int i = 0; i < 5; i++) {
        const LevelEntry &e = list.entries[i];
        EXPECT_EQ(std::string(e.path) + " " + e.name + " " + std::to_string(e.playable) +
                      (e.damaged ? " DAMAGED" : "") + (e.shipped ? " shipped" : ""),
                  want[i]);
    }
    EXPECT_STREQ(list.entries[2].why,
                 "packed level's size word is absurdly large (544501614 bytes, 1211594 expected)")
        << "the reason, without the file's path";
    EXPECT_EQ(list.skipped, 3) << "the pipe, the folder and the device";
    EXPECT_EQ(LEVELS_scan(&list, "absent", "levels"), 4) << "no maps folder";
    EXPECT_EQ(list.read_err, 0) << "a folder that is not there is not an error";
    write("levels/twin.vb3", "Mango", 2); // two levels of one name are told apart by file
    LEVELS_scan(&list, "maps", "levels");
    for (int i = 0; i < list.count; i++)
        EXPECT_EQ(list.entries[i].name_shared, strcmp(list.entries[i].name, "Mango") == 0)
            << list.entries[i].path;
    for (int i = LEVEL_LIST_MAX + 4; i >= 0; i--) // written in reverse: directory order differs
        vbtest_write("many/l" + std::to_string(1000 + i) + ".vb3", "damaged");
    ASSERT_EQ(LEVELS_scan(&list, nullptr, "many"), LEVEL_LIST_MAX);
    EXPECT_STREQ(list.entries[LEVEL_LIST_MAX - 1].path, "many/l1499.vb3");
    EXPECT_NE(
        vbtest_read("log.txt").find("level list: 5 level files past the first 500 not listed"),
        std::string::npos);
    EXPECT_EQ(LEVELS_scan(&list, "levels/notes.txt", nullptr), 0);
    EXPECT_EQ(list.read_err, ENOTDIR);
    EXPECT_STREQ(list.unread, "levels/notes.txt");
}

class Loader : public LevelTest {};

// A level loads whole (flags, lists, reserved records, effect) made safe, the log naming the fixes;
// a failure says why, naming the file, and leaves the records alone.
TEST_F(Loader, ALevelLoadsWholeMadeSafeAFailureSaysWhyAndChangesNothingAndSheetsAreCut) {
    Level *lv = level_new(16), *in = level_new(16, 0x31);
    level_randomise(lv, 40);
    const int flags = MAP_COMPRESSED | MAP_HAS_EFFECT | MAP_PLAYABLE;
    ASSERT_EQ(level_write("l.vb3", lv, flags), 1);
    LevelLoad load;
    ASSERT_EQ(LEVEL_load("l.vb3", MAP_PICTURES, in, &load), 1);
    EXPECT_EQ(load.fixed, sanitize(lv)) << "fixed as play gets it";
    EXPECT_TRUE(same_records(in, lv) && same_pixels(in, lv));
    EXPECT_EQ(std::make_pair(in->flags & 0x0F, in->effect), std::make_pair(flags, lv->effect));
    LEVEL_log_fixes("l.vb3", load.fixed);
    EXPECT_NE(vbtest_read("log.txt").find("level l.vb3 needed fixing: exit door, levers, energy "
                                          "items, start cell, background, tiles, enemies, "
                                          "platforms\n"),
              std::string::npos)
        << vbtest_read("log.txt");
    static Level kept;
    kept = *in;
    ASSERT_EQ(mkdir("dir.vb3", 0755), 0);
    const char *fails[][2] = {{"absent.vb3", "No such file"}, {"dir.vb3", "folder"}};
    for (auto &f : fails) {
        EXPECT_EQ(LEVEL_load(f[0], MAP_PICTURES, in, &load), 0);
        EXPECT_TRUE(strstr(load.why, f[0]) && strstr(load.why, f[1])) << load.why;
        EXPECT_TRUE(same_records(in, &kept));
    }
    BITMAP *sheet = create_bitmap_ex(16, 384, 160); // tiles are cut left to right, top to bottom
    clear_bitmap(sheet);
    putpixel(sheet, 16 * 5 + 3, 16 * 2 + 9, makecol16(1, 2, 3));
    ASSERT_EQ(save_bitmap("sheet.pcx", sheet, nullptr), 0);
    destroy_bitmap(sheet);
    ASSERT_EQ(recorta_tiles("sheet.pcx", lv->tiles), 1);
    EXPECT_EQ(getpixel(lv->tiles[2 * 24 + 5], 3, 9), makecol16(1, 2, 3));
    EXPECT_EQ(recorta_tiles("absent.pcx", lv->tiles), 0);
}
