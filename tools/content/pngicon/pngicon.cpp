// pngicon.cpp -- pngicon: the game's icon picture (PCX, magenta transparent) as a square RGBA PNG
// of any size, for the desktop's icon theme. Smaller sizes average the picture's pixels, larger
// ones repeat them. The PNG's image data is zlib-wrapped deflate in stored blocks: an icon is
// small, so no compression library is needed.
// Usage: pngicon ICON.pcx SIZE OUT.png
// SPDX-License-Identifier: MIT
#include <allegro.h>
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

typedef std::vector<unsigned char> Bytes;

static uint32_t crc32_of(const unsigned char *p, size_t n, uint32_t crc = 0) {
    crc = ~crc;
    for (size_t i = 0; i < n; i++) {
        crc ^= p[i];
        for (int k = 0; k < 8; k++)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

static void put_be32(Bytes &out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back((unsigned char)(v >> s));
}

// One chunk: length, type, data, and the CRC of type and data.
static void chunk(Bytes &png, const char *type, const Bytes &data) {
    put_be32(png, (uint32_t)data.size());
    size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put_be32(png, crc32_of(png.data() + start, png.size() - start));
}

// The raw rows (each with filter byte 0) as a zlib stream of stored deflate blocks.
static Bytes zlib_stored(const Bytes &raw) {
    Bytes z = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        z.push_back(at + n == raw.size() ? 1 : 0); // BFINAL on the last block, BTYPE 00
        z.push_back((unsigned char)n), z.push_back((unsigned char)(n >> 8));
        z.push_back((unsigned char)~n), z.push_back((unsigned char)(~n >> 8));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    } while (at < raw.size());
    uint32_t a = 1, b = 0; // Adler-32 of the raw data
    for (unsigned char c : raw)
        a = (a + c) % 65521, b = (b + a) % 65521;
    put_be32(z, b << 16 | a);
    return z;
}

// The picture at size x size, RGBA: each output pixel the average of the source pixels it
// covers (magenta counts as transparent).
static Bytes scaled_rgba(BITMAP *pic, int size) {
    Bytes rgba;
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            int x0 = x * pic->w / size, x1 = (x + 1) * pic->w / size;
            int y0 = y * pic->h / size, y1 = (y + 1) * pic->h / size;
            if (x1 <= x0) x1 = x0 + 1;
            if (y1 <= y0) y1 = y0 + 1;
            int r = 0, g = 0, bl = 0, opaque = 0, all = 0;
            for (int sy = y0; sy < y1; sy++)
                for (int sx = x0; sx < x1; sx++, all++) {
                    int c = getpixel(pic, sx, sy);
                    int cr = getr24(c), cg = getg24(c), cb = getb24(c);
                    if (cr == 255 && cg == 0 && cb == 255) continue;
                    r += cr, g += cg, bl += cb, opaque++;
                }
            int d = opaque ? opaque : 1;
            rgba.push_back((unsigned char)(r / d));
            rgba.push_back((unsigned char)(g / d));
            rgba.push_back((unsigned char)(bl / d));
            rgba.push_back((unsigned char)(255 * opaque / all));
        }
    return rgba;
}

int main(int argc, char **argv) {
    int size = argc == 4 ? atoi(argv[2]) : 0;
    if (size < 1 || size > 1024) {
        fprintf(stderr, "usage: pngicon ICON.pcx SIZE OUT.png (SIZE 1..1024)\n");
        return 2;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(24);
    set_color_conversion(COLORCONV_NONE);
    PALETTE pal;
    BITMAP *pic = load_pcx(argv[1], pal);
    if (!pic || bitmap_color_depth(pic) != 24) {
        fprintf(stderr, "pngicon: %s is not a 24-bit PCX picture\n", argv[1]);
        return 1;
    }
    Bytes rgba = scaled_rgba(pic, size), raw;
    destroy_bitmap(pic);
    for (int y = 0; y < size; y++) {
        raw.push_back(0); // filter: none
        raw.insert(raw.end(), rgba.begin() + (size_t)y * size * 4,
                   rgba.begin() + (size_t)(y + 1) * size * 4);
    }
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, ihdr;
    put_be32(ihdr, (uint32_t)size);
    put_be32(ihdr, (uint32_t)size);
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace
    chunk(png, "IHDR", ihdr);
    chunk(png, "IDAT", zlib_stored(raw));
    chunk(png, "IEND", Bytes());
    std::string part = std::string(argv[3]) + ".part";
    FILE *f = fopen(part.c_str(), "wb");
    bool ok = f && fwrite(png.data(), 1, png.size(), f) == png.size();
    if (f && fclose(f) != 0) ok = false;
    if (!ok || rename(part.c_str(), argv[3]) != 0) {
        fprintf(stderr, "pngicon: cannot write %s\n", argv[3]);
        remove(part.c_str());
        return 1;
    }
    return 0;
}
