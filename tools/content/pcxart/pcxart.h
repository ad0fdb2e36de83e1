// pcxart.h -- the picture maker: text pixel art and code-drawn pictures into 24-bit bitmaps.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stdint.h>
#include <string>
#include <vector>

// A colour as three 0..255 channels.
struct Rgb {
    int r, g, b;
};

// The mask colour: pixels of it are transparent in the game.
extern const Rgb PCXA_MAGENTA;

// A small deterministic random source (xorshift), so every build draws the same noise.
struct Azar {
    uint32_t s;
};
// Seeds a random source (seed 0 is replaced by a fixed non-zero value).
Azar azar_nuevo(uint32_t seed);
// The next 32-bit value.
uint32_t azar_u32(Azar *a);
// A value in 0..n-1 (n > 0).
int azar_n(Azar *a, int n);
// A value in [0, 1).
float azar_f(Azar *a);

// Pixel helpers on 24-bit bitmaps; writes outside the bitmap are ignored.
void pon(BITMAP *b, int x, int y, Rgb c);
Rgb lee(BITMAP *b, int x, int y);
// Mixes colour c into the pixel at (x, y) by amount t (0 = keep, 1 = replace).
void mezcla(BITMAP *b, int x, int y, Rgb c, float t);
// Adds c scaled by t to the pixel (clamped at 255).
void suma(BITMAP *b, int x, int y, Rgb c, float t);
bool es_mascara(Rgb c);
Rgb rgb_lerp(Rgb a, Rgb b, float t);
Rgb rgb_escala(Rgb a, float t);
// Filled disc, mixed by t at its edge for soft shapes (soft = edge width in pixels).
void disco(BITMAP *b, float cx, float cy, float r, Rgb c, float soft);
void caja(BITMAP *b, int x, int y, int w, int h, Rgb c);
// Vertical gradient from top colour to bottom colour over the box.
void degradado(BITMAP *b, int x, int y, int w, int h, Rgb top, Rgb bottom);
// Raised (hundido = false) or sunken bevel around the box.
void bisel(BITMAP *b, int x, int y, int w, int h, Rgb luz, Rgb sombra, bool hundido);

// Our own 5x7 letters: draws text at (x, y) with each letter pixel as an s x s block.
// Returns the width drawn. Knows A-Z, 0-9 and a few signs; others draw as a gap.
int letras(BITMAP *b, int x, int y, int s, const char *text, Rgb c);
// Width in pixels that letras would draw.
int letras_ancho(int s, const char *text);

// A code-drawn picture or piece: draws into b with the given arguments. Returns false and
// fills *err when the arguments are wrong.
typedef bool (*Pintor)(BITMAP *b, const std::vector<std::string> &args, std::string *err);
// Finds a painter by name, or nullptr.
Pintor PCXA_busca_pintor(const std::string &name);

// Runs a picture source (text) into a new 24-bit bitmap; base_dir resolves includes. Returns
// nullptr and fills *err (with the line number) on a fault.
BITMAP *PCXA_ejecuta(const std::string &text, const std::string &base_dir, std::string *err);

// Nudges colours that a 15- or 16-bit screen would turn into the mask colour, so only true magenta
// is transparent in the game.
void PCXA_protege_mascara(BITMAP *b);
