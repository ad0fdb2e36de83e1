// sound_test.cpp -- the sound service heard through SDL's disk driver: effects, panning, music.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <time.h>
#include <vector>
#include "scratch_dir.h"
#include "shell/arranque.h"
#include "shell/config.h"
#include "shell/sonido.h"

namespace {

enum { RATE = 22050 };

void put16(std::string &s, int v) {
    s += (char)(v & 0xff);
    s += (char)((v >> 8) & 0xff);
}
void put32(std::string &s, unsigned v) {
    for (int i = 0; i < 4; i++)
        s += (char)((v >> (8 * i)) & 0xff);
}

// A mono 16-bit WAV of a 440 Hz tone.
std::string tone_wav(double seconds) {
    int n = (int)(seconds * RATE);
    std::string s = "RIFF";
    put32(s, 36 + 2 * n);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);
    put16(s, 1);
    put32(s, RATE);
    put32(s, RATE * 2);
    put16(s, 2);
    put16(s, 16);
    s += "data";
    put32(s, 2 * n);
    for (int i = 0; i < n; i++)
        put16(s, (int)(12000 * sin(2 * M_PI * 440 * i / RATE)));
    return s;
}

// A one-pattern XM module: a looped square wave held on C-4 of channel 1.
std::string square_xm(void) {
    std::string s = "Extended Module: ";
    s += std::string("test tune") + std::string(11, '\0');
    s += '\x1a';
    s += std::string("velumbrina tests") + std::string(4, '\0');
    put16(s, 0x0104);
    put32(s, 276);
    put16(s, 1);                 // song length
    put16(s, 0);                 // restart position
    put16(s, 2);                 // channels
    put16(s, 1);                 // patterns
    put16(s, 1);                 // instruments
    put16(s, 1);                 // linear frequencies
    put16(s, 6);                 // speed
    put16(s, 125);               // tempo
    s += std::string(256, '\0'); // order table: pattern 0
    std::string rows;
    rows += std::string("\x31\x01\x00\x00\x00", 5); // C-4, instrument 1
    rows += '\x80';
    for (int r = 1; r < 16; r++)
        rows += "\x80\x80";
    put32(s, 9);
    s += '\0';
    put16(s, 16);
    put16(s, (int)rows.size());
    s += rows;
    size_t inst = s.size();
    put32(s, 263);
    s += std::string(22, '\0');
    s += '\0';
    put16(s, 1);
    put32(s, 40);
    s += std::string(263 - (s.size() - inst), '\0');
    const int len = 64;
    put32(s, len);
    put32(s, 0);
    put32(s, len); // loop the whole sample
    s += '\x40';   // volume 64
    s += '\0';
    s += '\x01'; // forward loop, 8-bit
    s += '\x80';
    s += '\0';
    s += '\0';
    s += std::string(22, '\0');
    int prev = 0;
    for (int i = 0; i < len; i++) {
        int v = i < len / 2 ? 80 : -80;
        s += (char)(v - prev); // delta-coded
        prev = v;
    }
    return s;
}

class Sound : public ScratchDir {
  protected:
    void SetUp() override {
        ScratchDir::SetUp();
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
        setenv("SDL_DISKAUDIOFILE", (dir + "/" + out).c_str(), 1);
        ASSERT_EQ(FSOUND_Init(RATE, 32, FSOUND_INIT_GLOBALFOCUS), 1);
    }
    // Waits until the device has written at least the given seconds of output, then closes it.
    void run_and_close(const char *out, double seconds) {
        long want = (long)(seconds * RATE) * 4;
        struct stat st;
        for (int i = 0; i < 5000; i++) {
            if (stat(out, &st) == 0 && st.st_size >= want) break;
            struct timespec ts = {0, 2000000};
            nanosleep(&ts, nullptr);
        }
        FSOUND_Close();
    }
    // Mean loudness of the left and right channels of a 16-bit stereo output file.
    static void loudness(const char *out, double &left, double &right) {
        std::string raw = read_file(out);
        const short *p = (const short *)raw.data();
        size_t frames = raw.size() / 4;
        left = right = 0;
        for (size_t i = 0; i < frames; i++) {
            left += abs(p[2 * i]);
            right += abs(p[2 * i + 1]);
        }
        if (frames) left /= frames, right /= frames;
    }
};

TEST_F(Sound, APlayedEffectIsHeardAndPanningPutsItOnOneSide) {
    write_file("tone.wav", tone_wav(0.4));
    const int pans[2] = {0, 255};
    const char *outs[2] = {"left.raw", "right.raw"};
    for (int k = 0; k < 2; k++) {
        open_device(outs[k]);
        FSOUND_SAMPLE *tone = FSOUND_Sample_Load(FSOUND_FREE, "tone.wav", 0x2001, 0, 0);
        ASSERT_NE(tone, nullptr);
        int ch = FSOUND_PlaySound(FSOUND_FREE, tone);
        ASSERT_GE(ch, 0);
        FSOUND_SetPan(ch, pans[k]);
        run_and_close(outs[k], 0.3);
        FSOUND_Sample_Free(tone);
    }
    double l, r;
    loudness("left.raw", l, r);
    EXPECT_GT(l, 500);
    EXPECT_LT(r, l / 20);
    loudness("right.raw", l, r);
    EXPECT_GT(r, 500);
    EXPECT_LT(l, r / 20);
    EXPECT_EQ(SND_counts.loads, 2);
    EXPECT_EQ(SND_counts.plays, 2);
    EXPECT_EQ(SND_counts.frees, 2);
}

TEST_F(Sound, WithEffectsOffNoInterfaceSampleIsLoadedButTheTitleMusicPlays) {
    mkdir("resources", 0755);
    symlink("resources", "Resources");
    for (const char *name : {"resources/back.wav", "resources/go.wav", "resources/ting.wav"})
        write_file(name, tone_wav(0.1));
    write_file("resources/Title.XM", square_xm());

    CFG_defaults();
    CFG_soundon = 0;
    open_device("title.raw");
    SHELL_load_interface_sounds();
    EXPECT_EQ(SND_counts.loads, 0);
    EXPECT_EQ(s_back, nullptr);
    FMUSIC_MODULE *song = SHELL_start_title_music();
    ASSERT_NE(song, nullptr);
    EXPECT_EQ(SND_counts.song_plays, 1);
    run_and_close("title.raw", 0.5);
    SHELL_free_interface_sounds();
    EXPECT_EQ(SND_counts.frees, 0);
    FMUSIC_FreeSong(song);
    double l, r;
    loudness("title.raw", l, r);
    EXPECT_GT(l + r, 200);

    CFG_soundon = 1; // and with effects on, the three are loaded and freed
    open_device("on.raw");
    SHELL_load_interface_sounds();
    EXPECT_EQ(SND_counts.loads, 3);
    EXPECT_NE(s_ting, nullptr);
    SHELL_free_interface_sounds();
    EXPECT_EQ(SND_counts.frees, 3);
}

TEST_F(Sound, WithoutADeviceEveryOperationIsAHarmlessNoOp) {
    write_file("tone.wav", tone_wav(0.1));
    FSOUND_SAMPLE *s = FSOUND_Sample_Load(FSOUND_FREE, "tone.wav", 0x2001, 0, 0);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(FSOUND_PlaySound(FSOUND_FREE, s), -1);
    FSOUND_SetPan(-1, 128);
    FSOUND_StopSound(-1);
    FSOUND_SetSFXMasterVolume(254);
    FSOUND_Sample_Free(nullptr);
    FMUSIC_MODULE *m = FMUSIC_LoadSong("Resources/Title.XM");
    EXPECT_EQ(m, nullptr);
    FMUSIC_SetMasterVolume(m, 254);
    FMUSIC_PlaySong(m);
    FMUSIC_StopSong(m);
    FMUSIC_FreeSong(m);
    FSOUND_Close();
    EXPECT_EQ(SND_counts.plays, 0);

    open_device("out.raw"); // a missing file is logged by name and gives no handle
    EXPECT_EQ(FSOUND_Sample_Load(FSOUND_FREE, "resources/none.wav", 0x2001, 0, 0), nullptr);
    EXPECT_EQ(FMUSIC_LoadSong("Resources/none.XM"), nullptr);
    std::string log = read_file("log.txt");
    EXPECT_NE(log.find("resources/none.wav"), std::string::npos) << log;
    EXPECT_NE(log.find("Resources/none.XM"), std::string::npos) << log;
    EXPECT_EQ(FSOUND_StopSound(40), 0); // channels beyond the 32 are refused
}

} // namespace
