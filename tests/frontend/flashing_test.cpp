// flashing_test.cpp -- the intro, the title and every shipped room along the level checker's
// route, drawn in memory frame by frame, flash at most thrice a second, and never with REDUCED
// FLASHING (tools/levellib/flashes.h says what a flash is); the routes play as the checker found.
// SPDX-License-Identifier: MIT
#include <stdio.h>
#include <algorithm>
#include "frontend/menu_anim.h"
#include "frontend/menu_intro.h"
#include "game/partida.h"
#include "gfx/picture.h"
#include "platform/config.h"
#include "platform/sound_service.h"
#include "render/render.h"
#include "support/shipped.h"
#include "tools/levellib/flashes.h"
#include "tools/levellib/search.h"

// The meter: black and white every other frame over a quarter of the picture flashes all the
// time; a slow fade, one cut each way a second apart and a blinking eighth never do.
TEST(Flashing, TheMeterCountsOpposingChangesOverAQuarterOfThePicture) {
    vbtest_init(16);
    BITMAP *b = create_bitmap(64, 48);
    int white = makecol(255, 255, 255);
    FlashMeter m;
    FLASH_scene(&m, "calm");
    for (int i = 0; i < 64 + 3 * FLASH_SECOND; i++) {
        if (i < 64) clear_to_color(b, makecol(4 * i, 4 * i, 4 * i));
        if (i == 64) clear_to_color(b, 0);
        if (i == 64 + FLASH_SECOND) clear_to_color(b, white);
        if (i > 64 + FLASH_SECOND) rectfill(b, 0, 0, 15, 23, i % 2 ? 0 : white);
        FLASH_frame(&m, b);
    }
    EXPECT_EQ(m.total, 0) << FLASH_report(m);
    FLASH_scene(&m, "strobe");
    for (int i = 0; i < FLASH_SECOND; i++) {
        clear_to_color(b, white);
        rectfill(b, 0, 0, 63, 12, i % 2 ? 0 : white); // 13 rows of 48
        FLASH_frame(&m, b);
    }
    EXPECT_GE(m.worst, FLASH_SECOND - 2);
    EXPECT_EQ(m.worst_where.rfind("strobe", 0), 0u);
    destroy_bitmap(b);
}

// The intro's two pictures a second each, then the title's fade-in, "PRESS ENTER" and the menu
// for twenty seconds each (each with a dozen glitches or so).
static void title_scenes(FlashMeter *intro, FlashMeter *m, BITMAP *back_buffer) {
    PALETTE palette;
    BITMAP *splash = GFX_load_picture("resources/splashpixelmeet.pcx", palette, "missing");
    BITMAP *logo = GFX_load_picture("resources/mirthwave-logo.pcx", palette, "missing");
    ASSERT_TRUE(splash && logo);
    FLASH_scene(intro, "the intro");
    for (int i = 0; i < 2 * FLASH_SECOND; i++) {
        if (i < FLASH_SECOND) { // made for the 2X window: seen at the frame's size
            stretch_blit(splash, back_buffer, 0, 0, splash->w, splash->h, 0, 0, 256, 192);
        } else {
            if (i == FLASH_SECOND) clear_bitmap(back_buffer);
            blit(logo, back_buffer, 0, 0, 28, 70, 200, 53);
        }
        FLASH_frame(intro, back_buffer);
    }
    destroy_bitmap(splash);
    destroy_bitmap(logo);

    srand(1);
    MenuScene s;
    MENU_scene_load(&s, palette);
    ASSERT_TRUE(s.title && s.scroll_pic);
    FLASH_scene(m, "the title");
    FLASH_frame(m, back_buffer); // from the logo
    for (int i = 0; i < MENU_fade_steps(&s); i++) {
        MENU_fade_frame(&s, back_buffer, i);
        FLASH_frame(m, back_buffer);
    }
    s.anim.fade = 64;
    for (int i = 0; i < 40 * FLASH_SECOND; i++) {
        if (i < 20 * FLASH_SECOND)
            MENU_attract_frame(&s, back_buffer);
        else
            MENU_menu_frame(&s, back_buffer);
        FLASH_frame(m, back_buffer);
    }
    MENU_scene_free(&s);
}

// Every room of a shipped level played from its start by the checker's keys, each frame composed
// with the timer: it reaches its own lever on its last frame with every energy item taken, within
// the room's declared damage, and no frame of play or drawing allocates.
static void room_scenes(FlashMeter *m, const char *level) {
    std::string why;
    std::vector<Solution> routes;
    ASSERT_TRUE(load_shipped_routes(level, &routes, &why))
        << why << " (the level checker writes it)";
    EXPECT_EQ(routes.size(), (size_t)ROOM_COUNT) << level << ": a room has no route";
    renderer.show_timer = true;
    FSOUND_Close(); // the mixer's thread, left by other tests, would allocate beside play
    for (const Solution &s : routes) {
        std::string scene = std::string(level) + " room " + std::to_string(s.number);
        SCOPED_TRACE(scene);
        FLASH_scene(m, scene);
        int room = s.number - 1, frames = (int)s.keys.size(), frame = 0;
        SEARCH_start_room(room);
        partida.player.energy = 100; // room to take items and to lose energy without an end
        vbtest_allocations = 0;
        for (; frame < frames && !partida.room_done; frame++) {
            FrameInput input = SEARCH_input(s.keys[frame]);
            vbtest_counting = vbtest_can_count;
            PARTIDA_frame(&partida, &efectos, &play_level, &input, nullptr, RENDER_frame_hook);
            BITMAP *shown = RENDER_compose(&partida, 1);
            vbtest_counting = false;
            FLASH_frame(m, shown);
        }
        EXPECT_EQ(vbtest_allocations, 0) << "a frame of play or drawing allocated";
        EXPECT_EQ(frame, frames) << "the room ended early";
        EXPECT_TRUE(partida.room_done && !partida.game_done);
        EXPECT_EQ(GAME_sublevel, s.number + 1) << "the room's lever was not the one touched";
        int taken = 0;
        for (const Pickup &e : partida.energy_items)
            if (e.room == room) {
                EXPECT_EQ(e.active, 0) << "energy item at " << e.tx << "," << e.ty << " left";
                taken++;
            }
        EXPECT_LE(100 + 25 * taken - partida.player.energy, play_level.rooms[room].damage)
            << "more damage than declared";
    }
    vbtest_unload_level();
}

TEST(Flashing, ShippedRoutesPlayAsCheckedAndNoSecondFlashesMoreThanThriceNorAtAllWhenReduced) {
    FlashMeter rooms;
    for (const char *level : {"velba1", "velba2"})
        room_scenes(&rooms, level);
    printf("rooms: %s\n", FLASH_report(rooms).c_str());
    EXPECT_EQ(rooms.total, 0) << "the rooms draw the same with REDUCED FLASHING";

    std::string why;
    ASSERT_TRUE(vbtest_load_shipped_level("velba1.vb3", &why)) << why; // for the resources
    BITMAP *back_buffer = create_bitmap(256, 192);
    for (int calm : {0, 1}) {
        settings.reduced_flashing = calm;
        FlashMeter intro, title;
        title_scenes(&intro, &title, back_buffer);
        const char *with = calm ? " with reduced flashing" : "";
        printf("intro%s: %s\ntitle%s: %s\n", with, FLASH_report(intro).c_str(), with,
               FLASH_report(title).c_str());
        EXPECT_LE(std::max(intro.worst, title.worst), 3) << intro.worst_where << title.worst_where;
        EXPECT_EQ(calm ? intro.total + title.total : 0, 0)
            << intro.worst_where << title.worst_where;
    }
    settings.reduced_flashing = 0;
    destroy_bitmap(back_buffer);
    vbtest_unload_level();
}
