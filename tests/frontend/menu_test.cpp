// menu_test.cpp -- the title menu's arrows: one step per press, wrapping, never repeating.
#include <gtest/gtest.h>
#include "frontend/menu_anim.h"
#include "front_sonido.h"
#include "shell/config.h"
#include "shell/sonido.h"
#include "support/vbtest.h"

// Runs the arrow handling of one menu frame with these arrows down.
static void cuadro(MenuAnim *a, bool up, bool down) {
    key[KEY_UP] = up;
    key[KEY_DOWN] = down;
    MENU_flechas(a);
    key[KEY_UP] = key[KEY_DOWN] = 0;
}

TEST(Menu, EachArrowPressMovesOnceWrapsAndRingsAndAHeldArrowBlocksTheOther) {
    vbtest_init(16);
    bool sound = front_carga_sonidos();
    SND_reset_counts();
    MenuAnim a;
    MENU_anim_reset(&a);
    MENU_opt = 1;
    cuadro(&a, true, false); // Up from PLAY: EXIT
    EXPECT_EQ(MENU_opt, 4);
    cuadro(&a, false, false);
    for (int i = 0; i < 5; i++)
        cuadro(&a, false, true); // Down held from EXIT: PLAY, once
    EXPECT_EQ(MENU_opt, 1);
    cuadro(&a, true, true); // Up while Down is still held: nothing
    EXPECT_EQ(MENU_opt, 1);
    cuadro(&a, false, false);
    cuadro(&a, false, true);
    EXPECT_EQ(MENU_opt, 2);
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 3);
        EXPECT_EQ(SND_counts.last_played, s_ting);
    }
    CFG_soundon = 0; // a silent menu moves the same
    SND_reset_counts();
    cuadro(&a, false, false);
    cuadro(&a, true, false);
    EXPECT_EQ(MENU_opt, 1);
    EXPECT_EQ(SND_counts.plays, 0);
    CFG_soundon = 1;
}
