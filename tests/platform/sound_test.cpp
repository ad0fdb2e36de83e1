// sound_test.cpp -- the sound service heard through SDL's disk driver: effects, panning, music,
// and the sounds a frame of play asks for.
// SPDX-License-Identifier: MIT
#include <stdlib.h>
#include <sys/stat.h>
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

// No device: nothing loads or plays. With one, unreadable files are logged; an effect or a frame's
// sound is heard where panned, a stop silences it, sound off plays none; the title music plays with
// effects off, and a paused song is silent.
TEST_F(Sound, NoDeviceIsHarmlessEffectsAndFrameSoundsAreHeardWherePannedAndTheTitleMusicPlays) {
    FSOUND_SAMPLE *s = FSOUND_Sample_Load(FSOUND_FREE, "resources/caer.wav", 0x2001, 0, 0);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), -1);
    FSOUND_Sample_Free(nullptr);
    FMUSIC_MODULE *m = FMUSIC_LoadSong("Resources/Title.XM");
    EXPECT_EQ(m, nullptr);
    FMUSIC_SetMasterVolume(m, 254);
    FMUSIC_PlaySong(m);
    FMUSIC_StopSong(m);
    FMUSIC_FreeSong(m);
    EXPECT_EQ(SND_counts.plays, 0);

    open_device("out.raw");
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, "resources/none.wav", 0x2001, 0, 0), nullptr);
    EXPECT_EQ(FMUSIC_LoadSong("Resources/none.XM"), nullptr);
    // A pipe would block the loader, a huge file freeze the game: both refused unread.
    ASSERT_EQ(mkfifo("pipe.xm", 0644), 0);
    vbtest_write("huge.xm", "");
    ASSERT_EQ(truncate("huge.xm", SND_MUSIC_MAX + 1), 0);
    EXPECT_EQ(FMUSIC_LoadSong("pipe.xm"), nullptr);
    EXPECT_EQ(FMUSIC_LoadSong("huge.xm"), nullptr);
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, "pipe.xm", 0x2001, 0, 0), nullptr);
    std::string log = vbtest_read("log.txt");
    for (const char *line : {"resources/none.wav: is missing", "Resources/none.XM: is missing",
                             "music pipe.xm: is a named pipe", "sample pipe.xm: is a named pipe",
                             "music huge.xm: is larger than 33554432 bytes (33554433)"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " in " << log;
    EXPECT_EQ(FSOUND_StopSound(40), 0);
    FSOUND_Close();
    SND_reset_counts();
    for (int k = 0; k < 2; k++) {
        open_device("out.raw");
        FSOUND_SAMPLE *fall = FSOUND_Sample_Load(FSOUND_FREE, "resources/caer.wav", 0x2001, 0, 0);
        ASSERT_NE(fall, nullptr);
        int ch = FSOUND_PlaySound(FSOUND_FREE, fall);
        ASSERT_GE(ch, 0);
        FSOUND_SetPan(ch, k ? 255 : 0);
        double side[2];
        listen("out.raw", 0.3, side);
        FSOUND_Sample_Free(fall);
        EXPECT_GT(side[k], 500) << "panned to side " << k;
        EXPECT_LT(side[!k], side[k] / 20) << "panned to side " << k;
    }
    EXPECT_EQ(SND_counts.loads, 2);
    EXPECT_EQ(SND_counts.plays, 2);
    EXPECT_EQ(SND_counts.frees, 2);

    CFG_reset(&settings);
    CFG_soundon = 0;
    double title[2], paused[2];
    for (double *heard : {title, paused}) {
        const char *out = heard == title ? "title.raw" : "paused.raw";
        open_device(out);
        FMUSIC_MODULE *song = FRONT_start_title_music();
        ASSERT_NE(song, nullptr);
        if (heard == paused) {
            EXPECT_EQ(FMUSIC_SetPaused(song, 1), 1); // play's pause holds the music
        }
        listen(out, 1.0, heard);
        FMUSIC_FreeSong(song);
    }
    EXPECT_EQ(SND_counts.song_plays, 2);
    EXPECT_GT(title[0] + title[1], 200);
    EXPECT_LT(paused[0] + paused[1], (title[0] + title[1]) / 20);

    SND_reset_counts();
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
    EXPECT_EQ(SND_counts.plays, 2);
}

} // namespace
