// watch.cpp -- REPLAYS: the levels, rooms and attempts kept, and an attempt watched: played again
// from its room's start with the frame step and drawn by play's renderer, the keys held on the
// status line; pause, a frame at a time, 2x and 4x, restart. A replay of another version of its
// level, a damaged file or a desync is refused or stopped with a message, never played on.
// SPDX-License-Identifier: MIT
#include "shell/watch.h"
#include <stdio.h>
#include <string.h>
#include "frontend/replays.h"
#include "frontend/timeattack.h"
#include "game/attack.h"
#include "gfx/frame_dump.h"
#include "gfx/gfx.h"
#include "level/userlevels.h"
#include "platform/input.h"
#include "platform/leaving.h"
#include "platform/loga.h"
#include "platform/paths.h"
#include "platform/temporizadores.h"
#include "render/render.h"
#include "shell/motor.h"
#include "shell/play_sounds.h"

enum { SPEED_MAX = 4 };

// What the lists and the watching keep: the kept replays found, the choices, the replay watched
// and its playback.
static struct {
    ReplayShelf shelves[REPLAY_SHELF_MAX];
    ReplayListed listed[REPLAY_ROOM_LIST_MAX];
    char lines[REPLAY_SHELF_MAX][REPLAYS_LINE_MAX];
    int level_sel, room_sel, attempt_sel;
    Replay replay;
    ReplayPlayer player;
} watch;

// The frame step's drawing hook while watching: the renderer draws the effects it finds in play's
// record, so the playback's are put there first.
static void draw(const Partida *g, const Efectos *fx, const Level *lv, const FrameEvents *so_far) {
    efectos = *fx;
    RENDER_frame_hook(g, fx, lv, so_far);
}

// Presents the playback's frame: the keys of the frame played on the status line, and a note over
// the room when there is one (a frame as played has none, and is tagged with its room frame for
// the window tests).
static void present(int speed, const char *note) {
    const ReplayPlayer *p = &watch.player;
    int keys = p->frame > 0 ? watch.replay.keys[p->frame - 1] : 0;
    FRONT_replay_keys(keys, speed, renderer.status, sizeof renderer.status);
    BITMAP *frame = RENDER_compose(&p->g, 1);
    if (!frame) return;
    if (note)
        FRONT_attack_note(frame, note);
    else
        FRAMEDUMP_note(p->frame);
    GFX_blitall(frame);
}

// The note over the room once the playback stands still, or null while it plays.
static const char *standing_note(bool paused, char *text, size_t size) {
    const ReplayPlayer *p = &watch.player;
    const Replay *r = &watch.replay;
    if (p->desync_frame >= 0) {
        snprintf(text, size, "DESYNC AT FRAME %d", p->desync_frame);
    } else if (p->frame >= r->frames) {
        char t[16], ending[16];
        ATTACK_time_text(r->frames, 0, t, sizeof t);
        snprintf(ending, sizeof ending, "%s", REPLAY_ending_name(r->ending));
        for (char *c = ending; *c; c++)
            if (*c >= 'a' && *c <= 'z') *c = (char)(*c - 'a' + 'A');
        snprintf(text, size, "END: %s %s", ending, t);
    } else if (paused) {
        snprintf(text, size, "PAUSED  RIGHT: A FRAME");
    } else {
        return nullptr;
    }
    return text;
}

// Logs a desync once, with the file.
static void log_desync(const char *path) {
    char line[REPLAY_PATH_MAX + 200];
    snprintf(line, sizeof line, "replay: %s does not play back: desync at frame %d", path,
             watch.player.desync_frame);
    loga(line);
}

// Plays the replay on the opened level until Escape or the close button.
static void play_back(const char *path, BITMAP *back_buffer) {
    ReplayPlayer *p = &watch.player;
    const Replay *r = &watch.replay;
    int speed = 1, carry = 0;
    bool paused = false, restart = true, shown = false;
    char text[48];
    INPUT_clear();
    while (!close_button_pressed) {
        if (restart) {
            REPLAY_player_start(p, r, &play_level);
            restart = shown = false;
            if (p->desync_frame == 0) {
                log_desync(path);
                FRONT_replay_message(back_buffer, "DOES NOT PLAY BACK",
                                     "ITS ROOM STARTS OTHERWISE NOW", nullptr);
                return;
            }
        }
        INPUT_poll();
        if (INPUT_pressed(INPUT_BACK)) return;
        if (INPUT_pressed(INPUT_RETRY)) restart = true;
        if (INPUT_pressed(INPUT_PAUSE)) paused = !paused, shown = false;
        if (INPUT_pressed(INPUT_UP) && speed < SPEED_MAX) speed *= 2, shown = false;
        if (INPUT_pressed(INPUT_DOWN) && speed > 1) speed /= 2, shown = false;
        if (restart) continue;
        // Paused, a frame when asked, and the room's first frame always (nothing else to show).
        bool step_one = paused && (INPUT_pressed(INPUT_MENU_RIGHT) || p->frame == 0);
        int steps = standing_note(false, text, sizeof text) ? 0 : paused ? step_one : speed;
        for (int i = 0; i < steps && p->desync_frame < 0; i++) {
            FrameEvents ev;
            REPLAY_player_step(p, &play_level, draw, &ev);
            if (speed == 1 && !paused) SFX_play_frame(&ev);
            if (p->desync_frame >= 0) log_desync(path);
        }
        if (steps) { // the frame as played, then the note over it again when paused
            present(speed, nullptr);
            shown = false;
        }
        const char *note = standing_note(paused, text, sizeof text);
        if (note && !shown) present(speed, note); // once: the screen then stands still
        shown = note != nullptr;
        int ticks = note ? 1 : TMR_frame_ticks(p->g.rules.speed, &carry);
        while (contador_60Hz < ticks && !close_button_pressed)
            TMR_rest();
        contador_60Hz = 0;
    }
}

// Loads the replay at path and, when its level is here as it was, watches it; else says why.
static void watch_one(const char *path, BITMAP *back_buffer) {
    Replay *r = &watch.replay;
    char why[200], line[REPLAY_PATH_MAX + 300];
    if (!REPLAY_load(path, r, why, sizeof why)) {
        snprintf(line, sizeof line, "replay: %s is damaged: %s", path, why);
        loga(line);
        FRONT_replay_message(back_buffer, "THIS REPLAY IS DAMAGED", why, nullptr);
        return;
    }
    char levels[REPLAY_PATH_MAX], level[REPLAY_PATH_MAX + 80];
    if (!PATHS_user_file(levels, sizeof levels, "levels")) levels[0] = 0;
    const char *folders[] = {"maps", levels};
    int found = REPLAY_find_level(&r->level, folders, levels[0] ? 2 : 1, level, sizeof level);
    if (found != REPLAY_LEVEL_FOUND) {
        snprintf(line, sizeof line, "replay: %s was made for %s (%s), %s", path, r->level.file,
                 r->level.name,
                 found == REPLAY_LEVEL_CHANGED ? "another version of it is here" : "not here");
        loga(line);
        FRONT_replay_message(back_buffer, "CANNOT BE WATCHED",
                             found == REPLAY_LEVEL_CHANGED ? "MADE FOR ANOTHER VERSION"
                                                           : "ITS LEVEL IS NOT HERE",
                             found == REPLAY_LEVEL_CHANGED ? "OF THIS LEVEL" : r->level.file);
        return;
    }
    bool shipped = strncmp(level, "maps/", 5) == 0;
    bool own = shipped && strcmp(r->level.file, LEVEL_OWN_FILE) == 0;
    char music[REPLAY_PATH_MAX + 100];
    MOTOR_level_music(level, shipped, music, sizeof music);
    PlayLevel what = {level, music, "resources/velba1.xm", own ? nullptr : "U"};
    GAME_level = 1;
    GAME_sublevel = r->room;
    snprintf(line, sizeof line, "replay: watching %s", path);
    loga(line);
    if (!MOTOR_open(&what)) {
        FRONT_replay_message(back_buffer, "CANNOT BE WATCHED", "ITS LEVEL CANNOT BE LOADED",
                             nullptr);
        return;
    }
    play_back(path, back_buffer);
    MOTOR_close();
}

// The rooms of a shelf with replays, as the list's lines; their numbers in rooms.
static int room_lines(const ReplayShelf *s, int rooms[ROOM_COUNT]) {
    int n = 0;
    for (int room = 1; room <= ROOM_COUNT; room++)
        if (s->rooms >> (room - 1) & 1) {
            rooms[n] = room;
            snprintf(watch.lines[n++], REPLAYS_LINE_MAX, "ROOM %d", room);
        }
    return n;
}

// A level's rooms, then a room's attempts, until Escape; 0 when the window is closing.
static int level_screens(const ReplayShelf *s, BITMAP *back_buffer, FMUSIC_MODULE *title_song) {
    char title[REPLAYS_LINE_MAX], subtitle[REPLAYS_LINE_MAX];
    snprintf(title, sizeof title, "%.30s", s->level.name);
    for (;;) {
        int rooms[ROOM_COUNT];
        int count = room_lines(s, rooms);
        int k = FRONT_replay_list(back_buffer, title, "CHOOSE A ROOM", nullptr, nullptr,
                                  watch.lines, count, &watch.room_sel);
        if (close_button_pressed) return 0;
        if (k < 0) return 1;
        for (;;) {
            count = REPLAY_list_room(s, rooms[k], watch.listed, REPLAY_ROOM_LIST_MAX);
            for (int i = 0; i < count; i++)
                FRONT_replay_line(&watch.listed[i], watch.lines[i], REPLAYS_LINE_MAX);
            char pause[16], retry[16], hint1[48], hint2[48];
            INPUT_keys_text(INPUT_PAUSE, pause, 8);
            INPUT_keys_text(INPUT_RETRY, retry, 8);
            snprintf(subtitle, sizeof subtitle, "ROOM %d   * THE BEST", rooms[k]);
            snprintf(hint1, sizeof hint1, "%s PAUSE  RIGHT A FRAME", pause);
            snprintf(hint2, sizeof hint2, "UP DOWN SPEED  %s RESTART", retry);
            int a = FRONT_replay_list(back_buffer, title, subtitle, hint1, hint2, watch.lines,
                                      count, &watch.attempt_sel);
            if (close_button_pressed) return 0;
            if (a < 0) break;
            FMUSIC_StopSong(title_song);
            watch_one(watch.listed[a].path, back_buffer);
            if (close_button_pressed) return 0;
            FMUSIC_PlaySong(title_song);
        }
    }
}

void WATCH_screen(BITMAP *back_buffer, FMUSIC_MODULE *title_song) {
    for (;;) {
        int count = REPLAY_list_levels(watch.shelves, REPLAY_SHELF_MAX);
        for (int i = 0; i < count; i++)
            snprintf(watch.lines[i], REPLAYS_LINE_MAX, "%.28s", watch.shelves[i].level.name);
        int n = FRONT_replay_list(back_buffer, "REPLAYS", "CHOOSE A LEVEL", nullptr, nullptr,
                                  watch.lines, count, &watch.level_sel);
        if (n < 0 || close_button_pressed) return;
        if (!level_screens(&watch.shelves[n], back_buffer, title_song)) return;
    }
}
