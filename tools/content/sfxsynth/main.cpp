// main.cpp -- sfxsynth: renders one sound recipe (text) into a WAV file.
// SPDX-License-Identifier: MIT
#include "tools/content/sfxsynth/sfxsynth.h"
#include <fstream>
#include <sstream>
#include <stdio.h>

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: sfxsynth RECIPE.txt OUT.wav\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        fprintf(stderr, "sfxsynth: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    SfxReceta r;
    std::string err;
    if (!SFX_lee_receta(ss.str(), &r, &err)) {
        fprintf(stderr, "sfxsynth: %s: %s\n", argv[1], err.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes = SFX_wav(SFX_sintetiza(r), r.rate);
    FILE *f = fopen(argv[2], "wb");
    if (!f || fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        fprintf(stderr, "sfxsynth: cannot write %s\n", argv[2]);
        if (f) fclose(f);
        return 1;
    }
    fclose(f);
    return 0;
}
