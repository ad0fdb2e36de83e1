// pantallas_test.cpp -- the menus' arrows, OPTIONS, ASSIST, the retry dialog: choices, sounds.
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
#include "frontend/options.h"
#include "frontend/menu_sounds.h"
#include "frontend/yes_no.h"
#include "frontend/yes_no_step.h"
#include "gfx/gfx.h"
#include "gfx/gfx_state.h"
#include "platform/leaving.h"
#include "platform/config.h"
#include "platform/sound_service.h"
#include "support/vbtest.h"

namespace {

// Sound on with the built interface sounds on SDL's dummy driver; false (choices only) without.
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

// The options' text as the screen shows it.
static std::string option_text(int line, int *bar) {
    char text[48];
    OPTIONS_line(line, text, sizeof text, bar);
    return text;
}

// Values stay in range (EFFECTS stops at 127; 0, the switches: options.sh), the depth wraps and
// waits for the next start; BACK has no value; SOUND frees and loads the samples at once; a window
// not of the saved size names both.
TEST_F(ScratchDir, OptionsKeepEveryValueInRangeAndSoundLoadsOrFreesTheSamplesAtOnce) {
    vbtest_init(16);
    bool sound = interface_sounds();
    ASSERT_EQ(symlink((vbtest_data() + "/resources").c_str(), "resources"), 0);
    CFG_window = 2, CFG_bitdepth = 16;
    gfx.full = 0, gfx.scale = 2; // what a 2X window would be in use
    const struct {
        int line, step, times;
        const char *text;
        int bar;
    } turns[] = {
        {OPTION_EFFECTS, 1, 20, "EFFECTS              127", 127},
        {OPTION_WINDOW, -1, 1, "WINDOW      FULL SCREEN", -1}, // no window open: the setting
        {OPTION_COLOURS, 1, 2, "COLOURS     15 BITS", -1},
        {OPTION_BACK, 1, 1, "BACK        ", -1},
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
    screen = create_bitmap(16, 16); // a 2X window open, full screen saved
    EXPECT_EQ(option_text(OPTION_WINDOW, &bar), "WINDOW      2X, SAVED FULL");
    destroy_bitmap(screen);
    screen = nullptr;

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

// GAME SPEED runs 100, 80, 60, 40% and round (an odd value goes to 100%; the switches: assist.sh),
// BACK has no value; REDUCED FLASHING holds the title still, no glitch; without it both happen.
TEST(Assist, SpeedCyclesBackHasNoValueAndReducedFlashingCalmsTheTitle) {
    CFG_reset(&settings);
    std::string seen;
    char text[48];
    for (int step : {1, 1, 1, 1, -1, -1}) {
        ASSIST_line(ASSIST_SPEED, text, sizeof text);
        seen += std::string(text + 18) + " ";
        ASSIST_change(ASSIST_SPEED, step);
    }
    EXPECT_EQ(seen, "100% 80% 60% 40% 100% 40% ");
    settings.game_speed = 55;
    ASSIST_change(ASSIST_SPEED, -1);
    EXPECT_EQ(settings.game_speed, 100);
    EXPECT_EQ(ASSIST_change(ASSIST_BACK, 1), 0);

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

// The game frame (all `back`), the dialog's pictures in flat colours, a memory "screen".
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
    void save(const char *path, int w, int h, int color) { // a picture in one colour
        BITMAP *b = picture(w, h, color);
        save_bitmap(path, b, nullptr);
        destroy_bitmap(b);
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
    save("resources/BUT_sel.pcx", 32, 24, sel); // no panel: the room stays under it
    save("resources/BUT_unsel.pcx", 32, 24, unsel);
    EXPECT_EQ(run(false), 0);
    SND_reset_counts();
    key[KEY_ENTER] = 1;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(std::make_tuple(asked, getpixel(frame, 57, 73), getpixel(frame, 73, 93),
                              getpixel(frame, 155, 93)), // "Yes", "No"
              std::make_tuple(0, back, unsel, sel));
    EXPECT_TRUE(!sound || (SND_counts.plays == 2 && SND_counts.last_played == s_back)) // go, back
        << SND_counts.plays;
    save("resources/GUI_sure.pcx", 144, 48, panel);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(getpixel(frame, 57, 73), panel);
    for (int close : {0, 1}) { // Left held lights "Yes": Enter takes it, a closing window says No
        key[KEY_LEFT] = 1, key[KEY_ENTER] = !close, close_button_pressed = -close;
        EXPECT_EQ(run(), !close) << "a closing window answers No";
        EXPECT_EQ(getpixel(frame, 73, 93), close ? unsel : sel);
    }
    returned = true;
    guard.join();
    key[KEY_LEFT] = key[KEY_ENTER] = 0, close_button_pressed = 0;
    EXPECT_FALSE(rescued) << "the dialog waited for a key already down, or drew with nothing";

    SND_reset_counts();
    YesNoChoice d = {0, 0};
    // Keys down in a pass, the choice after: Right on "No" and Left held do nothing, both arrows go
    // there and back (two sounds), an arrow in the pass of Enter counts.
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
}

} // namespace
