// present_test.cpp -- the doubled presentation with and without scanlines, at 15, 16 and 32 bpp.
#include <gtest/gtest.h>
#include "gfx/gfx.h"
#include "support/vbtest.h"

namespace {

// A 512x384 frame: a colourful pattern in the top-left 256x192, bright green elsewhere (which
// must never reach the window).
BITMAP *make_frame(void) {
    BITMAP *f = create_bitmap(512, 384);
    clear_to_color(f, makecol(0, 255, 0));
    for (int y = 0; y < 192; y++)
        for (int x = 0; x < 256; x++)
            putpixel(f, x, y, makecol(x, 255 - y, (x * 7 + y * 3) & 255));
    return f;
}

class Present : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        vbtest_init(GetParam());
        GFX_init();
        frame = make_frame();
        window = create_bitmap(512, 384);
    }
    void TearDown() override {
        destroy_bitmap(frame);
        destroy_bitmap(window);
        GFX_scanlines();
    }
    // Checks every window pixel against the frame pixel it doubles; odd rows either equal it or
    // are darker in every channel (and clearly darker in a bright one).
    void check(bool scan) {
        int depth = GetParam();
        int bad_even = 0, bad_odd = 0;
        for (int y = 0; y < 384; y++) {
            for (int x = 0; x < 512; x++) {
                int f = getpixel(frame, x / 2, y / 2), w = getpixel(window, x, y);
                if (y % 2 == 0 || !scan) {
                    bad_even += f != w;
                    continue;
                }
                int fr = getr_depth(depth, f), wr = getr_depth(depth, w);
                int fg = getg_depth(depth, f), wg = getg_depth(depth, w);
                int fb = getb_depth(depth, f), wb = getb_depth(depth, w);
                bool darker = wr <= fr && wg <= fg && wb <= fb;
                if (fg > 64) darker = darker && wg < fg && wg > fg / 2;
                bad_odd += !darker;
            }
        }
        EXPECT_EQ(bad_even, 0);
        EXPECT_EQ(bad_odd, 0);
    }
    BITMAP *frame = nullptr, *window = nullptr;
};

TEST_P(Present, WithScanlinesEvenRowsShowTheFrameAndOddRowsAreDarker) {
    GFX_scanlines();
    GFX_present_into(frame, window);
    check(true);
}

TEST_P(Present, WithoutScanlinesEveryRowShowsTheFrame) {
    GFX_noscanlines();
    GFX_present_into(frame, window);
    check(false);
}

INSTANTIATE_TEST_SUITE_P(Depths, Present, ::testing::Values(15, 16, 32));

} // namespace
