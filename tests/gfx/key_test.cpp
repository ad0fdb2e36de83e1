// key_test.cpp -- the wait for an action key, driven by setting key[] as the keyboard would.
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include "gfx/key.h"
#include "shell/cierre.h"
#include "support/vbtest.h"

namespace {

class ActionKey : public ::testing::Test {
  protected:
    void SetUp() override {
        vbtest_init(32);
        for (int k : {KEY_ESC, KEY_ENTER, KEY_ALT, KEY_LCONTROL, KEY_SPACE})
            key[k] = 0;
        close_button_pressed = 0;
        done = false;
    }
    void TearDown() override {
        close_button_pressed = -1; // never leave a waiting thread behind
        if (waiter.joinable()) waiter.join();
        close_button_pressed = 0;
    }
    void start_waiting() {
        waiter = std::thread([this] {
            KEY_wait_action_key();
            done = true;
        });
    }
    // True when the wait has ended within a second.
    bool ended() {
        for (int i = 0; i < 1000 && !done; i++)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return done;
    }
    // True when the wait is still going after a while.
    bool still_waiting() {
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
        return !done;
    }
    std::thread waiter;
    std::atomic<bool> done{false};
};

TEST_F(ActionKey, AKeyHeldFromThePreviousScreenMustBeReleasedAndPressedAgain) {
    key[KEY_ENTER] = 1;
    start_waiting();
    EXPECT_TRUE(still_waiting());
    key[KEY_ENTER] = 0;
    EXPECT_TRUE(still_waiting());
    key[KEY_SPACE] = 1; // not an action key
    EXPECT_TRUE(still_waiting());
    key[KEY_LCONTROL] = 1;
    EXPECT_TRUE(ended());
    EXPECT_EQ(key[KEY_LCONTROL], 1); // returns while the key is still down
}

TEST_F(ActionKey, EachActionKeyEndsTheWait) {
    for (int k : {KEY_ESC, KEY_ENTER, KEY_ALT, KEY_LCONTROL}) {
        start_waiting();
        EXPECT_TRUE(still_waiting());
        key[k] = 1;
        EXPECT_TRUE(ended()) << "key " << k;
        waiter.join();
        key[k] = 0;
        done = false;
    }
}

TEST_F(ActionKey, TheCloseButtonEndsTheWaitOnceHeldKeysAreReleased) {
    close_button_pressed = -1;
    start_waiting();
    EXPECT_TRUE(ended()); // nothing held: at once
    waiter.join();
    done = false;

    key[KEY_ESC] = 1; // the close button does not cut short the wait for a release
    start_waiting();
    EXPECT_TRUE(still_waiting());
    key[KEY_ESC] = 0;
    EXPECT_TRUE(ended());
}

} // namespace
