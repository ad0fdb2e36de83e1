// input_test.cpp -- a virtual game pad (SDL's, no device needed), the keyboard and key bindings.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <algorithm>
#include <SDL2/SDL.h>
#include "platform/config.h"
#include "platform/input.h"
#include "support/vbtest.h"

using Input = ScratchDir;

namespace {

// The actions for which is(action) holds, as a string of their numbers ("2 13 16").
template <class F> std::string which(F is) {
    std::string s;
    for (int a = 0; a < INPUT_ACTIONS; a++)
        if (is(a)) s += (s.empty() ? "" : " ") + std::to_string(a);
    return s;
}
// Polls, then takes every action's press: the actions pressed since the last call.
std::string pressed(void) {
    INPUT_poll();
    return which(INPUT_pressed);
}
std::string list(std::initializer_list<int> actions) {
    return which([&](int a) { return std::count(actions.begin(), actions.end(), a) > 0; });
}

} // namespace

// A pad plugged in after the start works at once: buttons and stick (with a dead zone) are
// actions, a tap between two polls counts once; unplugging it is told once; no pad is logged.
TEST_F(Input, AVirtualPadsButtonsAndStickAreActionsWithADeadZoneAndItCanComeAndGo) {
    INPUT_init();
    EXPECT_NE(vbtest_read("log.txt").find("game pads: none found"), std::string::npos);

    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Test Pad";
    int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick *stick = SDL_JoystickOpen(index);
    ASSERT_NE(stick, nullptr);
    EXPECT_EQ(pressed(), "");

    const std::string a = list({INPUT_HIGH_JUMP, INPUT_CONFIRM, INPUT_WAIT});
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
    EXPECT_EQ(pressed(), a);
    EXPECT_EQ(which(INPUT_down), a);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 0);
    SDL_JoystickUpdate(); // down and up between two polls: one press
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickUpdate();
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 0);
    EXPECT_EQ(pressed(), a);
    EXPECT_EQ(which(INPUT_down), "");

    const std::string right = list({INPUT_RIGHT, INPUT_MENU_RIGHT});
    const struct {
        int axis, value;
        std::string pressed, held;
    } moves[] = {
        {SDL_CONTROLLER_AXIS_LEFTX, 24000, right, right},
        {SDL_CONTROLLER_AXIS_LEFTX, 14000, "", right}, // easing off: still pushed, no new press
        {SDL_CONTROLLER_AXIS_LEFTX, 3000, "", ""},
        {SDL_CONTROLLER_AXIS_LEFTY, -32768, list({INPUT_UP}), list({INPUT_UP})},
    };
    for (const auto &m : moves) {
        SDL_JoystickSetVirtualAxis(stick, m.axis, (Sint16)m.value);
        EXPECT_EQ(pressed(), m.pressed) << m.value;
        EXPECT_EQ(which(INPUT_down), m.held) << m.value;
    }

    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1); // held as it goes
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    pressed();
    EXPECT_EQ(INPUT_pads(), 0);
    EXPECT_EQ(which(INPUT_down), "");
    EXPECT_EQ(INPUT_pad_lost(), 1);
    EXPECT_EQ(INPUT_pad_lost(), 0) << "told once";
    INPUT_shutdown();
    std::string log = vbtest_read("log.txt");
    EXPECT_NE(log.find("game pad unplugged: Test Pad"), std::string::npos) << log;
}

// A key tap counts once, repeats do not; binding another action's key swaps them; bindings are
// read back, bad ones fall back to today's keys with a log line.
TEST_F(Input, BindingsSwapAreReadBackAndBadCodesFallBackToTodaysKeys) {
    vbtest_init(16);
    INPUT_init();
    CFG_reset(&settings);
    char text[24];
    EXPECT_EQ(INPUT_bind(INPUT_HIGH_JUMP, KEY_W), 1);
    pressed();
    key[KEY_W] = 1; // a tap the keyboard thread saw between two polls, and a repeat
    keyboard_lowlevel_callback(KEY_W);
    keyboard_lowlevel_callback(KEY_W);
    key[KEY_W] = 0;
    keyboard_lowlevel_callback(KEY_W | 0x80);
    EXPECT_TRUE(INPUT_pressed(INPUT_HIGH_JUMP));
    EXPECT_FALSE(INPUT_pressed(INPUT_HIGH_JUMP));
    EXPECT_FALSE(INPUT_pressed(INPUT_ACTIONS)) << "no such action";
    EXPECT_EQ(INPUT_take_key(), KEY_W);

    EXPECT_EQ(INPUT_bind(INPUT_LONG_JUMP, KEY_Q), 1); // HIGH JUMP's: it gets Down instead
    EXPECT_EQ(INPUT_bind(INPUT_RETRY, KEY_ENTER), 1); // PAUSE's: it gets R
    EXPECT_EQ(INPUT_bind(INPUT_LEFT, KEY_O), 1);      // its own second key: the two change places
    for (int code : {(int)KEY_ESC, (int)KEY_F11, 0, (int)KEY_MAX, 112})
        EXPECT_EQ(INPUT_bind(INPUT_LEFT, code), 0) << code;
    const char *shown[] = {"O,LEFT", "RIGHT,P", "W,DOWN,Z",  "Q,A,LEFT SHIFT",
                           "ENTER",  "R",       "RIGHT CTRL"};
    for (int a = 0; a < INPUT_BOUND; a++) {
        INPUT_keys_text(a, text, 18);
        EXPECT_STREQ(text, shown[a]) << "as the screen shows";
    }

    int keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION];
    memcpy(keys, CFG_keys, sizeof keys);
    std::string values = le32s({1, 1, 16, 127, 127, 44100, 2});
    std::string saved = values + le32s({CFG_KEYS_VERSION});
    for (const int *k : keys)
        saved += le32s({k[0], k[1], k[2]});

    auto with = [](std::string b, int at, int code) {
        return b.replace(CFG_KEYS_AT + 4 + 4 * at, 4, le32s({code}));
    };
    // RIGHT's P made unknown falls back to P, its default; the other bound keys are read back.
    std::string unknown = with(saved, 3 * INPUT_RIGHT + 1, 999);
    const struct {
        std::string bytes;
        bool kept;
        const char *log;
    } bad[] = {
        {unknown, true,
         "key bindings: 1 unknown key code (first 999), using the default key for it"},
        {with(unknown, 3 * INPUT_PAUSE, KEY_Q), false,
         "key bindings with a key bound twice (and unknown key codes), using the default keys"},
        {with(saved, 3 * INPUT_PAUSE, 0), false,
         "key bindings with an action without its first key, using the default keys"},
        {values + le32s({2, KEY_W}), false,
         "key bindings of an unknown format, using the default keys"},
    };
    for (const auto &b : bad) {
        vbtest_write("Velumbrina.Cfg", b.bytes);
        vbtest_write("log.txt", "");
        CFG_load("Velumbrina.Cfg");
        EXPECT_EQ(memcmp(CFG_keys, b.kept ? keys : CFG_default_keys, sizeof keys), 0) << b.log;
        EXPECT_EQ(vbtest_read("log.txt"), std::string("Velumbrina.Cfg: ") + b.log + "\n");
    }
    CFG_reset(&settings);
    INPUT_shutdown();
}
