// fuzz_config.cpp -- any bytes as the configuration file: the game always ends up with values and
// key bindings it can run with, the file is never rewritten, and what is saved reads back the same.
// SPDX-License-Identifier: MIT
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include "platform/config.h"

static char fuzz_dir[] = "/tmp/vb-fuzz-config-XXXXXX";

static void fuzz_clean(void) {
    unlink("log.txt");
    unlink("Velumbrina.Cfg");
    rmdir(fuzz_dir);
}

// A directory of its own keeps the log out of the build tree. Give the corpus as an absolute path.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    if (!mkdtemp(fuzz_dir) || chdir(fuzz_dir) != 0) abort();
    atexit(fuzz_clean);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FILE *f = fopen("Velumbrina.Cfg", "wb");
    if (!f) abort();
    fwrite(data, 1, size, f);
    fclose(f);
    if (CFG_load("Velumbrina.Cfg") != 1) abort();
    if (CFG_bitdepth != 15 && CFG_bitdepth != 16 && CFG_bitdepth != 32) abort();
    if (CFG_soundvol < 0 || CFG_soundvol > 127 || CFG_sfxvol < 0 || CFG_sfxvol > 127) abort();
    if (CFG_samplerate < 8000 || CFG_samplerate > 96000) abort();
    if (CFG_window != 0 && (CFG_window < 2 || CFG_window > 4)) abort();
    const int *keys = &CFG_keys[0][0]; // every action has a first key, no key is bound twice
    for (int i = 0; i < CFG_BOUND_ACTIONS * CFG_KEYS_PER_ACTION; i++) {
        if (i % CFG_KEYS_PER_ACTION == 0 && keys[i] == 0) abort();
        for (int j = i + 1; j < CFG_BOUND_ACTIONS * CFG_KEYS_PER_ACTION && keys[i]; j++)
            if (keys[i] == keys[j]) abort();
    }
    static Settings again;
    static unsigned char saved[CFG_FILE_MAX], resaved[CFG_FILE_MAX];
    int n_saved = CFG_write(&settings, saved);
    CFG_read(&again, saved, n_saved, "saved");
    if (!CFG_same(&again, &settings) || CFG_write(&again, resaved) != n_saved ||
        memcmp(saved, resaved, (size_t)n_saved) != 0)
        abort();
    f = fopen("Velumbrina.Cfg", "rb");
    uint8_t back[64];
    size_t n = fread(back, 1, sizeof back, f);
    fclose(f);
    if (n != (size < sizeof back ? size : sizeof back) || memcmp(back, data, n) != 0) abort();
    unlink("log.txt");
    return 0;
}
