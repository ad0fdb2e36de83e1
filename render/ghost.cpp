// ghost.cpp -- a ghost's player drawn see-through over the room view.
// SPDX-License-Identifier: MIT
#include "blend/blend.h"
#include "render/escena.h"
#include "render/render.h"

void RENDER_ghost(const Player *p, const Level *lv, int fact) {
    BITMAP *pic = escena_pic(lv->sprites, escena_player_sprite(*p));
    if (pic && renderer.room_view) blend_trans(pic, renderer.room_view, p->x >> 8, p->y >> 8, fact);
}
