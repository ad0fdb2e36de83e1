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
    for (const char *dir : {"/build/data", "/usr/share/velumbrina", "/other"})
        std::filesystem::create_directories(h + dir);
    std::string build = h + "/build/velumbrina", other = h + "/other/",
                installed = h + "/usr/libexec/velumbrina/velumbrina";
    Places p;
    char text[4096];
    PathsFrom from = {
        build.c_str(), "../../share/velumbrina", other.c_str(), "/home/p", nullptr, nullptr,
        nullptr};
    ASSERT_EQ(PATHS_find(&from, &p, text, sizeof text), 0) << text;
    for (const char *place : {p.data, p.config, p.user, p.state})
        EXPECT_EQ(std::string(place), h + "/other") << "a build's files go with the data it plays";

    from = {installed.c_str(), "../../share/velumbrina", nullptr, "/home/p", nullptr, "", "state"};
    ASSERT_EQ(PATHS_find(&from, &p, text, sizeof text), 0) << text;
    EXPECT_STREQ(p.config, "/home/p/.config/velumbrina");
    EXPECT_STREQ(p.state, "/home/p/.local/state/velumbrina");
    from = {installed.c_str(), "../../share/velumbrina", nullptr, nullptr, "/c", "/d/", "/s"};
    ASSERT_EQ(PATHS_find(&from, &p, text, sizeof text), 0) << text;
    EXPECT_STREQ(p.user, "/d/velumbrina");
    from.state_home = "s";
    EXPECT_EQ(PATHS_find(&from, &p, text, sizeof text), -1) << "no home to put the log under";
    EXPECT_NE(std::string(text).find("HOME"), std::string::npos) << text;
    std::string missing = h + "/gone";
    from.data = missing.c_str();
    EXPECT_EQ(PATHS_find(&from, &p, text, sizeof text), -1);
    EXPECT_NE(std::string(text).find("VELUMBRINA_DATA names " + missing), std::string::npos)
        << text;
    from = {nullptr, "../../share/velumbrina", nullptr, "/home/p", nullptr, nullptr, nullptr};
    EXPECT_EQ(PATHS_find(&from, &p, text, sizeof text), -1) << "the program's place unknown";

    // The folders are made with their parents, for the player alone.
    EXPECT_EQ(PATHS_make_dir((h + "/x/y/z").c_str()), 0);
    struct stat st;
    ASSERT_EQ(stat("x/y/z", &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);

    // A name that does not fit is refused whole, never cut short.
    char name[8];
    EXPECT_EQ(PATHS_join(name, sizeof name, "abc", "def"), 1);
    EXPECT_STREQ(name, "abc/def");
    EXPECT_EQ(PATHS_join(name, sizeof name, "abc", "defg"), 0);
    EXPECT_STREQ(name, "");
}

// A file is moved once, with its mode, never over one already there; a link or a folder is never
// moved; the launcher's links to the data go, the player's own stay; each is logged.
TEST_F(Paths, OldFilesMoveOnceNeverOverAGoodFileNorThroughALink) {
    std::string h = std::filesystem::current_path();
    char why[4096];
    vbtest_write("old.cfg", "settings");
    EXPECT_EQ(PATHS_move_once("old.cfg", "new.cfg", 100, why, sizeof why), PATHS_MOVED) << why;
    EXPECT_EQ(vbtest_read("new.cfg"), "settings");
    EXPECT_EQ(PATHS_move_once("old.cfg", "new.cfg", 100, why, sizeof why), PATHS_NOTHING);

    vbtest_write("old.cfg", "older");
    EXPECT_EQ(PATHS_move_once("old.cfg", "new.cfg", 100, why, sizeof why), PATHS_LEFT);
    EXPECT_EQ(vbtest_read("new.cfg"), "settings");
    ASSERT_EQ(symlink("new.cfg", "link"), 0);
    std::filesystem::create_directory("folder");
    for (const char *odd : {"link", "folder"})
        EXPECT_EQ(PATHS_move_once(odd, "moved", 100, why, sizeof why), PATHS_LEFT) << odd;

    // Across file systems the bytes are copied with their mode, then the old file removed.
    struct stat shm, scratch;
    if (stat("/dev/shm", &shm) == 0 && stat(".", &scratch) == 0 && shm.st_dev != scratch.st_dev &&
        access("/dev/shm", W_OK) == 0) {
        std::string far = "/dev/shm/vb-paths-" + std::to_string(getpid());
        vbtest_write(far, "far away");
        chmod(far.c_str(), 0400);
        EXPECT_EQ(PATHS_move_once(far.c_str(), "near", 100, why, sizeof why), PATHS_MOVED) << why;
        EXPECT_EQ(vbtest_read("near"), "far away");
        EXPECT_FALSE(std::filesystem::exists(far));
        ASSERT_EQ(stat("near", &scratch), 0);
        EXPECT_EQ(scratch.st_mode & 0777, 0400u);
    }

    // The whole move at start-up: the log first, so that its lines land in the moved log.
    Places p = {};
    snprintf(p.old, sizeof p.old, "%s/share", h.c_str());
    snprintf(p.state, sizeof p.state, "%s/state", h.c_str());
    for (const char *dir : {p.old, p.state})
        std::filesystem::create_directory(dir);
    vbtest_write("share/log.txt", "old line\n");
    ASSERT_EQ(symlink("/usr/share/velumbrina/maps", "share/maps"), 0);
    ASSERT_EQ(symlink("my-own", "share/resources"), 0);
    PATHS_use(&p);
    PATHS_move_old_files(&p, "Velumbrina.Cfg", "log.txt");
    std::string log = vbtest_read("state/log.txt");
    EXPECT_EQ(log.rfind("old line\n", 0), 0u) << log;
    EXPECT_NE(log.find("share/maps: the old link to the game's data is removed"), std::string::npos)
        << log;
    EXPECT_TRUE(std::filesystem::is_symlink("share/resources"));
    Places back = {".", ".", ".", ".", ""}; // the places as they were before the test
    PATHS_use(&back);
}
