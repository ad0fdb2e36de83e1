// sfxsynth.h -- the sound maker: text recipes of layered oscillators and noise into WAV files.
// SPDX-License-Identifier: MIT
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

enum SfxOnda { ONDA_SENO, ONDA_CUADRADA, ONDA_SIERRA, ONDA_TRIANGULO, ONDA_RUIDO, ONDA_FM };

// One voice of a sound: an oscillator (or noise) with a pitch sweep and a volume envelope.
struct SfxCapa {
    SfxOnda onda;
    double at, len;       // start and length, seconds
    double f0, f1;        // pitch at start and end, Hz (for noise: the sample-and-hold rate)
    bool curva_exp;       // sweep evenly in pitch (true) or in Hz (false)
    double vol;           // peak volume, 0..1
    double att, rel;      // linear attack and release, seconds
    double decay;         // exponential decay time constant, seconds (0 = none)
    double duty;          // square: fraction of the cycle high
    double vib, vibd;     // vibrato rate Hz and depth in semitones
    double ratio, index;  // FM: modulator ratio and peak index (the index decays with decay)
    double lp, hp;        // one-pole filters, Hz (0 = off)
    std::vector<int> arp; // semitone steps cycled at arprate
    double arprate;       // Hz
};

// A whole sound: its rate, seed, layers and master gain.
struct SfxReceta {
    int rate; // samples per second: 22050 or 44100
    uint32_t seed;
    double gain;
    double length; // seconds; 0 = until the last layer ends
    std::vector<SfxCapa> capas;
};

// Reads a recipe text. Returns false and fills *err (with the line) on a fault.
bool SFX_lee_receta(const std::string &text, SfxReceta *r, std::string *err);
// Renders a recipe to 16-bit samples (clipped, with tiny fades at both ends against clicks).
std::vector<int16_t> SFX_sintetiza(const SfxReceta &r);
// The bytes of a 16-bit mono PCM WAV file holding the samples.
std::vector<uint8_t> SFX_wav(const std::vector<int16_t> &samples, int rate);
