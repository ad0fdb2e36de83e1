// proof.cpp -- a level's proofs: the side file's bytes, and each room's replay played headless to
// see that it still reaches the lever.
// SPDX-License-Identifier: MIT
#include "replay/proof.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include "level/nivel.h"
#include "platform/fileio.h"
#include "platform/loga.h"
#include "util/bytes.h"

static const char MAGIC[8] = {'V', 'B', 'P', 'R', 'O', 'O', 'F', 0};
enum { HEAD = 16, ROOM_HEAD = 12 }; // the file's header; each room's, before its replay

void PROOF_path(const char *level_path, char *out, size_t size) {
    size_t n = strlen(level_path);
    if (n > 4 && strcmp(level_path + n - 4, ".vb3") == 0) n -= 4;
    snprintf(out, size, "%.*s.proof", (int)n, level_path);
}

int PROOF_encode(const ProofRoom *rooms, int n, unsigned char **data, size_t *size) {
    *data = nullptr;
    *size = 0;
    if (n < 0 || n > ROOM_COUNT) return 0;
    size_t total = HEAD;
    unsigned seen = 0;
    for (int i = 0; i < n; i++) {
        int room = rooms[i].room;
        if (room < 1 || room > ROOM_COUNT || (seen >> room & 1) || rooms[i].par < 1 ||
            rooms[i].par > REPLAY_MAX_FRAMES || rooms[i].size > REPLAY_FILE_MAX)
            return 0;
        seen |= 1u << room;
        total += ROOM_HEAD + rooms[i].size;
    }
    unsigned char *out = (unsigned char *)malloc(total), *at = out + HEAD;
    if (!out) return 0;
    memcpy(out, MAGIC, sizeof MAGIC);
    le32_put(out + 8, PROOF_FORMAT);
    le32_put(out + 12, (uint32_t)n);
    for (int i = 0; i < n; i++) {
        le32_put(at, (uint32_t)rooms[i].room);
        le32_put(at + 4, (uint32_t)rooms[i].par);
        le32_put(at + 8, (uint32_t)rooms[i].size);
        memcpy(at + ROOM_HEAD, rooms[i].replay, rooms[i].size);
        at += ROOM_HEAD + rooms[i].size;
    }
    *data = out;
    *size = total;
    return 1;
}

int PROOF_decode(const unsigned char *data, size_t size, ProofRoom rooms[ROOM_COUNT], int *n,
                 char *why, size_t why_size) {
    *n = 0;
    if (size < HEAD || memcmp(data, MAGIC, sizeof MAGIC) != 0) {
        snprintf(why, why_size, "not a proof file");
        return 0;
    }
    uint32_t format = le32_get(data + 8), count = le32_get(data + 12);
    if (format != PROOF_FORMAT) {
        snprintf(why, why_size, "proof format %u, this game reads %d", format, PROOF_FORMAT);
        return 0;
    }
    if (count > ROOM_COUNT) {
        snprintf(why, why_size, "%u rooms of proofs, a level has %d", count, ROOM_COUNT);
        return 0;
    }
    size_t at = HEAD;
    unsigned seen = 0;
    for (uint32_t i = 0; i < count; i++) {
        if (size - at < ROOM_HEAD) {
            snprintf(why, why_size, "proof file is truncated");
            return 0;
        }
        uint32_t room = le32_get(data + at), par = le32_get(data + at + 4),
                 bytes = le32_get(data + at + 8);
        if (room < 1 || room > ROOM_COUNT || (seen >> room & 1)) {
            snprintf(why, why_size, "proof of room %u: no such room, or twice", room);
            return 0;
        }
        if (par < 1 || par > REPLAY_MAX_FRAMES) {
            snprintf(why, why_size, "room %u's par of %u frames is out of range", room, par);
            return 0;
        }
        if (bytes > REPLAY_FILE_MAX || bytes > size - at - ROOM_HEAD) {
            snprintf(why, why_size, "room %u's proof is truncated", room);
            return 0;
        }
        seen |= 1u << room;
        rooms[i] = ProofRoom{(int)room, (int)par, data + at + ROOM_HEAD, bytes};
        at += ROOM_HEAD + bytes;
    }
    if (at != size) {
        snprintf(why, why_size, "proof file has trailing bytes");
        return 0;
    }
    *n = (int)count;
    return 1;
}

// The player of a proof: a play state and effects of its own, never the game's.
static ReplayPlayer player;

int PROOF_plays(const Replay *r, const Level *lv, char *why, size_t why_size) {
    REPLAY_player_start(&player, r, lv);
    FrameEvents ev;
    while (REPLAY_player_step(&player, lv, nullptr, &ev)) {
        if (!ev.room_ended) continue;
        if (ev.levers_touched && !ev.energy_out && !ev.left) return 1;
        snprintf(why, why_size, "%s at frame %d",
                 ev.energy_out ? "energy runs out" : "it leaves the room", player.frame);
        return 0;
    }
    snprintf(why, why_size, "no lever in its %d frames", player.frame);
    return 0;
}

// The replay being checked: too large for the stack.
static Replay proof_replay;

// Marks e as failing in room (a card number) for why.
static void fails(LevelEntry *e, int room, const char *why) {
    e->proof = PROOF_FAILS;
    e->proof_room = room;
    snprintf(e->why, sizeof e->why, "%s", why);
}

void PROOF_check_entry(LevelEntry *e, const Level *lv) {
    char path[LEVEL_PATH_MAX + 8], why[LEVEL_WHY_MAX];
    e->proof = PROOF_NONE;
    e->proof_room = 0;
    if (!e->rooms) return; // nothing to prove: no room can be played
    PROOF_path(e->path, path, sizeof path);
    FioData d;
    int res = FIO_read(path, PROOF_FILE_MAX, &d);
    if (res == FIO_MISSING) return;
    int first = 0; // the first room that can be played: a proof file that is refused names it
    while (first < ROOM_COUNT && !(e->rooms >> first & 1))
        first++;
    if (res != FIO_OK) {
        char buf[120];
        snprintf(why, sizeof why, "proof file %s",
                 FIO_why(res, &d, PROOF_FILE_MAX, buf, sizeof buf));
        fails(e, first + 1, why);
        return;
    }
    ProofRoom rooms[ROOM_COUNT];
    int n;
    if (!PROOF_decode(d.data, d.size, rooms, &n, why, sizeof why)) {
        fails(e, first + 1, why);
        free(d.data);
        return;
    }
    e->proof = PROOF_VERIFIED;
    for (int room = 0; room < ROOM_COUNT && e->proof == PROOF_VERIFIED; room++) {
        if (!(e->rooms >> room & 1)) continue;
        int i = 0;
        while (i < n && rooms[i].room != room + 1)
            i++;
        if (i == n) {
            fails(e, room + 1, "no proof");
        } else if (!REPLAY_decode(rooms[i].replay, rooms[i].size, &proof_replay, why, sizeof why)) {
            fails(e, room + 1, why);
        } else if (proof_replay.room != room + 1) {
            fails(e, room + 1, "its proof is of another room");
        } else if (!PROOF_plays(&proof_replay, lv, why, sizeof why)) {
            char line[LEVEL_WHY_MAX];
            snprintf(line, sizeof line, "proof fails: %.140s", why);
            fails(e, room + 1, line);
        }
    }
    free(d.data);
}

// The level read for its records; pictures are not read.
static Level proof_level;

void PROOF_check_list(LevelList *list) {
    struct timespec t0, t1;
    clock_gettime(CLOCK_MONOTONIC, &t0);
    int checked = 0;
    for (int i = 0; i < list->count; i++) {
        LevelEntry *e = &list->entries[i];
        if (e->damaged) continue;
        LevelLoad load;
        if (!LEVEL_load(e->path, MAP_RECORDS, &proof_level, &load)) {
            e->damaged = true; // changed on disk since the list read it
            LEVELS_reason(load.why, e->path, e->why, sizeof e->why);
            continue;
        }
        PROOF_check_entry(e, &proof_level);
        checked++;
    }
    clock_gettime(CLOCK_MONOTONIC, &t1);
    char line[120];
    snprintf(line, sizeof line, "level list: proofs of %d level%s checked in %.2f ms", checked,
             checked == 1 ? "" : "s",
             (t1.tv_sec - t0.tv_sec) * 1e3 + (t1.tv_nsec - t0.tv_nsec) / 1e6);
    loga(line);
}
