// soak_test.cpp -- long runs of the shipped level with random keys through the headless frame
// step, meant for the sanitizer build: every room, thousands of frames, pictures and all.
#include <gtest/gtest.h>
#include <atomic>
#include <filesystem>
#include <random>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include "game/interno.h"
#include "game/motor.h"
#include "gfx/gfx.h"
#include "shell/cierre.h"
#include "shell/temporizadores.h"
#include "render/render.h"
#include "shell/config.h"
#include "support/vbtest.h"

namespace {

const int FRAMES_PER_ROOM = 2000;

// The keys a player may hold during play (Escape and the screenshot key end or leave the test).
const int PLAY_KEYS[] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_O, KEY_P, KEY_Q, KEY_A};

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
}

namespace {

// One step of the scripted player: at `ms` milliseconds press (down) or release a key.
struct ScriptStep {
    int ms, key, down;
};

// The card, a walk and a jump, the retry dialog answered "Yes" (the card again), a screenshot,
// then Escape held until play ends.
const ScriptStep SCRIPT[] = {
    {100, KEY_ENTER, 1},  {160, KEY_ENTER, 0},  {250, KEY_RIGHT, 1},     {350, KEY_RIGHT, 0},
    {750, KEY_UP, 1},     {800, KEY_UP, 0},     {1200, KEY_R, 1},        {1260, KEY_R, 0},
    {1350, KEY_LEFT, 1},  {1400, KEY_LEFT, 0},  {1500, KEY_ENTER, 1},    {1560, KEY_ENTER, 0},
    {1800, KEY_ENTER, 1}, {1860, KEY_ENTER, 0}, {2000, KEY_RCONTROL, 1}, {2100, KEY_RCONTROL, 0},
    {2300, KEY_ESC, 1},
};

} // namespace

// The whole of play, from loading to teardown, on the shipped level with a scripted player and a
// ticking clock: it returns 1, a confirmed retry costs one, the screenshot is written, the log
// tells the story in order, and everything is released (the sanitizers see no leak).
TEST(Soak, WholeGameWithAScriptedPlayer) {
    const char *data = getenv("VB_DATA_DIR");
    std::string level = data ? std::string(data) + "/maps/velba1.vb3" : "";
    if (!data || access(level.c_str(), R_OK) != 0) GTEST_SKIP() << "the shipped level is not built";
    std::string data_dir = std::filesystem::canonical(data).string();
    char dir[] = "/tmp/vbsoakXXXXXX", here[512];
    ASSERT_TRUE(mkdtemp(dir) && getcwd(here, sizeof here));
    ASSERT_EQ(chdir(dir), 0);
    for (const char *entry : {"maps", "resources", "RESOURCES", "Resources"})
        ASSERT_EQ(symlink((data_dir + "/" + entry).c_str(), entry), 0);

    vbtest_init(16);
    set_color_conversion(COLORCONV_TOTAL);
    GFX_init();
    GFX_load_font("RESOURCES/ATARI.8x8");
    BITMAP *window = create_bitmap(512, 384);
    screen = window;
    CFG_soundon = 1; // no audio device is open: every sound call is a no-op, as on a silent machine
    GAME_level = 1;
    GAME_sublevel = 1;
    close_button_pressed = 0;

    std::atomic<bool> done(false);
    std::thread player([&done] {
        int ms = 0;
        size_t next = 0;
        while (!done) {
            while (next < sizeof SCRIPT / sizeof SCRIPT[0] && SCRIPT[next].ms <= ms) {
                key[SCRIPT[next].key] = SCRIPT[next].down;
                next++;
            }
            contador_60Hz = contador_60Hz + 1; // the clock, faster than life
            usleep(2000);
            ms += 2;
        }
    });
    char name[] = "velba1.vb3";
    int result = juego(name);
    done = true;
    player.join();
    key[KEY_ESC] = 0;

    EXPECT_EQ(result, 1);
    EXPECT_EQ(partida.retries, 4) << "the confirmed retry";
    struct stat st;
    EXPECT_TRUE(stat("CAP.PCX", &st) == 0 && st.st_size > 0) << "the screenshot key";
    EXPECT_TRUE(!partida.room_view && !partida.tiles[0] && !buffer_auxiliar && !sp_gotas[0]);
    std::string log;
    FILE *f = fopen("log.txt", "rb");
    char line[256];
    while (f && fgets(line, sizeof line, f))
        log += line;
    if (f) fclose(f);
    size_t at = 0;
    for (const char *text :
         {"Empezamos motor :) \n", "Fase cargada OK\n", "Comenzando el juego 2\n",
          "Comenzando el juego 2\n", "Fin del bucle del juego\n", "Destruyendo bitmaps\n",
          "\xB7"
          "FINE"
          "\xB7\n"}) {
        size_t found = log.find(text, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << text << "\n" << log;
        at = found + 1;
    }
    screen = nullptr;
    destroy_bitmap(window);
    EXPECT_EQ(chdir(here), 0);
    std::filesystem::remove_all(dir);
}
