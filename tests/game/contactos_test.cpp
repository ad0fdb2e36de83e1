// contactos_test.cpp -- damage, energy items, levers, the slime, drips and dust.
#include <stdlib.h>
#include <gtest/gtest.h>
#include "sala.h"
#include "game/sonidos.h"

#define EMPTY_ROW "..............."
#define FLOOR_ROW "###############"

static void flat_room(int number, const char *player_row = "...P...........") {
    sala_draw(number, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                       player_row, FLOOR_ROW});
}

TEST(Damage, EachTouchingEnemyCostsOneEnergyAFrameUntilTheGameEnds) {
    flat_room(1);
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    sala_enemy(5, 3, 7, 3, 7, 0, 4); // a second enemy in the same place
    sala_enemy(6, 4, 7, 4, 7, 0, 3); // the next cell: boxes meet edge to edge, no overlap
    sala_start();
    run(1);
    EXPECT_EQ(partida.player.energy, 253);
    EXPECT_EQ(SFX_counts.requests[SFX_HURT], 2);
    flat_room(1);
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    sala_start();
    run(254);
    EXPECT_EQ(partida.player.energy, 1);
    EXPECT_EQ(partida.game_done, 0);
    run(1);
    EXPECT_EQ(partida.player.energy, 0);
    EXPECT_EQ(partida.game_done, 1);
    EXPECT_EQ(partida.room_done, 1);
    EXPECT_EQ(partida.result, 1);
}

TEST(Damage, OnlyTheCellUnderTheTopLeftPixelHurts) {
    flat_room(1, "...^...........");
    partida.rooms[0].start_col = partida.rooms[0].start_look_col = 3;
    partida.rooms[0].start_row = 7;
    sala_start();
    run(3);
    EXPECT_EQ(partida.player.energy, 252);
    flat_room(1, "..P^...........");
    sala_start();
    partida.player.x += 8 * 256; // the box overlaps the hurting cell, its corner does not
    run(3);
    EXPECT_EQ(partida.player.energy, 255);
}

TEST(Energy, AnItemGivesTwentyFiveUpToTheFullBarOnce) {
    const int before[] = {100, 230, 231};
    const int after[] = {125, 255, 255};
    for (int i = 0; i < 3; i++) {
        flat_room(1);
        sala_energy(4, 0, 3, 7);
        sala_start();
        partida.player.energy = before[i];
        run(1);
        EXPECT_EQ(partida.player.energy, after[i]);
        EXPECT_EQ(partida.energy_items[4].active, 0);
        run(1);
        EXPECT_EQ(partida.player.energy, after[i]) << "taken once";
    }
    EXPECT_EQ(SFX_counts.requests[SFX_ENERGY], 1);
}

TEST(Energy, AnItemIsOnlyTakenWhenTheBoxTopIsExactlyOnItsRow) {
    flat_room(1);
    sala_energy(0, 0, 3, 6); // one row up: the box overlaps it but its top is 16 pixels lower
    sala_energy(1, 1, 3, 7); // another room's item in the same cell
    sala_start();
    partida.player.energy = 100;
    run(3);
    EXPECT_EQ(partida.player.energy, 100);
    EXPECT_EQ(partida.energy_items[0].active, 1);
    EXPECT_EQ(partida.energy_items[1].active, 1);
}

TEST(Levers, TwoLeversTouchedInOneFrameSkipARoom) {
    flat_room(2);
    sala_lever(0, 1, 3, 7);
    sala_lever(7, 1, 3, 7);
    sala_lever(8, 0, 3, 7); // room 1's lever is not in this room
    sala_start();
    run(1);
    EXPECT_EQ(GAME_sublevel, 4);
    EXPECT_EQ(partida.room_done, 1);
    EXPECT_EQ(partida.game_done, 0);
    EXPECT_EQ(partida.levers[8].active, 1);
    EXPECT_EQ(SFX_counts.requests[SFX_LEVER], 2);
}

TEST(Levers, EnergyRunningOutInTheFrameOfALeverEndsTheGame) {
    flat_room(1);
    sala_lever(0, 0, 3, 7);
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    sala_start();
    partida.player.energy = 1;
    PartidaLoop loop = {};
    EXPECT_EQ(PARTIDA_play_rooms(&loop), 1);
    EXPECT_EQ(GAME_sublevel, 2);
    EXPECT_EQ(partida.game_done, 1);
    EXPECT_EQ(partida.player.energy, 0);
}

TEST(Slime, TheFrontCreepsDownAPixelEverySixteenFramesAndHurtsWhatIsAboveIt) {
    sala_draw(21, {"...P...........", "...#...........", EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                   EMPTY_ROW, EMPTY_ROW, FLOOR_ROW});
    sala_start(); // standing with the box's top on pixel row 0
    run(14);
    EXPECT_EQ(moco_y, 0);
    EXPECT_EQ(partida.player.energy, 255);
    run(1);
    EXPECT_EQ(moco_y, 1);
    EXPECT_EQ(partida.player.energy, 254);
    run(16);
    EXPECT_EQ(moco_y, 2);
    EXPECT_EQ(partida.player.energy, 254 - 16);
    // A new room starts the front at the top again; the step count carries on.
    short step = partida.slime_step;
    PARTIDA_start_room();
    EXPECT_EQ(moco_y, 0);
    EXPECT_EQ(partida.slime_step, step);
    // Outside world 4 there is no slime.
    sala_draw(16, {"...P...........", "...#...........", EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                   EMPTY_ROW, EMPTY_ROW, FLOOR_ROW});
    sala_start();
    run(40);
    EXPECT_EQ(moco_y, 0);
    EXPECT_EQ(partida.player.energy, 255);
}

TEST(Drips, HangUnderTheCeilingCellAboveTheirRandomRowOrAtTheTop) {
    sala_draw(16, {EMPTY_ROW, EMPTY_ROW, "#######........", EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                   EMPTY_ROW, "...P...........", FLOOR_ROW});
    mvl[200].state = 1;
    srand(7);
    int xs[DRIP_SLOTS], rows[DRIP_SLOTS], waits[DRIP_SLOTS];
    for (int i = 0; i < DRIP_SLOTS; i++) {
        xs[i] = rand() % 240;
        rows[i] = rand() % 9;
        waits[i] = rand() & 31;
    }
    srand(7);
    sala_start();
    int under_ceiling = 0, at_top = 0;
    for (int i = 0; i < DRIP_SLOTS; i++) {
        EXPECT_EQ(mvl[i].x, xs[i]);
        EXPECT_EQ(mvl[i].state, waits[i]);
        bool ceiling_above = xs[i] < 7 * 16 && rows[i] >= 2;
        EXPECT_EQ(mvl[i].y, ceiling_above ? 48 : 0) << "drip " << i;
        (ceiling_above ? under_ceiling : at_top)++;
    }
    EXPECT_GT(under_ceiling, 0);
    EXPECT_GT(at_top, 0);
    EXPECT_EQ(mvl[200].state, 0) << "dust is cleared";
}

TEST(Dust, WalkingKicksUpTwoPuffsWhileFreeSlotsLast) {
    flat_room(1);
    sala_start();
    for (int i = FIRST_DUST; i < PARTICLES - 1; i++)
        mvl[i].state = 1;
    hold({KEY_RIGHT});
    run(1);
    const Particle *d = &mvl[PARTICLES - 1];
    EXPECT_EQ(d->state, 1);
    EXPECT_EQ(d->age, 0);
    EXPECT_EQ(d->x, partida.player.x + 2048);
    EXPECT_EQ(d->y, partida.player.y + 4096);
    EXPECT_TRUE(d->vy <= -256 && d->vy >= -511);
    EXPECT_TRUE(d->vx >= -256 && d->vx <= 255);
    Particle full[PARTICLES];
    memcpy(full, mvl, sizeof full);
    run(1);
    EXPECT_EQ(memcmp(full, mvl, sizeof full), 0) << "nothing spawns with every slot live";
    mvl[FIRST_DUST + 3].state = 0;
    run(1);
    EXPECT_EQ(mvl[FIRST_DUST + 3].state, 1);
    // World 1 has no dust.
    flat_room(6);
    sala_start();
    hold({KEY_RIGHT});
    run(5);
    EXPECT_EQ(mvl[FIRST_DUST].state, 0);
}
