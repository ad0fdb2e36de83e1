// fuzz_leveltext.cpp -- any bytes as a level text, a player's (input[0] odd) or the game's own:
// refused with one printable line naming the file, or read into rooms the player can start in.
// SPDX-License-Identifier: MIT
#include <initializer_list>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <string>
#include "tools/levellib/leveltext.h"

static char fuzz_dir[] = "/tmp/vb-fuzz-leveltext-XXXXXX";
static LevelSource src;

static void fuzz_clean(void) {
    for (const char *name : {"level.txt", "legend.txt", "room.txt", "log.txt"})
        unlink(name);
    rmdir(fuzz_dir);
}

static void put(const char *name, const std::string &bytes) {
    FILE *f = fopen(name, "wb");
    if (!f) abort();
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// Works in a folder of its own with two files to include. Give the corpus as an absolute path.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    if (!mkdtemp(fuzz_dir) || chdir(fuzz_dir) != 0) abort();
    atexit(fuzz_clean);
    put("legend.txt", "tile # back=w0 solid\ntile = back=w1 solid\ntile - back=w3 ledge\n"
                      "tile ^ back=w6 hurts\ntile > back=w4 solid belt_right\n");
    put("room.txt", "room 1\nstart 1 7 right\nmap\n...............\n...............\n"
                    "...............\n...............\n...............\n...............\n"
                    "...............\n...............\n===============\nlever 13 7\nend\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1) return 0;
    put("level.txt", std::string((const char *)data + 1, size - 1));
    bool player = data[0] & 1;
    if (!(player ? LT_read_rooms : LT_read)("level.txt", &src)) {
        // One line, "file: what" or "file:line: what", no control characters.
        if (!strstr(src.error, ": ")) __builtin_trap();
        for (const char *c = src.error; *c; c++)
            if ((unsigned char)*c < 32 || *c == 127) __builtin_trap();
        return 0;
    }
    // Every room it defined has a start the player can stand in and one lever.
    int rooms = 0;
    for (int i = 0; i < ROOM_COUNT; i++) {
        const Room &r = src.level.rooms[i];
        if (src.level.levers[i].room_col < 0) continue;
        rooms++;
        if (r.start_col < 0 || r.start_col >= ROOM_COLS || r.start_row < 0 ||
            r.start_row >= ROOM_ROWS || (r.cells[r.start_row][r.start_col].attr & ATTR_SOLID))
            __builtin_trap();
    }
    if (rooms == 0) __builtin_trap();
    return 0;
}
