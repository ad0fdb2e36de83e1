// soak_test.cpp -- long runs of the shipped level with random keys through the headless frame
// step, meant for the sanitizer build: every room, thousands of frames, pictures and all.
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>
#include "game/interno.h"
#include "render/render.h"
#include "support/vbtest.h"

namespace {

const int FRAMES_PER_ROOM = 2000;

// The keys a player may hold during play, two for each of walking left and right and the two
// jumps (Escape and the screenshot key end or leave the test).
enum { PLAY_KEYS = 8 };

} // namespace

// Every room of the shipped level survives 2,000 frames of random keys: the player stays in the
// room, energy never rises above full, and the sanitizers (in that build) see nothing wrong.
TEST(Soak, EveryRoomOfTheShippedLevelTakesRandomKeysForTwoThousandFrames) {
    std::string why;
    ASSERT_TRUE(vbtest_load_shipped_level("velba1.vb3", &why)) << why;

    std::mt19937 rng(20261206);
    for (int room = 1; room <= ROOM_COUNT; room++) {
        GAME_sublevel = room;
        PARTIDA_start_room();
        bool held[PLAY_KEYS] = {};
        for (int f = 0; f < FRAMES_PER_ROOM; f++) {
            if (rng() % 8 == 0) { // change what is held now and then, like a player would
                for (bool &k : held)
                    k = (rng() % 4 == 0);
            }
            FrameInput in = {held[0] || held[4], held[1] || held[5], held[2] || held[6],
                             held[3] || held[7], false};
            PARTIDA_frame(&in, RENDER_frame);
            ASSERT_GE(partida.player.x, 0);
            ASSERT_LE(partida.player.x, PLAYER_MAX_X);
            ASSERT_GE(partida.player.y, 0);
            ASSERT_LE(partida.player.y, PLAYER_MAX_Y);
            ASSERT_LE(partida.player.energy, 255);
            if (partida.room_done || partida.game_done) { // lever touched or energy spent
                for (Pickup &p : partida.levers)
                    p.active = 1;
                partida.player.energy = 255;
                partida.game_done = 0;
                GAME_sublevel = room;
                PARTIDA_start_room();
            }
        }
    }
    vbtest_unload_level();
}
