// image.cpp -- plain RGB images for the screenshot probe, from any picture Allegro loads.
// SPDX-License-Identifier: MIT
#include "image.h"
#include <stdio.h>
#include <stdlib.h>

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
