// vbtexto.cpp -- finds a text drawn at full white in a screenshot of the game's window, by drawing
// the same text with the game's own font into a memory bitmap and comparing pixel by pixel.
// Usage: vbtexto FONT SHOT.ppm TEXT [ROW]. SHOT is the window (or the screen in full screen) as a
// binary PPM (P6, 8-bit); the picture sits at the largest whole scale that fits, centred.
// Prints the logical "x y" of the first match and exits 0; exits 1 when the text is not there.
#include <allegro.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>
#include "gfx/gfx.h"

enum { WIN_W = 512, WIN_H = 384, LOG_W = 256, LOG_H = 192 };

// Reads one header number of a PPM, skipping blanks and comments.
static int numero(FILE *f) {
    int c = fgetc(f);
    while (c == '#' || c == ' ' || c == '\n' || c == '\r' || c == '\t') {
        if (c == '#')
            while (c != '\n' && c != EOF)
                c = fgetc(f);
        c = fgetc(f);
    }
    int n = 0;
    while (c >= '0' && c <= '9') {
        n = n * 10 + (c - '0');
        c = fgetc(f);
    }
    return n;
}

// Loads a P6 picture of at least 512x384 as bytes RGB; false on a bad file.
static bool carga_ppm(const char *path, std::vector<unsigned char> &rgb, int &w, int &h) {
    FILE *f = fopen(path, "rb");
    if (!f) return false;
    char magic[3] = {0};
    bool ok = fread(magic, 1, 2, f) == 2 && strcmp(magic, "P6") == 0;
    if (ok) {
        w = numero(f);
        h = numero(f);
        int maxval = numero(f);
        ok = w >= WIN_W && h >= WIN_H && maxval == 255;
        if (ok) {
            rgb.resize((size_t)w * h * 3);
            ok = fread(rgb.data(), 1, rgb.size(), f) == rgb.size();
        }
    }
    fclose(f);
    return ok;
}

int main(int argc, char **argv) {
    if (argc < 4 || argc > 5) {
        fprintf(stderr, "usage: vbtexto FONT SHOT.ppm TEXT [ROW]\n");
        return 2;
    }
    std::vector<unsigned char> rgb;
    int w = 0, h = 0;
    if (!carga_ppm(argv[2], rgb, w, h)) {
        fprintf(stderr, "vbtexto: cannot read %s as a 512x384 or larger 8-bit PPM\n", argv[2]);
        return 2;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    GFX_load_font(argv[1]);
    const char *text = argv[3];
    int tw = 8 * (int)strlen(text);
    BITMAP *ink = create_bitmap(tw, 8);
    clear_bitmap(ink);
    GFX_gprint(ink, 0, 0, makecol(255, 255, 255), text);

    // The logical pixel (x, y) is a block of the window; its top row is never darkened.
    int k = w / LOG_W < h / LOG_H ? w / LOG_W : h / LOG_H;
    int x0 = (w - LOG_W * k) / 2, y0 = (h - LOG_H * k) / 2;
    auto bright = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= LOG_W || y >= LOG_H) return false;
        const unsigned char *p = &rgb[((size_t)(y0 + k * y) * w + x0 + k * x) * 3];
        return p[0] >= 200 && p[1] >= 200 && p[2] >= 200;
    };
    int inks = 0;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < tw; x++)
            inks += getpixel(ink, x, y) != 0;
    if (inks == 0) {
        fprintf(stderr, "vbtexto: the text has no ink (is the font there?)\n");
        return 2;
    }
    int row_from = 0, row_to = LOG_H - 8;
    if (argc == 5) row_from = row_to = atoi(argv[4]);
    for (int oy = row_from; oy <= row_to; oy++)
        for (int ox = -7; ox < LOG_W; ox++) {
            int hit = 0, stray = 0, blanks = 0;
            for (int y = 0; y < 8 && hit >= 0; y++)
                for (int x = 0; x < tw; x++) {
                    if (getpixel(ink, x, y)) {
                        if (!bright(ox + x, oy + y)) {
                            hit = -1;
                            break;
                        }
                        hit++;
                    } else if ((x & 7) < 7) { // the eighth column of a glyph is never ink
                        blanks++;
                        stray += bright(ox + x, oy + y);
                    }
                }
            // Every ink pixel white, and the gaps between strokes mostly not: the text itself,
            // not a white area.
            if (hit == inks && stray * 2 < blanks) {
                printf("%d %d\n", ox, oy);
                return 0;
            }
        }
    return 1;
}
