// config_test.cpp -- the configuration file and the log, as a player editing them would see them.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <allegro.h>
#include <filesystem>
#include <vector>
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

// The first start writes the defaults; bad, missing or cut values fall back one by one with a log
// line; where the file can be neither read nor made, the defaults and no save.
TEST_F(ConfigFile, DefaultsAreWrittenAndBadValuesFallBackOneByOne) {
    CFG_scanlines = CFG_bitdepth = CFG_window = 0;
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(1, 1, 16, 127, 127, 44100);

    vbtest_write("Velumbrina.Cfg", le32s({5, -1, 24, 128, -1, 7999, 1}));
    CFG_load("Velumbrina.Cfg");
    expect_values(5, -1, 16, 127, 127, 44100); // any non-zero switch means on
    EXPECT_NE(vbtest_read("log.txt").find("Velumbrina.Cfg: window size 1 out of range, using 2"),
              std::string::npos);

    // A file from before the window size, here cut two bytes into it: the window is the default.
    vbtest_write("Velumbrina.Cfg", le32s({0, 1, 15, 100, 90, 22050}) + std::string("\3\0", 2));
    vbtest_write("log.txt", "");
    CFG_window = 4;
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(0, 1, 15, 100, 90, 22050, 2);
    EXPECT_EQ(vbtest_read("log.txt"), "Velumbrina.Cfg: window size missing, using 2\n");

    vbtest_write("log.txt", "");
    CFG_bitdepth = 32;
    EXPECT_EQ(CFG_load("no-such-dir/Velumbrina.Cfg"), 0);
    expect_values(1, 1, 16, 127, 127, 44100);
    EXPECT_EQ(CFG_save("no-such-dir/Velumbrina.Cfg"), 0);
    EXPECT_EQ(vbtest_read("log.txt"),
              "no-such-dir/Velumbrina.Cfg: can be neither read nor created (No such file or "
              "directory), using the defaults\nno-such-dir/Velumbrina.Cfg: could not be saved (No "
              "such file or directory); the options hold for this run only\n");
}

// The assists block after the bindings: each bad value falls back with a log line, it is written
// only once an assist changes, a later version's block is kept whole.
TEST_F(ConfigFile, TheAssistsBlockIsReadAndWrittenAfterTheBindings) {
    static Settings s, t;
    static unsigned char out[CFG_FILE_MAX];
    std::string values = le32s({1, 1, 16, 127, 127, 44100, 2}), keys = le32s({CFG_KEYS_VERSION});
    for (const int *k : CFG_default_keys)
        keys += le32s({k[0], k[1], k[2]});
    auto read = [&](Settings *to, const std::string &bytes) {
        CFG_read(to, (const unsigned char *)bytes.data(), (int)bytes.size(), "cfg");
    };
    auto written = [&](const Settings *from) {
        return std::string((const char *)out, (size_t)CFG_write(from, out));
    };
    auto assists = [](const Settings &a) {
        return std::vector<int>{a.game_speed,       a.no_damage,  a.endless_retries,
                                a.reduced_flashing, a.show_timer, a.ghost};
    };

    read(&s, values);
    t = s;
    t.ghost = 0;
    EXPECT_EQ(written(&t), values + keys + le32s({6, 100, 0, 0, 0, 0, 0}));
    EXPECT_EQ(written(&s), values) << "no assist chosen: the file stays as it was";

    std::string tail = le32s({5}) + "later";
    vbtest_write("log.txt", "");
    read(&s, values + keys + le32s({7, 40, 1, 1, 1, 0, 0}) + tail);
    EXPECT_EQ(assists(s), std::vector<int>({40, 1, 1, 1, 0, 0}));
    EXPECT_EQ(vbtest_read("log.txt"), "") << "a later version's values are no fault";
    s.game_speed = 60;
    EXPECT_EQ(written(&s), values + keys + le32s({7, 60, 1, 1, 1, 0, 0}) + tail);

    read(&s, values + keys + le32s({5, 50, 2, -1, 1}) + "\x01\x00");
    EXPECT_EQ(assists(s), std::vector<int>({100, 0, 0, 1, 0, 1}));
    read(&t, values + keys + le32s({-3, 40}));
    EXPECT_EQ(assists(t), std::vector<int>({100, 0, 0, 0, 0, 1}));
    EXPECT_EQ(written(&t), values + keys + le32s({6, 100, 0, 0, 0, 0, 1, 40}));
    std::string log = vbtest_read("log.txt");
    for (const char *line :
         {"cfg: game speed 50 out of range, using 100", "cfg: show timer cut short, using 0",
          "cfg: -3 values after the key bindings, using the defaults"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " in\n" << log;

    std::string other =
        values + le32s({2}) + std::string(4 * 21, '\0') + le32s({5, 40, 1, 1, 1, 1});
    read(&s, other); // bindings of another format: the block in it is not looked for
    EXPECT_EQ(assists(s), std::vector<int>({100, 0, 0, 0, 0, 1}));
    EXPECT_EQ(written(&s), other);
}

// A link to nothing is logged and never saved over; a read-only file is not replaced; a link stays
// one, its target keeps its mode.
TEST_F(ConfigFile, AFileThatCannotBeReadIsLeftAloneAndLinksAndModesAreKept) {
    std::string values = le32s({0, 1, 32, 100, 90, 22050, 3});
    symlink("gone", "Velumbrina.Cfg");
    CFG_bitdepth = 32;
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 0);
    expect_values(1, 1, 16, 127, 127, 44100);
    CFG_bitdepth = 15;
    EXPECT_EQ(CFG_save("Velumbrina.Cfg"), 0);
    EXPECT_EQ(vbtest_read("log.txt"),
              "Velumbrina.Cfg: is a link to nothing: using the defaults; the file is left as it is "
              "and the options will not be saved over it\nVelumbrina.Cfg: could not be saved (it "
              "could not be read at the start); the options hold for this run only\n");
    std::filesystem::remove("Velumbrina.Cfg");

    vbtest_write("Velumbrina.Cfg", values);
    chmod("Velumbrina.Cfg", 0444);
    ASSERT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    CFG_soundvol = 8;
    EXPECT_EQ(CFG_save("Velumbrina.Cfg"), 0);
    EXPECT_EQ(vbtest_read("Velumbrina.Cfg"), values);
    EXPECT_NE(vbtest_read("log.txt").find("(the file is read-only)"), std::string::npos);
    std::filesystem::remove("Velumbrina.Cfg");

    ASSERT_EQ(mkdir("dotfiles", 0755), 0);
    vbtest_write("dotfiles/velumbrina.cfg", values);
    chmod("dotfiles/velumbrina.cfg", 0600);
    ASSERT_EQ(symlink("dotfiles/velumbrina.cfg", "Velumbrina.Cfg"), 0);
    ASSERT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    CFG_soundvol = 8;
    ASSERT_EQ(CFG_save("Velumbrina.Cfg"), 1);
    EXPECT_EQ(vbtest_read("dotfiles/velumbrina.cfg"), le32s({0, 1, 32, 8, 90, 22050, 3}));
    struct stat st;
    ASSERT_EQ(stat("dotfiles/velumbrina.cfg", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
}

// The log's file is closed after each line; a log that cannot be written (a link, never followed)
// loses its lines, and the run says so once on standard error.
TEST_F(ConfigFile, TheLogIsClosedAfterEachLineAndSaysOnceWhenItCannotWrite) {
    auto descriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    long before = descriptors();
    loga("level 1 loaded");
    EXPECT_EQ(descriptors(), before);
    std::filesystem::remove("log.txt");
    vbtest_write("elsewhere", "");
    ASSERT_EQ(symlink("elsewhere", "log.txt"), 0);
    static std::string said; // once per run, however often the test is repeated
    testing::internal::CaptureStderr();
    loga("lost line");
    loga("another lost line");
    said += testing::internal::GetCapturedStderr();
    EXPECT_EQ(vbtest_read("elsewhere"), "") << "a link is not followed";
    EXPECT_EQ(said, "Velumbrina: log.txt cannot be written (it is a link): this run's log lines "
                    "are lost\n");
}
