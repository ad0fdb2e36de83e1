// memoria_test.cpp -- drawing frames allocates no memory: counts every malloc and new meanwhile.
#include "mundo.h"
#include <stdlib.h>
#include "support/allocs.h"

TEST_F(Mundo, FramesOfEveryWorldAllocateNothing) {
    if (!vbtest_can_count_allocations()) GTEST_SKIP() << "the sanitizer owns malloc in this build";
    // A busy room in each world: tiles of every kind, movers, pickups, particles, all pictures.
    sp_nubes1 = picture(ROOM_W, 22, makecol(250, 250, 250));
    sp_nubes2 = picture(ROOM_W, 22, makecol(240, 240, 240));
    sp_halo_verde = picture(48, 48, makecol(0, 60, 0));
    sp_anti_halo = picture(480, 288, makecol(90, 90, 90));
    sp_overlay_fila4 = picture(ROOM_W, ROOM_H, makecol(0, 0, 40));
    sp_fancy_overlay = picture(ROOM_W, ROOM_H, makecol(40, 0, 40));
    BITMAP *frame = picture(256, 192, 0), *border = picture(256, 192, 1);
    BITMAP *bar = picture(128, 16, 2);
    for (Room &r : rooms) {
        r.background = 0;
        for (int c = 0; c < ROOM_COLS; c++) {
            r.cells[8][c] = {short(c), short(216 + c % 24), ATTR_SOLID, 0};
            r.cells[0][c] = {short(216 + c), 164, ATTR_SOLID, 0};
        }
    }
    for (int i = 0; i < 10; i++) {
        enemies[i] = {short(20 * i), 60, short(i % 2 ? -1 : 1), 0, 3, 24, 0, 0, 0, 0};
        platforms[i] = {short(20 * i), 90, 1, 0, 13, 0, 0, 0, 0, 0};
        levers[i] = {(unsigned char)(i * 2), 0, 1, short(i), 3};
    }
    for (int i = 0; i < DRIP_SLOTS; i++)
        mvl[i] = {20 * i, 16, 0, 0, 0, i};
    for (int j = FIRST_DUST; j < 300; j++)
        mvl[j] = {100 * 256, 100 * 256, j - 150, -300, 0, 1};
    header.door_room_col = 1;
    header.door_room_row = 3;

    // The hooks see an allocation when there is one.
    vbtest_count_allocations(true);
    void *volatile probe = malloc(16);
    vbtest_count_allocations(false);
    free(probe);
    ASSERT_EQ(vbtest_allocations(), 1);

    vbtest_count_allocations(true);
    for (int frame_no = 0; frame_no < 200; frame_no++) {
        int r = frame_no % ROOM_COUNT;
        player.x = (frame_no * 997) % PLAYER_MAX_X;
        player.y = (frame_no * 331) % PLAYER_MAX_Y;
        draw(r);
        blitter_compose(view, border, frame, bar, bar, 255 - frame_no, 1, r + 1, 3, frame_no & 1);
    }
    vbtest_count_allocations(false);
    EXPECT_EQ(vbtest_allocations(), 0);
    for (BITMAP *b : {frame, border, bar})
        destroy_bitmap(b);
}
