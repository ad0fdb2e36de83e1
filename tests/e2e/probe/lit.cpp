// lit.cpp -- finds a text drawn at full white in a screenshot of the game's window, by drawing the
// same text with the game's own font and comparing logical pixel by logical pixel.
// SPDX-License-Identifier: MIT
#include <stdio.h>
#include "probe.h"

int PROBE_lit(const Image &shot, const char *text, int row) {
    GfxMode m = PROBE_layout(shot);
    Image ink = PROBE_text(text, 1);
    // The logical pixel (x, y) is a block of the window; its top row is never darkened.
    auto bright = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= 256 || y >= 192) return false;
        const unsigned char *p = shot.at(m.x + m.scale * x, m.y + m.scale * y);
        return p[0] >= 200 && p[1] >= 200 && p[2] >= 200;
    };
    int inks = 0;
    for (int y = 0; y < ink.h; y++)
        for (int x = 0; x < ink.w; x++)
            inks += ink.at(x, y)[0] != 0;
    if (inks == 0) {
        fprintf(stderr, "vbprobe: the text has no ink (is the font there?)\n");
        return 2;
    }
    int row_from = row < 0 ? 0 : row, row_to = row < 0 ? 192 - 8 : row;
    for (int oy = row_from; oy <= row_to; oy++) {
        for (int ox = -7; ox < 256; ox++) {
            int hit = 0, stray = 0, blanks = 0, in_spaces = 0;
            for (int y = 0; y < 8 && hit >= 0; y++)
                for (int x = 0; x < ink.w; x++) {
                    if (text[x / 8] == ' ') { // a blank cell: nothing drawn there but a speck
                        in_spaces += bright(ox + x, oy + y);
                        continue;
                    }
                    if (ink.at(x, y)[0]) {
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
            // Every ink pixel white, the gaps between strokes mostly not and the blank cells
            // empty: the text itself, not a white area or a longer text ("103" is not "  0").
            if (hit == inks && stray * 2 < blanks && in_spaces <= 2) {
                printf("%d %d\n", ox, oy);
                return 0;
            }
        }
    }
    printf("\"%s\" not lit\n", text);
    return 1;
}
