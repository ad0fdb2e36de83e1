// proof_test.cpp -- a level's proofs: the bonus level's routes kept as its proofs and checked;
// the first failing room named; damaged proof files refused with their reason.
// SPDX-License-Identifier: MIT
#include <stdlib.h>
#include <string.h>
#include <memory>
#include <string>
#include <vector>
#include "replay/proof.h"
#include "support/shipped.h"

namespace {

std::string proof_file(const std::vector<ProofRoom> &rooms) {
    unsigned char *data;
    size_t size;
    if (!PROOF_encode(rooms.data(), (int)rooms.size(), &data, &size)) return "";
    std::string s((const char *)data, size);
    free(data);
    return s;
}

ProofRoom proof(int room, const std::string &replay) {
    return ProofRoom{room, 100, (const unsigned char *)replay.data(), replay.size()};
}

} // namespace

TEST(Proofs, EveryRoomsRouteVerifiesAndTheFirstFailingRoomIsNamed) {
    std::string why;
    ReplayLevelId id;
    std::vector<Solution> routes;
    ASSERT_TRUE(load_shipped_routes("velba2", &routes, &why, &id)) << why;
    auto r = std::make_unique<Replay>();
    std::vector<std::string> replays;
    for (const Solution &s : routes) {
        ASSERT_TRUE(SOLUTIONS_record(s, id, r.get())) << "room " << s.number;
        replays.push_back(replay_bytes(*r));
    }
    using Rooms = std::vector<ProofRoom>;
    Rooms good;
    LevelEntry e = {};
    snprintf(e.path, sizeof e.path, "velba2.vb3");
    for (size_t i = 0; i < replays.size(); i++) {
        good.push_back(proof((int)i + 1, replays[i]));
        e.rooms |= 1u << i;
    }
    PROOF_check_entry(&e, &play_level);
    EXPECT_EQ(e.proof, PROOF_NONE) << "no proof file";

    vbtest_write("velba2.proof", proof_file(good));
    PROOF_check_entry(&e, &play_level);
    EXPECT_EQ(e.proof, PROOF_VERIFIED) << e.why;

    // The proofs changed, or the file made of them cut short by `cut` bytes.
    auto fails = [&](const Rooms &rooms, size_t cut, int room, const std::string &why) {
        SCOPED_TRACE(why);
        std::string file = proof_file(rooms);
        vbtest_write("velba2.proof", file.substr(0, file.size() - cut));
        PROOF_check_entry(&e, &play_level);
        EXPECT_EQ(e.proof, PROOF_FAILS);
        EXPECT_EQ(e.proof_room, room);
        EXPECT_EQ(std::string(e.why).substr(0, why.size()), why);
    };
    Rooms p = good;
    p.erase(p.begin() + 8);
    fails(p, 0, 9, "no proof");
    p = good;
    p[4] = proof(5, replays[3]); // room 4's proof as room 5's
    fails(p, 0, 5, "its proof is of another room");
    fails(good, 1, 1, "room 25's proof is truncated");
    vbtest_unload_level();
}

// Every field of a proof file is checked: the reason names what is wrong.
TEST(Proofs, DamagedFilesAreRefusedWithTheirReason) {
    std::string replay = "replay bytes";
    std::string file = proof_file({proof(3, replay), proof(7, replay)});
    ProofRoom rooms[ROOM_COUNT];
    int n;
    char why[160];
    ASSERT_TRUE(
        PROOF_decode((const unsigned char *)file.data(), file.size(), rooms, &n, why, sizeof why));
    ASSERT_EQ(n, 2);
    EXPECT_TRUE(rooms[1].room == 7 && rooms[1].par == 100);
    EXPECT_EQ(std::string((const char *)rooms[1].replay, rooms[1].size), replay);
    auto field = [&](size_t at, int v) {
        return file.substr(0, at) + le32s({v}) + file.substr(at + 4);
    };
    const struct {
        std::string bytes;
        const char *why;
    } bad[] = {
        {"VBPROOX" + file.substr(7), "not a proof file"},
        {field(8, 2), "proof format 2, this game reads 1"},
        {field(12, 26), "26 rooms of proofs, a level has 25"},
        {field(16 + 12 + (int)replay.size(), 3), "proof of room 3: no such room, or twice"},
        {field(20, 0), "room 3's par of 0 frames is out of range"},
        {field(24, 1 << 20), "room 3's proof is truncated"},
        {file + "x", "proof file has trailing bytes"},
    };
    for (const auto &b : bad) {
        SCOPED_TRACE(b.why);
        EXPECT_FALSE(PROOF_decode((const unsigned char *)b.bytes.data(), b.bytes.size(), rooms, &n,
                                  why, sizeof why));
        EXPECT_STREQ(why, b.why);
    }
    EXPECT_EQ(proof_file({proof(3, replay), proof(3, replay)}), "") << "a room twice was written";
}
