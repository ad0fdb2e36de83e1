// flashing_test.cpp -- the title and every shipped room along the level checker's route, drawn
// in memory frame by frame, flash at most thrice a second, the rooms never
// (tools/levellib/flashes.h says what a flash is); the routes play as the checker found.
// SPDX-License-Identifier: MIT
#include "frontend/menu_anim.h"
#include "frontend/menu_intro.h"
#include "game/partida.h"
#include "platform/config.h"
#include "platform/sound_service.h"
#include "render/render.h"
#include "support/shipped.h"
#include "tools/levellib/flashes.h"
#include "tools/levellib/search.h"

// The title's fade-in, "PRESS ENTER" and the menu, twenty seconds each with a dozen glitches.
static void title_scenes(FlashMeter *m, BITMAP *back_buffer) {
    PALETTE palette;
    srand(1);
    MenuScene s;
    MENU_scene_load(&s, palette);
    ASSERT_TRUE(s.title && s.scroll_pic);
    FLASH_scene(m, "the title");
    clear_bitmap(back_buffer);
    FLASH_frame(m, back_buffer);
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

// Every room of a shipped level played by the checker's keys, composed with the timer: it reaches
// its lever on its last frame, every energy item taken, within its damage, and nothing allocates.
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
    EXPECT_EQ(rooms.total, 0) << "the rooms draw the same with REDUCED FLASHING: "
                              << FLASH_report(rooms);

    std::string why;
    ASSERT_TRUE(vbtest_load_shipped_level("velba1.vb3", &why)) << why; // for the resources
    BITMAP *back_buffer = create_bitmap(256, 192);
    FlashMeter strobe; // black and white every other frame over a quarter flashes all the time
    FLASH_scene(&strobe, "strobe");
    for (int i = 0; i < FLASH_SECOND; i++) {
        clear_to_color(back_buffer, makecol(255, 255, 255));
        rectfill(back_buffer, 0, 0, 255, 51, i % 2 ? 0 : makecol(255, 255, 255)); // 52 rows of 192
        FLASH_frame(&strobe, back_buffer);
    }
    EXPECT_GE(strobe.worst, FLASH_SECOND - 2) << "the meter counts nothing";
    FlashMeter title; // with REDUCED FLASHING it holds still: the assist's test
    title_scenes(&title, back_buffer);
    EXPECT_LE(title.worst, 3) << title.worst_where;
    destroy_bitmap(back_buffer);
    vbtest_unload_level();
}
