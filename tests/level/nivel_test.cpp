// nivel_test.cpp -- loading a level for play: the maps directory, pickups, old form, tile sheets.
#include <filesystem>
#include <string.h>
#include <tuple>
#include "level/sanitize.h"
#include "level_fixture.h"

class Loader : public LevelTest {};

// carga_fase reads maps/NAME made safe, pickups as room index, active and signed cell; a missing
// level or overlong name loads nothing; the old loader reads the old form; tile sheets are cut in
// reading order, one missing or too small refused.
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
    std::filesystem::create_directory("maps");
    EXPECT_EQ(load(std::string(120, 'a').c_str()), 0);
    EXPECT_EQ(levers[3].active, 0x3131);
    EXPECT_EQ(in->header.door_room_col, 0x31);

    ASSERT_EQ(level_write("maps/velba1.vb3", lv, 0x09), 1);
    ASSERT_EQ(load("velba1.vb3"), 1);
    LEVEL_sanitize(&lv->header, lv->rooms, lv->levers, lv->energy_items); // what play gets
    EXPECT_EQ(memcmp(in->rooms, lv->rooms, sizeof in->rooms), 0);
    EXPECT_EQ(memcmp(&in->header, &lv->header, sizeof in->header), 0);
    EXPECT_TRUE(same_pixels(lv, in));
    auto cell = [](const Pickup &p) { return std::make_tuple((int)p.room, (int)p.tx, (int)p.ty); };
    EXPECT_EQ(cell(levers[0]), std::make_tuple(24, 14, 8));
    EXPECT_EQ(cell(levers[1]), std::make_tuple(250, -1, -1)) << "a lever off the grid is emptied";
    EXPECT_EQ(levers[1].unused, 0x31);
    EXPECT_EQ(items[24].room, 250);
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
    destroy_bitmap(sheet);
    sheet = create_bitmap_ex(16, 100, 100); // too small for the sheet
    clear_to_color(sheet, 0);
    ASSERT_EQ(save_bitmap("small.pcx", sheet, nullptr), 0);
    EXPECT_EQ(recorta_tiles("small.pcx", lv->tiles), 0);
    destroy_bitmap(sheet);
}
