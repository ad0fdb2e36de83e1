// partida_test.cpp -- rooms in sequence, retries, the same game from the same inputs, and a
// level that cannot be loaded.
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "sala.h"
#include "game/motor.h"
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

TEST(Juego, ALevelThatCannotBeLoadedReleasesEverythingAndReturnsZero) {
    vbtest_init(16);
    char name[] = "VELBA1.VB3 and the rest";
    EXPECT_EQ(juego(name), 0);
    EXPECT_STREQ(name, "velba1.vb3");
    EXPECT_EQ(partida.room_view, nullptr);
    EXPECT_EQ(partida.tiles[0], nullptr);
    EXPECT_EQ(partida.backgrounds[4], nullptr);
    EXPECT_EQ(buffer_auxiliar, nullptr);
    EXPECT_EQ(buffer_auxiliar_moco_2, nullptr);
    EXPECT_EQ(sp_gotas[0], nullptr);
    EXPECT_EQ(moco_blobs[3], nullptr);
    // Play logs nothing after the level's name (the loader may say why it failed).
    FILE *f = fopen("log.txt", "r");
    ASSERT_NE(f, nullptr);
    std::vector<std::string> lines;
    char line[256];
    while (fgets(line, sizeof line, f))
        lines.push_back(line);
    fclose(f);
    size_t at = lines.size();
    while (at > 0 && lines[at - 1] != "Cargando fase:\n")
        at--;
    ASSERT_GT(at, 0u);
    ASSERT_LT(at, lines.size());
    EXPECT_EQ(lines[at], "velba1.vb3\n");
    bool named = false; // a missing picture is logged by name
    for (size_t i = 0; i < at; i++)
        named |= lines[i].find("resources/gotas.pcx") != std::string::npos;
    EXPECT_TRUE(named);
    for (size_t i = at + 1; i < lines.size(); i++)
        EXPECT_TRUE(lines[i].find("Fase cargada") == std::string::npos &&
                    lines[i].find("FINE") == std::string::npos)
            << lines[i];
}
