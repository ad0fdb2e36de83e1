// motor.cpp -- play: loading a game's pictures, sounds and level, the rooms, the frame loop,
// and releasing it all. Log lines are written in ISO-8859-1 bytes (accents as \x escapes), like
// the rest of the log.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "frontend/clave.h"
#include "frontend/yes_no.h"
#include "game/interno.h"
#include "game/motor.h"
#include "gfx/gfx.h"
#include "gfx/key.h"
#include "render/render.h"
#include "platform/config.h"
#include "platform/loga.h"
#include "platform/sonido.h"
#include "platform/temporizadores.h"
#include "util/cadena.h"

// What juego owns besides the game state: the screens, the status-line pictures and the music.
static struct {
    BITMAP *frame_buffer, *card_buffer;
    BITMAP *bar_full, *bar_empty, *frame_picture;
    FMUSIC_MODULE *music;
} motor;

int PARTIDA_play_rooms(const PartidaLoop *loop) {
    while (!partida.game_done) {
        PARTIDA_start_room();
        if (loop->card) loop->card();
        // The room start's log lines; the level checker starts rooms without them.
        loga("Creando enemigos y plataformas");
        loga("Creando sistemas de part\xED"
             "culas");
        loga("Comenzando el juego 2");
        while (!partida.room_done) {
            PARTIDA_frame();
            if (loop->present) loop->present();
            if (loop->pace) loop->pace();
            if (key[KEY_R] && loop->confirm_retry && loop->confirm_retry()) {
                partida.retries -= 1;
                partida.room_done = 1;
            }
        }
        // The sixth confirmed retry ends the game instead of restarting the room.
        if (partida.retries < 0) {
            partida.result = 1;
            partida.game_done = 1;
        }
        if (GAME_sublevel > ROOM_COUNT) partida.game_done = 1;
    }
    return partida.result;
}

// The level card: level and room, and the room's password when there is one.
static void show_card(void) {
    char text[48];
    clear(motor.card_buffer);
    snprintf(text, sizeof text, "LEVEL %i - %i", GAME_level, GAME_sublevel);
    GFX_centra(motor.card_buffer, 88, -1, text);
    char *password = CLAVE_genera_clave((signed char)GAME_level, (signed char)GAME_sublevel);
    if (password) {
        GFX_centra(motor.card_buffer, 100, -1, password);
        free(password);
    }
    GFX_blitall(motor.card_buffer);
    KEY_wait_action_key();
}

static void present(void) {
    blitter(partida.room_view, motor.frame_picture, motor.frame_buffer, motor.bar_empty,
            motor.bar_full, partida.player.energy, GAME_level, GAME_sublevel, partida.retries);
}

// Two ticks of the 17 ms timer per frame; a slow frame is not made up.
static void pace(void) {
    while (contador_60Hz < 2)
        TMR_rest();
    contador_60Hz = 0;
}

static int ask_retry(void) {
    return yes_no(partida.room_view, motor.frame_picture, motor.frame_buffer, motor.bar_empty,
                  motor.bar_full, partida.player.energy, GAME_level, GAME_sublevel,
                  partida.retries);
}

static void destroy(BITMAP **b) {
    if (*b) destroy_bitmap(*b);
    *b = nullptr;
}

static void free_sample(FSOUND_SAMPLE **s) {
    if (*s) FSOUND_Sample_Free(*s);
    *s = nullptr;
}

// Releases everything juego made, whatever got made; also after a failed start.
static void release_all(void) {
    if (motor.music) FMUSIC_FreeSong(motor.music);
    motor.music = nullptr;
    free_sample(&partida.snd_jump);
    free_sample(&partida.snd_energy);
    free_sample(&partida.snd_lever);
    free_sample(&partida.snd_fall);
    free_sample(&partida.snd_hurt);
    free_sample(&partida.snd_land);

    PARTIDA_destroy_bitmaps();
    destroy(&motor.frame_buffer);
    destroy(&motor.frame_picture);
    destroy(&motor.bar_empty);
    destroy(&motor.bar_full);
    destroy(&motor.card_buffer);
    PARTIDA_release_pictures();
}

// The level's music: "resources/" + the level name with its last three letters made "xm".
static void load_music(const char *level_file) {
    char name[128];
    snprintf(name, sizeof name, "resources/%s", level_file);
    size_t n = strlen(name), base = strlen("resources/");
    if (n >= base + 3) strcpy(name + n - 3, "xm");
    motor.music = FMUSIC_LoadSong(name);
    if (motor.music) FMUSIC_SetMasterVolume(motor.music, 2 * CFG_soundvol);
}

static FSOUND_SAMPLE *sample(const char *name) {
    return FSOUND_Sample_Load(FSOUND_FREE, name, FSOUND_2D | FSOUND_LOOP_OFF, 0, 0);
}

int juego(char *level_file) {
    loga("Empezamos motor :) ");
    transparente = makecol(255, 0, 255);
    rtrim(level_file);
    minusculas(level_file);
    PARTIDA_reset(); // 5 retries, energy 255

    load_music(level_file);

    loga("Reservando memoria para buffers gr\xE1"
         "ficos");
    motor.frame_buffer = create_bitmap(256, 192);
    motor.card_buffer = create_bitmap(256, 192);
    if (!PARTIDA_create_bitmaps() || !motor.frame_buffer || !motor.card_buffer) {
        loga("No hay memoria para los buffers gr\xE1"
             "ficos");
        release_all();
        return 0;
    }

    loga("Cargando recursos gr\xE1"
         "ficos...");
    motor.bar_full = PARTIDA_picture("resources/ENE_Lle.pcx");
    motor.bar_empty = PARTIDA_picture("resources/ENE_Vac.pcx");
    PARTIDA_load_pictures();
    nubes1_x = nubes2_x = 0;

    loga("Creando bitmaps...");
    clear(partida.room_view);

    loga("Cargando fase:");
    loga(level_file);
    if (!carga_fase(level_file, &partida.header, partida.rooms, partida.levers,
                    partida.energy_items, partida.backgrounds, partida.tiles, partida.sprites)) {
        release_all();
        return 0;
    }
    loga("Fase cargada OK");
    for (int i = 0; i < PICKUP_SLOTS; i++)
        partida.levers[i].active = 1;
    for (int i = 0; i < PICKUP_SLOTS; i++)
        partida.energy_items[i].active = 1;

    motor.frame_picture = PARTIDA_picture("resources/MARCO.PCX");
    partida.player.energy = 255;

    if (CFG_soundon) {
        loga("Cargando sonidos");
        if (motor.music) FMUSIC_PlaySong(motor.music);
        partida.snd_energy = sample("resources/energia.wav");
        partida.snd_jump = sample("resources/salto.wav");
        partida.snd_lever = sample("resources/palanca.wav");
        partida.snd_fall = sample("resources/caer.wav");
        partida.snd_hurt = sample("resources/enemigo.wav");
        partida.snd_land = sample("resources/suelo.wav");
        FSOUND_SetSFXMasterVolume(2 * CFG_sfxvol);
    }

    // A password of a later level means room 25 of level 1; a room outside the level, its first.
    if (GAME_level > 1) {
        GAME_sublevel = 25;
        GAME_level = 1;
    }
    if (GAME_sublevel < 1 || GAME_sublevel > ROOM_COUNT) GAME_sublevel = 1;

    PartidaLoop loop = {show_card, present, pace, ask_retry};
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
