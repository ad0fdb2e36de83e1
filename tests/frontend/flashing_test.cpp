// flashing_test.cpp -- no screen the game shows on its own flashes more than three times in any
// second, and none flashes at all with REDUCED FLASHING: the intro, the title screen and every
// shipped room along the level checker's route, drawn frame by frame in memory.
//
// A change is a frame in which a quarter of the picture or more gets lighter, or darker, by at
// least a tenth of the full relative luminance (the darker of the two below 0.8). A flash is a
// change that goes the other way from one less than a second before. Every frame is looked at.
#include <math.h>
#include <algorithm>
#include <stdio.h>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "frontend/menu_anim.h"
#include "frontend/menu_intro.h"
#include "game/partida.h"
#include "gfx/picture.h"
#include "platform/config.h"
#include "render/render.h"
#include "support/vbtest.h"
#include "tools/levellib/search.h"

enum { SECOND = 30 }; // frames: a second at 29.4 frames a second, rounded up

// Counts flashes frame by frame and keeps the worst second seen.
struct FlashMeter {
    std::vector<float> before; // the frame before, relative luminance per pixel
    int frame = 0, last_dir = 0, last_at = -SECOND;
    std::deque<int> flashes; // frames of the flashes in the last second
    int total = 0, worst = 0;
    int most = 0; // the largest share of the picture one frame changed, in thousandths
    std::string where, worst_where, most_where;
};

// Relative luminance of an 8-bit sRGB channel, linearised.
static float linear(int c) {
    double v = c / 255.0;
    return (float)(v <= 0.04045 ? v / 12.92 : pow((v + 0.055) / 1.055, 2.4));
}

// Relative luminance of every pixel of a 16-bit picture's colours, computed once.
static const std::vector<float> &luminance16() {
    static std::vector<float> table;
    if (table.empty())
        for (int p = 0; p < 65536; p++)
            table.push_back(0.2126f * linear(getr16(p)) + 0.7152f * linear(getg16(p)) +
                            0.0722f * linear(getb16(p)));
    return table;
}

// Starts a new scene: its first frame is compared with nothing.
static void meter_scene(FlashMeter *m, const std::string &where) {
    m->before.clear();
    m->where = where;
    m->frame = 0;
    m->last_dir = 0;
    m->flashes.clear();
}

// Looks at the next frame of the scene.
static void meter_frame(FlashMeter *m, BITMAP *b) {
    const std::vector<float> &lum = luminance16();
    std::vector<float> now((size_t)(b->w * b->h));
    for (int y = 0; y < b->h; y++) {
        const uint16_t *row = (const uint16_t *)b->line[y];
        for (int x = 0; x < b->w; x++)
            now[(size_t)(y * b->w + x)] = lum[row[x]];
    }
    m->frame++;
    if (m->before.size() != now.size()) {
        m->before.swap(now);
        return;
    }
    int up = 0, down = 0;
    for (size_t i = 0; i < now.size(); i++) {
        float a = m->before[i], c = now[i];
        if (c - a >= 0.1f && a < 0.8f) up++;
        if (a - c >= 0.1f && c < 0.8f) down++;
    }
    m->before.swap(now);
    int quarter = b->w * b->h / 4, share = 1000 * std::max(up, down) / (b->w * b->h);
    if (share > m->most) {
        m->most = share;
        m->most_where = m->where + ", frame " + std::to_string(m->frame);
    }
    for (int dir : {1, -1}) { // a picture half lighter, half darker: both changes
        if ((dir > 0 ? up : down) < quarter) continue;
        if (m->last_dir == -dir && m->frame - m->last_at < SECOND) {
            m->flashes.push_back(m->frame);
            m->total++;
        }
        m->last_dir = dir;
        m->last_at = m->frame;
    }
    while (!m->flashes.empty() && m->frame - m->flashes.front() >= SECOND)
        m->flashes.pop_front();
    if ((int)m->flashes.size() > m->worst) {
        m->worst = (int)m->flashes.size();
        m->worst_where = m->where + ", frame " + std::to_string(m->frame);
    }
}

// The meter itself: black and white every other frame flashes all the time, a slow fade and a
// single cut never; a flicker on a small part of the picture is not a flash.
TEST(Flashing, TheMeterCountsOpposingChangesOverAQuarterOfThePicture) {
    vbtest_init(16);
    BITMAP *b = create_bitmap(64, 48);
    FlashMeter m;
    meter_scene(&m, "fade");
    for (int i = 0; i < 64; i++) {
        clear_to_color(b, makecol(4 * i, 4 * i, 4 * i));
        meter_frame(&m, b);
    }
    clear_to_color(b, 0); // one cut down, held
    for (int i = 0; i < 2 * SECOND; i++)
        meter_frame(&m, b);
    clear_to_color(b, makecol(255, 255, 255)); // and a cut up a second later
    meter_frame(&m, b);
    for (int i = 0; i < SECOND; i++) { // an eighth of the picture blinking
        rectfill(b, 0, 0, 15, 23, i % 2 ? 0 : makecol(255, 255, 255));
        meter_frame(&m, b);
    }
    EXPECT_EQ(m.total, 0);
    meter_scene(&m, "strobe");
    for (int i = 0; i < SECOND; i++) {
        clear_to_color(b, makecol(255, 255, 255));
        rectfill(b, 0, 0, 63, 12, i % 2 ? 0 : makecol(255, 255, 255)); // a quarter, 13 of 48 rows
        meter_frame(&m, b);
    }
    EXPECT_GE(m.worst, SECOND - 2);
    EXPECT_EQ(m.worst_where.rfind("strobe", 0), 0u);
    destroy_bitmap(b);
}

// The intro's two pictures, each held a second (each waits for a key), then the title's fade-in,
// "PRESS ENTER" and the menu for half a minute each (some thirty glitches).
static void title_scenes(FlashMeter *intro, FlashMeter *m, BITMAP *back_buffer) {
    PALETTE palette;
    BITMAP *splash = GFX_load_picture("resources/splashpixelmeet.pcx", palette, "missing");
    BITMAP *logo = GFX_load_picture("resources/mirthwave-logo.pcx", palette, "missing");
    ASSERT_TRUE(splash && logo);
    meter_scene(intro, "the intro");
    for (int i = 0; i < SECOND; i++) { // made for the 2X window: seen at the frame's size
        stretch_blit(splash, back_buffer, 0, 0, splash->w, splash->h, 0, 0, 256, 192);
        meter_frame(intro, back_buffer);
    }
    clear_bitmap(back_buffer);
    for (int i = 0; i < SECOND; i++) {
        blit(logo, back_buffer, 0, 0, 28, 70, 200, 53);
        meter_frame(intro, back_buffer);
    }
    destroy_bitmap(splash);
    destroy_bitmap(logo);

    srand(1);
    MenuScene s;
    MENU_scene_load(&s, palette);
    ASSERT_TRUE(s.title && s.scroll_pic);
    meter_scene(m, "the title's fade-in");
    meter_frame(m, back_buffer); // from the logo's screen
    for (int i = 0; i < MENU_fade_steps(&s); i++) {
        MENU_fade_frame(&s, back_buffer, i);
        meter_frame(m, back_buffer);
    }
    s.anim.fade = 64;
    m->where = "PRESS ENTER";
    for (int i = 0; i < 30 * SECOND; i++) {
        MENU_attract_frame(&s, back_buffer);
        meter_frame(m, back_buffer);
    }
    m->where = "the title menu";
    for (int i = 0; i < 30 * SECOND; i++) {
        MENU_menu_frame(&s, back_buffer);
        meter_frame(m, back_buffer);
    }
    MENU_scene_free(&s);
}

// The meter's findings, for the test's output.
static void report(const char *what, const FlashMeter &m) {
    printf("%s: worst second %d flashes%s%s, %d in all; the most changed in one frame %d.%d%% of "
           "the picture (%s)\n",
           what, m.worst, m.worst ? " at " : "", m.worst_where.c_str(), m.total, m.most / 10,
           m.most % 10, m.most_where.c_str());
}

// Every room of a shipped level played by the checker's keys, each frame composed as play shows
// it, the status line with the timer.
static void room_scenes(FlashMeter *m, const char *level) {
    std::string why, path = vbtest_data() + "/../levelcheck/" + level + ".solutions";
    ASSERT_TRUE(vbtest_load_shipped_level((std::string(level) + ".vb3").c_str(), &why)) << why;
    renderer.show_timer = true;
    std::ifstream in(path); // "room NUMBER FRAMES KEYS" lines
    int rooms = 0;
    for (std::string line; std::getline(in, line);) {
        std::string word, count, keys;
        int number = -1;
        std::istringstream(line) >> word >> number >> count >> keys;
        if (word != "room" || count == "none") continue;
        rooms++;
        meter_scene(m, std::string(level) + " room " + std::to_string(number));
        SEARCH_start_room(number - 1);
        partida.player.energy = 100;
        for (size_t f = 0; f < keys.size() && !partida.room_done; f++) {
            FrameInput input = SEARCH_input(keys[f]);
            PARTIDA_frame(&partida, &efectos, &play_level, &input, nullptr, RENDER_frame_hook);
            meter_frame(m, RENDER_compose(&partida, 1));
        }
    }
    EXPECT_EQ(rooms, ROOM_COUNT) << level;
    vbtest_unload_level();
}

TEST(Flashing, NoSecondFlashesMoreThanThriceAndReducedFlashingNotAtAll) {
    FlashMeter rooms;
    for (const char *level : {"velba1", "velba2"})
        room_scenes(&rooms, level);
    report("rooms", rooms);
    EXPECT_EQ(rooms.total, 0) << "the rooms draw the same with REDUCED FLASHING";

    std::string why;
    ASSERT_TRUE(vbtest_load_shipped_level("velba1.vb3", &why)) << why; // for the resources
    BITMAP *back_buffer = create_bitmap(256, 192);
    for (int calm : {0, 1}) {
        settings.reduced_flashing = calm;
        FlashMeter intro, title;
        title_scenes(&intro, &title, back_buffer);
        report(calm ? "intro, reduced flashing" : "intro", intro);
        report(calm ? "title, reduced flashing" : "title", title);
        EXPECT_LE(std::max(intro.worst, title.worst), 3) << intro.worst_where << title.worst_where;
        if (calm) {
            EXPECT_EQ(intro.total + title.total, 0) << intro.worst_where << title.worst_where;
        }
    }
    settings.reduced_flashing = 0;
    destroy_bitmap(back_buffer);
    vbtest_unload_level();
}
