// input_wait_test.cpp -- the wait for an action key, driven by setting key[] as the keyboard would.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include "platform/input_wait.h"
#include "platform/leaving.h"
#include "platform/input.h"
#include "support/vbtest.h"

namespace {

std::atomic<bool> started, done;

// Waits in another thread, returning once it runs; ended(): the wait returned (within 5 s).
std::thread start_waiting(void) {
    started = done = false;
    std::thread t([] {
        started = true;
        KEY_wait_action_key();
        done = true;
    });
    while (!started)
        std::this_thread::yield();
    return t;
}
bool ended(void) {
    for (int i = 0; i < 5000 && !done; i++)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done;
}
bool waiting(void) {
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    return !done;
}

} // namespace

// A key held from the screen before must be let go first; then an action key (here Alt; nothing
// else) ends the wait, as does the close button once held keys are up.
TEST(ActionKey, EndsOnAFreshActionKeyOrTheCloseButton) {
    vbtest_init(32);
    close_button_pressed = 0;
    key[KEY_ENTER] = 1;
    std::thread held = start_waiting();
    EXPECT_TRUE(waiting());
    key[KEY_ENTER] = 0;
    key[KEY_SPACE] = 1; // not an action key
    EXPECT_TRUE(waiting());
    key[KEY_ALT] = 1;
    EXPECT_TRUE(ended());
    close_button_pressed = -1; // never leave a waiting thread behind: nothing held, and closed
    key[KEY_ALT] = key[KEY_SPACE] = 0;
    held.join();
    close_button_pressed = 0;
    // A tap that came and went once the screen showed, before the wait began, counts.
    INPUT_clear();
    key[KEY_ENTER] = 1;
    INPUT_poll();
    key[KEY_ENTER] = 0;
    std::thread tap = start_waiting();
    EXPECT_TRUE(ended()) << "a tap before the wait was lost";
    close_button_pressed = -1;
    tap.join();
    key[KEY_ESC] = 1; // and the close button still pressed
    std::thread t = start_waiting();
    EXPECT_TRUE(waiting()) << "the close button does not cut short the wait for a release";
    key[KEY_ESC] = 0;
    EXPECT_TRUE(ended());
    t.join();
    close_button_pressed = 0;
}
