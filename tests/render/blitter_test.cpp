// blitter_test.cpp -- the game frame: border, room in place, energy bar columns, status lines.
#include "support/sala.h"
#include "support/vbtest.h"
#include "gfx/gfx.h"
#include <stdio.h>
#include <stdlib.h>
#include <string>

// Pictures of the frame, each column of a bar painted with its own colour.
class Marco : public ::testing::Test {
  protected:
    BITMAP *room, *border, *frame, *empty, *full;
    void SetUp() override {
        vbtest_init(16);
        room = picture(ROOM_W, ROOM_H, 0x0300);
        border = picture(256, 192, 0x0042);
        frame = picture(256, 192, 0x7777);
        empty = create_bitmap(128, 16);
        full = create_bitmap(160, 16); // wider than the bar: what lies past column 127 never shows
        for (int x = 0; x < 160; x++) {
            vline(empty, x % 128, 0, 15, 0x2000 + x % 128);
            vline(full, x, 0, 15, 0x1000 + x);
        }
    }
    void TearDown() override {
        for (BITMAP *b : {room, border, frame, empty, full})
            destroy_bitmap(b);
    }
    void compose(int energy, int retries = 5, int outlined = 1) {
        blitter_compose(room, border, frame, empty, full, energy, 1, 25, retries, outlined);
    }
    // How many leading bar columns come from the full picture; the rest must be the empty one's.
    int full_columns() {
        int n = 0;
        while (n < 128 && getpixel(frame, 8 + n, 170) == 0x1000 + n)
            n++;
        for (int x = n; x < 128; x++)
            if (getpixel(frame, 8 + x, 170) != 0x2000 + x) return -1;
        return n;
    }
};

// The border and the room view in place, and the energy bar: half the energy in columns of the
// full picture, the rest from the empty one, never spilling past the bar.
TEST_F(Marco, FramePlacesTheRoomAndShowsHalfTheEnergyInFullColumns) {
    compose(255);
    EXPECT_EQ(getpixel(frame, 7, 16), 0x0042);
    EXPECT_EQ(getpixel(frame, 8, 16), 0x0300);
    EXPECT_EQ(getpixel(frame, 247, 159), 0x0300);
    EXPECT_EQ(getpixel(frame, 248, 159), 0x0042);
    EXPECT_EQ(getpixel(frame, 8, 160), 0x0042);
    const struct {
        int energy, columns;
    } cases[] = {{255, 127}, {254, 127}, {200, 100}, {3, 1},     {2, 1},     {1, 0},
                 {0, 0},     {-1, 0},    {-300, 0},  {256, 128}, {1000, 128}};
    for (auto c : cases) {
        compose(c.energy);
        EXPECT_EQ(full_columns(), c.columns) << "energy " << c.energy;
        EXPECT_EQ(getpixel(frame, 7, 170), 0x0042);   // the bar never spills left
        EXPECT_EQ(getpixel(frame, 136, 170), 0x0042); // or right
    }
}

// The status lines are the presentation layer's text at their places, whatever the font.
TEST_F(Marco, StatusLinesPrintRetriesAndRoomAsTheTextWriterWould) {
    const char *dir = getenv("VB_DATA_DIR");
    std::string font = std::string(dir ? dir : ".") + "/RESOURCES/ATARI.8x8";
    FILE *f = fopen(font.c_str(), "rb");
    if (f) {
        fclose(f);
        GFX_load_font(font.c_str());
    }
    BITMAP *expect = create_bitmap(256, 192);
    for (int outlined = 0; outlined <= 1; outlined++)
        for (int retries : {5, 0, -1, -12345}) {
            compose(40, retries, outlined);
            blit(border, expect, 0, 0, 0, 0, 256, 192);
            char line[64];
            snprintf(line, sizeof line, "RETRY x %d", retries);
            (outlined ? GFX_gprintb : GFX_gprint)(expect, 152, 168, -1, line);
            (outlined ? GFX_gprintb : GFX_gprint)(expect, 152, 176, -1, "LEVEL 1 - 25");
            int white = 0;
            for (int y = 160; y < 192; y++)
                for (int x = 140; x < 256; x++) {
                    ASSERT_EQ(getpixel(frame, x, y), getpixel(expect, x, y))
                        << retries << " at " << x << "," << y;
                    white += getpixel(frame, x, y) == makecol(255, 255, 255);
                }
            if (f) {
                EXPECT_GT(white, 20) << "the font is there, the text should show";
            }
        }
    destroy_bitmap(expect);
}
