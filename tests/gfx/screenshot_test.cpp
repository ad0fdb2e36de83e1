// screenshot_test.cpp -- screenshots: numbered, never over another nor through a link, reported.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <filesystem>
#include "gfx/screenshot.h"
#include "support/vbtest.h"

using Screenshot = ScratchDir;

// The next number follows the highest, passing over a link to nothing; CAP.PCX, a link, is replaced
// (a folder there costs only CAP.PCX); with CAP9999.PCX there nothing is saved; the report says so.
TEST_F(Screenshot, NumberedFilesNeverReplaceOneAnotherNorFollowLinks) {
    vbtest_init(16);
    BITMAP *pic = picture(64, 48, makecol(10, 200, 30));
    putpixel(pic, 5, 7, makecol(250, 0, 0));
    vbtest_write("CAP0007.PCX", "older");
    vbtest_write("victim", "keep");
    ASSERT_EQ(symlink("victim", "CAP.PCX"), 0);
    ASSERT_EQ(symlink("made-by-a-link", "CAP0008.PCX"), 0);
    char report[200];
    ASSERT_EQ(GFX_save_screenshot(pic, nullptr, report, sizeof report), 1) << report;
    EXPECT_STREQ(report, "screenshot saved as CAP0009.PCX and CAP.PCX");
    EXPECT_EQ(vbtest_read("CAP0007.PCX"), "older");
    EXPECT_EQ(vbtest_read("victim"), "keep");
    EXPECT_FALSE(std::filesystem::exists("made-by-a-link"));
    PALETTE pal;
    BITMAP *back = load_pcx("CAP0009.PCX", pal);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(getpixel(back, 5, 7), makecol(250, 0, 0));
    EXPECT_EQ(getpixel(back, 63, 47), makecol(10, 200, 30));
    destroy_bitmap(back);
    std::filesystem::remove("CAP.PCX");
    ASSERT_EQ(mkdir("CAP.PCX", 0755), 0);
    ASSERT_EQ(GFX_save_screenshot(pic, nullptr, report, sizeof report), 1);
    EXPECT_STREQ(report, "screenshot saved as CAP0010.PCX, but CAP.PCX could not be replaced: "
                         "Is a directory");

    vbtest_write("CAP9999.PCX", "");
    EXPECT_EQ(GFX_save_screenshot(pic, nullptr, report, sizeof report), 0);
    EXPECT_STREQ(report, "screenshot not saved: CAP9999.PCX is there already");
    destroy_bitmap(pic);
}
