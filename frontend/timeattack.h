// timeattack.h -- the TIME ATTACK screens: the levels, a level's rooms, RECORDS, and what is drawn
// over play (the card before the first try, the result on the lever, a short note).
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include "level/par.h"
#include "level/records.h"
#include "level/userlevels.h"

// A level time attack offers: the file, its name, and whether it came with the game.
struct AttackLevel {
    char path[LEVEL_PATH_MAX];
    char name[LEVEL_NAME_MAX];
    bool shipped;
};

enum { ATTACK_BACK = -1, ATTACK_RECORDS = -2 };

// The list of levels with RECORDS below it, until Enter, Escape or the close button. *selected is
// the line chosen, kept by the caller. Returns the level chosen, ATTACK_RECORDS or ATTACK_BACK.
int FRONT_attack_levels(BITMAP *b, const AttackLevel *levels, int count, int *selected);
// A level's rooms in a grid of five by five: those not open (bit i of open clear) cannot be
// chosen; under the grid the chosen room's best and par. Returns the room index, or ATTACK_BACK.
int FRONT_attack_rooms(BITMAP *b, const char *name, unsigned open, const LevelRecord *rec,
                       const ParFile *par, int *selected);
// RECORDS: each room's best, par, attempts and deaths, and the sums of the rooms with both a best
// and a par, for one level at a time (left and right change the level, up and down scroll) until
// Escape. recs[i] may be null (nothing played yet), pars[i] null (no par).
void FRONT_records(BITMAP *b, const AttackLevel *levels, int count, const LevelRecord *const *recs,
                   const ParFile *const *pars, int *selected);
// Writes the records screen's line of one room: "NN  BEST    PAR  TRIES DIED".
void FRONT_record_line(int room, const RoomRecord *r, int par, char *out, size_t size);

// The card over the frame before the first try: the level, the room, best, par and the keys.
void FRONT_attack_card(BITMAP *frame, const char *name, int room, int best, int par);
// The result over the frame on the lever: the time, the best before it and the difference, the
// par and the difference, NEW BEST when it is one (an assisted try is never a best: it says so).
void FRONT_attack_result(BITMAP *frame, int time, int old_best, int par, int assisted);
// One line over the top of the room (a ghost's note: "NO ROUTE FOR THIS ROOM").
void FRONT_attack_note(BITMAP *frame, const char *text);
