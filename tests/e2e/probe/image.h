// image.h -- plain RGB images for the screenshot probe, from any picture Allegro loads.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <vector>

struct Image {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb; // w * h * 3 bytes, rows top to bottom

    const unsigned char *at(int x, int y) const { return &rgb[((size_t)y * w + x) * 3]; }
};

// Loads any picture Allegro reads (BMP, PCX, TGA) into an image.
bool IMG_load(const char *path, Image &img);
// Copies a bitmap of any depth into an image.
Image IMG_from_bitmap(BITMAP *bmp);
// The largest difference between the channels of two colours.
int IMG_distance(const unsigned char *a, const unsigned char *b);
