// menu_intro.cpp -- the two splash screens and the title menu.
// SPDX-License-Identifier: MIT
#include "frontend/menu_intro.h"
#include "blend/blend.h"
#include "frontend/menu_anim.h"
#include "frontend/menu_sounds.h"
#include "gfx/picture.h"
#include "gfx/gfx.h"
#include "platform/input_wait.h"
#include "platform/leaving.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/loga.h"
#include "platform/temporizadores.h"
#include <stdio.h>

int MENU_opt = 1;

enum { BOX_X0 = 72, BOX_Y0 = 80, BOX_X1 = 184, BOX_Y1 = 172 }; // the menu's faint box

// A picture of the intro or the menu; a missing one is logged by name and the screen goes
// without it.
static BITMAP *load(const char *path, RGB *palette) {
    return GFX_load_picture(path, palette, "missing picture");
}

// The entries, 12 rows apart inside the title picture's frame: the value is what menu returns, y
// the text row.
static const struct {
    const char *text;
    int y;
} entradas[MENU_ENTRIES] = {{"PLAY", 88},     {"PASSWORD", 100},    {"USER LEVEL", 112},
                            {"OPTIONS", 124}, {"TIME ATTACK", 136}, {"REPLAYS", 148},
                            {"EXIT", 160}};

// Shows the two splash screens, each until an action key; a missing picture skips its screen.
// Called by main at start-up.
void intro(BITMAP *back_buffer, PALETTE palette) {
    BITMAP *pic = load("resources/splashpixelmeet.pcx", palette);
    if (pic) { // made for the 2X window, scaled to the window's size
        INPUT_clear();
        GFX_blitpicture(pic);
        destroy_bitmap(pic);
        KEY_wait_action_key();
    }
    pic = load("resources/mirthwave-logo.pcx", palette);
    if (pic) {
        blit(pic, back_buffer, 0, 0, 28, 70, 200, 53);
        destroy_bitmap(pic);
        INPUT_clear(); // a second press on the first splash does not end this one
        GFX_blitall(back_buffer);
        KEY_wait_action_key();
    }
}

// Waits until Enter (or a pad's confirm button) is up, so a key held from the screen before
// selects nothing.
static void espera_suelta_enter(void) {
    for (INPUT_poll(); INPUT_down(INPUT_CONFIRM) && !close_button_pressed; INPUT_poll())
        TMR_rest();
}

int MENU_fade_steps(const MenuScene *s) {
    return s->anim.calm ? 128 : 64; // calm: half the change from one frame to the next
}

void MENU_fade_frame(MenuScene *s, BITMAP *back_buffer, int i) {
    MENU_background(s->title, back_buffer, 256 * i / MENU_fade_steps(s));
}

void MENU_attract_frame(MenuScene *s, BITMAP *back_buffer) {
    MenuAnim *a = &s->anim;
    if (a->fade > 0) a->fade--;
    MENU_background(s->title, back_buffer, MENU_title_strength(a));
    MENU_capa_scroll(a, s->scroll_pic, s->work, back_buffer);
    GFX_centra(back_buffer, 184, -1, "PRESS ENTER");
    MENU_scroll(a);
}

// The "PRESS ENTER" screen of the first visit: runs until Enter was taken and two more frames
// passed, or the window is closing.
static void fase_atraccion(MenuScene *s, BITMAP *back_buffer) {
    MenuAnim *a = &s->anim;
    for (;;) {
        MENU_attract_frame(s, back_buffer);
        vsync();
        vsync();
        GFX_blitall(back_buffer);
        INPUT_poll();
        if (INPUT_pressed(INPUT_CONFIRM) && !INPUT_down(INPUT_BACK) && !close_button_pressed)
            a->leave_count = 1;
        if (a->leave_count > 0) a->leave_count++;
        if (a->leave_count >= 4 || close_button_pressed) return;
    }
}

// The menu's text: faint, the credits and every entry; bright, the selected entry.
static void dibuja_menu(BITMAP *back_buffer, int bright) {
    if (bright) {
        if (MENU_opt >= 1 && MENU_opt <= MENU_ENTRIES)
            GFX_centra(back_buffer, entradas[MENU_opt - 1].y, -1, entradas[MENU_opt - 1].text);
        return;
    }
    GFX_centra(back_buffer, 176, -1, "CODE & SFX: QUILDERVOS");
    GFX_centra(back_buffer, 184, -1, "GFX: QUILDERVOS & BORTELLE");
    for (int i = 0; i < MENU_ENTRIES; i++)
        GFX_centra(back_buffer, entradas[i].y, -1, entradas[i].text);
}

void MENU_menu_frame(MenuScene *s, BITMAP *back_buffer) {
    // A faint box, faint credits and entries over the title; the selection over the scrolling
    // picture.
    MENU_compose(s, back_buffer, BOX_X0, BOX_Y0, BOX_X1, BOX_Y1, 0, dibuja_menu);
}

// The menu proper: runs frames until Enter, Escape or the close button ends it.
static void bucle_menu(MenuScene *s, BITMAP *back_buffer) {
    int ending = 0;
    while (!ending) {
        if (close_button_pressed) {
            ending = 1;
            MENU_opt = MENU_EXIT;
            FRONT_suena(s_back);
        }
        INPUT_poll();
        if (INPUT_pressed(INPUT_CONFIRM)) {
            ending = 1;
            FRONT_suena(s_go);
        }
        if (INPUT_pressed(INPUT_BACK)) {
            ending = 1;
            MENU_opt = MENU_EXIT;
            FRONT_suena(s_back);
        }
        MENU_frame(s, back_buffer, BOX_X0, BOX_Y0, BOX_X1, BOX_Y1, 0, dibuja_menu);
        MENU_arrows(&MENU_opt, MENU_ENTRIES);
    }
}

// The title screen; returns the chosen entry 1..7 (also left in MENU_opt). A missing title or
// scrolling picture leaves the screen without it. Called by main.
int menu(short first_visit, BITMAP *back_buffer, PALETTE palette) {
    MenuScene s;
    if (MENU_opt < 1 || MENU_opt > MENU_ENTRIES) MENU_opt = 1;
    MENU_scene_load(&s, palette);
    espera_suelta_enter();
    INPUT_clear(); // a press during the fade-in counts, none from before

    for (int i = 0; i < MENU_fade_steps(&s); i++) { // fade-in
        MENU_fade_frame(&s, back_buffer, i);
        vsync();
        GFX_blitall(back_buffer);
    }
    s.anim.fade = 64;

    if (first_visit) fase_atraccion(&s, back_buffer);

    INPUT_poll();
    if (INPUT_down(INPUT_BACK)) close_button_pressed = 1; // Escape held here asks to leave
    espera_suelta_enter();
    if (first_visit) INPUT_clear(); // nothing pressed at "PRESS ENTER" acts on the menu
    bucle_menu(&s, back_buffer);

    drawing_mode(DRAW_MODE_SOLID, nullptr, 0, 0);
    MENU_scene_free(&s);
    return MENU_opt;
}
