// replay_test.cpp -- room attempts recorded, kept, read back and played again; changed keys,
// another level and hostile files found.
// SPDX-License-Identifier: MIT
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
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

// The file with its body changed by edit (body, offset of the frame count), written again whole.
template <typename F> std::string with_body(const std::string &file, F edit) {
    size_t n = (unsigned char)file[8] | (unsigned char)file[9] << 8 | (unsigned char)file[10] << 16;
    std::string body(n, '\0');
    ZSTD_decompress(&body[0], n, file.data() + 12, file.size() - 20); // header, check at the end
    size_t at = 1 + (unsigned char)body[0] + 8 + 32;                  // version, time, hash
    at += 1 + (unsigned char)body[at];                                // level name
    at += 1 + (unsigned char)body[at] + 2;                            // file name, room, ending
    edit(&body, at);
    std::string out = file.substr(0, 8) + le32s({(int)body.size()});
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

// Every room of both levels: the checker's route recorded with no allocation, written in well
// under a kilobyte, read back and verified; changed keys are found at their digest; a replay of
// level 1 is refused by level 2.
TEST(Replays, CheckersRoutesVerifyAndAChangedKeyIsFoundAtItsFrame) {
    auto r = std::make_unique<Replay>(), back = std::make_unique<Replay>();
    std::string why, level1_file;
    unsigned char level1_sha[32] = {};
    for (const char *level : {"velba1", "velba2"}) {
        SCOPED_TRACE(level);
        ReplayLevelId id;
        std::vector<Solution> routes;
        ASSERT_TRUE(load_shipped_routes(level, &routes, &why, &id)) << why;
        EXPECT_EQ(routes.size(), (size_t)ROOM_COUNT);
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
            EXPECT_EQ(REPLAY_verify(back.get(), &play_level, id.sha256).result, REPLAY_OK);
            // Escape half-way ends the room early: found at that frame. Level 1's room 1 walks,
            // then right from frame 58 to 90: a jump for the first step is found at the first
            // digest, a step left in frame 71 at the next.
            const bool room1 = std::string(level) == "velba1" && s.number == 1;
            const struct {
                int at, keys, found;
            } changes[] = {{r->frames / 2, REPLAY_KEY_LEAVE, r->frames / 2 + 1},
                           {0, REPLAY_KEY_LONG_JUMP | REPLAY_KEY_HIGH_JUMP, 60},
                           {70, REPLAY_KEY_LEFT | REPLAY_KEY_RIGHT, 120}};
            for (int c = 0; c < (room1 ? 3 : 1); c++) {
                back->keys[changes[c].at] ^= changes[c].keys;
                v = REPLAY_verify(back.get(), &play_level, id.sha256);
                EXPECT_EQ(v.result, REPLAY_DESYNC);
                EXPECT_EQ(v.frame, changes[c].found)
                    << "keys changed in frame " << changes[c].at + 1;
                back->keys[changes[c].at] ^= changes[c].keys;
            }
            if (room1) level1_file = file, memcpy(level1_sha, id.sha256, 32);
        }
        EXPECT_LT(largest, 1024u) << "a checker's route takes a kilobyte or more";
        if (std::string(level) == "velba2") {
            ASSERT_TRUE(decode(level1_file, back.get(), &why)) << why;
            EXPECT_EQ(REPLAY_verify(back.get(), &play_level, id.sha256).result, REPLAY_OTHER_LEVEL);
            EXPECT_STREQ(back->level.file, "velba1.vb3");
            // Forced onto level 2 with level 1's hash, it does not play the same.
            EXPECT_EQ(REPLAY_verify(back.get(), &play_level, level1_sha).result, REPLAY_DESYNC);
        }
        vbtest_unload_level();
    }
}

// Hostile files: every byte changed, every truncation, a field out of range or unknown, a broken
// random generator: each refused with its reason. The best's ghost is read back only when it is a
// lever finish of its room, made for that very level file, that plays back the same; none yet is
// no fault, any other file says which it is and why.
TEST(Replays, DamagedFilesAndOtherGhostsAreRefusedWithTheirReason) {
    auto r = std::make_unique<Replay>(), back = std::make_unique<Replay>();
    ReplayLevelId id, other;
    std::vector<Solution> routes;
    std::string why;
    ASSERT_TRUE(load_shipped_routes("velba1", &routes, &why, &id)) << why;
    ASSERT_TRUE(SOLUTIONS_record(routes[0], id, r.get()));
    const std::string file = replay_bytes(*r);
    ASSERT_FALSE(file.empty());
    const int frames = r->frames;
    ASSERT_EQ(r->start.particle_count, 0); // no particles before the frame keys
    for (size_t i = 0; i < file.size(); i++) {
        std::string bad = file;
        bad[i] ^= 0x10;
        EXPECT_FALSE(decode(bad, back.get(), &why)) << "byte " << i << " changed";
        EXPECT_TRUE(i < 12 || why == "checksum does not match (changed or truncated)") << why;
        EXPECT_FALSE(decode(file.substr(0, i), back.get(), &why)) << "cut at " << i;
        EXPECT_FALSE(why.empty());
    }
    EXPECT_FALSE(decode(file + "x", back.get(), &why));
    EXPECT_EQ(why, "checksum does not match (changed or truncated)");
    EXPECT_FALSE(decode(file.substr(0, 4) + '\2' + file.substr(5), back.get(), &why));
    EXPECT_EQ(why, "replay format 2 is from a newer game");

    auto patched = [&](size_t at_from_frames, std::string bytes) {
        return with_body(file, [&](std::string *body, size_t frames_at) {
            body->replace(frames_at + at_from_frames, bytes.size(), bytes);
        });
    };
    EXPECT_FALSE(decode(patched(0, le32s({90000})), back.get(), &why));
    EXPECT_EQ(why, "frame count 90000 is over 36000");
    EXPECT_FALSE(decode(patched(0, le32s({0})), back.get(), &why));
    EXPECT_EQ(why, "frame count 0 is outside 1..36000");
    // After the frame count and the energy: the field count, then "level" (5 letters) = 1.
    EXPECT_TRUE(decode(patched(10, "level"), back.get(), &why)) << why;
    EXPECT_FALSE(decode(patched(10, "lever"), back.get(), &why));
    EXPECT_EQ(why, "unknown field \"lever\" (made by a newer game?)");
    EXPECT_FALSE(decode(patched(15, le32s({1000})), back.get(), &why));
    EXPECT_EQ(why, "level 1000 is outside 1..99");
    // The generator's taps sit before the particle count (2 bytes) at the body's end.
    std::string taps = with_body(file, [&](std::string *body, size_t) {
        (*body)[body->size() - frames - 4 * REPLAY_digest_count(frames) - 4] = 40;
    });
    EXPECT_FALSE(decode(taps, back.get(), &why));
    EXPECT_EQ(why, "random generator tap 40 is outside 0..30");
    auto bell = [](std::string *body, size_t) { (*body)[1] = 7; };
    EXPECT_FALSE(decode(with_body(file, bell), back.get(), &why));
    EXPECT_EQ(why, "the game's version holds a control byte");

    PATHS_set_user_dir(".");
    char fault[600], folder[128];
    auto refused = [&](const ReplayLevelId *level, int room, const char *reason) {
        EXPECT_FALSE(REPLAY_load_best(level, &play_level, room, back.get(), fault, sizeof fault));
        EXPECT_NE(std::string(fault).find(reason), std::string::npos) << fault;
    };
    refused(&id, 1, "");
    EXPECT_STREQ(fault, "") << "no best yet is no fault";
    ASSERT_TRUE(REPLAY_keep(r.get()));
    ASSERT_TRUE(REPLAY_load_best(&id, &play_level, 1, back.get(), fault, sizeof fault)) << fault;
    EXPECT_EQ(back->frames, r->frames);
    REPLAY_level_folder(&id, folder, sizeof folder);
    const std::string best = std::string(folder) + "/room01-best.vbr";
    vbtest_write(std::string(folder) + "/room02-best.vbr", vbtest_read(best));
    refused(&id, 2, "room02-best.vbr: it is not a finish of room 2");
    other = id; // the same folder: the hash differs past its name's part
    other.sha256[31] ^= 1;
    refused(&other, 1, "room01-best.vbr: it was made for another level");
    r->keys[r->frames / 2] |= REPLAY_KEY_LEAVE;
    vbtest_write(best, replay_bytes(*r));
    refused(&id, 1, "it does not play back the same (frame");
    vbtest_write(best, "VBRP");
    refused(&id, 1, "room01-best.vbr: ");
    vbtest_unload_level();
}

class ReplayStore : public ScratchDir {};

// Attempts are kept per level and room: the latest 20 and the fastest lever; a folder that cannot
// be written costs the replay with a log line, nothing else.
TEST_F(ReplayStore, KeepsTheLatestTwentyAndTheBestAndOnlyLogsWhatCannotBeWritten) {
    auto r = std::make_unique<Replay>();
    PARTIDA_reset(&g, &fx);
    g.sublevel = 7;
    ReplayLevelId id = {};
    strcpy(id.file, "my level.vb3");
    id.sha256[0] = 0xab;
    FrameInput in = {};
    FrameEvents ev = {};
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
    const std::string folder = "replays/my_level-ab0000000000/";
    EXPECT_TRUE(attempt(90, true, 1796650000));
    EXPECT_TRUE(attempt(50, true, 1796650000)); // the same second: a file of its own
    EXPECT_TRUE(attempt(70, true, 1796650001)); // slower: the best stays
    for (int i = 0; i < 20; i++)
        EXPECT_TRUE(attempt(10, false, 1796660000 + i)); // retries are never the best
    char why[200];
    ASSERT_TRUE(REPLAY_load((folder + "room07-best.vbr").c_str(), r.get(), why, sizeof why)) << why;
    EXPECT_EQ(r->frames, 50);
    EXPECT_EQ(vbtest_read(folder + "room07-20261207-132640-0.vbr"), "") << "the oldest is kept";
    EXPECT_EQ(vbtest_read("log.txt").find("replay not kept"), std::string::npos);
    EXPECT_NE(vbtest_read(folder + "room07-20261207-161320-0.vbr"), "");
    // Listed for REPLAYS: the level, its room; the best first, then the newest; a damaged file too.
    vbtest_write(folder + "room07-20261207-170000-0.vbr", "VBRP");
    static ReplayShelf shelves[2];
    ASSERT_EQ(REPLAY_list_levels(shelves, 2), 1);
    EXPECT_EQ(std::string(shelves[0].level.file), "my level.vb3");
    EXPECT_EQ(shelves[0].rooms, 1u << 6);
    static ReplayListed listed[REPLAY_ROOM_LIST_MAX];
    ASSERT_EQ(REPLAY_list_room(&shelves[0], 7, listed, REPLAY_ROOM_LIST_MAX), 21);
    EXPECT_TRUE(listed[0].best && listed[0].frames == 50 && listed[0].ending == REPLAY_LEVER);
    EXPECT_TRUE(listed[1].damaged && !listed[1].best);
    EXPECT_TRUE(listed[2].recorded == 1796660019 && listed[2].ending == REPLAY_RETRY);
    unlink((folder + "room07-20261207-170000-0.vbr").c_str());
    // Its level is found by name and SHA-256: another version of it, or none, is refused.
    const char *dirs[] = {"maps", "."};
    char path[300];
    const ReplayLevelId kept = id;
    vbtest_write("my level.vb3", "abc");
    EXPECT_EQ(REPLAY_find_level(&id, dirs, 2, path, sizeof path), REPLAY_LEVEL_CHANGED);
    REPLAY_sha256("abc", 3, id.sha256);
    EXPECT_EQ(REPLAY_find_level(&id, dirs, 2, path, sizeof path), REPLAY_LEVEL_FOUND);
    EXPECT_EQ(std::string(path), "./my level.vb3");
    strcpy(id.file, "../my level.vb3");
    EXPECT_EQ(REPLAY_find_level(&id, dirs, 2, path, sizeof path), REPLAY_LEVEL_MISSING);
    id = kept;
    // A read-only folder: the attempt is lost, the log says so, the kept files stay.
    chmod(folder.c_str(), 0500);
    if (access(folder.c_str(), W_OK) != 0) { // not when the tests run as root
        EXPECT_FALSE(attempt(5, true, 1796670000));
        EXPECT_NE(vbtest_read("log.txt").find("replay not kept: cannot write"), std::string::npos);
        EXPECT_TRUE(REPLAY_load((folder + "room07-best.vbr").c_str(), r.get(), why, sizeof why));
        EXPECT_EQ(r->frames, 50);
    }
    chmod(folder.c_str(), 0700);
    // Another level whose folder's name is taken by a file (as root, too): only logged.
    id.sha256[0] = 0xcd;
    vbtest_write("replays/my_level-cd0000000000", "");
    EXPECT_FALSE(attempt(5, true, 1796670000));
    EXPECT_NE(vbtest_read("log.txt").find("replay not kept: cannot make"), std::string::npos);
}

// A level is known by the standard SHA-256 of its file and its name made printable; a replay puts
// back what the room's first frame found: the pickups taken before, the effects' random numbers
// and dust. A start that differs is a desync at frame 0. An attempt is recorded to its end
// whatever it is: a retry after some frames, or one too long to keep (counted, never written);
// digests fall every 60 frames and after the last.
TEST_F(ReplayStore, LevelIdentityTheRoomsStartAndEveryEndingAreRecorded) {
    static Level lv;
    sound_level(&lv);
    memset(lv.header.name, 'x', sizeof lv.header.name);
    lv.header.name[0] = 7;
    vbtest_write("abc.vb3", "abc");
    ReplayLevelId id;
    char why[200];
    ASSERT_TRUE(REPLAY_level_id("abc.vb3", &lv, &id, why, sizeof why)) << why;
    const unsigned char sha_abc[4] = {0xba, 0x78, 0x16, 0xbf};
    EXPECT_EQ(memcmp(id.sha256, sha_abc, 4), 0);
    EXPECT_EQ(std::string(id.name), "?" + std::string(REPLAY_NAME_MAX - 1, 'x'));
    EXPECT_EQ(std::string(id.file), "abc.vb3");

    PARTIDA_reset(&g, &fx);
    PARTIDA_place_pickups(&g, &lv);
    g.energy_items[3].active = 0;
    g.sublevel = 7;
    PARTIDA_start_room(&g, &fx, &lv);
    for (int i = 0; i < 5; i++)
        AZAR_next(&fx.azar);
    const Particle dust = {1000, 2000, -30, -400, 12, 1};
    fx.mvl[FIRST_DUST] = fx.mvl[FIRST_DUST + 7] = dust;
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
    for (int slot : {(int)FIRST_DUST, FIRST_DUST + 7})
        EXPECT_EQ(memcmp(&p.fx.mvl[slot], &dust, sizeof dust), 0) << "dust in slot " << slot;
    EXPECT_EQ(memcmp(&p.fx.azar, &at_start, sizeof at_start), 0) << "other random numbers";
    r->digests[0] ^= 1;
    ReplayVerdict v = REPLAY_verify(r.get(), &lv, id.sha256);
    EXPECT_TRUE(v.result == REPLAY_DESYNC && v.frame == 0);

    EXPECT_EQ(REPLAY_digest_count(1), 2);
    EXPECT_EQ(REPLAY_digest_count(60), 2);
    EXPECT_EQ(REPLAY_digest_count(61), 3);
    EXPECT_EQ(REPLAY_digest_frame(1, 61), 60);
    EXPECT_EQ(REPLAY_digest_frame(2, 61), 61);
    PARTIDA_reset(&g, &fx);
    REPLAY_record_start(r.get(), &g, &fx, &id, 0);
    ev = {};
    for (int i = 0; i < REPLAY_MAX_FRAMES + 5; i++)
        EXPECT_EQ(REPLAY_record_frame(r.get(), &in, &g, &ev), 0);
    REPLAY_record_retry(r.get(), &g);
    EXPECT_EQ(r->ending, REPLAY_RETRY);
    EXPECT_EQ(r->frames, REPLAY_MAX_FRAMES + 5);
    EXPECT_TRUE(r->too_long);
    EXPECT_EQ(replay_bytes(*r), "") << "an attempt too long to keep was written";
    in.close = ev.room_ended = true;
    REPLAY_record_start(r.get(), &g, &fx, &id, 0);
    EXPECT_EQ(REPLAY_record_frame(r.get(), &in, &g, &ev), 1);
    EXPECT_EQ(r->ending, REPLAY_CLOSED);
    EXPECT_FALSE(replay_bytes(*r).empty());
}
