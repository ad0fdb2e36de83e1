// render_test.cpp -- what the room view shows: sky, backgrounds, door, pickups, movers, player,
// tile layers, halos and the room-wide light of the last worlds.
#include "support/sala.h"

// A cloud band whose column x is painted with base + x, and whose top row is see-through.
static BITMAP *cloud_band(int base) {
    BITMAP *b = create_bitmap(ROOM_W, 22);
    for (int y = 0; y < 22; y++)
        for (int x = 0; x < ROOM_W; x++)
            putpixel(b, x, y, y == 0 ? transparente : base + x);
    return b;
}

// The sky of world 1 scrolls two cloud bands at their own speeds and wraps them; other worlds leave
// them where they are; a room's background covers the sky, and without a usable one it is black.
TEST_F(Mundo, SkyOfWorldOneScrollsTwoCloudBandsAtTheirOwnSpeedsAndBackgroundsCoverIt) {
    sp_nubes2 = cloud_band(0x1000);
    sp_nubes1 = cloud_band(0x2000);
    clear_to_color(backgrounds[0], transparente);
    rooms[5].background = 0;
    nubes1_x = 10 * 256;
    nubes2_x = 0;
    draw(5);
    EXPECT_EQ(at(3, 2), makecol(116, 116, 212));
    EXPECT_EQ(at(3, 16), makecol(116, 116, 212)); // the band's see-through row
    EXPECT_EQ(at(3, 60), makecol(255, 255, 255));
    EXPECT_EQ(at(239, 100), makecol(255, 255, 255));
    EXPECT_EQ(at(0, 101), 0); // below the horizon the sky leaves the view alone
    // Upper band shifted left by 10 and wrapped; the lower band (drawn over it from row 30) whole.
    EXPECT_EQ(at(0, 20), 0x1000 + 10);
    EXPECT_EQ(at(229, 20), 0x1000 + 239);
    EXPECT_EQ(at(230, 20), 0x1000 + 0);
    EXPECT_EQ(at(0, 40), 0x2000);
    EXPECT_EQ(at(239, 51), 0x2000 + 239);
    EXPECT_EQ(nubes1_x, 10 * 256 + 64);
    EXPECT_EQ(nubes2_x, 32);

    // Four frames move the upper band one pixel, eight the lower band.
    for (int i = 0; i < 7; i++)
        draw(5);
    EXPECT_EQ(at(0, 20), 0x1000 + 11);
    EXPECT_EQ(at(0, 40), 0x2000 + 0);
    draw(5);
    EXPECT_EQ(at(0, 20), 0x1000 + 12);
    EXPECT_EQ(at(0, 40), 0x2000 + 1);

    // A position that would pass the band's width starts again at 0.
    nubes1_x = 61439 - 64;
    nubes2_x = 61439 - 31;
    draw(5);
    EXPECT_EQ(nubes1_x, 61439);
    EXPECT_EQ(nubes2_x, 0);
    draw(5);
    EXPECT_EQ(nubes1_x, 0);
    EXPECT_EQ(at(0, 20), 0x1000 + 239);
    EXPECT_EQ(at(1, 20), 0x1000 + 0);

    // Other worlds leave the clouds where they are.
    draw(0);
    draw(12);
    draw(20);
    EXPECT_EQ(nubes1_x, 0);
    EXPECT_EQ(nubes2_x, 32);

    // A room without a background, or with a bad or missing one, is black over the sky.
    const signed char bad[] = {-1, 5, 100, -7};
    for (signed char bg : bad) {
        clear_to_color(room_view, 0x1234);
        rooms[6].background = bg;
        draw(6);
        for (int y = 0; y < ROOM_H; y += 7)
            for (int x = 0; x < ROOM_W; x += 7)
                ASSERT_EQ(at(x, y), 0) << (int)bg << " " << x << "," << y;
    }
    // A missing background picture counts as none as well.
    destroy_bitmap(backgrounds[2]);
    backgrounds[2] = nullptr;
    rooms[6].background = 2;
    clear_to_color(room_view, 0x1234);
    draw(6);
    EXPECT_EQ(at(120, 70), 0);
    // A present one covers the view.
    rooms[6].background = 3;
    draw(6);
    EXPECT_EQ(at(120, 70), BACKGROUND_COLOUR + 3);
}

// The exit door's two halves and the pickups (taken ones a sheet row lower) show in their own
// room only.
TEST_F(Mundo, DoorAndPickupsShowOnlyInTheirRoom) {
    header.door_room_col = 2;
    header.door_room_row = 1; // room index 7
    header.door_col = 3;
    header.door_row = 4;
    levers[0] = {7, 0, 1, 1, 1};
    levers[1] = {7, 0, 0, 2, 1};
    energy_items[0] = {7, 0, 1, 3, 1};
    energy_items[5] = {7, 0, 0, 4, 1};
    levers[2] = {8, 0, 1, 5, 1};
    energy_items[3] = {6, 0, 1, 6, 1};
    draw(7);
    EXPECT_EQ(at(48, 64), SPRITE_COLOUR + 2);
    EXPECT_EQ(at(63, 79), SPRITE_COLOUR + 2);
    EXPECT_EQ(at(48, 80), SPRITE_COLOUR + 26);
    EXPECT_EQ(at(63, 95), SPRITE_COLOUR + 26);
    EXPECT_EQ(at(48, 96), 0);
    EXPECT_EQ(at(16, 16), SPRITE_COLOUR + 192);
    EXPECT_EQ(at(32, 16), SPRITE_COLOUR + 216);
    EXPECT_EQ(at(48, 16), SPRITE_COLOUR + 193);
    EXPECT_EQ(at(64, 16), SPRITE_COLOUR + 217);
    EXPECT_EQ(at(80, 16), 0);
    EXPECT_EQ(at(96, 16), 0);
    for (int r : {2, 6, 12, 8}) {
        draw(r);
        EXPECT_EQ(at(48, 64) + at(48, 80) + at(16, 16), 0) << "room " << r;
    }
    EXPECT_EQ(at(80, 16), SPRITE_COLOUR + 192) << "room 8's own lever";
}

// Enemies moving left are mirrored, platforms never, and bad kinds draw nothing; the player's
// sprite follows falling, jumping, the walk frame and facing.
TEST_F(Mundo, MoversAndThePlayerShowTheirSprites) {
    // Sprite 27 (kind 3, second frame): left half one colour, right half another.
    rectfill(sprites[27], 8, 0, 15, 15, 0x0042);
    enemies[0] = {0, 0, 1, 0, 3, 24, 0, 0, 0, 0};
    enemies[1] = {32, 0, -1, 0, 3, 24, 0, 0, 0, 0};
    enemies[2] = {64, 0, 0, 0, 3, 24, 0, 0, 0, 0};
    platforms[0] = {96, 0, -2, 0, 27, 0, 0, 0, 0, 0};
    enemies[3] = {128, 0, 1, 0, 230, 24, 0, 0, 0, 0};   // sprite 254: past the table
    enemies[4] = {160, 0, 1, 0, -5, 0, 0, 0, 0, 0};     // negative sprite
    platforms[1] = {192, 0, 1, 0, 200, 72, 0, 0, 0, 0}; // sprite 272
    enemies[5] = {0, 32, 1, 0, -1, 0, 0, 0, 0, 0};      // empty slot
    draw(0);
    EXPECT_EQ(at(0, 0), SPRITE_COLOUR + 27);
    EXPECT_EQ(at(15, 0), 0x0042);
    EXPECT_EQ(at(32, 0), 0x0042);
    EXPECT_EQ(at(47, 0), SPRITE_COLOUR + 27);
    EXPECT_EQ(at(64, 0), SPRITE_COLOUR + 27);
    EXPECT_EQ(at(96, 0), SPRITE_COLOUR + 27);
    EXPECT_EQ(at(111, 0), 0x0042);
    EXPECT_EQ(at(128, 0), 0);
    EXPECT_EQ(at(160, 0), 0);
    EXPECT_EQ(at(192, 0), 0);
    EXPECT_EQ(at(0, 32), 0);

    // The player's sprite follows falling, jumping, the walk frame and facing.
    struct Case {
        short falling, jumping, frame, facing;
        int sprite;
    } cases[] = {
        {0, 0, 48, 1, 1},  {0, 0, 24, 1, 25},  {0, 0, 72, 0, 48},
        {0, 1, 24, 0, 72}, {1, 1, 24, 1, 121}, {1, 0, 150, 0, -1},
    };
    for (const Case &c : cases) {
        player.falling = c.falling;
        player.jumping = c.jumping;
        player.frame = c.frame;
        player.facing = c.facing;
        place_player(100, 50);
        draw(2);
        int expect = c.sprite < 0 ? 0 : SPRITE_COLOUR + c.sprite;
        EXPECT_EQ(at(100, 50), expect) << "sprite " << c.sprite;
        EXPECT_EQ(at(115, 65), expect) << "sprite " << c.sprite;
        EXPECT_EQ(at(116, 66), 0);
    }
}

// A crystal cell gets one halo whichever layers hold it; front tiles from the glow range light up
// what is behind them; translucent back tiles wear their overlay, and bad tiles are skipped.
TEST_F(Mundo, TileLayersHalosGlowsAndOverlays) {
    sp_halo_verde = picture(48, 48, makecol(0, 200, 0));
    rooms[1].cells[2][2].back_tile = 164;
    rooms[1].cells[2][2].front_tile = 164;
    rooms[1].cells[2][8].back_tile = 164;
    rooms[1].cells[6][12].front_tile = 164;
    rooms[1].cells[0][0].back_tile = 164; // clipped at the corner
    draw(1);
    int both = at(2 * 16 - 8, 2 * 16 + 8), back = at(8 * 16 - 8, 2 * 16 + 8),
        front = at(12 * 16 - 8, 6 * 16 + 8);
    EXPECT_GT(getg16(both), 0);
    EXPECT_EQ(both, back);
    EXPECT_EQ(both, front);
    EXPECT_EQ(at(5 * 16, 2 * 16 + 8), 0); // between the halos
    EXPECT_GT(getg16(at(0, 20)), 0);

    clear_to_color(backgrounds[1], makecol(100, 0, 0));
    clear_to_color(tiles[220], makecol(0, 160, 0));
    rooms[11].background = 1;
    rooms[11].cells[4][4].front_tile = 220;
    draw(11);
    int lit = at(72, 72);
    EXPECT_GT(getg16(lit), 20);
    EXPECT_LT(getg16(lit), 100); // a quarter strength, not the whole tile
    EXPECT_GE(getr16(lit), 90);  // what was there shows through
    EXPECT_EQ(at(60, 72), makecol(100, 0, 0));

    Room &r = rooms[10];
    clear_to_color(tiles[216], makecol(255, 255, 255));
    clear_to_color(tiles[222], transparente);
    hline(tiles[222], 0, 0, 15, 0x0042); // the overlay is a frame line over the body
    clear_to_color(tiles[236], makecol(255, 255, 255));
    r.cells[0][0].back_tile = 5;
    r.cells[0][1].back_tile = 216;
    r.cells[0][2].back_tile = 236; // its overlay would be tile 242
    r.cells[0][3].back_tile = 240;
    r.cells[0][4].back_tile = -300;
    r.cells[0][5].back_tile = 32767;
    r.cells[1][0].front_tile = 7;
    r.cells[1][0].back_tile = 6;
    place_player(0, 16); // front tile covers the player, back tile lies under it
    player.facing = 1;
    draw(10);
    EXPECT_EQ(at(0, 0), TILE_COLOUR + 5);
    EXPECT_EQ(at(16, 0), 0x0042);
    int body = at(24, 8);
    EXPECT_GT(getr16(body), 30); // a quarter of white over black
    EXPECT_LT(getr16(body), 100);
    EXPECT_EQ(at(40, 8), body); // the last bodies go without an overlay
    EXPECT_EQ(at(40, 0), body);
    for (int x = 48; x < 96; x += 4)
        EXPECT_EQ(at(x, 8), 0);
    EXPECT_EQ(at(8, 24), TILE_COLOUR + 7);
}

TEST_F(Mundo, WorldThreeGlowsAllOverAndWorldFourSlimeAndDarknessFollowThePlayer) {
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        clear_to_color(backgrounds[i], makecol(120, 120, 120));
    for (Room &r : rooms)
        r.background = 0;
    int grey = makecol(120, 120, 120);
    sp_overlay_fila4 = picture(ROOM_W, ROOM_H, makecol(0, 0, 200));
    draw(16);
    EXPECT_GT(getb16(at(200, 100)), 140);

    // Slime over the top rows of the room; nothing below.
    rectfill(buffer_auxiliar_moco, 0, 0, ROOM_W - 1, 9, makecol(0, 255, 0));
    // Darkness: full everywhere but a clear box where the player stands.
    sp_anti_halo = picture(480, 288, makecol(255, 255, 255));
    rectfill(sp_anti_halo, 240, 144, 255, 159, 0);
    sp_fancy_overlay = picture(ROOM_W, ROOM_H, makecol(0, 0, 160));
    place_player(200, 100);
    clear_to_color(sprites[0], makecol(200, 200, 200));
    draw(21);
    EXPECT_LT(getr16(at(100, 60)), 80);              // darkened far from the player
    EXPECT_EQ(at(205, 105), makecol(200, 200, 200)); // the player stands in the clear box
    place_player(10, 100);
    draw(22);
    EXPECT_EQ(at(15, 105), makecol(200, 200, 200));
    EXPECT_LT(getr16(at(205, 105)), 100);

    // The last room wears its overlay and no darkness.
    draw(24);
    EXPECT_GT(getg16(at(100, 5)), 150);
    EXPECT_EQ(getr16(at(100, 60)), getr16(grey));
    EXPECT_GT(getb16(at(100, 60)), getb16(grey));
}
