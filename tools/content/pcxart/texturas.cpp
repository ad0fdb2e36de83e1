// texturas.cpp -- code-drawn surfaces of the tile sheet: each world's walls, floors, ledges, belts.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pintores.h"
#include <math.h>

// The colours of one world's solid tiles.
struct Paleta {
    Rgb base, oscuro, claro, borde;          // rock or brick body, its shadow, its light, outlines
    Rgb cima, cima_claro, cima_oscuro;       // what grows or lies on top
    Rgb repisa, repisa_claro, repisa_oscuro; // the ledge
};

static const Paleta PALETAS[5] = {
    // meadow and caves: brown earth, green grass, wooden logs
    {{112, 78, 52},
     {74, 50, 34},
     {150, 110, 74},
     {44, 30, 22},
     {64, 168, 56},
     {140, 216, 88},
     {34, 104, 40},
     {150, 100, 56},
     {196, 148, 92},
     {92, 58, 32}},
    // sky cliffs: pale sandy rock, moss, cloud puffs
    {{176, 164, 144},
     {124, 112, 100},
     {216, 208, 188},
     {84, 74, 70},
     {132, 196, 120},
     {200, 236, 170},
     {80, 140, 84},
     {236, 240, 252},
     {255, 255, 255},
     {170, 184, 220}},
    // temple: sandstone blocks, carved gold trim, stone slabs
    {{188, 150, 96},
     {132, 98, 60},
     {226, 196, 140},
     {82, 58, 36},
     {208, 176, 80},
     {252, 226, 128},
     {146, 112, 44},
     {160, 140, 120},
     {208, 192, 170},
     {100, 86, 76}},
    // mine: blue-grey rock, timber beams, planks
    {{84, 88, 104},
     {52, 54, 68},
     {124, 130, 148},
     {28, 28, 38},
     {132, 92, 52},
     {176, 128, 76},
     {84, 56, 30},
     {140, 96, 54},
     {186, 138, 86},
     {86, 56, 30}},
    // slimy depths: purple flesh-rock, green slime, fungus shelves
    {{72, 44, 84},
     {44, 24, 56},
     {108, 72, 120},
     {22, 10, 30},
     {88, 200, 60},
     {180, 255, 120},
     {40, 120, 30},
     {120, 84, 140},
     {176, 140, 196},
     {70, 44, 88}},
};

static int pos(int v) {
    return ((v % 16) + 16) % 16;
}

// Rough rock: stones with lit tops and dark bottoms, wrapping so that walls tile seamlessly.
static void roca(BITMAP *b, int x0, int y0, uint32_t seed, const Paleta &p) {
    Azar a = azar_nuevo(seed);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            int n = azar_n(&a, 3);
            pon(b, x0 + x, y0 + y, n == 0 ? rgb_lerp(p.base, p.oscuro, 0.25f) : p.base);
        }
    int piedras = 5 + azar_n(&a, 3);
    for (int k = 0; k < piedras; k++) {
        int cx = azar_n(&a, 16), cy = azar_n(&a, 16);
        int rx = 2 + azar_n(&a, 3), ry = 2 + azar_n(&a, 2);
        for (int dy = -ry; dy <= ry; dy++)
            for (int dx = -rx; dx <= rx; dx++) {
                float d = (float)(dx * dx) / (rx * rx) + (float)(dy * dy) / (ry * ry);
                if (d > 1.0f) continue;
                int x = pos(cx + dx), y = pos(cy + dy);
                Rgb c = rgb_lerp(p.base, p.claro, 0.35f);
                if (d > 0.55f) // rim: lit above-left, shadowed below-right
                    c = (dy < 0 || (dy == 0 && dx < 0)) ? p.claro : p.oscuro;
                pon(b, x0 + x, y0 + y, c);
            }
    }
    for (int k = 0; k < 6; k++)
        pon(b, x0 + azar_n(&a, 16), y0 + azar_n(&a, 16), p.borde);
}

// Blocks in courses of 8 pixels, every other course shifted by half a block.
static void ladrillos(BITMAP *b, int x0, int y0, uint32_t seed, const Paleta &p, int ancho) {
    Azar a = azar_nuevo(seed);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            int fila = y / 8, yy = y % 8;
            int xx = (x + (fila % 2) * ancho / 2) % ancho;
            Rgb c = p.base;
            if (yy == 7 || xx == ancho - 1)
                c = p.borde;
            else if (yy == 0 || xx == 0)
                c = p.claro;
            else if (yy == 6 || xx == ancho - 2)
                c = p.oscuro;
            else if (azar_n(&a, 5) == 0)
                c = rgb_lerp(p.base, p.oscuro, 0.4f);
            else if (azar_n(&a, 9) == 0)
                c = rgb_lerp(p.base, p.claro, 0.5f);
            pon(b, x0 + x, y0 + y, c);
        }
}

// Grass, moss or slime lying over the top rows, with blades or drops reaching into the row above.
static void cima(BITMAP *b, int x0, int y0, uint32_t seed, const Paleta &p, int grosor,
                 bool gotea) {
    Azar a = azar_nuevo(seed);
    for (int x = 0; x < 16; x++) {
        int alto = grosor + azar_n(&a, 2);
        if (gotea && azar_n(&a, 4) == 0) alto += 2 + azar_n(&a, 3);
        for (int y = 2; y < 2 + alto; y++) {
            Rgb c = y == 2 ? p.cima_claro : (y >= 1 + alto ? p.cima_oscuro : p.cima);
            pon(b, x0 + x, y0 + y, c);
        }
        for (int y = 0; y < 2; y++)
            pon(b, x0 + x, y0 + y, PCXA_MAGENTA);
        if (azar_n(&a, 3) == 0) // a blade or lump above the surface
            pon(b, x0 + x, y0 + 1, p.cima_claro);
        if (azar_n(&a, 7) == 0) {
            pon(b, x0 + x, y0 + 1, p.cima);
            pon(b, x0 + x, y0 + 0, p.cima_claro);
        }
    }
}

// A band of carved trim across the top: used by the temple's floor blocks.
static void cornisa(BITMAP *b, int x0, int y0, const Paleta &p) {
    for (int x = 0; x < 16; x++) {
        pon(b, x0 + x, y0 + 0, p.cima_claro);
        pon(b, x0 + x, y0 + 1, p.cima);
        pon(b, x0 + x, y0 + 2, (x % 4 == 1 || x % 4 == 2) ? p.cima_claro : p.cima);
        pon(b, x0 + x, y0 + 3, (x % 4 == 0) ? p.cima_oscuro : p.cima);
        pon(b, x0 + x, y0 + 4, p.cima_oscuro);
        pon(b, x0 + x, y0 + 5, p.borde);
    }
}

// A wooden beam lying on the rock: the mine's floor.
static void viga(BITMAP *b, int x0, int y0, const Paleta &p) {
    for (int x = 0; x < 16; x++) {
        pon(b, x0 + x, y0 + 0, p.cima_claro);
        for (int y = 1; y < 5; y++)
            pon(b, x0 + x, y0 + y, ((x * 3 + y * 5) % 11 == 0) ? p.cima_oscuro : p.cima);
        pon(b, x0 + x, y0 + 5, p.cima_oscuro);
        pon(b, x0 + x, y0 + 6, p.borde);
    }
    pon(b, x0 + 3, y0 + 2, {200, 200, 210}); // nail heads
    pon(b, x0 + 12, y0 + 2, {200, 200, 210});
}

// The ledge: a thin shelf on the top six rows, mask below it.
static void repisa(BITMAP *b, int x0, int y0, int mundo, const Paleta &p) {
    caja(b, x0, y0, 16, 16, PCXA_MAGENTA);
    if (mundo == 1) { // cloud puff
        disco(b, x0 + 4.0f, y0 + 4.5f, 4.0f, p.repisa, 0);
        disco(b, x0 + 9.5f, y0 + 3.5f, 4.0f, p.repisa, 0);
        disco(b, x0 + 13.0f, y0 + 5.0f, 3.5f, p.repisa, 0);
        for (int x = 0; x < 16; x++) {
            pon(b, x0 + x, y0 + 6, p.repisa);
            pon(b, x0 + x, y0 + 7, p.repisa_oscuro);
        }
        pon(b, x0 + 8, y0 + 1, p.repisa_claro);
        pon(b, x0 + 9, y0 + 1, p.repisa_claro);
        pon(b, x0 + 3, y0 + 2, p.repisa_claro);
        return;
    }
    if (mundo == 4) { // fungus shelf
        for (int x = 0; x < 16; x++) {
            int arco = (x % 8 == 0 || x % 8 == 7) ? 1 : 0;
            for (int y = arco; y < 5 - arco; y++)
                pon(b, x0 + x, y0 + y, y == arco ? p.repisa_claro : p.repisa);
            pon(b, x0 + x, y0 + 5 - arco, p.repisa_oscuro);
            if (x % 3 == 1) pon(b, x0 + x, y0 + 6 - arco, p.repisa_oscuro);
        }
        pon(b, x0 + 3, y0 + 2, {220, 255, 160});
        pon(b, x0 + 11, y0 + 2, {220, 255, 160});
        return;
    }
    for (int x = 0; x < 16; x++) {
        pon(b, x0 + x, y0 + 0, p.repisa_claro);
        for (int y = 1; y < 4; y++)
            pon(b, x0 + x, y0 + y,
                (mundo != 2 && (x + y * 7) % 9 == 0) ? p.repisa_oscuro : p.repisa);
        pon(b, x0 + x, y0 + 4, p.repisa_oscuro);
        pon(b, x0 + x, y0 + 5, p.borde);
    }
    if (mundo == 2) { // stone slab on two brackets
        for (int y = 6; y < 10; y++) {
            int w = 10 - y;
            for (int i = 0; i < w; i++) {
                pon(b, x0 + 2 + i, y0 + y, p.repisa_oscuro);
                pon(b, x0 + 13 - i, y0 + y, p.repisa_oscuro);
            }
        }
    } else { // planks with nails
        pon(b, x0 + 2, y0 + 2, {210, 210, 220});
        pon(b, x0 + 13, y0 + 2, {210, 210, 220});
        pon(b, x0 + 7, y0 + 1, p.repisa_oscuro);
        pon(b, x0 + 8, y0 + 1, p.repisa_oscuro);
    }
}

// A conveyor cell: a rubber belt over rollers with arrows showing the way it carries.
static void cinta(BITMAP *b, int x0, int y0, bool derecha, const Paleta &p) {
    caja(b, x0, y0, 16, 16, PCXA_MAGENTA);
    Rgb goma = {48, 46, 52}, goma_c = {90, 88, 96}, metal = {150, 156, 168}, metal_o = {82, 86, 98};
    Rgb flecha = rgb_lerp({250, 210, 60}, p.cima_claro, 0.25f);
    for (int x = 0; x < 16; x++) {
        pon(b, x0 + x, y0 + 0, goma_c);
        for (int y = 1; y < 5; y++)
            pon(b, x0 + x, y0 + y, goma);
        pon(b, x0 + x, y0 + 5, goma_c);
        for (int y = 6; y < 12; y++)
            pon(b, x0 + x, y0 + y,
                (y == 6) ? metal : (y == 11 ? metal_o : rgb_lerp(metal, metal_o, 0.5f)));
        pon(b, x0 + x, y0 + 12, p.borde);
    }
    for (int k = 0; k < 2; k++) { // rollers
        float cx = x0 + 4.0f + 8 * k;
        disco(b, cx, y0 + 9.0f, 2.5f, metal_o, 0);
        pon(b, (int)cx, y0 + 8, metal);
    }
    for (int k = 0; k < 2; k++) { // chevrons
        int ax = x0 + 3 + 8 * k;
        for (int d = 0; d < 3; d++) {
            int x = derecha ? ax + d : ax + 2 - d;
            pon(b, x, y0 + 1 + d, flecha);
            pon(b, x, y0 + 4 - d, flecha);
        }
    }
}

// Paints the six structural tiles of one world (row w of the sheet: wall, floor surface, wall
// variant, ledge, belt right, belt left) and the world's extra wall pieces in columns 16..19.
bool pinta_muros(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int m;
    if (args.size() != 1 || !arg_entero(args[0], &m) || m < 0 || m > 4) {
        *err = "walls needs a world 0..4";
        return false;
    }
    const Paleta &p = PALETAS[m];
    int y0 = 16 * m;
    uint32_t s = 1000u * (m + 1);
    bool bloques = m == 2;
    for (int i = 0; i < 3; i++) {
        int x0 = 16 * i;
        if (bloques)
            ladrillos(b, x0, y0, s + i, p, i == 2 ? 8 : 16);
        else
            roca(b, x0, y0, s + i, p);
    }
    // floor surface
    switch (m) {
    case 0:
    case 1:
        cima(b, 16, y0, s + 50, p, 3, false);
        break;
    case 2:
        cornisa(b, 16, y0, p);
        break;
    case 3:
        viga(b, 16, y0, p);
        break;
    case 4:
        cima(b, 16, y0, s + 50, p, 3, true);
        break;
    }
    // wall variant: a feature on the texture
    int vx = 32;
    if (m == 0) { // roots
        for (int y = 0; y < 16; y++)
            pon(b, vx + 6 + (y / 5) % 2, y0 + y, {70, 44, 26});
        for (int x = 7; x < 13; x++)
            pon(b, vx + x, y0 + 9 + (x - 7) / 3, {70, 44, 26});
    } else if (m == 1) { // crack
        int x = 8;
        for (int y = 0; y < 16; y++) {
            x += (y % 3 == 0) ? ((y / 3) % 2 ? 1 : -1) : 0;
            pon(b, vx + x, y0 + y, p.borde);
            pon(b, vx + x + 1, y0 + y, p.claro);
        }
    } else if (m == 2) { // a carved eye glyph in the block
        Rgb g = p.borde;
        for (int x = 4; x < 12; x++) {
            pon(b, vx + x, y0 + 5, g);
            pon(b, vx + x, y0 + 10, g);
        }
        pon(b, vx + 3, y0 + 6, g), pon(b, vx + 3, y0 + 9, g), pon(b, vx + 2, y0 + 7, g);
        pon(b, vx + 2, y0 + 8, g), pon(b, vx + 12, y0 + 6, g), pon(b, vx + 12, y0 + 9, g);
        pon(b, vx + 13, y0 + 7, g), pon(b, vx + 13, y0 + 8, g);
        caja(b, vx + 7, y0 + 7, 2, 2, {60, 150, 160});
    } else if (m == 3) { // ore
        Rgb ore[3] = {{240, 200, 80}, {120, 220, 240}, {220, 120, 200}};
        int px[4] = {3, 10, 6, 12}, py[4] = {4, 3, 11, 12};
        for (int k = 0; k < 4; k++) {
            Rgb c = ore[k % 3];
            pon(b, vx + px[k], y0 + py[k], c);
            pon(b, vx + px[k] + 1, y0 + py[k], rgb_escala(c, 0.7f));
            pon(b, vx + px[k], y0 + py[k] + 1, rgb_escala(c, 0.6f));
            pon(b, vx + px[k] - 1, y0 + py[k] - 1, {255, 255, 255});
        }
    } else { // a half-buried bone and glowing pores
        for (int x = 3; x < 13; x++)
            pon(b, vx + x, y0 + 8, {206, 196, 170});
        caja(b, vx + 2, y0 + 7, 2, 3, {226, 216, 190});
        caja(b, vx + 12, y0 + 7, 2, 3, {226, 216, 190});
        pon(b, vx + 6, y0 + 3, {140, 255, 90}), pon(b, vx + 10, y0 + 12, {140, 255, 90});
    }
    repisa(b, 48, y0, m, p);
    cinta(b, 64, y0, true, p);
    cinta(b, 80, y0, false, p);
    // extras in columns 16..19: two more wall textures, a dark wall and a wall with the floor
    // surface on both top and bottom (a floating block)
    for (int i = 0; i < 2; i++) {
        int x0 = 16 * (16 + i);
        if (bloques)
            ladrillos(b, x0, y0, s + 10 + i, p, 8 + 8 * i);
        else
            roca(b, x0, y0, s + 10 + i, p);
    }
    Paleta oscura = p;
    oscura.base = rgb_escala(p.base, 0.55f);
    oscura.claro = rgb_escala(p.claro, 0.55f);
    oscura.oscuro = rgb_escala(p.oscuro, 0.55f);
    oscura.borde = rgb_escala(p.borde, 0.55f);
    if (bloques)
        ladrillos(b, 16 * 18, y0, s + 20, oscura, 16);
    else
        roca(b, 16 * 18, y0, s + 20, oscura);
    copia_tile(b, 24 * m + 1, 24 * m + 19);
    for (int x = 0; x < 16; x++) { // underside edge of the floating block
        pon(b, 16 * 19 + x, y0 + 14, p.oscuro);
        pon(b, 16 * 19 + x, y0 + 15, p.borde);
    }
    return true;
}
