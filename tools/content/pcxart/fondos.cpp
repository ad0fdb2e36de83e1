// fondos.cpp -- the five world backgrounds (240 x 144), kept darker and calmer than the tiles so
// that walls and sprites stand out in front of them.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pintores.h"
#include <math.h>

static float limita01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

// Smooth value noise on a lattice of the given cell size, 0..1, repeatable for a seed.
static float ruido(int x, int y, int celda, uint32_t seed) {
    auto valor = [seed](int i, int j) {
        uint32_t h = (uint32_t)i * 374761393u + (uint32_t)j * 668265263u + seed * 2246822519u;
        h = (h ^ (h >> 13)) * 1274126177u;
        return (float)((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
    };
    int i = x / celda, j = y / celda;
    float fx = (float)(x % celda) / celda, fy = (float)(y % celda) / celda;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = valor(i, j), b = valor(i + 1, j), c = valor(i, j + 1), d = valor(i + 1, j + 1);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

static float fractal(int x, int y, uint32_t seed) {
    return 0.5f * ruido(x, y, 32, seed) + 0.3f * ruido(x, y, 12, seed + 1) +
           0.2f * ruido(x, y, 5, seed + 2);
}

// A ridge line: the height above the base row at column x.
static int cresta(int x, float alto, float f, uint32_t seed) {
    return (int)(alto * (0.35f + 0.65f * ruido(x + 1000, 0, (int)f, seed)));
}

static void fondo_pradera(BITMAP *b) {
    degradado(b, 0, 0, 240, 100, {96, 150, 206}, {190, 220, 228});
    for (int k = 0; k < 3; k++) { // soft clouds
        float cx = 40.0f + 80 * k, cy = 18.0f + 9 * (k % 2);
        for (int i = 0; i < 4; i++)
            disco(b, cx + i * 8 - 12, cy + (i % 2) * 2, 7.0f - (i % 2), {214, 230, 240}, 3);
    }
    Rgb capas[3] = {{112, 160, 150}, {74, 132, 88}, {46, 96, 56}};
    int base[3] = {84, 104, 122};
    for (int k = 0; k < 3; k++)
        for (int x = 0; x < 240; x++) {
            int top = base[k] - cresta(x, 26 - 6 * k, 40 - 10 * k, 10 + k);
            for (int y = top; y < 144; y++) {
                float n = ruido(x, y, 4, 20 + k);
                pon(b, x, y, rgb_escala(capas[k], 0.92f + 0.16f * n));
            }
        }
    // trees on the middle hills
    Azar a = azar_nuevo(99);
    for (int k = 0; k < 7; k++) {
        int tx = 10 + k * 34 + azar_n(&a, 12);
        int ty = 104 - cresta(tx, 20, 30, 11) + 2;
        caja(b, tx - 1, ty - 6, 2, 7, {60, 44, 34});
        disco(b, tx + 0.0f, ty - 10.0f, 6.0f, {52, 108, 62}, 1);
        disco(b, tx - 2.0f, ty - 12.0f, 3.0f, {70, 130, 76}, 1);
    }
    // the cave mouth dark at the bottom
    for (int y = 126; y < 144; y++)
        for (int x = 0; x < 240; x++)
            mezcla(b, x, y, {30, 40, 30}, (y - 126) / 18.0f * 0.8f);
}

static void fondo_cielo(BITMAP *b) {
    caja(b, 0, 0, 240, 144, PCXA_MAGENTA);
    // far cliffs rising from the cloud sea at both sides
    for (int x = 0; x < 240; x++) {
        float lado = fminf(x, 239 - x);
        int alto = (int)(84 - lado * 1.5f) + cresta(x, 14, 9, 51);
        if (alto > 0) {
            int top = 100 - alto;
            for (int y = top; y < 100; y++) {
                float t = (float)(y - top) / (alto > 1 ? alto : 1);
                Rgb c = rgb_lerp({150, 150, 200}, {190, 196, 230}, t);
                // strata of the far rock, and a lit face towards the middle of the sky
                float capa = ruido(x / 3, y * 2, 6, 52);
                c = rgb_escala(c, 0.9f + 0.16f * capa);
                if ((y + (int)(x * 0.3f)) % 9 == 0) c = rgb_escala(c, 0.88f);
                if (lado > 40 && lado < 60) c = rgb_lerp(c, {220, 220, 244}, (lado - 40) / 40.0f);
                if (y == top) c = {206, 206, 236};
                pon(b, x, y, c);
            }
        }
    }
    // a floating island in the distance
    for (int x = 150; x < 186; x++) {
        float u = (x - 168) / 18.0f;
        int abajo = (int)(60 + 14 * (1 - u * u));
        for (int y = 58; y < abajo; y++)
            pon(b, x, y, y < 61 ? Rgb{150, 196, 150} : Rgb{160, 156, 196});
    }
    // the sea of clouds below the horizon
    for (int y = 96; y < 144; y++)
        for (int x = 0; x < 240; x++) {
            float n = fractal(x, y * 2, 61);
            float t = (y - 96) / 48.0f;
            Rgb c =
                rgb_lerp({236, 236, 252}, {176, 180, 226}, limita01(t * 0.8f + (0.5f - n) * 0.6f));
            if (y >= 100 || n > 0.55f) pon(b, x, y, c);
        }
}

static void fondo_templo(BITMAP *b) {
    for (int y = 0; y < 144; y++)
        for (int x = 0; x < 240; x++) {
            int fila = y / 12, xx = (x + (fila % 2) * 12) % 24, yy = y % 12;
            float n = fractal(x, y, 71);
            Rgb c = rgb_lerp({56, 40, 32}, {84, 62, 44}, n);
            if (yy == 11 || xx == 23)
                c = {34, 24, 20};
            else if (yy == 0 || xx == 0)
                c = rgb_lerp(c, {110, 84, 60}, 0.5f);
            pon(b, x, y, c);
        }
    // frieze band
    for (int x = 0; x < 240; x++)
        for (int y = 20; y < 30; y++) {
            Rgb c = {96, 74, 44};
            int m = (x + (y - 20)) % 10;
            if (y == 20 || y == 29)
                c = {60, 44, 28};
            else if (m == 0 || (x - (y - 20) + 100) % 10 == 0)
                c = {130, 104, 58};
            pon(b, x, y, c);
        }
    // pillars
    int columnas[3] = {32, 120, 208};
    for (int k = 0; k < 3; k++)
        for (int y = 30; y < 144; y++)
            for (int dx = -10; dx <= 10; dx++) {
                float t = (dx + 10) / 20.0f;
                float luz = 0.55f + 0.45f * sinf(t * 3.14159f) - 0.25f * t;
                if ((dx + 10) % 5 == 0) luz *= 0.7f;
                Rgb c = rgb_escala({110, 88, 62}, luz);
                if (y < 36 || y > 136) c = rgb_escala({126, 100, 70}, luz);
                pon(b, columnas[k] + dx, y, c);
            }
    // a glowing doorway far away between the pillars
    for (int y = 70; y < 144; y++)
        for (int x = 64; x < 96; x++) {
            float arco = (y < 86) ? sqrtf((float)(x - 80) * (x - 80) + (y - 86) * (y - 86))
                                  : fabsf(x - 80.0f);
            if (arco < 14) {
                float t = 1 - arco / 14;
                pon(b, x, y, rgb_lerp({40, 26, 20}, {150, 110, 60}, t * t));
            }
        }
    for (int y = 0; y < 144; y++)
        for (int x = 0; x < 240; x++)
            mezcla(b, x, y, {20, 12, 10}, (float)y / 144 * 0.35f);
}

static void fondo_mina(BITMAP *b) {
    for (int y = 0; y < 144; y++)
        for (int x = 0; x < 240; x++) {
            float n = fractal(x, y, 81);
            float grieta = fabsf(ruido(x, y, 18, 82) - 0.5f);
            Rgb c = rgb_lerp({22, 24, 34}, {62, 66, 82}, n);
            if (grieta < 0.012f) c = rgb_lerp(c, {14, 14, 22}, 0.6f);
            pon(b, x, y, c);
        }
    // timber frames: two posts and a cap beam, repeating
    for (int f = 0; f < 3; f++) {
        int x0 = 16 + f * 80;
        for (int k = 0; k < 2; k++)
            for (int y = 20; y < 144; y++)
                for (int dx = 0; dx < 6; dx++) {
                    Rgb c =
                        dx == 0 ? Rgb{100, 72, 44} : (dx == 5 ? Rgb{40, 26, 16} : Rgb{72, 50, 30});
                    if ((y * 3 + dx * 7) % 17 == 0) c = rgb_escala(c, 0.75f);
                    pon(b, x0 + k * 42 + dx, y, c);
                }
        for (int x = x0 - 3; x < x0 + 51; x++)
            for (int y = 14; y < 21; y++)
                pon(b, x, y,
                    y == 14 ? Rgb{110, 80, 50} : (y == 20 ? Rgb{36, 24, 14} : Rgb{76, 52, 32}));
        // a lantern glow hanging from the beam
        float lx = x0 + 24.0f, ly = 34.0f;
        for (int y = 0; y < 144; y++)
            for (int x = x0 - 20; x < x0 + 70; x++) {
                float d = sqrtf((x - lx) * (x - lx) + (y - ly) * (y - ly)) / 40.0f;
                if (d < 1) suma(b, x, y, {90, 60, 20}, (1 - d) * (1 - d) * 0.7f);
            }
        caja(b, (int)lx - 1, 21, 1, 9, {30, 30, 30});
        caja(b, (int)lx - 3, 30, 5, 6, {250, 200, 90});
        caja(b, (int)lx - 2, 31, 3, 4, {255, 250, 200});
    }
    // rails at the bottom
    for (int x = 0; x < 240; x++) {
        if (x % 10 < 6) caja(b, x, 134, 1, 4, {60, 40, 24});
        pon(b, x, 133, {140, 140, 150});
    }
}

static void fondo_abismo(BITMAP *b) {
    for (int y = 0; y < 144; y++)
        for (int x = 0; x < 240; x++) {
            float n = fractal(x, y, 91);
            float m = ruido(x, y, 24, 92);
            Rgb c = rgb_lerp({10, 6, 16}, {44, 20, 52}, n * n);
            if (m > 0.62f) // fleshy lumps
                c = rgb_lerp(c, {60, 30, 60}, (m - 0.62f) * 3);
            if (fabsf(m - 0.62f) < 0.015f) c = {20, 40, 24};
            pon(b, x, y, c);
        }
    // hanging tendrils
    Azar a = azar_nuevo(4444);
    for (int k = 0; k < 9; k++) {
        float x = 10.0f + k * 26 + azar_n(&a, 10);
        int largo = 30 + azar_n(&a, 60);
        for (int y = 0; y < largo; y++) {
            float w = 2.5f * (1 - (float)y / largo);
            float cx = x + 3 * sinf(y * 0.12f + k);
            for (int dx = (int)(cx - w); dx <= (int)(cx + w); dx++)
                pon(b, dx, y, rgb_lerp({40, 66, 40}, {20, 30, 24}, (float)y / largo));
        }
        disco(b, x + 3 * sinf(largo * 0.12f + k), (float)largo, 1.5f, {120, 220, 110}, 0);
    }
    // glowing spores
    for (int k = 0; k < 70; k++) {
        int x = azar_n(&a, 240), y = azar_n(&a, 144);
        Rgb c = (k % 3) ? Rgb{90, 200, 110} : Rgb{170, 90, 210};
        suma(b, x, y, c, 0.8f);
        suma(b, x + 1, y, c, 0.25f), suma(b, x - 1, y, c, 0.25f);
        suma(b, x, y + 1, c, 0.25f), suma(b, x, y - 1, c, 0.25f);
    }
}

// background W: the backdrop of world W (0 meadow, 1 sky cliffs, 2 temple, 3 mine, 4 depths).
bool pinta_fondo(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int m;
    if (args.size() != 1 || !arg_entero(args[0], &m) || m < 0 || m > 4) {
        *err = "background needs a world 0..4";
        return false;
    }
    if (b->w < 240 || b->h < 144) {
        *err = "a background needs a 240 x 144 picture";
        return false;
    }
    switch (m) {
    case 0:
        fondo_pradera(b);
        break;
    case 1:
        fondo_cielo(b);
        break;
    case 2:
        fondo_templo(b);
        break;
    case 3:
        fondo_mina(b);
        break;
    default:
        fondo_abismo(b);
        break;
    }
    return true;
}
