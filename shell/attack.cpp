// attack.cpp -- TIME ATTACK: choosing a level and a room, trying the room alone (energy full, an
// instant restart, the timer on the status line, the best's or the checker's route as a ghost),
// the result on the lever, the records kept in the player's data directory; the best's ghost plays
// the room's best finish kept with the replays.
// SPDX-License-Identifier: MIT
#include "shell/attack.h"
#include <stdio.h>
#include <string.h>
#include "frontend/timeattack.h"
#include "game/attack.h"
#include "level/sanitize.h"
#include "platform/config.h"
#include "platform/input.h"
#include "platform/leaving.h"
#include "platform/loga.h"
#include "platform/paths.h"
#include "platform/temporizadores.h"
#include "gfx/gfx.h"
#include "render/render.h"
#include "replay/store.h"
#include "shell/motor.h"

static const char RECORDS_FILE[] = "records.txt";

enum {
    GHOST_FACT = 96,      // how much of the ghost shows over the room (of 255)
    OLD_BLOCK_VALUES = 5, // settings in files from before the ghost's switch moved to OPTIONS
};

// What time attack keeps while it runs: the records and whether they may be saved, the levels on
// offer with their par, the room's best finish and the ghosts.
static struct {
    Records records;
    int records_state; // RECORDS_LOADED .. RECORDS_KEPT
    bool loaded;
    AttackLevel levels[LEVEL_LIST_MAX + 1];
    ParFile pars[LEVEL_LIST_MAX + 1]; // only levels[0..count) that have one are read
    bool has_par[LEVEL_LIST_MAX + 1];
    int count;
    ReplayLevelId level_id; // the level being tried, to find and check its best finish
    bool has_id;
    Replay best;             // the room's best finish, when best_ok
    bool best_ok;            // it is there, of this level and room, and plays back the same
    ReplayPlayer best_ghost; // the best's ghost, when best_running
    bool best_running;       //
    Ghost ghost;             // SHOW ME's route
    int show_me;          // 0 the best's ghost, 1 the fastest route, 2 the route taking every item
    bool in_attack;       // a time attack try is being played, not the level
    bool show_me_pending; // the retry dialog asked for SHOW ME: it starts with the next frame
    ParFile play_par;     // the par of the level play is playing, for SHOW ME
    bool play_has_par;
    int note_frames;
    const char *note;
} ta;

static LevelList scanned; // the levels beside the game's own

// The records file's path; 0 when it does not fit.
static int records_path(char *out, size_t size) {
    return PATHS_user_file(out, size, RECORDS_FILE);
}

static void load_records(void) {
    if (ta.loaded) return;
    char path[LEVEL_PATH_MAX];
    ta.records_state =
        records_path(path, sizeof path) ? RECORDS_load(path, &ta.records) : RECORDS_KEPT;
    ta.loaded = true;
    if (ta.records.ghost_off && settings.block_count <= OLD_BLOCK_VALUES) {
        // The switch the TIME ATTACK list had: carried into OPTIONS once.
        settings.ghost = 0;
        char cfg[PATHS_MAX + 16];
        PATHS_join(cfg, sizeof cfg, PATHS_config_dir(), "Velumbrina.Cfg");
        CFG_save(cfg);
    }
}

static void save_records(void) {
    char path[LEVEL_PATH_MAX], line[LEVEL_PATH_MAX + 80];
    if (ta.records_state == RECORDS_KEPT || !records_path(path, sizeof path)) return;
    int err = RECORDS_save(path, &ta.records);
    if (!err) return;
    snprintf(line, sizeof line, "records: %s cannot be written: %s", path, strerror(err));
    loga(line);
}

void ATTACK_reached(const char *path, int room) {
    load_records();
    char key[RECORDS_KEY_MAX];
    RECORDS_key(path, key, sizeof key);
    LevelRecord *l = RECORDS_level(&ta.records, key, 1);
    if (!l || room < 0 || room >= ROOM_COUNT || (l->reached >> room & 1)) return;
    l->reached |= 1u << room;
    save_records();
}

// The levels on offer: the game's own first, then what the USER LEVEL list finds, each with its
// par when it has one.
static void list_levels(void) {
    ta.count = 0;
    AttackLevel *own = &ta.levels[ta.count++];
    snprintf(own->path, sizeof own->path, "maps/%s", LEVEL_OWN_FILE);
    snprintf(own->name, sizeof own->name, "VELUMBRINA");
    own->shipped = true;
    LEVELS_scan(&scanned, "maps", "levels");
    for (int i = 0; i < scanned.count && ta.count <= LEVEL_LIST_MAX; i++) {
        const LevelEntry *e = &scanned.entries[i];
        if (e->damaged || e->playable <= 0) continue;
        AttackLevel *l = &ta.levels[ta.count++];
        snprintf(l->path, sizeof l->path, "%s", e->path);
        snprintf(l->name, sizeof l->name, "%s", e->name);
        l->shipped = e->shipped;
    }
    for (int i = 0; i < ta.count; i++) {
        char par[LEVEL_PATH_MAX + 8], why[160] = "", line[LEVEL_PATH_MAX + 200];
        int read = PAR_path(ta.levels[i].path, par, sizeof par)
                       ? PAR_load(par, &ta.pars[i], why, sizeof why)
                       : PAR_MISSING;
        ta.has_par[i] = read == PAR_OK;
        if (read == PAR_DAMAGED) {
            snprintf(line, sizeof line, "par: %s %s: the level has no par", par, why);
            loga(line);
        }
    }
}

static LevelRecord *level_record(int level, int create) {
    char key[RECORDS_KEY_MAX];
    RECORDS_key(ta.levels[level].path, key, sizeof key);
    return RECORDS_level(&ta.records, key, create);
}

// The rooms open in TIME ATTACK: a player's level has all of them, a shipped level those reached in
// play (its first always).
static unsigned open_rooms(int level) {
    if (!ta.levels[level].shipped) return (1u << ROOM_COUNT) - 1;
    const LevelRecord *l = level_record(level, 0);
    return 1u | (l ? l->reached : 0);
}

// Reads the room's best finish from the replays for its ghost (replay/store.h): none yet, no
// ghost; anything wrong with it, no ghost and a log line.
static void load_best(int room) {
    char why[PATHS_MAX + 300], line[PATHS_MAX + 400];
    ta.best_ok = ta.has_id &&
                 REPLAY_load_best(&ta.level_id, &play_level, room + 1, &ta.best, why, sizeof why);
    if (ta.best_ok || !ta.has_id || !why[0]) return;
    snprintf(line, sizeof line, "time attack: %s: no ghost for this room", why);
    loga(line);
}

// Starts the ghost of a try from room's start: the checker's route SHOW ME asked for (par null:
// the level has none), else in time attack the best finish when the ghost is on in OPTIONS.
static void start_ghost(const ParFile *par, int room) {
    const char *keys = nullptr;
    int frames = 0;
    ta.best_running = false;
    if (ta.show_me) {
        const ParRoute *r = par ? &par->routes[room][ta.show_me - 1] : nullptr;
        if (r && r->frames > 0) {
            keys = r->keys;
            frames = r->frames;
            ta.note = ta.show_me == 1 ? "SHOW ME: FASTEST" : "SHOW ME: EVERY ITEM";
        } else {
            ta.note = "NO ROUTE FOR THIS ROOM";
        }
        ta.note_frames = 90;
    } else if (settings.ghost && ta.in_attack && ta.best_ok) {
        REPLAY_player_start(&ta.best_ghost, &ta.best, &play_level);
        ta.best_running = true;
    }
    GHOST_start(&ta.ghost, &play_level, room, keys, frames);
}

// Steps the ghost one frame: a route's, or the best's until its run ends (it stays there).
static void step_ghost(void) {
    GHOST_step(&ta.ghost, &play_level);
    if (ta.best_running) REPLAY_player_step(&ta.best_ghost, &play_level, nullptr, nullptr);
}

void ATTACK_play_started(const char *path) {
    char par[LEVEL_PATH_MAX + 8], why[160] = "";
    ta.play_has_par = !ta.in_attack && PAR_path(path, par, sizeof par) &&
                      PAR_load(par, &ta.play_par, why, sizeof why) == PAR_OK;
    ATTACK_play_room_started();
}

void ATTACK_play_room_started(void) {
    if (ta.in_attack) return;
    ta.show_me = 0;
    ta.note_frames = 0;
    ta.ghost.frames = 0;
    ta.ghost.running = false;
    ta.best_running = false;
}

void ATTACK_play_input(int room) {
    if (ta.in_attack) return;
    if (INPUT_pressed(INPUT_SHOW_ME) || ta.show_me_pending) {
        ta.show_me_pending = false;
        ta.show_me = (ta.show_me + 1) % 3;
        start_ghost(ta.play_has_par ? &ta.play_par : nullptr, room);
    }
    step_ghost();
}

void ATTACK_play_ask_show_me(void) {
    ta.show_me_pending = !ta.in_attack;
}

void ATTACK_overlay(BITMAP *frame) {
    if (ta.note_frames <= 0 || !frame) return;
    ta.note_frames--;
    FRONT_attack_note(frame, ta.note);
}

void ATTACK_draw(const Partida *g, const Efectos *fx, const Level *lv, const FrameEvents *so_far) {
    RENDER_frame_hook(g, fx, lv, so_far);
    if (ta.ghost.frames > 0) RENDER_ghost(&ta.ghost.g.player, lv, GHOST_FACT);
    if (ta.best_running) RENDER_ghost(&ta.best_ghost.g.player, lv, GHOST_FACT);
}

// The status line's timer.
static void show_timer(int frames) {
    char t[16];
    ATTACK_time_text(frames, 0, t, sizeof t);
    snprintf(renderer.status, sizeof renderer.status, "TIME %s", t);
}

// Waits for Enter (1) or Escape (0) over what is shown; 0 on the close button.
static int wait_choice(void) {
    INPUT_clear();
    for (;;) {
        TMR_rest();
        INPUT_poll();
        if (close_button_pressed || INPUT_pressed(INPUT_BACK)) return 0;
        if (INPUT_pressed(INPUT_CONFIRM) || INPUT_pressed(INPUT_RETRY)) return 1;
    }
}

enum { TRY_AGAIN, TRY_SHOW_ME, TRY_LEFT };

// One try of the room from its start, until the lever, energy out, a restart or leaving.
static int one_try(int level, int room, const PartidaLoop *hooks) {
    LevelRecord *rec = level_record(level, 1);
    PARTIDA_start_attempt(&partida, &efectos, &play_level, room);
    partida.sound_on = CFG_soundon != 0;
    start_ghost(ta.has_par[level] ? &ta.pars[level] : nullptr, room);
    if (rec && rec->rooms[room].attempts < RECORDS_COUNT_MAX) rec->rooms[room].attempts++;
    INPUT_clear();
    while (!partida.room_done) {
        FrameInput in = {};
        FrameEvents ev;
        hooks->input(&in); // play's recording keeps the try as a replay
        step_ghost();
        PARTIDA_frame(&partida, &efectos, &play_level, &in, &ev, ATTACK_draw);
        show_timer(partida.room_frames);
        hooks->present(&ev);
        hooks->pace();
        if (partida.room_done) break;
        if (INPUT_pressed(INPUT_RETRY)) return TRY_AGAIN;
        if (INPUT_pressed(INPUT_SHOW_ME)) return TRY_SHOW_ME;
    }
    if (partida.player.energy <= 0) { // energy out: straight into the next try
        if (rec && rec->rooms[room].deaths < RECORDS_COUNT_MAX) rec->rooms[room].deaths++;
        save_records();
        return TRY_AGAIN;
    }
    if (partida.sublevel != room + 2) { // Escape or the close button
        save_records();
        return TRY_LEFT;
    }
    // The lever: the time, compared.
    int time = partida.room_frames, old_best = rec ? rec->rooms[room].best : 0;
    int par = ta.has_par[level] ? PAR_room(&ta.pars[level], room) : 0;
    // An assisted try's time is shown, never kept as the best.
    if (rec && !partida.rules.assisted && (old_best == 0 || time < old_best))
        rec->rooms[room].best = time;
    save_records();
    load_best(room); // a faster finish is the room's best replay now
    char line[120];
    snprintf(line, sizeof line, "time attack: room %d in %d frames (best %d, par %d)", room + 1,
             time, old_best, par);
    loga(line);
    static Partida shown; // the status line names the room played, not the one after it
    shown = partida;
    shown.sublevel = room + 1;
    BITMAP *frame = RENDER_compose(&shown, 1);
    if (frame) {
        FRONT_attack_result(frame, time, old_best, par, partida.rules.assisted);
        GFX_blitall(frame);
    }
    return wait_choice() ? TRY_AGAIN : TRY_LEFT;
}

// Plays room of level until the player leaves.
static void play_room(int level, int room) {
    const AttackLevel *l = &ta.levels[level];
    char music[LEVEL_PATH_MAX + 16];
    MOTOR_level_music(l->path, l->shipped, music, sizeof music);
    PlayLevel what = {l->path, music, "resources/velba1.xm", level == 0 ? nullptr : "U"};
    GAME_level = 1;
    GAME_sublevel = room + 1;
    ta.in_attack = true;
    int opened = MOTOR_open(&what);
    ta.in_attack = false;
    if (!opened) return;
    if (!LEVEL_room_playable(play_level.rooms, partida.levers, room)) {
        MOTOR_close();
        return;
    }
    PartidaLoop hooks;
    MOTOR_hooks(&hooks);
    char why[300];
    ta.has_id = REPLAY_level_id(l->path, &play_level, &ta.level_id, why, sizeof why);
    load_best(room);
    ta.show_me = 0;
    ta.note_frames = 0;
    // The card over the room's first frame.
    PARTIDA_start_attempt(&partida, &efectos, &play_level, room);
    snprintf(renderer.status, sizeof renderer.status, "TIME 0.00");
    FrameEvents first = {};
    first.room_start = true;
    RENDER_frame_hook(&partida, &efectos, &play_level, &first);
    BITMAP *frame = RENDER_compose(&partida, 1);
    const LevelRecord *rec = level_record(level, 0);
    if (frame) {
        FRONT_attack_card(frame, l->name, room, rec ? rec->rooms[room].best : 0,
                          ta.has_par[level] ? PAR_room(&ta.pars[level], room) : 0);
        GFX_blitall(frame);
    }
    int go = wait_choice();
    ta.in_attack = true;
    while (go && !close_button_pressed) {
        int end = one_try(level, room, &hooks);
        if (end == TRY_LEFT) break;
        if (end == TRY_SHOW_ME) ta.show_me = (ta.show_me + 1) % 3;
    }
    ta.in_attack = false;
    MOTOR_close();
}

void ATTACK_screen(BITMAP *back_buffer, FMUSIC_MODULE *title_song) {
    static int level_sel, room_sel, records_sel;
    load_records();
    list_levels();
    for (;;) {
        int level = FRONT_attack_levels(back_buffer, ta.levels, ta.count, &level_sel);
        if (close_button_pressed || level == ATTACK_BACK) return;
        if (level == ATTACK_RECORDS) {
            static const LevelRecord *recs[LEVEL_LIST_MAX + 1];
            static const ParFile *pars[LEVEL_LIST_MAX + 1];
            for (int i = 0; i < ta.count; i++) {
                recs[i] = level_record(i, 0);
                pars[i] = ta.has_par[i] ? &ta.pars[i] : nullptr;
            }
            FRONT_records(back_buffer, ta.levels, ta.count, recs, pars, &records_sel);
            continue;
        }
        for (;;) {
            const LevelRecord *rec = level_record(level, 0);
            int room =
                FRONT_attack_rooms(back_buffer, ta.levels[level].name, open_rooms(level), rec,
                                   ta.has_par[level] ? &ta.pars[level] : nullptr, &room_sel);
            if (close_button_pressed || room == ATTACK_BACK) break;
            FMUSIC_StopSong(title_song);
            play_room(level, room);
            if (close_button_pressed) return;
            FMUSIC_PlaySong(title_song);
        }
    }
}
