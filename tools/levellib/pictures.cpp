// pictures.cpp -- the level's tile, sprite and background pictures: cut from the art sheets, or
// plain code-drawn stand-ins when the sheets are not there, so the level always builds.
// SPDX-License-Identifier: MIT
#include "tools/levellib/pictures.h"

#include <cstdio>

#include "level/nivel.h"

namespace {

// World colours: meadow, sky cliffs, temple, cavern, depths.
const int world_rgb[5][3] = {
    {70, 150, 60}, {190, 160, 120}, {160, 150, 120}, {120, 90, 60}, {70, 50, 100}};

int shade(int w, int percent) {
    return makecol(world_rgb[w][0] * percent / 100, world_rgb[w][1] * percent / 100,
                   world_rgb[w][2] * percent / 100);
}

void draw_world_tile(BITMAP *b, int w, int n) {
    int mask = makecol(255, 0, 255);
    clear_to_color(b, mask);
    switch (n) {
    case 0: // wall
    case 2: // wall variant
        rectfill(b, 0, 0, 15, 15, shade(w, n == 0 ? 80 : 65));
        hline(b, 0, 7, 15, shade(w, 50));
        hline(b, 0, 15, 15, shade(w, 50));
        vline(b, n == 0 ? 8 : 4, 0, 7, shade(w, 50));
        vline(b, n == 0 ? 2 : 12, 8, 15, shade(w, 50));
        break;
    case 1: // wall with a walkable top
        rectfill(b, 0, 0, 15, 15, shade(w, 80));
        rectfill(b, 0, 0, 15, 3, shade(w, 130));
        hline(b, 0, 11, 15, shade(w, 50));
        break;
    case 3: // ledge
        rectfill(b, 0, 0, 15, 3, shade(w, 120));
        hline(b, 0, 4, 15, shade(w, 50));
        break;
    case 4: // belt right
    case 5: // belt left
        rectfill(b, 0, 0, 15, 15, makecol(60, 60, 70));
        for (int i = 0; i < 4; i++) {
            int x = 2 + i * 4, tip = n == 4 ? 2 : -2;
            line(b, x, 3, x + tip, 6, makecol(230, 200, 40));
            line(b, x + tip, 6, x, 9, makecol(230, 200, 40));
        }
        break;
    case 6: // spikes
        for (int i = 0; i < 4; i++)
            triangle(b, i * 4, 15, i * 4 + 3, 15, i * 4 + 1, 6, makecol(220, 220, 230));
        break;
    default:
        if (n <= 11) { // back decorations
            circlefill(b, 8, 8, 2 + n % 3, shade(w, 110));
        } else if (n <= 15) { // front decorations
            for (int x = 1; x < 16; x += 3)
                vline(b, x, 10 + (x % 4), 15, shade(w, 140));
        }
        break;
    }
}

void draw_tile(BITMAP *b, int i) {
    int mask = makecol(255, 0, 255);
    clear_to_color(b, mask);
    if (i < 120) {
        draw_world_tile(b, i / 24, i % 24);
    } else if (i == 164) {
        triangle(b, 8, 1, 3, 9, 13, 9, makecol(80, 255, 120));
        triangle(b, 3, 9, 13, 9, 8, 15, makecol(40, 190, 80));
    } else if (i >= 216 && i < 240) {
        int body = (i - 216) % 12 < 6;
        if (body) {
            rectfill(b, 0, 0, 15, 15, makecol(60 + (i % 6) * 30, 160, 220 - (i % 6) * 20));
        } else {
            rect(b, 0, 0, 15, 15, makecol(230, 230, 250));
            putpixel(b, 3, 3, makecol(255, 255, 255));
        }
    } else if (i >= 120 && i < 128) {
        vline(b, 7, 0, 15, makecol(140, 120, 80));
        vline(b, 8, 0, 15, makecol(100, 80, 50));
    }
}

void draw_figure(BITMAP *b, int left, int pose, int colour) {
    int skin = makecol(240, 200, 160);
    circlefill(b, 8, 4, 3, skin);
    rectfill(b, 5, 7, 10, 11, colour);
    putpixel(b, left ? 6 : 9, 3, makecol(0, 0, 0));
    int spread = pose % 3;
    line(b, 7, 12, 7 - spread, 15, makecol(40, 40, 90));
    line(b, 9, 12, 9 + spread, 15, makecol(40, 40, 90));
}

void draw_sprite_picture(BITMAP *b, int i) {
    int mask = makecol(255, 0, 255);
    clear_to_color(b, mask);
    int col = i % 24, row = i / 24;
    if (row < 5 && col < 2) { // the player: standing, walking, jumping, falling
        draw_figure(b, col, row, row == 3 ? makecol(250, 120, 40) : makecol(40, 120, 230));
    } else if (i == 2 || i == 26) { // exit door
        rectfill(b, 2, i == 2 ? 2 : 0, 13, 15, makecol(120, 70, 30));
        rect(b, 2, i == 2 ? 2 : 0, 13, 15, makecol(230, 190, 60));
        if (i == 26) circlefill(b, 10, 6, 1, makecol(230, 190, 60));
    } else if (row < 4 && col >= 3 && col <= 12) { // enemies
        int c = makecol(200 - col * 10, 40 + col * 12, 60 + row * 30);
        circlefill(b, 8, 9, 6 - (row & 1), c);
        putpixel(b, 10, 7, makecol(255, 255, 255));
        putpixel(b, 6, 7, makecol(255, 255, 255));
    } else if (row < 4 && col >= 13 && col <= 22) { // platforms
        rectfill(b, 0, 0, 15, 5, makecol(120 + col * 5, 110, 90 + row * 10));
        hline(b, 0, 5, 15, makecol(50, 40, 30));
    } else if (row < 4 && col == 23) { // pushable block
        rectfill(b, 0, 0, 15, 15, makecol(150, 100, 50));
        rect(b, 0, 0, 15, 15, makecol(80, 50, 20));
        line(b, 0, 0, 15, 15, makecol(80, 50, 20));
    } else if (i == 192 || i == 216) { // lever
        rectfill(b, 4, 12, 11, 15, makecol(90, 90, 100));
        line(b, 8, 12, i == 192 ? 4 : 12, 3, makecol(200, 200, 210));
        circlefill(b, i == 192 ? 4 : 12, 3, 2, makecol(230, 40, 40));
    } else if (i == 193) { // energy item
        circlefill(b, 8, 8, 5, makecol(250, 230, 60));
        circlefill(b, 8, 8, 2, makecol(255, 255, 220));
    } else if (i == 217) {
        circle(b, 8, 8, 5, makecol(90, 90, 90));
    }
}

void draw_background(BITMAP *b, int w) {
    for (int y = 0; y < 144; y++) {
        int p = 20 + y * 25 / 144;
        hline(b, 0, y, 239, shade(w, p));
    }
    if (w == 1) { // the sky and clouds of the cliffs show through above the horizon
        rectfill(b, 0, 0, 239, 100, makecol(255, 0, 255));
        for (int x = 0; x < 240; x++)
            vline(b, x, 90 + (x * 7 % 23) / 2, 100, shade(1, 45));
    }
}

} // namespace

int PIC_load(const char *art_dir, BITMAP *tiles[], BITMAP *sprites[], BITMAP *backgrounds[]) {
    char path[512];
    int sheets = 0;
    snprintf(path, sizeof path, "%s/tiles.pcx", art_dir ? art_dir : ".");
    if (art_dir && exists(path) && recorta_tiles(path, tiles))
        sheets |= 1;
    else
        for (int i = 0; i < TILE_COUNT; i++)
            draw_tile(tiles[i], i);
    snprintf(path, sizeof path, "%s/sprites.pcx", art_dir ? art_dir : ".");
    if (art_dir && exists(path) && recorta_tiles(path, sprites))
        sheets |= 2;
    else
        for (int i = 0; i < TILE_COUNT; i++)
            draw_sprite_picture(sprites[i], i);
    for (int w = 0; w < BACKGROUND_COUNT; w++) {
        snprintf(path, sizeof path, "%s/bg%d.pcx", art_dir ? art_dir : ".", w);
        PALETTE pal;
        BITMAP *pic = art_dir && exists(path) ? load_pcx(path, pal) : nullptr;
        if (pic) {
            clear_to_color(backgrounds[w], makecol(255, 0, 255));
            blit(pic, backgrounds[w], 0, 0, 0, 0, pic->w, pic->h);
            destroy_bitmap(pic);
            sheets |= 4 << w;
        } else {
            draw_background(backgrounds[w], w);
        }
    }
    return sheets;
}
