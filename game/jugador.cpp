// jugador.cpp -- the player: walking, turning, the two jumps, falling, platforms and belts.
// SPDX-License-Identifier: MIT
#include "game/interno.h"

// The high jump: about two cells up. The halves are not exact mirrors (entry 30).
const int incA[32] = {-1295, -1167, -1041, -919, -798, -683, -573, -473, -378, -291, -217,
                      -151,  -97,   -53,   -23,  -5,   5,    23,   53,   97,   151,  217,
                      291,   378,   473,   573,  683,  798,  919,  1041, 1164, 1295};
// The long jump: about one cell up, twice as fast sideways. Entry 31 is not -entry 0.
const int incL[32] = {-662, -596, -529, -465, -403, -342, -286, -232, -186, -142, -102,
                      -68,  -42,  -19,  -7,   0,    0,    7,    19,   42,   68,   102,
                      142,  186,  232,  286,  342,  403,  465,  529,  596,  622};

// Where the player's box is: top-left cell and pixel, and whether it straddles a cell border.
struct Box {
    int col, row, px, py;
    bool col_aligned, row_aligned;
};

static Box box_of(const Player *p) {
    Box b;
    b.col = p->x >> 12;
    b.row = p->y >> 12;
    b.px = p->x >> 8;
    b.py = p->y >> 8;
    b.col_aligned = b.px == 16 * b.col;
    b.row_aligned = b.py == 16 * b.row;
    return b;
}

static bool solid(const Step *s, int row, int col) {
    return PARTIDA_cell(s, row, col) & ATTR_SOLID;
}
static bool standable(const Step *s, int row, int col) {
    return PARTIDA_cell(s, row, col) & (ATTR_SOLID | ATTR_LEDGE);
}

static void clamp_x(Player *p) {
    if (p->x < 0) p->x = 0;
    if (p->x > PLAYER_MAX_X) p->x = PLAYER_MAX_X;
}

static void next_frame(Player *p) {
    p->frame += 24;
    if (p->frame >= 96) p->frame = 0;
}

// Carries the player sideways with a platform when the cells the box moves into are free of
// `blocking` bits. Columns beyond the room's sides are walls.
static void carry_sideways(const Step *s, Player *p, const Box *b, const Mover *m, int blocking) {
    int c = (m->dx + b->px) >> 4; // the column the box's left edge moves into
    if (m->dx > 0) c += 1;
    bool free = !(PARTIDA_cell(s, b->row, c) & blocking) &&
                (b->row_aligned || !(PARTIDA_cell(s, b->row + 1, c) & blocking));
    if (free) p->x += m->dx * 256;
}

// Stands the player on the place a vertical (or still) platform reaches this frame, unless a
// solid cell is in the way.
static void ride_vertical(const Step *s, Player *p, const Box *b, const Mover *m) {
    int r = (m->dy + b->py) >> 4;
    if (m->dy >= 0) r += 1;
    bool free = !solid(s, r, b->col) && (b->col_aligned || !solid(s, r, b->col + 1));
    if (free) p->y = (m->y + m->dy - 16) * 256;
}

static bool over_platform_x(const Box *b, const Mover *m) {
    return m->x - 15 <= b->px && b->px <= m->x + 15;
}

// Platform i as the player rides it: the last slot never moves, so it rides as a still platform
// whatever path the room gives it (else it would lift or carry a player it does not move).
static Mover *ridden(const Step *s, int i, Mover *still) {
    if (i < PLATFORM_SLOTS - 1) return &s->g->platforms[i];
    *still = s->g->platforms[i];
    still->dx = still->dy = 0;
    return still;
}

// Lands a jump: jumping ends on an even pixel, standing frame.
static void land(Player *p, int y_mask) {
    p->y &= y_mask;
    p->jumping = 0;
    p->x &= ~511;
    p->frame = 0;
}

// One frame of a running jump.
static void jump_frame(const Step *s, Player *p) {
    if (p->jump_step < 0 || p->jump_step > 31) { // a jump past its table has ended
        p->jumping = 0;
        return;
    }
    Box b = box_of(p);
    const int *table = p->jump_kind ? incL : incA;
    int step = table[p->jump_step];

    if (p->jump_step < 16) {
        if (b.row_aligned && b.row > 0) {
            if (!solid(s, b.row - 1, b.col) && (b.col_aligned || !solid(s, b.row - 1, b.col + 1)))
                p->y += step;
        } else {
            p->y += step;
        }
        int r = p->y >> 12;
        if (r >= 0 && (solid(s, r, b.col) || (!b.col_aligned && solid(s, r, b.col + 1))))
            p->y = (r + 1) * 4096; // bumped a ceiling: just below it
    } else {
        p->y += step;
    }
    p->jump_step++;
    if (p->jump_step == 32) {
        p->y &= ~255;
        p->x &= ~511;
        p->jumping = 0;
    }

    b = box_of(p);
    for (int i = 0; i < PLATFORM_SLOTS; i++) {
        Mover still, *m = ridden(s, i, &still);
        if (m->kind == -1 || !over_platform_x(&b, m)) continue;
        if (m->dx == 0 && m->y - 18 <= b.py && b.py <= m->y - 14) {
            p->jumping = 0;
            ride_vertical(s, p, &b, m);
        } else if (m->dx != 0 && m->y - 19 <= b.py && b.py <= m->y - 16 && p->jump_step > 2) {
            p->jumping = 0;
            p->y = (m->y - 16) * 256;
            b = box_of(p);
            carry_sideways(s, p, &b, m, ATTR_SOLID | ATTR_LEDGE);
        }
    }

    if (p->jump_step >= 16) {
        // Below the bottom row is the room's floor (PARTIDA_cell reads it as solid).
        if (b.row_aligned && b.row != 8) {
            if (standable(s, b.row + 1, b.col) ||
                (!b.col_aligned && b.col != 14 && standable(s, b.row + 1, b.col + 1)))
                land(p, ~255);
        } else if (standable(s, b.row + 1, b.col) ||
                   (!b.col_aligned && b.col != 14 && standable(s, b.row + 1, b.col + 1))) {
            land(p, ~4095);
        }
    }

    if (p->y < 0 || p->y > PLAYER_MAX_Y) {
        p->y = p->y < 0 ? 0 : PLAYER_MAX_Y;
        b = box_of(p);
    }

    int speed = 256 * (p->jump_kind + 1);
    int h = b.px & ~1;
    if (p->facing == 0) {
        bool free = true;
        if (16 * b.col == h && b.col != 14)
            free = !solid(s, b.row, b.col + 1) &&
                   (b.row_aligned || b.row == 8 || !solid(s, b.row + 1, b.col + 1));
        if (free) p->x += speed;
    } else {
        bool free = true;
        if (16 * b.col == h && b.col != 0)
            free = !solid(s, b.row, b.col - 1) &&
                   (b.row_aligned || b.row == 8 || !solid(s, b.row + 1, b.col - 1));
        if (free) p->x -= speed;
    }
    clamp_x(p);
}

// Ground and belts under the box; sets falling 0 when something standable is below.
static void ground_and_belts(const Step *s, Player *p, const Box *b) {
    if (!b->row_aligned || b->row == 8) return;
    if (b->col_aligned) {
        int a = PARTIDA_cell(s, b->row + 1, b->col);
        if (a & (ATTR_SOLID | ATTR_LEDGE)) {
            p->falling = 0;
            if (a & ATTR_BELT_RIGHT) {
                if (b->col == 14 || !solid(s, b->row, b->col + 1)) p->x += 256;
            } else if (a & ATTR_BELT_LEFT) {
                if (b->col == 0 || !solid(s, b->row, b->col - 1)) p->x -= 256;
            }
        }
    } else {
        int a1 = PARTIDA_cell(s, b->row + 1, b->col), a2 = PARTIDA_cell(s, b->row + 1, b->col + 1);
        if ((a1 | a2) & (ATTR_SOLID | ATTR_LEDGE)) {
            p->falling = 0;
            if ((a1 | a2) & ATTR_BELT_RIGHT)
                p->x += 256;
            else if ((a1 | a2) & ATTR_BELT_LEFT)
                p->x -= 256;
        }
    }
    clamp_x(p);
}

// One frame of free fall: 4 pixels on a 4-pixel grid, stopped by solid cells.
static void fall_frame(Step *s, Player *p) {
    p->y = (p->y & ~1023) + 1024;
    Box b = box_of(p);
    if (b.row <= 7 &&
        (solid(s, b.row + 1, b.col) || (!b.col_aligned && solid(s, b.row + 1, b.col + 1))))
        p->y = b.row * 4096;
    if (p->fall_time <= 4) {
        p->frame = 0;
        p->fall_time++;
    } else {
        p->frame += 24;
        if (!s->g->was_falling && s->g->sound_on) PARTIDA_sound(s, SFX_FALL);
        s->g->was_falling = 1;
        if (p->frame >= 96) p->frame = 0;
    }
    if (p->y > PLAYER_MAX_Y) p->y = PLAYER_MAX_Y;
}

// Walking and turning, with the box as it was before any platform carry this frame.
static void walk(Step *s, Player *p, const Box *b, const FrameInput *in) {
    int before = p->x;
    if (in->left) {
        if (p->facing == 0) {
            p->facing = 1;
        } else {
            p->x = (p->x + 511) & ~511;
            next_frame(p);
            bool free = true;
            if (b->col_aligned && b->col != 0)
                free = !solid(s, b->row, b->col - 1) &&
                       (b->row_aligned || b->row == 8 || !solid(s, b->row + 1, b->col - 1));
            if (free) p->x -= 512;
        }
    } else if (in->right) {
        if (p->facing == 1) {
            p->facing = 0;
        } else {
            p->x &= ~511;
            next_frame(p);
            bool free = true;
            if (b->col_aligned && b->col != 14)
                free = !solid(s, b->row, b->col + 1) &&
                       (b->row_aligned || b->row == 8 || !solid(s, b->row + 1, b->col + 1));
            if (free) p->x += 512;
        }
    }
    if (p->x != before) s->g->dust_request = 1;
    clamp_x(p);
}

// One frame when no jump runs: ground, platforms, falling or walking and jump starts.
static void ground_frame(Step *s, Player *p, const FrameInput *in) {
    p->falling = 1;
    Box b = box_of(p);
    ground_and_belts(s, p, &b);

    b = box_of(p);
    for (int i = 0; i < PLATFORM_SLOTS; i++) {
        Mover still, *m = ridden(s, i, &still);
        if (m->kind == -1 || !over_platform_x(&b, m)) continue;
        if (m->dx != 0) {
            if (m->y - 19 <= b.py && b.py <= m->y - 16) {
                p->falling = 0;
                p->y = (m->y - 16) * 256;
                b = box_of(p);
                carry_sideways(s, p, &b, m, ATTR_SOLID);
            }
        } else if (m->y - 19 <= b.py && b.py <= m->y - 14) {
            p->falling = 0;
            ride_vertical(s, p, &b, m);
        }
    }
    if (b.row == 8) p->falling = 0; // the room's bottom edge is a floor

    if (p->falling) {
        fall_frame(s, p);
        return;
    }

    p->fall_time = 0;
    // The fall sound starts as was_falling is set (with sound on), so it ends on landing.
    if (s->g->sound_on && s->g->was_falling) {
        PARTIDA_stop_sound(s, SFX_FALL);
        s->g->dust_request = 1;
        PARTIDA_sound(s, SFX_LAND);
    }
    s->g->was_falling = 0;

    walk(s, p, &b, in);

    int kind = in->high_jump ? 0 : (in->long_jump ? 1 : -1);
    if (kind >= 0) {
        s->g->dust_request = 1;
        if (s->g->sound_on) PARTIDA_sound(s, SFX_JUMP);
        p->x &= ~511;
        p->jumping = 1;
        p->jump_kind = kind;
        p->jump_step = 0;
    }
    EFECTOS_dust_spawn(s);
}

void JUGADOR_update(Step *s, const FrameInput *in) {
    Player *p = &s->g->player;
    if (p->jumping == 1)
        jump_frame(s, p);
    else
        ground_frame(s, p, in);
}
