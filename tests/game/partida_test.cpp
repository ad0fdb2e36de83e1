// partida_test.cpp -- rooms in sequence, retries, the same game from the same inputs, and a
// level that cannot be loaded.
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "sala.h"
#include "game/motor.h"
#include "shell/cierre.h"
#include "shell/temporizadores.h"
#include "support/vbtest.h"

static int cards, confirms;
static std::vector<int> energy_at_card, enemy_x_at_card;

static void note_card(void) {
    cards++;
    energy_at_card.push_back(partida.player.energy);
    enemy_x_at_card.push_back(partida.enemies[0].x);
}
static void press_r(void) {
    key[KEY_R] = 1;
}
static int confirm(void) {
    confirms++;
    return 1;
}

TEST(Retries, TheSixthConfirmedRetryEndsPlayAndRetriesKeepEnergyAndTakenItems) {
    sala_draw(2, {{7, "...P..........."}});
    sala_energy(0, 1, 3, 7);
    sala_enemy(0, 8, 2, 12, 2, 1, 3);
    sala_start();
    partida.player.energy = 100;
    cards = confirms = 0;
    energy_at_card.clear();
    enemy_x_at_card.clear();
    PartidaLoop loop = {note_card, nullptr, press_r, confirm};
    EXPECT_EQ(PARTIDA_play_rooms(&loop), 1);
    release_keys();
    EXPECT_EQ(confirms, 6);
    EXPECT_EQ(cards, 6) << "the first card and five restarts";
    EXPECT_EQ(partida.retries, -1);
    EXPECT_EQ(partida.game_done, 1);
    EXPECT_EQ(GAME_sublevel, 2);
    EXPECT_EQ(energy_at_card.front(), 100);
    for (size_t i = 1; i < energy_at_card.size(); i++) {
        EXPECT_EQ(energy_at_card[i], 125) << "the item stays taken, energy carries over";
        EXPECT_EQ(enemy_x_at_card[i], 128) << "enemies start again from their start cell";
    }
}

TEST(Rooms, TheLeverOfTheLastRoomEndsTheLevel) {
    sala_draw(25, {{7, "...P..........."}});
    sala_lever(3, 24, 3, 7);
    sala_start();
    PartidaLoop loop = {};
    EXPECT_EQ(PARTIDA_play_rooms(&loop), 1);
    EXPECT_EQ(GAME_sublevel, 26);
    EXPECT_EQ(partida.game_done, 1);
}

TEST(Rooms, EscapeEndsPlayAfterTheFrameRunsAndAnOutOfRangeRoomStartsTheFirst) {
    sala_draw(1, {{7, "...P..........."}});
    sala_start();
    hold({KEY_ESC, KEY_RIGHT});
    run(1);
    EXPECT_EQ(partida.game_done, 1);
    EXPECT_EQ(px(), 50) << "the frame still runs";
    release_keys();
    GAME_sublevel = 0;
    PARTIDA_start_room();
    EXPECT_EQ(GAME_sublevel, 1);
    EXPECT_EQ(partida.room, 0);
    GAME_sublevel = 40;
    PARTIDA_start_room();
    EXPECT_EQ(partida.room, 0);
}

// Plays a scripted game in a busy world-3 room and returns everything that moved.
static std::string scripted_game(unsigned seed) {
    sala_draw(16, {{0, "###############"},
                   {2, "....##....==..."},
                   {4, "..........#...."},
                   {6, "....=====......"},
                   {7, "P....^........."},
                   {8, "##>>#####<<####"}});
    for (int i = 0; i < 6; i++)
        sala_enemy(i, i, 1 + i % 3, 14 - i, 1 + i % 3, 1 + i % 2, 3 + i);
    sala_platform(0, 1, 5, 6, 5, 1, 14);
    sala_platform(1, 12, 7, 12, 7, 0, 23);
    sala_energy(0, 15, 8, 7);
    srand(seed);
    sala_start();
    std::string trace;
    for (int f = 0; f < 400; f++) {
        int phase = (f / 37) % 4;
        if (phase == 0)
            hold({KEY_RIGHT});
        else if (phase == 1)
            hold({KEY_RIGHT, f % 5 ? KEY_UP : KEY_A});
        else if (phase == 2)
            hold({KEY_LEFT});
        else
            hold({KEY_Q});
        PARTIDA_frame();
        trace.append((const char *)&partida.player, sizeof partida.player);
        trace.append((const char *)partida.enemies, sizeof partida.enemies);
        trace.append((const char *)partida.platforms, sizeof partida.platforms);
    }
    release_keys();
    trace.append((const char *)mvl, sizeof mvl);
    return trace;
}

TEST(Determinism, TheSameInputsPlayTheSameGame) {
    std::string a = scripted_game(1), b = scripted_game(1);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == scripted_game(2)) << "the drips follow the random numbers";
}

// Runs juego on "velba1.vb3" in a fresh directory, with the level written there when `level` is
// set; returns juego's result and the log's lines.
static int juego_in_fresh_dir(bool level, std::vector<std::string> *log) {
    vbtest_init(16);
    char dir[] = "/tmp/vbjuegoXXXXXX", here[512];
    if (!mkdtemp(dir) || !getcwd(here, sizeof here) || chdir(dir) != 0) return -1;
    if (level) {
        mkdir("maps", 0755);
        PARTIDA_reset();
        PARTIDA_create_bitmaps();
        ReservedRecord reserved[7] = {};
        FilePickup none[PICKUP_SLOTS] = {};
        grabarMapa("maps/velba1.vb3", MAP_PLAYABLE, reserved, partida.header, partida.rooms, none,
                   none, partida.backgrounds, partida.tiles, partida.sprites, -1);
        PARTIDA_destroy_bitmaps();
    }
    char name[] = "VELBA1.VB3 and the rest";
    int result = juego(name);
    EXPECT_STREQ(name, "velba1.vb3");
    FILE *f = fopen("log.txt", "r");
    char line[256];
    while (f && fgets(line, sizeof line, f))
        log->push_back(line);
    if (f) fclose(f);
    EXPECT_EQ(chdir(here), 0);
    std::filesystem::remove_all(dir);
    return result;
}

static size_t find_line(const std::vector<std::string> &log, const char *text) {
    for (size_t i = 0; i < log.size(); i++)
        if (log[i] == std::string(text) + "\n") return i;
    return log.size();
}

static void expect_all_released(void) {
    EXPECT_TRUE(!partida.room_view && !partida.tiles[0] && !partida.backgrounds[4] &&
                !buffer_auxiliar && !buffer_auxiliar_moco_2 && !sp_gotas[0] && !moco_blobs[3]);
}

TEST(Juego, ALevelThatCannotBeLoadedReleasesEverythingAndReturnsZero) {
    std::vector<std::string> log;
    EXPECT_EQ(juego_in_fresh_dir(false, &log), 0);
    expect_all_released();
    size_t at = find_line(log, "Cargando fase:");
    ASSERT_LT(at + 1, log.size());
    EXPECT_EQ(log[at + 1], "velba1.vb3\n");
    EXPECT_LT(find_line(log, "No se pudo cargar resources/gotas.pcx"), at);
    EXPECT_EQ(find_line(log, "Fase cargada OK"), log.size()) << "play stops after the name";
}

TEST(Juego, APasswordOfALaterLevelPlaysRoom25AndTheCloseButtonEndsPlay) {
    vbtest_init(16);
    GAME_level = 3;
    GAME_sublevel = 7;
    close_button_pressed = 1; // the card returns at once and the first frame ends play
    contador_60Hz = 2;
    BITMAP *window = create_bitmap(512, 384);
    screen = window;
    std::vector<std::string> log;
    EXPECT_EQ(juego_in_fresh_dir(true, &log), 1);
    screen = nullptr;
    destroy_bitmap(window);
    close_button_pressed = 0;
    EXPECT_EQ(GAME_level, 1);
    EXPECT_EQ(GAME_sublevel, 25);
    expect_all_released();
    const char *order[] = {"Empezamos motor :) ",
                           "Reservando memoria para buffers gr\xE1"
                           "ficos",
                           "Fase cargada OK",
                           "Creando enemigos y plataformas",
                           "Comenzando el juego 2",
                           "Fin del bucle del juego",
                           "Destruyendo bitmaps",
                           "\xB7"
                           "FINE"
                           "\xB7"};
    size_t last = 0;
    for (const char *text : order) {
        size_t at = find_line(log, text);
        EXPECT_TRUE(at < log.size() && at >= last) << text;
        last = at;
    }
    EXPECT_EQ(last, log.size() - 1);
}
