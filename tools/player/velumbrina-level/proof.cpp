// proof.cpp -- the proofs `build` puts beside a level: for every room the checker finished, its
// route played through the game's frame step and kept as a replay (or a replay of the author's,
// given with --proof), with the room's par; every one played again as the game will before it is
// kept.
// SPDX-License-Identifier: MIT
#include <cstdio>
#include <cstring>

#include "platform/fileio.h"
#include "replay/proof.h"
#include "tools/levellib/solutions.h"
#include "tools/player/velumbrina-level/maker.h"

namespace {

Replay made; // the replay being recorded or read: too large for the stack

// made's file bytes added to bytes, as the proof of room (a card number) with its par; false when
// the game does not play it to the lever.
bool keep(int room, int par, std::vector<std::vector<unsigned char>> *bytes,
          std::vector<ProofRoom> *rooms) {
    char why[160];
    if (!PROOF_plays(&made, &play_level, why, sizeof why)) {
        printf("room %d: no proof: the replay does not finish it (%s)\n", room, why);
        return false;
    }
    unsigned char *data;
    size_t size;
    if (!REPLAY_encode(&made, &data, &size)) return false;
    bytes->emplace_back(data, data + size);
    free(data);
    rooms->push_back(ProofRoom{room, par, nullptr, 0});
    return true;
}

} // namespace

int MAKER_write_proofs(const char *level, const std::vector<RoomCheck> &checks,
                       const std::vector<std::string> &authors, const char *out) {
    ReplayLevelId id;
    char why[200];
    if (!REPLAY_level_id(level, &play_level, &id, why, sizeof why)) {
        fprintf(stderr, "velumbrina-level: %s\n", why);
        return 0;
    }
    std::vector<std::vector<unsigned char>> bytes;
    std::vector<ProofRoom> rooms;
    for (const std::string &file : authors) { // the authors' replays first: they win
        if (!REPLAY_load(file.c_str(), &made, why, sizeof why)) {
            fprintf(stderr, "velumbrina-level: %s: %s\n", file.c_str(), why);
            return 0;
        }
        int par = made.frames;
        for (const RoomCheck &c : checks)
            if (c.number == made.room && c.reached && c.fastest < par) par = c.fastest;
        bool twice = false;
        for (const ProofRoom &r : rooms)
            twice |= r.room == made.room;
        if (twice || !keep(made.room, par, &bytes, &rooms)) {
            fprintf(stderr, "velumbrina-level: %s cannot be room %d's proof%s\n", file.c_str(),
                    made.room, twice ? ": another replay is" : "");
            return 0;
        }
        printf("room %d: proof: %s, %d frames\n", made.room, file.c_str(), made.frames);
    }
    for (const RoomCheck &c : checks) {
        bool given = false;
        for (const ProofRoom &r : rooms)
            given |= r.room == c.number;
        if (given || !c.reached) continue;
        if (!SOLUTIONS_record(Solution{c.number, c.keys}, id, &made))
            printf("room %d: no proof: the checker's route does not finish it\n", c.number);
        else
            keep(c.number, c.fastest, &bytes, &rooms);
    }
    for (size_t i = 0; i < rooms.size(); i++) {
        rooms[i].replay = bytes[i].data();
        rooms[i].size = bytes[i].size();
    }
    unsigned char *data;
    size_t size;
    if (!PROOF_encode(rooms.data(), (int)rooms.size(), &data, &size)) {
        fprintf(stderr, "velumbrina-level: out of memory for the proofs\n");
        return 0;
    }
    int err = FIO_replace(out, data, size, FIO_NEW_FILE);
    free(data);
    if (err) fprintf(stderr, "velumbrina-level: cannot write %s: %s\n", out, strerror(err));
    return !err;
}
