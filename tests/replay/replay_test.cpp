// replay_test.cpp -- room attempts recorded, kept, read back and played again; damaged files found.
// SPDX-License-Identifier: MIT
#include <string.h>
#include <sys/stat.h>
#include <zstd.h>
#include <memory>
#include <string>
#include <vector>
#include "platform/paths.h"
#include "replay/replay.h"
#include "replay/store.h"
#include "support/shipped.h"
#include "support/sound_level.h"

namespace {

bool decode(const std::string &bytes, Replay *r, std::string *why) {
    char msg[200];
    int ok = REPLAY_decode((const unsigned char *)bytes.data(), bytes.size(), r, msg, sizeof msg);
    *why = msg;
    return ok;
}

// The file with `from` in its body put as `to` (as long), written again whole with its checks.
std::string patched(const std::string &file, const std::string &from, const std::string &to) {
    size_t n = (unsigned char)file[8] | (unsigned char)file[9] << 8 | (unsigned char)file[10] << 16;
    std::string body(n, '\0');
    ZSTD_decompress(&body[0], n, file.data() + 12, file.size() - 20); // header, check at the end
    body.replace(body.find(from), from.size(), to);
    std::string out = file.substr(0, 12);
    ZSTD_CCtx *cx = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(cx, ZSTD_c_checksumFlag, 1);
    std::string z(ZSTD_compressBound(body.size()), '\0');
    z.resize(ZSTD_compress2(cx, &z[0], z.size(), body.data(), body.size()));
    ZSTD_freeCCtx(cx);
    unsigned char check[32];
    out += z;
    REPLAY_sha256(out.data(), out.size(), check);
    return out + std::string((const char *)check, 8);
}

Partida g; // the play state the attempts are recorded from
Efectos fx;

} // namespace

// Every room of both levels: the checker's route recorded and verified with no allocation, written
// in under a kilobyte and read back the same; a changed key is found at the next digest.
TEST(Replays, CheckersRoutesVerifyAndAChangedKeyIsFoundAtItsFrame) {
    auto r = std::make_unique<Replay>(), back = std::make_unique<Replay>();
    std::string why;
    for (const char *level : {"velba1", "velba2"}) {
        SCOPED_TRACE(level);
        ReplayLevelId id;
        std::vector<Solution> routes;
        ASSERT_TRUE(load_shipped_routes(level, &routes, &why, &id)) << why;
        size_t largest = 0;
        for (const Solution &s : routes) {
            SCOPED_TRACE("room " + std::to_string(s.number));
            vbtest_allocations = 0;
            vbtest_counting = vbtest_can_count;
            ASSERT_TRUE(SOLUTIONS_record(s, id, r.get()));
            ReplayVerdict v = REPLAY_verify(r.get(), &play_level, id.sha256);
            vbtest_counting = false;
            EXPECT_EQ(vbtest_allocations, 0) << "recording or verifying allocated";
            EXPECT_EQ(v.result, REPLAY_OK);
            std::string file = replay_bytes(*r);
            largest = std::max(largest, file.size());
            ASSERT_TRUE(decode(file, back.get(), &why)) << why;
            EXPECT_EQ(replay_bytes(*back), file) << "read back, it writes other bytes";
            if (std::string(level) == "velba1" && s.number == 1) { // walks until frame 58
                back->keys[0] ^= REPLAY_KEY_LONG_JUMP | REPLAY_KEY_HIGH_JUMP;
                v = REPLAY_verify(back.get(), &play_level, id.sha256);
                EXPECT_TRUE(v.result == REPLAY_DESYNC && v.frame == 60) << "a jump in frame 1";
            }
        }
        EXPECT_LT(largest, 1024u) << "a checker's route takes a kilobyte or more";
        vbtest_unload_level();
    }
}

// Hostile files are refused with their reason; the best's ghost is read back only when it is a
// lever finish of its room, made for that level file, that plays back the same. None is no fault.
TEST(Replays, DamagedFilesAndOtherGhostsAreRefusedWithTheirReason) {
    auto r = std::make_unique<Replay>(), back = std::make_unique<Replay>();
    ReplayLevelId id, other;
    std::vector<Solution> routes;
    std::string why;
    ASSERT_TRUE(load_shipped_routes("velba1", &routes, &why, &id)) << why;
    ASSERT_TRUE(SOLUTIONS_record(routes[0], id, r.get()));
    const std::string file = replay_bytes(*r);
    for (size_t i = 0; i < file.size(); i++) {
        std::string bad = file;
        bad[i] ^= 0x10;
        EXPECT_FALSE(decode(bad, back.get(), &why)) << "byte " << i << " changed";
        EXPECT_TRUE(i < 12 || why == "checksum does not match (changed or truncated)") << why;
        EXPECT_FALSE(decode(file.substr(0, i), back.get(), &why)) << "cut at " << i;
        EXPECT_FALSE(why.empty());
    }
    auto changed = [&](void (*change)(Replay *)) {
        auto copy = std::make_unique<Replay>(*r);
        change(copy.get());
        return replay_bytes(*copy);
    };
    const struct {
        std::string bytes, why;
    } bad[] = {
        {file.substr(0, 4) + '\2' + file.substr(5), "replay format 2 is from a newer game"},
        {patched(file, "\5level", "\5lever"), "unknown field \"lever\" (made by a newer game?)"},
        {changed([](Replay *c) { c->start.field_value[0] = 1000; }), "level 1000 is outside 1..99"},
        {changed([](Replay *c) { c->start.azar.front = 40; }),
         "random generator tap 40 is outside 0..30"},
        {changed([](Replay *c) { c->game_version[0] = 7; }),
         "the game's version holds a control byte"},
    };
    for (const auto &b : bad) {
        EXPECT_FALSE(decode(b.bytes, back.get(), &why));
        EXPECT_EQ(why, b.why);
    }

    PATHS_set_user_dir(".");
    char fault[600], folder[128];
    auto refused = [&](const ReplayLevelId *level, int room, const char *reason) {
        EXPECT_FALSE(REPLAY_load_best(level, &play_level, room, back.get(), fault, sizeof fault));
        EXPECT_NE(std::string(fault).find(reason), std::string::npos) << fault;
    };
    refused(&id, 1, "");
    EXPECT_STREQ(fault, "") << "no best yet is no fault";
    ASSERT_TRUE(REPLAY_keep(r.get()));
    REPLAY_level_folder(&id, folder, sizeof folder);
    const std::string best = std::string(folder) + "/room01-best.vbr";
    vbtest_write(std::string(folder) + "/room02-best.vbr", vbtest_read(best));
    refused(&id, 2, "room02-best.vbr: it is not a finish of room 2");
    other = id; // the same folder: the hash differs past its name's part
    other.sha256[31] ^= 1;
    refused(&other, 1, "room01-best.vbr: it was made for another level");
    r->keys[r->frames / 2] |= REPLAY_KEY_LEAVE; // Escape half-way ends the room at once
    vbtest_write(best, replay_bytes(*r));
    const std::string at = "(frame " + std::to_string(r->frames / 2 + 1) + ")";
    refused(&id, 1, ("it does not play back the same " + at).c_str());
    vbtest_write(best, "VBRP");
    refused(&id, 1, "room01-best.vbr: ");
    vbtest_unload_level();
}

class ReplayStore : public ScratchDir {};

// A level is found by its file's SHA-256 and name; a replay puts back the room's start (a start
// that differs is a desync at frame 0); the latest 20 and the best are kept, others only logged.
TEST_F(ReplayStore, AttemptsAreRecordedFromTheirStartKeptListedAndTheirLevelFound) {
    static Level lv;
    sound_level(&lv);
    memset(lv.header.name, 'x', sizeof lv.header.name);
    lv.header.name[0] = 7;
    vbtest_write("my level.vb3", "abc");
    ReplayLevelId id, moved;
    char why[200], path[300];
    ASSERT_TRUE(REPLAY_level_id("my level.vb3", &lv, &id, why, sizeof why)) << why;
    EXPECT_EQ(std::string(id.name), "?" + std::string(REPLAY_NAME_MAX - 1, 'x'));
    const char *dirs[] = {"maps", "."};
    EXPECT_EQ(REPLAY_find_level(&id, dirs, 2, path, sizeof path), REPLAY_LEVEL_FOUND);
    moved = id;
    strcpy(moved.file, "../my level.vb3");
    EXPECT_EQ(REPLAY_find_level(&moved, dirs, 2, path, sizeof path), REPLAY_LEVEL_MISSING);
    vbtest_write("my level.vb3", "abd");
    EXPECT_EQ(REPLAY_find_level(&id, dirs, 2, path, sizeof path), REPLAY_LEVEL_CHANGED);

    PARTIDA_reset(&g, &fx);
    PARTIDA_place_pickups(&g, &lv);
    g.energy_items[3].active = 0;
    g.sublevel = 7;
    PARTIDA_start_room(&g, &fx, &lv);
    for (int i = 0; i < 5; i++)
        AZAR_next(&fx.azar);
    const Particle dust = {1000, 2000, -30, -400, 12, 1};
    fx.mvl[FIRST_DUST + 7] = dust;
    const AzarState at_start = fx.azar;
    auto r = std::make_unique<Replay>();
    REPLAY_record_start(r.get(), &g, &fx, &id, 0);
    FrameInput in = {};
    FrameEvents ev;
    PARTIDA_frame(&g, &fx, &lv, &in, &ev, nullptr);
    REPLAY_record_frame(r.get(), &in, &g, &ev);
    REPLAY_record_retry(r.get(), &g);
    std::string err;
    ASSERT_TRUE(decode(replay_bytes(*r), r.get(), &err)) << err;
    static ReplayPlayer p;
    REPLAY_player_start(&p, r.get(), &lv);
    EXPECT_EQ(p.desync_frame, -1);
    EXPECT_TRUE(p.g.energy_items[3].active == 0 && p.g.energy_items[4].active == 1);
    EXPECT_EQ(memcmp(&p.fx.mvl[FIRST_DUST + 7], &dust, sizeof dust), 0) << "no dust";
    EXPECT_EQ(memcmp(&p.fx.azar, &at_start, sizeof at_start), 0) << "other random numbers";
    r->digests[0] ^= 1;
    ReplayVerdict v = REPLAY_verify(r.get(), &lv, id.sha256);
    EXPECT_TRUE(v.result == REPLAY_DESYNC && v.frame == 0);

    ev = {};
    auto attempt = [&](int frames, bool lever, int64_t when) {
        REPLAY_record_start(r.get(), &g, &fx, &id, when);
        for (int i = 1; i <= frames; i++) {
            ev.room_ended = lever && i == frames;
            REPLAY_record_frame(r.get(), &in, &g, &ev);
        }
        if (!lever) REPLAY_record_retry(r.get(), &g);
        return REPLAY_keep(r.get());
    };
    PATHS_set_user_dir(".");
    const std::string folder = "replays/my_level-ba7816bf8f01/";
    EXPECT_TRUE(attempt(90, true, 1796650000));
    EXPECT_TRUE(attempt(50, true, 1796650000)); // the same second: a file of its own
    EXPECT_TRUE(attempt(70, true, 1796650001)); // slower: the best stays
    for (int i = 0; i < 20; i++)
        EXPECT_TRUE(attempt(10, false, 1796660000 + i)); // retries are never the best
    EXPECT_EQ(vbtest_read(folder + "room07-20261207-132640-0.vbr"), "") << "the oldest is kept";
    // Listed for REPLAYS: the level, its room; the best first, then the newest; a damaged file too.
    vbtest_write(folder + "room07-20261207-170000-0.vbr", "VBRP");
    static ReplayShelf shelves[2];
    ASSERT_EQ(REPLAY_list_levels(shelves, 2), 1);
    static ReplayListed listed[REPLAY_ROOM_LIST_MAX];
    ASSERT_EQ(REPLAY_list_room(&shelves[0], 7, listed, REPLAY_ROOM_LIST_MAX), 21);
    EXPECT_TRUE(listed[0].best && listed[0].frames == 50 && listed[0].ending == REPLAY_LEVER);
    EXPECT_TRUE(listed[1].damaged && !listed[1].best);
    // Too long to keep: never written, only logged.
    EXPECT_FALSE(attempt(REPLAY_MAX_FRAMES + 5, false, 1796670000));
    EXPECT_NE(vbtest_read("log.txt").find("attempt is longer than 36000 frames"),
              std::string::npos);
    // A best or a level's folder that cannot be written (a folder, a file in the way): only logged.
    g.sublevel = 8;
    mkdir((folder + "room08-best.vbr").c_str(), 0700);
    EXPECT_TRUE(attempt(5, true, 1796670000));
    EXPECT_NE(vbtest_read("log.txt").find("best not kept: cannot write"), std::string::npos);
    id.sha256[0] = 0xcd;
    vbtest_write("replays/my_level-cd7816bf8f01", "");
    EXPECT_FALSE(attempt(5, true, 1796670000));
    EXPECT_NE(vbtest_read("log.txt").find("replay not kept: cannot make"), std::string::npos);
    in.close = ev.room_ended = true; // closing the window ends an attempt too
    REPLAY_record_start(r.get(), &g, &fx, &id, 0);
    EXPECT_EQ(REPLAY_record_frame(r.get(), &in, &g, &ev), 1);
    EXPECT_EQ(r->ending, REPLAY_CLOSED);
}
