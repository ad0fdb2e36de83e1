// image.h -- plain RGB images for the screenshot probe: PPM files and Allegro bitmaps.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <vector>

struct Image {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb; // w * h * 3 bytes, rows top to bottom

    const unsigned char *at(int x, int y) const { return &rgb[((size_t)y * w + x) * 3]; }
};

// Reads a binary PPM (P6, maxval 255); false with a message on stderr when it cannot.
bool IMG_read_ppm(const char *path, Image &img);
// Writes a binary PPM; false when it cannot.
bool IMG_write_ppm(const char *path, const Image &img);
// Loads any picture Allegro reads (BMP, PCX, TGA) or a PPM into an image.
bool IMG_load(const char *path, Image &img);
// Copies a bitmap of any depth into an image.
Image IMG_from_bitmap(BITMAP *bmp);
// The largest difference between the channels of two colours.
int IMG_distance(const unsigned char *a, const unsigned char *b);
