// render_test.cpp -- what the room view shows, and the game frame around it.
// SPDX-License-Identifier: MIT
#include <tuple>
#include "gfx/gfx.h"
#include "support/sala.h"

// A cloud band whose column x is painted with base + x, and whose top row is see-through.
static BITMAP *cloud_band(int base) {
    BITMAP *b = create_bitmap(ROOM_W, 22);
    for (int y = 0; y < 22; y++)
        for (int x = 0; x < ROOM_W; x++)
            putpixel(b, x, y, y == 0 ? renderer.transparente : base + x);
    return b;
}

// World 1's sky and its clouds, covered by a background; an unusable background leaves black.
TEST_F(Mundo, SkyOfWorldOneScrollsTwoCloudBandsAtTheirOwnSpeedsAndBackgroundsCoverIt) {
    rd.sp_nubes2 = cloud_band(0x1000), rd.sp_nubes1 = cloud_band(0x2000);
    clear_to_color(backgrounds[0], rd.transparente);
    rooms[5].background = 0;
    rd.nubes1_x = 10 * 256;
    draw(5);
    // Blue through the see-through row, black under the horizon, the upper band moved and wrapped.
    expect_seen({3, 16, makecol(116, 116, 212), 239, 100, makecol(255, 255, 255), 0, 101, 0, 0, 20,
                 0x1000 + 10, 230, 20, 0x1000 + 0, 239, 51, 0x2000 + 239});
    rd.nubes1_x = 61439 - 64, rd.nubes2_x = 61439 - 31; // to the band's last column, then 0
    draw(5);
    draw(5);
    EXPECT_EQ(std::make_tuple(rd.nubes1_x, rd.nubes2_x, at(0, 20)),
              std::make_tuple(0, 32, 0x1000 + 239));

    for (signed char bg : {-1, 5, 3}) { // only the last names a picture
        clear_to_color(rd.room_view, 0x1234);
        rooms[6].background = bg;
        draw(6);
        int want = bg == 3 ? BACKGROUND_COLOUR + 3 : 0;
        expect_seen({0, 0, want, 239, 143, want});
    }
}

// Door and pickups show in their own room only; movers and the player show their pictures.
TEST_F(Mundo, DoorPickupsMoversAndThePlayerShowTheirPictures) {
    header.door_room_col = 2, header.door_room_row = 1; // room index 7
    header.door_col = 3, header.door_row = 4;
    levers[0] = {7, 0, 1, 1, 1}, levers[1] = {7, 0, 0, 2, 1}, levers[2] = {8, 0, 1, 5, 1};
    energy_items[0] = {7, 0, 1, 3, 1}, energy_items[5] = {7, 0, 0, 4, 1};
    draw(7);
    const int S = SPRITE_COLOUR;
    expect_seen({48, 64, S + 2,   63, 95, S + 26,  16, 16, S + 192, 32, 16, S + 216,
                 48, 16, S + 193, 64, 16, S + 217, 48, 96, 0,       80, 16, 0});
    for (int r : {2, 6, 12, 8}) {
        draw(r);
        EXPECT_EQ(at(48, 64) + at(48, 80) + at(16, 16), 0) << "room " << r;
    }

    rectfill(sprites[27], 8, 0, 15, 15, 0x0042); // kind 3's second frame: two halves
    enemies[0] = {0, 0, 1, 0, 3, 24, 0, 0, 0, 0};
    enemies[1] = {32, 0, -1, 0, 3, 24, 0, 0, 0, 0};
    enemies[2] = {64, 0, 0, 0, 3, 24, 0, 0, 0, 0};
    platforms[0] = {96, 0, -2, 0, 3, 24, 0, 0, 0, 0};
    enemies[3] = {128, 0, 1, 0, 230, 24, 0, 0, 0, 0}; // sprite 254: past the table
    enemies[4] = {160, 0, 1, 0, -5, 0, 0, 0, 0, 0};   // negative sprite
    draw(0);
    const int B = 0x0042; // the right half of the picture, on the left when mirrored
    expect_seen({0, 0, S + 27, 15, 0, B, 32, 0, B, 47, 0, S + 27, 64, 0, S + 27, 96, 0, S + 27});
    EXPECT_EQ(at(128, 0) + at(160, 0), 0);

    const short cases[][5] = {// falling, jumping, frame, facing, sprite
                              {0, 0, 48, 1, 1},  {0, 0, 24, 1, 25},  {0, 0, 72, 0, 48},
                              {0, 1, 24, 0, 72}, {1, 1, 24, 1, 121}, {1, 0, 150, 0, -1}};
    for (auto &c : cases) {
        player.falling = c[0], player.jumping = c[1], player.frame = c[2], player.facing = c[3];
        place_player(100, 50);
        draw(2);
        int expect = c[4] < 0 ? 0 : S + c[4];
        expect_seen({100, 50, expect, 115, 65, expect, 116, 66, 0});
    }
}

// Halos, glowing and translucent tiles, bad tiles skipped; the light of worlds 3 and 4.
TEST_F(Mundo, TileLayersHalosGlowsOverlaysAndTheLightOfTheLastWorlds) {
    rd.sp_halo_verde = picture(48, 48, makecol(0, 200, 0));
    rooms[1].cells[2][2].back_tile = rooms[1].cells[2][2].front_tile = 164;
    rooms[1].cells[2][8].back_tile = rooms[1].cells[6][12].front_tile = 164;
    draw(1);
    int both = at(24, 40);
    EXPECT_GT(getg16(both), 0);
    expect_seen({120, 40, both, 184, 104, both, 80, 40, 0}); // nothing between the halos

    Room &r = rooms[10];
    clear_to_color(tiles[216], makecol(255, 255, 255));
    clear_to_color(tiles[222], rd.transparente);
    hline(tiles[222], 0, 0, 15, 0x0042); // the overlay is a frame line over the body
    clear_to_color(tiles[236], makecol(255, 255, 255));
    const short back[] = {5, 216, 236, 240, -300}; // 236's overlay would be tile 242
    for (int c = 0; c < 5; c++)
        r.cells[0][c].back_tile = back[c];
    r.cells[1][0].front_tile = 7, r.cells[1][0].back_tile = 6;
    place_player(0, 16), player.facing = 1; // the front tile covers it, the back tile lies under
    draw(10);
    int body = at(24, 8);
    EXPECT_TRUE(getr16(body) > 30 && getr16(body) < 100) << "a quarter of white over black";
    // The last bodies go bare; bad tiles draw nothing.
    expect_seen({0, 0, TILE_COLOUR + 5, 16, 0, 0x0042, 40, 0, body, 48, 8, 0, 64, 8, 0, 8, 24,
                 TILE_COLOUR + 7});

    int grey = makecol(120, 120, 120), light = makecol(200, 200, 200);
    clear_to_color(backgrounds[0], grey);
    for (Room &r : rooms)
        r.background = 0;
    clear_to_color(tiles[220], makecol(0, 160, 0));
    rooms[16].cells[4][4].front_tile = 220;
    rd.sp_overlay_fila4 = picture(ROOM_W, ROOM_H, makecol(0, 0, 200));
    draw(16); // world 3: a glowing tile at a quarter strength, showing what was there
    int lit = at(72, 72);
    EXPECT_TRUE(getg16(lit) > 140 && getg16(lit) < 200 && getr16(lit) >= 110) << std::hex << lit;
    EXPECT_GT(getb16(at(200, 100)), 140); // and the room's glow over it all

    rectfill(rd.buffer_auxiliar_moco, 0, 0, ROOM_W - 1, 9, makecol(0, 255, 0)); // the slime's rows
    rd.sp_anti_halo = picture(480, 288, makecol(255, 255, 255)); // dark but for the player's box
    rectfill(rd.sp_anti_halo, 240, 144, 255, 159, 0);
    rd.sp_fancy_overlay = picture(ROOM_W, ROOM_H, makecol(0, 0, 160));
    place_player(200, 100), player.facing = 0;
    clear_to_color(sprites[0], light);
    draw(21);
    EXPECT_TRUE(getr16(at(100, 60)) < 80 && at(205, 105) == light) << "dark but round the player";

    draw(24);
    int at_100_60 = at(100, 60); // the last room's overlay instead of darkness
    EXPECT_GT(getg16(at(100, 5)), 150);
    EXPECT_TRUE(getr16(at_100_60) == getr16(grey) && getb16(at_100_60) > getb16(grey)) << at_100_60;
}

// The shadow's window follows the player; all that is solid half-darkens the background only.
TEST_F(Mundo, ShadowWindowFollowsThePlayerInsideTheSceneAndDarkensOnlyTheBackground) {
    for (int w = 0; w < ROOM_ROWS; w++) // every scene pixel (x, y) of room 20 a colour of its own
        for (int c = 0; c < ROOM_COLS; c++) {
            rooms[20].cells[w][c].back_tile = w * ROOM_COLS + c;
            for (int j = 0; j < CELL; j++)
                for (int i = 0; i < CELL; i++)
                    putpixel(tiles[w * ROOM_COLS + c], i, j,
                             (16 * w + j) * ROOM_W + 16 * c + i + 1);
        }
    // The player (pixels), the scene pixel the window starts at: inside, and clamped.
    const int cases[][4] = {
        {223, 127, 31, 31}, {70, 40, 10, 10}, {-50, -9, 0, 0}, {400, 1000, 32, 32}};
    for (auto &c : cases) {
        place_player(c[0], c[1]);
        clear_to_color(rd.buffer_auxiliar_2, 0);
        draw(20);
        int first = getpixel(rd.buffer_auxiliar_2, 0, 0) - 1;
        int last = getpixel(rd.buffer_auxiliar_2, ROOM_W - 1, ROOM_H - 1) - 1;
        EXPECT_EQ(std::make_tuple(first % ROOM_W, first / ROOM_W, last % ROOM_W, last / ROOM_W),
                  std::make_tuple(c[2], c[3], c[2] + 207, c[3] + 111));
    }

    int bg = makecol(200, 200, 200);
    clear_to_color(backgrounds[0], bg);
    Room &r = rooms[23];
    r.background = 0;
    clear_to_color(tiles[9], 0); // black casts too
    clear_to_color(tiles[220], makecol(255, 255, 255));
    r.cells[1][12].back_tile = 9, r.cells[7][1].front_tile = 220; // glowing ones cast solid too
    clear_to_color(sprites[0], makecol(10, 10, 10));
    place_player(112, 64); // window origin (16, 16)
    draw(23);
    // A thing at scene (sx, sy) throws its shadow to ((sx - 16) * 15 / 13, (sy - 16) * 9 / 7).
    int shade = getr16(at((12 * 16 + 2 - 16) * 15 / 13, (16 + 8 - 16) * 9 / 7));
    EXPECT_TRUE(shade > 60 && shade < 150) << shade;                     // half strength, not black
    EXPECT_LT(getr16(at((24 - 16) * 15 / 13, (120 - 16) * 9 / 7)), 150); // the glowing tile's
    EXPECT_LT(getr16(at(120, 80)), 150);                                 // the player's
}

// The slime's front rows: drawn over the settled slime, kept as it moves down, gone in a new room.
TEST_F(Mundo, SlimeFrontRowsSettleWhenTheFrontMovesDownAndARoomStartsWithoutThem) {
    int green = makecol(0, 255, 0), none = rd.transparente;
    for (BITMAP *&b : rd.moco_blobs)
        b = picture(8, 8, green);
    auto front = [&](int y, bool settled) {
        efectos.slime_drawn = true, efectos.slime_y = y, efectos.slime_settled = settled;
        RENDER_draw(&partida, &play_level);
    };
    auto slime = [&](int y) { return getpixel(rd.buffer_auxiliar_moco, 100, y); };
    front(20, false), front(30, true), front(40, false);
    EXPECT_EQ(std::make_tuple(slime(20), slime(30), slime(40)),
              std::make_tuple(none, green, green));
    RENDER_start_room();
    front(50, false);
    EXPECT_EQ(std::make_tuple(slime(30), slime(50)), std::make_tuple(none, green));
}

// Border, room and energy bar in place; the room's time and the assist mark only when asked.
TEST(Frame, TheRoomInItsBorderHalfTheEnergyInFullColumnsAndTheStatusLines) {
    vbtest_init(16);
    Renderer &rd = renderer;
    rd.room_view = picture(ROOM_W, ROOM_H, 0x0300), rd.frame_picture = picture(256, 192, 0x0042);
    BITMAP *frame = rd.frame_buffer = picture(256, 192, 0x7777);
    BITMAP *empty = rd.bar_empty = create_bitmap(128, 16), *full = create_bitmap(160, 16);
    rd.bar_full = full;
    for (int x = 0; x < 160; x++) { // each column of a bar its own colour
        vline(empty, x % 128, 0, 15, 0x2000 + x % 128);
        vline(full, x, 0, 15, 0x1000 + x);
    }
    Partida play = {};
    play.level = 1, play.sublevel = 25, play.room_frames = 294;
    const int energy[][2] = {{1000, 128}, {255, 127}, {2, 1}, {-300, 0}, {1, 0}};
    // The border beside each corner of the room and either side of the bar.
    const int border[][3] = {{7, 16, 0x0042},    {8, 16, 0x0300},   {247, 159, 0x0300},
                             {248, 159, 0x0042}, {8, 160, 0x0042},  {7, 170, 0x0042},
                             {136, 170, 0x0042}, {255, 191, 0x0042}};
    for (auto &e : energy) {
        play.player.energy = (short)e[0];
        EXPECT_EQ(RENDER_compose(&play, 1), frame);
        for (auto &p : border)
            EXPECT_EQ(getpixel(frame, p[0], p[1]), p[2]) << "at " << p[0] << "," << p[1];
        for (int x = 0; x < 128; x++) // leading columns from the full picture, the rest empty
            ASSERT_EQ(getpixel(frame, 8 + x, 170), (x < e[1] ? 0x1000 : 0x2000) + x) << e[0];
    }
    RENDER_reset(nullptr); // no border picture from here on: each frame black, not the last one

    char text[32]; // the room's time counts frames at 29.4 a second
    const std::pair<int, const char *> times[] = {
        {1, "0.03"}, {29, "0.98"}, {294, "10.00"}, {-5, "0.00"}};
    for (auto &t : times) {
        RENDER_room_time(t.first, text, sizeof text);
        EXPECT_STREQ(text, t.second) << t.first;
    }
    GFX_load_font((vbtest_data() + "/RESOURCES/ATARI.8x8").c_str()); // the game's own
    frame = renderer.frame_buffer = create_bitmap(256, 192);
    auto lit = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++)
                n += getpixel(frame, x, y) != 0;
        return n;
    };
    for (int timer : {0, 1})
        for (int assisted : {0, 1}) {
            renderer.show_timer = timer;
            play.rules.assisted = (short)assisted;
            RENDER_compose(&play, 1);
            EXPECT_EQ(lit(140, 185, 255, 191) > 0, timer) << timer << assisted;
            EXPECT_EQ(lit(140, 167, 149, 176) > 0, assisted) << timer << assisted;
            EXPECT_EQ(lit(137, 160, 150, 166) + lit(137, 177, 150, 191), 0) << "beside the mark";
            EXPECT_TRUE(lit(152, 168, 255, 174) && lit(152, 177, 255, 183)) << "retries, level";
        }
    RENDER_reset(nullptr);
}
