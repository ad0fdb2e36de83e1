// yes_no.cpp -- the retry dialog "SURE MY DARLING?" over the game frame.
// SPDX-License-Identifier: MIT
#include "frontend/yes_no.h"
#include "frontend/menu_sounds.h"
#include "frontend/yes_no_step.h"
#include "gfx/gfx.h"
#include "gfx/picture.h"
#include "platform/leaving.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/loga.h"
#include "platform/temporizadores.h"

// Reads the arrows and Enter (or a pad's d-pad, stick and confirm button) once, held or pressed
// since the last pass, and moves the selection, with its sound. Left only acts on "No" and Right
// only on "Yes", so each sound marks a real change. Called by yes_no on every pass.
void yes_no_teclas(YesNoChoice *d) {
    INPUT_poll();
    if (INPUT_active(INPUT_MENU_LEFT) && d->choice == 0) {
        d->choice = 1;
        FRONT_suena(s_ting);
    }
    if (INPUT_active(INPUT_MENU_RIGHT) && d->choice != 0) {
        d->choice = 0;
        FRONT_suena(s_ting);
    }
    if (INPUT_active(INPUT_CONFIRM)) d->done = 1;
}

// Copies a button picture to (x, 92) when it is there.
static void boton(BITMAP *pic, BITMAP *frame_buffer, int x) {
    if (pic) blit(pic, frame_buffer, 0, 0, x, 92, 32, 24);
}

// Draws the panel, the question, the two buttons and their labels into frame_buffer, skipping
// any missing picture. Called by yes_no on every pass.
void yes_no_dibuja(const YesNoChoice *d, const YesNoPictures *p, BITMAP *frame_buffer) {
    if (p->panel) blit(p->panel, frame_buffer, 0, 0, 56, 72, 144, 48);
    GFX_gprint(frame_buffer, 64, 80, -1, "SURE MY DARLING?");
    if (d->choice != 0) {
        boton(p->button_lit, frame_buffer, 72);
        boton(p->button_unlit, frame_buffer, 154);
    } else {
        boton(p->button_unlit, frame_buffer, 72);
        boton(p->button_lit, frame_buffer, 154);
    }
    GFX_gprint(frame_buffer, 76, 100, -1, "Yes");
    GFX_gprint(frame_buffer, 162, 100, -1, "No");
}

// One of the dialog's pictures; a missing one is logged by name when log is set.
static BITMAP *load(const char *path, RGB *palette, int log) {
    return GFX_load_picture(path, palette, log ? "missing picture" : nullptr);
}

// Set once the missing dialog pictures were logged, so holding R does not fill the log.
static int faltas_avisadas;

// Destroys whichever of the dialog's pictures were loaded.
static void suelta(YesNoPictures *p) {
    if (p->button_lit) destroy_bitmap(p->button_lit);
    if (p->button_unlit) destroy_bitmap(p->button_unlit);
    if (p->panel) destroy_bitmap(p->panel);
}

// Asks to confirm a retry; 1 for "Yes", 0 for "No". The game frame is composed once behind the
// panel; the loop ends on Enter, or with "No" when the window is closing (play then sees the
// close request). Without any of its pictures, or without a game frame to draw on, the dialog
// answers "No" at once.
int yes_no(BITMAP *(*compose)(int outlined)) {
    YesNoChoice d = {0, 0};
    YesNoPictures p;
    PALETTE pal; // the pictures are converted to the screen depth; their palette is unused
    int avisa = !faltas_avisadas;
    p.panel = load("resources/GUI_sure.pcx", pal, avisa);
    p.button_lit = load("resources/BUT_sel.pcx", pal, avisa);
    p.button_unlit = load("resources/BUT_unsel.pcx", pal, avisa);
    int ninguno = !p.panel && !p.button_lit && !p.button_unlit;
    if ((!p.panel || !p.button_lit || !p.button_unlit) && !faltas_avisadas) {
        loga(ninguno ? "yes_no: the dialog pictures are missing; answering No"
                     : "yes_no: a dialog picture is missing; drawing without it");
        faltas_avisadas = 1;
    }
    BITMAP *frame_buffer = ninguno || !compose ? nullptr : compose(0);
    if (!frame_buffer) {
        suelta(&p);
        return 0;
    }

    FRONT_suena(s_go);
    INPUT_clear(); // what was pressed in play answers nothing; what is held still counts
    while (!d.done) {
        yes_no_teclas(&d);
        if (close_button_pressed) { // nobody is there to press Enter any more
            d.choice = 0;
            d.done = 1;
        }
        yes_no_dibuja(&d, &p, frame_buffer);
        GFX_blitall(frame_buffer);
        if (!d.done) TMR_rest();
    }
    FRONT_suena(s_back);
    suelta(&p);
    return d.choice;
}
