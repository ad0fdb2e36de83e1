// menu_anim.cpp -- the title menu's animation: the scrolling picture with its glitches, and the
// arrows.
#include "frontend/menu_anim.h"
#include "blend/blend.h"
#include "frontend/sonidos.h"
#include "frontend/menu_intro.h"
#include <stdlib.h>

// Sets the state a visit of the menu starts with. Called by menu and tests.
void MENU_anim_reset(MenuAnim *a) {
    a->fade = 64;
    a->leave_count = 0;
    a->glitch = 0;
    a->band_dx_top = 0;
    a->band_dx_bottom = 0;
    a->band_split = 0;
    a->scroll_y = MENU_SCROLL_TOP;
    a->scroll_step = -1;
    a->arrow_latch = 0;
}

// Copies 256x192 of the scrolling picture from (sx, sy) to (0, dy) of the work bitmap, h rows.
static void copia(BITMAP *pic, BITMAP *work, int sx, int sy, int dy, int h) {
    if (pic && h > 0) blit(pic, work, sx, sy, 0, dy, 256, h);
}

// Adds the work bitmap onto the back buffer when there is a picture to show.
static void suma(BITMAP *pic, BITMAP *work, BITMAP *back_buffer, int fact) {
    if (pic) blend_add(work, back_buffer, 0, 0, fact);
}

// Draws the scrolling-picture layer onto the back buffer through the 256x192 work bitmap,
// with its random glitch bands; a missing picture draws nothing but the glitch timing still
// runs. Called once per menu frame.
void MENU_capa_scroll(MenuAnim *a, BITMAP *pic, BITMAP *work, BITMAP *back_buffer) {
    if (a->glitch <= 0) {
        copia(pic, work, 0, a->scroll_y, 0, 192);
        suma(pic, work, back_buffer, 64 - 4 * a->leave_count - a->fade);
    } else {
        if ((rand() & 7) == 0) { // new band offsets now and then
            a->band_dx_top = (short)((rand() & 7) - 4);
            a->band_dx_bottom = (short)((rand() & 7) - 4);
            a->band_split = rand() % 192;
        }
        copia(pic, work, 0, a->scroll_y, 0, 192);
        suma(pic, work, back_buffer, 32 - 2 * a->leave_count - a->fade / 2);
        copia(pic, work, a->band_dx_top, a->scroll_y, 0, a->band_split);
        copia(pic, work, a->band_dx_bottom, a->scroll_y + a->band_split, a->band_split,
              192 - a->band_split);
        int r = rand() & 64;
        suma(pic, work, back_buffer, r - a->fade - 4 * a->leave_count + 32);
        a->glitch--;
    }
    if ((rand() & 31) == 0) a->glitch = (rand() & 15) + 15;
}

// Moves the scrolling picture one row, turning at the top and the bottom. Called once per frame.
void MENU_scroll(MenuAnim *a) {
    a->scroll_y += a->scroll_step;
    if (a->scroll_y == 0 || a->scroll_y == MENU_SCROLL_TOP) a->scroll_step = -a->scroll_step;
}

// Moves the selection MENU_opt once per press of Up or Down, wrapping, with its sound; holding
// an arrow does not repeat, and while one is held the other does nothing.
// Called once per frame of the menu loop.
void MENU_flechas(MenuAnim *a) {
    int up = key[KEY_UP], down = key[KEY_DOWN];
    if (up && up != a->arrow_latch) {
        a->arrow_latch = up;
        MENU_opt = MENU_opt <= 1 ? 4 : MENU_opt - 1;
        FRONT_suena(s_ting);
    } else if (down && down != a->arrow_latch) {
        a->arrow_latch = down;
        MENU_opt = MENU_opt >= 4 ? 1 : MENU_opt + 1;
        FRONT_suena(s_ting);
    }
    if (!up && !down) a->arrow_latch = 0;
}
