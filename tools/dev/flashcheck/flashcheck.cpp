// flashcheck.cpp -- how much a run of frames flashes: the window tests' frame dumps, screenshots
// or any pictures, given in the order they were shown, one frame each at 29.4 frames a second.
//
//     flashcheck [--none] FRAME...
//
// Prints the worst second and the largest change; exits 1 when a second holds more than three
// flashes (with --none: when there is any flash), 2 when a picture cannot be read.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <allegro.h>
#include "tools/levellib/flashes.h"

int main(int argc, char **argv) {
    int first = 1, none = argc > 1 && strcmp(argv[1], "--none") == 0;
    first += none;
    if (first >= argc) {
        fprintf(stderr, "usage: flashcheck [--none] FRAME...\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(32);
    set_color_conversion(COLORCONV_TOTAL);
    FlashMeter m;
    FLASH_scene(&m, "the frames");
    for (int i = first; i < argc; i++) {
        BITMAP *b = load_bitmap(argv[i], nullptr);
        if (!b) {
            fprintf(stderr, "flashcheck: %s: not a picture that can be read\n", argv[i]);
            return 2;
        }
        m.where = argv[i];
        FLASH_frame(&m, b);
        destroy_bitmap(b);
    }
    printf("%s\n", FLASH_report(m).c_str());
    return m.worst > 3 || (none && m.total > 0);
}
