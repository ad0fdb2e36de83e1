// main.cpp -- the program's entry: start-up, the title menu loop and the orderly shut-down.
// SPDX-License-Identifier: MIT
#include <allegro.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include "frontend/entrada.h"
#include "frontend/levelmenu.h"
#include "frontend/menu_intro.h"
#include "frontend/options.h"
#include "replay/proof.h"
#include "frontend/menu_sounds.h"
#include "game/estado.h"
#include "shell/attack.h"
#include "shell/motor.h"
#include "shell/start_places.h"
#include "shell/watch.h"
#include "gfx/display.h"
#include "gfx/frame_dump.h"
#include "gfx/gfx.h"
#include "platform/leaving.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/paths.h"
#include "platform/sound_service.h"
#include "platform/temporizadores.h"
#include "platform/x11_port.h"

static const char LEVEL_PACK[] = "velba1.vb3";
static const char CONFIG_FILE[] = "Velumbrina.Cfg";

// Releases what start-up acquired, in the reverse order of need.
static void shut_down(void) {
    INPUT_shutdown();
    remove_keyboard();
    FRONT_free_interface_sounds();
    FSOUND_Close();
    allegro_exit();
}

// Waits until Escape (or a pad's back button) is let go, so the title menu does not take the one
// that left a screen as a request to quit.
static void wait_back_up(void) {
    while (INPUT_down(INPUT_BACK) && !close_button_pressed)
        TMR_rest();
}

// Plays the level pack from GAME_level/GAME_sublevel, then waits for Escape to be let go.
static void play_level_pack(FMUSIC_MODULE *title_song) {
    char level_file[sizeof LEVEL_PACK];
    memcpy(level_file, LEVEL_PACK, sizeof LEVEL_PACK); // play trims it in place
    FMUSIC_StopSong(title_song);
    juego(level_file);
    wait_back_up();
}

// The player's levels, read from the folder of that name among the player's files.
static const char LEVELS_DIR[] = "levels";

// The USER LEVEL screen and the levels played from it, until Escape takes the player back to
// the title menu. The title music plays on the list; the level's own music while it is played.
static void user_levels(BITMAP *back_buffer, PALETTE palette, FMUSIC_MODULE *title_song) {
    static LevelList list;
    static int selected;
    int start_room;
    char folder[LEVEL_PATH_MAX];
    PATHS_user_file(folder, sizeof folder, LEVELS_DIR);
    for (;;) {
        LEVELS_scan(&list, "maps", folder);
        PROOF_check_list(&list);
        int n = FRONT_user_levels(back_buffer, palette, &list, folder, &selected, &start_room);
        // Escape held on into the title menu would ask it to leave the program.
        if (n < 0) wait_back_up();
        if (n < 0 || close_button_pressed) return;
        // The level's own music, else the game's level music.
        const LevelEntry *e = &list.entries[n];
        char music[LEVEL_PATH_MAX + 16];
        MOTOR_level_music(e->path, e->shipped, music, sizeof music);
        PlayLevel level = {e->path, music, "resources/velba1.xm", "U"};
        FMUSIC_StopSong(title_song);
        GAME_level = 1;
        GAME_sublevel = start_room;
        MOTOR_play(&level);
        wait_back_up();
        if (close_button_pressed) return;
        FMUSIC_PlaySong(title_song);
    }
}

// Reads the settings once the graphics library has started. On the first start (no file yet)
// the window is the largest that fits the desktop comfortably, and the new file says so.
static void load_settings(const char *path) {
    struct stat st;
    bool first = lstat(path, &st) != 0 && errno == ENOENT;
    if (!CFG_load(path) || !first) return;
    int dw = 0, dh = 0;
    if (get_desktop_resolution(&dw, &dh) != 0) dw = dh = 0;
    int size = GFX_first_window_size(dw, dh);
    if (size == CFG_window) return;
    CFG_window = size;
    CFG_save(path);
}

// Fails start-up with a message the player can read, releasing what was started.
static int fail(const char *what) {
    fprintf(stderr, "Velumbrina: %s: %s\n", what, allegro_error[0] ? allegro_error : "failed");
    FSOUND_Close();
    allegro_exit();
    return 1;
}

// The command line's help; VB_VERSION comes from the build (the project's version).
static const char USAGE[] = "usage: velumbrina [--help | --version]\n";
static const char HELP[] =
    "Velumbrina, a flick-screen platform game: steer through the rooms of a level, jump, ride\n"
    "platforms, push blocks, dodge enemies and pull the lever that ends each room.\n"
    "\n"
    "With no argument the game opens its window at the title screen.\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Keys until you rebind them: arrows to walk and jump (Up high, Down long), Enter to pause,\n"
    "R to retry a room, Esc to leave; OPTIONS on the title menu sets the window, the sound and\n"
    "the keys. velumbrina-level makes levels of your own. Manual: man 6 velumbrina.\n";

// Answers --help and --version on standard output, and an unknown argument with the usage on
// standard error, before anything starts. Returns the exit status, or -1 to play.
static int answer_arguments(int argc, char **argv) {
    if (argc < 2) return -1;
    const char *arg = argv[1];
    if (argc == 2 && (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0)) {
        fputs(USAGE, stdout);
        fputs(HELP, stdout);
    } else if (argc == 2 && strcmp(arg, "--version") == 0) {
        printf("velumbrina %s\n", VB_VERSION);
    } else {
        if (argc == 2)
            fprintf(stderr, "velumbrina: unknown argument '%s'\n%s", arg, USAGE);
        else
            fprintf(stderr, "velumbrina: too many arguments\n%s", USAGE);
        return 2;
    }
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "velumbrina: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

int main(int argc, char **argv) {
    static PALETTE palette;

    int answered = answer_arguments(argc, argv);
    if (answered >= 0) return answered;
    // The data checked and the player's folders set before anything is read or written.
    if (START_places(VB_INSTALLED_DATA, CONFIG_FILE) != 0) return 1;
    char config_file[PATHS_MAX + sizeof CONFIG_FILE];
    PATHS_join(config_file, sizeof config_file, PATHS_config_dir(), CONFIG_FILE);
    FRAMEDUMP_start(getenv("VB_DUMP_FRAMES")); // window tests only, before any window shows
    PORT_calm_background();                    // before Allegro starts its background thread
    char why[400];
    if (GFX_start(why, sizeof why) != 0) { // a busy X server is tried again for a second
        fprintf(stderr, "Velumbrina: cannot start the graphics library: %s\n", why);
        return 1;
    }
    load_settings(config_file);
    LEAVING_install_handlers(); // in place of Allegro's
    set_close_button_callback(close_button_handler);
    close_button_pressed = 0;
    install_timer();
    instala_temporizador_60Hz();
    FSOUND_Init(CFG_samplerate, 32, FSOUND_INIT_GLOBALFOCUS);
    FSOUND_SetSFXMasterVolume(CFG_volume(CFG_sfxvol)); // the menus' sounds too
    FRONT_load_interface_sounds();

    set_color_depth(CFG_bitdepth);
    GFX_load_icon("resources/icon.pcx");
    if (GFX_open_window(CFG_window) != 0) {
        char what[80];
        snprintf(what, sizeof what, "cannot open a window at %d bits per pixel", CFG_bitdepth);
        FRONT_free_interface_sounds();
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
        FRONT_free_interface_sounds();
        return fail("out of memory for the back buffer");
    }
    GFX_load_font("RESOURCES/ATARI.8x8");
    clear_bitmap(back_buffer);

    if (install_keyboard() != 0) {
        fprintf(stderr, "Velumbrina: cannot start the keyboard\n");
        FRONT_free_interface_sounds();
        FSOUND_Close();
        exit(-1);
    }
    INPUT_init(); // keys latched as they come, pads; every wait polls them

    intro(back_buffer, palette);

    MENU_opt = 1;
    FMUSIC_MODULE *title_song = FRONT_start_title_music();
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
            user_levels(back_buffer, palette, title_song);
        } else if (choice == MENU_TIME_ATTACK) {
            ATTACK_screen(back_buffer, title_song);
            wait_back_up();
        } else if (choice == MENU_REPLAYS) {
            WATCH_screen(back_buffer, title_song);
            wait_back_up();
        } else if (choice == MENU_OPTIONS) {
            // Saved when the player leaves with something changed; a file that cannot be
            // written is logged and the options hold for this run.
            if (OPTIONS_screen(back_buffer, palette, title_song)) CFG_save(config_file);
            wait_back_up();
        }
        if (!close_button_pressed) {
            // The title music plays on through the player's levels and the options.
            if (choice != MENU_USER_LEVEL && choice != MENU_OPTIONS && choice != MENU_TIME_ATTACK &&
                choice != MENU_REPLAYS)
                FMUSIC_PlaySong(title_song);
            choice = menu(0, back_buffer, palette);
        }
    }

    shut_down();
    return 0;
}
