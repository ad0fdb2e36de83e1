// content_test.cpp -- the built pictures, sounds and music: remade from their sources, fit for use.
// SPDX-License-Identifier: MIT
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <stdlib.h>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>
#include "support/vbtest.h"

namespace {

std::string source(const std::string &path) {
    std::string f = __FILE__; // .../tests/content/content_test.cpp
    return f.substr(0, f.rfind("/tests/")) + "/data/" + path;
}

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

// The built files' names: the group's sources (NAME.txt) less their ending.
std::vector<std::string> built_names(const Group &g) {
    std::vector<std::string> names;
    for (auto &e : std::filesystem::directory_iterator(source(g.folder)))
        if (e.path().extension() == ".txt") names.push_back(e.path().stem());
    EXPECT_GE(names.size(), g.least) << g.folder;
    return names;
}

class Content : public ScratchDir {
  protected:
    void SetUp() override {
        if (vbtest_data().empty()) GTEST_SKIP() << "VB_DATA_DIR is not set";
        if (access((vbtest_data() + "/../tools/pcxart").c_str(), X_OK) != 0)
            GTEST_SKIP() << "the content tools are not built";
        ScratchDir::SetUp();
    }
};

} // namespace

// Every source remakes its built bytes; no colour becomes the mask; faults name their line.
TEST_F(Content, EveryBuiltFileIsRemadeFromItsSourceNoColourBecomesTheMaskAndFaultsAreNamed) {
    for (const Group &g : GROUPS)
        for (const std::string &n : built_names(g)) {
            std::string err, src = source(g.folder) + "/" + n + ".txt",
                             built = vbtest_data() + g.built + n;
            ASSERT_EQ(run_tool(g.tool, src, "a", &err), 0) << err;
            std::string a = vbtest_read("a");
            ASSERT_FALSE(a.empty()) << n;
            EXPECT_EQ(a, vbtest_read(built)) << n << ": stale or random";
            for (int depth = 16; g.tool[0] == 'p' && depth <= 32; depth += 16) {
                vbtest_init(depth);
                set_color_conversion(COLORCONV_TOTAL);
                PALETTE pal;
                BITMAP *b = load_pcx(built.c_str(), pal);
                ASSERT_NE(b, nullptr) << n;
                int near_mask = 0;
                for (int y = 0; depth == 32 && y < b->h; y++)
                    for (int x = 0; x < b->w; x++) {
                        int c = getpixel(b, x, y), r = getr(c), g = getg(c), bl = getb(c);
                        near_mask +=
                            !(r == 255 && g == 0 && bl == 255) && r >= 248 && g < 8 && bl >= 248;
                    }
                EXPECT_EQ(near_mask, 0) << n;
                destroy_bitmap(b);
            }
        }
    const struct {
        const char *tool, *text, *expect;
    } faults[] = {
        {"pcxart", "size 8 8\ngrid 0 0\n.z\nend\n", "source:2: colour 'z'"},
        {"pcxart", "size 8 8\nsparkle 1\n", "source:2: unknown command"},
        {"sfxsynth", "rate 22050\nlayer sine len=0\n", "line 2"},
        {"xmwrite",
         "channels 4\nrows 16\ninstrument a square\npattern p\n1 a: c1 c8\nend\norder p\n",
         "line 5: the line runs past"},
    };
    for (const auto &f : faults) {
        vbtest_write("source", f.text);
        std::string err;
        EXPECT_NE(run_tool(f.tool, "source", "out", &err), 0) << f.text;
        EXPECT_NE(err.find(f.expect), std::string::npos) << f.tool << " said: " << err;
    }
}

// Samples are short audible 16-bit mono PCM; modules play over a minute before they loop.
TEST_F(Content, SoundsAndModulesLoadAndLastAsLongAsTheirUse) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    for (const std::string &name : built_names(GROUPS[2])) {
        std::string path = vbtest_data() + "/resources/" + name, w = vbtest_read(path);
        ASSERT_GT(w.size(), 44u) << name;
        const unsigned char *h = (const unsigned char *)w.data();
        int rate = h[24] | h[25] << 8 | h[26] << 16;
        EXPECT_TRUE(w.compare(0, 4, "RIFF") == 0 && h[20] == 1 && h[22] == 1 && h[34] == 16)
            << name << " is not 16-bit mono PCM";
        double seconds = (w.size() - 44) / 2.0 / rate, loud = 0;
        EXPECT_TRUE(seconds >= 0.03 && seconds <= 1.4) << name << ": " << seconds << " s";
        for (size_t i = 44; i + 1 < w.size(); i += 2)
            loud = std::max(loud, (double)abs((int16_t)(h[i] | h[i + 1] << 8)));
        EXPECT_GT(loud, 3000) << name << " is nearly silent";
        Mix_Chunk *chunk = Mix_LoadWAV(path.c_str());
        EXPECT_NE(chunk, nullptr) << name;
        Mix_FreeChunk(chunk);
    }
    for (const std::string &name : built_names(GROUPS[3])) {
        Mix_Music *m = Mix_LoadMUS((vbtest_data() + "/resources/" + name).c_str());
        ASSERT_NE(m, nullptr) << name << ": " << Mix_GetError();
        EXPECT_GT(Mix_MusicDuration(m), 60.0) << name;
        Mix_FreeMusic(m);
    }
    Mix_CloseAudio();
    SDL_Quit();
}
