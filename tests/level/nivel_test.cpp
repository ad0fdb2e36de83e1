// nivel_test.cpp -- loading a level for play: the maps directory, pickups, old form, tile sheets.
#include <gtest/gtest.h>
#include <filesystem>
#include <string.h>
#include <unistd.h>
#include "nivel_fixture.h"

namespace fs = std::filesystem;

class Loader : public ScratchDirTest {};

static short load(const char *name, TestLevel *lv, Pickup *levers, Pickup *items) {
    return carga_fase(name, &lv->header, lv->rooms, levers, items, lv->bg, lv->tiles, lv->sprites);
}

TEST_F(Loader, PickupsBecomeRoomIndexAndSignedCells) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 40);
    lv->levers[0] = {4, 4, 14, 8};
    lv->levers[1] = {2, 1, -3, 5};
    lv->energy[24] = {0, 3, 7, -1};
    fs::create_directory("maps");
    ASSERT_EQ(level_write("maps/velba1.vb3", lv, 0x09), 1);

    TestLevel *in = level_new(16);
    Pickup levers[PICKUP_SLOTS], items[PICKUP_SLOTS];
    memset(levers, 0xEE, sizeof levers);
    ASSERT_EQ(load("velba1.vb3", in, levers, items), 1);
    EXPECT_EQ(memcmp(in->rooms, lv->rooms, sizeof in->rooms), 0);
    EXPECT_EQ(memcmp(&in->header, &lv->header, sizeof in->header), 0);
    EXPECT_TRUE(same_pixels(lv, in));
    EXPECT_EQ(levers[0].room, 24);
    EXPECT_EQ(levers[0].active, 1);
    EXPECT_EQ(levers[0].tx, 14);
    EXPECT_EQ(levers[0].ty, 8);
    EXPECT_EQ(levers[1].room, 7);
    EXPECT_EQ(levers[1].tx, -3);
    EXPECT_EQ(levers[1].unused, 0xEE);
    EXPECT_EQ(items[24].room, 15);
    EXPECT_EQ(items[24].ty, -1);
    for (int i = 0; i < PICKUP_SLOTS; i++)
        EXPECT_EQ(items[i].active, 1);
    level_free(lv);
    level_free(in);
}

TEST_F(Loader, MissingLevelsAndOverlongNamesLoadNothing) {
    TestLevel *in = level_new(16, 0x31);
    Pickup levers[PICKUP_SLOTS], items[PICKUP_SLOTS];
    memset(levers, 0x31, sizeof levers);
    EXPECT_EQ(load("velba1.vb3", in, levers, items), 0);
    fs::create_directory("maps");
    EXPECT_EQ(load("velba1.vb3", in, levers, items), 0);
    std::string longname(120, 'a');
    EXPECT_EQ(load(longname.c_str(), in, levers, items), 0);
    for (int i = 0; i < PICKUP_SLOTS; i++)
        EXPECT_EQ(levers[i].active, 0x3131);
    EXPECT_EQ(in->header.door_room_col, 0x31);
    level_free(in);
}

TEST_F(Loader, LegacyLoaderReadsTheOldFormFromItsOwnPath) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 41);
    lv->energy[3] = {1, 2, 3, 4};
    ASSERT_EQ(level_write("n.vb3", lv, 0x0A), 1);
    std::vector<unsigned char> bytes = read_file("n.vb3");
    write_file("old.map", std::vector<unsigned char>(bytes.begin() + 1, bytes.end()));
    TestLevel *in = level_new(16);
    Pickup levers[PICKUP_SLOTS], items[PICKUP_SLOTS];
    ASSERT_EQ(
        cargar("old.map", &in->header, in->rooms, levers, items, in->bg, in->tiles, in->sprites),
        1);
    EXPECT_EQ(items[3].room, 11);
    EXPECT_EQ(items[3].tx, 3);
    EXPECT_TRUE(same_pixels(lv, in));
    EXPECT_EQ(
        cargar("absent.map", &in->header, in->rooms, levers, items, in->bg, in->tiles, in->sprites),
        0);
    level_free(lv);
    level_free(in);
}

TEST_F(Loader, TileSheetIsCutLeftToRightTopToBottom) {
    TestLevel *lv = level_new(16);
    BITMAP *sheet = create_bitmap_ex(16, 384, 160);
    for (int i = 0; i < TILE_COUNT; i++)
        rectfill(sheet, i % 24 * 16, i / 24 * 16, i % 24 * 16 + 15, i / 24 * 16 + 15,
                 makecol16(i, 255 - i, i % 24 * 10));
    putpixel(sheet, 16 * 5 + 3, 16 * 2 + 9, makecol16(1, 2, 3));
    ASSERT_EQ(save_bitmap("sheet.pcx", sheet, NULL), 0);
    ASSERT_EQ(recorta_tiles("sheet.pcx", lv->tiles), 1);
    for (int i : {0, 23, 24, 77, 239})
        EXPECT_EQ(getpixel(lv->tiles[i], 8, 8), getpixel(sheet, i % 24 * 16, i / 24 * 16)) << i;
    EXPECT_EQ(getpixel(lv->tiles[2 * 24 + 5], 3, 9), makecol16(1, 2, 3));

    EXPECT_EQ(recorta_tiles("absent.pcx", lv->tiles), 0);
    BITMAP *small = create_bitmap_ex(16, 100, 100);
    clear_to_color(small, 0);
    ASSERT_EQ(save_bitmap("small.pcx", small, NULL), 0);
    EXPECT_EQ(recorta_tiles("small.pcx", lv->tiles), 0);
    destroy_bitmap(small);
    destroy_bitmap(sheet);
    level_free(lv);
}
