// paths_test.cpp -- where the data and the player's files are found, and old files moved once.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/paths.h"
#include "support/vbtest.h"

using Paths = ScratchDir;

// A build keeps all with its data; an installed game finds its data up from its folder, the
// player's files in the XDG folders (full paths only) or VELUMBRINA_DATA; failures say where.
TEST_F(Paths, DataBesideTheProgramAndThePlayersFilesWhereTheDesktopKeepsThem) {
    std::string h = std::filesystem::current_path();
    for (const char *dir :
         {"/build/data", "/usr/libexec/velumbrina", "/usr/share/velumbrina", "/other"})
        std::filesystem::create_directories(h + dir);
    std::string build = h + "/build/velumbrina",
                installed = h + "/usr/libexec/velumbrina/velumbrina";
    Places p;
    char text[4096];
    PathsFrom from = {build.c_str(), "../../share/velumbrina", nullptr, "/home/p", nullptr, nullptr,
                      nullptr};
    ASSERT_EQ(PATHS_find(&from, &p, text, sizeof text), 0) << text;
    for (const char *place : {p.data, p.config, p.user, p.state})
        EXPECT_EQ(std::string(place), h + "/build/data");
    EXPECT_STREQ(p.old, "");
    std::string other = h + "/other/";
    from.data = other.c_str();
    ASSERT_EQ(PATHS_find(&from, &p, text, sizeof text), 0) << text;
    EXPECT_EQ(std::string(p.data), h + "/other");
    EXPECT_EQ(std::string(p.config), h + "/other") << "a build's files go with the data it plays";

    from = {installed.c_str(), "../../share/velumbrina", nullptr, "/home/p", nullptr, "", "state"};
    ASSERT_EQ(PATHS_find(&from, &p, text, sizeof text), 0) << text;
    EXPECT_EQ(std::string(p.data), h + "/usr/share/velumbrina");
    EXPECT_STREQ(p.config, "/home/p/.config/velumbrina");
    EXPECT_STREQ(p.user, "/home/p/.local/share/velumbrina");
    EXPECT_STREQ(p.state, "/home/p/.local/state/velumbrina");
    EXPECT_STREQ(p.old, "/home/p/.local/share/velumbrina");
    from = {installed.c_str(), "../../share/velumbrina", nullptr, nullptr, "/c", "/d/", "/s"};
    ASSERT_EQ(PATHS_find(&from, &p, text, sizeof text), 0) << text;
    EXPECT_STREQ(p.config, "/c/velumbrina");
    EXPECT_STREQ(p.user, "/d/velumbrina");
    EXPECT_STREQ(p.state, "/s/velumbrina");
    from.state_home = "s";
    EXPECT_EQ(PATHS_find(&from, &p, text, sizeof text), -1) << "no home to put the log under";
    EXPECT_NE(std::string(text).find("HOME"), std::string::npos) << text;

    from = {
        installed.c_str(), "../../share/nothing", nullptr, "/home/p", nullptr, nullptr, nullptr};
    EXPECT_EQ(PATHS_find(&from, &p, text, sizeof text), -1);
    for (std::string looked : {"/usr/libexec/velumbrina/data", "/usr/share/nothing"})
        EXPECT_NE(std::string(text).find(h + looked), std::string::npos) << text;
    std::string missing = h + "/gone";
    from.data = missing.c_str();
    EXPECT_EQ(PATHS_find(&from, &p, text, sizeof text), -1);
    EXPECT_NE(std::string(text).find("VELUMBRINA_DATA names " + missing), std::string::npos)
        << text;
    from = {nullptr, "../../share/velumbrina", nullptr, "/home/p", nullptr, nullptr, nullptr};
    EXPECT_EQ(PATHS_find(&from, &p, text, sizeof text), -1) << "the program's place unknown";

    // The folders are made with their parents, for the player alone; a file in the way fails.
    EXPECT_EQ(PATHS_make_dir((h + "/x/y/z").c_str()), 0);
    struct stat st;
    ASSERT_EQ(stat("x/y/z", &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);
    vbtest_write("file", "x");
    EXPECT_NE(PATHS_make_dir((h + "/file/z").c_str()), 0);

    // A name that does not fit is refused whole, never cut short.
    char name[8];
    EXPECT_EQ(PATHS_join(name, sizeof name, "abc", "def"), 1);
    EXPECT_STREQ(name, "abc/def");
    EXPECT_EQ(PATHS_join(name, sizeof name, "abc", "defg"), 0);
    EXPECT_STREQ(name, "");
    PATHS_set_user_dir("/levels//");
    EXPECT_STREQ(PATHS_user_dir(), "/levels");
    PATHS_set_user_dir("");
    PATHS_set_user_dir(std::string(PATHS_MAX, 'x').c_str());
    EXPECT_STREQ(PATHS_user_dir(), "/levels") << "an empty name or one too long changes nothing";
    PATHS_set_user_dir(".");
}

// A file is moved once, with its mode, never over one already there; a link or a folder is never
// moved; the launcher's links to the data go, the player's own stay; each is logged.
TEST_F(Paths, OldFilesMoveOnceNeverOverAGoodFileNorThroughALink) {
    std::string h = std::filesystem::current_path();
    char why[4096];
    vbtest_write("old.cfg", "settings");
    chmod("old.cfg", 0400);
    EXPECT_EQ(PATHS_move_once("old.cfg", "new.cfg", 100, why, sizeof why), PATHS_MOVED) << why;
    EXPECT_EQ(vbtest_read("new.cfg"), "settings");
    struct stat st;
    ASSERT_EQ(stat("new.cfg", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0400u);
    EXPECT_EQ(PATHS_move_once("old.cfg", "new.cfg", 100, why, sizeof why), PATHS_NOTHING);

    vbtest_write("old.cfg", "older");
    EXPECT_EQ(PATHS_move_once("old.cfg", "new.cfg", 100, why, sizeof why), PATHS_LEFT);
    EXPECT_EQ(vbtest_read("new.cfg"), "settings");
    EXPECT_EQ(vbtest_read("old.cfg"), "older");
    ASSERT_EQ(symlink("new.cfg", "link"), 0);
    EXPECT_EQ(PATHS_move_once("link", "moved", 100, why, sizeof why), PATHS_LEFT);
    EXPECT_NE(std::string(why).find("link"), std::string::npos) << why;
    std::filesystem::create_directory("folder");
    EXPECT_EQ(PATHS_move_once("folder", "moved", 100, why, sizeof why), PATHS_LEFT);
    EXPECT_FALSE(std::filesystem::exists("moved"));

    // Across file systems the bytes are copied, then the old file removed.
    struct stat shm, scratch;
    if (stat("/dev/shm", &shm) == 0 && stat(".", &scratch) == 0 && shm.st_dev != scratch.st_dev &&
        access("/dev/shm", W_OK) == 0) {
        std::string far = "/dev/shm/vb-paths-" + std::to_string(getpid());
        vbtest_write(far, "far away");
        EXPECT_EQ(PATHS_move_once(far.c_str(), "near", 100, why, sizeof why), PATHS_MOVED) << why;
        EXPECT_EQ(vbtest_read("near"), "far away");
        EXPECT_FALSE(std::filesystem::exists(far));
        vbtest_write(far, std::string(200, 'x'));
        EXPECT_EQ(PATHS_move_once(far.c_str(), "near2", 100, why, sizeof why), PATHS_LEFT);
        EXPECT_FALSE(std::filesystem::exists("near2")) << "too big: nothing half-written";
        unlink(far.c_str());
    }

    // The whole move at start-up: the log first, so that its lines land in the moved log.
    Places p = {};
    snprintf(p.old, sizeof p.old, "%s/share", h.c_str());
    snprintf(p.config, sizeof p.config, "%s/config", h.c_str());
    snprintf(p.state, sizeof p.state, "%s/state", h.c_str());
    snprintf(p.user, sizeof p.user, "%s", p.old);
    for (const char *dir : {p.old, p.config, p.state})
        std::filesystem::create_directory(dir);
    vbtest_write("share/Velumbrina.Cfg", "cfg");
    vbtest_write("share/log.txt", "old line\n");
    ASSERT_EQ(symlink("/usr/share/velumbrina/maps", "share/maps"), 0);
    ASSERT_EQ(symlink("my-own", "share/resources"), 0);
    PATHS_use(&p);
    PATHS_move_old_files(&p, "Velumbrina.Cfg", "log.txt");
    EXPECT_EQ(vbtest_read("config/Velumbrina.Cfg"), "cfg");
    std::string log = vbtest_read("state/log.txt");
    EXPECT_EQ(log.rfind("old line\n", 0), 0u) << log;
    EXPECT_NE(log.find(h + "/config/Velumbrina.Cfg moved from"), std::string::npos) << log;
    EXPECT_FALSE(std::filesystem::exists("share/Velumbrina.Cfg"));
    EXPECT_FALSE(std::filesystem::is_symlink("share/maps"));
    EXPECT_NE(log.find("share/maps: the old link to the game's data is removed"), std::string::npos)
        << log;
    EXPECT_TRUE(std::filesystem::is_symlink("share/resources"));
    EXPECT_STREQ(PATHS_config_dir(), p.config);
    EXPECT_STREQ(PATHS_state_dir(), p.state);
    EXPECT_STREQ(PATHS_user_dir(), p.old);
    Places back = {};
    for (char *dir : {back.user, back.config, back.state})
        snprintf(dir, PATHS_MAX, ".");
    PATHS_use(&back);
}
