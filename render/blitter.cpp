// blitter.cpp -- the game frame: border picture, status lines, energy bar and the room view.
#include "render/render.h"
#include "gfx/gfx.h"
#include <stdio.h>

enum {
    ROOM_X = 8, // where the room view sits in the frame
    ROOM_Y = 16,
    FRAME_W = 256,
    FRAME_H = 192,
    BAR_X = 8,
    BAR_Y = 168,
    BAR_W = 128,
    BAR_H = 16,
    TEXT_X = 152,
    RETRY_Y = 168,
    LEVEL_Y = 176,
    TEXT_COLOUR = -1, // white
};

// The level's name on the status line, when it is not shown by number.
static const char *level_name;

void RENDER_set_level_name(const char *name) {
    level_name = name;
}

// One status line, outlined in play, plain under the dialog.
static void status_text(BITMAP *frame, int y, const char *text, int outlined) {
    if (outlined)
        GFX_gprintb(frame, TEXT_X, y, TEXT_COLOUR, text);
    else
        GFX_gprint(frame, TEXT_X, y, TEXT_COLOUR, text);
}

// The energy bar: half the energy in columns of the full picture, the rest from the empty one.
static void energy_bar(BITMAP *frame, BITMAP *bar_empty, BITMAP *bar_full, int energy) {
    int w = energy >> 1;
    if (w < 0) w = 0;
    if (w > BAR_W) w = BAR_W; // more than full energy never spills past the bar
    if (w > 0 && bar_full) blit(bar_full, frame, 0, 0, BAR_X, BAR_Y, w, BAR_H);
    if (w < BAR_W && bar_empty) blit(bar_empty, frame, w, 0, BAR_X + w, BAR_Y, BAR_W - w, BAR_H);
}

void blitter_compose(BITMAP *room_view, BITMAP *frame_picture, BITMAP *frame_buffer,
                     BITMAP *bar_empty, BITMAP *bar_full, int energy, int level, int room_number,
                     int retries, int outlined) {
    if (!frame_buffer) return;
    char text[48];
    if (frame_picture) blit(frame_picture, frame_buffer, 0, 0, 0, 0, FRAME_W, FRAME_H);
    snprintf(text, sizeof text, "RETRY x %i", retries);
    status_text(frame_buffer, RETRY_Y, text, outlined);
    if (level_name)
        snprintf(text, sizeof text, "LEVEL %.8s - %i", level_name, room_number);
    else
        snprintf(text, sizeof text, "LEVEL %i - %i", level, room_number);
    status_text(frame_buffer, LEVEL_Y, text, outlined);
    energy_bar(frame_buffer, bar_empty, bar_full, energy);
    if (room_view) blit(room_view, frame_buffer, 0, 0, ROOM_X, ROOM_Y, ROOM_W, ROOM_H);
}

void blitter(BITMAP *room_view, BITMAP *frame_picture, BITMAP *frame_buffer, BITMAP *bar_empty,
             BITMAP *bar_full, int energy, int level, int room_number, int retries) {
    if (!frame_buffer) return;
    blitter_compose(room_view, frame_picture, frame_buffer, bar_empty, bar_full, energy, level,
                    room_number, retries, 1);
    GFX_blitall(frame_buffer);
}
