// config_test.cpp -- the configuration file and the log, as a player editing them would see them.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <allegro.h>
#include <filesystem>
#include <vector>
#include <signal.h>
#include <string.h>
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

// The first start writes the defaults; an edited file is read as written, never rewritten; bad,
// missing or cut values fall back one by one with a log line; no file to read or make: defaults.
// Saving keeps what a later version added; a save that fails part-way (a full disk) leaves the old
// file whole, no stray file, a log line, and the values for the run.
TEST_F(ConfigFile, DefaultsAreWrittenOnceValuesReadOrFallBackOneByOneAndSavesLandWholeOrNotAtAll) {
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

    vbtest_write("Velumbrina.Cfg", le32s({5, -1, 24, 128, -1, 7999, 1}));
    CFG_load("Velumbrina.Cfg");
    expect_values(5, -1, 16, 127, 127, 44100); // any non-zero switch means on
    std::string log = vbtest_read("log.txt");
    for (const char *what : {"colour depth 24", "music volume 128", "effect volume -1",
                             "sample rate 7999", "window size 1 out of range, using 2"})
        EXPECT_NE(log.find(what), std::string::npos) << log;
    vbtest_write("Velumbrina.Cfg", le32s({1, 1, 15, 127, 0, 96001, 5}));
    CFG_load("Velumbrina.Cfg");
    expect_values(1, 1, 15, 127, 0, 44100);

    // A file from before the window size, here cut two bytes into it: the window is the default.
    vbtest_write("Velumbrina.Cfg", le32s({0, 1, 15, 100, 90, 22050}) + std::string("\3\0", 2));
    vbtest_write("log.txt", "");
    CFG_window = 4;
    EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 1);
    expect_values(0, 1, 15, 100, 90, 22050, 2);
    EXPECT_EQ(vbtest_read("log.txt"), "Velumbrina.Cfg: window size missing, using 2\n");

    CFG_bitdepth = 32; // a place where the file can be neither read nor created: the defaults
    EXPECT_EQ(CFG_load("no-such-dir/Velumbrina.Cfg"), 0);
    expect_values(1, 1, 16, 127, 127, 44100);
    EXPECT_FALSE(std::filesystem::exists("no-such-dir"));

    std::string later = le32s({CFG_KEYS_VERSION}); // the bindings, then a later version's values
    for (const int *keys : CFG_default_keys)
        later += le32s({keys[0], keys[1], keys[2]});
    later += le32s({7, 100, 0, 0, 0, 0, 0, 9}) + std::string(CFG_FILE_MAX - CFG_LATER_END - 8, 'k');
    vbtest_write("Velumbrina.Cfg", le32s({1, 1, 16, 127, 127, 44100, 2}) + later);
    vbtest_write("log.txt", "");
    CFG_load("Velumbrina.Cfg");
    EXPECT_EQ(vbtest_read("log.txt"), "") << "a later version's values are no fault";
    CFG_scanlines = 0, CFG_soundvol = 40, CFG_window = 4;
    EXPECT_EQ(CFG_save("Velumbrina.Cfg"), 1);
    std::string saved = le32s({0, 1, 16, 40, 127, 44100, 4}) + later;
    EXPECT_EQ(vbtest_read("Velumbrina.Cfg"), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2); // and the log

    // A full disk, as a file size limit makes it (the log line still fits the empty log).
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2);
}

// At most a file's limit is read, the rest kept whole; volumes reach the sound service doubled. The
// assists block after the bindings: each bad value falls back with a log line, it is written only
// once an assist changes, a later version's block is kept whole, an earlier one's grows.
TEST_F(ConfigFile, BytesAreKeptAsReadAndTheAssistsBlockIsReadAndWrittenAfterTheBindings) {
    static Settings s, t;
    static unsigned char out[CFG_FILE_MAX];
    std::string big(CFG_FILE_MAX + 100, 'x');
    CFG_read(&s, (const unsigned char *)big.data(), (int)big.size(), "test");
    ASSERT_EQ(CFG_write(&s, out), CFG_FILE_MAX);
    EXPECT_EQ(memcmp(out + CFG_FILE_SIZE, &big[CFG_FILE_SIZE], CFG_FILE_MAX - CFG_FILE_SIZE), 0);
    EXPECT_NE(vbtest_read("log.txt").find("test: key bindings of an unknown format"),
              std::string::npos);
    t = s;
    t.kept_size = 0;
    EXPECT_TRUE(CFG_same(&s, &t));
    t.window = 4;
    EXPECT_FALSE(CFG_same(&s, &t));
    t = s;
    t.keys[6][2] = KEY_F;
    EXPECT_FALSE(CFG_same(&s, &t));

    const int volumes[][2] = {{0, 0}, {64, 128}, {127, 254}, {128, 254}, {-1, 0}};
    for (const int *v : volumes)
        EXPECT_EQ(CFG_volume(v[0]), v[1]) << v[0];

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
    EXPECT_EQ(assists(s), std::vector<int>({100, 0, 0, 0, 0, 1}));
    t = s;
    t.show_timer = 1;
    EXPECT_EQ(written(&t), values + keys + le32s({6, 100, 0, 0, 0, 1, 1}));
    t = s;
    t.ghost = 0;
    EXPECT_FALSE(CFG_same(&s, &t));
    EXPECT_EQ(written(&t), values + keys + le32s({6, 100, 0, 0, 0, 0, 0}));
    EXPECT_EQ(written(&s), values) << "no assist chosen: the file stays as it was";

    std::string tail = le32s({5}) + "later";
    read(&s, values + keys + le32s({7, 40, 1, 1, 1, 0, 0}) + tail);
    EXPECT_EQ(assists(s), std::vector<int>({40, 1, 1, 1, 0, 0}));
    s.game_speed = 60;
    EXPECT_EQ(written(&s), values + keys + le32s({7, 60, 1, 1, 1, 0, 0}) + tail);

    read(&s, values + keys + le32s({2, 80, 1}) + "after"); // an earlier block grows to six
    EXPECT_EQ(assists(s), std::vector<int>({80, 1, 0, 0, 0, 1}));
    EXPECT_EQ(written(&s), values + keys + le32s({6, 80, 1, 0, 0, 0, 1}) + "after");

    vbtest_write("log.txt", "");
    read(&s, values + keys + le32s({5, 50, 2, -1, 1}) + "\x01\x00");
    EXPECT_EQ(assists(s), std::vector<int>({100, 0, 0, 1, 0, 1}));
    read(&t, values + keys + le32s({-3, 40}));
    EXPECT_EQ(assists(t), std::vector<int>({100, 0, 0, 0, 0, 1}));
    EXPECT_EQ(written(&t), values + keys + le32s({6, 100, 0, 0, 0, 0, 1, 40}));
    std::string log = vbtest_read("log.txt");
    for (const char *line :
         {"cfg: game speed 50 out of range, using 100", "cfg: no damage 2 out of range, using 0",
          "endless retries -1", "cfg: show timer cut short, using 0",
          "cfg: -3 values after the key bindings, using the defaults"})
        EXPECT_NE(log.find(line), std::string::npos) << line << " in\n" << log;

    std::string other =
        values + le32s({2}) + std::string(4 * 21, '\0') + le32s({5, 40, 1, 1, 1, 1});
    read(&s, other); // bindings of another format: the block in it is not looked for
    EXPECT_EQ(assists(s), std::vector<int>({100, 0, 0, 0, 0, 1}));
    EXPECT_EQ(written(&s), other);
}

// What cannot be read (folder, pipe, device, too big, link to nothing, no permission) is logged and
// never saved over; a read-only file is not replaced; a link stays one, its target keeps its mode.
TEST_F(ConfigFile, AFileThatCannotBeReadIsLeftAloneAndLinksAndModesAreKept) {
    std::string values = le32s({0, 1, 32, 100, 90, 22050, 3});
    const char *whys[] = {"is a folder, not a file", "is a named pipe, not a file",
                          "is a device, not a file", "is larger than 65536 bytes (65537)",
                          "is a link to nothing",    "cannot be read (Permission denied)"};
    for (int i = 0; i < 6; i++) {
        if (i == 5 && geteuid() == 0) continue; // the superuser reads anything
        std::filesystem::remove_all("Velumbrina.Cfg");
        vbtest_write("log.txt", "");
        if (i == 0) mkdir("Velumbrina.Cfg", 0755);
        if (i == 1) mkfifo("Velumbrina.Cfg", 0644);
        if (i == 2 || i == 4) symlink(i == 2 ? "/dev/zero" : "gone", "Velumbrina.Cfg");
        if (i == 3 || i == 5) // one byte too big; unreadable
            vbtest_write("Velumbrina.Cfg", values + std::string(i == 3 ? 65509 : 0, 0));
        if (i == 5) chmod("Velumbrina.Cfg", 0);
        CFG_bitdepth = 32;
        EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 0) << whys[i];
        expect_values(1, 1, 16, 127, 127, 44100);
        CFG_bitdepth = 15;
        EXPECT_EQ(CFG_save("Velumbrina.Cfg"), 0) << whys[i];
        EXPECT_EQ(vbtest_read("log.txt"),
                  std::string("Velumbrina.Cfg: ") + whys[i] +
                      ": using the defaults; the file is left as it is and the options will "
                      "not be saved over it\nVelumbrina.Cfg: could not be saved (it could not be "
                      "read at the start); the options hold for this run only\n");
        EXPECT_FALSE(std::filesystem::exists("gone"));
    }
    chmod("Velumbrina.Cfg", 0644);
    std::filesystem::remove_all("Velumbrina.Cfg");

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
    EXPECT_TRUE(std::filesystem::is_symlink("Velumbrina.Cfg"));
    EXPECT_EQ(vbtest_read("dotfiles/velumbrina.cfg"), le32s({0, 1, 32, 8, 90, 22050, 3}));
    struct stat st;
    ASSERT_EQ(stat("dotfiles/velumbrina.cfg", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("dotfiles"), {}), 1);
}

// Lines are appended in order; a log that cannot be written (a link, never followed) loses its
// lines, and the run says so once on standard error.
TEST_F(ConfigFile, TheLogKeepsLinesInOrderAndSaysOnceWhenItCannotWrite) {
    auto descriptors = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    long before = descriptors();
    loga("first run: level 1 loaded");
    loga("second run: level 1 loaded");
    EXPECT_EQ(descriptors(), before) << "the file is closed after each line";
    EXPECT_EQ(vbtest_read("log.txt"), "first run: level 1 loaded\nsecond run: level 1 loaded\n");
    ASSERT_EQ(mkdir("sub", 0755), 0);
    ASSERT_EQ(chdir("sub"), 0);
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
