// main.cpp -- pcxart: turns one picture source (text) into a 24-bit PCX file.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pcxart.h"
#include <errno.h>
#include <fstream>
#include <sstream>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: pcxart SOURCE.txt OUT.pcx\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        fprintf(stderr, "pcxart: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    std::string src = argv[1];
    size_t slash = src.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : src.substr(0, slash);

    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(24);
    std::string err;
    BITMAP *b = PCXA_ejecuta(ss.str(), dir, &err);
    if (!b) {
        fprintf(stderr, "pcxart: %s: %s\n", argv[1], err.c_str());
        return 1;
    }
    PALETTE pal;
    memset(pal, 0, sizeof(PALETTE)); // a 24-bit PCX carries no palette; keep the bytes fixed
    if (save_pcx(argv[2], b, pal) != 0) {
        fprintf(stderr, "pcxart: cannot write %s\n", argv[2]);
        destroy_bitmap(b);
        return 1;
    }
    destroy_bitmap(b);
    return 0;
}
