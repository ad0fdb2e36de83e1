// cristales.cpp -- the translucent tile bodies (216..221, 228..233) and their opaque overlays
// (six numbers higher): glass, water, ice, mist, energy field, stained glass, lava, amethyst,
// slime, and three lights for the front layer (where they are added): a shaft, a lamp, sparks.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pintores.h"
#include <math.h>

static int x_de(int t) {
    return (t % 24) * 16;
}
static int y_de(int t) {
    return (t / 24) * 16;
}

// A body: filled with its colour and a gentle pattern; drawn a quarter opaque by the game (and
// added as a glow when placed in front).
static void cuerpo(BITMAP *b, int t, Rgb c, Rgb d, int patron) {
    int x0 = x_de(t), y0 = y_de(t);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            float v = 0;
            switch (patron) {
            case 0: // glass: a diagonal sheen
                v = ((x + y) % 16 < 3) ? 1.0f : 0.0f;
                break;
            case 1: // water: horizontal ripples
                v = 0.5f + 0.5f * sinf(x * 0.8f + y * 1.7f) * (y % 4 == 0 ? 1.0f : 0.3f);
                break;
            case 2: // ice: facets
                v = ((x * 3 + y * 5) % 11) / 10.0f;
                break;
            case 3: // mist: soft wisps
                v = 0.5f + 0.5f * sinf(x * 0.39f + sinf(y * 0.7f) * 2.0f);
                break;
            case 4: // energy: bands
                v = (y % 4 < 2) ? 1.0f : 0.2f;
                break;
            case 6: { // light shaft: a soft slanted beam, brightest in its middle
                float d = fabsf((x - 8.0f) - (y - 8.0f) * 0.45f) / 6.0f;
                v = d < 1 ? (1 - d) * (1 - d) : 0.0f;
                break;
            }
            case 7: { // lamp: a round glow
                float d = sqrtf((x - 7.5f) * (x - 7.5f) + (y - 7.5f) * (y - 7.5f)) / 8.0f;
                v = d < 1 ? (1 - d) * (1 - d) : 0.0f;
                break;
            }
            case 8: // sparks: a few bright points on black
                v = ((x * 7 + y * 13) % 23 == 0 || (x * 5 + y * 3) % 29 == 0) ? 1.0f : 0.0f;
                break;
            default: // panes
                v = ((x / 8) + (y / 8)) % 2 ? 1.0f : 0.0f;
                break;
            }
            pon(b, x0 + x, y0 + y, rgb_lerp(c, d, v));
        }
}

// The overlay of a body: only the frame or highlights; mask where the body shows through.
static void marco(BITMAP *b, int t, int estilo, Rgb luz, Rgb sombra) {
    int x0 = x_de(t), y0 = y_de(t);
    caja(b, x0, y0, 16, 16, PCXA_MAGENTA);
    switch (estilo) {
    case 0: // window frame with a glint
        bisel(b, x0, y0, 16, 16, luz, sombra, false);
        bisel(b, x0 + 1, y0 + 1, 14, 14, sombra, luz, false);
        for (int k = 0; k < 4; k++)
            pon(b, x0 + 4 + k, y0 + 7 - k, {255, 255, 255});
        break;
    case 1: // water: a bright surface line
        for (int x = 0; x < 16; x++) {
            pon(b, x0 + x, y0 + (x % 6 < 3 ? 0 : 1), luz);
            if (x % 5 == 2) pon(b, x0 + x, y0 + 4 + (x % 3), luz);
        }
        break;
    case 2: // ice: white rim and a crack
        bisel(b, x0, y0, 16, 16, luz, sombra, false);
        for (int k = 0; k < 6; k++)
            pon(b, x0 + 3 + k, y0 + 4 + k / 2 + (k % 2), sombra);
        pon(b, x0 + 12, y0 + 3, {255, 255, 255});
        break;
    case 3: // mist: a few bright wisps only
        for (int x = 2; x < 7; x++)
            pon(b, x0 + x, y0 + 4, luz);
        for (int x = 9; x < 14; x++)
            pon(b, x0 + x, y0 + 11, luz);
        break;
    case 4: // energy field: emitters at the sides and sparks
        for (int y = 0; y < 16; y++) {
            pon(b, x0, y0 + y, sombra);
            pon(b, x0 + 15, y0 + y, sombra);
        }
        for (int y = 2; y < 16; y += 4) {
            pon(b, x0 + 1, y0 + y, luz);
            pon(b, x0 + 14, y0 + y, luz);
        }
        pon(b, x0 + 6, y0 + 5, {255, 255, 255});
        pon(b, x0 + 10, y0 + 11, {255, 255, 255});
        break;
    case 6: // light shaft: motes of dust caught in it
    case 8: // sparks: the brightest of them
        pon(b, x0 + 6, y0 + 4, luz), pon(b, x0 + 10, y0 + 9, luz), pon(b, x0 + 4, y0 + 13, luz);
        pon(b, x0 + 12, y0 + 2, {255, 255, 255}), pon(b, x0 + 8, y0 + 7, {255, 255, 255});
        break;
    case 7: // lamp: its little cage
        for (int k = 5; k < 11; k++)
            pon(b, x0 + k, y0 + 4, sombra), pon(b, x0 + k, y0 + 11, sombra);
        for (int k = 4; k < 12; k++)
            pon(b, x0 + 5, y0 + k, sombra), pon(b, x0 + 10, y0 + k, sombra);
        pon(b, x0 + 7, y0 + 3, sombra), pon(b, x0 + 8, y0 + 3, sombra);
        pon(b, x0 + 7, y0 + 7, {255, 255, 255});
        break;
    default: // stained glass: lead lines
        for (int k = 0; k < 16; k++) {
            pon(b, x0 + k, y0, sombra), pon(b, x0 + k, y0 + 15, sombra);
            pon(b, x0, y0 + k, sombra), pon(b, x0 + 15, y0 + k, sombra);
            pon(b, x0 + 7 + (k < 8 ? 0 : 1), y0 + k, sombra);
            pon(b, x0 + k, y0 + 7 + (k < 8 ? 0 : 1), sombra);
        }
        pon(b, x0 + 3, y0 + 3, luz);
        pon(b, x0 + 11, y0 + 3, luz);
        break;
    }
}

// glass: paints the twelve translucent bodies and their twelve overlays.
bool pinta_cristales(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!args.empty()) {
        *err = "glass takes no arguments";
        return false;
    }
    struct Tipo {
        Rgb c, d, luz, sombra;
        int patron;
    } tipos[12] = {
        {{150, 200, 230}, {230, 250, 255}, {200, 220, 235}, {70, 90, 110}, 0},   // glass
        {{40, 110, 210}, {90, 170, 250}, {210, 240, 255}, {20, 60, 120}, 1},     // water
        {{170, 230, 250}, {235, 250, 255}, {255, 255, 255}, {110, 170, 210}, 2}, // ice
        {{200, 200, 210}, {150, 150, 170}, {240, 240, 250}, {120, 120, 140}, 3}, // mist
        {{80, 255, 180}, {20, 140, 120}, {200, 255, 230}, {50, 60, 70}, 4},      // energy field
        {{220, 60, 80}, {60, 90, 220}, {255, 220, 120}, {30, 24, 28}, 5},        // stained glass
        {{255, 120, 30}, {255, 200, 60}, {255, 230, 150}, {120, 40, 10}, 1},     // lava glow
        {{190, 90, 255}, {255, 180, 255}, {255, 230, 255}, {90, 40, 140}, 2},    // amethyst
        {{120, 220, 60}, {60, 160, 40}, {200, 255, 140}, {30, 80, 20}, 3},       // slime membrane
        {{0, 0, 0}, {255, 230, 160}, {255, 250, 220}, {60, 50, 30}, 6},          // light shaft
        {{0, 0, 0}, {255, 200, 110}, {255, 240, 200}, {70, 60, 50}, 7},          // lamp glow
        {{0, 0, 0}, {180, 240, 255}, {230, 250, 255}, {40, 40, 60}, 8},          // sparks
    };
    for (int k = 0; k < 12; k++) {
        int t = k < 6 ? 216 + k : 228 + (k - 6);
        cuerpo(b, t, tipos[k].c, tipos[k].d, tipos[k].patron);
        marco(b, t + 6, tipos[k].patron, tipos[k].luz, tipos[k].sombra);
    }
    return true;
}
