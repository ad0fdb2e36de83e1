// partida.cpp -- resetting the play state, room start, the headless frame step, the room sequence.
#include <string.h>
#include "game/interno.h"
#include "game/sonidos.h"
#include "platform/leaving.h"
#include "platform/loga.h"

int PARTIDA_cell(int row, int col) {
    if (row < 0 || row >= ROOM_ROWS || col < 0 || col >= ROOM_COLS) return ATTR_SOLID;
    if (partida.room < 0 || partida.room >= ROOM_COUNT) return ATTR_SOLID;
    return play_level.rooms[partida.room].cells[row][col].attr;
}

void PARTIDA_reset(void) {
    memset(&partida, 0, sizeof partida);
    partida.level = partida.sublevel = 1;
    partida.player.energy = 255;
    partida.retries = 5;
    partida.result = 1;
    partida.hurt_channel = -1;
    partida.fall_channel = -1;
    memset(&efectos, 0, sizeof efectos);
    SFX_reset_counts();
}

void PARTIDA_start_room(void) {
    // A room number outside the level starts its first room rather than reading past the rooms.
    if (GAME_sublevel < 1 || GAME_sublevel > ROOM_COUNT) GAME_sublevel = 1;
    partida.room = GAME_sublevel - 1;
    partida.world = partida.room / 5;
    if (partida.world == 3) EFECTOS_drips_setup();

    MOVILES_build();
    EFECTOS_drops_setup();

    const Room *r = &play_level.rooms[partida.room];
    Player *p = &partida.player;
    p->x = r->start_col * 4096;
    p->y = r->start_row * 4096;
    p->facing = r->start_col > r->start_look_col ? 1 : 0;
    p->frame = p->falling = p->jumping = p->jump_step = p->fall_time = p->jump_kind = 0;
    partida.room_done = 0;
    EFECTOS_slime_reset();
}

void PARTIDA_frame(const FrameInput *in, void (*draw)(void)) {
    static const FrameInput none = {};
    if (!in) in = &none;
    efectos.slime_drawn = false;
    flip_flop = 1 - flip_flop;
    if (in->leave) partida.room_done = partida.game_done = 1;
    if (partida.world == 4 && flip_flop == 1) EFECTOS_slime_step();

    JUGADOR_update(in);
    MOVILES_move();
    EFECTOS_drops_step();
    if (draw) { // the particles only show: they move in the frames that are drawn
        EFECTOS_particles_step();
        draw();
    }

    int x = partida.player.x, y = partida.player.y; // the hurting cell is where the player stood
    MOVILES_push_blocks();
    CONTACTOS_check(x, y);

    if (partida.player.energy <= 0 || close_button_pressed) {
        partida.room_done = partida.game_done = 1;
        partida.result = 1;
    }
}

int PARTIDA_play_rooms(const PartidaLoop *loop) {
    while (!partida.game_done) {
        if (loop->playable) {
            if (GAME_sublevel < 1) GAME_sublevel = 1;
            while (GAME_sublevel <= ROOM_COUNT && !loop->playable(GAME_sublevel - 1))
                GAME_sublevel++;
            if (GAME_sublevel > ROOM_COUNT) {
                partida.game_done = 1;
                break;
            }
        }
        PARTIDA_start_room();
        if (loop->card) loop->card();
        // The room start's log lines; the level checker starts rooms without them.
        loga("Creando enemigos y plataformas");
        loga("Creando sistemas de part\xED"
             "culas");
        loga("Comenzando el juego 2");
        while (!partida.room_done) {
            FrameInput in = {};
            if (loop->input) loop->input(&in);
            PARTIDA_frame(&in, loop->draw);
            if (loop->present) loop->present();
            if (loop->pace) loop->pace();
            if (loop->confirm_retry && loop->confirm_retry()) {
                partida.retries -= 1;
                partida.room_done = 1;
            }
        }
        // The sixth confirmed retry ends the game instead of restarting the room.
        if (partida.retries < 0) {
            partida.result = 1;
            partida.game_done = 1;
        }
        if (GAME_sublevel > ROOM_COUNT) partida.game_done = 1;
    }
    return partida.result;
}
