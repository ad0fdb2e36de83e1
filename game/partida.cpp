// partida.cpp -- the state of one game, its bitmaps, room start and the headless frame step.
#include <string.h>
#include "game/interno.h"
#include "game/sonidos.h"
#include "render/render.h"
#include "shell/cierre.h"
#include "shell/config.h"
#include "shell/sonido.h"

Partida partida;
PALETTE partida_palette;
SFX_Counts SFX_counts;

void SFX_reset_counts(void) {
    memset(&SFX_counts, 0, sizeof SFX_counts);
    SFX_counts.last = -1;
}

int PARTIDA_cell(int row, int col) {
    if (row < 0 || row >= ROOM_ROWS || col < 0 || col >= ROOM_COLS) return ATTR_SOLID;
    if (partida.room < 0 || partida.room >= ROOM_COUNT) return ATTR_SOLID;
    return partida.rooms[partida.room].cells[row][col].attr;
}

int PARTIDA_play(int sfx) {
    FSOUND_SAMPLE *samples[SFX_COUNT] = {partida.snd_energy, partida.snd_jump, partida.snd_lever,
                                         partida.snd_fall,   partida.snd_hurt, partida.snd_land};
    if (sfx < 0 || sfx >= SFX_COUNT) return -1;
    SFX_counts.requests[sfx]++;
    SFX_counts.last = sfx;
    if (!samples[sfx]) return -1;
    int ch = FSOUND_PlaySound(FSOUND_FREE, samples[sfx]);
    if (ch != -1) FSOUND_SetPan(ch, (partida.player.x >> 8) + 8);
    return ch;
}

void PARTIDA_reset(void) {
    PARTIDA_destroy_bitmaps();
    memset(&partida, 0, sizeof partida);
    partida.player.energy = 255;
    partida.retries = 5;
    partida.result = 1;
    partida.hurt_channel = -1;
    partida.fall_channel = -1;
    partida.draw = 1;
    memset(mvl, 0, sizeof mvl);
    flip_flop = 0;
    moco_x = moco_y = 0;
    SFX_reset_counts();
}

// Creates one bitmap into *slot; 0 when memory ran out.
static int make(BITMAP **slot, int w, int h) {
    *slot = create_bitmap(w, h);
    if (!*slot) return 0;
    clear_bitmap(*slot);
    return 1;
}

int PARTIDA_create_bitmaps(void) {
    transparente = makecol(255, 0, 255);
    int ok = make(&partida.room_view, ROOM_W, ROOM_H);
    for (int i = 0; ok && i < TILE_COUNT; i++)
        ok = make(&partida.tiles[i], CELL, CELL) && make(&partida.sprites[i], CELL, CELL);
    for (int i = 0; ok && i < BACKGROUND_COUNT; i++)
        ok = make(&partida.backgrounds[i], ROOM_W, ROOM_H);
    ok = ok && make(&buffer_auxiliar, ROOM_W, ROOM_H) && make(&buffer_auxiliar_2, ROOM_W, ROOM_H) &&
         make(&buffer_auxiliar_moco, ROOM_W, ROOM_H) &&
         make(&buffer_auxiliar_moco_2, ROOM_W, ROOM_H);
    if (!ok) {
        PARTIDA_destroy_bitmaps();
        return 0;
    }
    clear_to_color(buffer_auxiliar_moco, transparente);
    clear_to_color(buffer_auxiliar_moco_2, transparente);
    return 1;
}

// Destroys *slot when there is one and forgets it.
static void unmake(BITMAP **slot) {
    if (*slot) destroy_bitmap(*slot);
    *slot = nullptr;
}

void PARTIDA_destroy_bitmaps(void) {
    for (int i = 0; i < TILE_COUNT; i++) {
        unmake(&partida.tiles[i]);
        unmake(&partida.sprites[i]);
    }
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        unmake(&partida.backgrounds[i]);
    unmake(&partida.room_view);
    unmake(&buffer_auxiliar);
    unmake(&buffer_auxiliar_2);
    unmake(&buffer_auxiliar_moco);
    unmake(&buffer_auxiliar_moco_2);
}

void PARTIDA_start_room(void) {
    // A room number outside the level starts its first room rather than reading past the rooms.
    if (GAME_sublevel < 1 || GAME_sublevel > ROOM_COUNT) GAME_sublevel = 1;
    partida.room = GAME_sublevel - 1;
    partida.world = partida.room / 5;
    if (partida.world == 3) EFECTOS_drips_setup();

    MOVILES_build();

    const Room *r = &partida.rooms[partida.room];
    Player *p = &partida.player;
    p->x = r->start_col * 4096;
    p->y = r->start_row * 4096;
    p->facing = r->start_col > r->start_look_col ? 1 : 0;
    p->frame = p->falling = p->jumping = p->jump_step = p->fall_time = p->jump_kind = 0;
    partida.room_done = 0;
    EFECTOS_slime_reset();
    EFECTOS_drops_setup();
}

void PARTIDA_frame(void) {
    flip_flop = 1 - flip_flop;
    if (key[KEY_ESC]) partida.room_done = partida.game_done = 1;
    if (partida.world == 4 && flip_flop == 1) EFECTOS_slime_step();

    JUGADOR_update();
    MOVILES_move();
    EFECTOS_drops_step();
    if (partida.draw)
        render(partida.player, partida.enemies, partida.platforms, partida.rooms, partida.levers,
               partida.energy_items, (unsigned char)partida.room, partida.tiles, partida.sprites,
               partida.backgrounds, partida.room_view, partida.header);

    int x = partida.player.x, y = partida.player.y; // the hurting cell is where the player stood
    MOVILES_push_blocks();
    CONTACTOS_check(x, y);

    if (partida.player.energy <= 0 || close_button_pressed) {
        partida.room_done = partida.game_done = 1;
        partida.result = 1;
    }
    if (key[KEY_RCONTROL] && screen) save_bitmap("CAP.PCX", screen, partida_palette);
}
