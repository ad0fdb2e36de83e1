// fields.cpp -- the play state's fields a room start carries over from the game so far, by name:
// what PARTIDA_start_room leaves as it found it and the frame step reads. A rule added to the play
// state (an assist) is one more line of the table; a file without it gets the value of a new game.
// SPDX-License-Identifier: MIT
#include <string.h>
#include "replay/replay_fields.h"

namespace {

struct Field {
    const char *name;
    size_t offset;
    int size; // 1, 2 or 4 bytes, signed
    int min, max;
};

#define FIELD(name, member, min, max)                                                              \
    { name, offsetof(Partida, member), (int)sizeof(((Partida *)nullptr)->member), min, max }

const Field fields[] = {
    FIELD("level", level, 1, 99),
    FIELD("energy", player.energy, -32768, 32767),
    FIELD("retries", retries, -1000000, 1000000),
    FIELD("result", result, -1000000, 1000000),
    FIELD("game_done", game_done, 0, 1),
    FIELD("was_falling", was_falling, 0, 1),
    FIELD("dust_request", dust_request, 0, 1),
    FIELD("flip_flop", flip_flop, 0, 1),
    FIELD("slime_step", slime_step, 0, 7),
    FIELD("sound_on", sound_on, 0, 1),
    FIELD("no_damage", rules.no_damage, 0, 1),
    FIELD("endless_retries", rules.endless_retries, 0, 1),
    FIELD("speed", rules.speed, 1, 100),
    FIELD("assisted", rules.assisted, 0, 1),
};
enum { FIELD_COUNT = sizeof fields / sizeof fields[0] };
static_assert((int)FIELD_COUNT <= (int)REPLAY_MAX_FIELDS,
              "a replay holds every field of the table");

} // namespace

int REPLAY_field_count(void) {
    return FIELD_COUNT;
}

const char *REPLAY_field_name(int i) {
    return fields[i].name;
}

int REPLAY_field_min(int i) {
    return fields[i].min;
}

int REPLAY_field_max(int i) {
    return fields[i].max;
}

int REPLAY_field_find(const char *name, size_t n) {
    for (int i = 0; i < FIELD_COUNT; i++)
        if (strlen(fields[i].name) == n && memcmp(fields[i].name, name, n) == 0) return i;
    return -1;
}

int REPLAY_field_get(const Partida *g, int i) {
    const unsigned char *p = (const unsigned char *)g + fields[i].offset;
    if (fields[i].size == 1) {
        signed char v;
        memcpy(&v, p, 1);
        return v;
    }
    if (fields[i].size == 2) {
        short v;
        memcpy(&v, p, 2);
        return v;
    }
    int v;
    memcpy(&v, p, 4);
    return v;
}

void REPLAY_field_set(Partida *g, int i, int value) {
    unsigned char *p = (unsigned char *)g + fields[i].offset;
    if (fields[i].size == 1) {
        signed char v = (signed char)value;
        memcpy(p, &v, 1);
    } else if (fields[i].size == 2) {
        short v = (short)value;
        memcpy(p, &v, 2);
    } else {
        memcpy(p, &value, 4);
    }
}

const char *REPLAY_start_field_name(const Replay *r, int i) {
    return fields[r->start.field_index[i]].name;
}
