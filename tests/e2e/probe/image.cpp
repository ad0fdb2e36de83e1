// image.cpp -- plain RGB images for the screenshot probe: PPM files and Allegro bitmaps.
// SPDX-License-Identifier: MIT
#include "image.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

// Reads the next number of a PPM header, skipping blanks and comments.
static int ppm_number(FILE *f) {
    int c = fgetc(f);
    for (;;) {
        while (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            c = fgetc(f);
        if (c != '#') break;
        while (c != '\n' && c != EOF)
            c = fgetc(f);
    }
    int v = 0, digits = 0;
    while (c >= '0' && c <= '9') {
        v = v * 10 + (c - '0');
        if (v > 100000) return -1;
        digits++;
        c = fgetc(f);
    }
    return digits ? v : -1;
}

bool IMG_read_ppm(const char *path, Image &img) {
    FILE *f = fopen(path, "rb");
    if (!f) {
        fprintf(stderr, "vbprobe: cannot open %s\n", path);
        return false;
    }
    bool ok = false;
    if (fgetc(f) == 'P' && fgetc(f) == '6') {
        int w = ppm_number(f), h = ppm_number(f), maxval = ppm_number(f);
        if (w > 0 && h > 0 && maxval == 255) {
            img.w = w;
            img.h = h;
            img.rgb.assign((size_t)w * h * 3, 0);
            ok = fread(img.rgb.data(), 1, img.rgb.size(), f) == img.rgb.size();
        }
    }
    fclose(f);
    if (!ok) fprintf(stderr, "vbprobe: %s is not a binary 8-bit PPM\n", path);
    return ok;
}

bool IMG_write_ppm(const char *path, const Image &img) {
    FILE *f = fopen(path, "wb");
    if (!f) return false;
    fprintf(f, "P6\n%d %d\n255\n", img.w, img.h);
    bool ok = fwrite(img.rgb.data(), 1, img.rgb.size(), f) == img.rgb.size();
    return fclose(f) == 0 && ok;
}

Image IMG_from_bitmap(BITMAP *bmp) {
    Image img;
    img.w = bmp->w;
    img.h = bmp->h;
    img.rgb.resize((size_t)img.w * img.h * 3);
    int depth = bitmap_color_depth(bmp);
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            int c = getpixel(bmp, x, y);
            unsigned char *p = &img.rgb[((size_t)y * img.w + x) * 3];
            p[0] = (unsigned char)getr_depth(depth, c);
            p[1] = (unsigned char)getg_depth(depth, c);
            p[2] = (unsigned char)getb_depth(depth, c);
        }
    }
    return img;
}

bool IMG_load(const char *path, Image &img) {
    const char *ext = strrchr(path, '.');
    if (ext && (!strcasecmp(ext, ".ppm") || !strcasecmp(ext, ".pnm")))
        return IMG_read_ppm(path, img);
    BITMAP *bmp = load_bitmap(path, nullptr);
    if (!bmp) {
        fprintf(stderr, "vbprobe: cannot load %s\n", path);
        return false;
    }
    img = IMG_from_bitmap(bmp);
    destroy_bitmap(bmp);
    return true;
}

int IMG_distance(const unsigned char *a, const unsigned char *b) {
    int d = 0;
    for (int i = 0; i < 3; i++) {
        int v = abs(a[i] - b[i]);
        if (v > d) d = v;
    }
    return d;
}
