// dibujo.cpp -- pixel helpers, the random source and our 5x7 letters for the picture maker.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pcxart.h"
#include <math.h>
#include <string.h>

const Rgb PCXA_MAGENTA = {255, 0, 255};

Azar azar_nuevo(uint32_t seed) {
    Azar a;
    a.s = seed ? seed : 0x9E3779B9u;
    for (int i = 0; i < 4; i++)
        azar_u32(&a);
    return a;
}

uint32_t azar_u32(Azar *a) {
    uint32_t x = a->s;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    a->s = x;
    return x;
}

int azar_n(Azar *a, int n) {
    return (int)(azar_u32(a) % (uint32_t)n);
}

float azar_f(Azar *a) {
    return (float)(azar_u32(a) >> 8) / 16777216.0f;
}

static int limita(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

void pon(BITMAP *b, int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= b->w || y >= b->h) return;
    putpixel(b, x, y, makecol24(limita(c.r), limita(c.g), limita(c.b)));
}

Rgb lee(BITMAP *b, int x, int y) {
    if (x < 0 || y < 0 || x >= b->w || y >= b->h) return PCXA_MAGENTA;
    int p = getpixel(b, x, y);
    Rgb c = {getr24(p), getg24(p), getb24(p)};
    return c;
}

bool es_mascara(Rgb c) {
    return c.r == 255 && c.g == 0 && c.b == 255;
}

Rgb rgb_lerp(Rgb a, Rgb b, float t) {
    Rgb c = {(int)lroundf(a.r + (b.r - a.r) * t), (int)lroundf(a.g + (b.g - a.g) * t),
             (int)lroundf(a.b + (b.b - a.b) * t)};
    return c;
}

Rgb rgb_escala(Rgb a, float t) {
    Rgb c = {limita((int)lroundf(a.r * t)), limita((int)lroundf(a.g * t)),
             limita((int)lroundf(a.b * t))};
    return c;
}

void mezcla(BITMAP *b, int x, int y, Rgb c, float t) {
    if (x < 0 || y < 0 || x >= b->w || y >= b->h || t <= 0) return;
    if (t > 1) t = 1;
    Rgb o = lee(b, x, y);
    if (es_mascara(o)) {
        // Soft edges over the mask would leave pink fringes: draw solid or nothing.
        if (t >= 0.5f) pon(b, x, y, c);
        return;
    }
    pon(b, x, y, rgb_lerp(o, c, t));
}

void suma(BITMAP *b, int x, int y, Rgb c, float t) {
    if (x < 0 || y < 0 || x >= b->w || y >= b->h || t <= 0) return;
    Rgb o = lee(b, x, y);
    if (es_mascara(o)) o = {0, 0, 0};
    Rgb n = {limita(o.r + (int)lroundf(c.r * t)), limita(o.g + (int)lroundf(c.g * t)),
             limita(o.b + (int)lroundf(c.b * t))};
    pon(b, x, y, n);
}

void disco(BITMAP *b, float cx, float cy, float r, Rgb c, float soft) {
    int x0 = (int)floorf(cx - r - 1), x1 = (int)ceilf(cx + r + 1);
    int y0 = (int)floorf(cy - r - 1), y1 = (int)ceilf(cy + r + 1);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            float d = sqrtf((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy));
            if (d > r) continue;
            float t = soft > 0 ? (r - d) / soft : 1.0f;
            mezcla(b, x, y, c, t > 1 ? 1 : t);
        }
}

void caja(BITMAP *b, int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            pon(b, i, j, c);
}

void degradado(BITMAP *b, int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; j++) {
        Rgb c = rgb_lerp(top, bottom, h > 1 ? (float)j / (h - 1) : 0.0f);
        for (int i = 0; i < w; i++)
            pon(b, x + i, y + j, c);
    }
}

void bisel(BITMAP *b, int x, int y, int w, int h, Rgb luz, Rgb sombra, bool hundido) {
    Rgb a = hundido ? sombra : luz, z = hundido ? luz : sombra;
    for (int i = 0; i < w; i++) {
        pon(b, x + i, y, a);
        pon(b, x + i, y + h - 1, z);
    }
    for (int j = 0; j < h; j++) {
        pon(b, x, y + j, a);
        pon(b, x + w - 1, y + j, z);
    }
}

// Each letter: seven rows of five columns, '#' lit.
struct Letra {
    char c;
    const char *filas[7];
};

static const Letra LETRAS[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
};

static const Letra *busca_letra(char c) {
    if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
    for (const Letra &l : LETRAS)
        if (l.c == c) return &l;
    return nullptr;
}

int letras_ancho(int s, const char *text) {
    int n = (int)strlen(text);
    return n > 0 ? n * 6 * s - s : 0;
}

int letras(BITMAP *b, int x, int y, int s, const char *text, Rgb c) {
    int x0 = x;
    for (const char *p = text; *p; p++) {
        const Letra *l = busca_letra(*p);
        if (l)
            for (int j = 0; j < 7; j++)
                for (int i = 0; i < 5; i++)
                    if (l->filas[j][i] == '#') caja(b, x + i * s, y + j * s, s, s, c);
        x += 6 * s;
    }
    return x - x0 - (x > x0 ? s : 0);
}

void PCXA_protege_mascara(BITMAP *b) {
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            Rgb c = lee(b, x, y);
            if (es_mascara(c)) continue;
            // 15-bit keeps the top five bits of each channel: these all land on the mask.
            if (c.r >= 248 && c.g < 8 && c.b >= 248) {
                c.g = 8;
                pon(b, x, y, c);
            }
        }
}
