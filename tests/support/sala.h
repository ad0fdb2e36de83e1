// sala.h -- the play and drawing tests' level: 25 empty rooms, rooms drawn as text, held keys,
// and for the drawing tests pictures painted with colours that name what a probe hit.
// SPDX-License-Identifier: MIT
#pragma once
#include <initializer_list>
#include <utility>
#include "game/interno.h"
#include "platform/config.h"
#include "render/render.h"
#include "support/vbtest.h"

// Draws room `number` (1..25) of a new game's level of empty rooms as {row, 15 characters} and
// starts it with no keys held and sound on; rows not given are empty but row 8, a solid floor:
//   .  empty           #  solid           =  ledge          ^  hurting (not solid)
//   >  belt right      <  belt left (both solid)            P  the player's start, facing right
typedef std::pair<int, const char *> Fila;
void sala_draw(int number, std::initializer_list<Fila> rows);
// A mover entry (cells, pixels a frame, kind) in enemy or platform slot `slot` of the drawn room,
// and the room's movers made again.
void sala_enemy(int slot, int x1, int y1, int x2, int y2, int speed, int kind);
void sala_platform(int slot, int x1, int y1, int x2, int y2, int speed, int kind);
// Pickup `slot` of a list (partida.levers, partida.energy_items) at cell (col, row) of room index
// `room`.
void sala_pickup(Pickup *list, int slot, int room, int col, int row);
// Releases every key, then holds the given ones (play's default keys and Escape) for run();
// runs n headless frame steps of partida's game.
void hold(std::initializer_list<int> keys);
void run(int n);
// The sounds run() was asked to start since the room was drawn: how many of each, the last (-1
// none).
struct SFX_Counts {
    int requests[SFX_COUNT];
    int last;
};
extern SFX_Counts SFX_counts;
// The player's pixel position.
#define px() (partida.player.x >> 8)
#define py() (partida.player.y >> 8)

// Raw 16 bpp colours of the drawing tests' pictures: tile t, sprite n, background i.
enum { TILE_COLOUR = 0x0800, SPRITE_COLOUR = 0x1800, BACKGROUND_COLOUR = 0x0100 };

// The drawing tests: sala_clear's level at 16 bpp with the renderer's layers, each picture its
// own colour (sprite 0 see-through), green 4x4 particle pictures, drips waiting; the renderer's
// other pictures are null until a test paints them. Short names for the storage drawn.
class Mundo : public ::testing::Test {
  protected:
    LevelHeader &header = play_level.header;
    Room (&rooms)[ROOM_COUNT] = play_level.rooms;
    Pickup (&levers)[PICKUP_SLOTS] = partida.levers;
    Pickup (&energy_items)[PICKUP_SLOTS] = partida.energy_items;
    BITMAP *(&tiles)[TILE_COUNT] = play_level.tiles;
    BITMAP *(&sprites)[TILE_COUNT] = play_level.sprites;
    BITMAP *(&backgrounds)[BACKGROUND_COUNT] = play_level.backgrounds;
    Player &player = partida.player;
    Mover (&enemies)[ENEMY_SLOTS] = partida.enemies;
    Mover (&platforms)[PLATFORM_SLOTS] = partida.platforms;
    Renderer &rd = renderer;

    void SetUp() override;
    void TearDown() override;
    // Draws room index r into room_view; frame() first runs the particles of room r a step on.
    void draw(int r);
    void frame(int r);
    int at(int x, int y) { return getpixel(rd.room_view, x, y); }
    // Expects the view to show the colour of each probe, given as x, y, colour in a row.
    void expect_seen(std::initializer_list<int> probes) {
        for (auto p = probes.begin(); p + 2 < probes.end(); p += 3)
            EXPECT_EQ(at(p[0], p[1]), p[2]) << "at " << p[0] << "," << p[1];
    }
    void place_player(int x, int y) { player.x = x * 256, player.y = y * 256; }
};
