// vbtest.cpp -- what the unit tests share: a windowless Allegro, scratch directories, files.
// SPDX-License-Identifier: MIT
#include "support/vbtest.h"
#include "game/partida.h"
#include "gfx/gfx.h"
#include "platform/config.h"
#include "render/render.h"
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>

void vbtest_init(int depth) {
    static bool started = false;
    if (!started) install_allegro(SYSTEM_NONE, &errno, atexit);
    started = true;
    set_color_depth(depth);
}

// Makes a fresh directory under $TMPDIR, enters it and returns the directory it left.
static std::string enter_new_directory(const char *prefix, std::string *made) {
    const char *tmp = getenv("TMPDIR");
    std::string before = std::filesystem::current_path();
    *made = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + ".XXXXXX";
    EXPECT_NE(mkdtemp(&(*made)[0]), nullptr);
    EXPECT_EQ(chdir(made->c_str()), 0);
    return before;
}

// Every test program works in a scratch directory of its own, removed when it ends, so nothing a
// test writes (the game's log above all) lands in the build tree.
namespace {
struct ProgramScratch : ::testing::Environment {
    std::string dir;
    void SetUp() override { enter_new_directory("vbtests", &dir); }
    void TearDown() override {
        if (chdir("/") == 0) std::filesystem::remove_all(dir);
    }
};
const bool program_scratch = (::testing::AddGlobalTestEnvironment(new ProgramScratch), true);
} // namespace

static std::string scratch, before;

void vbtest_enter_scratch(void) {
    before = enter_new_directory("vbtest", &scratch);
}

void vbtest_leave_scratch(void) {
    if (scratch.empty()) return;
    EXPECT_EQ(chdir(before.c_str()), 0);
    std::filesystem::remove_all(scratch);
    scratch.clear();
}

std::string vbtest_data(void) {
    const char *d = getenv("VB_DATA_DIR");
    return d && *d ? std::filesystem::absolute(d).string() : "";
}

std::string vbtest_read(const std::string &path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void vbtest_write(const std::string &path, const std::string &bytes) {
    std::ofstream f(path, std::ios::binary);
    ASSERT_TRUE(f << bytes) << path;
}

BITMAP *picture(int w, int h, int colour) {
    BITMAP *b = create_bitmap(w, h);
    clear_to_color(b, colour);
    return b;
}

std::string le32s(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        for (int i = 0; i < 4; i++)
            s += (char)(((unsigned)v >> (8 * i)) & 0xff);
    return s;
}

bool vbtest_load_shipped_level(const char *name, std::string *why) {
    if (access((vbtest_data() + "/maps/" + name).c_str(), R_OK) != 0) {
        *why = std::string("the shipped level ") + name + " is not built";
        return false;
    }
    vbtest_init(16);
    set_color_conversion(COLORCONV_TOTAL);
    GFX_init();
    vbtest_enter_scratch();
    for (const char *dir : {"maps", "resources"})
        if (symlink((vbtest_data() + "/" + dir).c_str(), dir) != 0) *why = "cannot link the data";
    PARTIDA_reset(&partida, &efectos);
    partida.sound_on = 0;
    if (!MAP_create_pictures(&play_level) || !RENDER_create_layers()) *why = "out of memory";
    PALETTE palette;
    RENDER_load_pictures(palette);
    LevelLoad load;
    if (why->empty() &&
        !LEVEL_load((std::string("maps/") + name).c_str(), MAP_PICTURES, &play_level, &load))
        *why = load.why;
    PARTIDA_place_pickups(&partida, &play_level);
    return why->empty();
}

void vbtest_unload_level(void) {
    RENDER_reset(nullptr);
    MAP_destroy_pictures(&play_level);
    vbtest_leave_scratch();
}
