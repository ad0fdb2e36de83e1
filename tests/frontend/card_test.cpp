// card_test.cpp -- what the cards, the pause and the options' screens tell a player, drawn into
// memory bitmaps: the keys as bound, the room's password, readable dim lines; a replay's line.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include <string>
#include "frontend/card.h"
#include "frontend/controls.h"
#include "frontend/menu_anim.h"
#include "frontend/options.h"
#include "frontend/replays.h"
#include "gfx/gfx.h"
#include "platform/input.h"
#include "support/vbtest.h"

namespace {

class Cards : public ScratchDir {
  protected:
    void SetUp() override {
        ScratchDir::SetUp();
        vbtest_init(32);
        set_trans_blender(0, 0, 0, 64); // what the presentation layer selects at start-up
        CFG_reset(&settings);
        std::string font(1024, '\0'); // every printable character but the space looks different
        for (int c = '!'; c < 128; c++)
            for (int r = 0; r < 7; r++)
                font[c * 8 + r] = (char)(r == 0 ? 0x80 | c : (c * 7 + r * 29) & 0xFE);
        vbtest_write("font.8x8", font);
        GFX_load_font("font.8x8");
        b = picture(256, 192, 0);
    }
    void TearDown() override {
        destroy_bitmap(b);
        CFG_reset(&settings);
        ScratchDir::TearDown();
    }
    // True when the text is white exactly where the font inks it, from (x, y) (x -1: centred).
    bool shows(int x, int y, const std::string &text) {
        BITMAP *t = create_bitmap(8 * (int)text.size(), 8);
        clear_bitmap(t);
        GFX_gprint(t, 0, 0, -1, text.c_str());
        x = x < 0 ? 128 - t->w / 2 : x;
        int white = makecol(255, 255, 255), bad = 0;
        for (int r = 0; r < 8; r++)
            for (int c = 0; c < t->w; c++)
                bad += (getpixel(t, c, r) == white) != (getpixel(b, x + c, y + r) == white);
        destroy_bitmap(t);
        return bad == 0;
    }
    std::string keys(int line) {
        char text[64];
        CARD_keys_line(line, text, sizeof text);
        return text;
    }
    int key_row(int line) { return CARD_KEYS_Y + 1 + CARD_KEY_SPACING * line; }
    BITMAP *b = nullptr;
};

// WCAG's relative luminance of a 32-bit pixel.
double luminance(int c) {
    double l[3], v[3] = {getr32(c) / 255.0, getg32(c) / 255.0, getb32(c) / 255.0};
    for (int i = 0; i < 3; i++)
        l[i] = v[i] <= 0.03928 ? v[i] / 12.92 : pow((v[i] + 0.055) / 1.055, 2.4);
    return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
}

// The worst contrast of text at (x, y): its faintest ink against the brightest box row next to it.
double contrast(BITMAP *frame, int x, int y, const char *text) {
    double ink = 1, paper = 0;
    BITMAP *t = create_bitmap(8 * (int)strlen(text), 8);
    clear_bitmap(t);
    GFX_gprint(t, 0, 0, -1, text);
    for (int c = 0; c < t->w; c++) {
        for (int r = 0; r < 8; r++)
            if (getpixel(t, c, r)) ink = fmin(ink, luminance(getpixel(frame, x + c, y + r)));
        paper = fmax(paper, fmax(luminance(getpixel(frame, x + c, y - 1)),
                                 luminance(getpixel(frame, x + c, y + 8))));
    }
    destroy_bitmap(t);
    return (ink + 0.05) / (paper + 0.05);
}

// The first card shows the keys as bound (a long list cut with "+") and the pad's; later cards the
// room alone; the pause how to go on (GAME OVER: userlevels.sh); a binding says what it moved.
// OPTIONS' dim lines (CONTROLS' alike) read at 4.5:1 or better over the brightest title, dimmer
// than the lit one.
TEST_F(Cards, CardsAndThePauseShowTheRoomThePasswordAndTheKeysAsBoundAndDimLinesRead) {
    EXPECT_EQ(keys(0) + "|" + keys(4), "           KEYS              PAD|"
                                       "LONG JUMP  DOWN,A,LEFT SHIFT X,B");
    CARD_draw_level(b, "LEVEL 1 - 1", "K7QZ", 1);
    EXPECT_TRUE(shows(-1, CARD_PASSWORD_Y, "PASSWORD K7QZ")); // the room's line: every e2e test
    EXPECT_TRUE(shows(0, key_row(3), keys(3)) &&
                shows(-1, CARD_KEYS_Y + CARD_KEY_SPACING * (CARD_KEY_LINES + 1), "TAB SHOW ME"));
    ASSERT_EQ(INPUT_bind(INPUT_LONG_JUMP, KEY_ENTER_PAD), 1);
    EXPECT_EQ(keys(4), "LONG JUMP  KEYPAD ENTER,A,+  X,B");
    clear_bitmap(b);
    CARD_draw_level(b, "LEVEL U - 2", nullptr, 0);
    EXPECT_TRUE(shows(-1, CARD_LEVEL_Y, "LEVEL U - 2") && shows(-1, 140, "TAB SHOW ME"));
    for (int y = CARD_PASSWORD_Y; y < 192; y++) // no password, no label, no keys: SHOW ME alone
        for (int x = 0; x < 256 && (y < 140 || y >= 148); x++)
            ASSERT_EQ(getpixel(b, x, y), 0) << x << "," << y;

    char hint[64];
    CARD_pause_hint(hint, sizeof hint);       // its words: pause.sh
    clear_to_color(b, makecol(200, 180, 40)); // a bright room behind
    CARD_draw_pause(b);
    EXPECT_TRUE(shows(-1, CARD_PAUSED_Y + 10, hint) && shows(0, key_row(5), keys(5)));
    ASSERT_EQ(INPUT_bind(INPUT_PAUSE, KEY_ENTER_PAD), 1);
    CARD_pause_hint(hint, sizeof hint);
    EXPECT_STREQ(hint, "KEYPAD ENTER: GO ON, ESC: LEAVE") << "too long for one line otherwise";

    char text[64];
    CONTROLS_moved_text(INPUT_PAUSE, KEY_RCONTROL, INPUT_SCREENSHOT, KEY_ENTER, text, sizeof text);
    EXPECT_STREQ(text, "SCREENSHOT NOW HAS ENTER");
    CONTROLS_moved_text(INPUT_RETRY, KEY_O, INPUT_LEFT, 0, text, sizeof text);
    EXPECT_STREQ(text, "O WAS LEFT'S: LEFT LOST IT");
    CONTROLS_moved_text(INPUT_LEFT, KEY_O, INPUT_LEFT, KEY_LEFT, text, sizeof text);
    EXPECT_STREQ(text, "") << "its own key";

    MenuScene s = {};
    MENU_anim_reset(&s.anim);
    s.anim.fade = 0;
    s.title = picture(256, 192, makecol(255, 255, 255));
    s.scroll_pic = picture(256, MENU_SCROLL_TOP + 192, makecol(255, 255, 255));
    s.work = create_bitmap(256, 192);
    int bar;
    OPTIONS_frame(&s, b, OPTION_BACK);
    for (int line = 1; line <= OPTION_BACK; line++) {
        OPTIONS_line(line, text, sizeof text, &bar);
        double ratio = contrast(b, 28, 86 + 9 * (line - 1), text);
        EXPECT_TRUE(line == OPTION_BACK ? ratio > 15 : ratio >= 4.5 && ratio < 15) << text << ratio;
    }
    MENU_scene_free(&s);
}

} // namespace

// An attempt's line under REPLAYS: best, when (local time), how it ended, its time; keys watched.
TEST(Replays, AnAttemptsLineSaysWhenHowItEndedAndHowLong) {
    setenv("TZ", "UTC", 1);
    tzset();
    ReplayListed l = {};
    l.best = true, l.recorded = 1796650000, l.ending = REPLAY_ENERGY_OUT, l.frames = 294;
    char line[REPLAYS_LINE_MAX];
    FRONT_replay_line(&l, line, sizeof line);
    EXPECT_STREQ(line, "*12-07 13:26 ENERGY OUT  10.00");
    l.best = false, l.damaged = true;
    FRONT_replay_line(&l, line, sizeof line);
    EXPECT_STREQ(line, " DAMAGED FILE");
    FRONT_replay_keys(REPLAY_KEY_LEFT | REPLAY_KEY_HIGH_JUMP, 4, line, sizeof line);
    EXPECT_STREQ(line, "KEYS <-^- 4X");
}
