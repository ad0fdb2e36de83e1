// text_test.cpp -- the 8x8 font and text drawing, on memory bitmaps.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include "gfx/gfx.h"
#include "support/vbtest.h"

namespace {

using Text = ScratchDir;

// Glyphs, blank and high codes, outlines, centring, white at 15 bpp; a missing font logged, unseen.
TEST_F(Text, GlyphsOutlinesCentringWhiteAndAMissingFont) {
    vbtest_init(32); // a font where 'A' is a full 8x8 block, 'B' one pixel in the top-left corner
    std::string font(1024, '\0');
    for (int r = 0; r < 8; r++)
        font['A' * 8 + r] = (char)0xff;
    font['B' * 8] = (char)0x80;
    vbtest_write("font.8x8", font);
    GFX_load_font("font.8x8");
    BITMAP *bmp = picture(64, 32, makecol(255, 0, 0));
    auto rows = [&](int x0, int y0, int w, int h) { // 'W' white, 'k' black, '.' the red background
        std::string s;
        for (int y = y0; y < y0 + h; y++, s += '\n')
            for (int x = x0; x < x0 + w; x++) {
                int c = getpixel(bmp, x, y) & 0xFFFFFF;
                s += c == 0xFFFFFF ? 'W' : c == 0 ? 'k' : c == makecol(255, 0, 0) ? '.' : '?';
            }
        return s;
    };
    GFX_gprint(bmp, 2, 1, -1, "AA");
    std::string row = ".." + std::string(7, 'W') + "." + std::string(7, 'W') + "..\n";
    EXPECT_EQ(rows(0, 1, 19, 1), row);
    EXPECT_EQ(rows(0, 0, 19, 1) + rows(0, 9, 19, 1),
              std::string(19, '.') + "\n" + std::string(19, '.') + "\n");
    clear_to_color(bmp, makecol(255, 0, 0));
    GFX_gprint(bmp, 0, 0, -1, "x\301B");
    EXPECT_EQ(rows(0, 0, 18, 1), std::string(16, '.') + "W.\n");
    GFX_gprintb(bmp, 5, 5, -1, "B");
    EXPECT_EQ(rows(4, 4, 3, 3), "kkk\nkWk\nkkk\n");

    BITMAP *wide = picture(256, 8, 0);
    GFX_centra(wide, 0, -1, "BBB"); // 24 pixels wide: starts at 116
    EXPECT_EQ(std::make_pair(getpixel(wide, 115, 0), getpixel(wide, 116, 0) & 0xFFFFFF),
              std::make_pair(0, 0xFFFFFF));
    destroy_bitmap(wide);

    BITMAP *b15 = create_bitmap_ex(15, 8, 8); // white, not the top bit set as well
    clear_to_color(b15, 0);
    GFX_gprint(b15, 0, 0, -1, "B");
    EXPECT_EQ(getpixel(b15, 0, 0), makecol_depth(15, 255, 255, 255));
    destroy_bitmap(b15);

    clear_to_color(bmp, makecol(255, 0, 0));
    GFX_load_font("RESOURCES/ATARI.8x8");
    GFX_gprint(bmp, 0, 0, -1, "ABBA");
    GFX_gprintb(bmp, 0, 10, -1, "ABBA");
    EXPECT_EQ(rows(0, 0, 64, 32).find_first_not_of(".\n"), std::string::npos);
    EXPECT_NE(vbtest_read("log.txt").find("RESOURCES/ATARI.8x8"), std::string::npos);
    destroy_bitmap(bmp);
}

} // namespace
