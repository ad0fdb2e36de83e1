// userlevels_test.cpp -- loading a level for play, hostile records made safe, the list of levels.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <tuple>
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

// Each hostile field is fixed and named (a bad start leaves its room unplayable); sound levels not.
TEST(Sanitize, EachHostileFieldIsFixedAndNamedAndSoundLevelsAreLeftAlone) {
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
        CASE((r[3].start_col = 90, r[3].start_row = -4), FIX_START,
             r[3].start_col == 14 && r[3].start_row == 0 && l->levers[3].room_col == -1),
        CASE(r[5].start_row = 8, FIX_START, l->levers[5].col == -1 && r[5].start_row == 8),
        CASE(r[7].background = 5, FIX_BACKGROUND, r[7].background == -1),
        CASE(r[1].cells[2][3].back_tile = 240, FIX_TILES, r[1].cells[2][3].back_tile == -1),
        CASE(r[1].cells[8][0].front_tile = -2, FIX_TILES, r[1].cells[8][0].front_tile == -1),
        CASE(r[2].enemies[0].kind = 13, FIX_ENEMIES, r[2].enemies[0].kind == -1),
        CASE(r[2].enemies[0].x2 = 15, FIX_ENEMIES, r[2].enemies[0].kind == -1),
        CASE(r[2].enemies[0].speed = -1, FIX_ENEMIES, r[2].enemies[0].kind == -1),
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
    lv = sound;
    lv.rooms[0].start_col = -1;
    lv.rooms[0].background = 9;
    char names[200];
    LEVEL_fix_names(sanitize(&lv), names, sizeof names);
    EXPECT_STREQ(names, "start cell, background");
    std::string path = vbtest_data() + "/maps/velba1.vb3";
    if (!MAP_load(path.c_str(), MAP_RECORDS, &sound, nullptr))
        GTEST_SKIP() << path << " is not built";
    lv = sound;
    EXPECT_EQ(sanitize(&lv), 0);
    EXPECT_TRUE(same_records(&sound, &lv));
    EXPECT_EQ(playable(&lv), 25);
}

class LevelList_ : public LevelTest {};

// Shipped levels (not the game's own), then the player's; a pipe is never opened (it would block).
TEST_F(LevelList_, SortedNamedDamagedMarkedAndOnlyRegularLevelFilesRead) {
    Level *lv = level_new(16);
    sound_level(lv);
    ASSERT_EQ(mkdir("maps", 0755) | mkdir("levels", 0755), 0);
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
    std::string before = vbtest_read("levels/a.vb3");
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
    EXPECT_EQ(std::make_pair(list.entries[4].rooms, list.entries[1].rooms), std::make_pair(3u, 7u))
        << "a.vb3's two rooms, the card's 1 and 2; b.vb3's three";
    EXPECT_STREQ(list.entries[2].why,
                 "packed level's size word is absurdly large (544501614 bytes, 1211594 expected)")
        << "the reason, without the file's path";
    EXPECT_EQ(list.skipped, 3) << "the pipe, the folder and the device";
    EXPECT_EQ(vbtest_read("levels/a.vb3"), before) << "the list never writes";
    EXPECT_EQ(LEVELS_scan(&list, "absent", "levels"), 4) << "no maps folder";
    EXPECT_EQ(LEVELS_scan(&list, "absent", "none"), 0);
    EXPECT_EQ(list.read_err, 0) << "a folder that is not there is not an error";
    write("levels/twin.vb3", "Mango", 2); // two levels of one name are told apart by file
    LEVELS_scan(&list, "maps", "levels");
    for (int i = 0; i < list.count; i++)
        EXPECT_EQ(list.entries[i].name_shared, strcmp(list.entries[i].name, "Mango") == 0)
            << list.entries[i].path;
    EXPECT_STREQ(LEVELS_file(&list.entries[4]), "a.vb3");
}

// Past the limit, the first files by name are listed and the others counted; a folder that
// cannot be read is named with the reason.
TEST_F(LevelList_, NothingIsLeftOutWithoutAWord) {
    static LevelList list;
    ASSERT_EQ(mkdir("levels", 0755), 0);
    for (int i = LEVEL_LIST_MAX + 4; i >= 0; i--) // written in reverse: directory order differs
        vbtest_write("levels/l" + std::to_string(1000 + i) + ".vb3", "damaged");
    ASSERT_EQ(LEVELS_scan(&list, nullptr, "levels"), LEVEL_LIST_MAX);
    EXPECT_EQ(list.dropped, 5);
    EXPECT_STREQ(list.entries[LEVEL_LIST_MAX - 1].path, "levels/l1499.vb3");
    EXPECT_NE(
        vbtest_read("log.txt").find("level list: 5 level files past the first 500 not listed"),
        std::string::npos);
    vbtest_write("maps", "a file where the folder should be");
    EXPECT_EQ(LEVELS_scan(&list, "maps", nullptr), 0);
    EXPECT_EQ(list.read_err, ENOTDIR);
    EXPECT_STREQ(list.unread, "maps");
}

class Loader : public LevelTest {};

// A level loads whole (flags, lists, reserved records, effect) made safe, pictures only when asked;
// a failure, from disk or memory, says why, naming the file, and leaves the records as they were.
TEST_F(Loader, ALevelLoadsWholeMadeSafeAndAFailureSaysWhyAndChangesNothing) {
    Level *lv = level_new(16), *in = level_new(16, 0x31);
    level_randomise(lv, 41);
    ASSERT_EQ(level_write("l.vb3", lv, MAP_COMPRESSED | MAP_HAS_EFFECT | MAP_PLAYABLE), 1);
    LevelLoad load;
    ASSERT_EQ(LEVEL_load("l.vb3", MAP_RECORDS, in, &load), 1);
    EXPECT_FALSE(same_pixels(in, lv)) << "the records alone";
    ASSERT_EQ(LEVEL_load("l.vb3", MAP_PICTURES, in, &load), 1);
    EXPECT_STREQ(load.why, "");
    EXPECT_EQ(load.fixed, sanitize(lv)) << "fixed as play gets it";
    EXPECT_TRUE(same_records(in, lv) && same_pixels(in, lv));
    EXPECT_EQ(std::make_pair(in->flags & 0x0F, in->effect),
              std::make_pair(MAP_COMPRESSED | MAP_HAS_EFFECT | MAP_PLAYABLE, lv->effect));
    static Level kept;
    kept = *in;
    vbtest_write("short.vb3", "\x08short");
    ASSERT_EQ(mkdir("dir.vb3", 0755), 0);
    const char *fails[][2] = {
        {"absent.vb3", "No such file"}, {"short.vb3", "truncated"}, {"dir.vb3", "folder"}};
    for (auto &f : fails) {
        EXPECT_EQ(LEVEL_load(f[0], MAP_PICTURES, in, &load), 0);
        EXPECT_TRUE(strstr(load.why, f[0]) && strstr(load.why, f[1])) << load.why;
        EXPECT_TRUE(same_records(in, &kept));
    }
    EXPECT_EQ(LEVEL_load_memory((const unsigned char *)"\x01", 1, "mem", MAP_RECORDS, in, &load),
              0);
    EXPECT_TRUE(strstr(load.why, "mem") && strstr(load.why, "truncated")) << load.why;
}

// carga_fase: maps/NAME made safe, pickups as room and cell, failures change nothing; tile sheets.
TEST_F(Loader, PickupsBecomeRoomIndexAndSignedCellsFailuresLoadNothingAndSheetsAreCut) {
    Level *lv = level_new(16), *in = level_new(16, 0x31);
    level_randomise(lv, 40);
    lv->levers[0] = {4, 4, 14, 8};
    lv->rooms[24].start_col = lv->rooms[24].start_row = 0; // a start the lever can stay with
    lv->rooms[24].cells[0][0].attr = 0;
    lv->levers[1] = {2, 1, -3, 5};
    lv->energy_items[24] = {0, 3, 7, -1};
    Pickup levers[PICKUP_SLOTS], items[PICKUP_SLOTS];
    memset(levers, 0x31, sizeof levers);
    auto load = [&](const char *name) {
        return carga_fase(name, &in->header, in->rooms, levers, items, in->backgrounds, in->tiles,
                          in->sprites);
    };
    EXPECT_EQ(load("velba1.vb3"), 0);
    ASSERT_EQ(mkdir("maps", 0755), 0);
    EXPECT_EQ(load(std::string(120, 'a').c_str()), 0);
    EXPECT_EQ(std::make_pair((int)levers[3].active, (int)in->header.door_room_col),
              std::make_pair(0x3131, 0x31));
    ASSERT_EQ(level_write("maps/velba1.vb3", lv, 0x09), 1);
    ASSERT_EQ(load("velba1.vb3"), 1);
    EXPECT_NE(vbtest_read("log.txt").find("level maps/velba1.vb3 needed fixing: "),
              std::string::npos);
    sanitize(lv); // what play gets
    EXPECT_EQ(memcmp(in->rooms, lv->rooms, sizeof in->rooms), 0);
    EXPECT_EQ(memcmp(&in->header, &lv->header, sizeof in->header), 0);
    EXPECT_TRUE(same_pixels(lv, in));
    auto cell = [](const Pickup &p) { return std::make_tuple((int)p.room, (int)p.tx, (int)p.ty); };
    EXPECT_EQ(cell(levers[0]), std::make_tuple(24, 14, 8));
    EXPECT_EQ(cell(levers[1]), std::make_tuple(250, -1, -1)) << "a lever off the grid is emptied";
    EXPECT_EQ(std::make_pair((int)levers[1].unused, (int)items[24].room),
              std::make_pair(0x31, 250));
    for (int i = 0; i < PICKUP_SLOTS; i++)
        EXPECT_EQ(levers[i].active + items[i].active, 2);
    lv->energy_items[3] = {1, 2, 3, 4};
    ASSERT_EQ(level_write("n.vb3", lv, 0x0A), 1);
    vbtest_write("old.map", vbtest_read("n.vb3").substr(1));
    Level *old = level_new(16);
    auto load_old = [&](const char *path) {
        return cargar(path, &old->header, old->rooms, levers, items, old->backgrounds, old->tiles,
                      old->sprites);
    };
    ASSERT_EQ(load_old("old.map"), 1);
    EXPECT_EQ(cell(items[3]), std::make_tuple(11, 3, 4));
    EXPECT_TRUE(same_pixels(lv, old));
    EXPECT_EQ(load_old("absent.map"), 0);
    BITMAP *sheet = create_bitmap_ex(16, 384, 160); // tiles are cut left to right, top to bottom
    for (int i = 0; i < TILE_COUNT; i++)
        rectfill(sheet, i % 24 * 16, i / 24 * 16, i % 24 * 16 + 15, i / 24 * 16 + 15,
                 makecol16(i, 255 - i, i % 24 * 10));
    putpixel(sheet, 16 * 5 + 3, 16 * 2 + 9, makecol16(1, 2, 3));
    ASSERT_EQ(save_bitmap("sheet.pcx", sheet, nullptr), 0);
    ASSERT_EQ(recorta_tiles("sheet.pcx", lv->tiles), 1);
    for (int i : {0, 23, 24, 77, 239})
        EXPECT_EQ(getpixel(lv->tiles[i], 8, 8), getpixel(sheet, i % 24 * 16, i / 24 * 16)) << i;
    EXPECT_EQ(getpixel(lv->tiles[2 * 24 + 5], 3, 9), makecol16(1, 2, 3));
    EXPECT_EQ(recorta_tiles("absent.pcx", lv->tiles), 0);
    BITMAP *small = create_sub_bitmap(sheet, 0, 0, 100, 100); // too small for a sheet
    ASSERT_EQ(save_bitmap("small.pcx", small, nullptr), 0);
    EXPECT_EQ(recorta_tiles("small.pcx", lv->tiles), 0);
    destroy_bitmap(small);
    destroy_bitmap(sheet);
}
