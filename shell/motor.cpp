// motor.cpp -- play's window loop: loading a game's pictures, sounds and level, showing the level
// cards, drawing, presenting and pacing the frames the simulation runs, the retry dialog, and
// releasing it all. Log lines are written in ISO-8859-1 bytes (accents as \x escapes), like the
// rest of the log.
// SPDX-License-Identifier: MIT
#include "shell/motor.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include "frontend/card.h"
#include "frontend/clave.h"
#include "frontend/yes_no.h"
#include "game/partida.h"
#include "gfx/frame_dump.h"
#include "gfx/gfx.h"
#include "platform/input_wait.h"
#include "gfx/picture.h"
#include "gfx/screenshot.h"
#include "level/sanitize.h"
#include "platform/leaving.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/loga.h"
#include "platform/sound_service.h"
#include "platform/temporizadores.h"
#include "render/render.h"
#include "shell/attack.h"
#include "replay/store.h"
#include "shell/play_sounds.h"
#include "util/cadena.h"

// What juego owns besides the play state and the renderer: the card's screen, the palette that
// load_pcx fills (the screenshot is saved with it) and the music.
static struct {
    BITMAP *card_buffer;
    PALETTE palette;
    FMUSIC_MODULE *music;
    int shot_failed;        // frames left to say that the screenshot could not be saved
    int tick_carry;         // the fraction of a tick the pacing owes from the frames before
    int cards_shown;        // level cards shown in this game: the first says how to play
    const char *level_path; // the level file being played
    int retry_room;         // the room retried last (GAME_sublevel), and how often in a row
    int room_retries;
} motor;

enum {
    FOCUS_SETTLE_MS = 1500,
    SHOT_MESSAGE_FRAMES = 90, // about three seconds
    SHOT_MESSAGE_Y = 22,      // near the room's top
};

// Every room attempt is recorded as it is played into one record (no allocation during frames)
// and kept when it ends (replay/store.h): the level's identity, whether recording is on (the level
// file could be read for its hash), the attempt, and the input of the frame being played.
static struct {
    ReplayLevelId level;
    bool on;
    Replay attempt;
    FrameInput input;
} recording;

// The room's first frame starts an attempt.
static void record_input(const FrameInput *in) {
    if (!recording.on) return;
    if (partida.room_frames == 0)
        REPLAY_record_start(&recording.attempt, &partida, &efectos, &recording.level,
                            (int64_t)time(nullptr));
    recording.input = *in;
}

// After the frame step: the frame recorded, and the attempt kept when the frame ended it.
static void record_frame(const FrameEvents *ev) {
    if (recording.on && recording.attempt.ending == REPLAY_UNFINISHED &&
        REPLAY_record_frame(&recording.attempt, &recording.input, &partida, ev))
        REPLAY_keep(&recording.attempt);
}

// The retry dialog ended the attempt.
static void record_retry(void) {
    if (!recording.on || recording.attempt.ending != REPLAY_UNFINISHED) return;
    REPLAY_record_retry(&recording.attempt, &partida);
    REPLAY_keep(&recording.attempt);
}

// Pause: the pause key or a pad's Start pressed during play (not one held on from the level card
// or the retry dialog), any input that calls MOTOR_toggle_pause, the window losing the keyboard
// focus, or a pad unplugged.
static struct {
    volatile int toggle;     // a request to pause, or to go on when paused
    volatile int focus_lost; // set by the window system's thread
    int leave;               // leaving was asked where play does not read it: the pause, the card
} pausa;

void MOTOR_toggle_pause(void) {
    pausa.toggle = 1;
}

// Allegro's display-switch callback: the window lost the keyboard focus.
static void focus_lost(void) {
    pausa.focus_lost = 1;
}
END_OF_STATIC_FUNCTION(focus_lost)

// Is the focus really gone? The game's own change of window (Alt+Enter, F11) takes it away for a
// moment: a loss soon after one waits until the window has settled, and is forgotten when the
// window has the focus back by then.
static int focus_gone(void) {
    if (!pausa.focus_lost || GFX_ms_since_window_opened() < FOCUS_SETTLE_MS) return 0;
    if (!GFX_window_has_focus()) return 1;
    pausa.focus_lost = 0;
    return 0;
}

// The pause key: a press (one held on from a screen before was taken there).
static void pause_key(void) {
    if (INPUT_pressed(INPUT_PAUSE)) MOTOR_toggle_pause();
}

// Play stands still: the last frame with PAUSED over it, music and effects held where they are,
// until the pause is toggled again, Escape (which the next frame takes as leaving the game) or
// the close button. The tick count then starts afresh: no frames are made up for the pause.
static void pause_play(int pad_lost) {
    loga(pad_lost           ? "paused: a game pad was unplugged"
         : pausa.focus_lost ? "paused: the window lost the keyboard focus"
                            : "paused");
    pausa.toggle = pausa.focus_lost = 0;
    FMUSIC_SetPaused(motor.music, 1);
    FSOUND_SetPaused(FSOUND_ALL, 1);
    CARD_draw_pause(renderer.frame_buffer);
    GFX_blitall(renderer.frame_buffer); // shown again after a change of window
    while (!pausa.toggle && !pausa.leave && !close_button_pressed) {
        TMR_rest();
        pause_key();
        INPUT_pad_lost(); // already paused
        if (INPUT_active(INPUT_LEAVE)) pausa.leave = 1;
    }
    INPUT_clear(); // keys pressed in the pause do not act after it
    pausa.toggle = pausa.focus_lost = 0;
    FSOUND_SetPaused(FSOUND_ALL, 0);
    FMUSIC_SetPaused(motor.music, 0);
    loga("play goes on");
    contador_60Hz = 0;
}

// The room's password for the cards (the caller frees it), or null: a level named by its label
// has none.
static char *room_password(void) {
    if (renderer.has_label) return nullptr;
    return CLAVE_genera_clave((signed char)GAME_level, (signed char)GAME_sublevel);
}

// Shows a card made in the card buffer until an action key; Escape on it ends play.
static void show_until_key(void) {
    INPUT_clear(); // what was pressed in the room before does not end the card
    GFX_blitall(motor.card_buffer);
    KEY_wait_action_key();
    if (INPUT_active(INPUT_LEAVE)) pausa.leave = 1;
    INPUT_clear(); // the Enter that ended the card does not pause
}

// A room starts: the level card, level (or label) and room, the room's password when there is
// one, and before the game's first room how to play.
static void show_card(void) {
    char text[48];
    ATTACK_reached(motor.level_path, GAME_sublevel - 1); // it opens in TIME ATTACK
    ATTACK_play_room_started();
    clear(motor.card_buffer);
    RENDER_level_line(&partida, text, sizeof text);
    char *password = room_password();
    CARD_draw_level(motor.card_buffer, text, password, motor.cards_shown++ == 0);
    if (partida.rules.assisted) // after the centred line
        RENDER_assist_mark(motor.card_buffer, 128 + 4 * (int)strlen(text) + 6, CARD_LEVEL_Y - 1);
    free(password);
    show_until_key();
}

// The game lost (energy run out or the retries spent): GAME OVER with the room reached and the
// password that comes back to it, until an action key; then the caller's menu. Not when the
// window is closing.
static void show_game_over(void) {
    if (!PARTIDA_lost(&partida) || close_button_pressed) return;
    if (GAME_sublevel > ROOM_COUNT) GAME_sublevel = ROOM_COUNT; // the last lever and energy out
    char text[48];
    RENDER_level_line(&partida, text, sizeof text);
    loga("game over");
    clear(motor.card_buffer);
    char *password = room_password();
    CARD_draw_game_over(motor.card_buffer, text, password);
    free(password);
    show_until_key();
    pausa.leave = 0;
}

// Rooms without a lever or a sane start are passed over.
static int room_playable(int room) {
    return LEVEL_room_playable(play_level.rooms, partida.levers, room);
}

// The frame's inputs: play's actions held, or pressed since the frame before, and the close button.
static void read_input(FrameInput *in) {
    INPUT_poll();
    in->left = INPUT_active(INPUT_LEFT);
    in->right = INPUT_active(INPUT_RIGHT);
    in->high_jump = INPUT_active(INPUT_HIGH_JUMP);
    in->long_jump = INPUT_active(INPUT_LONG_JUMP);
    in->leave = INPUT_active(INPUT_LEAVE) || pausa.leave;
    in->close = close_button_pressed != 0;
    pausa.leave = 0;
    ATTACK_play_input(partida.room); // SHOW ME, and its ghost
    record_input(in);
}

// The screenshot key, once per press: the window's picture saved, and a failure shown over the
// room for a while (the log says why).
static void screenshot(void) {
    if (!INPUT_pressed(INPUT_SCREENSHOT) || !screen) return;
    char report[200];
    motor.shot_failed =
        GFX_save_screenshot(screen, motor.palette, report, sizeof report) ? 0 : SHOT_MESSAGE_FRAMES;
    loga(report);
}

// The frame's sounds, the screenshot, then the frame composed and presented.
static void present(const FrameEvents *ev) {
    record_frame(ev);
    SFX_play_frame(ev);
    screenshot();
    BITMAP *frame = RENDER_compose(&partida, 1);
    if (!frame) return;
    ATTACK_overlay(frame);
    if (motor.shot_failed > 0) {
        motor.shot_failed--;
        rectfill(frame, 40, SHOT_MESSAGE_Y - 3, 215, SHOT_MESSAGE_Y + 10, 0);
        GFX_centra(frame, SHOT_MESSAGE_Y, -1, "SCREENSHOT NOT SAVED");
    }
    FRAMEDUMP_note(partida.room_frames); // the window tests match play's frames with a replay's
    GFX_blitall(frame);
}

// The pause when asked for, then two ticks of the 17 ms timer per frame, more at a slower game
// speed (the frame step is the same; the music keeps its own time); a slow frame is not made up.
static void pace(void) {
    pause_key();
    int pad_lost = INPUT_pad_lost();
    if (pausa.toggle || focus_gone() || pad_lost) pause_play(pad_lost);
    int ticks = TMR_frame_ticks(partida.rules.speed, &motor.tick_carry);
    while (contador_60Hz < ticks)
        TMR_rest();
    contador_60Hz = 0;
}

// Retries of this room after which the retry dialog offers SHOW ME.
enum { SHOW_ME_AFTER_RETRIES = 3 };

static int offer_show_me(void) {
    return motor.retry_room == GAME_sublevel && motor.room_retries >= SHOW_ME_AFTER_RETRIES;
}

// The game frame as play stands, for the retry dialog to draw over; with SHOW ME offered under
// the dialog once the room has been retried often.
static BITMAP *compose(int outlined) {
    BITMAP *frame = RENDER_compose(&partida, outlined);
    if (frame && offer_show_me()) GFX_centra(frame, 126, -1, "TAB SHOW ME");
    return frame;
}

// The retry dialog while the retry key is held (or was pressed since the frame before). Tab
// pressed while it offers SHOW ME plays the route's ghost from the room's start.
static int ask_retry(void) {
    if (!INPUT_active(INPUT_RETRY)) return 0;
    int yes = yes_no(compose);
    if (INPUT_pressed(INPUT_SHOW_ME) && offer_show_me()) ATTACK_play_ask_show_me();
    INPUT_clear(); // nor does the Enter that answered
    if (yes) {
        record_retry();
        if (motor.retry_room != GAME_sublevel) motor.room_retries = 0;
        motor.retry_room = GAME_sublevel;
        motor.room_retries++;
    }
    return yes;
}

// Releases everything juego made, whatever got made; also after a failed start.
static void release_all(void) {
    if (motor.music) FMUSIC_FreeSong(motor.music);
    motor.music = nullptr;
    SFX_free();
    MAP_destroy_pictures(&play_level);
    GFX_destroy_picture(&motor.card_buffer);
    RENDER_reset(nullptr);
}

// The level's music, else (when it has none at all, quietly) the fallback.
static void load_music(const PlayLevel *level) {
    struct stat st;
    if (!level->music_fallback || stat(level->music, &st) == 0)
        motor.music = FMUSIC_LoadSong(level->music); // refused when it is not a sensible file
    if (!motor.music && level->music_fallback) motor.music = FMUSIC_LoadSong(level->music_fallback);
    if (motor.music) FMUSIC_SetMasterVolume(motor.music, CFG_volume(CFG_soundvol));
}

void MOTOR_level_music(const char *path, bool shipped, char *out, size_t size) {
    const char *file = strrchr(path, '/') ? strrchr(path, '/') + 1 : path;
    int stem = (int)strlen(file) - 4; // without ".vb3"
    if (stem < 0) stem = 0;
    if (shipped)
        snprintf(out, size, "resources/%.*s.xm", stem, file);
    else
        snprintf(out, size, "%.*s.xm", (int)(file - path) + stem, path);
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

int MOTOR_open(const PlayLevel *what) {
    loga("Empezamos motor :) ");
    RENDER_reset(what->name);
    int level = GAME_level, room = GAME_sublevel; // where the shell asked play to start
    PARTIDA_reset(&partida, &efectos);            // 5 retries, energy 255
    partida.sound_on = CFG_soundon != 0;
    PARTIDA_set_rules(&partida, settings.no_damage, settings.endless_retries, settings.game_speed);
    renderer.show_timer = settings.show_timer != 0;
    if (partida.rules.assisted) {
        char line[96];
        snprintf(line, sizeof line, "assisted game: speed %d%%%s%s", partida.rules.speed,
                 partida.rules.no_damage ? ", no damage" : "",
                 partida.rules.endless_retries ? ", endless retries" : "");
        loga(line);
    }
    motor.tick_carry = 0;
    GAME_level = level;
    GAME_sublevel = room;

    load_music(what);
    motor.level_path = what->path;
    motor.retry_room = motor.room_retries = 0;
    ATTACK_play_started(what->path);

    loga("Reservando memoria para buffers gr\xE1"
         "ficos");
    motor.card_buffer = create_bitmap(256, 192);
    if (!RENDER_create_layers() || !MAP_create_pictures(&play_level) || !motor.card_buffer) {
        loga("No hay memoria para los buffers gr\xE1"
             "ficos");
        release_all();
        return 0;
    }

    loga("Cargando recursos gr\xE1"
         "ficos...");
    RENDER_load_pictures(motor.palette);

    loga("Creando bitmaps...");

    loga("Cargando fase:");
    const char *slash = strrchr(what->path, '/');
    loga(slash ? slash + 1 : what->path); // the file's name, as the log has always shown it
    LevelLoad load;
    if (!LEVEL_load(what->path, MAP_PICTURES, &play_level, &load)) {
        release_all();
        return 0;
    }
    LEVEL_log_fixes(what->path, load.fixed);
    loga("Fase cargada OK");
    PARTIDA_place_pickups(&partida, &play_level);
    char why[300];
    recording.on = REPLAY_level_id(what->path, &play_level, &recording.level, why, sizeof why);
    recording.attempt.ending = REPLAY_UNFINISHED;
    if (!recording.on) {
        char line[400];
        snprintf(line, sizeof line, "replays are not recorded: %s", why);
        loga(line);
    }

    partida.player.energy = 255;

    if (CFG_soundon) {
        loga("Cargando sonidos");
        if (motor.music) FMUSIC_PlaySong(motor.music);
        SFX_load();
        FSOUND_SetSFXMasterVolume(CFG_volume(CFG_sfxvol));
    }

    // A password of a later level means room 25 of level 1; a room outside the level, its first.
    if (GAME_level > 1) {
        GAME_sublevel = 25;
        GAME_level = 1;
    }
    if (GAME_sublevel < 1 || GAME_sublevel > ROOM_COUNT) GAME_sublevel = 1;

    pausa.toggle = pausa.focus_lost = pausa.leave = 0;
    motor.shot_failed = 0;
    motor.cards_shown = 0;
    INPUT_clear();
    INPUT_pad_lost(); // a pad unplugged before play does not pause it
    LOCK_FUNCTION(focus_lost);
    set_display_switch_callback(SWITCH_OUT, focus_lost);
    return 1;
}

void MOTOR_hooks(PartidaLoop *loop) {
    *loop = {show_card, ATTACK_draw, present, pace, ask_retry, room_playable, read_input};
}

void MOTOR_close(void) {
    remove_display_switch_callback(focus_lost);
    show_game_over();

    loga("Fin del bucle del juego");
    if (CFG_soundon)
        loga("Liberando memoria de samples y m\xFA"
             "sica");
    loga("Destruyendo bitmaps");
    release_all();
    loga("\xB7"
         "FINE"
         "\xB7");
}

int MOTOR_play(const PlayLevel *what) {
    if (!MOTOR_open(what)) return 0;
    PartidaLoop loop;
    MOTOR_hooks(&loop);
    int result = PARTIDA_play_rooms(&partida, &efectos, &play_level, &loop);
    MOTOR_close();
    return result;
}
