// blitter_test.cpp -- the game frame: border, room in place, energy bar columns, status lines.
#include "support/sala.h"
#include <unistd.h>
#include "gfx/gfx.h"

// The border and the room view in place; the energy bar shows half the energy in columns of the
// full picture (wider than the bar: what lies past column 127 never shows) and the rest from the
// empty one, never spilling past the bar; the status lines are the presentation layer's text at
// their places, whatever the font.
TEST(Frame, TheRoomInItsBorderHalfTheEnergyInFullColumnsAndTheStatusLines) {
    vbtest_init(16);
    BITMAP *room = picture(ROOM_W, ROOM_H, 0x0300), *border = picture(256, 192, 0x0042);
    BITMAP *frame = picture(256, 192, 0x7777), *expect = create_bitmap(256, 192);
    BITMAP *empty = create_bitmap(128, 16), *full = create_bitmap(160, 16);
    for (int x = 0; x < 160; x++) { // each column of a bar its own colour
        vline(empty, x % 128, 0, 15, 0x2000 + x % 128);
        vline(full, x, 0, 15, 0x1000 + x);
    }
    const int energy[][2] = {{255, 127}, {254, 127}, {200, 100}, {3, 1},     {2, 1},     {1, 0},
                             {0, 0},     {-1, 0},    {-300, 0},  {256, 128}, {1000, 128}};
    for (auto &e : energy) {
        blitter_compose(room, border, frame, empty, full, e[0], 1, 25, 5, 1);
        EXPECT_EQ(getpixel(frame, 7, 16), 0x0042);
        EXPECT_EQ(getpixel(frame, 8, 16), 0x0300);
        EXPECT_EQ(getpixel(frame, 247, 159), 0x0300);
        EXPECT_EQ(getpixel(frame, 248, 159) + getpixel(frame, 8, 160), 2 * 0x0042);
        int n = 0; // leading columns from the full picture; the rest must be the empty one's
        while (n < 128 && getpixel(frame, 8 + n, 170) == 0x1000 + n)
            n++;
        for (int x = n; x < 128; x++)
            ASSERT_EQ(getpixel(frame, 8 + x, 170), 0x2000 + x) << "energy " << e[0];
        EXPECT_EQ(n, e[1]) << "energy " << e[0];
        EXPECT_EQ(getpixel(frame, 7, 170) + getpixel(frame, 136, 170), 2 * 0x0042);
    }

    std::string font = vbtest_data() + "/RESOURCES/ATARI.8x8";
    bool has_font = access(font.c_str(), R_OK) == 0;
    if (has_font) GFX_load_font(font.c_str());
    for (int outlined = 0; outlined <= 1; outlined++)
        for (int retries : {5, 0, -1, -12345}) {
            blitter_compose(room, border, frame, empty, full, 40, 1, 25, retries, outlined);
            blit(border, expect, 0, 0, 0, 0, 256, 192);
            std::string line = "RETRY x " + std::to_string(retries);
            (outlined ? GFX_gprintb : GFX_gprint)(expect, 152, 168, -1, line.c_str());
            (outlined ? GFX_gprintb : GFX_gprint)(expect, 152, 176, -1, "LEVEL 1 - 25");
            int white = 0;
            for (int y = 160; y < 192; y++)
                for (int x = 140; x < 256; x++) {
                    ASSERT_EQ(getpixel(frame, x, y), getpixel(expect, x, y))
                        << retries << " at " << x << "," << y;
                    white += getpixel(frame, x, y) == makecol(255, 255, 255);
                }
            EXPECT_TRUE(!has_font || white > 20) << "the font is there, the text should show";
        }
    for (BITMAP *b : {room, border, frame, expect, empty, full})
        destroy_bitmap(b);
}
