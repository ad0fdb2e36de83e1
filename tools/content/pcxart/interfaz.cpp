// interfaz.cpp -- the intro, title and interface pictures: splash, logo, title, menu backdrop,
// screen frame, energy bars, dialog panel and buttons.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pintores.h"
#include <math.h>

static bool sin_args(const std::vector<std::string> &args, const char *nombre, std::string *err) {
    if (!args.empty()) {
        *err = std::string(nombre) + " takes no arguments";
        return false;
    }
    return true;
}

// Text with a dark outline and a vertical colour ramp, for titles.
static void rotulo(BITMAP *b, int x, int y, int s, const char *t, Rgb arriba, Rgb abajo,
                   Rgb contorno, Rgb sombra) {
    int w = letras_ancho(s, t) + 2 * s + 4, h = 7 * s + 2 * s + 4;
    BITMAP *m = create_bitmap_ex(24, w, h);
    caja(m, 0, 0, w, h, PCXA_MAGENTA);
    letras(m, s + 2, s + 2, s, t, {255, 255, 255});
    // shadow, then outline, then the ramp-coloured letters
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            if (!es_mascara(lee(m, i, j)))
                caja(b, x + i - s - 2 + s, y + j - s - 2 + s, 1, 1, sombra);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            if (!es_mascara(lee(m, i, j)))
                for (int dy = -1; dy <= 1; dy++)
                    for (int dx = -1; dx <= 1; dx++)
                        pon(b, x + i - s - 2 + dx, y + j - s - 2 + dy, contorno);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            if (!es_mascara(lee(m, i, j))) {
                float t = (float)(j - s - 2) / (7 * s);
                Rgb c = rgb_lerp(arriba, abajo, t < 0 ? 0 : (t > 1 ? 1 : t));
                if ((j - s - 2) % s == 0 && t < 0.45f) // a lit edge on the upper strokes
                    c = rgb_lerp(c, {255, 255, 255}, 0.35f);
                pon(b, x + i - s - 2, y + j - s - 2, c);
            }
    destroy_bitmap(m);
}

static void estrellas(BITMAP *b, int x, int y, int w, int h, uint32_t seed, int n) {
    Azar a = azar_nuevo(seed);
    for (int k = 0; k < n; k++) {
        int sx = x + azar_n(&a, w), sy = y + azar_n(&a, h);
        float v = 0.35f + 0.65f * azar_f(&a) * azar_f(&a);
        Rgb c = rgb_escala({255, 246, 220}, v);
        pon(b, sx, sy, c);
        if (v > 0.8f) {
            Rgb d = rgb_escala(c, 0.45f);
            pon(b, sx - 1, sy, d), pon(b, sx + 1, sy, d), pon(b, sx, sy - 1, d),
                pon(b, sx, sy + 1, d);
        }
    }
}

// Layered mountain ridge from x0..x1 with its base at the bottom of the box.
static void cordillera(BITMAP *b, int y_base, int alto, uint32_t seed, Rgb c, Rgb cima) {
    Azar a = azar_nuevo(seed);
    float f1 = 0.02f + 0.02f * azar_f(&a), f2 = 0.05f + 0.05f * azar_f(&a);
    float p1 = azar_f(&a) * 6.28f, p2 = azar_f(&a) * 6.28f;
    for (int x = 0; x < b->w; x++) {
        float h = alto * (0.55f + 0.3f * sinf(x * f1 + p1) + 0.15f * sinf(x * f2 + p2));
        int top = y_base - (int)h;
        for (int y = top; y < b->h; y++)
            pon(b, x, y, y == top ? cima : c);
    }
}

// The studio splash: two pixel friends meeting under our name, 512 x 384.
bool pinta_splash(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!sin_args(args, "splash", err)) return false;
    degradado(b, 0, 0, 512, 384, {10, 12, 36}, {36, 16, 52});
    estrellas(b, 0, 0, 512, 200, 77, 120);
    // a floor of glowing squares
    for (int y = 300; y < 384; y += 12)
        for (int x = 0; x < 512; x += 12) {
            float t = (y - 300) / 84.0f;
            Rgb c = rgb_lerp({40, 24, 90}, {120, 50, 160}, t);
            if (((x / 12) + (y / 12)) % 2) c = rgb_escala(c, 0.7f);
            caja(b, x + 1, y + 1, 10, 10, c);
        }
    // two block friends built of 12-pixel pixels
    static const char *amigo[] = {
        ".######.", "########", "##.##.##", "##.##.##",
        "########", "##....##", ".######.", "..#..#..",
    };
    Rgb colores[2] = {{70, 170, 255}, {255, 110, 170}};
    for (int k = 0; k < 2; k++) {
        int ox = k == 0 ? 120 : 296, oy = 192;
        for (int j = 0; j < 8; j++)
            for (int i = 0; i < 8; i++) {
                int ii = k == 1 ? 7 - i : i;
                if (amigo[j][ii] != '#') continue;
                Rgb c = colores[k];
                if (j == 0 || i == 0) c = rgb_lerp(c, {255, 255, 255}, 0.4f);
                caja(b, ox + i * 12, oy + j * 12, 11, 11, c);
            }
    }
    // the heart between them
    static const char *corazon[] = {".##.##.", "#######", "#######",
                                    ".#####.", "..###..", "...#..."};
    for (int j = 0; j < 6; j++)
        for (int i = 0; i < 7; i++)
            if (corazon[j][i] == '#') caja(b, 235 + i * 6, 200 + j * 6, 5, 5, {255, 70, 100});
    const char *nombre = "PIXELMEET";
    int w = letras_ancho(6, nombre);
    rotulo(b, (512 - w) / 2, 60, 6, nombre, {255, 240, 140}, {255, 120, 60}, {30, 10, 40},
           {8, 4, 16});
    w = letras_ancho(2, "PRESENTS");
    letras(b, (512 - w) / 2, 130, 2, "PRESENTS", {200, 190, 240});
    return true;
}

// The music label's logo: MIRTHWAVE over a sine wave, on black (200 x 53 or larger).
bool pinta_logo(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!sin_args(args, "logo", err)) return false;
    caja(b, 0, 0, b->w, b->h, {0, 0, 0});
    const char *t = "MIRTHWAVE";
    int w = letras_ancho(3, t);
    rotulo(b, (200 - w) / 2, 5, 3, t, {255, 220, 90}, {255, 70, 150}, {60, 10, 60}, {0, 0, 0});
    for (int x = 4; x < 196; x++) {
        float env = sinf((x - 4) / 192.0f * 3.14159f);
        float y = 40.0f + 7.0f * env * sinf((x - 4) * 0.16f);
        for (int k = 0; k < 3; k++) {
            Rgb c = rgb_lerp({40, 200, 255}, {160, 90, 255}, (x - 4) / 192.0f);
            float t = k == 1 ? 1.0f : 0.45f;
            mezcla(b, x, (int)lroundf(y) + k - 1, c, t * (0.3f + 0.7f * env));
        }
    }
    return true;
}

// The title screen, 256 x 192: night sky, hills, the name, the menu box and the credits strip.
bool pinta_titulo(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!sin_args(args, "title", err)) return false;
    degradado(b, 0, 0, 256, 120, {6, 4, 22}, {60, 24, 72});
    degradado(b, 0, 120, 256, 72, {60, 24, 72}, {20, 8, 30});
    estrellas(b, 0, 0, 256, 110, 4242, 90);
    disco(b, 214.0f, 70.0f, 12.0f, {250, 236, 200}, 1.5f);
    disco(b, 219.0f, 66.0f, 10.0f, {50, 22, 66}, 1.0f); // a crescent moon
    cordillera(b, 160, 50, 11, {34, 18, 56}, {70, 44, 100});
    cordillera(b, 176, 34, 12, {20, 10, 34}, {48, 28, 70});
    caja(b, 0, 176, 256, 16, {6, 4, 12});
    for (int x = 0; x < 256; x++)
        pon(b, x, 175, {90, 60, 120});
    const char *t = "VELUMBRINA";
    int w = letras_ancho(4, t);
    rotulo(b, (256 - w) / 2, 24, 4, t, {255, 236, 150}, {230, 90, 40}, {40, 10, 40}, {10, 0, 16});
    w = letras_ancho(1, "THE LIGHT BELOW");
    letras(b, (256 - w) / 2, 62, 1, "THE LIGHT BELOW", {170, 150, 220});
    // the menu box: dark glass with a double frame
    for (int y = 80; y <= 168; y++)
        for (int x = 72; x <= 184; x++)
            mezcla(b, x, y, {8, 6, 20}, 0.85f);
    bisel(b, 70, 78, 117, 93, {170, 130, 220}, {50, 30, 80}, false);
    bisel(b, 71, 79, 115, 91, {30, 20, 50}, {110, 80, 150}, false);
    return true;
}

// The tall backdrop that scrolls additively behind the title: soft coloured shapes on black.
// Rows 465 and below repeat rows 0 and below, so the scroll can wrap without a seam.
bool pinta_menu_fondo(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!sin_args(args, "menuback", err)) return false;
    const int periodo = 465;
    caja(b, 0, 0, b->w, b->h, {0, 0, 0});
    Azar a = azar_nuevo(6657);
    BITMAP *t = create_bitmap_ex(24, b->w, periodo);
    caja(t, 0, 0, t->w, t->h, {0, 0, 0});
    static const Rgb tonos[] = {{110, 40, 160}, {30, 80, 170},  {170, 40, 110},
                                {30, 140, 140}, {150, 100, 30}, {60, 40, 180}};
    for (int k = 0; k < 70; k++) {
        float cx = azar_f(&a) * b->w, cy = azar_f(&a) * periodo;
        float r = 6 + azar_f(&a) * (k < 12 ? 46 : 16);
        Rgb c = tonos[azar_n(&a, 6)];
        float fuerza = k < 12 ? 0.5f : 0.8f;
        int tipo = azar_n(&a, 3);
        for (int y = (int)(cy - r) - 1; y <= (int)(cy + r) + 1; y++)
            for (int x = (int)(cx - r) - 1; x <= (int)(cx + r) + 1; x++) {
                float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
                float d = tipo == 1 ? (fabsf(dx) + fabsf(dy)) : sqrtf(dx * dx + dy * dy);
                float v;
                if (tipo == 2) // ring
                    v = 1.0f - fabsf(d - r * 0.75f) / (r * 0.2f);
                else
                    v = 1.0f - d / r;
                if (v <= 0 || x < 0 || x >= b->w) continue;
                int yy = ((y % periodo) + periodo) % periodo;
                suma(t, x, yy, c, v * v * fuerza);
            }
    }
    for (int k = 0; k < 160; k++) { // sparks
        int x = azar_n(&a, b->w), y = azar_n(&a, periodo);
        suma(t, x, y, {120, 110, 150}, 0.5f + 0.5f * azar_f(&a));
    }
    for (int y = 0; y < b->h; y++)
        blit(t, b, 0, y % periodo, 0, y, b->w, 1);
    destroy_bitmap(t);
    return true;
}

// The screen frame, 256 x 192: a carved border, the name strip on top and a plain status area.
bool pinta_marco(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!sin_args(args, "frame", err)) return false;
    Azar a = azar_nuevo(1919);
    for (int y = 0; y < 192; y++)
        for (int x = 0; x < 256; x++) {
            int n = azar_n(&a, 9);
            Rgb c = {44 + n, 40 + n, 66 + n};
            if (((x / 16) + (y / 8)) % 2 == 0 && (x % 16 == 0 || y % 8 == 0)) c = {32, 28, 50};
            pon(b, x, y, c);
        }
    // name strip
    degradado(b, 0, 0, 256, 15, {70, 50, 100}, {34, 24, 54});
    for (int x = 0; x < 256; x++)
        pon(b, x, 15, {20, 14, 32});
    const char *t = "VELUMBRINA";
    int w = letras_ancho(1, t);
    letras(b, (256 - w) / 2 + 1, 5, 1, t, {20, 10, 24});
    letras(b, (256 - w) / 2, 4, 1, t, {250, 210, 120});
    for (int k = 0; k < 2; k++) { // little gems either side of the name
        int gx = k == 0 ? (256 - w) / 2 - 14 : (256 + w) / 2 + 8;
        disco(b, gx + 3.0f, 7.5f, 3.0f, {90, 220, 120}, 0);
        pon(b, gx + 2, 6, {220, 255, 230});
    }
    // the room's sunken frame
    caja(b, 8, 16, 240, 144, {0, 0, 0});
    bisel(b, 7, 15, 242, 146, {110, 96, 150}, {16, 12, 24}, true);
    bisel(b, 6, 14, 244, 148, {24, 18, 36}, {90, 80, 120}, false);
    // status area: plain and dark so white text reads
    degradado(b, 0, 162, 256, 30, {22, 18, 34}, {14, 12, 22});
    for (int x = 0; x < 256; x++)
        pon(b, x, 162, {70, 60, 100});
    caja(b, 8, 168, 128, 16, {0, 0, 0});
    bisel(b, 7, 167, 130, 18, {16, 12, 24}, {110, 96, 150}, false);
    caja(b, 150, 166, 106, 20, {10, 8, 16});
    bisel(b, 149, 165, 108, 22, {16, 12, 24}, {80, 70, 110},
          false); // open on the right: text may reach x 255
    return true;
}

// bar full|empty: the energy bar, 128 x 16, coloured red to green along its length when full.
bool pinta_barra(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (args.size() != 1 || (args[0] != "full" && args[0] != "empty")) {
        *err = "bar needs full or empty";
        return false;
    }
    bool llena = args[0] == "full";
    for (int x = 0; x < b->w; x++) {
        float t = x / 127.0f;
        Rgb c = t < 0.5f ? rgb_lerp({230, 40, 30}, {250, 210, 40}, t * 2)
                         : rgb_lerp({250, 210, 40}, {60, 220, 80}, (t - 0.5f) * 2);
        if (!llena) c = {46, 34, 52};
        for (int y = 0; y < b->h; y++) {
            Rgb p = c;
            if (y == 0 || y == 15)
                p = {16, 10, 20};
            else if (y <= 3)
                p = llena ? rgb_lerp(c, {255, 255, 255}, 0.55f - 0.12f * y) : rgb_escala(c, 0.6f);
            else if (y >= 12)
                p = rgb_escala(c, llena ? 0.6f : 1.2f);
            if (x % 8 == 7 && y > 0 && y < 15) p = rgb_escala(p, 0.65f);
            pon(b, x, y, p);
        }
    }
    for (int y = 0; y < 16; y++) {
        pon(b, 0, y, {16, 10, 20});
        pon(b, b->w - 1, y, {16, 10, 20});
    }
    return true;
}

// The confirmation dialog's panel, 144 x 48: dark blue glass in a gold frame.
bool pinta_panel(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (!sin_args(args, "panel", err)) return false;
    degradado(b, 0, 0, b->w, b->h, {28, 30, 84}, {12, 12, 40});
    bisel(b, 0, 0, b->w, b->h, {250, 220, 130}, {120, 80, 30}, false);
    bisel(b, 1, 1, b->w - 2, b->h - 2, {170, 130, 60}, {70, 50, 20}, false);
    bisel(b, 3, 3, b->w - 6, b->h - 6, {10, 10, 30}, {70, 70, 140}, false);
    Rgb esquina = {255, 240, 170};
    pon(b, 3, 3, esquina), pon(b, b->w - 4, 3, esquina);
    pon(b, 3, b->h - 4, esquina), pon(b, b->w - 4, b->h - 4, esquina);
    return true;
}

// button sel|unsel: a 32 x 24 button; the label is printed at (4, 8) by the game.
bool pinta_boton(BITMAP *b, const std::vector<std::string> &args, std::string *err) {
    if (args.size() != 1 || (args[0] != "sel" && args[0] != "unsel")) {
        *err = "button needs sel or unsel";
        return false;
    }
    bool sel = args[0] == "sel";
    Rgb arriba = sel ? Rgb{220, 110, 40} : Rgb{62, 66, 104};
    Rgb abajo = sel ? Rgb{140, 40, 30} : Rgb{30, 32, 60};
    degradado(b, 0, 0, b->w, b->h, arriba, abajo);
    bisel(b, 0, 0, b->w, b->h, {16, 10, 20}, {16, 10, 20}, false);
    bisel(b, 1, 1, b->w - 2, b->h - 2, sel ? Rgb{255, 210, 130} : Rgb{120, 126, 170},
          sel ? Rgb{90, 20, 10} : Rgb{18, 18, 40}, false);
    if (sel) { // a glint in the corner
        pon(b, 2, 2, {255, 255, 230});
        pon(b, 3, 2, {255, 240, 180});
        pon(b, 2, 3, {255, 240, 180});
    }
    return true;
}
