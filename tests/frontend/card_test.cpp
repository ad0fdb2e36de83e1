// card_test.cpp -- what the cards, the pause and the options' screens tell a player, drawn into
// memory bitmaps: the keys as bound, the room's password, the window in use, readable dim lines.
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
#include "gfx/gfx_state.h"
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
    // True when the text is drawn in white with its first cell at (x, y): white exactly where the
    // font inks it (x -1: centred).
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

// The first card shows every action's keys as bound (a rebound key at once, a long list cut with
// "+") and the pad's buttons, 32 characters a line; later cards the room and password alone;
// GAME OVER the room reached and its password; the pause how to go on in the bound keys.
TEST_F(Cards, CardsAndThePauseShowTheRoomThePasswordAndTheKeysAsBound) {
    std::string all;
    for (int i = 0; i <= CARD_KEY_LINES; i++)
        all += keys(i) + "|";
    EXPECT_EQ(all, "           KEYS              PAD|WALK LEFT  LEFT,O           LEFT|"
                   "WALK RIGHT RIGHT,P         RIGHT|HIGH JUMP  UP,Q,Z              A|"
                   "LONG JUMP  DOWN,A,LEFT SHIFT X,B|PAUSE      ENTER           START|"
                   "RETRY      R                   Y|LEAVE      ESC              BACK|");
    CARD_draw_level(b, "LEVEL 1 - 1", "K7QZ", 1);
    EXPECT_TRUE(shows(-1, CARD_LEVEL_Y, "LEVEL 1 - 1") &&
                shows(-1, CARD_PASSWORD_Y, "PASSWORD K7QZ"));
    EXPECT_TRUE(shows(0, key_row(3), keys(3)) &&
                shows(-1, CARD_KEYS_Y + CARD_KEY_SPACING * (CARD_KEY_LINES + 1), "TAB SHOW ME"));
    ASSERT_EQ(INPUT_bind(INPUT_HIGH_JUMP, KEY_W) + INPUT_bind(INPUT_LONG_JUMP, KEY_ENTER_PAD), 2);
    EXPECT_EQ(keys(3) + "|" + keys(4), "HIGH JUMP  W,Q,Z               A|"
                                       "LONG JUMP  KEYPAD ENTER,A,+  X,B");
    clear_bitmap(b);
    CARD_draw_level(b, "LEVEL U - 2", nullptr, 0);
    EXPECT_TRUE(shows(-1, CARD_LEVEL_Y, "LEVEL U - 2") && shows(-1, 140, "TAB SHOW ME"));
    for (int y = CARD_PASSWORD_Y; y < 192; y++) // no password, no label, no keys: SHOW ME alone
        for (int x = 0; x < 256 && (y < 140 || y >= 148); x++)
            ASSERT_EQ(getpixel(b, x, y), 0) << x << "," << y;

    clear_bitmap(b);
    CARD_draw_game_over(b, "LEVEL 1 - 7", "AB3C");
    EXPECT_TRUE(
        shows(-1, CARD_GAME_OVER_Y, "GAME OVER") && shows(-1, CARD_LEVEL_Y, "LEVEL 1 - 7") &&
        shows(-1, CARD_PASSWORD_Y, "PASSWORD AB3C") && shows(-1, CARD_KEYS_Y + 16, "PRESS ENTER"));
    char hint[64];
    CARD_pause_hint(hint, sizeof hint);
    EXPECT_STREQ(hint, "ENTER TO GO ON, ESC TO LEAVE");
    clear_to_color(b, makecol(200, 180, 40)); // a bright room behind
    CARD_draw_pause(b);
    EXPECT_TRUE(shows(-1, CARD_PAUSED_Y, "PAUSED") && shows(-1, CARD_PAUSED_Y + 10, hint));
    EXPECT_TRUE(shows(0, key_row(5), keys(5)));
    ASSERT_EQ(INPUT_bind(INPUT_PAUSE, KEY_ENTER_PAD), 1);
    CARD_pause_hint(hint, sizeof hint);
    EXPECT_STREQ(hint, "KEYPAD ENTER: GO ON, ESC: LEAVE") << "too long for one line otherwise";
}

// Every key's name fits the lines, reads as one key and not as a pad's; a binding that takes
// another action's key says what moved (the short form when the long one does not fit).
TEST(Controls, KeyNamesReadWithoutGuessingAndABindingSaysWhatMoved) {
    vbtest_init(32);
    EXPECT_STREQ(INPUT_key_name(KEY_RCONTROL), "RIGHT CTRL");
    for (int code = 1; code < KEY_MAX; code++) {
        const char *name = INPUT_key_name(code);
        if (!name) continue;
        EXPECT_TRUE(strlen(name) <= 12 && !strchr(name, ',') && strncmp(name, "PAD", 3)) << name;
        for (int other = code + 1; other < KEY_MAX; other++) { // other systems' codes aside
            if (other == KEY_BACKQUOTE || other == KEY_SEMICOLON || !INPUT_key_name(other))
                continue;
            EXPECT_STRNE(name, INPUT_key_name(other)) << code << " and " << other;
        }
    }
    char text[64];
    CONTROLS_moved_text(INPUT_RIGHT, KEY_O, INPUT_LEFT, KEY_RIGHT, text, sizeof text);
    EXPECT_STREQ(text, "O WAS LEFT'S: LEFT NOW HAS RIGHT");
    CONTROLS_moved_text(INPUT_PAUSE, KEY_RCONTROL, INPUT_SCREENSHOT, KEY_ENTER, text, sizeof text);
    EXPECT_STREQ(text, "SCREENSHOT NOW HAS ENTER");
    CONTROLS_moved_text(INPUT_RETRY, KEY_O, INPUT_LEFT, 0, text, sizeof text);
    EXPECT_STREQ(text, "O WAS LEFT'S: LEFT LOST IT");
    CONTROLS_moved_text(INPUT_LEFT, KEY_O, INPUT_LEFT, KEY_LEFT, text, sizeof text);
    EXPECT_STREQ(text, "") << "its own key";
}

// OPTIONS names the saved window size, and the one in use first when F11 or Alt+Enter changed it
// or the saved one does not fit; with no window, the saved one.
TEST(Options, TheWindowLineShowsTheSizeInUseWhenItIsNotTheSavedOne) {
    vbtest_init(32);
    std::string lines;
    int cases[][3] = {{0, 0, 2}, {2, 0, 2}, {0, 1, 3}, {2, 1, 3}, {0, 0, 2}, {4, 0, 3}};
    for (auto &c : cases) { // saved, full screen, scale; the first with no window
        CFG_window = c[0], gfx.full = c[1], gfx.scale = c[2];
        char text[48];
        int bar;
        OPTIONS_line(OPTION_WINDOW, text, sizeof text, &bar);
        lines += std::string(text + 12) + "|";
        if (!screen) screen = create_bitmap(16, 16);
    }
    EXPECT_EQ(lines, "FULL SCREEN|2X|FULL SCREEN|FULL, SAVED 2X|2X, SAVED FULL|3X, SAVED 4X|");
    destroy_bitmap(screen);
    screen = nullptr, gfx.full = 0, gfx.scale = 2, CFG_window = 2;
}

// WCAG's relative luminance of a 32-bit pixel.
double luminance(int c) {
    double l[3], v[3] = {getr32(c) / 255.0, getg32(c) / 255.0, getb32(c) / 255.0};
    for (int i = 0; i < 3; i++)
        l[i] = v[i] <= 0.03928 ? v[i] / 12.92 : pow((v[i] + 0.055) / 1.055, 2.4);
    return 0.2126 * l[0] + 0.7152 * l[1] + 0.0722 * l[2];
}

// The worst contrast of a line of text at (x, y): its faintest ink against the brightest of the
// box in the rows just above and below it.
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

// The dim lines of OPTIONS and CONTROLS read at 4.5:1 or better against their box, with the
// brightest title and scrolling picture there can be behind it; they stay dimmer than the lit one.
TEST_F(Cards, DimLinesOfOptionsAndControlsAreReadable) {
    MenuScene s = {};
    MENU_anim_reset(&s.anim);
    s.anim.fade = 0;
    s.title = picture(256, 192, makecol(255, 255, 255));
    s.scroll_pic = picture(256, MENU_SCROLL_TOP + 192, makecol(255, 255, 255));
    s.work = create_bitmap(256, 192);
    char text[48];
    int bar;
    OPTIONS_frame(&s, b, OPTION_BACK);
    for (int line = 1; line <= OPTION_BACK; line++) {
        OPTIONS_line(line, text, sizeof text, &bar);
        double ratio = contrast(b, 28, 86 + 9 * (line - 1), text);
        EXPECT_TRUE(line == OPTION_BACK ? ratio > 15 : ratio >= 4.5 && ratio < 15) << text << ratio;
    }
    CONTROLS_frame(&s, b); // no line selected before the screen opens
    for (int line = 1; line <= CONTROLS_LINES; line++) {
        CONTROLS_line(line, 0, text, sizeof text);
        EXPECT_GE(contrast(b, 12, 86 + 10 * (line - 1), text), 4.5) << text;
    }
    MENU_scene_free(&s);
}

} // namespace

// An attempt's line under REPLAYS: the best marked, when (local time), how it ended, its time; the
// keys held while watching.
TEST(Replays, AnAttemptsLineSaysWhenHowItEndedAndHowLong) {
    setenv("TZ", "UTC", 1);
    tzset();
    ReplayListed l = {};
    l.best = true, l.recorded = 1796650000, l.ending = REPLAY_ENERGY_OUT, l.frames = 294;
    char line[REPLAYS_LINE_MAX];
    FRONT_replay_line(&l, line, sizeof line);
    EXPECT_STREQ(line, "*12-07 13:26 ENERGY OUT  10.00");
    l.best = false, l.recorded = 0, l.ending = REPLAY_LEVER;
    FRONT_replay_line(&l, line, sizeof line);
    EXPECT_STREQ(line, " --          LEVER       10.00");
    l.damaged = true;
    FRONT_replay_line(&l, line, sizeof line);
    EXPECT_STREQ(line, " DAMAGED FILE");
    FRONT_replay_keys(REPLAY_KEY_LEFT | REPLAY_KEY_HIGH_JUMP, 4, line, sizeof line);
    EXPECT_STREQ(line, "KEYS <-^- 4X");
}
