// menu_anim.cpp -- the look the title menu shares with the options screen: the title picture, the
// scrolling picture with its glitches, the faint box, and the arrows.
// SPDX-License-Identifier: MIT
#include "frontend/menu_anim.h"
#include "blend/blend.h"
#include "frontend/menu_sounds.h"
#include "frontend/menu_intro.h"
#include "gfx/gfx.h"
#include "gfx/picture.h"
#include "platform/config.h"
#include "platform/leaving.h"
#include "platform/input.h"
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
    a->calm = settings.reduced_flashing != 0;
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
    if ((rand() & 31) == 0 && !a->calm) a->glitch = (rand() & 15) + 15;
}

// Moves the scrolling picture one row, turning at the top and the bottom. Called once per frame.
void MENU_scroll(MenuAnim *a) {
    a->scroll_y += a->scroll_step;
    if (a->scroll_y == 0 || a->scroll_y == MENU_SCROLL_TOP) a->scroll_step = -a->scroll_step;
}

void MENU_arrows(int *selected, int count) {
    INPUT_poll();
    int up = INPUT_pressed(INPUT_UP), down = INPUT_pressed(INPUT_DOWN);
    if (up && !INPUT_down(INPUT_DOWN)) {
        *selected = *selected <= 1 ? count : *selected - 1;
        FRONT_suena(s_ting);
    } else if (down && !INPUT_down(INPUT_UP)) {
        *selected = *selected >= count ? 1 : *selected + 1;
        FRONT_suena(s_ting);
    }
}

void MENU_scene_load(MenuScene *s, RGB *palette) {
    MENU_anim_reset(&s->anim);
    s->title = GFX_load_picture("resources/title.pcx", palette, "missing picture");
    s->work = create_bitmap(256, 192);
    s->scroll_pic =
        s->work ? GFX_load_picture("resources/MENU_She.pcx", palette, "missing picture") : nullptr;
}

void MENU_scene_free(MenuScene *s) {
    if (s->scroll_pic) destroy_bitmap(s->scroll_pic);
    if (s->work) destroy_bitmap(s->work);
    if (s->title) destroy_bitmap(s->title);
    s->scroll_pic = s->work = s->title = nullptr;
}

void MENU_background(BITMAP *title, BITMAP *back_buffer, int strength) {
    clear_bitmap(back_buffer);
    if (title) blend_add(title, back_buffer, 0, 0, strength);
}

int MENU_title_strength(const MenuAnim *a) {
    return a->calm ? 224 : (rand() & 63) + 192;
}

void MENU_compose(MenuScene *s, BITMAP *back_buffer, int x0, int y0, int x1, int y1, int framed,
                  void (*draw)(BITMAP *back_buffer, int bright)) {
    MENU_background(s->title, back_buffer, MENU_title_strength(&s->anim));
    if (framed) {
        // A box of its own over the scrolling picture, so nothing shines through its lines, and
        // the lines dimmed only as far as they stay easy to read on it.
        MENU_capa_scroll(&s->anim, s->scroll_pic, s->work, back_buffer);
        rect(back_buffer, x0 - 2, y0 - 2, x1 + 2, y1 + 2, makecol(170, 130, 220));
        rect(back_buffer, x0 - 1, y0 - 1, x1 + 1, y1 + 1, makecol(110, 80, 150));
        rectfill(back_buffer, x0, y0, x1, y1, makecol(8, 6, 20));
        set_trans_blender(0, 0, 0, MENU_DIM_ALPHA);
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        draw(back_buffer, 0);
        drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
        set_trans_blender(0, 0, 0, MENU_FAINT_ALPHA);
    } else {
        drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
        rectfill(back_buffer, x0, y0, x1, y1, 0);
        draw(back_buffer, 0);
        drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
        MENU_capa_scroll(&s->anim, s->scroll_pic, s->work, back_buffer);
    }
    MENU_scroll(&s->anim);
    draw(back_buffer, 1);
}

void MENU_frame(MenuScene *s, BITMAP *back_buffer, int x0, int y0, int x1, int y1, int framed,
                void (*draw)(BITMAP *back_buffer, int bright)) {
    MENU_compose(s, back_buffer, x0, y0, x1, y1, framed, draw);
    if (screen) { // no retrace to wait for without a window (tests draw into memory)
        vsync();
        vsync();
    }
    if (!close_button_pressed) GFX_blitall(back_buffer);
}
