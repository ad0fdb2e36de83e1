// motor.cpp -- play's window loop: loading a game's pictures, sounds and level, showing the level
// cards, drawing, presenting and pacing the frames the simulation runs, the retry dialog, and
// releasing it all. Log lines are written in ISO-8859-1 bytes (accents as \x escapes), like the
// rest of the log.
#include "shell/motor.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include "frontend/clave.h"
#include "frontend/yes_no.h"
#include "game/partida.h"
#include "game/sonidos.h"
#include "gfx/gfx.h"
#include "gfx/key.h"
#include "gfx/picture.h"
#include "level/sanitize.h"
#include "platform/config.h"
#include "platform/loga.h"
#include "platform/sonido.h"
#include "platform/temporizadores.h"
#include "render/render.h"
#include "util/cadena.h"

// What juego owns besides the play state: the screens, the status-line pictures, the palette that
// load_pcx fills (the screenshot is saved with it) and the music; and the level's name when it is
// shown instead of its number.
static struct {
    BITMAP *frame_buffer, *card_buffer;
    BITMAP *bar_full, *bar_empty, *frame_picture;
    PALETTE palette;
    FMUSIC_MODULE *music;
    const char *name;
} motor;

// The level card: level and room, and the room's password when there is one.
static void show_card(void) {
    char text[48];
    clear(motor.card_buffer);
    if (motor.name) {
        snprintf(text, sizeof text, "LEVEL %.8s - %i", motor.name, GAME_sublevel);
        GFX_centra(motor.card_buffer, 88, -1, text);
    } else {
        snprintf(text, sizeof text, "LEVEL %i - %i", GAME_level, GAME_sublevel);
        GFX_centra(motor.card_buffer, 88, -1, text);
        char *password = CLAVE_genera_clave((signed char)GAME_level, (signed char)GAME_sublevel);
        if (password) {
            GFX_centra(motor.card_buffer, 100, -1, password);
            free(password);
        }
    }
    GFX_blitall(motor.card_buffer);
    KEY_wait_action_key();
}

// Rooms without a lever or a sane start are passed over.
static int room_playable(int room) {
    return LEVEL_room_playable(play_level.rooms, partida.levers, room);
}

// The screenshot key, then the frame composed and presented.
static void present(void) {
    if (key[KEY_RCONTROL] && screen) save_bitmap("CAP.PCX", screen, motor.palette);
    blitter(room_view, motor.frame_picture, motor.frame_buffer, motor.bar_empty, motor.bar_full,
            partida.player.energy, GAME_level, GAME_sublevel, partida.retries);
}

// Two ticks of the 17 ms timer per frame; a slow frame is not made up.
static void pace(void) {
    while (contador_60Hz < 2)
        TMR_rest();
    contador_60Hz = 0;
}

static int ask_retry(void) {
    return yes_no(room_view, motor.frame_picture, motor.frame_buffer, motor.bar_empty,
                  motor.bar_full, partida.player.energy, GAME_level, GAME_sublevel,
                  partida.retries);
}

static void destroy(BITMAP **b) {
    if (*b) destroy_bitmap(*b);
    *b = nullptr;
}

// Releases everything juego made, whatever got made; also after a failed start.
static void release_all(void) {
    if (motor.music) FMUSIC_FreeSong(motor.music);
    motor.music = nullptr;
    SFX_free();
    MAP_destroy_pictures(&play_level);
    RENDER_destroy_layers();
    destroy(&motor.frame_buffer);
    destroy(&motor.frame_picture);
    destroy(&motor.bar_empty);
    destroy(&motor.bar_full);
    destroy(&motor.card_buffer);
    RENDER_release_pictures();
    RENDER_set_level_name(nullptr);
    motor.name = nullptr;
}

// Loads a song; anything but a regular file is refused unopened (a pipe would block play).
static FMUSIC_MODULE *load_song(const char *path) {
    struct stat st;
    if (stat(path, &st) == 0 && !S_ISREG(st.st_mode)) {
        char line[300];
        snprintf(line, sizeof line, "music %.200s is not a regular file", path);
        loga(line);
        return nullptr;
    }
    return FMUSIC_LoadSong(path); // a missing one is logged by name
}

// The level's music, else (when it has none at all, quietly) the fallback.
static void load_music(const PlayLevel *level) {
    struct stat st;
    if (!level->music_fallback || stat(level->music, &st) == 0)
        motor.music = load_song(level->music);
    if (!motor.music && level->music_fallback) motor.music = load_song(level->music_fallback);
    if (motor.music) FMUSIC_SetMasterVolume(motor.music, 2 * CFG_soundvol);
}

// One of play's pictures; a missing one is logged by name and left null.
static BITMAP *picture(const char *name) {
    return GFX_load_picture(name, motor.palette, "No se pudo cargar");
}

int juego(char *level_file) {
    rtrim(level_file);
    minusculas(level_file);
    // The level is read from maps/, its music from resources/: the name with "xm" for its last
    // three letters.
    char path[128], music[128];
    snprintf(path, sizeof path, "maps/%s", level_file);
    snprintf(music, sizeof music, "resources/%s", level_file);
    size_t n = strlen(music), base = strlen("resources/");
    if (n >= base + 3) strcpy(music + n - 3, "xm");
    PlayLevel level = {path, music, nullptr, nullptr};
    return MOTOR_play(&level);
}

int MOTOR_play(const PlayLevel *what) {
    loga("Empezamos motor :) ");
    transparente = makecol(255, 0, 255);
    motor.name = what->name;
    RENDER_set_level_name(what->name);
    int level = GAME_level, room = GAME_sublevel; // where the shell asked play to start
    PARTIDA_reset();                              // 5 retries, energy 255
    GAME_level = level;
    GAME_sublevel = room;

    load_music(what);

    loga("Reservando memoria para buffers gr\xE1"
         "ficos");
    motor.frame_buffer = create_bitmap(256, 192);
    motor.card_buffer = create_bitmap(256, 192);
    if (!RENDER_create_layers() || !MAP_create_pictures(&play_level) || !motor.frame_buffer ||
        !motor.card_buffer) {
        loga("No hay memoria para los buffers gr\xE1"
             "ficos");
        release_all();
        return 0;
    }

    loga("Cargando recursos gr\xE1"
         "ficos...");
    motor.bar_full = picture("resources/ENE_Lle.pcx");
    motor.bar_empty = picture("resources/ENE_Vac.pcx");
    RENDER_load_pictures(motor.palette);
    nubes1_x = nubes2_x = 0;

    loga("Creando bitmaps...");
    clear(room_view);

    loga("Cargando fase:");
    const char *slash = strrchr(what->path, '/');
    loga(slash ? slash + 1 : what->path); // the file's name, as the log has always shown it
    if (!LEVEL_load_file(what->path, &play_level.header, play_level.rooms, partida.levers,
                         partida.energy_items, play_level.backgrounds, play_level.tiles,
                         play_level.sprites)) {
        release_all();
        return 0;
    }
    loga("Fase cargada OK");
    for (int i = 0; i < PICKUP_SLOTS; i++)
        partida.levers[i].active = 1;
    for (int i = 0; i < PICKUP_SLOTS; i++)
        partida.energy_items[i].active = 1;

    motor.frame_picture = picture("resources/MARCO.PCX");
    partida.player.energy = 255;

    if (CFG_soundon) {
        loga("Cargando sonidos");
        if (motor.music) FMUSIC_PlaySong(motor.music);
        SFX_load();
        FSOUND_SetSFXMasterVolume(2 * CFG_sfxvol);
    }

    // A password of a later level means room 25 of level 1; a room outside the level, its first.
    if (GAME_level > 1) {
        GAME_sublevel = 25;
        GAME_level = 1;
    }
    if (GAME_sublevel < 1 || GAME_sublevel > ROOM_COUNT) GAME_sublevel = 1;

    PartidaLoop loop = {show_card, RENDER_frame, present, pace, ask_retry, room_playable};
    int result = PARTIDA_play_rooms(&loop);

    loga("Fin del bucle del juego");
    if (CFG_soundon)
        loga("Liberando memoria de samples y m\xFA"
             "sica");
    loga("Destruyendo bitmaps");
    release_all();
    loga("\xB7"
         "FINE"
         "\xB7");
    return result;
}
