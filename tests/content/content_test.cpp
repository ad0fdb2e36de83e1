// content_test.cpp -- the built pictures, sounds and music: remade from their sources, fit for use.
// SPDX-License-Identifier: MIT
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <stdlib.h>
#include <filesystem>
#include <string>
#include <vector>
#include "support/vbtest.h"

namespace {

// Runs build/tools/TOOL IN OUT; its exit status, with its error output in *errors.
int run_tool(const std::string &tool, const std::string &in, const std::string &out,
             std::string *errors) {
    std::string cmd =
        "'" + vbtest_data() + "/../tools/" + tool + "' '" + in + "' '" + out + "' >tool.log 2>&1";
    int st = system(cmd.c_str());
    *errors = vbtest_read("tool.log");
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

// The content sources in data/, their tool, and where the built files lie in the data directory.
const struct Group {
    const char *folder, *tool, *built;
    size_t least;
} GROUPS[] = {{"art", "pcxart", "/resources/", 18},
              {"art/level", "pcxart", "/../art/", 7},
              {"sound", "sfxsynth", "/resources/", 9},
              {"music", "xmwrite", "/resources/", 2}};

using Content = ScratchDir;

} // namespace

// Every source remakes its built bytes; no colour becomes the mask; samples are 16-bit mono PCM,
// modules play over a minute before they loop; a fault in a source is named by its line.
TEST_F(Content, EveryBuiltFileIsRemadeFromItsSourceAndFitForUseAndFaultsAreNamed) {
    if (access((vbtest_data() + "/../tools/pcxart").c_str(), X_OK) != 0)
        GTEST_SKIP() << "the content tools are not built (or VB_DATA_DIR is not set)";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    std::string data = __FILE__; // .../tests/content/content_test.cpp
    data = data.substr(0, data.rfind("/tests/")) + "/data/";
    for (const Group &g : GROUPS) {
        std::vector<std::string> names; // the built files: the sources (NAME.txt) less their ending
        for (auto &e : std::filesystem::directory_iterator(data + g.folder))
            if (e.path().extension() == ".txt") names.push_back(e.path().stem());
        EXPECT_GE(names.size(), g.least) << g.folder;
        for (const std::string &n : names) {
            std::string err, src = data + g.folder + "/" + n + ".txt",
                             built = vbtest_data() + g.built + n;
            ASSERT_EQ(run_tool(g.tool, src, "a", &err), 0) << err;
            std::string w = vbtest_read("a");
            EXPECT_EQ(w, vbtest_read(built)) << n << ": stale or random";
            if (g.tool[0] == 'p') {
                vbtest_init(32);
                set_color_conversion(COLORCONV_TOTAL);
                PALETTE pal;
                BITMAP *b = load_pcx(built.c_str(), pal);
                ASSERT_NE(b, nullptr) << n;
                int near_mask = 0;
                for (int y = 0; y < b->h; y++)
                    for (int x = 0; x < b->w; x++) {
                        int c = getpixel(b, x, y), r = getr(c), g = getg(c), bl = getb(c);
                        near_mask +=
                            !(r == 255 && g == 0 && bl == 255) && r >= 248 && g < 8 && bl >= 248;
                    }
                EXPECT_EQ(near_mask, 0) << n;
                destroy_bitmap(b);
            } else if (g.tool[0] == 's') {
                ASSERT_GT(w.size(), 44u) << n;
                const unsigned char *h = (const unsigned char *)w.data();
                EXPECT_TRUE(w.compare(0, 4, "RIFF") == 0 && h[20] == 1 && h[22] == 1 && h[34] == 16)
                    << n << " is not 16-bit mono PCM";
            } else {
                Mix_Music *m = Mix_LoadMUS(built.c_str());
                ASSERT_NE(m, nullptr) << n << ": " << Mix_GetError();
                EXPECT_GT(Mix_MusicDuration(m), 60.0) << n << " loops within a minute";
                Mix_FreeMusic(m);
            }
        }
    }
    Mix_CloseAudio();
    SDL_Quit();
    vbtest_write("source", "size 8 8\ngrid 0 0\n.z\nend\n");
    std::string err;
    EXPECT_NE(run_tool("pcxart", "source", "out", &err), 0);
    EXPECT_NE(err.find("source:2: colour 'z'"), std::string::npos) << "pcxart said: " << err;
}
