// proof_test.cpp -- a level's proofs: the bonus level's routes kept as its proofs and checked;
// the first failing room named; damaged proof files refused with their reason.
// SPDX-License-Identifier: MIT
#include <stdlib.h>
#include <string.h>
#include <functional>
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
    ASSERT_EQ(routes.size(), (size_t)ROOM_COUNT);
    auto r = std::make_unique<Replay>();
    std::vector<std::string> replays;
    for (const Solution &s : routes) {
        ASSERT_TRUE(SOLUTIONS_record(s, id, r.get())) << "room " << s.number;
        replays.push_back(replay_bytes(*r));
    }
    memset(r->keys, REPLAY_KEY_LEFT, (size_t)r->frames); // room 25's proof, walking left
    std::string walks_left = replay_bytes(*r);
    std::vector<ProofRoom> good;
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
    LevelEntry nothing = e;
    nothing.rooms = 0;
    PROOF_check_entry(&nothing, &play_level);
    EXPECT_EQ(nothing.proof, PROOF_NONE) << "a level with no room to play proves nothing";

    // Each case changes the proofs, or the file made of them.
    using Rooms = std::vector<ProofRoom>;
    auto none = [](std::string *) {};
    struct Case {
        const char *what;
        std::function<void(Rooms *)> rooms;
        std::function<void(std::string *)> file;
        int room;
        const char *why;
    } cases[] = {
        {"room 9 left out", [](Rooms *p) { p->erase(p->begin() + 8); }, none, 9, "no proof"},
        {"room 4's proof as room 5's", [&](Rooms *p) { (*p)[4] = proof(5, replays[3]); }, none, 5,
         "its proof is of another room"},
        {"a proof that walks away", [&](Rooms *p) { (*p)[24] = proof(25, walks_left); }, none, 25,
         "proof fails: no lever in its"},
        {"a file cut short", [](Rooms *) {}, [](std::string *f) { f->pop_back(); }, 1,
         "room 25's proof is truncated"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Rooms p = good;
        c.rooms(&p);
        std::string file = proof_file(p);
        c.file(&file);
        vbtest_write("velba2.proof", file);
        PROOF_check_entry(&e, &play_level);
        EXPECT_EQ(e.proof, PROOF_FAILS);
        EXPECT_EQ(e.proof_room, c.room);
        EXPECT_EQ(std::string(e.why).substr(0, strlen(c.why)), c.why);
    }
    vbtest_unload_level();
}

// Every field of a proof file is checked: the reason names what is wrong.
TEST(Proofs, DamagedFilesAreRefusedWithTheirReason) {
    std::string replay = "replay bytes";
    std::vector<ProofRoom> two = {proof(3, replay), proof(7, replay)};
    std::string file = proof_file(two);
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
        {file.substr(0, 12), "not a proof file"},
        {"VBPROOX" + file.substr(7), "not a proof file"},
        {field(8, 2), "proof format 2, this game reads 1"},
        {field(12, 26), "26 rooms of proofs, a level has 25"},
        {field(16, 0), "proof of room 0: no such room, or twice"},
        {field(16 + 12 + (int)replay.size(), 3), "proof of room 3: no such room, or twice"},
        {field(20, 0), "room 3's par of 0 frames is out of range"},
        {field(24, 1 << 20), "room 3's proof is truncated"},
        {file + "x", "proof file has trailing bytes"},
    };
    for (const auto &b : bad) {
        SCOPED_TRACE(b.why);
        why[0] = 0;
        EXPECT_FALSE(PROOF_decode((const unsigned char *)b.bytes.data(), b.bytes.size(), rooms, &n,
                                  why, sizeof why));
        EXPECT_STREQ(why, b.why);
    }
    // Nothing out of range is written either.
    EXPECT_EQ(proof_file({proof(3, replay), proof(3, replay)}), "");
    EXPECT_EQ(proof_file({proof(26, replay)}), "");
    char path[64];
    PROOF_path("levels/a.vb3", path, sizeof path);
    EXPECT_STREQ(path, "levels/a.proof");
}
