// vbprobe.cpp -- answers the window tests' questions about a screenshot of the game window.
//
//   vbprobe size SHOT                      prints "W H"
//   vbprobe layout SHOT                    prints "SCALE X Y": the picture's scale and corner
//   vbprobe rows SHOT                      prints how the last row of each block relates to its
//                                          first: "scanlines" (darker), "plain" (equal), "dark"
//                                          (too little light to tell) or "mixed"
//   vbprobe frame SHOT on|off FRAME...     exit 0 when SHOT shows one of the 256x192 FRAMEs
//                                          scaled, with or without scanlines, and black around
//                                          it; exit 3 when the frames are too dark to tell
//   vbprobe text SHOT "TEXT" [Y]           exit 0 when TEXT, drawn with the game's font and
//                                          scaled, is on SHOT (at logical row Y); prints "X Y"
//   vbprobe lit SHOT "TEXT" [Y]            exit 0 when TEXT is drawn at full white (the menu's
//                                          selected entry); prints its logical "X Y"
//   vbprobe diff A B X Y W H               prints how many pixels of the region differ
//
// SHOT, FRAME, A and B are pictures Allegro loads (BMP, PCX; the kit's screenshots are 24-bit
// BMP). SHOT is the game's window (or the screen in full screen): the window module
// says where the picture sits in it. The font is $VB_DATA_DIR/resources/ATARI.8x8 unless VB_FONT
// names one.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "probe.h"

enum { TOL = 16 }; // colour slack for 15/16-bit windows shown on a 24-bit screen

static int usage(void) {
    fprintf(stderr, "usage: vbprobe size|layout|rows|frame|text|lit|diff ... (see the source)\n");
    return 2;
}

GfxMode PROBE_layout(const Image &shot) {
    // The window the game opens full screen on a desktop of this size: the picture at the largest
    // whole scale that fits, centred. A window of a set size is that size's full screen too.
    GfxMode m = GFX_pick_mode(0, shot.w, shot.h);
    if (!m.full) m.scale = 0;
    return m;
}

// The colour the last row of a block shows under scanlines: the black row laid at alpha 64.
static int darker(int v) {
    return v - v * 64 / 256;
}

static int cmd_rows(const Image &s) {
    GfxMode l = PROBE_layout(s);
    long counted = 0, equal = 0, dark = 0;
    for (int y = l.y; y + l.scale <= l.y + 192 * l.scale; y += l.scale) {
        for (int x = l.x; x < l.x + 256 * l.scale; x++) {
            const unsigned char *e = s.at(x, y), *o = s.at(x, y + l.scale - 1);
            if (e[0] < 64 && e[1] < 64 && e[2] < 64) continue;
            counted++;
            if (IMG_distance(e, o) <= TOL / 2)
                equal++;
            else {
                unsigned char d[3] = {(unsigned char)darker(e[0]), (unsigned char)darker(e[1]),
                                      (unsigned char)darker(e[2])};
                if (IMG_distance(d, o) <= TOL) dark++;
            }
        }
    }
    const char *verdict = "mixed";
    if (counted < 100)
        verdict = "dark";
    else if (equal * 100 >= counted * 95)
        verdict = "plain";
    else if (dark * 100 >= counted * 95)
        verdict = "scanlines";
    printf("%s\n", verdict);
    return 0;
}

// How many window pixels differ from the frame as the game presents it; -1 when the frame is
// too dark to tell, -2 when it or the window is too small.
static long frame_misses(const Image &s, const Image &f, bool scan) {
    GfxMode l = PROBE_layout(s);
    if (f.w < 256 || f.h < 192 || l.scale < 2) return -2;
    long lit = 0, bad = 0;
    for (int y = 0; y < s.h; y++) {
        for (int x = 0; x < s.w; x++) {
            int fx = (x - l.x) / l.scale, fy = (y - l.y) / l.scale;
            unsigned char want[3] = {0, 0, 0}; // black around the picture
            if (x >= l.x && y >= l.y && fx < 256 && fy < 192) {
                const unsigned char *c = f.at(fx, fy);
                bool last = (y - l.y) % l.scale == l.scale - 1;
                for (int i = 0; i < 3; i++)
                    want[i] = (unsigned char)(scan && last ? darker(c[i]) : c[i]);
                if (x % l.scale == 0 && y % l.scale == 0)
                    lit += c[0] >= 48 || c[1] >= 48 || c[2] >= 48;
            }
            if (IMG_distance(s.at(x, y), want) > TOL) bad++;
        }
    }
    return lit < 200 ? -1 : bad; // a few words of text are enough to tell
}

// The window against each frame in turn (the frames presented around the moment of the
// screenshot): a match with any of them will do.
static int cmd_frame(const Image &s, bool scan, char **frames, int n) {
    long best = -1;
    const char *best_name = "";
    for (int i = 0; i < n; i++) {
        Image f;
        if (!IMG_load(frames[i], f)) continue;
        long bad = frame_misses(s, f, scan);
        if (bad == -2) {
            fprintf(stderr, "vbprobe: the frame or the window is too small\n");
            return 1;
        }
        if (bad == 0) {
            printf("shows %s\n", frames[i]);
            return 0;
        }
        if (bad > 0 && (best < 0 || bad < best)) best = bad, best_name = frames[i];
    }
    if (best < 0) {
        printf("no frame to compare, or all too dark to tell\n");
        return 3;
    }
    GfxMode l = PROBE_layout(s);
    printf("%ld of %d window pixels differ from the closest of %d frames, %s (scale %d at %d,%d)\n",
           best, s.w * s.h, n, best_name, l.scale, l.x, l.y);
    return 1;
}

Image PROBE_text(const char *text, int scale) {
    int n = (int)strlen(text);
    BITMAP *b = create_bitmap(n > 0 ? 8 * n : 8, 8);
    clear_to_color(b, makecol(0, 0, 0));
    GFX_gprint(b, 0, 0, makecol(255, 255, 255), text);
    BITMAP *d = create_bitmap(b->w * scale, 8 * scale);
    stretch_blit(b, d, 0, 0, b->w, 8, 0, 0, d->w, d->h);
    Image img = IMG_from_bitmap(d);
    destroy_bitmap(b);
    destroy_bitmap(d);
    return img;
}

// Does the text's ink sit at (ox, oy) in one colour, on a background of another?
// A blank cell of the text may hold a speck of the ink's colour, no more: "103" is not "  0".
static bool text_at(const Image &s, const Image &t, const char *text, int ox, int oy, int scale) {
    const unsigned char *ink = nullptr; // the colour under the text's first ink pixel
    for (int y = 0; y < t.h && !ink; y += scale)
        for (int x = 0; x < t.w && !ink; x++)
            if (t.at(x, y)[0]) ink = s.at(ox + x, oy + y);
    if (!ink) return false;
    long paper = 0, paper_like_ink = 0, in_spaces = 0;
    for (int y = 0; y < t.h; y += scale) { // the last row of a block may be darkened
        for (int x = 0; x < t.w; x++) {
            const unsigned char *p = s.at(ox + x, oy + y);
            if (text[x / (8 * scale)] == ' ') {
                in_spaces += IMG_distance(p, ink) <= TOL;
            } else if (t.at(x, y)[0]) {
                if (IMG_distance(p, ink) > TOL) return false;
            } else {
                paper++;
                if (IMG_distance(p, ink) <= TOL) paper_like_ink++;
            }
        }
    }
    return paper_like_ink * 20 <= paper && in_spaces <= 2 * scale;
}

static int cmd_text(const Image &s, const char *text, int row) {
    GfxMode l = PROBE_layout(s);
    Image t = PROBE_text(text, l.scale);
    int y0 = 0, y1 = s.h - t.h;
    if (row >= 0) y0 = y1 = l.y + l.scale * row;
    for (int y = y0; y <= y1 && y + t.h <= s.h; y++) {
        for (int x = 0; x + t.w <= s.w; x++) {
            if (text_at(s, t, text, x, y, l.scale)) {
                printf("%d %d\n", x, y);
                return 0;
            }
        }
    }
    printf("\"%s\" not found\n", text);
    return 1;
}

static int cmd_diff(const Image &a, const Image &b, int x0, int y0, int w, int h) {
    if (x0 < 0 || y0 < 0 || w < 0 || h < 0 || x0 + w > a.w || x0 + w > b.w || y0 + h > a.h ||
        y0 + h > b.h) {
        fprintf(stderr, "vbprobe: the region does not fit both pictures\n");
        return 1;
    }
    long n = 0;
    for (int y = y0; y < y0 + h; y++)
        for (int x = x0; x < x0 + w; x++)
            if (IMG_distance(a.at(x, y), b.at(x, y)) > 0) n++;
    printf("%ld\n", n);
    return 0;
}

void PROBE_load_font(void) {
    const char *font = getenv("VB_FONT");
    std::string path;
    if (font && *font)
        path = font;
    else {
        const char *dir = getenv("VB_DATA_DIR");
        path = std::string(dir && *dir ? dir : ".") + "/resources/ATARI.8x8";
    }
    GFX_load_font(path.c_str());
}

int main(int argc, char **argv) {
    if (argc < 3) return usage();
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    set_color_conversion(COLORCONV_TOTAL);
    std::string cmd = argv[1];
    Image a;
    if (!IMG_load(argv[2], a)) return 1;
    if (cmd == "size") {
        printf("%d %d\n", a.w, a.h);
        return 0;
    }
    GfxMode l = PROBE_layout(a);
    if (l.scale == 0 && cmd != "diff") {
        fprintf(stderr, "vbprobe: %s is smaller than the game's picture\n", argv[2]);
        return 1;
    }
    if (cmd == "layout") {
        printf("%d %d %d\n", l.scale, l.x, l.y);
        return 0;
    }
    if (cmd == "rows") return cmd_rows(a);
    if (cmd == "frame" && argc >= 4)
        return cmd_frame(a, strcmp(argv[3], "on") == 0, argv + 4, argc - 4);
    if (cmd == "text" && (argc == 4 || argc == 5)) {
        PROBE_load_font();
        return cmd_text(a, argv[3], argc == 5 ? atoi(argv[4]) : -1);
    }
    if (cmd == "lit" && (argc == 4 || argc == 5)) {
        PROBE_load_font();
        return PROBE_lit(a, argv[3], argc == 5 ? atoi(argv[4]) : -1);
    }
    if (cmd == "diff" && argc == 8) {
        Image b;
        if (!IMG_load(argv[3], b)) return 1;
        return cmd_diff(a, b, atoi(argv[4]), atoi(argv[5]), atoi(argv[6]), atoi(argv[7]));
    }
    return usage();
}
