// yes_no.h -- the retry dialog "SURE MY DARLING?" over the game frame.
#pragma once
#include <allegro.h>

// Asks to confirm a retry; 1 for "Yes", 0 for "No".
int yes_no(BITMAP *room_view, BITMAP *frame_picture, BITMAP *frame_buffer, BITMAP *bar_empty,
           BITMAP *bar_full, int energy, int level, int room_number, int retries);
