// pcxart_test.cpp -- the picture maker: text grids, legend, copies and mirrors, its error
// messages, and the same picture from the same source every time.
#include <gtest/gtest.h>
#include "contenido.h"
#include "support/vbtest.h"
#include <allegro.h>

namespace {

BITMAP *carga24(const std::string &path) {
    vbtest_init(32);
    set_color_conversion(COLORCONV_TOTAL);
    PALETTE pal;
    return load_pcx(path.c_str(), pal);
}

} // namespace

// A grid is drawn with its legend, '.' is the mask, '_' keeps what was there, and copies,
// mirrors and tile placements land where they say.
TEST(PictureMaker, DrawsGridsCopiesAndMirrorsWhereTheSourceSays) {
    std::string d = ct_scratch("pcx_ok");
    ct_write(d + "/pal.txt", "color r 200 10 20\ncolor g 10 200 30\n");
    ct_write(d + "/a.txt", "# a test picture\n"
                           "size 40 20\n"
                           "clear 0 0 64\n"
                           "include pal.txt\n"
                           "grid 1 2\n"
                           "rg.\n"
                           "_r\n"
                           "end\n"
                           "copy 1 2 3 2 10 10\n"
                           "mirror 1 2 3 1 20 0\n"
                           "define dot\n"
                           "g\n"
                           "end\n"
                           "put dot 39 19\n"
                           "put dot 30 10 x2\n"
                           "tile 1 2 3\n"
                           "r\n"
                           "end\n");
    std::string err;
    ASSERT_EQ(ct_run("pcxart", d + "/a.txt", d + "/a.pcx", &err), 0) << err;
    BITMAP *b = carga24(d + "/a.pcx");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->w, 40);
    EXPECT_EQ(b->h, 20);
    EXPECT_EQ(getpixel(b, 1, 2), makecol(200, 10, 20));
    EXPECT_EQ(getpixel(b, 2, 2), makecol(10, 200, 30));
    EXPECT_EQ(getpixel(b, 3, 2), makecol(255, 0, 255));
    EXPECT_EQ(getpixel(b, 1, 3), makecol(0, 0, 64)) << "'_' keeps the cleared colour";
    EXPECT_EQ(getpixel(b, 2, 3), makecol(200, 10, 20));
    EXPECT_EQ(getpixel(b, 10, 10), makecol(200, 10, 20)) << "copy";
    EXPECT_EQ(getpixel(b, 11, 11), makecol(200, 10, 20)) << "copy";
    EXPECT_EQ(getpixel(b, 22, 0), makecol(200, 10, 20)) << "mirror flips left to right";
    EXPECT_EQ(getpixel(b, 20, 0), makecol(255, 0, 255)) << "mirror flips left to right";
    EXPECT_EQ(getpixel(b, 39, 19), makecol(10, 200, 30)) << "a defined grid put";
    EXPECT_EQ(getpixel(b, 18, 3), makecol(200, 10, 20)) << "tile 1 with an offset";
    for (int y = 10; y < 13; y++)
        for (int x = 30; x < 33; x++)
            EXPECT_EQ(getpixel(b, x, y) == makecol(10, 200, 30), x < 32 && y < 12)
                << "a grid put at twice its size covers 2 x 2 pixels per grid pixel";
    destroy_bitmap(b);
}

// Faults in a source stop the build with the line that caused them.
TEST(PictureMaker, ReportsFaultsWithTheirLine) {
    std::string d = ct_scratch("pcx_bad");
    struct {
        const char *fuente, *espera;
    } casos[] = {
        {"size 8 8\ngrid 0 0\n.z\nend\n", "source:2: colour 'z'"},
        {"size 8 8\nsparkle 1\n", "source:2: unknown command"},
        {"size 8 8\ngrid 0 0\n..\n", "grid without end"},
        {"grid 0 0\n.\nend\n", "needs a size"},
        {"size 8 8\npaint nothing\n", "no painter"},
        {"size 8 8\ninclude missing.txt\n", "cannot read"},
        {"size 8 8\npaint background 7\n", "world 0..4"},
        {"size 8 8\ndefine d\n.\nend\nput d 0 0 x99\n", "unknown option"},
    };
    for (auto &c : casos) {
        ct_write(d + "/bad.txt", c.fuente);
        std::string err;
        EXPECT_NE(ct_run("pcxart", d + "/bad.txt", d + "/bad.pcx", &err), 0) << c.fuente;
        EXPECT_NE(err.find(c.espera), std::string::npos) << err;
    }
}
