// config_test.cpp -- the configuration file and the log, as a player editing them would see them.
#include <gtest/gtest.h>
#include <filesystem>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/config.h"
#include "platform/loga.h"
#include "support/vbtest.h"

using ConfigFile = ScratchDir;

static void expect_values(int scan, int on, int depth, int mus, int sfx, int rate, int win = 2) {
    EXPECT_EQ(CFG_scanlines, scan);
    EXPECT_EQ(CFG_soundon, on);
    EXPECT_EQ(CFG_bitdepth, depth);
    EXPECT_EQ(CFG_soundvol, mus);
    EXPECT_EQ(CFG_sfxvol, sfx);
    EXPECT_EQ(CFG_samplerate, rate);
    EXPECT_EQ(CFG_window, win);
}

// The first start writes the defaults; a file the player edited is read as written and never
// rewritten; bad or missing values fall back one by one, each with a log line; a file written
// before the window size existed reads as before, with the default window; where no file can be
// read or made, the game runs with the defaults.
TEST_F(ConfigFile, DefaultsAreWrittenOnceAndEditedValuesReadOrFallBackOneByOne) {
    CFG_scanlines = CFG_bitdepth = CFG_window = 0;
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(1, 1, 16, 127, 127, 44100);
    EXPECT_EQ(vbtest_read("Velumbrina.Cfg"), le32s({1, 1, 16, 127, 127, 44100, 2}));

    std::string edited = le32s({0, 0, 32, 0, 64, 22050, 0});
    vbtest_write("Velumbrina.Cfg", edited);
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(0, 0, 32, 0, 64, 22050, 0);
    EXPECT_EQ(vbtest_read("Velumbrina.Cfg"), edited);
    EXPECT_EQ(vbtest_read("log.txt"), ""); // nothing to complain about

    std::string bad = le32s({5, -1, 24, 128, -1, 7999, 1});
    vbtest_write("Velumbrina.Cfg", bad);
    CFG_load("Velumbrina.Cfg");
    expect_values(5, -1, 16, 127, 127, 44100); // any non-zero switch means on
    EXPECT_EQ(vbtest_read("Velumbrina.Cfg"), bad);
    std::string log = vbtest_read("log.txt");
    for (const char *what : {"colour depth 24", "music volume 128", "effect volume -1",
                             "sample rate 7999", "window size 1 out of range, using 2"})
        EXPECT_NE(log.find(what), std::string::npos) << log;
    vbtest_write("Velumbrina.Cfg", le32s({1, 1, 15, 127, 0, 96001, 5}));
    CFG_load("Velumbrina.Cfg");
    expect_values(1, 1, 15, 127, 0, 44100);

    vbtest_write("Velumbrina.Cfg", le32s({0, 0, 32}) + std::string("\x40\x00", 2));
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(0, 0, 32, 127, 127, 44100);
    EXPECT_NE(vbtest_read("log.txt").find("music volume missing"), std::string::npos);

    std::string before = le32s({0, 1, 15, 100, 90, 22050});
    vbtest_write("Velumbrina.Cfg", before);
    vbtest_write("log.txt", "");
    CFG_window = 4;
    CFG_load("Velumbrina.Cfg");
    expect_values(0, 1, 15, 100, 90, 22050, 2);
    EXPECT_EQ(vbtest_read("Velumbrina.Cfg"), before);
    EXPECT_EQ(vbtest_read("log.txt"), "Velumbrina.Cfg: window size missing, using 2\n");

    CFG_bitdepth = 32; // a place where the file can be neither read nor created: the defaults
    EXPECT_EQ(CFG_load("no-such-dir/Velumbrina.Cfg"), 0);
    expect_values(1, 1, 16, 127, 127, 44100);
    EXPECT_FALSE(std::filesystem::exists("no-such-dir"));
}

// Saving writes every value and keeps what a later version added after them; a write that fails
// part-way (a full disk) leaves the old file whole and no stray file beside it, the log says so,
// and the values still hold for the run (a read-only directory: the options window test).
TEST_F(ConfigFile, SavingReplacesTheFileWholeOrLeavesTheOldOne) {
    std::string later = le32s({CFG_KEYS_VERSION}); // the bindings, then a later version's values
    for (const int *keys : CFG_default_keys)
        later += le32s({keys[0], keys[1], keys[2]});
    later += std::string(CFG_FILE_MAX - CFG_KEYS_END, 'k');
    vbtest_write("Velumbrina.Cfg", le32s({1, 1, 16, 127, 127, 44100, 2}) + later);
    CFG_load("Velumbrina.Cfg");
    CFG_scanlines = 0, CFG_soundvol = 40, CFG_window = 4;
    EXPECT_EQ(CFG_save("Velumbrina.Cfg"), 1);
    std::string saved = le32s({0, 1, 16, 40, 127, 44100, 4}) + later;
    EXPECT_EQ(vbtest_read("Velumbrina.Cfg"), saved);
    CFG_load("Velumbrina.Cfg");
    expect_values(0, 1, 16, 40, 127, 44100, 4);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);

    // A full disk, as a file size limit makes it (the log line still fits).
    struct rlimit old, tiny;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    tiny = {200, old.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    CFG_sfxvol = 3;
    int wrote = CFG_save("Velumbrina.Cfg");
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(wrote, 0);
    EXPECT_EQ(CFG_sfxvol, 3);
    EXPECT_EQ(vbtest_read("Velumbrina.Cfg"), saved);
    EXPECT_NE(vbtest_read("log.txt").find("Velumbrina.Cfg: could not be saved"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2); // and the log
}

// Lines are appended in order; a log that cannot be opened is skipped quietly.
TEST_F(ConfigFile, TheLogKeepsLinesInOrderAndSkipsWhatItCannotWrite) {
    loga("first run: level 1 loaded");
    loga("second run: level 1 loaded");
    EXPECT_EQ(vbtest_read("log.txt"), "first run: level 1 loaded\nsecond run: level 1 loaded\n");
    ASSERT_EQ(mkdir("sub", 0755), 0);
    ASSERT_EQ(chdir("sub"), 0);
    ASSERT_EQ(mkdir("log.txt", 0755), 0); // a directory in the way: even root cannot open it
    loga("lost line");
    EXPECT_TRUE(std::filesystem::is_directory("log.txt")) << "left as it was";
}
