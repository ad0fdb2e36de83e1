// receta.cpp -- reads a sound recipe: "rate", "seed", "gain", "length" and "layer" lines.
// SPDX-License-Identifier: MIT
#include "tools/content/sfxsynth/sfxsynth.h"
#include <sstream>
#include <stdlib.h>

static bool numero(const std::string &s, double *v) {
    char *end = nullptr;
    *v = strtod(s.c_str(), &end);
    return !s.empty() && *end == 0;
}

static bool onda_de(const std::string &s, SfxOnda *o) {
    static const struct {
        const char *n;
        SfxOnda o;
    } ondas[] = {{"sine", ONDA_SENO},          {"square", ONDA_CUADRADA}, {"saw", ONDA_SIERRA},
                 {"triangle", ONDA_TRIANGULO}, {"noise", ONDA_RUIDO},     {"fm", ONDA_FM}};
    for (auto &e : ondas)
        if (s == e.n) {
            *o = e.o;
            return true;
        }
    return false;
}

// Reads key=value settings of one layer.
static bool lee_capa(std::istringstream &in, SfxCapa *c, std::string *err) {
    std::string w;
    if (!(in >> w) || !onda_de(w, &c->onda)) {
        *err = "a layer starts with sine, square, saw, triangle, noise or fm";
        return false;
    }
    c->at = 0, c->len = 0.1, c->f0 = 440, c->f1 = -1, c->curva_exp = true, c->vol = 0.5;
    c->att = 0.002, c->rel = 0.01, c->decay = 0, c->duty = 0.5, c->vib = 0, c->vibd = 0;
    c->ratio = 1, c->index = 0, c->lp = 0, c->hp = 0, c->arprate = 0;
    while (in >> w) {
        size_t eq = w.find('=');
        if (eq == std::string::npos) {
            *err = "expected key=value, got " + w;
            return false;
        }
        std::string k = w.substr(0, eq), v = w.substr(eq + 1);
        if (k == "curve") {
            if (v != "exp" && v != "lin") {
                *err = "curve is exp or lin";
                return false;
            }
            c->curva_exp = v == "exp";
            continue;
        }
        if (k == "arp") {
            std::istringstream a(v);
            std::string s;
            while (std::getline(a, s, ',')) {
                double d;
                if (!numero(s, &d)) {
                    *err = "arp is a comma list of semitones";
                    return false;
                }
                c->arp.push_back((int)d);
            }
            continue;
        }
        double d;
        if (!numero(v, &d)) {
            *err = "not a number: " + w;
            return false;
        }
        struct {
            const char *k;
            double *p;
        } campos[] = {
            {"at", &c->at},       {"len", &c->len}, {"f0", &c->f0},     {"f1", &c->f1},
            {"vol", &c->vol},     {"att", &c->att}, {"rel", &c->rel},   {"decay", &c->decay},
            {"duty", &c->duty},   {"vib", &c->vib}, {"vibd", &c->vibd}, {"ratio", &c->ratio},
            {"index", &c->index}, {"lp", &c->lp},   {"hp", &c->hp},     {"arprate", &c->arprate}};
        bool hallado = false;
        for (auto &e : campos)
            if (k == e.k) {
                *e.p = d;
                hallado = true;
            }
        if (!hallado) {
            *err = "unknown setting " + k;
            return false;
        }
    }
    if (c->f1 < 0) c->f1 = c->f0;
    if (c->len <= 0 || c->at < 0 || c->f0 <= 0 || c->f1 <= 0 || c->vol < 0 || c->duty <= 0 ||
        c->duty >= 1) {
        *err = "layer needs len > 0, at >= 0, f0 and f1 > 0, 0 < duty < 1";
        return false;
    }
    return true;
}

bool SFX_lee_receta(const std::string &text, SfxReceta *r, std::string *err) {
    r->rate = 22050, r->seed = 1, r->gain = 1.0, r->length = 0;
    r->capas.clear();
    std::istringstream in(text);
    std::string linea;
    int n = 0;
    while (std::getline(in, linea)) {
        n++;
        size_t hash = linea.find('#');
        if (hash != std::string::npos) linea = linea.substr(0, hash);
        std::istringstream ls(linea);
        std::string cmd;
        if (!(ls >> cmd)) continue;
        std::string e;
        bool ok = true;
        if (cmd == "layer") {
            SfxCapa c;
            ok = lee_capa(ls, &c, &e);
            if (ok) r->capas.push_back(c);
        } else {
            std::string v;
            double d = 0;
            ok = (ls >> v) && numero(v, &d);
            if (!ok)
                e = cmd + " needs a number";
            else if (cmd == "rate") {
                r->rate = (int)d;
                ok = r->rate == 22050 || r->rate == 44100;
                e = "rate is 22050 or 44100";
            } else if (cmd == "seed")
                r->seed = (uint32_t)d;
            else if (cmd == "gain")
                r->gain = d;
            else if (cmd == "length")
                r->length = d;
            else {
                ok = false;
                e = "unknown command " + cmd;
            }
        }
        if (!ok) {
            *err = "line " + std::to_string(n) + ": " + e;
            return false;
        }
    }
    if (r->capas.empty()) {
        *err = "a recipe needs at least one layer";
        return false;
    }
    return true;
}
