// fuzz_replay.cpp -- replay files, whole (input[0] odd) or a body wrapped as the game wraps it: one
// read writes and reads back the same, verifies on a sound level and plays its first frames drawn.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <zstd.h>
#include <allegro.h>
#include "gfx/gfx.h"
#include "platform/paths.h"
#include "render/render.h"
#include "replay/replay.h"
#include "../support/sound_level.h"

enum { DRAWN_FRAMES = 40, BODY_MAX = 128 * 1024 };

static Level level;
static Replay replay, again;
static ReplayPlayer player;
static unsigned char file[12 + ZSTD_COMPRESSBOUND(BODY_MAX)];

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    static Places nowhere = {};
    strcpy(nowhere.state, "/dev/null/nowhere"); // the log cannot be written: it stays empty
    PATHS_use(&nowhere);
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    set_color_conversion(COLORCONV_TOTAL);
    GFX_init();
    sound_level(&level);
    if (!MAP_create_pictures(&level) || !RENDER_create_layers()) abort();
    PALETTE pal;
    RENDER_load_pictures(pal);
    return 0;
}

// The body wrapped as the game writes a file: magic, format 1, its size, a zstd frame.
static size_t wrap(const uint8_t *body, size_t n) {
    if (n > BODY_MAX) n = BODY_MAX;
    memcpy(file, "VBRP\1\0\0\0", 8);
    for (int i = 0; i < 4; i++)
        file[8 + i] = (unsigned char)(n >> (8 * i));
    ZSTD_CCtx *cx = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(cx, ZSTD_c_checksumFlag, 1);
    size_t z = ZSTD_compress2(cx, file + 12, sizeof file - 12, body, n);
    ZSTD_freeCCtx(cx);
    if (ZSTD_isError(z)) abort();
    return 12 + z;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    char why[200];
    const unsigned char *bytes = data[0] & 1 ? data + 1 : file;
    size_t n = data[0] & 1 ? size - 1 : wrap(data + 1, size - 1);
    if (!REPLAY_decode(bytes, n, &replay, why, sizeof why)) {
        if (!why[0]) __builtin_trap(); // a refusal always says why
        return 0;
    }
    unsigned char *out;
    size_t out_size;
    if (!REPLAY_encode(&replay, &out, &out_size)) __builtin_trap();
    int same = REPLAY_decode(out, out_size, &again, why, sizeof why) &&
               memcmp(&again, &replay, offsetof(Replay, keys)) == 0;
    free(out);
    if (!same) __builtin_trap();
    REPLAY_verify(&replay, &level, replay.level.sha256);
    REPLAY_player_start(&player, &replay, &level);
    for (int i = 0;
         i < DRAWN_FRAMES && REPLAY_player_step(&player, &level, RENDER_frame_hook, nullptr); i++) {
        const Player &p = player.g.player;
        if (p.x < 0 || p.x > PLAYER_MAX_X || p.y < 0 || p.y > PLAYER_MAX_Y) __builtin_trap();
    }
    return 0;
}
