// fontc.cpp -- builds the 1024-byte font file (128 glyphs of 8 rows) from its text drawing.
// Usage: fontc SOURCE.txt OUTPUT
// SPDX-License-Identifier: MIT
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { GLYPHS = 128, ROWS = 8, COLS = 8 };

static int fail(const char *src, int line, const char *why) {
    fprintf(stderr, "fontc: %s:%d: %s\n", src, line, why);
    return 1;
}

// Strips the line end; returns the length left.
static size_t chomp(char *s) {
    size_t n = strlen(s);
    while (n && (s[n - 1] == '\n' || s[n - 1] == '\r'))
        s[--n] = 0;
    return n;
}

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: fontc SOURCE.txt OUTPUT\n");
        return 2;
    }
    const char *src = argv[1];
    FILE *in = fopen(src, "r");
    if (!in) {
        perror(src);
        return 1;
    }
    unsigned char font[GLYPHS * ROWS] = {0};
    unsigned char seen[GLYPHS] = {0};
    char text[256];
    int line = 0, glyph = -1, row = ROWS;
    while (fgets(text, sizeof text, in)) {
        line++;
        size_t n = chomp(text);
        if (row < ROWS) { // inside a glyph: exactly eight rows of eight cells
            if (n != COLS) return fail(src, line, "a glyph row must be 8 cells of '#' or '.'");
            unsigned char bits = 0;
            for (int k = 0; k < COLS; k++) {
                if (text[k] == '#')
                    bits |= (unsigned char)(0x80 >> k);
                else if (text[k] != '.')
                    return fail(src, line, "a glyph row must be 8 cells of '#' or '.'");
            }
            font[glyph * ROWS + row++] = bits;
            continue;
        }
        if (n == 0 || text[0] == '#') continue;
        if (text[0] != '=') return fail(src, line, "expected '= CODE CHAR' or a comment");
        char *end;
        long code = strtol(text + 1, &end, 10);
        if (end == text + 1 || code < 0 || code >= GLYPHS)
            return fail(src, line, "glyph code must be 0..127");
        if (seen[code]) return fail(src, line, "glyph drawn twice");
        seen[code] = 1;
        glyph = (int)code;
        row = 0;
    }
    fclose(in);
    if (row < ROWS) return fail(src, line, "the last glyph has fewer than 8 rows");

    FILE *out = fopen(argv[2], "wb");
    if (!out) {
        perror(argv[2]);
        return 1;
    }
    size_t wrote = fwrite(font, 1, sizeof font, out);
    if (fclose(out) != 0 || wrote != sizeof font) {
        fprintf(stderr, "fontc: cannot write %s\n", argv[2]);
        remove(argv[2]);
        return 1;
    }
    return 0;
}
