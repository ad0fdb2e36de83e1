// pintores.cpp -- the painter table and the generic shapes: boxes, gradients, bevels, text, noise.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pintores.h"
#include <math.h>
#include <stdlib.h>
#include <string.h>

bool arg_entero(const std::string &s, int *v) {
    char *end = nullptr;
    long n = strtol(s.c_str(), &end, 10);
    if (s.empty() || *end) return false;
    *v = (int)n;
    return true;
}

// Reads n whole numbers from args starting at index from.
static bool args_enteros(const std::vector<std::string> &args, size_t from, int n, int *out) {
    if (args.size() < from + n) return false;
    for (int i = 0; i < n; i++)
        if (!arg_entero(args[from + i], &out[i])) return false;
    return true;
}

void copia_tile(BITMAP *b, int a, int c) {
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            pon(b, (c % 24) * 16 + x, (c / 24) * 16 + y,
                lee(b, (a % 24) * 16 + x, (a / 24) * 16 + y));
}

// rect x y w h r g b
bool pinta_rect(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int v[7];
    if (args.size() != 7 || !args_enteros(args, 0, 7, v)) {
        *err = "rect needs x y w h r g b";
        return false;
    }
    caja(b, v[0], v[1], v[2], v[3], {v[4], v[5], v[6]});
    return true;
}

// vgrad x y w h r g b r g b (top colour, bottom colour)
bool pinta_degradado(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int v[10];
    if (args.size() != 10 || !args_enteros(args, 0, 10, v)) {
        *err = "vgrad needs x y w h and two colours";
        return false;
    }
    degradado(b, v[0], v[1], v[2], v[3], {v[4], v[5], v[6]}, {v[7], v[8], v[9]});
    return true;
}

// bevel x y w h light(r g b) shadow(r g b) [in]
bool pinta_bisel(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int v[10];
    if ((args.size() != 10 && args.size() != 11) || !args_enteros(args, 0, 10, v)) {
        *err = "bevel needs x y w h, a light and a shadow colour, and maybe 'in'";
        return false;
    }
    bisel(b, v[0], v[1], v[2], v[3], {v[4], v[5], v[6]}, {v[7], v[8], v[9]},
          args.size() == 11 && args[10] == "in");
    return true;
}

// text x y scale r g b WORDS... (drawn with our 5x7 letters, one space between words)
bool pinta_texto(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int v[6];
    if (args.size() < 7 || !args_enteros(args, 0, 6, v) || v[2] < 1) {
        *err = "text needs x y scale r g b and words";
        return false;
    }
    std::string t;
    for (size_t i = 6; i < args.size(); i++)
        t += (i > 6 ? " " : "") + args[i];
    letras(b, v[0], v[1], v[2], t.c_str(), {v[3], v[4], v[5]});
    return true;
}

// noise x y w h seed amount: brightens or darkens each non-mask pixel by up to amount
bool pinta_ruido(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int v[6];
    if (args.size() != 6 || !args_enteros(args, 0, 6, v)) {
        *err = "noise needs x y w h seed amount";
        return false;
    }
    Azar a = azar_nuevo((uint32_t)v[4]);
    for (int y = v[1]; y < v[1] + v[3]; y++)
        for (int x = v[0]; x < v[0] + v[2]; x++) {
            int d = azar_n(&a, 2 * v[5] + 1) - v[5];
            Rgb c = lee(b, x, y);
            if (es_mascara(c)) continue;
            pon(b, x, y, {c.r + d, c.g + d, c.b + d});
        }
    return true;
}

// glow x y radius r g b percent: adds a soft round light, strongest in the middle
bool pinta_brillo(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int v[7];
    if (args.size() != 7 || !args_enteros(args, 0, 7, v) || v[2] < 1) {
        *err = "glow needs x y radius r g b percent";
        return false;
    }
    for (int y = v[1] - v[2]; y <= v[1] + v[2]; y++)
        for (int x = v[0] - v[2]; x <= v[0] + v[2]; x++) {
            float dx = (float)(x - v[0]), dy = (float)(y - v[1]);
            float t = 1.0f - sqrtf(dx * dx + dy * dy) / v[2];
            if (t > 0 && !es_mascara(lee(b, x, y)))
                suma(b, x, y, {v[3], v[4], v[5]}, t * t * v[6] / 100.0f);
        }
    return true;
}

struct EntradaPintor {
    const char *nombre;
    Pintor pintor;
};

static const EntradaPintor PINTORES[] = {
    {"rect", pinta_rect},           {"vgrad", pinta_degradado}, {"bevel", pinta_bisel},
    {"text", pinta_texto},          {"glow", pinta_brillo},     {"noise", pinta_ruido},
    {"walls", pinta_muros},         {"glass", pinta_cristales}, {"platforms", pinta_plataformas},
    {"splash", pinta_splash},       {"logo", pinta_logo},       {"title", pinta_titulo},
    {"menuback", pinta_menu_fondo}, {"halo", pinta_halo},       {"antihalo", pinta_anti_halo},
    {"rays", pinta_rayos},          {"fancy", pinta_fancy},     {"clouds", pinta_nubes},
    {"background", pinta_fondo},    {"frame", pinta_marco},     {"bar", pinta_barra},
    {"panel", pinta_panel},         {"button", pinta_boton},
};

Pintor PCXA_busca_pintor(const std::string &name) {
    for (const EntradaPintor &e : PINTORES)
        if (name == e.nombre) return e.pintor;
    return nullptr;
}
