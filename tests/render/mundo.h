// mundo.h -- a small level in memory for the renderer's tests: coloured pictures, empty rooms.
#pragma once
#include <gtest/gtest.h>
#include "render/render.h"

// Raw 16 bpp pixel values the pictures are painted with, so a probe names what it hit.
inline int tile_colour(int t) {
    return 0x0800 + t;
}
inline int sprite_colour(int n) {
    return 0x1800 + n;
}

// A level of 25 empty rooms at 16 bpp with every picture the renderer reads. Pickups stand in
// no room, movers are empty, the player is at (0, 0) with transparent sprite 0.
class Mundo : public ::testing::Test {
  protected:
    LevelHeader header;
    Room rooms[ROOM_COUNT];
    Pickup levers[PICKUP_SLOTS], energy_items[PICKUP_SLOTS];
    BITMAP *tiles[TILE_COUNT], *sprites[TILE_COUNT], *backgrounds[BACKGROUND_COUNT];
    BITMAP *view;
    Player player;
    Mover enemies[ENEMY_SLOTS], platforms[PLATFORM_SLOTS];

    void SetUp() override;
    void TearDown() override;
    // Draws room index r into view.
    void draw(int r);
    int at(int x, int y) { return getpixel(view, x, y); }
    void place_player(int px, int py) {
        player.x = px << 8;
        player.y = py << 8;
    }
};

// A picture of w by h filled with a raw colour.
BITMAP *picture(int w, int h, int colour);
// The green, red or blue level (0..255) of a 16 bpp pixel.
inline int green(int c) {
    return getg16(c);
}
inline int red(int c) {
    return getr16(c);
}
