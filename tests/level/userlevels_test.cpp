// userlevels_test.cpp -- hostile level records made safe on load, and the list of levels a player
// can choose: sorted, named, damaged files marked, anything but regular files skipped unopened.
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

// Each hostile field is fixed and named, a start outside or solid leaves its room unplayable; a
// sound level, and the game's own as stored, are left alone.
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
#define CASE(s, fix, ok) Case{#s, [](Level *l) { s; }, fix, [](const Level *l) { return ok; }}
    // clang-format on
    const Case cases[] = {
        CASE((l->rooms[3].start_col = 90, l->rooms[3].start_row = -4), FIX_START,
             l->rooms[3].start_col == 14 && l->rooms[3].start_row == 0 &&
                 l->levers[3].room_col == -1),
        CASE(l->rooms[5].start_row = 8, FIX_START,
             l->levers[5].col == -1 && l->rooms[5].start_row == 8),
        CASE(l->rooms[7].background = 5, FIX_BACKGROUND, l->rooms[7].background == -1),
        CASE(l->rooms[1].cells[2][3].back_tile = 240, FIX_TILES,
             l->rooms[1].cells[2][3].back_tile == -1),
        CASE(l->rooms[1].cells[8][0].front_tile = -2, FIX_TILES,
             l->rooms[1].cells[8][0].front_tile == -1),
        CASE(l->rooms[2].enemies[0].kind = 13, FIX_ENEMIES, l->rooms[2].enemies[0].kind == -1),
        CASE(l->rooms[2].enemies[0].x2 = 15, FIX_ENEMIES, l->rooms[2].enemies[0].kind == -1),
        CASE(l->rooms[2].enemies[0].speed = -1, FIX_ENEMIES, l->rooms[2].enemies[0].kind == -1),
        CASE(l->rooms[4].platforms[0].speed = 64, FIX_PLATFORMS,
             l->rooms[4].platforms[0].kind == -1),
        CASE(l->rooms[4].platforms[0].speed = 3, FIX_PLATFORMS, // a path of uneven steps
             l->rooms[4].platforms[0].kind == -1),
        CASE((l->rooms[4].platforms[3] = MoverEntry{1, 1, 1, 1, 0, 24}), FIX_PLATFORMS,
             l->rooms[4].platforms[3].kind == -1),
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
    if (!MAP_read_records(path.c_str(), &sound)) GTEST_SKIP() << path << " is not built";
    lv = sound;
    EXPECT_EQ(sanitize(&lv), 0);
    EXPECT_TRUE(same_records(&sound, &lv));
    EXPECT_EQ(playable(&lv), 25);
}

class LevelList_ : public LevelTest {};

// Shipped levels (not the game's own), then the player's, each sorted, named by the text or else
// the file; refused files DAMAGED; anything but regular files left out, and a pipe never opened.
TEST_F(LevelList_, SortedNamedDamagedMarkedAndOnlyRegularLevelFilesRead) {
    Level *lv = level_new(16);
    sound_level(lv);
    ASSERT_EQ(mkdir("maps", 0755), 0);
    ASSERT_EQ(mkdir("levels", 0755), 0);
    auto write = [&](const char *path, const char *name, int rooms) {
        memset(lv->header.unused, 0, sizeof lv->header.unused);
        memcpy(lv->header.unused, name, strlen(name));
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
    EXPECT_EQ(list.skipped, 3) << "the pipe, the folder and the device";
    EXPECT_EQ(vbtest_read("levels/a.vb3"), before) << "the list never writes";

    EXPECT_EQ(LEVELS_scan(&list, "absent", "levels"), 4) << "no maps folder";
    EXPECT_EQ(LEVELS_scan(&list, "absent", "none"), 0);
}
