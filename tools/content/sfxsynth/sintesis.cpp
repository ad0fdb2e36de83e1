// sintesis.cpp -- renders a sound recipe: oscillators, noise, envelopes, filters, mixing.
// SPDX-License-Identifier: MIT
#include "tools/content/sfxsynth/sfxsynth.h"
#include <math.h>

static uint32_t siguiente(uint32_t *s) {
    uint32_t x = *s;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    *s = x;
    return x;
}

// Volume of a layer t seconds after it starts.
static double envolvente(const SfxCapa &c, double t) {
    double v = 1.0;
    if (c.att > 0 && t < c.att) v = t / c.att;
    if (c.decay > 0) v *= exp(-t / c.decay);
    double queda = c.len - t;
    if (c.rel > 0 && queda < c.rel) v *= queda > 0 ? queda / c.rel : 0;
    return v;
}

// Adds one layer into the mix buffer.
static void suma_capa(const SfxCapa &c, int rate, uint32_t seed, std::vector<double> *mix) {
    const double pi2 = 6.283185307179586;
    int inicio = (int)lround(c.at * rate), n = (int)lround(c.len * rate);
    double fase = 0, fase_mod = 0, lp_y = 0, hp_y = 0, hp_x = 0, ruido = 0;
    uint32_t s = seed ? seed : 1;
    double a_lp = c.lp > 0 ? 1.0 - exp(-pi2 * c.lp / rate) : 1.0;
    double a_hp = c.hp > 0 ? exp(-pi2 * c.hp / rate) : 0.0;
    for (int i = 0; i < n && inicio + i < (int)mix->size(); i++) {
        double t = (double)i / rate, u = n > 1 ? (double)i / (n - 1) : 0;
        double f = c.curva_exp ? c.f0 * pow(c.f1 / c.f0, u) : c.f0 + (c.f1 - c.f0) * u;
        if (c.vib > 0) f *= pow(2.0, c.vibd * sin(pi2 * c.vib * t) / 12.0);
        if (!c.arp.empty() && c.arprate > 0) {
            int paso = (int)(t * c.arprate) % (int)c.arp.size();
            f *= pow(2.0, c.arp[paso] / 12.0);
        }
        double fase_ant = fase;
        fase += f / rate;
        fase -= floor(fase);
        double y = 0;
        switch (c.onda) {
        case ONDA_SENO:
            y = sin(pi2 * fase);
            break;
        case ONDA_CUADRADA:
            y = fase < c.duty ? 1.0 : -1.0;
            break;
        case ONDA_SIERRA:
            y = 2.0 * fase - 1.0;
            break;
        case ONDA_TRIANGULO:
            y = fase < 0.5 ? 4.0 * fase - 1.0 : 3.0 - 4.0 * fase;
            break;
        case ONDA_RUIDO: // a new random value each cycle of f: sample-and-hold noise
            if (fase < fase_ant || i == 0) ruido = (double)(siguiente(&s) >> 8) / 8388608.0 - 1.0;
            y = ruido;
            break;
        case ONDA_FM: {
            fase_mod += f * c.ratio / rate;
            fase_mod -= floor(fase_mod);
            double idx = c.index * (c.decay > 0 ? exp(-t / c.decay) : 1.0);
            y = sin(pi2 * fase + idx * sin(pi2 * fase_mod));
            break;
        }
        }
        if (c.lp > 0) {
            lp_y += a_lp * (y - lp_y);
            y = lp_y;
        }
        if (c.hp > 0) {
            double x = y;
            hp_y = a_hp * (hp_y + x - hp_x);
            hp_x = x;
            y = hp_y;
        }
        (*mix)[inicio + i] += y * c.vol * envolvente(c, t);
    }
}

std::vector<int16_t> SFX_sintetiza(const SfxReceta &r) {
    double fin = r.length;
    if (fin <= 0)
        for (const SfxCapa &c : r.capas)
            fin = fmax(fin, c.at + c.len);
    int n = (int)lround(fin * r.rate);
    std::vector<double> mix(n, 0.0);
    for (size_t k = 0; k < r.capas.size(); k++)
        suma_capa(r.capas[k], r.rate, r.seed * 7919u + (uint32_t)k * 104729u + 1u, &mix);
    std::vector<int16_t> out(n);
    int fade = r.rate / 500; // 2 ms
    for (int i = 0; i < n; i++) {
        double v = mix[i] * r.gain;
        if (i < fade) v *= (double)i / fade;
        if (n - 1 - i < fade) v *= (double)(n - 1 - i) / fade;
        v = v > 1 ? 1 : (v < -1 ? -1 : v);
        out[i] = (int16_t)lround(v * 32767.0);
    }
    return out;
}
