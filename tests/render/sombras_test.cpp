// sombras_test.cpp -- the dark world's shadow: where the magnified window sits, what it darkens.
#include "support/sala.h"

// Paints the back layer of room r so that every scene pixel (x, y) has its own colour.
static void fill_coded_scene(Room &r, BITMAP *tiles[TILE_COUNT]) {
    for (int w = 0; w < ROOM_ROWS; w++)
        for (int c = 0; c < ROOM_COLS; c++) {
            int t = w * ROOM_COLS + c;
            r.cells[w][c].back_tile = t;
            for (int j = 0; j < CELL; j++)
                for (int i = 0; i < CELL; i++)
                    putpixel(tiles[t], i, j, (16 * w + j) * ROOM_W + 16 * c + i + 1);
        }
}

// The scene pixel that the magnified picture's top-left corner came from.
static void origin_of(int &ox, int &oy) {
    int v = getpixel(buffer_auxiliar_2, 0, 0) - 1;
    ox = v % ROOM_W;
    oy = v / ROOM_W;
}

TEST_F(Mundo, ShadowWindowFollowsThePlayerAndStaysInsideTheScene) {
    fill_coded_scene(rooms[20], tiles);
    struct Case {
        int x, y; // player, 1/256 pixel
        int ox, oy;
    } cases[] = {
        {0, 0, 0, 0},
        {223 << 8, 127 << 8, 31, 31},
        {224 << 8, 128 << 8, 32, 32},
        {70 << 8, 40 << 8, 10, 10},
        {-50 * 256, -9 * 256, 0, 0}, // outside the room: held at the edge
        {400 << 8, 1000 << 8, 32, 32},
    };
    for (const Case &c : cases) {
        player.x = c.x;
        player.y = c.y;
        clear_to_color(buffer_auxiliar_2, 0);
        draw(20);
        int ox, oy;
        origin_of(ox, oy);
        EXPECT_EQ(ox, c.ox) << c.x << "," << c.y;
        EXPECT_EQ(oy, c.oy) << c.x << "," << c.y;
        // The window's far corner is still inside the scene.
        int v = getpixel(buffer_auxiliar_2, ROOM_W - 1, ROOM_H - 1) - 1;
        EXPECT_EQ(v % ROOM_W, c.ox + 207);
        EXPECT_EQ(v / ROOM_W, c.oy + 111);
    }
}

TEST_F(Mundo, ShadowsDarkenOnlyTheBackgroundAndEverythingSolidCastsOne) {
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
    int shade = at((12 * 16 + 2 - 16) * 15 / 13, (16 + 8 - 16) * 9 / 7);
    EXPECT_LT(getr16(shade), 150); // its shadow, farther from the player
    EXPECT_GT(getr16(shade), 60);  // half strength, not black
    EXPECT_LT(getr16(at((24 - 16) * 15 / 13, (120 - 16) * 9 / 7)), 150);
    EXPECT_EQ(at(120, 130), bg); // nothing casts here
    EXPECT_EQ(at(20, 20), bg);
    // The player's own shadow lies nearly under it, covered by the player where they overlap.
    EXPECT_LT(getr16(at(120, 80)), 150);
    EXPECT_EQ(at(120, 79), makecol(10, 10, 10));
}
