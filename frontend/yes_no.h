// yes_no.h -- the retry dialog "SURE MY DARLING?" over the game frame.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

// Asks to confirm a retry; 1 for "Yes", 0 for "No". compose(outlined) composes the game frame the
// dialog is drawn over and returns it; the dialog asks for plain status lines (outlined 0).
int yes_no(BITMAP *(*compose)(int outlined));
