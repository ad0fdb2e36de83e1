// luces.cpp -- light pictures: the green halo, the darkness around the player, light rays, the
// last room's glow and the cloud bands.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pintores.h"
#include <math.h>

static float limita01(float v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

// halo: a round green glow filling the picture, black (no light) at its edge.
bool pinta_halo(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!args.empty()) {
        *err = "halo takes no arguments";
        return false;
    }
    float cx = b->w / 2.0f, cy = b->h / 2.0f, r = b->w / 2.0f;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            float d = sqrtf((x + 0.5f - cx) * (x + 0.5f - cx) + (y + 0.5f - cy) * (y + 0.5f - cy));
            float v = limita01(1.0f - d / r);
            v = v * v * (3 - 2 * v);
            float nucleo = limita01(1.0f - d / (r * 0.3f));
            Rgb c = {(int)(70 * v + 120 * nucleo * nucleo), (int)(255 * v),
                     (int)(110 * v + 80 * nucleo * nucleo)};
            pon(b, x, y, c);
        }
    return true;
}

// antihalo CX CY CLEAR DARK: how much light to take away, growing from nothing within CLEAR
// pixels of (CX, CY) to everything at DARK pixels;.
bool pinta_anti_halo(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int v[4];
    for (int i = 0; i < 4; i++)
        if (args.size() != 4 || !arg_entero(args[i], &v[i])) {
            *err = "antihalo needs cx cy clear dark";
            return false;
        }
    if (v[3] <= v[2]) {
        *err = "the dark radius must be beyond the clear one";
        return false;
    }
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            float d = sqrtf((x - v[0] + 0.5f) * (x - v[0] + 0.5f) +
                            (y - v[1] + 0.5f) * (y - v[1] + 0.5f));
            float t = limita01((d - v[2]) / (float)(v[3] - v[2]));
            t = t * t * (3 - 2 * t);
            float n = 0;
            // a touch less taken from blue, so the darkness reads as deep blue, not grey
            Rgb c = {(int)(255 * t + n), (int)(255 * t + n), (int)(215 * t + n)};
            if (t <= 0) c = {0, 0, 0};
            pon(b, x, y, c);
        }
    return true;
}

// rays: slanted shafts of warm light from holes in the ceiling, with floating motes; black
// elsewhere. For world 3's mines.
bool pinta_rayos(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!args.empty()) {
        *err = "rays takes no arguments";
        return false;
    }
    caja(b, 0, 0, b->w, b->h, {0, 0, 0});
    struct Rayo {
        float x, ancho, fuerza;
    } rayos[] = {{30, 14, 0.55f}, {92, 22, 0.75f}, {150, 10, 0.5f}, {200, 18, 0.65f}};
    const float pendiente = 0.45f; // pixels right per row down
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            float luz = 0;
            for (const Rayo &r : rayos) {
                float centro = r.x + y * pendiente;
                float d = fabsf(x - centro) / (r.ancho * (1.0f + y / 200.0f));
                if (d < 1) {
                    float borde = 1 - d;
                    luz += r.fuerza * borde * borde * (1.0f - 0.6f * y / b->h);
                }
            }
            luz = limita01(luz);
            pon(b, x, y, {(int)(255 * luz), (int)(220 * luz), (int)(150 * luz)});
        }
    Azar a = azar_nuevo(808);
    for (int k = 0; k < 60; k++) {
        int x = azar_n(&a, b->w), y = azar_n(&a, b->h);
        Rgb c = lee(b, x, y);
        if (c.r > 30) suma(b, x, y, {150, 140, 100}, 1.0f);
    }
    return true;
}

// fancy: the last room's decoration: a ring of soft coloured lights and sparkles around the
// middle, a faint vignette of colour at the edges; black elsewhere.
bool pinta_fancy(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!args.empty()) {
        *err = "fancy takes no arguments";
        return false;
    }
    caja(b, 0, 0, b->w, b->h, {0, 0, 0});
    float cx = b->w / 2.0f, cy = b->h / 2.0f;
    static const Rgb tonos[] = {{255, 80, 200}, {80, 160, 255}, {120, 255, 140}, {255, 200, 80}};
    for (int k = 0; k < 12; k++) {
        float ang = k * 6.2832f / 12;
        float lx = cx + cosf(ang) * 96, ly = cy + sinf(ang) * 54;
        Rgb c = tonos[k % 4];
        for (int y = (int)ly - 20; y <= (int)ly + 20; y++)
            for (int x = (int)lx - 20; x <= (int)lx + 20; x++) {
                float d = sqrtf((x - lx) * (x - lx) + (y - ly) * (y - ly)) / 20.0f;
                if (d < 1) suma(b, x, y, c, (1 - d) * (1 - d) * 0.8f);
            }
    }
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            float ex = fabsf(x - cx) / cx, ey = fabsf(y - cy) / cy;
            float borde = limita01((fmaxf(ex, ey) - 0.8f) / 0.2f);
            suma(b, x, y, {90, 40, 140}, borde * 0.6f);
        }
    Azar a = azar_nuevo(2525);
    for (int k = 0; k < 90; k++) {
        int x = azar_n(&a, b->w), y = azar_n(&a, b->h);
        Rgb c = tonos[azar_n(&a, 4)];
        suma(b, x, y, c, 1.0f);
        suma(b, x - 1, y, c, 0.4f), suma(b, x + 1, y, c, 0.4f);
        suma(b, x, y - 1, c, 0.4f), suma(b, x, y + 1, c, 0.4f);
    }
    return true;
}

// clouds SEED: a band of white clouds on magenta that wraps around horizontally (the picture's
// width is the period), lit from above and shaded blue-grey underneath.
bool pinta_nubes(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    int seed;
    if (args.size() != 1 || !arg_entero(args[0], &seed)) {
        *err = "clouds needs a seed";
        return false;
    }
    caja(b, 0, 0, b->w, b->h, PCXA_MAGENTA);
    Azar a = azar_nuevo((uint32_t)seed);
    const int W = b->w, H = b->h;
    // a height field of overlapping puffs, each wrapping around the band
    std::vector<float> campo(W * H, -1.0f);
    int grupos = 4 + azar_n(&a, 2);
    for (int g = 0; g < grupos; g++) {
        float gx = g * (float)W / grupos + azar_f(&a) * 20;
        int puffs = 4 + azar_n(&a, 4);
        for (int k = 0; k < puffs; k++) {
            // puffs grow towards the middle of the cloud, sitting on a flat bottom
            float px = gx + (k - puffs / 2.0f) * (6 + azar_f(&a) * 3);
            float r = 4.5f + 5.0f * sinf(3.14159f * (k + 0.5f) / puffs) + azar_f(&a) * 1.5f;
            float py = H - 2 - r * 0.7f;
            for (int y = 0; y < H; y++)
                for (int xx = -14; xx <= 14; xx++) {
                    int x = (int)px + xx;
                    float dx = x + 0.5f - px, dy = y + 0.5f - py;
                    float d = r - sqrtf(dx * dx + dy * dy);
                    int wx = ((x % W) + W) % W;
                    if (d > campo[y * W + wx] && y < H - 2) campo[y * W + wx] = d;
                }
        }
    }
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            float d = campo[y * W + x];
            if (d < 0) continue;
            float abajo = (float)y / H;
            Rgb c = rgb_lerp({255, 255, 255}, {176, 184, 222}, limita01(abajo * 1.3f - 0.3f));
            if (d < 1.2f) // rim light
                c = y < H / 2 ? Rgb{255, 255, 255} : Rgb{150, 156, 204};
            pon(b, x, y, c);
        }
    return true;
}
