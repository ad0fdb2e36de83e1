// soak_test.cpp -- long runs of the shipped level with random keys through the headless frame
// step, meant for the sanitizer build: every room, thousands of frames, pictures and all.
#include <gtest/gtest.h>
#include <random>
#include <stdlib.h>
#include <unistd.h>
#include "game/interno.h"
#include "gfx/gfx.h"
#include "render/render.h"
#include "shell/config.h"
#include "support/vbtest.h"

namespace {

const int FRAMES_PER_ROOM = 2000;

// The keys a player may hold during play (Escape and the screenshot key end or leave the test).
const int PLAY_KEYS[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_O, KEY_P, KEY_Q, KEY_A};

// The pictures play draws with, loaded as the game loads them (null when missing).
void load_pictures(void) {
    PALETTE pal;
    sp_nubes1 = load_pcx("resources/clouds_1.pcx", pal);
    sp_nubes2 = load_pcx("resources/clouds_2.pcx", pal);
    sp_halo_verde = load_pcx("resources/halo_verde.pcx", pal);
    sp_anti_halo = load_pcx("resources/anti_halo.pcx", pal);
    sp_overlay_fila4 = load_pcx("resources/OVERLAY-fila4.pcx", pal);
    sp_fancy_overlay = load_pcx("resources/fancy-overlay.pcx", pal);
    BITMAP *drips = load_pcx("resources/gotas.pcx", pal);
    BITMAP *slime = load_pcx("resources/moco.pcx", pal);
    for (int i = 0; i < 6; i++) {
        sp_gotas[i] = drips ? create_bitmap(4, 4) : nullptr;
        if (sp_gotas[i]) blit(drips, sp_gotas[i], 4 * i, 0, 0, 0, 4, 4);
    }
    for (int i = 0; i < 4; i++) {
        moco_blobs[i] = slime ? create_bitmap(8, 8) : nullptr;
        if (moco_blobs[i]) blit(slime, moco_blobs[i], 8 * i, 0, 0, 0, 8, 8);
    }
    if (drips) destroy_bitmap(drips);
    if (slime) destroy_bitmap(slime);
}

void release_pictures(void) {
    BITMAP **all[] = {&sp_nubes1,    &sp_nubes2,        &sp_halo_verde,
                      &sp_anti_halo, &sp_overlay_fila4, &sp_fancy_overlay};
    for (BITMAP **b : all) {
        if (*b) destroy_bitmap(*b);
        *b = nullptr;
    }
    for (BITMAP *&b : sp_gotas) {
        if (b) destroy_bitmap(b);
        b = nullptr;
    }
    for (BITMAP *&b : moco_blobs) {
        if (b) destroy_bitmap(b);
        b = nullptr;
    }
}

} // namespace

// Every room of the shipped level survives 2,000 frames of random keys: the player stays in the
// room, energy never rises above full, and the sanitizers (in that build) see nothing wrong.
TEST(Soak, EveryRoomOfTheShippedLevelTakesRandomKeysForTwoThousandFrames) {
    const char *data = getenv("VB_DATA_DIR");
    if (!data || chdir(data) != 0 || access("maps/velba1.vb3", R_OK) != 0)
        GTEST_SKIP() << "the shipped level is not built";
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
    load_pictures();

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
    release_pictures();
    PARTIDA_destroy_bitmaps();
}
