// sombras_test.cpp -- the dark world's shadow: where the magnified window sits, what it darkens.
#include "support/sala.h"

// The window magnified into the shadow follows the player (1/7 across, 1/4 down) and stays
// inside the scene; its shadow darkens only the background, at half strength, and everything
// solid casts one, the player's own lying nearly under the player.
TEST_F(Mundo, ShadowWindowFollowsThePlayerInsideTheSceneAndDarkensOnlyTheBackground) {
    for (int w = 0; w < ROOM_ROWS; w++) // every scene pixel (x, y) of room 20 a colour of its own
        for (int c = 0; c < ROOM_COLS; c++) {
            rooms[20].cells[w][c].back_tile = w * ROOM_COLS + c;
            for (int j = 0; j < CELL; j++)
                for (int i = 0; i < CELL; i++)
                    putpixel(tiles[w * ROOM_COLS + c], i, j,
                             (16 * w + j) * ROOM_W + 16 * c + i + 1);
        }
    const int cases[][4] = {// player (pixels), the scene pixel the window starts at
                            {0, 0, 0, 0},     {223, 127, 31, 31}, {224, 128, 32, 32},
                            {70, 40, 10, 10}, {-50, -9, 0, 0},    {400, 1000, 32, 32}};
    for (auto &c : cases) {
        place_player(c[0], c[1]);
        clear_to_color(buffer_auxiliar_2, 0);
        draw(20);
        int first = getpixel(buffer_auxiliar_2, 0, 0) - 1;
        int last = getpixel(buffer_auxiliar_2, ROOM_W - 1, ROOM_H - 1) - 1;
        EXPECT_EQ(first % ROOM_W, c[2]) << c[0] << "," << c[1];
        EXPECT_EQ(first / ROOM_W, c[3]) << c[0] << "," << c[1];
        EXPECT_EQ(last % ROOM_W, c[2] + 207);
        EXPECT_EQ(last / ROOM_W, c[3] + 111);
    }

    int bg = makecol(200, 200, 200);
    clear_to_color(backgrounds[0], bg);
    Room &r = rooms[23];
    r.background = 0;
    clear_to_color(tiles[9], 0); // black casts too
    clear_to_color(tiles[220], makecol(255, 255, 255));
    r.cells[1][12].back_tile = 9;
    r.cells[7][1].front_tile = 220; // glowing tiles cast solid shadows
    clear_to_color(sprites[0], makecol(10, 10, 10));
    place_player(112, 64); // window origin (16, 16)
    draw(23);
    // A thing at scene (sx, sy) throws its shadow to ((sx - 16) * 15 / 13, (sy - 16) * 9 / 7).
    EXPECT_EQ(at(12 * 16 + 4, 16 + 4), 0); // the black tile itself
    int shade = getr16(at((12 * 16 + 2 - 16) * 15 / 13, (16 + 8 - 16) * 9 / 7));
    EXPECT_TRUE(shade > 60 && shade < 150) << shade; // half strength, not black
    EXPECT_LT(getr16(at((24 - 16) * 15 / 13, (120 - 16) * 9 / 7)), 150);
    EXPECT_EQ(at(120, 130), bg); // nothing casts here
    EXPECT_EQ(at(20, 20), bg);
    EXPECT_LT(getr16(at(120, 80)), 150);
    EXPECT_EQ(at(120, 79), makecol(10, 10, 10)); // the player covers its own shadow's overlap
}
