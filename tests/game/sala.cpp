// sala.cpp -- test rooms drawn as text, and holding keys (as the frame's inputs of the default
// bindings).
#include "sala.h"
#include <string.h>
#include <gtest/gtest.h>
#include "game/sonidos.h"
#include "platform/config.h"

static int drawn_room;

static unsigned char attr_of(char c) {
    static const char legend[] = "#=^><";
    static const unsigned char attrs[] = {ATTR_SOLID, ATTR_LEDGE, ATTR_HURTS,
                                          ATTR_SOLID | ATTR_BELT_RIGHT,
                                          ATTR_SOLID | ATTR_BELT_LEFT};
    const char *at = c ? strchr(legend, c) : nullptr;
    return at ? attrs[at - legend] : 0;
}

static void empty_entry(MoverEntry *e) {
    memset(e, 0, sizeof *e);
    e->kind = -1;
}

void sala_draw(int room_number, std::initializer_list<Fila> rows) {
    PARTIDA_reset();
    drawn_room = room_number - 1;
    for (int i = 0; i < PICKUP_SLOTS; i++)
        partida.levers[i] = partida.energy_items[i] = Pickup{255, 0, 0, 0, 0};
    Room *r = &play_level.rooms[drawn_room];
    memset(r, 0, sizeof *r);
    r->background = -1;
    for (int i = 0; i < ENEMY_SLOTS; i++)
        empty_entry(&r->enemies[i]);
    for (int i = 0; i < PLATFORM_SLOTS; i++)
        empty_entry(&r->platforms[i]);
    for (int col = 0; col < ROOM_COLS; col++) {
        for (int row = 0; row < ROOM_ROWS; row++)
            r->cells[row][col] = Cell{-1, -1, (unsigned char)(row == 8 ? ATTR_SOLID : 0), 0};
    }
    for (const Fila &f : rows) {
        ASSERT_EQ(strlen(f.text), (size_t)ROOM_COLS) << "row " << f.row;
        for (int col = 0; col < ROOM_COLS; col++) {
            r->cells[f.row][col].attr = attr_of(f.text[col]);
            if (f.text[col] == 'P') {
                r->start_col = r->start_look_col = col;
                r->start_row = f.row;
            }
        }
    }
}

static MoverEntry entry(int x1, int y1, int x2, int y2, int speed, int kind) {
    return MoverEntry{(signed char)x1, (signed char)y1,    (signed char)x2,
                      (signed char)y2, (signed char)speed, (signed char)kind};
}

void sala_enemy(int slot, int x1, int y1, int x2, int y2, int speed, int kind) {
    play_level.rooms[drawn_room].enemies[slot] = entry(x1, y1, x2, y2, speed, kind);
}

void sala_platform(int slot, int x1, int y1, int x2, int y2, int speed, int kind) {
    play_level.rooms[drawn_room].platforms[slot] = entry(x1, y1, x2, y2, speed, kind);
}

void sala_lever(int slot, int room, int col, int row) {
    partida.levers[slot] = Pickup{(unsigned char)room, 0, 1, (short)col, (short)row};
}

void sala_energy(int slot, int room, int col, int row) {
    partida.energy_items[slot] = Pickup{(unsigned char)room, 0, 1, (short)col, (short)row};
}

void sala_start(void) {
    release_keys();
    CFG_soundon = 1;
    GAME_level = 1;
    GAME_sublevel = drawn_room + 1;
    PARTIDA_start_room();
    SFX_reset_counts();
}

static FrameInput held;

void release_keys(void) {
    held = FrameInput{};
}

void hold(std::initializer_list<int> keys) {
    release_keys();
    bool *field[] = {&held.left, &held.right, &held.high_jump, &held.long_jump};
    for (int k : keys) {
        for (int a = 0; a < 4; a++)
            for (int code : CFG_default_keys[a])
                if (code == k) *field[a] = true;
        if (k == KEY_ESC) held.leave = true;
    }
}

void run(int n) {
    for (int i = 0; i < n; i++)
        PARTIDA_frame(&held, nullptr);
}
