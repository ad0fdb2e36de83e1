// blitter.cpp -- the game frame: border picture, status lines read from the play state, energy
// bar and the room view.
// SPDX-License-Identifier: MIT
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
    TIME_Y = 184,
    MARK_X = 140, // the assist mark, between the energy bar and the retries
    MARK_Y = 167,
    TEXT_COLOUR = -1, // white
};

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

void RENDER_level_line(const Partida *play, char *text, size_t size) {
    if (renderer.has_label)
        snprintf(text, size, "LEVEL %.8s - %i", renderer.label, play->sublevel);
    else
        snprintf(text, size, "LEVEL %i - %i", play->level, play->sublevel);
}

void RENDER_room_time(int frames, char *text, size_t size) {
    // A frame lasts 2 ticks of 17 ms: 1000 / 294 hundredths of a second.
    long hundredths = (long)(frames < 0 ? 0 : frames) * 1000 / 294;
    snprintf(text, size, "%ld.%02ld", hundredths / 100, hundredths % 100);
}

void RENDER_assist_mark(BITMAP *b, int x, int y) {
    int colour = makecol(170, 130, 220); // the menu box's frame
    rectfill(b, x, y, x + 9, y + 9, makecol(8, 6, 20));
    rect(b, x, y, x + 9, y + 9, colour);
    GFX_gprint(b, x + 2, y + 1, colour, "A");
}

BITMAP *RENDER_compose(const Partida *play, int outlined) {
    const Renderer &r = renderer;
    BITMAP *frame = r.frame_buffer;
    if (!frame || !play) return nullptr;
    char text[48];
    if (r.frame_picture)
        blit(r.frame_picture, frame, 0, 0, 0, 0, FRAME_W, FRAME_H);
    else
        clear_bitmap(frame); // no border: black, never what the memory held before

    if (r.status[0])
        snprintf(text, sizeof text, "%s", r.status); // time attack's timer
    else
        snprintf(text, sizeof text, "RETRY x %i", play->retries);
    status_text(frame, RETRY_Y, text, outlined);
    if (play->rules.assisted) RENDER_assist_mark(frame, MARK_X, MARK_Y);
    RENDER_level_line(play, text, sizeof text);
    status_text(frame, LEVEL_Y, text, outlined);
    if (r.show_timer) {
        char time[24];
        RENDER_room_time(play->room_frames, time, sizeof time);
        snprintf(text, sizeof text, "TIME %s", time);
        status_text(frame, TIME_Y, text, outlined);
    }
    energy_bar(frame, r.bar_empty, r.bar_full, play->player.energy);
    if (r.room_view) blit(r.room_view, frame, 0, 0, ROOM_X, ROOM_Y, ROOM_W, ROOM_H);
    return frame;
}

void blitter(const Partida *play) {
    BITMAP *frame = RENDER_compose(play, 1);
    if (frame) GFX_blitall(frame);
}
