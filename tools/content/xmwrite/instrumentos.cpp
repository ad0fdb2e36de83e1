// instrumentos.cpp -- synthesises the instruments' samples: band-limited single-cycle waves
// looped for tones, FM with a settling index, noise, and one-shot drums.
// SPDX-License-Identifier: MIT
#include "tools/content/xmwrite/xmwrite.h"
#include <math.h>
#include <sstream>
#include <stdlib.h>

// Samples are made at 16726 per second with a 64-sample cycle: played on C-4 with relative note
// 12 they sound at their own pitch (C-4).
static const double RATE = 16726.0;
static const int CICLO = 64;
static const double PI2 = 6.283185307179586;

struct Ajustes {
    double vol = 48, duty = 0.5, ratio = 2, index = 2, index_fin = 0.5, idecay = 0.15, len = 0.4;
    double detune = 0, decay = 0;
    int pan = 128, fade = 1536, sostenido = -2, seed = 1, armonicos = 24;
    int vib[4] = {0, 0, 0, 0};
    std::vector<std::pair<int, int>> env;
};

static uint32_t azar(uint32_t *s) {
    uint32_t x = *s;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    *s = x;
    return x;
}

static double ruido(uint32_t *s) {
    return (double)(azar(s) >> 8) / 8388608.0 - 1.0;
}

// Band-limited sawtooth at phase x (radians), rising, -1..1 roughly.
static double sierra(double x, int h_max) {
    double y = 0;
    for (int h = 1; h <= h_max; h++) {
        double sigma = sin(M_PI * h / (h_max + 1)) / (M_PI * h / (h_max + 1));
        y += sigma * sin(h * x) / h * ((h % 2) ? -1 : 1);
    }
    return y * 2 / M_PI;
}

static double forma(const std::string &onda, double x, const Ajustes &a) {
    if (onda == "sine") return sin(x);
    if (onda == "saw") return sierra(x, a.armonicos);
    if (onda == "square" || onda == "pulse")
        return sierra(x, a.armonicos) - sierra(x - PI2 * a.duty, a.armonicos);
    if (onda == "triangle") {
        double y = 0;
        for (int h = 1; h <= a.armonicos; h += 2)
            y += ((h / 2) % 2 ? -1.0 : 1.0) * sin(h * x) / (h * h);
        return y * 8 / (M_PI * M_PI);
    }
    if (onda == "organ")
        return sin(x) + 0.5 * sin(2 * x) + 0.3 * sin(3 * x) + 0.18 * sin(4 * x) + 0.1 * sin(6 * x);
    return 0;
}

// Scales to a peak of 0.9 and removes any constant offset.
static std::vector<int16_t> a_16(std::vector<double> v) {
    double media = 0, pico = 1e-9;
    for (double x : v)
        media += x;
    media /= v.empty() ? 1 : (double)v.size();
    for (double &x : v) {
        x -= media;
        pico = fmax(pico, fabs(x));
    }
    std::vector<int16_t> out(v.size());
    for (size_t i = 0; i < v.size(); i++)
        out[i] = (int16_t)lround(v[i] / pico * 0.9 * 32767);
    return out;
}

static bool lee_ajustes(const std::vector<std::string> &w, Ajustes *a, std::string *err) {
    for (const std::string &s : w) {
        size_t eq = s.find('=');
        if (eq == std::string::npos) {
            *err = "expected key=value, got " + s;
            return false;
        }
        std::string k = s.substr(0, eq), v = s.substr(eq + 1);
        if (k == "env" || k == "vibrato") {
            std::istringstream in(v);
            std::string p;
            std::vector<int> n;
            while (std::getline(in, p, ',')) {
                size_t c = p.find(':');
                char *end;
                if (k == "env") {
                    if (c == std::string::npos) {
                        *err = "env points are tick:volume";
                        return false;
                    }
                    int t = (int)strtol(p.substr(0, c).c_str(), &end, 10);
                    int vv = (int)strtol(p.substr(c + 1).c_str(), &end, 10);
                    if (vv < 0 || vv > 64 || t < 0 ||
                        (!a->env.empty() && t <= a->env.back().first)) {
                        *err = "env ticks must rise and volumes be 0..64";
                        return false;
                    }
                    a->env.push_back({t, vv});
                } else
                    n.push_back((int)strtol(p.c_str(), &end, 10));
            }
            if (k == "vibrato") {
                if (n.size() != 4) {
                    *err = "vibrato is type,sweep,depth,rate";
                    return false;
                }
                for (int i = 0; i < 4; i++)
                    a->vib[i] = n[i];
            }
            if (k == "env" && (a->env.size() < 2 || a->env.size() > 12)) {
                *err = "an envelope has 2 to 12 points";
                return false;
            }
            continue;
        }
        char *end = nullptr;
        double d = strtod(v.c_str(), &end);
        if (v.empty() || *end) {
            *err = "not a number: " + s;
            return false;
        }
        if (k == "vol")
            a->vol = d;
        else if (k == "duty")
            a->duty = d;
        else if (k == "ratio")
            a->ratio = d;
        else if (k == "index")
            a->index = d;
        else if (k == "index_end")
            a->index_fin = d;
        else if (k == "idecay")
            a->idecay = d;
        else if (k == "len")
            a->len = d;
        else if (k == "detune")
            a->detune = d;
        else if (k == "decay")
            a->decay = d;
        else if (k == "pan")
            a->pan = (int)d;
        else if (k == "fade")
            a->fade = (int)d;
        else if (k == "sustain")
            a->sostenido = (int)d;
        else if (k == "seed")
            a->seed = (int)d;
        else if (k == "harmonics")
            a->armonicos = (int)d;
        else {
            *err = "unknown setting " + k;
            return false;
        }
    }
    if (a->vol < 0 || a->vol > 64 || a->pan < 0 || a->pan > 255 || a->duty <= 0 || a->duty >= 1 ||
        a->len <= 0 || a->len > 4 || a->armonicos < 1 || a->armonicos > 31) {
        *err = "vol 0..64, pan 0..255, 0 < duty < 1, 0 < len <= 4, harmonics 1..31";
        return false;
    }
    return true;
}

// One-shot drums, rendered at the sample rate.
static std::vector<double> tambor(const std::string &onda, const Ajustes &a) {
    int n = (int)(a.len * RATE);
    std::vector<double> v(n);
    uint32_t s = 2463534242u + (uint32_t)a.seed * 2654435761u;
    double fase = 0, lp = 0, hp = 0, hpx = 0;
    for (int i = 0; i < n; i++) {
        double t = i / RATE, y = 0;
        double cola = a.decay > 0 ? a.decay : 0;
        if (onda == "kick") {
            double f = 48 + 140 * exp(-t / 0.028);
            fase += f / RATE;
            y = sin(PI2 * fase) * exp(-t / (cola ? cola : 0.22));
            if (i < 40) y += 0.5 * ruido(&s) * (1 - i / 40.0);
        } else if (onda == "snare") {
            fase += 185 / RATE;
            double r = ruido(&s);
            hp = 0.7 * (hp + r - hpx);
            hpx = r;
            y = 0.55 * sin(PI2 * fase) * exp(-t / 0.05) + 0.8 * hp * exp(-t / (cola ? cola : 0.11));
        } else if (onda == "hat") {
            double r = ruido(&s);
            hp = 0.35 * (hp + r - hpx);
            hpx = r;
            y = hp * exp(-t / (cola ? cola : 0.035));
        } else if (onda == "tom") {
            double f = 90 + 60 * exp(-t / 0.08);
            fase += f / RATE;
            y = sin(PI2 * fase) * exp(-t / (cola ? cola : 0.2));
        } else if (onda == "clap") {
            double r = ruido(&s);
            lp += 0.5 * (r - lp);
            double pulsos = (t < 0.03) ? (fmod(t, 0.01) < 0.004 ? 1 : 0.2) : 1;
            y = (r - lp) * pulsos * exp(-t / (cola ? cola : 0.09));
        }
        v[i] = y;
    }
    return v;
}

bool XM_sintetiza(const std::string &onda, const std::vector<std::string> &w, XmInstrumento *ins,
                  std::string *err) {
    Ajustes a;
    if (!lee_ajustes(w, &a, err)) return false;
    bool es_tambor =
        onda == "kick" || onda == "snare" || onda == "hat" || onda == "tom" || onda == "clap";
    XmMuestra &m = ins->muestra;
    m.volumen = (int)a.vol;
    m.afinacion = 0;
    m.nota_relativa = 12;
    m.panorama = a.pan;
    m.tipo_bucle = 1;
    ins->vib_tipo = a.vib[0], ins->vib_barrido = a.vib[1];
    ins->vib_prof = a.vib[2], ins->vib_vel = a.vib[3];
    if (es_tambor) {
        m.datos = a_16(tambor(onda, a));
        m.tipo_bucle = 0, m.bucle_inicio = 0, m.bucle_largo = 0;
        ins->envolvente = a.env;
        ins->sostenido = a.env.empty() ? -1 : (a.sostenido >= 0 ? a.sostenido : -1);
        ins->desvanecer = a.env.empty() ? 0 : a.fade;
        return true;
    }
    std::vector<double> v;
    if (onda == "fm") {
        int n = (int)(a.len * RATE) / CICLO * CICLO, bucle = CICLO * 8;
        if (n < 2 * bucle) n = 2 * bucle;
        for (int i = 0; i < n; i++) {
            double t = i >= n - bucle ? (n - bucle) / RATE : i / RATE;
            double idx = a.index_fin + (a.index - a.index_fin) * exp(-t / a.idecay);
            double x = PI2 * i / CICLO;
            v.push_back(sin(x + idx * sin(a.ratio * x)));
        }
        m.bucle_inicio = n - bucle, m.bucle_largo = bucle;
    } else if (onda == "noise") {
        uint32_t s = 12345u + (uint32_t)a.seed * 2654435761u;
        int n = 8192;
        for (int i = 0; i < n; i++)
            v.push_back(ruido(&s));
        m.bucle_inicio = 0, m.bucle_largo = n;
    } else {
        if (onda != "sine" && onda != "saw" && onda != "square" && onda != "pulse" &&
            onda != "triangle" && onda != "organ") {
            *err = "unknown wave " + onda;
            return false;
        }
        // K cycles in the loop; a detuned copy makes K+1 cycles in the same loop, so the loop
        // stays seamless while the two beat slowly against each other (a chorus)
        const int K = 64, n = CICLO * K;
        for (int i = 0; i < n; i++) {
            double x = PI2 * i / CICLO;
            double y = forma(onda, x, a);
            if (a.detune > 0) y += a.detune * forma(onda, PI2 * i * (K + 1) / (double)n, a);
            v.push_back(y);
        }
        m.bucle_inicio = 0, m.bucle_largo = n;
    }
    m.datos = a_16(v);
    ins->envolvente = a.env.empty() ? std::vector<std::pair<int, int>>{{0, 64}, {1, 64}} : a.env;
    ins->sostenido = a.sostenido >= -1 ? a.sostenido : (int)ins->envolvente.size() - 1;
    if (ins->sostenido >= (int)ins->envolvente.size()) {
        *err = "sustain point beyond the envelope";
        return false;
    }
    ins->desvanecer = a.fade;
    return true;
}
