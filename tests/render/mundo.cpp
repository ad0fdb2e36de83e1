// mundo.cpp -- builds and frees the renderer tests' level and the play globals it draws with.
#include "mundo.h"
#include "game/interno.h"
#include "support/vbtest.h"
#include <string.h>

BITMAP *picture(int w, int h, int colour) {
    BITMAP *b = create_bitmap(w, h);
    clear_to_color(b, colour);
    return b;
}

static void free_picture(BITMAP *&b) {
    if (b) destroy_bitmap(b);
    b = nullptr;
}

void Mundo::SetUp() {
    vbtest_init(16);
    set_trans_blender(0, 0, 0, 64); // what the presentation layer selects at start-up
    transparente = makecol(255, 0, 255);
    memset(&header, 0, sizeof header);
    header.door_room_col = header.door_room_row = -1;
    memset(rooms, 0, sizeof rooms);
    for (Room &r : rooms) {
        r.background = -1;
        for (auto &row : r.cells)
            for (Cell &c : row)
                c.back_tile = c.front_tile = -1;
    }

    for (int i = 0; i < TILE_COUNT; i++) {
        tiles[i] = picture(CELL, CELL, tile_colour(i));
        sprites[i] = picture(CELL, CELL, sprite_colour(i));
    }
    clear_to_color(sprites[0], transparente);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        backgrounds[i] = picture(ROOM_W, ROOM_H, 0x0100 + i);
    view = picture(ROOM_W, ROOM_H, 0);
    PARTIDA_reset();
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        levers[i] = {255, 0, 1, 0, 0};
        energy_items[i] = {255, 0, 1, 0, 0};
    }
    for (Mover &m : enemies)
        m.kind = -1;
    for (Mover &m : platforms)
        m.kind = -1;
    for (int i = 0; i < DRIP_SLOTS; i++)
        mvl[i].state = 1000; // drips wait unless a test starts one
    nubes1_x = nubes2_x = 0;
    // The play globals: pictures a test paints itself are null until it does.
    buffer_auxiliar = picture(ROOM_W, ROOM_H, transparente);
    buffer_auxiliar_2 = picture(ROOM_W, ROOM_H, transparente);
    buffer_auxiliar_moco = picture(ROOM_W, ROOM_H, transparente);
    buffer_auxiliar_moco_2 = picture(ROOM_W, ROOM_H, transparente);
    for (int i = 0; i < 6; i++)
        sp_gotas[i] = picture(4, 4, makecol(0, 128, 0));
}

void Mundo::TearDown() {
    for (int i = 0; i < TILE_COUNT; i++) {
        free_picture(tiles[i]);
        free_picture(sprites[i]);
    }
    for (BITMAP *&b : backgrounds)
        free_picture(b);
    free_picture(view);
    free_picture(buffer_auxiliar);
    free_picture(buffer_auxiliar_2);
    free_picture(buffer_auxiliar_moco);
    free_picture(buffer_auxiliar_moco_2);
    for (BITMAP *&b : sp_gotas)
        free_picture(b);
    free_picture(sp_nubes1);
    free_picture(sp_nubes2);
    free_picture(sp_halo_verde);
    free_picture(sp_anti_halo);
    free_picture(sp_overlay_fila4);
    free_picture(sp_fancy_overlay);
}

void Mundo::draw(int r) {
    render(player, enemies, platforms, rooms, levers, energy_items, (unsigned char)r, tiles,
           sprites, backgrounds, view, header);
}

void Mundo::frame(int r) {
    partida.room = r;
    partida.world = r / 5;
    EFECTOS_particles_step();
    draw(r);
}
