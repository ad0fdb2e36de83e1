// text_test.cpp -- the 8x8 font and text drawing, on memory bitmaps.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include "gfx/gfx.h"
#include "support/vbtest.h"

namespace {

using Text = ScratchDir;

// Seven columns inked, the pen moving eight; blank and high codes keep their place; black outline;
// centring on 256 pixels; -1 is white at every depth; a missing font is logged and draws nothing.
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
    EXPECT_EQ(rows(0, 8, 19, 1), row);
    EXPECT_EQ(rows(0, 0, 19, 1) + rows(0, 9, 19, 1),
              std::string(19, '.') + "\n" + std::string(19, '.') + "\n");
    clear_to_color(bmp, makecol(255, 0, 0));
    GFX_gprint(bmp, 0, 0, -1,
               "x\xc1"
               "B");
    EXPECT_EQ(rows(0, 0, 18, 1), std::string(16, '.') + "W.\n");
    GFX_gprintb(bmp, 5, 5, -1, "B");
    EXPECT_EQ(rows(4, 4, 3, 3), "kkk\nkWk\nkkk\n");

    BITMAP *wide = picture(256, 8, 0);
    GFX_centra(wide, 0, -1, "BBB"); // 24 pixels wide: starts at 116
    for (int x : {116, 124, 132})
        EXPECT_EQ(getpixel(wide, x, 0) & 0xFFFFFF, 0xFFFFFF) << x;
    EXPECT_EQ(getpixel(wide, 115, 0), 0);
    destroy_bitmap(wide);

    for (int depth : {15, 16, 32}) {
        BITMAP *b = create_bitmap_ex(depth, 8, 8);
        clear_to_color(b, 0);
        GFX_gprint(b, 0, 0, -1, "B");
        EXPECT_EQ(getpixel(b, 0, 0), makecol_depth(depth, 255, 255, 255)) << depth << " bpp";
        destroy_bitmap(b);
    }

    clear_to_color(bmp, makecol(255, 0, 0));
    GFX_load_font("RESOURCES/ATARI.8x8");
    GFX_gprint(bmp, 0, 0, -1, "ABBA");
    GFX_gprintb(bmp, 0, 10, -1, "ABBA");
    EXPECT_EQ(rows(0, 0, 64, 32).find_first_not_of(".\n"), std::string::npos);
    EXPECT_NE(vbtest_read("log.txt").find("RESOURCES/ATARI.8x8"), std::string::npos);
    destroy_bitmap(bmp);
}

// The game's own font, as built into the data directory: every printable character has a glyph
// of its own, inked within the seven columns that show.
TEST(Font, EveryPrintableCharacterHasItsOwnGlyphWithinSevenColumns) {
    std::string font = vbtest_read(vbtest_data() + "/resources/ATARI.8x8");
    if (vbtest_data().empty()) GTEST_SKIP() << "VB_DATA_DIR is not set";
    ASSERT_EQ(font.size(), 1024u);
    EXPECT_EQ(font.substr(8 * ' ', 8), std::string(8, '\0'));
    for (int c = 33; c < 127; c++) {
        for (int r = 0; r < 8; r++)
            EXPECT_EQ(font[8 * c + r] & 1, 0) << "ink in the unseen eighth column of " << (char)c;
        for (int d = 32; d < c; d++) // the blank space included
            EXPECT_NE(font.substr(8 * c, 8), font.substr(8 * d, 8)) << (char)c << " is " << (char)d;
    }
}

} // namespace
