// playback.cpp -- a replay played again: its room started as the attempt found it, its frames
// stepped with its keys, every digest and the ending compared. Nothing here allocates.
// SPDX-License-Identifier: MIT
#include <string.h>
#include "replay/replay_fields.h"

void REPLAY_player_start(ReplayPlayer *p, const Replay *r, const Level *lv) {
    const ReplayStart *s = &r->start;
    Partida *g = &p->g;
    p->r = r;
    p->frame = 0;
    p->next_digest = 1;
    p->desync_frame = -1;
    PARTIDA_reset(g, &p->fx);
    PARTIDA_place_pickups(g, lv);
    for (int i = 0; i < s->field_count; i++)
        REPLAY_field_set(g, s->field_index[i], s->field_value[i]);
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        g->levers[i].active = (short)(s->levers_active >> i & 1);
        g->energy_items[i].active = (short)(s->items_active >> i & 1);
    }
    g->sublevel = r->room;
    PARTIDA_start_room(g, &p->fx, lv);
    // The effects as the first frame found them: what the room's start drew for the drips, and
    // the dust the room before left.
    p->fx.azar = s->azar;
    memset(p->fx.mvl, 0, sizeof p->fx.mvl);
    for (int i = 0; i < s->particle_count; i++)
        p->fx.mvl[s->particles[i].slot] = s->particles[i].p;
    if (REPLAY_digest(g) != r->digests[0]) p->desync_frame = 0;
}

// Does the frame just played agree with the replay: no early end, the right ending on the last,
// the digest where one was taken?
static bool agrees(const ReplayPlayer *p, const FrameInput *in, const FrameEvents *ev) {
    const Replay *r = p->r;
    int ending = REPLAY_ending_of(in, ev);
    if (p->frame < r->frames && ending != REPLAY_UNFINISHED) return false;
    if (p->frame == r->frames) {
        int expected = r->ending == REPLAY_RETRY ? REPLAY_UNFINISHED : r->ending;
        if (ending != expected) return false;
    }
    if (REPLAY_digest_frame(p->next_digest, r->frames) != p->frame) return true;
    return REPLAY_digest(&p->g) == r->digests[p->next_digest];
}

int REPLAY_player_step(ReplayPlayer *p, const Level *lv, PartidaDraw draw, FrameEvents *ev) {
    const Replay *r = p->r;
    if (p->frame >= r->frames || p->frame >= REPLAY_MAX_FRAMES) return 0;
    FrameEvents local;
    if (!ev) ev = &local;
    FrameInput in = REPLAY_input_of(r->keys[p->frame]);
    PARTIDA_frame(&p->g, &p->fx, lv, &in, ev, draw);
    p->frame++;
    if (p->desync_frame < 0 && !agrees(p, &in, ev)) p->desync_frame = p->frame;
    if (REPLAY_digest_frame(p->next_digest, r->frames) == p->frame) p->next_digest++;
    return 1;
}

ReplayVerdict REPLAY_verify(const Replay *r, const Level *lv,
                            const unsigned char level_sha256[32]) {
    ReplayVerdict v = {REPLAY_OTHER_LEVEL, 0};
    if (memcmp(r->level.sha256, level_sha256, 32) != 0) return v;
    ReplayPlayer p;
    REPLAY_player_start(&p, r, lv);
    while (p.desync_frame < 0 && REPLAY_player_step(&p, lv, nullptr, nullptr)) {
    }
    v.result = p.desync_frame < 0 ? REPLAY_OK : REPLAY_DESYNC;
    v.frame = p.desync_frame < 0 ? 0 : p.desync_frame;
    return v;
}
