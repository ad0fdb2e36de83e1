// config_test.cpp -- the configuration file and the log, as a player editing them would see them.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include "scratch_dir.h"
#include "shell/config.h"
#include "shell/loga.h"

using ConfigFile = ScratchDir;
using Log = ScratchDir;

static std::string le32s(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        for (int i = 0; i < 4; i++)
            s += (char)(((unsigned)v >> (8 * i)) & 0xff);
    return s;
}

static void expect_values(int scan, int on, int depth, int mus, int sfx, int rate, int win = 2) {
    EXPECT_EQ(CFG_scanlines, scan);
    EXPECT_EQ(CFG_soundon, on);
    EXPECT_EQ(CFG_bitdepth, depth);
    EXPECT_EQ(CFG_soundvol, mus);
    EXPECT_EQ(CFG_sfxvol, sfx);
    EXPECT_EQ(CFG_samplerate, rate);
    EXPECT_EQ(CFG_window, win);
}

TEST_F(ConfigFile, FirstStartWritesTheDefaultsAsTwentyEightLittleEndianBytes) {
    CFG_scanlines = CFG_bitdepth = CFG_window = 0;
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(1, 1, 16, 127, 127, 44100);
    EXPECT_EQ(read_file("Velumbrina.Cfg"), le32s({1, 1, 16, 127, 127, 44100, 2}));

    CFG_bitdepth = CFG_window = 0; // a second start reads the same values back
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(1, 1, 16, 127, 127, 44100);
}

TEST_F(ConfigFile, AnEditedFileIsReadAsWrittenAndNeverRewritten) {
    std::string bytes = le32s({0, 0, 32, 0, 64, 22050, 0});
    write_file("Velumbrina.Cfg", bytes);
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(0, 0, 32, 0, 64, 22050, 0);
    EXPECT_EQ(read_file("Velumbrina.Cfg"), bytes);
    EXPECT_EQ(read_file("log.txt"), ""); // nothing to complain about
}

TEST_F(ConfigFile, ValuesOutOfRangeFallBackToTheirDefaultsOneByOne) {
    std::string bytes = le32s({5, -1, 24, 128, -1, 7999, 1});
    write_file("Velumbrina.Cfg", bytes);
    CFG_load("Velumbrina.Cfg");
    expect_values(5, -1, 16, 127, 127, 44100); // any non-zero switch means on
    EXPECT_EQ(read_file("Velumbrina.Cfg"), bytes);
    std::string log = read_file("log.txt");
    EXPECT_NE(log.find("colour depth 24"), std::string::npos) << log;
    EXPECT_NE(log.find("music volume 128"), std::string::npos) << log;
    EXPECT_NE(log.find("effect volume -1"), std::string::npos) << log;
    EXPECT_NE(log.find("sample rate 7999"), std::string::npos) << log;
    EXPECT_NE(log.find("window size 1 out of range, using 2"), std::string::npos) << log;

    write_file("Velumbrina.Cfg", le32s({1, 1, 15, 127, 0, 96001, 5}));
    CFG_load("Velumbrina.Cfg");
    expect_values(1, 1, 15, 127, 0, 44100);
}

TEST_F(ConfigFile, AShortFileKeepsWhatItHoldsAndDefaultsTheRest) {
    std::string bytes = le32s({0, 0, 32}) + std::string("\x40\x00", 2); // half a fourth value
    write_file("Velumbrina.Cfg", bytes);
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(0, 0, 32, 127, 127, 44100);
    EXPECT_EQ(read_file("Velumbrina.Cfg"), bytes);
    EXPECT_NE(read_file("log.txt").find("missing"), std::string::npos);

    // A file written before the window size existed: its six values, the default window.
    bytes = le32s({0, 1, 15, 100, 90, 22050});
    write_file("Velumbrina.Cfg", bytes);
    write_file("log.txt", "");
    CFG_window = 4;
    CFG_load("Velumbrina.Cfg");
    expect_values(0, 1, 15, 100, 90, 22050, 2);
    EXPECT_EQ(read_file("Velumbrina.Cfg"), bytes);
    EXPECT_EQ(read_file("log.txt"), "Velumbrina.Cfg: window size missing, using 2\n");

    write_file("Velumbrina.Cfg", "");
    CFG_load("Velumbrina.Cfg");
    expect_values(1, 1, 16, 127, 127, 44100);
    EXPECT_EQ(read_file("Velumbrina.Cfg"), "");
}

TEST_F(ConfigFile, APlaceWhereTheFileCanBeNeitherReadNorCreatedRunsWithDefaults) {
    CFG_bitdepth = 32;
    EXPECT_EQ(CFG_load("no-such-dir/Velumbrina.Cfg"), 0);
    expect_values(1, 1, 16, 127, 127, 44100);
    struct stat st;
    EXPECT_NE(stat("no-such-dir", &st), 0);
}

TEST_F(Log, TwoRunsKeepBothLinesInOrder) {
    loga("first run: level 1 loaded");
    loga("second run: level 1 loaded");
    EXPECT_EQ(read_file("log.txt"), "first run: level 1 loaded\nsecond run: level 1 loaded\n");
}

TEST_F(Log, ALogThatCannotBeOpenedIsSkippedQuietly) {
    ASSERT_EQ(mkdir("log.txt", 0755), 0); // a directory in the way: even root cannot open it
    loga("lost line");
    struct stat st;
    ASSERT_EQ(stat("log.txt", &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}
