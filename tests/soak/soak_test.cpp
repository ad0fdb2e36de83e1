// soak_test.cpp -- long runs of the shipped level with random keys through the headless frame
// step, meant for the sanitizer build: every room, thousands of frames, pictures and all.
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>
#include "game/interno.h"
#include "gfx/gfx.h"
#include "platform/config.h"
#include "support/vbtest.h"

namespace {

const int FRAMES_PER_ROOM = 2000;

// The keys a player may hold during play (Escape and the screenshot key end or leave the test).
const int PLAY_KEYS[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_O, KEY_P, KEY_Q, KEY_A};

} // namespace

// Every room of the shipped level survives 2,000 frames of random keys: the player stays in the
// room, energy never rises above full, and the sanitizers (in that build) see nothing wrong.
TEST(Soak, EveryRoomOfTheShippedLevelTakesRandomKeysForTwoThousandFrames) {
    if (access((vbtest_data() + "/maps/velba1.vb3").c_str(), R_OK) != 0)
        GTEST_SKIP() << "the shipped level is not built";
    vbtest_enter_scratch(); // the game's files come from the data directory through links
    for (const char *dir : {"maps", "resources"})
        ASSERT_EQ(symlink((vbtest_data() + "/" + dir).c_str(), dir), 0);
    vbtest_init(16);
    set_color_conversion(COLORCONV_TOTAL);
    GFX_init();
    CFG_soundon = 0;
    transparente = makecol(255, 0, 255);
    PARTIDA_reset();
    ASSERT_TRUE(PARTIDA_create_bitmaps());
    ASSERT_TRUE(carga_fase("velba1.vb3", &partida.header, partida.rooms, partida.levers,
                           partida.energy_items, partida.backgrounds, partida.tiles,
                           partida.sprites));
    PARTIDA_load_pictures();

    std::mt19937 rng(20261206);
    for (int room = 1; room <= ROOM_COUNT; room++) {
        GAME_sublevel = room;
        PARTIDA_start_room();
        for (int f = 0; f < FRAMES_PER_ROOM; f++) {
            if (rng() % 8 == 0) { // change what is held now and then, like a player would
                for (int k : PLAY_KEYS)
                    key[k] = (rng() % 4 == 0);
            }
            PARTIDA_frame();
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
    for (int k : PLAY_KEYS)
        key[k] = 0;
    PARTIDA_release_pictures();
    PARTIDA_destroy_bitmaps();
    vbtest_leave_scratch();
}
