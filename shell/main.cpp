// main.cpp -- the program's entry: start-up, the title menu loop and the orderly shut-down.
#include <allegro.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "frontend/entrada.h"
#include "frontend/menu_intro.h"
#include "game/estado.h"
#include "game/motor.h"
#include "gfx/gfx.h"
#include "shell/arranque.h"
#include "shell/cierre.h"
#include "shell/config.h"
#include "shell/fondo.h"
#include "shell/sonido.h"
#include "shell/temporizadores.h"

enum { MENU_PLAY = 1, MENU_PASSWORD = 2, MENU_USER_LEVEL = 3, MENU_EXIT = 4 };

static const char LEVEL_PACK[] = "velba1.vb3";

// Releases what start-up acquired, in the reverse order of need.
static void shut_down(void) {
    remove_keyboard();
    SHELL_free_interface_sounds();
    FSOUND_Close();
    allegro_exit();
}

// Plays the level pack from GAME_level/GAME_sublevel, then waits for Escape to be let go so the
// title menu does not take it as a request to quit.
static void play_level_pack(FMUSIC_MODULE *title_song) {
    char level_file[sizeof LEVEL_PACK];
    memcpy(level_file, LEVEL_PACK, sizeof LEVEL_PACK); // play trims it in place
    FMUSIC_StopSong(title_song);
    juego(level_file);
    while (key[KEY_ESC] && !close_button_pressed)
        TMR_rest();
}

// Fails start-up with a message the player can read, releasing what was started.
static int fail(const char *what) {
    fprintf(stderr, "Velumbrina: %s: %s\n", what, allegro_error[0] ? allegro_error : "failed");
    FSOUND_Close();
    allegro_exit();
    return 1;
}

int main(void) {
    static PALETTE palette;

    CFG_load("Velumbrina.Cfg");
    SHELL_calm_background();
    if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0) {
        fprintf(stderr, "Velumbrina: cannot start the graphics library: %s\n",
                allegro_error[0] ? allegro_error : "no display to open a window on");
        return 1;
    }
    set_close_button_callback(close_button_handler);
    close_button_pressed = 0;
    install_timer();
    instala_temporizador_60Hz();
    FSOUND_Init(CFG_samplerate, 32, FSOUND_INIT_GLOBALFOCUS);
    SHELL_load_interface_sounds();

    set_color_depth(CFG_bitdepth);
    if (GFX_open_window(CFG_window) != 0) {
        char what[80];
        snprintf(what, sizeof what, "cannot open a window at %d bits per pixel", CFG_bitdepth);
        SHELL_free_interface_sounds();
        return fail(what);
    }
    TMR_idle = GFX_service; // Alt+Enter and F11 work in every wait
    set_color_conversion(COLORCONV_TOTAL);
    GFX_init();
    if (CFG_scanlines)
        GFX_scanlines();
    else
        GFX_noscanlines();

    BITMAP *back_buffer = create_bitmap(512, 384);
    if (!back_buffer) {
        SHELL_free_interface_sounds();
        return fail("out of memory for the back buffer");
    }
    GFX_load_font("RESOURCES/ATARI.8x8");
    clear_bitmap(back_buffer);

    if (install_keyboard() != 0) {
        fprintf(stderr, "Velumbrina: cannot start the keyboard\n");
        SHELL_free_interface_sounds();
        FSOUND_Close();
        exit(-1);
    }

    intro(back_buffer, palette);

    MENU_opt = 1;
    FMUSIC_MODULE *title_song = SHELL_start_title_music();
    int choice = menu(1, back_buffer, palette);

    while (choice != MENU_EXIT && !close_button_pressed) {
        if (choice == MENU_PLAY) {
            GAME_level = 1;
            GAME_sublevel = 1;
            play_level_pack(title_song);
        } else if (choice == MENU_PASSWORD) {
            int n = CLAVE_entrada(back_buffer);
            if (n > 0) {
                GAME_sublevel = n % 25;
                GAME_level = n / 25;
                play_level_pack(title_song);
            }
        } else if (choice == MENU_USER_LEVEL) {
            FMUSIC_StopSong(title_song);
        }
        if (!close_button_pressed) {
            FMUSIC_PlaySong(title_song);
            choice = menu(0, back_buffer, palette);
        }
    }

    shut_down();
    return 0;
}
