// record.cpp -- recording a room attempt as it is played: what its first frame found, the keys of
// every frame, digests of the play state, how it ended. Nothing here allocates.
// SPDX-License-Identifier: MIT
#include <stddef.h>
#include <string.h>
#include "replay/replay_fields.h"

#ifndef VB_VERSION
#error "VB_VERSION (the project's version) must be defined for the replay's files"
#endif

const char *REPLAY_game_version(void) {
    return VB_VERSION;
}

int REPLAY_digest_count(int frames) {
    return frames < 1 ? 1 : (frames - 1) / REPLAY_DIGEST_EVERY + 2;
}

int REPLAY_digest_frame(int i, int frames) {
    return i == REPLAY_digest_count(frames) - 1 ? frames : i * REPLAY_DIGEST_EVERY;
}

int REPLAY_keys_of(const FrameInput *in) {
    return (in->left ? REPLAY_KEY_LEFT : 0) | (in->right ? REPLAY_KEY_RIGHT : 0) |
           (in->high_jump ? REPLAY_KEY_HIGH_JUMP : 0) | (in->long_jump ? REPLAY_KEY_LONG_JUMP : 0) |
           (in->leave ? REPLAY_KEY_LEAVE : 0) | (in->close ? REPLAY_KEY_CLOSE : 0);
}

FrameInput REPLAY_input_of(int keys) {
    FrameInput in = {};
    in.left = keys & REPLAY_KEY_LEFT;
    in.right = keys & REPLAY_KEY_RIGHT;
    in.high_jump = keys & REPLAY_KEY_HIGH_JUMP;
    in.long_jump = keys & REPLAY_KEY_LONG_JUMP;
    in.leave = keys & REPLAY_KEY_LEAVE;
    in.close = keys & REPLAY_KEY_CLOSE;
    return in;
}

const char *REPLAY_ending_name(int ending) {
    static const char *const names[REPLAY_ENDINGS] = {"lever", "retry", "energy out", "left",
                                                      "closed"};
    return ending >= 0 && ending < REPLAY_ENDINGS ? names[ending] : "unfinished";
}

int REPLAY_ending_of(const FrameInput *in, const FrameEvents *ev) {
    if (!ev->room_ended) return REPLAY_UNFINISHED;
    if (in->close) return REPLAY_CLOSED;
    if (in->leave) return REPLAY_LEFT;
    if (ev->energy_out) return REPLAY_ENERGY_OUT;
    return REPLAY_LEVER;
}

// FNV-1a over the values, 64 bits folded to 32.
static uint64_t mix(uint64_t h, int64_t v) {
    for (int i = 0; i < 8; i++) {
        h ^= (uint64_t)v >> (8 * i) & 0xff;
        h *= 0x100000001b3ULL;
    }
    return h;
}

static uint64_t mix_mover(uint64_t h, const Mover &m) {
    const short v[] = {m.x, m.y, m.dx, m.dy, m.kind, m.frame, m.x1, m.y1, m.x2, m.y2};
    for (short x : v)
        h = mix(h, x);
    return h;
}

static uint64_t mix_pickup(uint64_t h, const Pickup &p) {
    return mix(mix(mix(mix(h, p.room), p.active), p.tx), p.ty);
}

uint32_t REPLAY_digest(const Partida *g) {
    uint64_t h = 0xcbf29ce484222325ULL;
    for (int i = 0; i < REPLAY_field_count(); i++)
        h = mix(h, REPLAY_field_get(g, i));
    const Player &p = g->player;
    const int64_t player[] = {p.x,         p.y,         p.frame,     p.falling, p.jumping,
                              p.jump_step, p.fall_time, p.jump_kind, p.facing,  p.energy};
    for (int64_t v : player)
        h = mix(h, v);
    for (const Mover &m : g->enemies)
        h = mix_mover(h, m);
    for (const Mover &m : g->platforms)
        h = mix_mover(h, m);
    for (int i = 0; i < PICKUP_SLOTS; i++)
        h = mix_pickup(mix_pickup(h, g->levers[i]), g->energy_items[i]);
    const int64_t rest[] = {g->sublevel, g->room,       g->world,      g->room_done,  g->moco_x,
                            g->moco_y,   g->drop_count, g->drop_clock, g->room_frames};
    for (int64_t v : rest)
        h = mix(h, v);
    for (int i = 0; i < g->drop_count && i < DROP_SLOTS; i++) {
        const Drop &d = g->drops[i];
        const int64_t drop[] = {d.x, d.y, d.top, d.bottom, d.phase, d.state};
        for (int64_t v : drop)
            h = mix(h, v);
    }
    return (uint32_t)(h ^ h >> 32);
}

// Can the file hold the particle? Every particle of play can; one that cannot only shows and is
// left out.
static bool particle_fits(const Particle *p) {
    return p->x >= 0 && p->x <= 0xffff && p->y >= 0 && p->y <= 0xffff && p->vx >= INT16_MIN &&
           p->vx <= INT16_MAX && p->vy >= INT16_MIN && p->vy <= INT16_MAX && p->age >= 0 &&
           p->age <= 255 && p->state >= 0 && p->state <= 255;
}

// The particles a room's first frame finds: the drips of world 3 and the live dust.
static void keep_particles(ReplayStart *s, const Partida *g, const Efectos *fx) {
    s->particle_count = 0;
    for (int i = 0; i < PARTICLES; i++) {
        bool kept = i < DRIP_SLOTS ? g->world == 3 : fx->mvl[i].state != 0;
        if (!kept || !particle_fits(&fx->mvl[i])) continue;
        ReplayParticle *rp = &s->particles[s->particle_count++];
        rp->slot = i;
        rp->p = fx->mvl[i];
    }
}

void REPLAY_record_start(Replay *r, const Partida *g, const Efectos *fx, const ReplayLevelId *id,
                         int64_t when) {
    r->format = REPLAY_FORMAT;
    strncpy(r->game_version, REPLAY_game_version(), REPLAY_VERSION_MAX);
    r->game_version[REPLAY_VERSION_MAX] = 0;
    r->recorded = when;
    r->level = *id;
    r->room = g->sublevel;
    ReplayStart *s = &r->start;
    s->field_count = REPLAY_field_count();
    for (int i = 0; i < s->field_count; i++) {
        s->field_index[i] = (signed char)i;
        s->field_value[i] = REPLAY_field_get(g, i);
    }
    s->levers_active = s->items_active = 0;
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        if (g->levers[i].active) s->levers_active |= 1u << i;
        if (g->energy_items[i].active) s->items_active |= 1u << i;
    }
    s->azar = fx->azar;
    keep_particles(s, g, fx);
    r->ending = REPLAY_UNFINISHED;
    r->frames = 0;
    r->energy_left = g->player.energy;
    r->too_long = false;
    r->digests[0] = REPLAY_digest(g);
}

// The last digest, after the attempt's last frame.
static void finish(Replay *r, int ending, const Partida *g) {
    r->ending = ending;
    r->energy_left = g->player.energy;
    if (!r->too_long) r->digests[REPLAY_digest_count(r->frames) - 1] = REPLAY_digest(g);
}

int REPLAY_record_frame(Replay *r, const FrameInput *in, const Partida *g, const FrameEvents *ev) {
    if (r->ending != REPLAY_UNFINISHED) return 1;
    if (r->frames < REPLAY_MAX_FRAMES)
        r->keys[r->frames] = (unsigned char)REPLAY_keys_of(in);
    else
        r->too_long = true;
    if (r->frames < INT32_MAX) r->frames++;
    if (!r->too_long && r->frames % REPLAY_DIGEST_EVERY == 0)
        r->digests[r->frames / REPLAY_DIGEST_EVERY] = REPLAY_digest(g);
    int ending = REPLAY_ending_of(in, ev);
    if (ending == REPLAY_UNFINISHED) return 0;
    finish(r, ending, g);
    return 1;
}

void REPLAY_record_retry(Replay *r, const Partida *g) {
    if (r->ending == REPLAY_UNFINISHED && r->frames > 0) finish(r, REPLAY_RETRY, g);
}
