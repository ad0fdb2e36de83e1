// partida.cpp -- a new game, room start, the frame step and what it reports, the room sequence.
// SPDX-License-Identifier: MIT
#include <string.h>
#include "game/interno.h"
#include "platform/loga.h"

int PARTIDA_cell(const Step *s, int row, int col) {
    if (row < 0 || row >= ROOM_ROWS || col < 0 || col >= ROOM_COLS) return ATTR_SOLID;
    if (s->g->room < 0 || s->g->room >= ROOM_COUNT) return ATTR_SOLID;
    return s->lv->rooms[s->g->room].cells[row][col].attr;
}

// Adds a sound to the frame's list (it has room for every sound a frame can ask for).
static void add_sound(Step *s, int sfx, bool stop) {
    FrameEvents *out = s->out;
    if (!out || out->sound_count >= FRAME_SOUNDS) return;
    FrameSound *f = &out->sounds[out->sound_count++];
    f->sfx = (signed char)sfx;
    f->stop = stop;
    f->pan = (short)((s->g->player.x >> 8) + 8);
}

void PARTIDA_sound(Step *s, int sfx) {
    add_sound(s, sfx, false);
}

void PARTIDA_stop_sound(Step *s, int sfx) {
    add_sound(s, sfx, true);
}

int PARTIDA_random(Step *s) {
    return AZAR_next(&s->fx->azar);
}

void PARTIDA_reset(Partida *g, Efectos *fx) {
    memset(g, 0, sizeof *g);
    g->level = g->sublevel = 1;
    g->player.energy = 255;
    g->retries = 5;
    g->result = 1;
    g->sound_on = 1;
    PARTIDA_set_rules(g, false, false, 100);
    memset(fx, 0, sizeof *fx);
    AZAR_seed(&fx->azar, 1);
}

void PARTIDA_set_rules(Partida *g, bool no_damage, bool endless_retries, int speed) {
    PlayRules *r = &g->rules;
    r->no_damage = no_damage;
    r->endless_retries = endless_retries;
    r->speed = (short)(speed >= 1 && speed <= 100 ? speed : 100);
    r->assisted = no_damage || endless_retries || r->speed < 100;
}

void PARTIDA_place_pickups(Partida *g, const Level *lv) {
    LEVEL_convert_pickups(lv->levers, g->levers);
    LEVEL_convert_pickups(lv->energy_items, g->energy_items);
}

void PARTIDA_start_room(Partida *g, Efectos *fx, const Level *lv) {
    Step s = {g, fx, lv, nullptr};
    // A room number outside the level starts its first room rather than reading past the rooms.
    if (g->sublevel < 1 || g->sublevel > ROOM_COUNT) g->sublevel = 1;
    g->room = g->sublevel - 1;
    g->world = g->room / 5;
    if (g->world == 3) EFECTOS_drips_setup(&s);

    MOVILES_build(&s);
    EFECTOS_drops_setup(&s);

    const Room *r = &lv->rooms[g->room];
    Player *p = &g->player;
    p->x = r->start_col * 4096;
    p->y = r->start_row * 4096;
    p->facing = r->start_col > r->start_look_col ? 1 : 0;
    p->frame = p->falling = p->jumping = p->jump_step = p->fall_time = p->jump_kind = 0;
    g->room_done = 0;
    g->room_frames = 0;
    EFECTOS_slime_reset(&s);
}

void PARTIDA_frame(Partida *g, Efectos *fx, const Level *lv, const FrameInput *in, FrameEvents *out,
                   PartidaDraw draw) {
    static const FrameInput none = {};
    FrameEvents scratch;
    if (!in) in = &none;
    if (!out) out = &scratch;
    memset(out, 0, sizeof *out);
    Step s = {g, fx, lv, out};
    short was_done = g->room_done;
    out->room_start = g->room_frames == 0;
    g->room_frames++;

    fx->slime_drawn = false;
    g->flip_flop = 1 - g->flip_flop;
    if (in->leave) g->room_done = g->game_done = 1;
    if (g->world == 4 && g->flip_flop == 1) EFECTOS_slime_step(&s);

    JUGADOR_update(&s, in);
    MOVILES_move(&s);
    EFECTOS_drops_step(&s);
    if (draw) { // the particles only show: they move in the frames that are drawn
        EFECTOS_particles_step(&s);
        draw(g, fx, lv, out);
    }

    int x = g->player.x, y = g->player.y; // the hurting cell is where the player stood
    MOVILES_push_blocks(&s);
    CONTACTOS_check(&s, x, y);

    out->energy_out = g->player.energy <= 0;
    if (out->energy_out || in->close) {
        g->room_done = g->game_done = 1;
        g->result = 1;
    }
    out->left = in->leave || in->close;
    out->room_ended = !was_done && g->room_done;
}

int PARTIDA_play_rooms(Partida *g, Efectos *fx, const Level *lv, const PartidaLoop *loop) {
    while (!g->game_done) {
        if (loop->playable) {
            if (g->sublevel < 1) g->sublevel = 1;
            while (g->sublevel <= ROOM_COUNT && !loop->playable(g->sublevel - 1))
                g->sublevel++;
            if (g->sublevel > ROOM_COUNT) {
                g->game_done = 1;
                break;
            }
        }
        PARTIDA_start_room(g, fx, lv);
        if (loop->card) loop->card();
        // The room start's log lines; the level checker starts rooms without them.
        loga("Creando enemigos y plataformas");
        loga("Creando sistemas de part\xED"
             "culas");
        loga("Comenzando el juego 2");
        while (!g->room_done) {
            FrameInput in = {};
            FrameEvents ev;
            if (loop->input) loop->input(&in);
            PARTIDA_frame(g, fx, lv, &in, &ev, loop->draw);
            if (loop->present) loop->present(&ev);
            if (loop->pace) loop->pace();
            if (loop->confirm_retry && loop->confirm_retry()) {
                if (!g->rules.endless_retries) g->retries -= 1;
                g->room_done = 1;
            }
        }
        // The sixth confirmed retry ends the game instead of restarting the room.
        if (g->retries < 0) {
            g->result = 1;
            g->game_done = 1;
        }
        if (g->sublevel > ROOM_COUNT) g->game_done = 1;
    }
    return g->result;
}

int PARTIDA_lost(const Partida *g) {
    return g->game_done && (g->player.energy <= 0 || g->retries < 0);
}
