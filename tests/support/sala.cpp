// sala.cpp -- the play and drawing tests' level, rooms drawn as text, held keys, pictures.
// SPDX-License-Identifier: MIT
#include "support/sala.h"
#include <string.h>

static int drawn_room;
SFX_Counts SFX_counts;

// The records of partida's game, for calling the frame's steps one by one.
static Step sala_step(void) {
    return Step{&partida, &efectos, &play_level, nullptr};
}

// A clean game on a level of empty rooms: no tiles, background, movers or door, pickups nowhere.
static void sala_clear(void) {
    PARTIDA_reset(&partida, &efectos);
    memset(&play_level.header, 0, sizeof play_level.header);
    play_level.header.door_room_col = play_level.header.door_room_row = -1;
    for (Room &r : play_level.rooms) {
        memset(&r, 0, sizeof r);
        r.background = -1;
        for (auto &row : r.cells)
            for (Cell &c : row)
                c.back_tile = c.front_tile = -1;
        for (MoverEntry &e : r.enemies)
            e.kind = -1;
        for (MoverEntry &e : r.platforms)
            e.kind = -1;
    }
    for (int i = 0; i < PICKUP_SLOTS; i++)
        partida.levers[i] = partida.energy_items[i] = Pickup{255, 0, 0, 0, 0};
    Step s = sala_step();
    MOVILES_build(&s); // every mover empty
}

void sala_draw(int number, std::initializer_list<Fila> rows) {
    static const char legend[] = "#=^><";
    static const unsigned char attrs[] = {ATTR_SOLID, ATTR_LEDGE, ATTR_HURTS,
                                          ATTR_SOLID | ATTR_BELT_RIGHT,
                                          ATTR_SOLID | ATTR_BELT_LEFT};
    sala_clear();
    drawn_room = number - 1;
    Room *r = &play_level.rooms[drawn_room];
    for (Cell &c : r->cells[8])
        c.attr = ATTR_SOLID;
    for (const Fila &f : rows) {
        ASSERT_EQ(strlen(f.second), (size_t)ROOM_COLS) << "row " << f.first;
        for (int col = 0; col < ROOM_COLS; col++) {
            const char *at = strchr(legend, f.second[col]);
            r->cells[f.first][col].attr = at ? attrs[at - legend] : 0;
            if (f.second[col] == 'P') {
                r->start_col = r->start_look_col = col;
                r->start_row = f.first;
            }
        }
    }
    hold({});
    partida.sound_on = 1;
    GAME_level = 1;
    GAME_sublevel = number;
    PARTIDA_start_room(&partida, &efectos, &play_level);
    SFX_counts = SFX_Counts{{}, -1};
}

static MoverEntry entry(int x1, int y1, int x2, int y2, int speed, int kind) {
    return MoverEntry{(signed char)x1, (signed char)y1,    (signed char)x2,
                      (signed char)y2, (signed char)speed, (signed char)kind};
}

void sala_enemy(int slot, int x1, int y1, int x2, int y2, int speed, int kind) {
    play_level.rooms[drawn_room].enemies[slot] = entry(x1, y1, x2, y2, speed, kind);
    Step s = sala_step();
    MOVILES_build(&s);
}

void sala_platform(int slot, int x1, int y1, int x2, int y2, int speed, int kind) {
    play_level.rooms[drawn_room].platforms[slot] = entry(x1, y1, x2, y2, speed, kind);
    Step s = sala_step();
    MOVILES_build(&s);
}

void sala_pickup(Pickup *list, int slot, int room, int col, int row) {
    list[slot] = Pickup{(unsigned char)room, 0, 1, (short)col, (short)row};
}

static FrameInput held;

void hold(std::initializer_list<int> keys) {
    held = FrameInput{};
    bool *field[] = {&held.left, &held.right, &held.high_jump, &held.long_jump};
    for (int k : keys) {
        for (int a = 0; a < 4; a++)
            for (int code : CFG_default_keys[a])
                if (code == k) *field[a] = true;
        if (k == KEY_ESC) held.leave = true;
    }
}

void run(int n) {
    for (int i = 0; i < n; i++) {
        FrameEvents ev;
        PARTIDA_frame(&partida, &efectos, &play_level, &held, &ev, nullptr);
        for (int k = 0; k < ev.sound_count; k++)
            if (!ev.sounds[k].stop) {
                SFX_counts.requests[ev.sounds[k].sfx]++;
                SFX_counts.last = ev.sounds[k].sfx;
            }
    }
}

void Mundo::SetUp() {
    vbtest_init(16);
    set_trans_blender(0, 0, 0, 64); // what the presentation layer selects at start-up
    sala_clear();
    RENDER_reset(nullptr);
    ASSERT_TRUE(MAP_create_pictures(&play_level) && RENDER_create_layers());
    for (int i = 0; i < TILE_COUNT; i++) {
        clear_to_color(tiles[i], TILE_COLOUR + i);
        clear_to_color(sprites[i], i ? SPRITE_COLOUR + i : renderer.transparente);
    }
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        clear_to_color(backgrounds[i], BACKGROUND_COLOUR + i);
    for (int i = 0; i < DRIP_SLOTS; i++)
        mvl[i].state = 1000; // drips wait unless a test starts one
    for (BITMAP *&b : renderer.sp_gotas)
        b = picture(4, 4, makecol(0, 128, 0));
}

void Mundo::TearDown() {
    RENDER_reset(nullptr);
    MAP_destroy_pictures(&play_level);
}

void Mundo::draw(int r) {
    partida.room = r;
    render(&partida, &play_level);
}

void Mundo::frame(int r) {
    partida.room = r;
    partida.world = r / 5;
    Step s = sala_step();
    EFECTOS_particles_step(&s);
    draw(r);
}
