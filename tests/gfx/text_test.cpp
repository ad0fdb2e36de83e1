// text_test.cpp -- the 8x8 font and text drawing, on memory bitmaps.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <unistd.h>
#include "gfx/gfx.h"
#include "support/vbtest.h"

namespace {

char FONT_PATH[] = "/tmp/vb-gfx-font-XXXXXX"; // one per test process: tests run in parallel

// Writes a font where glyph 'A' is a full 8x8 block, 'B' a single pixel in the top-left corner,
// and every other glyph is blank, at FONT_PATH.
void write_test_font(void) {
    unsigned char font[1024] = {0};
    for (int r = 0; r < 8; r++)
        font['A' * 8 + r] = 0xff;
    font['B' * 8] = 0x80;
    int fd = mkstemp(FONT_PATH);
    ASSERT_GE(fd, 0);
    FILE *f = fdopen(fd, "wb");
    ASSERT_NE(f, nullptr);
    fwrite(font, 1, sizeof font, f);
    fclose(f);
}

class Text : public ::testing::Test {
  protected:
    void SetUp() override {
        vbtest_init(32);
        red = makecol(255, 0, 0);
        white = makecol(255, 255, 255);
        black = makecol(0, 0, 0);
        strcpy(FONT_PATH, "/tmp/vb-gfx-font-XXXXXX");
        write_test_font();
        GFX_load_font(FONT_PATH);
        bmp = create_bitmap(64, 32);
        clear_to_color(bmp, red);
    }
    void TearDown() override {
        destroy_bitmap(bmp);
        unlink(FONT_PATH);
    }
    // The picture as text: 'W' white, 'k' black, '.' the red background.
    std::string rows(int x0, int y0, int w, int h) {
        std::string s;
        for (int y = y0; y < y0 + h; y++) {
            for (int x = x0; x < x0 + w; x++) {
                int c = rgb(getpixel(bmp, x, y));
                s += c == white ? 'W' : c == black ? 'k' : c == red ? '.' : '?';
            }
            s += '\n';
        }
        return s;
    }
    int count(int color) {
        int n = 0;
        for (int y = 0; y < bmp->h; y++)
            for (int x = 0; x < bmp->w; x++)
                n += rgb(getpixel(bmp, x, y)) == color;
        return n;
    }
    // A pixel as plain 0xRRGGBB (at 32 bpp colour -1 also sets the unused top byte).
    static int rgb(int c) { return makecol(getr(c), getg(c), getb(c)); }
    BITMAP *bmp = nullptr;
    int red = 0, white = 0, black = 0;
};

TEST_F(Text, GlyphsShowSevenColumnsAndThePenMovesEightPixels) {
    GFX_gprint(bmp, 2, 1, -1, "AA");
    // Rows 1..8: columns 2..8 and 10..16 inked, column 9 (the eighth of the first glyph) and
    // 17 untouched.
    std::string row = ".." + std::string(7, 'W') + "." + std::string(7, 'W') + "..";
    EXPECT_EQ(rows(0, 1, 19, 1), row + "\n");
    EXPECT_EQ(rows(0, 8, 19, 1), row + "\n");
    EXPECT_EQ(rows(0, 9, 19, 1), std::string(19, '.') + "\n");
    EXPECT_EQ(count(white), 2 * 7 * 8);
}

TEST_F(Text, ColourMinusOneIsWhiteAndBlankGlyphsLeaveTheBackground) {
    GFX_gprint(bmp, 0, 0, -1, "xB"); // x is blank, B one pixel
    EXPECT_EQ(count(white), 1);
    EXPECT_EQ(rgb(getpixel(bmp, 8, 0)), white);
    GFX_gprint(bmp, 0, 0, -1, "");
    GFX_centra(bmp, 0, -1, "");
    EXPECT_EQ(count(white), 1);
}

TEST_F(Text, OutlinedTextHasABlackBorderIncludingTheDiagonals) {
    GFX_gprintb(bmp, 5, 5, -1, "B");
    EXPECT_EQ(rows(4, 4, 3, 3), "kkk\nkWk\nkkk\n");
    EXPECT_EQ(count(black), 8);
    EXPECT_EQ(count(white), 1);
}

TEST_F(Text, CentredTextSitsOnTheMiddleOfTheLogicalWidth) {
    BITMAP *wide = create_bitmap(256, 8);
    clear_to_color(wide, red);
    GFX_centra(wide, 0, -1, "BBB"); // 24 pixels wide: starts at 116
    EXPECT_EQ(rgb(getpixel(wide, 116, 0)), white);
    EXPECT_EQ(rgb(getpixel(wide, 124, 0)), white);
    EXPECT_EQ(rgb(getpixel(wide, 132, 0)), white);
    GFX_centra(wide, 0, -1, std::string(34, 'B').c_str()); // starts at -8: first one clipped
    EXPECT_EQ(rgb(getpixel(wide, 0, 0)), white);
    EXPECT_EQ(rgb(getpixel(wide, 248, 0)), white);
    destroy_bitmap(wide);
}

TEST_F(Text, CodesWithoutAGlyphDrawNothingButKeepTheirPlace) {
    GFX_gprint(bmp, 0, 0, -1,
               "\xc1"
               "B");
    EXPECT_EQ(count(white), 1);
    EXPECT_EQ(rgb(getpixel(bmp, 8, 0)), white);
}

TEST_F(Text, AMissingFontIsLoggedAndTextDrawsNothing) {
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    char dir[] = "/tmp/vb-gfx-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    ASSERT_EQ(chdir(dir), 0);
    GFX_load_font("RESOURCES/ATARI.8x8");
    GFX_gprint(bmp, 0, 0, -1, "ABBA");
    GFX_gprintb(bmp, 0, 10, -1, "ABBA");
    EXPECT_EQ(count(white) + count(black), 0);
    FILE *log = fopen("log.txt", "r");
    ASSERT_NE(log, nullptr);
    char line[200] = "";
    ASSERT_NE(fgets(line, sizeof line, log), nullptr);
    fclose(log);
    EXPECT_NE(std::string(line).find("RESOURCES/ATARI.8x8"), std::string::npos);
    ASSERT_EQ(chdir(old), 0);
    ASSERT_EQ(system((std::string("rm -rf ") + dir).c_str()), 0);
}

// The game's own font, as built into the data directory.
TEST(Font, EveryPrintableCharacterHasItsOwnGlyphWithinSevenColumns) {
    const char *data = getenv("VB_DATA_DIR");
    if (!data) GTEST_SKIP() << "VB_DATA_DIR is not set";
    std::string path = std::string(data) + "/resources/ATARI.8x8";
    FILE *f = fopen(path.c_str(), "rb");
    if (!f) GTEST_SKIP() << "the content was not built: " << path;
    unsigned char font[1025];
    size_t n = fread(font, 1, sizeof font, f);
    fclose(f);
    ASSERT_EQ(n, 1024u);
    std::string glyphs[128];
    for (int c = 0; c < 128; c++)
        glyphs[c] = std::string((const char *)font + 8 * c, 8);
    EXPECT_EQ(glyphs[' '], std::string(8, '\0'));
    for (int c = 33; c < 127; c++) {
        EXPECT_NE(glyphs[c], std::string(8, '\0')) << "blank glyph for " << (char)c;
        for (int r = 0; r < 8; r++)
            EXPECT_EQ(font[8 * c + r] & 1, 0) << "ink in the unseen eighth column of " << (char)c;
        for (int d = 32; d < c; d++)
            EXPECT_NE(glyphs[c], glyphs[d]) << (char)c << " looks like " << (char)d;
    }
}

} // namespace
