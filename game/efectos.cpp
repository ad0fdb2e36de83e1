// efectos.cpp -- ceiling drips, dust puffs at the player's feet, the creeping slime, and the
// hazard drops of dripping cells.
#include <stdlib.h>
#include "game/interno.h"

enum { SLIME_BLOB_STEP = 4 };

void EFECTOS_drips_setup(void) {
    for (int i = 0; i < DRIP_SLOTS; i++) {
        Particle *d = &mvl[i];
        d->x = rand() % ROOM_W;
        int r = rand() % ROOM_ROWS;
        // Climb from the random row to the first solid cell (or the top row) ...
        while (!(PARTIDA_cell(r, d->x / CELL) & ATTR_SOLID) && r > 0)
            r--;
        // ... and hang just under it, or at the top of the room.
        if (r != 0) r++;
        d->y = r * CELL;
        d->state = rand() & 31; // frames to wait before falling
    }
    for (int i = FIRST_DUST; i < PARTICLES; i++)
        mvl[i].state = 0;
}

// The lowest free dust slot, or -1.
static int free_dust_slot(void) {
    for (int i = FIRST_DUST; i < PARTICLES; i++)
        if (mvl[i].state == 0) return i;
    return -1;
}

void EFECTOS_dust_spawn(void) {
    if (!partida.dust_request) return;
    partida.dust_request = 0;
    if (partida.world != 0 && partida.world != 3) return;
    for (int n = 0; n < 2; n++) {
        int i = free_dust_slot();
        if (i < 0) return;
        Particle *d = &mvl[i];
        d->state = 1;
        d->age = 0;
        d->x = partida.player.x + 2048; // the middle of the feet, 1/256 pixel
        d->y = partida.player.y + 4096;
        d->vy = -((rand() & 255) + 256);
        d->vx = (rand() & 511) - 256;
    }
}

void EFECTOS_slime_reset(void) {
    moco_x = 0;
    moco_y = 0;
    if (buffer_auxiliar_moco_2) clear_to_color(buffer_auxiliar_moco_2, transparente);
}

void EFECTOS_slime_step(void) {
    if (buffer_auxiliar_moco && buffer_auxiliar_moco_2)
        blit(buffer_auxiliar_moco_2, buffer_auxiliar_moco, 0, 0, 0, 0, ROOM_W, ROOM_H);
    // The front: a row of random overlapping blobs centred on moco_y. The blobs are chosen even
    // when nothing is drawn, so a game plays the same with and without pictures.
    for (moco_x = 0; moco_x <= ROOM_W; moco_x += SLIME_BLOB_STEP) {
        BITMAP *blob = moco_blobs[rand() & 3];
        if (blob && buffer_auxiliar_moco)
            draw_sprite(buffer_auxiliar_moco, blob, moco_x - 4, moco_y - 4);
    }
    partida.slime_step = (partida.slime_step + 1) & 7;
    if (partida.slime_step == 0) {
        moco_y += 1;
        if (buffer_auxiliar_moco && buffer_auxiliar_moco_2)
            blit(buffer_auxiliar_moco, buffer_auxiliar_moco_2, 0, 0, 0, 0, ROOM_W, ROOM_H);
    }
}

void EFECTOS_drops_setup(void) {
    partida.drop_count = 0;
    partida.drop_clock = 0;
    for (int row = 0; row < ROOM_ROWS; row++)
        for (int col = 0; col < ROOM_COLS; col++) {
            if (!(PARTIDA_cell(row, col) & ATTR_DRIPS) || partida.drop_count == DROP_SLOTS)
                continue;
            Drop *d = &partida.drops[partida.drop_count++];
            d->x = (short)(col * CELL + (CELL - DROP_W) / 2);
            d->top = d->y = (short)((row + 1) * CELL);
            int below = row + 1;
            while (below < ROOM_ROWS && !(PARTIDA_cell(below, col) & ATTR_SOLID))
                below++;
            d->bottom = (short)(below * CELL);
            d->phase = (short)(col % 2 * (DROP_PERIOD / 2));
            // Odd columns form their first drop half a period after the room starts.
            d->state = d->phase == 0 ? DROP_HANGING : DROP_GONE;
        }
}

void EFECTOS_drops_step(void) {
    partida.drop_clock = (short)((partida.drop_clock + 1) % DROP_PERIOD);
    for (int i = 0; i < partida.drop_count; i++) {
        Drop *d = &partida.drops[i];
        int t = (partida.drop_clock + d->phase) % DROP_PERIOD;
        if (t == 0) {
            d->state = DROP_HANGING;
            d->y = d->top;
        } else if (d->state == DROP_SPLASHING) {
            d->state = DROP_GONE;
        } else if (t >= DROP_HANG && (d->state == DROP_HANGING || d->state == DROP_FALLING)) {
            d->state = DROP_FALLING;
            d->y = (short)(d->y + DROP_FALL);
            if (d->y + DROP_H >= d->bottom) {
                d->y = (short)(d->bottom - DROP_H);
                d->state = DROP_SPLASHING;
            }
        }
    }
}
