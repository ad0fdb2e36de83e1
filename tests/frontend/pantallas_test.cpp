// pantallas_test.cpp -- the title menu's arrows and the retry dialog: choices, sounds, pictures.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <tuple>
#include <sys/stat.h>
#include "frontend/assist.h"
#include "frontend/menu_anim.h"
#include "frontend/menu_intro.h"
#include "frontend/options.h"
#include "frontend/menu_sounds.h"
#include "frontend/yes_no.h"
#include "frontend/yes_no_step.h"
#include "gfx/gfx.h"
#include "platform/leaving.h"
#include "platform/config.h"
#include "platform/sound_service.h"
#include "support/vbtest.h"

namespace {

// Turns sound on and loads the interface sounds from the built data on SDL's dummy driver; false
// when they cannot be loaded (the tests then check the choices only).
bool interface_sounds(void) {
    CFG_soundon = 1;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    FSOUND_Init(44100, 32, FSOUND_INIT_GLOBALFOCUS); // open, or opened again after a close
    std::string dir = vbtest_data() + "/resources/";
    const std::pair<FSOUND_SAMPLE **, const char *> samples[] = {
        {&s_back, "back.wav"}, {&s_go, "go.wav"}, {&s_ting, "ting.wav"}};
    for (auto &s : samples)
        if (!*s.first)
            *s.first = FSOUND_Sample_Load(FSOUND_FREE, (dir + s.second).c_str(), 0x2001, 0, 0);
    return s_back && s_go && s_ting;
}

// Runs the arrow handling of one menu frame with these arrows down.
void menu_frame(bool up, bool down) {
    key[KEY_UP] = up;
    key[KEY_DOWN] = down;
    MENU_arrows(&MENU_opt, MENU_ENTRIES);
    key[KEY_UP] = key[KEY_DOWN] = 0;
}

TEST(Menu, EachArrowPressMovesOnceWrapsAndRingsAndAHeldArrowBlocksTheOther) {
    vbtest_init(16);
    bool sound = interface_sounds();
    SND_reset_counts();
    MENU_opt = 1;
    // Up, Down, sound, and where that leaves the menu: Up from PLAY wraps to EXIT, Down held from
    // EXIT moves once, Up while Down is still held does nothing; a silent menu moves the same.
    const int frames[][4] = {{0, 0, 1, 1}, {1, 0, 1, MENU_EXIT}, {0, 0, 1, MENU_EXIT}, {0, 1, 1, 1},
                             {0, 1, 1, 1}, {0, 1, 1, 1},         {1, 1, 1, 1},         {0, 0, 1, 1},
                             {0, 1, 1, 2}, {0, 0, 0, 2},         {1, 0, 0, 1}};
    for (auto &f : frames) {
        CFG_soundon = f[2];
        menu_frame(f[0], f[1]);
        EXPECT_EQ(MENU_opt, f[3]) << "after up " << f[0] << ", down " << f[1];
    }
    CFG_soundon = 1;
    EXPECT_TRUE(!sound || (SND_counts.plays == 3 && SND_counts.last_played == s_ting));
}

// The options' text as the screen shows it.
static std::string option_text(int line, int *bar) {
    char text[48];
    OPTIONS_line(line, text, sizeof text, bar);
    return text;
}

// Turned either way as far as it goes, every value stays in range: the volumes stop at 0 and 127,
// the window size, the switches (the ghost's too) and the depth wrap; a depth other than the
// running one (16 here) waits for the next start; lines to leave by have no value to change; SOUND
// frees and loads the interface samples at once.
TEST_F(ScratchDir, OptionsKeepEveryValueInRangeAndSoundLoadsOrFreesTheSamplesAtOnce) {
    vbtest_init(16);
    bool sound = interface_sounds();
    ASSERT_EQ(symlink((vbtest_data() + "/resources").c_str(), "resources"), 0);
    CFG_window = 2, CFG_bitdepth = 16, CFG_scanlines = 1, settings.ghost = 1;
    const struct {
        int line, step, times;
        const char *text;
        int bar;
    } turns[] = {
        {OPTION_MUSIC, -1, 20, "MUSIC                  0", 0},
        {OPTION_MUSIC, 1, 1, "MUSIC                  8", 8},
        {OPTION_EFFECTS, 1, 20, "EFFECTS              127", 127},
        {OPTION_EFFECTS, -1, 1, "EFFECTS              119", 119},
        {OPTION_WINDOW, -1, 1, "WINDOW      FULL SCREEN", -1}, // no window open: the setting
        {OPTION_WINDOW, 1, 2, "WINDOW      3X", -1},
        {OPTION_COLOURS, 1, 1, "COLOURS     32 BITS", -1},
        {OPTION_COLOURS, 1, 1, "COLOURS     15 BITS", -1},
        {OPTION_COLOURS, 1, 1, "COLOURS     16 BITS", -1},
        {OPTION_SCANLINES, -1, 1, "SCANLINES   OFF", -1},
        {OPTION_SCANLINES, -1, 1, "SCANLINES   ON", -1},
        {OPTION_GHOST, 1, 1, "GHOST       OFF", -1},
        {OPTION_GHOST, -1, 1, "GHOST       ON", -1},
        {OPTION_BACK, 1, 1, "BACK        ", -1},
        {OPTION_ASSIST, 1, 1, "ASSIST      ", -1},
    };
    int bar;
    for (auto &t : turns) {
        for (int i = 0; i < t.times; i++)
            EXPECT_EQ(OPTIONS_change(t.line, t.step), t.line < OPTION_CONTROLS);
        EXPECT_EQ(option_text(t.line, &bar), t.text);
        EXPECT_EQ(bar, t.bar) << t.text;
        EXPECT_EQ(OPTIONS_depth_pending(), CFG_bitdepth != 16) << t.text;
    }
    EXPECT_EQ(close_button_pressed, 0);

    SND_reset_counts();
    OPTIONS_change(OPTION_SOUND, 1);
    EXPECT_EQ(option_text(OPTION_SOUND, &bar), "SOUND       OFF");
    EXPECT_EQ(s_ting, nullptr);
    EXPECT_EQ(SND_counts.frees, sound ? 3 : 0);
    OPTIONS_change(OPTION_SOUND, 1);
    EXPECT_EQ(CFG_soundon, 1);
    EXPECT_TRUE(!sound || (SND_counts.loads == 3 && s_ting)) << SND_counts.loads;
    CFG_reset(&settings);
}

// The assist's text as the screen shows it.
static std::string assist_text(int line) {
    char text[48];
    ASSIST_line(line, text, sizeof text);
    return text;
}

// GAME SPEED runs 100, 80, 60, 40% and round (a value not offered goes to 100%), the switches
// turn on and off, BACK has no value; with REDUCED FLASHING the title's picture holds steady and
// no glitch ever starts, without it both happen.
TEST(Assist, SpeedCyclesSwitchesToggleAndReducedFlashingCalmsTheTitle) {
    CFG_reset(&settings);
    std::string seen;
    for (int step : {1, 1, 1, 1, -1, -1}) {
        seen += assist_text(ASSIST_SPEED).substr(18) + " ";
        ASSIST_change(ASSIST_SPEED, step);
    }
    EXPECT_EQ(seen, "100% 80% 60% 40% 100% 40% ");
    settings.game_speed = 55;
    ASSIST_change(ASSIST_SPEED, -1);
    EXPECT_EQ(settings.game_speed, 100);
    for (int line = ASSIST_NO_DAMAGE; line <= ASSIST_TIMER; line++) {
        EXPECT_EQ(assist_text(line).substr(18), "OFF");
        EXPECT_EQ(ASSIST_change(line, -1), 1);
    }
    EXPECT_EQ(settings.no_damage + settings.endless_retries + settings.show_timer, 3);
    EXPECT_EQ(assist_text(ASSIST_FLASHING), "REDUCED FLASHING  ON");
    EXPECT_EQ(ASSIST_change(ASSIST_BACK, 1), 0);
    EXPECT_EQ(assist_text(ASSIST_BACK), "BACK");

    for (int calm : {1, 0}) {
        settings.reduced_flashing = calm;
        srand(1);
        MenuAnim a;
        MENU_anim_reset(&a);
        int glitches = 0, changes = 0, last = -1;
        for (int i = 0; i < 1000; i++, last = MENU_title_strength(&a)) {
            MENU_capa_scroll(&a, nullptr, nullptr, nullptr);
            glitches += a.glitch > 0;
            changes += MENU_title_strength(&a) != last;
        }
        EXPECT_EQ(glitches == 0 && changes == 1, calm == 1) << glitches << " " << changes;
    }
    CFG_reset(&settings);
}

// The game frame (all `back`) and, in the test's scratch directory, the dialog's pictures in
// flat colours; the dialog presents into a memory "screen".
class Dialog : public ScratchDir {
  protected:
    static inline BITMAP *frame, *behind; // the game frame; what composing it gives the dialog
    static inline int asked;              // how the dialog asked for the status lines: 1 outlined
    int back, panel, sel, unsel;
    void SetUp() override {
        ScratchDir::SetUp();
        vbtest_init(16);
        GFX_init();
        GFX_noscanlines();
        if (!screen) screen = create_bitmap(512, 384);
        back = makecol(0, 0, 200), panel = makecol(200, 200, 0);
        sel = makecol(0, 255, 0), unsel = makecol(255, 0, 0);
        mkdir("resources", 0755);
        frame = picture(256, 192, back);
    }
    void TearDown() override {
        destroy_bitmap(frame);
        destroy_bitmap(screen); // a screen left behind would have other tests wait for retraces
        screen = nullptr;
        ScratchDir::TearDown();
    }
    void pictures(bool with_panel, bool with_buttons) {
        auto save = [](const char *path, int w, int h, int color) {
            BITMAP *b = picture(w, h, color);
            save_bitmap(path, b, nullptr);
            destroy_bitmap(b);
        };
        if (with_panel) save("resources/GUI_sure.pcx", 144, 48, panel);
        if (with_buttons) save("resources/BUT_sel.pcx", 32, 24, sel);
        if (with_buttons) save("resources/BUT_unsel.pcx", 32, 24, unsel);
    }
    int run(bool with_frame = true) {
        behind = with_frame ? frame : nullptr;
        return yes_no([](int outlined) { return asked = outlined, behind; });
    }
};

// With none of the dialog's pictures, or no game frame, the answer is "No" at once, and a missing
// picture is left out; the status lines under it are plain. "No" is preselected; Left picks "Yes"
// and Right "No", each change with one sound; Enter ends; a closing window answers "No".
TEST_F(Dialog, ArrowsChooseEnterAnswersAndMissingPicturesOrAClosingWindowMeanNo) {
    bool sound = interface_sounds();
    std::atomic<bool> returned{false}, rescued{false};
    std::thread guard([&] { // presses Enter late, so a wrong dialog cannot hang the run
        for (int i = 0; i < 3000 && !returned; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!returned) rescued = true, key[KEY_ENTER] = 1;
    });
    EXPECT_EQ(run(), 0);
    pictures(false, true); // no panel: the room stays under it, the buttons still show
    EXPECT_EQ(run(false), 0);
    returned = true;
    guard.join();
    key[KEY_ENTER] = 0;
    EXPECT_FALSE(rescued) << "with no pictures or no game frame the dialog waited";

    key[KEY_ENTER] = 1;
    EXPECT_EQ(run(), 0);
    key[KEY_ENTER] = 0;
    EXPECT_EQ(std::make_tuple(asked, getpixel(frame, 57, 73), getpixel(frame, 155, 93)),
              std::make_tuple(0, back, sel));

    SND_reset_counts();
    YesNoChoice d = {0, 0};
    // The keys down in a pass and the choice after it: Right on "No" and Left held on "Yes" do
    // nothing, both arrows go there and back (two sounds), an arrow in the pass of Enter counts.
    const int L = 1, R = 2, E = 4,
              passes[][2] = {{R, 0}, {L, 1}, {L, 1}, {R, 0}, {L | R, 0}, {L | E, 1}};
    for (auto &p : passes) {
        key[KEY_LEFT] = (p[0] & L) != 0, key[KEY_RIGHT] = (p[0] & R) != 0,
        key[KEY_ENTER] = p[0] >= E;
        yes_no_teclas(&d);
        EXPECT_EQ(std::make_tuple(d.choice, d.done), std::make_tuple(p[1], p[0] >= E)) << p[0];
    }
    key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_ENTER] = 0;
    EXPECT_TRUE(!sound || SND_counts.plays == 5) << SND_counts.plays;

    pictures(true, true);
    clear_to_color(frame, back); // nothing drawn yet
    SND_reset_counts();
    key[KEY_ENTER] = 1;
    EXPECT_EQ(run(), 0);
    key[KEY_ENTER] = 0;
    EXPECT_EQ(std::make_tuple(getpixel(frame, 57, 73), getpixel(frame, 73, 93),    // panel, "Yes"
                              getpixel(frame, 155, 93), getpixel(frame, 57, 130)), // "No", below
              std::make_tuple(panel, unsel, sel, back));
    EXPECT_TRUE(!sound || (SND_counts.plays == 2 && SND_counts.last_played == s_back)) // go, back
        << SND_counts.plays;
    for (int close : {0, 1}) {       // a player holds Left until "Yes" is lit, then Enter or closes
        clear_to_color(frame, back); // nothing lit until the dialog draws
        std::atomic<bool> answered{false};
        std::thread player([&] {
            key[KEY_LEFT] = 1;
            for (int i = 0; i < 5000 && getpixel(frame, 73, 93) != sel; i++)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            key[KEY_LEFT] = 0;
            if (close)
                close_button_pressed = -1;
            else
                key[KEY_ENTER] = 1;
            for (int i = 0; i < 5000 && !answered; i++)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            key[KEY_ENTER] = 0;
        });
        EXPECT_EQ(run(), !close) << "a closing window answers No";
        answered = true;
        player.join();
        close_button_pressed = 0;
        EXPECT_EQ(getpixel(frame, 73, 93), close ? unsel : sel);
    }
}

} // namespace
