// replay.h -- one room attempt kept as a record: recording it as play goes (no allocation, no
// disk), its file's bytes (docs/REPLAYS.md), and playing it again headless or drawn, as a check
// ("ok", "desync at frame N") or as a ghost copy of the play state.
//
// Use:  record  REPLAY_record_start at the room's first frame, REPLAY_record_frame after every
//               frame step, REPLAY_record_retry when the retry dialog ends the attempt;
//       files   REPLAY_encode / REPLAY_decode (every field checked), REPLAY_level_id for a level;
//       play    REPLAY_player_start then REPLAY_player_step until it returns 0 (a ghost, or
//               watching with a drawing hook); REPLAY_verify does the whole check.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include <stdint.h>
#include "game/partida.h"

enum {
    REPLAY_FORMAT = 1,         // the file format this game writes; bumped on every change
    REPLAY_MAX_FRAMES = 36000, // 20 minutes at 30 frames a second: longer attempts are not kept
    REPLAY_DIGEST_EVERY = 60,  // frames between digests of the play state
    REPLAY_MAX_DIGESTS = REPLAY_MAX_FRAMES / REPLAY_DIGEST_EVERY + 2,
    REPLAY_MAX_FIELDS = 32,       // named play-state fields a file may hold
    REPLAY_NAME_MAX = 63,         // bytes of a level's name or file name
    REPLAY_VERSION_MAX = 31,      // bytes of the game's version
    REPLAY_FILE_MAX = 256 * 1024, // bytes of a replay file read at most
};

// How an attempt ended.
enum ReplayEnding {
    REPLAY_LEVER,      // the room's lever was touched
    REPLAY_RETRY,      // the retry dialog restarted the room
    REPLAY_ENERGY_OUT, // the player's energy ran out
    REPLAY_LEFT,       // the player left the game (Escape)
    REPLAY_CLOSED,     // the window was closed
    REPLAY_ENDINGS,
    REPLAY_UNFINISHED = -1, // still being recorded
};

// The keys of one frame, one bit each: a frame's input is one byte.
enum {
    REPLAY_KEY_LEFT = 1,
    REPLAY_KEY_RIGHT = 2,
    REPLAY_KEY_HIGH_JUMP = 4,
    REPLAY_KEY_LONG_JUMP = 8,
    REPLAY_KEY_LEAVE = 16,
    REPLAY_KEY_CLOSE = 32,
    REPLAY_KEYS_ALL = 63,
};

// Which level a replay was made for: its file's SHA-256, the name in its header, its file's name.
struct ReplayLevelId {
    unsigned char sha256[32];
    char name[REPLAY_NAME_MAX + 1]; // printable bytes only ('?' for any other)
    char file[REPLAY_NAME_MAX + 1]; // without its folder
};

// A particle as the room's first frame found it (the drips of world 3 and live dust).
struct ReplayParticle {
    int slot; // index into the effects' particle pool
    Particle p;
};

// What the room's first frame found beyond the level: the play state's named fields (the table in
// replay/start.cpp), the pickups still there, and the effects (the random numbers, the particles).
struct ReplayStart {
    int field_count;
    signed char field_index[REPLAY_MAX_FIELDS]; // index into the table of the game's fields
    int field_value[REPLAY_MAX_FIELDS];
    uint32_t levers_active, items_active; // bit i: lever or energy item slot i still there
    AzarState azar;
    int particle_count;
    ReplayParticle particles[PARTICLES];
};

// One room attempt.
struct Replay {
    int format;                                // the file's format (REPLAY_FORMAT when made)
    char game_version[REPLAY_VERSION_MAX + 1]; // the version of the game that recorded it
    int64_t recorded;                          // when it started: seconds since 1970 UTC, 0 unknown
    ReplayLevelId level;                       //
    int room;                                  // 1..25, as the level card numbers it
    ReplayStart start;                         //
    int ending;                                // REPLAY_LEVER .. REPLAY_CLOSED, or UNFINISHED
    int frames;                                // frames played, 1..REPLAY_MAX_FRAMES
    int energy_left;                           // the player's energy after the last frame
    bool too_long;                             // more than REPLAY_MAX_FRAMES: not kept
    unsigned char keys[REPLAY_MAX_FRAMES];     // frame i's REPLAY_KEY_ bits
    uint32_t digests[REPLAY_MAX_DIGESTS];      // see REPLAY_digest_frame
};

// The game's version, as replays record it.
const char *REPLAY_game_version(void);
// Digest i of a replay of frames frames is taken after this frame (0: the room's start): 0, 60,
// 120 ... below frames, then frames itself. REPLAY_digest_count says how many there are.
int REPLAY_digest_frame(int i, int frames);
int REPLAY_digest_count(int frames);
// A digest of everything in the play state that decides how play goes on.
uint32_t REPLAY_digest(const Partida *g);
// The frame's keys as bits, and back.
int REPLAY_keys_of(const FrameInput *in);
FrameInput REPLAY_input_of(int keys);
// The name of the i-th named field of the replay's room start ("energy", "retries" ...).
const char *REPLAY_start_field_name(const Replay *r, int i);
// Names of endings for people: "lever", "retry", "energy out", "left", "closed".
const char *REPLAY_ending_name(int ending);

// Starts recording into r the attempt at the room g and fx are at, before its first frame (the
// room already started), for the level id, at the time when. Never allocates.
void REPLAY_record_start(Replay *r, const Partida *g, const Efectos *fx, const ReplayLevelId *id,
                         int64_t when);
// Records one frame: its input and, after the frame step, the play state g and what it did;
// returns 1 when the frame ended the attempt. Past REPLAY_MAX_FRAMES the attempt is marked too
// long and only counted. Never allocates.
int REPLAY_record_frame(Replay *r, const FrameInput *in, const Partida *g, const FrameEvents *ev);
// Ends the attempt as the retry dialog does, after the frames recorded so far; g is the play
// state after the last of them.
void REPLAY_record_retry(Replay *r, const Partida *g);

// The SHA-256 of a level file of at most REPLAY_LEVEL_FILE_MAX bytes into out; 0 with why when it
// cannot be read.
int REPLAY_file_sha256(const char *path, unsigned char out[32], char *why, size_t why_size);
// The level file's identity: its SHA-256, and the names from lv (its header) and path. 0 (with
// *why) when the file cannot be read.
int REPLAY_level_id(const char *path, const Level *lv, ReplayLevelId *id, char *why,
                    size_t why_size);
// The SHA-256 of n bytes.
void REPLAY_sha256(const void *data, size_t n, unsigned char out[32]);

// Writes r as a file's bytes into a new buffer (free with free()); 0 when out of memory or r is
// not a finished attempt of at most REPLAY_MAX_FRAMES frames.
int REPLAY_encode(const Replay *r, unsigned char **data, size_t *size);
// Reads a replay file's bytes into r, checking every field; 0 with the reason in why when it is
// refused ("not a replay file", "truncated", "frame count 90000 is over 36000" ...).
int REPLAY_decode(const unsigned char *data, size_t size, Replay *r, char *why, size_t why_size);
// Reads the replay file at path as REPLAY_decode does; the reason also says when it cannot be read.
int REPLAY_load(const char *path, Replay *r, char *why, size_t why_size);

// A replay played again: the play state and effects as the attempt had them.
struct ReplayPlayer {
    const Replay *r;
    Partida g;
    Efectos fx;
    int frame;        // frames played so far
    int next_digest;  // the next digest to compare
    int desync_frame; // the first frame whose digest or ending differs (0: the room's start),
                      // -1 while in step
};
// Puts p at the replay's room start on the level lv (which must be the replay's: see
// REPLAY_verify) and compares the start's digest.
void REPLAY_player_start(ReplayPlayer *p, const Replay *r, const Level *lv);
// Plays the replay's next frame (drawn when draw is given) and says what it did in ev (null: not
// wanted); returns 0, playing nothing, once every frame has been played.
int REPLAY_player_step(ReplayPlayer *p, const Level *lv, PartidaDraw draw, FrameEvents *ev);

// What a check found.
enum { REPLAY_OK, REPLAY_DESYNC, REPLAY_OTHER_LEVEL };
struct ReplayVerdict {
    int result; // REPLAY_OK, REPLAY_DESYNC, REPLAY_OTHER_LEVEL
    int frame;  // the desync's frame
};
// Plays r headless on lv, whose file has the SHA-256 level_sha256, comparing every digest and the
// ending. Never allocates.
ReplayVerdict REPLAY_verify(const Replay *r, const Level *lv, const unsigned char level_sha256[32]);
