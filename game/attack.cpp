// attack.cpp -- a room on its own, its time and the route's ghost.
// SPDX-License-Identifier: MIT
#include "game/attack.h"
#include <stdio.h>
#include <string.h>
#include "level/par.h"

void PARTIDA_start_attempt(Partida *g, Efectos *fx, const Level *lv, int room) {
    g->sublevel = room + 1;
    g->player.energy = 255;
    g->game_done = 0;
    g->retries = 5;
    g->slime_step = 7; // the front's first step comes in the first frame
    g->flip_flop = 0;
    for (int i = 0; i < PICKUP_SLOTS; i++)
        g->levers[i].active = g->energy_items[i].active = 1;
    PARTIDA_start_room(g, fx, lv);
}

void ATTACK_time_text(int frames, int sign, char *out, size_t size) {
    const char *mark = !sign ? "" : frames < 0 ? "-" : "+";
    long f = frames < 0 ? -(long)frames : frames;
    long hundredths = (f * 1000 + 147) / 294; // 29.4 frames a second, rounded
    long seconds = hundredths / 100, minutes = seconds / 60;
    if (minutes > 0)
        snprintf(out, size, "%s%ld:%02ld.%02ld", mark, minutes, seconds % 60, hundredths % 100);
    else
        snprintf(out, size, "%s%ld.%02ld", mark, seconds, hundredths % 100);
}

int ATTACK_route_input(char letter, FrameInput *in) {
    // Each letter's keys as bits: left 1, right 2, high jump 4, long jump 8.
    static const char BITS[] = {0, 1, 2, 4, 8, 5, 6, 9, 10};
    const char *at = letter ? strchr(PAR_ROUTE_LETTERS, letter) : nullptr;
    if (!at) return 0;
    int bits = BITS[at - PAR_ROUTE_LETTERS];
    memset(in, 0, sizeof *in);
    in->left = bits & 1;
    in->right = bits & 2;
    in->high_jump = bits & 4;
    in->long_jump = bits & 8;
    return 1;
}

void GHOST_start(Ghost *ghost, const Level *lv, int room, const char *keys, int frames) {
    PARTIDA_reset(&ghost->g, &ghost->fx);
    ghost->g.sound_on = 0; // a ghost is never heard
    PARTIDA_place_pickups(&ghost->g, lv);
    PARTIDA_start_attempt(&ghost->g, &ghost->fx, lv, room);
    ghost->keys = keys;
    ghost->frames = keys ? frames : 0;
    ghost->room = room;
    ghost->running = ghost->frames > 0;
    ghost->finished_at = 0;
}

int GHOST_step(Ghost *ghost, const Level *lv) {
    if (!ghost->running) return 0;
    FrameInput in = {};
    int at = ghost->g.room_frames;
    int known = ATTACK_route_input(ghost->keys[at < ghost->frames ? at : 0], &in);
    if (at >= ghost->frames || !known) {
        ghost->running = false;
        return 0;
    }
    PARTIDA_frame(&ghost->g, &ghost->fx, lv, &in, nullptr, nullptr);
    if (ghost->g.room_done) {
        ghost->running = false;
        if (ghost->g.sublevel == ghost->room + 2) ghost->finished_at = ghost->g.room_frames;
    }
    return ghost->running;
}
