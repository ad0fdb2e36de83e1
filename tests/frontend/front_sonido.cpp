// front_sonido.cpp -- the interface sounds for the front end's tests, made on the spot.
#include "front_sonido.h"
#include <stdio.h>
#include <stdlib.h>
#include <stdint.h>
#include "shell/config.h"
#include "shell/sonido.h"

// Writes a 20 ms, 8-bit mono click at 22050 Hz.
static void escribe_wav(const char *path) {
    const uint32_t frames = 441, rate = 22050;
    FILE *f = fopen(path, "wb");
    if (!f) return;
    auto u32 = [f](uint32_t v) {
        for (int i = 0; i < 4; i++)
            fputc((v >> (8 * i)) & 0xff, f);
    };
    auto u16 = [f](uint16_t v) {
        fputc(v & 0xff, f);
        fputc(v >> 8, f);
    };
    fwrite("RIFF", 1, 4, f);
    u32(36 + frames);
    fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate);
    u16(1);
    u16(8);
    fwrite("data", 1, 4, f);
    u32(frames);
    for (uint32_t i = 0; i < frames; i++)
        fputc((i / 20) % 2 ? 200 : 56, f);
    fclose(f);
}

bool front_carga_sonidos(void) {
    static bool tried = false, ok = false;
    if (tried) return ok;
    tried = true;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    escribe_wav("front_click.wav");
    FSOUND_Init(44100, 32, FSOUND_INIT_GLOBALFOCUS);
    unsigned mode = FSOUND_LOOP_OFF | FSOUND_2D;
    s_back = FSOUND_Sample_Load(FSOUND_FREE, "front_click.wav", mode, 0, 0);
    s_go = FSOUND_Sample_Load(FSOUND_FREE, "front_click.wav", mode, 0, 0);
    s_ting = FSOUND_Sample_Load(FSOUND_FREE, "front_click.wav", mode, 0, 0);
    ok = s_back && s_go && s_ting;
    return ok;
}
