// contactos_test.cpp -- damage, energy items, the slime and dripping ceilings.
// SPDX-License-Identifier: MIT
#include "support/sala.h"

// Enemies, hurting cells, drops on their fixed beat and the creeping slime cost energy until the
// game ends; an item gives twenty-five up to the full bar, once, only on its row.
TEST(Damage, EnemiesCellsDropsAndTheSlimeCostEnergyUntilTheGameEndsAndItemsGiveItBack) {
    sala_draw(1, {{7, "...P..........."}});
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    sala_enemy(5, 3, 7, 3, 7, 0, 4);
    sala_enemy(6, 4, 7, 4, 7, 0, 3); // edge to edge: no overlap
    run(1);
    EXPECT_EQ(partida.player.energy, 253);
    EXPECT_EQ(SFX_counts.requests[SFX_HURT], 2);
    run(126);
    EXPECT_EQ(partida.game_done, 0);
    run(1);
    EXPECT_EQ(partida.player.energy, -1);
    EXPECT_EQ(partida.game_done, 1);
    EXPECT_EQ(partida.result, 1);

    sala_draw(1, {{7, "..P^..........."}});
    for (int energy : {255, 255, 252}) { // the box clear of the cell, over it, its corner over it
        run(3);
        EXPECT_EQ(partida.player.energy, energy);
        partida.player.x += 8 * 256;
    }

    const int before[] = {100, 230, 231}, after[] = {125, 255, 255};
    for (int i = 0; i < 3; i++) {
        sala_draw(1, {{7, "...P..........."}});
        sala_pickup(partida.energy_items, 4, 0, 3, 7);
        sala_pickup(partida.energy_items, 5, 0, 3, 6); // overlaps, but not on the box's top row
        sala_pickup(partida.energy_items, 6, 1, 3, 7); // another room's
        partida.player.energy = before[i];
        run(2);
        EXPECT_EQ(partida.player.energy, after[i]);
        EXPECT_EQ(partida.energy_items[4].active, 0);
        EXPECT_EQ(partida.energy_items[5].active + partida.energy_items[6].active, 2);
    }

    sala_draw(2, {{1, "###############"}, {6, ".......#......."}, {7, "....P.........."}});
    play_level.rooms[1].cells[1][4].attr |= ATTR_DRIPS;
    play_level.rooms[1].cells[1][7].attr |= ATTR_DRIPS;
    PARTIDA_start_room(&partida, &efectos, &play_level);
    ASSERT_EQ(partida.drop_count, 2);
    const Drop &even = partida.drops[0], &odd = partida.drops[1];
    EXPECT_EQ(even.x, 4 * 16 + 6);
    EXPECT_EQ(even.state, DROP_HANGING);
    EXPECT_EQ(odd.state, DROP_GONE) << "odd columns start half a period later";

    run(DROP_HANG - 1);
    EXPECT_EQ(even.state, DROP_HANGING);
    EXPECT_EQ(even.y, 32);
    EXPECT_EQ(odd.state, DROP_GONE);
    run(1);
    EXPECT_EQ(even.state, DROP_FALLING);
    EXPECT_EQ(even.y, 36);
    EXPECT_EQ(odd.state, DROP_HANGING);
    EXPECT_EQ(odd.y, 32);
    int frames = DROP_HANG;
    for (; even.state == DROP_FALLING && frames < DROP_PERIOD; frames++)
        run(1);
    EXPECT_EQ(even.state, DROP_SPLASHING) << "on the floor under the player";
    EXPECT_EQ(even.y, 128 - DROP_H);
    EXPECT_EQ(partida.player.energy, 255 - 5);
    EXPECT_EQ(SFX_counts.requests[SFX_HURT], 5);
    run(DROP_PERIOD - frames);
    EXPECT_EQ(even.state, DROP_HANGING) << "a new drop a period later";
    EXPECT_EQ(odd.state, DROP_FALLING) << "half a period behind";
    run(DROP_HANG - 1);
    EXPECT_EQ(odd.y, 96 - DROP_H) << "it landed on the cell below it";
    run(DROP_PERIOD - DROP_HANG + 1);
    EXPECT_EQ(partida.player.energy, 255 - 10) << "the same again the next period";
    partida.player.energy = 255;
    partida.player.x += 16 * 256; // a column aside: under no drop
    run(2 * DROP_PERIOD);
    EXPECT_EQ(partida.player.energy, 255);

    sala_draw(21, {{0, "...P..........."}, {1, "...#..........."}});
    run(14);
    EXPECT_EQ(partida.player.energy, 255);
    run(1);
    EXPECT_EQ(moco_y, 1);
    EXPECT_EQ(partida.player.energy, 254);
    run(16);
    EXPECT_EQ(moco_y, 2);
    EXPECT_EQ(partida.player.energy, 254 - 16);
    short step = partida.slime_step;
    PARTIDA_start_room(&partida, &efectos, &play_level);
    EXPECT_EQ(moco_y, 0) << "each room starts without slime";
    EXPECT_EQ(partida.slime_step, step);
}
