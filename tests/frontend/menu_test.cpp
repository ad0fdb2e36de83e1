// menu_test.cpp -- the title menu's arrows and its scrolling picture.
#include <gtest/gtest.h>
#include <stdlib.h>
#include "frontend/menu_anim.h"
#include "front_sonido.h"
#include "shell/config.h"
#include "shell/sonido.h"
#include "support/vbtest.h"

// Runs one menu frame's arrow handling with these keys down.
static void cuadro(MenuAnim *a, bool up, bool down) {
    key[KEY_UP] = up;
    key[KEY_DOWN] = down;
    MENU_flechas(a);
    key[KEY_UP] = key[KEY_DOWN] = 0;
}

TEST(Menu, UpFromPlaySelectsExitAndDownFromExitSelectsPlay) {
    vbtest_init(16);
    MenuAnim a;
    MENU_anim_reset(&a);
    MENU_opt = 1;
    cuadro(&a, true, false);
    EXPECT_EQ(MENU_opt, 4);
    cuadro(&a, false, false);
    cuadro(&a, false, true);
    EXPECT_EQ(MENU_opt, 1);
    cuadro(&a, false, false);
    cuadro(&a, false, true);
    cuadro(&a, false, false);
    cuadro(&a, false, true);
    EXPECT_EQ(MENU_opt, 3);
}

TEST(Menu, AHeldArrowMovesOnceAndBlocksTheOther) {
    vbtest_init(16);
    bool sound = front_carga_sonidos();
    CFG_soundon = 1;
    SND_reset_counts();
    MenuAnim a;
    MENU_anim_reset(&a);
    MENU_opt = 2;
    for (int i = 0; i < 5; i++)
        cuadro(&a, false, true);
    EXPECT_EQ(MENU_opt, 3);
    cuadro(&a, true, true); // Up pressed while Down is still held
    EXPECT_EQ(MENU_opt, 3);
    cuadro(&a, false, false);
    cuadro(&a, true, false);
    EXPECT_EQ(MENU_opt, 2);
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 2);
        EXPECT_EQ(SND_counts.last_played, s_ting);
    }
    CFG_soundon = 0; // silent menus move the same
    SND_reset_counts();
    cuadro(&a, false, false);
    cuadro(&a, true, false);
    EXPECT_EQ(MENU_opt, 1);
    EXPECT_EQ(SND_counts.plays, 0);
    CFG_soundon = 1;
}

TEST(Menu, TheScrollingPicturePansUpToTheTopAndBackDown) {
    MenuAnim a;
    MENU_anim_reset(&a);
    int lowest = a.scroll_y, highest = a.scroll_y, frames = 0;
    do {
        MENU_scroll(&a);
        lowest = std::min(lowest, a.scroll_y);
        highest = std::max(highest, a.scroll_y);
        frames++;
    } while (a.scroll_y != MENU_SCROLL_TOP && frames < 2000);
    EXPECT_EQ(frames, 2 * MENU_SCROLL_TOP);
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, MENU_SCROLL_TOP);
    EXPECT_EQ(a.scroll_step, -1);
}

TEST(Menu, OnLaterVisitsOnlyGlitchesShowTheScrollingPicture) {
    vbtest_init(16);
    BITMAP *pic = create_bitmap(256, 657), *work = create_bitmap(256, 192),
           *back = create_bitmap(512, 384);
    clear_to_color(pic, makecol(255, 255, 255));
    MenuAnim a;
    MENU_anim_reset(&a); // fade 64 and leave_count 0: the plain layer adds at strength 0
    srand(7);
    int quiet_frames = 0, glitch_frames = 0, lit_in_glitch = 0;
    for (int f = 0; f < 3000; f++) {
        clear_bitmap(back);
        bool glitching = a.glitch > 0;
        MENU_capa_scroll(&a, pic, work, back);
        MENU_scroll(&a);
        EXPECT_GE(a.glitch, 0);
        EXPECT_LE(a.glitch, 30);
        EXPECT_GE(a.band_dx_top, -4);
        EXPECT_LE(a.band_dx_top, 3);
        EXPECT_GE(a.band_split, 0);
        EXPECT_LT(a.band_split, 192);
        bool lit = getpixel(back, 128, 96) != 0;
        if (!glitching) {
            quiet_frames++;
            EXPECT_FALSE(lit) << "frame " << f;
        } else {
            glitch_frames++;
            lit_in_glitch += lit;
        }
    }
    EXPECT_GT(quiet_frames, 0);
    EXPECT_GT(glitch_frames, 0);
    (void)lit_in_glitch; // strength there is (rand() & 64) - 32: lit in about half the frames
    // A missing picture draws nothing but the timing runs on.
    clear_bitmap(back);
    for (int f = 0; f < 200; f++)
        MENU_capa_scroll(&a, NULL, work, back);
    EXPECT_EQ(getpixel(back, 128, 96), 0);
    destroy_bitmap(pic);
    destroy_bitmap(work);
    destroy_bitmap(back);
}
