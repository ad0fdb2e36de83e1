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
    later += le32s({7, 100, 0, 0, 0, 0, 0, 9}) + std::string(CFG_FILE_MAX - CFG_LATER_END - 8, 'k');
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

// The reader takes no more than a file may hold and keeps what follows the values as it was; a
// changed value or key is a change, the kept bytes are not; the volumes reach the sound service
// doubled, within its range.
TEST_F(ConfigFile, BytesAreKeptAsReadChangesAreChoicesAndVolumesAreDoubled) {
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
}

// The assists and the ghost live in the block after the bindings: read from it, each out of range
// or cut short value falling back on its own with a log line; a file without the block reads as
// no assist, the ghost on, and gets one (and today's keys before it) only once a value changes; a
// block from a later version keeps its values and what follows whole, one from an earlier version
// grows.
TEST_F(ConfigFile, AssistsReadAndWriteTheBlockAfterTheBindingsAndKeepALaterVersionsValues) {
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
    EXPECT_EQ(assists(s), std::vector<int>({100, 0, 0, 0, 0, 1}));
    t = s;
    t.show_timer = 1;
    EXPECT_FALSE(CFG_same(&s, &t));
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

// What cannot be read is never replaced by the defaults: a folder, a pipe (which must not block
// the start), a device, a file too big to be a configuration, a link to nothing, a file without
// read permission; each is named in one log line, and leaving OPTIONS saves nothing over it.
// A read-only file is read but not replaced; a linked one stays a link with its target's mode.
TEST_F(ConfigFile, AFileThatCannotBeReadIsLeftAloneAndLinksAndModesAreKept) {
    std::string values = le32s({0, 1, 32, 100, 90, 22050, 3});
    struct Case {
        const char *why;
        void (*make)(const std::string &);
    } cases[] = {
        {"is a folder, not a file", [](const std::string &) { mkdir("Velumbrina.Cfg", 0755); }},
        {"is a named pipe, not a file",
         [](const std::string &) { mkfifo("Velumbrina.Cfg", 0644); }},
        {"is a device, not a file",
         [](const std::string &) { symlink("/dev/zero", "Velumbrina.Cfg"); }},
        {"is larger than 65536 bytes (65537)",
         [](const std::string &v) { vbtest_write("Velumbrina.Cfg", v + std::string(65509, 0)); }},
        {"is a link to nothing", [](const std::string &) { symlink("gone", "Velumbrina.Cfg"); }},
        {"cannot be read (Permission denied)",
         [](const std::string &v) {
             vbtest_write("Velumbrina.Cfg", v);
             chmod("Velumbrina.Cfg", 0);
         }},
    };
    for (const Case &c : cases) {
        if (c.why[0] == 'c' && geteuid() == 0) continue; // the superuser reads anything
        std::filesystem::remove_all("Velumbrina.Cfg");
        vbtest_write("log.txt", "");
        c.make(values);
        CFG_bitdepth = 32;
        EXPECT_EQ(CFG_load("Velumbrina.Cfg"), 0) << c.why;
        expect_values(1, 1, 16, 127, 127, 44100);
        CFG_bitdepth = 15;
        EXPECT_EQ(CFG_save("Velumbrina.Cfg"), 0) << c.why;
        EXPECT_EQ(vbtest_read("log.txt"),
                  std::string("Velumbrina.Cfg: ") + c.why +
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
    expect_values(0, 1, 32, 100, 90, 22050, 3);
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

// Lines are appended in order; a log that cannot be written (a folder in the way, a link, which
// is never followed) loses its lines, and the run says so once on standard error.
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
    testing::internal::CaptureStderr();
    loga("lost line");
    loga("another lost line");
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(vbtest_read("elsewhere"), "") << "a link is not followed";
    EXPECT_EQ(said, "Velumbrina: log.txt cannot be written (it is a link): this run's log lines "
                    "are lost\n");
}
