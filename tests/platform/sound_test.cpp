// sound_test.cpp -- the sound service and a frame's sounds, heard through SDL's disk driver.
// SPDX-License-Identifier: MIT
#include <stdlib.h>
#include <time.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include "frontend/menu_sounds.h"
#include "platform/config.h"
#include "platform/sound_service.h"
#include "shell/play_sounds.h"
#include "support/vbtest.h"

namespace {

// Runs in a scratch directory with the built data's pictures and sounds linked in (both
// spellings the game uses), the disk driver chosen and the service's counts at zero.
class Sound : public ScratchDir {
  protected:
    void SetUp() override {
        if (vbtest_data().empty()) GTEST_SKIP() << "VB_DATA_DIR is not set";
        ScratchDir::SetUp();
        for (const char *link : {"resources", "Resources"})
            ASSERT_EQ(symlink((vbtest_data() + "/resources").c_str(), link), 0);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        SND_reset_counts();
    }
    void TearDown() override {
        FSOUND_Close();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ScratchDir::TearDown();
    }
    // Opens the device writing its mix to the file out.
    void open_device(const char *out) {
        setenv("SDL_DISKAUDIOFILE", (std::filesystem::current_path() / out).c_str(), 1);
        ASSERT_EQ(FSOUND_Init(22050, 32, FSOUND_INIT_GLOBALFOCUS), 1);
    }
    // Closes the device after the given seconds of output from the first sound heard (it may come
    // late on a busy machine; silence after 1.5 s more), and gives their mean loudness per side.
    static void listen(const char *out, double seconds, double side[2]) {
        size_t need = (size_t)(seconds * 22050), quiet = need + 22050 * 3 / 2, start = 0;
        time_t give_up = time(nullptr) + 120;
        for (;;) {
            std::string raw = vbtest_read(out);
            const short *p = (const short *)raw.data();
            size_t frames = raw.size() / 4;
            bool heard = false;
            for (start = 0; start < frames && !heard; start++)
                heard = abs(p[2 * start]) > 64 || abs(p[2 * start + 1]) > 64;
            if (heard)
                start--;
            else
                start = 0;
            if ((heard ? frames - start >= need : frames >= quiet) || time(nullptr) >= give_up)
                break;
            usleep(10000);
        }
        FSOUND_Close();
        std::string raw = vbtest_read(out);
        const short *p = (const short *)raw.data();
        size_t frames = raw.size() / 4 > start ? std::min(raw.size() / 4 - start, need) : 0;
        side[0] = side[1] = 0;
        for (size_t i = 0; i < 2 * frames; i++)
            side[i % 2] += abs(p[2 * start + i]) / (double)frames;
    }
};

// No device: nothing loads or plays. With one, unreadable files are logged; a frame's sound is
// heard where panned, not after a stop, nor with sound off.
TEST_F(Sound, NoDeviceIsHarmlessUnreadableFilesAreLoggedAndFrameSoundsAreHeardWherePanned) {
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, "resources/caer.wav", 0x2001, 0, 0), nullptr);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, nullptr), -1);
    FSOUND_Sample_Free(nullptr);
    FMUSIC_MODULE *m = FRONT_start_title_music(); // loads, sets the volume and plays: nothing
    EXPECT_EQ(m, nullptr);
    FMUSIC_StopSong(m);
    FMUSIC_FreeSong(m);

    open_device("out.raw");
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, "resources/none.wav", 0x2001, 0, 0), nullptr);
    vbtest_write("huge.xm", ""); // would freeze the game: refused unread
    ASSERT_EQ(truncate("huge.xm", SND_MUSIC_MAX + 1), 0);
    EXPECT_EQ(FMUSIC_LoadSong("huge.xm"), nullptr);
    std::string log = vbtest_read("log.txt");
    for (const char *line : {"resources/none.wav: is missing",
                             "music huge.xm: is larger than 33554432 bytes (33554433)"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " in " << log;
    EXPECT_EQ(FSOUND_StopSound(40), 0);
    FSOUND_Close();

    FrameEvents ev = {};
    ev.sounds[0] = FrameSound{SFX_FALL, false, 255};
    ev.sounds[1] = FrameSound{SFX_FALL, true, 0};
    for (int how = 0; how < 3; how++) { // played; played and stopped; with sound off
        CFG_soundon = how != 2;
        ev.sound_count = how == 1 ? 2 : 1;
        open_device("frame.raw");
        SFX_load();
        SFX_play_frame(&ev);
        double side[2];
        listen("frame.raw", 0.3, side);
        SFX_free();
        EXPECT_GT(side[1], how ? -1 : 500) << "heard on the right";
        EXPECT_LT(side[0] + (how ? side[1] : 0), 25) << how;
    }
    CFG_soundon = 1;
    EXPECT_EQ(SND_counts.frees, SND_counts.loads);
}

} // namespace
