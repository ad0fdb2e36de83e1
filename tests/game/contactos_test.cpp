// contactos_test.cpp -- damage, energy items, the slime and dripping ceilings.
// SPDX-License-Identifier: MIT
#include <vector>
#include "support/sala.h"

// The values as ints, to compare several in one check.
template <class... T> static std::vector<int> vals(T... v) {
    return {(int)v...};
}

// Enemies, hurting cells, drops on their fixed beat and the creeping slime cost energy; an item
// gives twenty-five up to the full bar, once, only on its row.
TEST(Damage, EnemiesCellsDropsAndTheSlimeCostEnergyAndItemsGiveItBack) {
    sala_draw(1, {{7, "...P..........."}});
    sala_enemy(0, 3, 7, 3, 7, 0, 3);
    sala_enemy(5, 3, 7, 3, 7, 0, 4);
    sala_enemy(6, 4, 7, 4, 7, 0, 3); // edge to edge: no overlap
    run(1);
    EXPECT_EQ(vals(partida.player.energy, SFX_counts.requests[SFX_HURT]), vals(253, 2));
    sala_draw(1, {{7, "..P^..........."}});
    for (int energy : {255, 255, 252}) { // the box clear of the cell, over it, its corner over it
        run(3);
        EXPECT_EQ(partida.player.energy, energy);
        partida.player.x += 8 * 256;
    }
    sala_draw(1, {{7, "...P..........."}}); // (+25 under the cap: partida_test's retries)
    sala_pickup(partida.energy_items, 4, 0, 3, 7);
    sala_pickup(partida.energy_items, 5, 0, 3, 6); // overlaps, but not on the box's top row
    sala_pickup(partida.energy_items, 6, 1, 3, 7); // another room's
    partida.player.energy = 231;
    run(2);
    EXPECT_EQ(vals(partida.player.energy, partida.energy_items[4].active,
                   partida.energy_items[5].active + partida.energy_items[6].active),
              vals(255, 0, 2));
    sala_draw(2, {{1, "###############"}, {6, ".......#......."}, {7, "....P.........."}});
    play_level.rooms[1].cells[1][4].attr |= ATTR_DRIPS;
    play_level.rooms[1].cells[1][7].attr |= ATTR_DRIPS;
    PARTIDA_start_room(&partida, &efectos, &play_level);
    const Drop &even = partida.drops[0], &odd = partida.drops[1];
    auto at = [](const Drop &d) { return vals(d.state, d.y); };
    EXPECT_EQ(vals(even.x, even.state, odd.state), vals(4 * 16 + 6, DROP_HANGING, DROP_GONE))
        << "odd columns start half a period later";
    run(DROP_HANG - 1);
    EXPECT_EQ(at(even), vals(DROP_HANGING, 32));
    run(1);
    EXPECT_EQ(at(even), vals(DROP_FALLING, 36));
    EXPECT_EQ(at(odd), vals(DROP_HANGING, 32));
    int frames = DROP_HANG;
    for (; even.state == DROP_FALLING && frames < DROP_PERIOD; frames++)
        run(1);
    EXPECT_EQ(at(even), vals(DROP_SPLASHING, 128 - DROP_H)) << "on the floor";
    EXPECT_EQ(vals(partida.player.energy, SFX_counts.requests[SFX_HURT]), vals(255 - 5, 5));
    run(DROP_PERIOD - frames);
    EXPECT_EQ(vals(even.state, odd.state), vals(DROP_HANGING, DROP_FALLING))
        << "a new drop a period later, the odd one half a period behind";
    run(DROP_HANG - 1);
    EXPECT_EQ(odd.y, 96 - DROP_H) << "it landed on the cell below it";
    partida.player.x += 16 * 256; // a column aside: under no drop
    run(2 * DROP_PERIOD);
    EXPECT_EQ(partida.player.energy, 255 - 5);
    sala_draw(21, {{0, "...P..........."}, {1, "...#..........."}});
    run(15);
    EXPECT_EQ(vals(moco_y, partida.player.energy), vals(1, 254)) << "the first step, one hurt";
    run(16);
    EXPECT_EQ(vals(moco_y, partida.player.energy), vals(2, 254 - 16));
    short step = partida.slime_step;
    PARTIDA_start_room(&partida, &efectos, &play_level);
    EXPECT_EQ(vals(moco_y, partida.slime_step), vals(0, step)) << "each room starts without slime";
}
