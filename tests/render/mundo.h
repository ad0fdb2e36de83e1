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

// The level being played made of 25 empty rooms at 16 bpp with every picture the renderer reads.
// Pickups stand in no room, movers are empty, the player is at (0, 0) with transparent sprite 0.
// The names below are the play state's and the level's own storage.
class Mundo : public ::testing::Test {
  protected:
    LevelHeader &header = play_level.header;
    Room (&rooms)[ROOM_COUNT] = play_level.rooms;
    Pickup (&levers)[PICKUP_SLOTS] = partida.levers;
    Pickup (&energy_items)[PICKUP_SLOTS] = partida.energy_items;
    BITMAP *(&tiles)[TILE_COUNT] = play_level.tiles;
    BITMAP *(&sprites)[TILE_COUNT] = play_level.sprites;
    BITMAP *(&backgrounds)[BACKGROUND_COUNT] = play_level.backgrounds;
    BITMAP *&view = room_view;
    Player &player = partida.player;
    Mover (&enemies)[ENEMY_SLOTS] = partida.enemies;
    Mover (&platforms)[PLATFORM_SLOTS] = partida.platforms;

    void SetUp() override;
    void TearDown() override;
    // Draws room index r into view.
    void draw(int r);
    // Runs the particles of room index r one frame step on, then draws the room.
    void frame(int r);
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
