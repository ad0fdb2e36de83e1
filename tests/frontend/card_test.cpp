// card_test.cpp -- what the cards, the pause and the options' screens tell a player: the keys as
// bound, GAME OVER with the room and its password, what a binding moved, the window in use, and
// dim lines that stay readable; drawn into memory bitmaps with the game's font.
#include <gtest/gtest.h>
#include <math.h>
#include <string.h>
#include <string>
#include "frontend/card.h"
#include "frontend/controls.h"
#include "frontend/menu_anim.h"
#include "frontend/options.h"
#include "gfx/gfx.h"
#include "gfx/gfx_state.h"
#include "platform/config.h"
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
        // A font of our own in which every printable character but the space looks different.
        std::string font(1024, '\0');
        for (int c = '!'; c < 128; c++)
            for (int r = 0; r < 7; r++)
                font[c * 8 + r] = (char)(r == 0 ? 0x80 | c : (c * 7 + r * 29) & 0xFE);
        vbtest_write("font.8x8", font);
        GFX_load_font("font.8x8");
        b = create_bitmap(256, 192);
        clear_bitmap(b);
    }
    void TearDown() override {
        if (b) destroy_bitmap(b);
        CFG_reset(&settings);
        ScratchDir::TearDown();
    }
    // True when the text is drawn in white with its first cell at (x, y), and only there: every
    // pixel of its cells is white exactly where the font inks it.
    bool shows(int x, int y, const std::string &text) {
        BITMAP *t = create_bitmap(8 * (int)text.size(), 8);
        clear_bitmap(t);
        GFX_gprint(t, 0, 0, -1, text.c_str());
        bool same = true;
        for (int r = 0; r < 8 && same; r++)
            for (int c = 0; c < t->w && same; c++)
                same = (getpixel(t, c, r) == makecol(255, 255, 255)) ==
                       (getpixel(b, x + c, y + r) == makecol(255, 255, 255));
        destroy_bitmap(t);
        return same;
    }
    bool centred(int y, const std::string &text) {
        return shows(128 - 4 * (int)text.size(), y, text);
    }
    std::string keys_line(int line) {
        char text[64];
        CARD_keys_line(line, text, sizeof text);
        return text;
    }
    BITMAP *b = nullptr;
};

// The first card shows every action's keys as bound, in one 32-character line each, and the pad's
// buttons; a rebound key shows at once; the password is labelled.
TEST_F(Cards, TheFirstCardShowsTheKeysAsBoundAndThePasswordLabelled) {
    const char *want[] = {"           KEYS              PAD", "WALK LEFT  LEFT,O           LEFT",
                          "WALK RIGHT RIGHT,P         RIGHT", "HIGH JUMP  UP,Q,Z              A",
                          "LONG JUMP  DOWN,A,LEFT SHIFT X,B", "PAUSE      ENTER           START",
                          "RETRY      R                   Y", "LEAVE      ESC              BACK"};
    for (int i = 0; i <= CARD_KEY_LINES; i++)
        EXPECT_EQ(keys_line(i), want[i]);
    CARD_draw_level(b, "LEVEL 1 - 1", "K7QZ", 1);
    EXPECT_TRUE(centred(CARD_LEVEL_Y, "LEVEL 1 - 1"));
    EXPECT_TRUE(centred(CARD_PASSWORD_Y, "PASSWORD K7QZ"));
    EXPECT_TRUE(shows(0, CARD_KEYS_Y + 1 + 3 * CARD_KEY_SPACING, keys_line(3)));

    ASSERT_EQ(INPUT_bind(INPUT_HIGH_JUMP, KEY_W), 1);
    ASSERT_EQ(INPUT_bind(INPUT_LONG_JUMP, KEY_ENTER_PAD), 1); // a long name: the rest cut with +
    EXPECT_EQ(keys_line(3), "HIGH JUMP  W,Q,Z               A");
    EXPECT_EQ(keys_line(4), "LONG JUMP  KEYPAD ENTER,A,+  X,B");
    clear_bitmap(b);
    CARD_draw_level(b, "LEVEL 1 - 2", nullptr, 1);
    EXPECT_TRUE(shows(0, CARD_KEYS_Y + 1 + 3 * CARD_KEY_SPACING, keys_line(3)));
    EXPECT_FALSE(centred(CARD_PASSWORD_Y, "PASSWORD")) << "no password, no label";

    clear_bitmap(b); // a later card: the room alone
    CARD_draw_level(b, "LEVEL 1 - 2", "K7QZ", 0);
    for (int y = CARD_KEYS_Y; y < 192; y++)
        for (int x = 0; x < 256; x++)
            ASSERT_EQ(getpixel(b, x, y), 0) << x << "," << y;
}

// GAME OVER names the room reached and the password back to it; the pause says how to go on and
// leave in the bound keys, shortened when a name is long, and shows the keys under it.
TEST_F(Cards, GameOverAndThePauseSayWhatToDoInTheBoundKeys) {
    CARD_draw_game_over(b, "LEVEL 1 - 7", "AB3C");
    EXPECT_TRUE(centred(CARD_GAME_OVER_Y, "GAME OVER"));
    EXPECT_TRUE(centred(CARD_LEVEL_Y, "LEVEL 1 - 7"));
    EXPECT_TRUE(centred(CARD_PASSWORD_Y, "PASSWORD AB3C"));
    EXPECT_TRUE(centred(CARD_KEYS_Y + 16, "PRESS ENTER"));

    char hint[64];
    CARD_pause_hint(hint, sizeof hint);
    EXPECT_STREQ(hint, "ENTER TO GO ON, ESC TO LEAVE");
    clear_to_color(b, makecol(200, 180, 40)); // a bright room behind
    CARD_draw_pause(b);
    EXPECT_TRUE(centred(CARD_PAUSED_Y, "PAUSED"));
    EXPECT_TRUE(centred(CARD_PAUSED_Y + 10, hint));
    EXPECT_TRUE(shows(0, CARD_KEYS_Y + 1 + 5 * CARD_KEY_SPACING, keys_line(5)));
    ASSERT_EQ(INPUT_bind(INPUT_PAUSE, KEY_P), 1);
    CARD_pause_hint(hint, sizeof hint);
    EXPECT_STREQ(hint, "P TO GO ON, ESC TO LEAVE");
    ASSERT_EQ(INPUT_bind(INPUT_PAUSE, KEY_ENTER_PAD), 1);
    CARD_pause_hint(hint, sizeof hint);
    EXPECT_STREQ(hint, "KEYPAD ENTER: GO ON, ESC: LEAVE");
}

// Every key has a name that fits the screen's lines and reads as one key; no name is a pad's.
TEST(KeyNames, ReadWithoutGuessingAndFitTheLines) {
    vbtest_init(32);
    EXPECT_STREQ(INPUT_key_name(KEY_RCONTROL), "RIGHT CTRL");
    EXPECT_STREQ(INPUT_key_name(KEY_LSHIFT), "LEFT SHIFT");
    EXPECT_STREQ(INPUT_key_name(KEY_4_PAD), "KEYPAD 4");
    int named = 0;
    for (int code = 1; code < KEY_MAX; code++) {
        const char *name = INPUT_key_name(code);
        if (!name) continue;
        named++;
        EXPECT_LE(strlen(name), 12u) << name;
        EXPECT_EQ(strchr(name, ','), nullptr) << "a comma parts a list of keys: " << code;
        EXPECT_NE(strncmp(name, "PAD ", 4), 0) << name << " reads as a pad's button";
        for (const char *c = name; *c; c++)
            EXPECT_TRUE(*c >= ' ' && *c < 127) << code;
        for (int other = code + 1; other < KEY_MAX; other++) { // other systems' codes aside
            if (other == KEY_BACKQUOTE || other == KEY_SEMICOLON || !INPUT_key_name(other))
                continue;
            EXPECT_STRNE(name, INPUT_key_name(other)) << code << " and " << other;
        }
    }
    EXPECT_GT(named, 90);
}

// A binding that takes another action's key says what moved; the short form when the long one
// does not fit; nothing when the key was the action's own or nobody's.
TEST(Controls, ABindingSaysWhatMovedBetweenActions) {
    vbtest_init(32);
    char text[64];
    CONTROLS_moved_text(INPUT_RIGHT, KEY_O, INPUT_LEFT, KEY_RIGHT, text, sizeof text);
    EXPECT_STREQ(text, "O WAS LEFT'S: LEFT NOW HAS RIGHT");
    CONTROLS_moved_text(INPUT_PAUSE, KEY_RCONTROL, INPUT_SCREENSHOT, KEY_ENTER, text, sizeof text);
    EXPECT_STREQ(text, "SCREENSHOT NOW HAS ENTER");
    CONTROLS_moved_text(INPUT_RETRY, KEY_O, INPUT_LEFT, 0, text, sizeof text);
    EXPECT_STREQ(text, "O WAS LEFT'S: LEFT LOST IT");
    CONTROLS_moved_text(INPUT_LEFT, KEY_O, INPUT_LEFT, KEY_LEFT, text, sizeof text);
    EXPECT_STREQ(text, "");
    CONTROLS_moved_text(INPUT_LEFT, KEY_W, -1, KEY_LEFT, text, sizeof text);
    EXPECT_STREQ(text, "");
}

// OPTIONS names the saved window size, and the one in use first when F11 or Alt+Enter changed it
// or the saved one does not fit.
TEST(Options, TheWindowLineShowsTheSizeInUseWhenItIsNotTheSavedOne) {
    vbtest_init(32);
    auto line = [] {
        char text[48];
        int bar;
        OPTIONS_line(OPTION_WINDOW, text, sizeof text, &bar);
        return std::string(text);
    };
    CFG_window = 0;
    EXPECT_EQ(line(), "WINDOW      FULL SCREEN") << "no window: the saved size";
    screen = create_bitmap(16, 16);
    struct {
        int saved, full, scale;
        const char *text;
    } cases[] = {{2, 0, 2, "WINDOW      2X"},
                 {0, 1, 3, "WINDOW      FULL SCREEN"},
                 {2, 1, 3, "WINDOW      FULL, SAVED 2X"},
                 {0, 0, 2, "WINDOW      2X, SAVED FULL"},
                 {4, 0, 3, "WINDOW      3X, SAVED 4X"}};
    for (auto &c : cases) {
        CFG_window = c.saved;
        gfx.full = c.full;
        gfx.scale = c.scale;
        EXPECT_EQ(line(), c.text);
    }
    destroy_bitmap(screen);
    screen = nullptr;
    gfx.full = 0;
    gfx.scale = 2;
    CFG_window = 2;
}

// WCAG's relative luminance of a 32-bit pixel.
double luminance(int c) {
    auto lin = [](int v) {
        double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(getr32(c)) + 0.7152 * lin(getg32(c)) + 0.0722 * lin(getb32(c));
}

// The worst contrast of a dim line of text at (x, y): its faintest ink against the brightest of
// the box in the rows just above and below it.
double worst_contrast(BITMAP *frame, int x, int y, const char *text) {
    BITMAP *t = create_bitmap(8 * (int)strlen(text), 8);
    clear_bitmap(t);
    GFX_gprint(t, 0, 0, -1, text);
    double ink = 1, paper = 0;
    for (int r = 0; r < 8; r++)
        for (int c = 0; c < t->w; c++)
            if (getpixel(t, c, r)) ink = fmin(ink, luminance(getpixel(frame, x + c, y + r)));
    for (int c = 0; c < t->w; c++)
        for (int r : {y - 2, y + 9})
            paper = fmax(paper, luminance(getpixel(frame, x + c, r)));
    destroy_bitmap(t);
    return (ink + 0.05) / (paper + 0.05);
}

// The dim lines of OPTIONS and CONTROLS read at 4.5:1 or better against their box, with the
// brightest title and scrolling picture there can be behind it.
TEST_F(Cards, DimLinesOfOptionsAndControlsAreReadable) {
    MenuScene s = {};
    MENU_anim_reset(&s.anim);
    s.anim.fade = 0;
    s.title = picture(256, 192, makecol(255, 255, 255));
    s.scroll_pic = picture(256, MENU_SCROLL_TOP + 192, makecol(255, 255, 255));
    s.work = create_bitmap(256, 192);
    OPTIONS_frame(&s, b, OPTION_BACK);
    for (int line = 1; line < OPTION_BACK; line++) {
        char text[48];
        int bar;
        OPTIONS_line(line, text, sizeof text, &bar);
        int y = 86 + 11 * (line - 1);
        EXPECT_GE(worst_contrast(b, 28, y, text), 4.5) << text;
        EXPECT_LT(worst_contrast(b, 28, y, text), 21.0) << "dim, not lit: " << text;
    }
    CONTROLS_frame(&s, b); // no line selected before the screen opens
    for (int line = 1; line <= CONTROLS_LINES; line++) {
        char text[48];
        CONTROLS_line(line, 0, text, sizeof text);
        EXPECT_GE(worst_contrast(b, 12, 86 + 10 * (line - 1), text), 4.5) << text;
    }
    MENU_scene_free(&s);
}

} // namespace
