// entrada.cpp -- the password entry screen of the title menu's "PASSWORD" entry.
// SPDX-License-Identifier: MIT
#include "frontend/entrada.h"
#include "frontend/clave.h"
#include "frontend/password_field.h"
#include "gfx/gfx.h"
#include "platform/input_wait.h"
#include "platform/leaving.h"
#include "platform/input.h"
#include "platform/temporizadores.h"
#include <string.h>

// The entry field; it lives for the whole run and is emptied at each visit.
static PasswordField campo;

// Empties the field ("....", nothing typed, not done). Called at each visit of the entry screen.
void CLAVE_field_reset(PasswordField *c) {
    strcpy(c->text, "....");
    c->typed = 0;
    c->done = 0;
    c->cancelled = 0;
}

// Applies one readkey value to the field; returns the key code to wait for, 0 or -1 (see header).
// Called by the entry screen for every key.
int CLAVE_field_key(PasswordField *c, int readkey_value) {
    signed char ch = (signed char)(readkey_value & 0xff);
    int code = (signed char)((readkey_value >> 8) & 0xff);
    int wait = -1;

    if (ch > 'Z') ch -= 32; // small letters become capitals
    if (((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) && c->typed < 4) {
        c->text[c->typed++] = ch;
        wait = code > 0 ? code : 0;
    }
    if (code == KEY_BACKSPACE && c->typed > 0) {
        c->text[--c->typed] = '.';
        wait = KEY_BACKSPACE;
    }
    if (code == KEY_ENTER) {
        if (c->typed == 4) c->done = 1;
        wait = KEY_ENTER;
    }
    if (code == KEY_ESC) {
        c->done = 1;
        c->cancelled = 1;
        wait = KEY_ESC;
    }
    return wait;
}

// The value of a typed password: level * 25 + room when it is right and names a room, else 0.
// A right password whose room would come out as 0 on level 0 or 1 (the values 0 and 25) names
// no room and counts as wrong; 50, 75, ... are the last room of the level before and are kept.
// Called by the entry screen.
int CLAVE_field_value(const char *code) {
    int n = CLAVE_decodifica_clave(code);
    if (n <= 0) return 0;
    if (n % 25 == 0 && n / 25 <= 1) return 0;
    return n;
}

// Draws the prompt and the field and presents them.
static void dibuja(BITMAP *back_buffer) {
    clear_bitmap(back_buffer);
    GFX_centra(back_buffer, 88, -1, "ENTER PASSWORD");
    GFX_centra(back_buffer, 100, -1, campo.text);
    GFX_blitall(back_buffer);
}

// Waits until a key is in the buffer; 0 when the close button or a pad's back button (the field
// is typed on the keyboard) was pressed first.
static int espera_tecla(void) {
    while (!keypressed()) {
        if (close_button_pressed || INPUT_pressed(INPUT_BACK)) return 0;
        TMR_rest();
    }
    return 1;
}

// Runs the entry screen on the back buffer: -1 cancelled, 0 wrong password, else level*25+room.
// Called by the shell's menu loop.
int CLAVE_entrada(BITMAP *back_buffer) {
    CLAVE_field_reset(&campo);
    clear_keybuf(); // letters typed at the menu do not land in the field
    INPUT_clear();
    dibuja(back_buffer);
    while (!campo.done) {
        if (!espera_tecla()) { // the window is closing, or a pad went back: leave as cancelled
            CLAVE_field_reset(&campo);
            return -1;
        }
        int wait = CLAVE_field_key(&campo, readkey());
        if (wait >= 0) {
            // A held key gives one character; keys typed meanwhile are dropped.
            while (wait > 0 && wait < KEY_MAX && key[wait] && !close_button_pressed)
                TMR_rest();
            clear_keybuf();
        }
        dibuja(back_buffer);
    }
    if (campo.cancelled) {
        CLAVE_field_reset(&campo);
        return -1;
    }
    int n = CLAVE_field_value(campo.text);
    CLAVE_field_reset(&campo);
    if (n == 0) {
        clear_bitmap(back_buffer);
        GFX_centra(back_buffer, 88, -1, "WRONG PASSWORD");
        INPUT_clear(); // the Enter that checked the password is not the one that goes on
        GFX_blitall(back_buffer);
        KEY_wait_action_key();
    }
    return n;
}
