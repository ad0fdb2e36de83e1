// fuzz_mapfile.cpp -- any bytes fed to the map reader as a map file: refused or read, never harm.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <allegro.h>
#include "level/mapimagen.h"

// The reader's destination, made once: a level with pictures at 16 bits per pixel.
static Level fz;

static int lines; // lines the reader has logged for the current input

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    MAP_create_pictures(&fz);
    MAP_set_log([](const char *) { lines++; }); // most inputs are refused: no log file for them
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    lines = 0;
    MapFault why;
    int ok = MAP_load_memory(data, size, "fuzz", MAP_PICTURES, &fz, &why);
    if (!ok && (fz.effect != -1 || lines == 0 || !why.line[0]))
        __builtin_trap(); // a refusal says why and leaves no effect number behind
    return 0;
}
