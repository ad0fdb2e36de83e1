// wav.cpp -- writes 16-bit mono PCM samples as the bytes of a RIFF WAVE file.
// SPDX-License-Identifier: MIT
#include "tools/content/sfxsynth/sfxsynth.h"

static void u32(std::vector<uint8_t> *b, uint32_t v) {
    for (int i = 0; i < 4; i++)
        b->push_back((uint8_t)(v >> (8 * i)));
}

static void u16(std::vector<uint8_t> *b, uint16_t v) {
    b->push_back((uint8_t)v);
    b->push_back((uint8_t)(v >> 8));
}

static void texto(std::vector<uint8_t> *b, const char *s) {
    for (int i = 0; i < 4; i++)
        b->push_back((uint8_t)s[i]);
}

std::vector<uint8_t> SFX_wav(const std::vector<int16_t> &samples, int rate) {
    std::vector<uint8_t> b;
    uint32_t datos = (uint32_t)samples.size() * 2;
    texto(&b, "RIFF");
    u32(&b, 36 + datos);
    texto(&b, "WAVE");
    texto(&b, "fmt ");
    u32(&b, 16);
    u16(&b, 1); // PCM
    u16(&b, 1); // mono
    u32(&b, (uint32_t)rate);
    u32(&b, (uint32_t)rate * 2); // bytes per second
    u16(&b, 2);                  // bytes per frame
    u16(&b, 16);                 // bits per sample
    texto(&b, "data");
    u32(&b, datos);
    for (int16_t s : samples)
        u16(&b, (uint16_t)s);
    return b;
}
