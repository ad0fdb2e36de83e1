// plataformas.cpp -- the platform kinds (sprites 13..22, four frames each) and the pushable
// block (23): code-drawn because their frames differ only by blinking lights and turning parts.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pintores.h"
#include <math.h>

static void cuadro(BITMAP *b, int s, int *x0, int *y0) {
    *x0 = (s % 24) * 16;
    *y0 = (s / 24) * 16;
    caja(b, *x0, *y0, 16, 16, PCXA_MAGENTA);
}

// 13: wooden raft hanging from two ropes that sway.
static void balsa(BITMAP *b, int x0, int y0, int f) {
    for (int x = 0; x < 16; x++) {
        pon(b, x0 + x, y0, {200, 150, 90});
        for (int y = 1; y < 5; y++)
            pon(b, x0 + x, y0 + y, x % 4 == 3 ? Rgb{90, 56, 30} : Rgb{150, 100, 56});
        pon(b, x0 + x, y0 + 5, {70, 44, 24});
    }
    int sway = (f == 1) ? 1 : (f == 3 ? -1 : 0);
    for (int y = 6; y < 12; y++) {
        pon(b, x0 + 3 + (y > 8 ? sway : 0), y0 + y, {190, 170, 120});
        pon(b, x0 + 12 + (y > 8 ? sway : 0), y0 + y, {190, 170, 120});
    }
    pon(b, x0 + 3 + sway, y0 + 12, {120, 100, 70});
    pon(b, x0 + 12 + sway, y0 + 12, {120, 100, 70});
}

// 14: temple slab with a rune that pulses.
static void losa(BITMAP *b, int x0, int y0, int f) {
    for (int x = 0; x < 16; x++)
        for (int y = 0; y < 8; y++) {
            Rgb c = {176, 152, 120};
            if (y == 0 || x == 0) c = {220, 200, 170};
            if (y == 7 || x == 15) c = {96, 80, 64};
            pon(b, x0 + x, y0 + y, c);
        }
    float p = 0.35f + 0.65f * (f == 0 ? 0.2f : (f == 1 ? 0.6f : (f == 2 ? 1.0f : 0.6f)));
    Rgb runa = rgb_lerp({80, 70, 60}, {90, 240, 255}, p);
    int rx = x0 + 5, ry = y0 + 2;
    for (int k = 0; k < 6; k++)
        pon(b, rx + k, ry + 1, runa);
    pon(b, rx + 1, ry, runa), pon(b, rx + 4, ry + 2, runa), pon(b, rx + 2, ry + 3, runa);
    for (int x = 3; x < 13; x++) // underside shadow fading into a glow
        pon(b, x0 + x, y0 + 8, rgb_lerp({60, 50, 40}, {60, 160, 180}, p * 0.6f));
}

// 15: cloud puff whose outline breathes.
static void nube(BITMAP *b, int x0, int y0, int f) {
    float r = 4.0f + (f == 1 || f == 3 ? 0.5f : (f == 2 ? 1.0f : 0.0f));
    disco(b, x0 + 4.0f, y0 + 6.0f, r, {240, 244, 255}, 0);
    disco(b, x0 + 10.0f, y0 + 5.5f, r + 0.5f, {250, 252, 255}, 0);
    disco(b, x0 + 13.0f, y0 + 7.0f, r - 1, {230, 234, 250}, 0);
    for (int x = 1; x < 15; x++) {
        pon(b, x0 + x, y0 + 10, {210, 216, 240});
        pon(b, x0 + x, y0 + 11, {170, 180, 220});
    }
    for (int x = 0; x < 16; x++) // the top stays flat where the player stands
        pon(b, x0 + x, y0, PCXA_MAGENTA);
    caja(b, x0, y0 + 1, 16, 1, {255, 255, 255});
    caja(b, x0 + 1, y0 + 2, 14, 2, {248, 250, 255});
}

// 16: metal lift with lights chasing along its side.
static void ascensor(BITMAP *b, int x0, int y0, int f) {
    for (int x = 0; x < 16; x++)
        for (int y = 0; y < 8; y++) {
            Rgb c = {120, 128, 146};
            if (y == 0)
                c = {200, 206, 220};
            else if (y == 7)
                c = {50, 54, 66};
            else if (y == 1)
                c = {160, 166, 182};
            pon(b, x0 + x, y0 + y, c);
        }
    for (int k = 0; k < 4; k++) {
        bool on = k == f;
        caja(b, x0 + 2 + k * 3, y0 + 3, 2, 2, on ? Rgb{255, 230, 80} : Rgb{70, 60, 40});
    }
    pon(b, x0 + 1, y0 + 2, {230, 230, 240}), pon(b, x0 + 14, y0 + 2, {230, 230, 240});
    for (int y = 8; y < 11; y++) { // a thruster glow under the lift
        caja(b, x0 + 6, y0 + y, 4, 1, y == 8 ? Rgb{80, 80, 90} : Rgb{60, 160 + 30 * (f % 2), 255});
    }
}

// 17: fungus pad of the depths, bubbling.
static void hongo(BITMAP *b, int x0, int y0, int f) {
    for (int x = 0; x < 16; x++) {
        int arco = (x < 2 || x > 13) ? 1 : 0;
        for (int y = arco; y < 6; y++)
            pon(b, x0 + x, y0 + y, y == arco ? Rgb{190, 150, 220} : Rgb{130, 90, 160});
        pon(b, x0 + x, y0 + 6, {70, 40, 90});
    }
    for (int y = 7; y < 13; y++) // stalk
        caja(b, x0 + 6, y0 + y, 4, 1, y % 2 ? Rgb{150, 130, 120} : Rgb{120, 100, 100});
    int spots[3][2] = {{3, 2}, {8, 3}, {12, 2}};
    for (int k = 0; k < 3; k++) {
        bool on = (f + k) % 2 == 0;
        pon(b, x0 + spots[k][0], y0 + spots[k][1], on ? Rgb{160, 255, 120} : Rgb{100, 160, 90});
    }
    int by = 12 - 3 * f; // a bubble rising through the stalk's side
    if (by >= 7) pon(b, x0 + 11, y0 + by, {140, 255, 140});
}

// 18: propeller disc, its blades turning through four positions.
static void helice(BITMAP *b, int x0, int y0, int f) {
    for (int x = 0; x < 16; x++)
        for (int y = 0; y < 6; y++)
            pon(b, x0 + x, y0 + y,
                y == 0 ? Rgb{240, 200, 110} : (y == 5 ? Rgb{120, 70, 30} : Rgb{200, 140, 60}));
    caja(b, x0 + 7, y0 + 6, 2, 4, {90, 90, 100});
    static const int largo[4] = {7, 4, 1, 4};
    int l = largo[f];
    for (int x = 8 - l; x < 8 + l; x++)
        pon(b, x0 + x, y0 + 10, {200, 200, 210});
    pon(b, x0 + 7, y0 + 10, {60, 60, 70}), pon(b, x0 + 8, y0 + 10, {60, 60, 70});
}

// 19: a floating temple block held up by a glowing gem underneath.
static void bloque_flotante(BITMAP *b, int x0, int y0, int f) {
    for (int y = 0; y < 9; y++)
        for (int x = 0; x < 16; x++) {
            Rgb c = {188, 150, 96};
            if (y == 0 || x == 0)
                c = {232, 200, 140};
            else if (y == 8 || x == 15)
                c = {110, 80, 46};
            else if (x == 8 && y > 1 && y < 7)
                c = {132, 98, 60};
            else if (y == 4)
                c = {150, 116, 70};
            pon(b, x0 + x, y0 + y, c);
        }
    static const int brillo[4] = {0, 1, 2, 1};
    Rgb gema = rgb_lerp({60, 110, 200}, {170, 230, 255}, brillo[f] / 2.0f);
    caja(b, x0 + 6, y0 + 9, 4, 2, gema);
    caja(b, x0 + 7, y0 + 11, 2, 1, gema);
    if (brillo[f] == 2) pon(b, x0 + 7, y0 + 9, {255, 255, 255});
    for (int k = 0; k < 1 + brillo[f]; k++) // sparks of lift below the gem
        pon(b, x0 + 5 + k * 3, y0 + 13 + (k + f) % 2, {120, 200, 255});
}

// 20: a mine cart riding its rail, wheels turning.
static void vagoneta(BITMAP *b, int x0, int y0, int f) {
    for (int y = 0; y < 8; y++)
        for (int x = 1; x < 15; x++) {
            Rgb c = {120, 90, 60};
            if (y == 0)
                c = {170, 176, 190};
            else if (y == 7 || x == 1 || x == 14)
                c = {60, 44, 30};
            else if (x % 4 == 0)
                c = {90, 66, 42};
            pon(b, x0 + x, y0 + y, c);
        }
    for (int k = 0; k < 2; k++) {
        float cx = x0 + 4.5f + 7 * k;
        disco(b, cx, y0 + 10.0f, 2.5f, {60, 62, 70}, 0);
        int dx = (f % 2) ? 1 : 0, dy = (f % 2) ? 0 : 1; // the spoke turns
        pon(b, (int)cx - dx, y0 + 10 - dy, {190, 196, 210});
        pon(b, (int)cx + dx, y0 + 10 + dy, {190, 196, 210});
    }
    for (int x = 0; x < 16; x++)
        pon(b, x0 + x, y0 + 13, {150, 150, 160});
}

// 21: a sheet of ice, glinting as the light runs along it.
static void hielo(BITMAP *b, int x0, int y0, int f) {
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 16; x++) {
            Rgb c = rgb_lerp({220, 244, 255}, {130, 180, 230}, y / 5.0f);
            if (y == 0) c = {250, 254, 255};
            pon(b, x0 + x, y0 + y, c);
        }
    for (int x = 1; x < 15; x += 3) // icicles under the sheet
        for (int y = 6; y < 6 + (x * 7 % 4) + 1; y++)
            pon(b, x0 + x, y0 + y, {170, 210, 245});
    int gx = 2 + f * 4;
    pon(b, x0 + gx, y0 + 2, {255, 255, 255});
    pon(b, x0 + gx + 1, y0 + 1, {255, 255, 255});
    pon(b, x0 + gx - 1, y0 + 3, {235, 250, 255});
}

// 22: a raft of bones bound with slime, dripping.
static void balsa_huesos(BITMAP *b, int x0, int y0, int f) {
    for (int k = 0; k < 3; k++)
        for (int x = 0; x < 16; x++) {
            int y = 1 + k * 2;
            Rgb c = (x == 0 || x == 15) ? Rgb{236, 228, 204} : Rgb{206, 196, 170};
            if ((x + k * 5) % 7 == 0) c = {150, 140, 120};
            pon(b, x0 + x, y0 + y, c);
            pon(b, x0 + x, y0 + y + 1, {120, 110, 96});
        }
    for (int x = 3; x < 16; x += 5) {
        pon(b, x0 + x, y0 + 0, {100, 210, 70});
        for (int y = 1; y < 7; y++)
            pon(b, x0 + x, y0 + y, {80, 180, 60});
    }
    int gota = 8 + f * 2; // a drop of slime falling from the raft
    pon(b, x0 + 8, y0 + 7, {80, 180, 60});
    if (gota < 16) pon(b, x0 + 8, y0 + gota, {140, 240, 100});
}

// 23: the pushable block, a crate whose corner bolts catch the light in turn.
static void caja_empuje(BITMAP *b, int x0, int y0, int f) {
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            Rgb c = {160, 110, 60};
            if (x == 0 || y == 0)
                c = {210, 160, 100};
            else if (x == 15 || y == 15)
                c = {80, 50, 26};
            else if (x == 1 || y == 1 || x == 14 || y == 14)
                c = {120, 80, 40};
            else if (x == y || x == 15 - y || x == y + 1 || x + 1 == 15 - y)
                c = {190, 140, 80};
            else if (y % 4 == 0)
                c = {140, 96, 50};
            pon(b, x0 + x, y0 + y, c);
        }
    int bx[4] = {2, 13, 13, 2}, by[4] = {2, 2, 13, 13};
    for (int k = 0; k < 4; k++)
        pon(b, x0 + bx[k], y0 + by[k], k == f ? Rgb{255, 255, 230} : Rgb{200, 200, 210});
}

// platforms: paints kinds 13..22 and the block 23, frames at +0, +24, +48, +72.
bool pinta_plataformas(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!args.empty()) {
        *err = "platforms takes no arguments";
        return false;
    }
    typedef void (*Dibujo)(BITMAP *, int, int, int);
    struct {
        int sprite;
        Dibujo d;
    } kinds[] = {{13, balsa},           {14, losa},       {15, nube},
                 {16, ascensor},        {17, hongo},      {18, helice},
                 {19, bloque_flotante}, {20, vagoneta},   {21, hielo},
                 {22, balsa_huesos},    {23, caja_empuje}};
    for (auto &k : kinds)
        for (int f = 0; f < 4; f++) {
            int x0, y0;
            cuadro(b, k.sprite + 24 * f, &x0, &y0);
            k.d(b, x0, y0, f);
        }
    return true;
}
