// pantallas_test.cpp -- the title menu's arrows and the retry dialog: choices, sounds, pictures.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
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
    static int ok = -1;
    CFG_soundon = 1;
    if (ok >= 0) return ok;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    FSOUND_Init(44100, 32, FSOUND_INIT_GLOBALFOCUS);
    std::string dir = vbtest_data() + "/resources/";
    s_back = FSOUND_Sample_Load(FSOUND_FREE, (dir + "back.wav").c_str(), 0x2001, 0, 0);
    s_go = FSOUND_Sample_Load(FSOUND_FREE, (dir + "go.wav").c_str(), 0x2001, 0, 0);
    s_ting = FSOUND_Sample_Load(FSOUND_FREE, (dir + "ting.wav").c_str(), 0x2001, 0, 0);
    ok = s_back && s_go && s_ting;
    return ok;
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
    menu_frame(true, false); // Up from PLAY: EXIT
    EXPECT_EQ(MENU_opt, MENU_EXIT);
    menu_frame(false, false);
    for (int i = 0; i < 5; i++)
        menu_frame(false, true); // Down held from EXIT: PLAY, once
    EXPECT_EQ(MENU_opt, 1);
    menu_frame(true, true); // Up while Down is still held: nothing
    EXPECT_EQ(MENU_opt, 1);
    menu_frame(false, false);
    menu_frame(false, true);
    EXPECT_EQ(MENU_opt, 2);
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 3);
        EXPECT_EQ(SND_counts.last_played, s_ting);
    }
    CFG_soundon = 0; // a silent menu moves the same
    SND_reset_counts();
    menu_frame(false, false);
    menu_frame(true, false);
    EXPECT_EQ(MENU_opt, 1);
    EXPECT_EQ(SND_counts.plays, 0);
    CFG_soundon = 1;
}

// The options' text as the screen shows it.
static std::string option_text(int line, int *bar) {
    char text[48];
    OPTIONS_line(line, text, sizeof text, bar);
    return text;
}

// Turned either way as far as it goes, every value stays in range: the volumes stop at 0 and 127,
// the window size, the switches (the ghost's too) and the depth wrap; SOUND frees and loads the
// interface samples at once; a depth other than the running one waits for the next start; BACK has
// no value to change.
TEST_F(ScratchDir, OptionsKeepEveryValueInRangeAndSoundLoadsOrFreesTheSamplesAtOnce) {
    vbtest_init(16);
    bool sound = interface_sounds();
    ASSERT_EQ(symlink((vbtest_data() + "/resources").c_str(), "resources"), 0);
    int bar;
    for (int i = 0; i < 20; i++)
        OPTIONS_change(OPTION_MUSIC, -1);
    EXPECT_EQ(option_text(OPTION_MUSIC, &bar), "MUSIC                  0");
    EXPECT_EQ(bar, 0);
    OPTIONS_change(OPTION_MUSIC, 1);
    EXPECT_EQ(CFG_soundvol, 8);
    for (int i = 0; i < 20; i++)
        OPTIONS_change(OPTION_EFFECTS, 1);
    EXPECT_EQ(option_text(OPTION_EFFECTS, &bar), "EFFECTS              127");
    EXPECT_EQ(bar, 127);
    OPTIONS_change(OPTION_EFFECTS, -1);
    EXPECT_EQ(CFG_sfxvol, 119);

    CFG_window = 2; // with no window open, only the setting changes
    OPTIONS_change(OPTION_WINDOW, -1);
    EXPECT_EQ(option_text(OPTION_WINDOW, &bar), "WINDOW      FULL SCREEN");
    OPTIONS_change(OPTION_WINDOW, 1);
    OPTIONS_change(OPTION_WINDOW, 1);
    EXPECT_EQ(option_text(OPTION_WINDOW, &bar), "WINDOW      3X");
    EXPECT_EQ(close_button_pressed, 0);

    CFG_bitdepth = 16;
    OPTIONS_change(OPTION_COLOURS, 1);
    EXPECT_EQ(option_text(OPTION_COLOURS, &bar), "COLOURS     32 BITS");
    EXPECT_EQ(bar, -1);
    EXPECT_TRUE(OPTIONS_depth_pending());
    OPTIONS_change(OPTION_COLOURS, 1);
    EXPECT_EQ(CFG_bitdepth, 15);
    OPTIONS_change(OPTION_COLOURS, 1);
    EXPECT_FALSE(OPTIONS_depth_pending());
    CFG_scanlines = 1;
    OPTIONS_change(OPTION_SCANLINES, -1);
    EXPECT_EQ(option_text(OPTION_SCANLINES, &bar), "SCANLINES   OFF");
    OPTIONS_change(OPTION_SCANLINES, -1);
    EXPECT_EQ(CFG_scanlines, 1);
    settings.ghost = 1;
    OPTIONS_change(OPTION_GHOST, 1);
    EXPECT_EQ(option_text(OPTION_GHOST, &bar), "GHOST       OFF");
    OPTIONS_change(OPTION_GHOST, -1);
    EXPECT_EQ(settings.ghost, 1);
    EXPECT_EQ(OPTIONS_change(OPTION_BACK, 1), 0);
    EXPECT_EQ(option_text(OPTION_BACK, &bar), "BACK        ");

    SND_reset_counts();
    OPTIONS_change(OPTION_SOUND, 1);
    EXPECT_EQ(option_text(OPTION_SOUND, &bar), "SOUND       OFF");
    EXPECT_EQ(s_ting, nullptr);
    EXPECT_EQ(SND_counts.frees, sound ? 3 : 0);
    OPTIONS_change(OPTION_SOUND, 1);
    EXPECT_EQ(CFG_soundon, 1);
    if (sound) {
        EXPECT_EQ(SND_counts.loads, 3);
        EXPECT_NE(s_ting, nullptr);
    }
    EXPECT_EQ(OPTIONS_change(OPTION_ASSIST, 1), 0);
    EXPECT_EQ(option_text(OPTION_ASSIST, &bar), "ASSIST      ");
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

// Runs one pass of the dialog's keys with these keys down.
void pass(YesNoChoice *d, std::initializer_list<int> down) {
    for (int k : down)
        key[k] = 1;
    yes_no_teclas(d);
    key[KEY_LEFT] = key[KEY_RIGHT] = key[KEY_ENTER] = 0;
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
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(getpixel(frame, 57, 73), back);
    EXPECT_EQ(getpixel(frame, 155, 93), sel);

    SND_reset_counts();
    YesNoChoice d = {0, 0};
    pass(&d, {KEY_RIGHT}); // already "No": no change, no sound
    pass(&d, {KEY_LEFT});
    pass(&d, {KEY_LEFT}); // held: nothing more
    EXPECT_EQ(d.choice, 1);
    pass(&d, {KEY_RIGHT});
    EXPECT_EQ(d.choice, 0);
    EXPECT_FALSE(d.done);
    pass(&d, {KEY_LEFT, KEY_RIGHT}); // both held: there and back, two sounds
    EXPECT_EQ(d.choice, 0);
    pass(&d, {KEY_LEFT, KEY_ENTER}); // an arrow in the pass of Enter still counts
    EXPECT_TRUE(d.choice == 1 && d.done);
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 5);
    }

    pictures(true, true);
    clear_to_color(frame, back); // nothing drawn yet
    SND_reset_counts();
    key[KEY_ENTER] = 1;
    EXPECT_EQ(run(), 0);
    key[KEY_ENTER] = 0;
    EXPECT_EQ(getpixel(frame, 57, 73), panel);
    EXPECT_EQ(getpixel(frame, 73, 93), unsel); // "Yes"
    EXPECT_EQ(getpixel(frame, 155, 93), sel);  // "No"
    EXPECT_EQ(getpixel(frame, 57, 130), back); // below the panel: the game frame
    if (sound) {
        EXPECT_EQ(SND_counts.plays, 2); // go, then back
        EXPECT_EQ(SND_counts.last_played, s_back);
    }
    clear_to_color(frame, back); // nothing lit until the dialog draws
    std::atomic<bool> answered{false};
    std::thread t([&] { // a player holds Left until "Yes" is lit, then Enter until it answers
        for (int k : {KEY_LEFT, KEY_ENTER}) {
            key[k] = 1;
            for (int i = 0; i < 5000; i++) {
                if (k == KEY_ENTER ? (bool)answered : getpixel(frame, 73, 93) == sel) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            key[k] = 0;
        }
    });
    EXPECT_EQ(run(), 1);
    answered = true;
    t.join();
    EXPECT_EQ(getpixel(frame, 73, 93), sel);

    std::thread closer([] { // "Yes" chosen, then the window's close button
        key[KEY_LEFT] = 1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        key[KEY_LEFT] = 0;
        close_button_pressed = -1;
    });
    EXPECT_EQ(run(), 0);
    closer.join();
    close_button_pressed = 0;
}

} // namespace
