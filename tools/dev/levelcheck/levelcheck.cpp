// levelcheck.cpp -- the level checker: loads a level with the game's loader and checks it room by
// room (tools/levellib/check.h), playing through the game's own frame step without a window.
// Rooms are named by their number on the level card, 1..25.
//
// Usage: levelcheck LEVEL.vb3 [SOLUTIONS]    checks every room (exit status 0 only when every
//                                             room passes) and writes the routes it found
//        levelcheck LEVEL.vb3 [SOLUTIONS] --room N  checks one room
//        levelcheck LEVEL.vb3 SOLUTIONS --par PAR  checks every room, also writing the par file
//        levelcheck LEVEL.vb3 --trace N KEYS  plays KEYS in room N, printing the player each frame
//        levelcheck LEVEL.vb3 --picture N OUT  draws room N at its start into OUT (.pcx or .bmp)
//        levelcheck LEVEL.vb3 --slack N|all   how many frames early or late each jump of the
//                                             room's route may start (a guide to difficulty)
// SPDX-License-Identifier: MIT
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <algorithm>
#include <vector>

#include <allegro.h>

#include "game/partida.h"
#include "gfx/gfx.h"
#include "level/nivel.h"
#include "render/render.h"
#include "tools/levellib/check.h"
#include "tools/levellib/search.h"
#include "tools/levellib/slack.h"

namespace {

// The level's full path into full, and its file name into name; when the file lies in a game's
// maps/ folder, moves to the folder above it, where --picture finds the game's resources/.
// Returns the file's name, or null with errno set when the file cannot be found.
const char *find_level(const char *path, char *full, char *name, size_t size) {
    if (!realpath(path, full)) return nullptr;
    char dir[PATH_MAX];
    snprintf(dir, sizeof dir, "%s", full);
    char *slash = strrchr(dir, '/');
    snprintf(name, size, "%s", slash + 1);
    *slash = 0;
    slash = strrchr(dir, '/');
    if (slash && strcmp(slash + 1, "maps") == 0) {
        *slash = 0;
        if (chdir(dir[0] ? dir : "/") != 0) return nullptr;
    }
    return name;
}

// Draws room at its start (after a few frames, so the slime and drips show) into path.
int picture_room(int room, const char *path) {
    SEARCH_start_room(room);
    for (int f = 0; f < 48; f++)
        PARTIDA_frame(&partida, &efectos, &play_level, nullptr, nullptr, RENDER_frame_hook);
    BITMAP *big = create_bitmap(2 * ROOM_W, 2 * ROOM_H);
    stretch_blit(renderer.room_view, big, 0, 0, ROOM_W, ROOM_H, 0, 0, 2 * ROOM_W, 2 * ROOM_H);
    PALETTE pal;
    get_palette(pal);
    int ok = save_bitmap(path, big, pal) == 0;
    destroy_bitmap(big);
    return ok;
}

// Play writes its progress lines to log.txt in the working directory: keep them out of the data
// directory by playing in a scratch directory of our own, removed at exit.
char scratch_dir[] = "/tmp/levelcheck.XXXXXX";

void remove_scratch_dir(void) {
    std::string log = std::string(scratch_dir) + "/log.txt";
    unlink(log.c_str());
    rmdir(scratch_dir);
}

int enter_scratch_dir(void) {
    if (!mkdtemp(scratch_dir) || chdir(scratch_dir) != 0) return 0;
    atexit(remove_scratch_dir);
    return 1;
}

// Plays keys (one letter per frame) in room, printing the player after every frame.
void trace_room(int room, const char *keys) {
    SEARCH_start_room(room);
    int energy = 255, damage = 0;
    for (int f = 0; keys[f]; f++) {
        damage += SEARCH_frame(keys[f], &energy);
        const Player &p = partida.player;
        printf("%4d %c x %3d y %3d jump %d/%d/%2d fall %d face %d energy %3d damage %3d slime %3d",
               f + 1, keys[f], p.x >> 8, p.y >> 8, p.jumping, p.jump_kind, p.jump_step, p.falling,
               p.facing, energy, damage, moco_y);
        for (const Mover &m : partida.platforms)
            if (m.kind == 23) printf(" block %d,%d", m.x, m.y);
        printf("%s\n", partida.room_done ? " room done" : "");
        if (partida.room_done || partida.game_done) break;
    }
}

// Prints every jump's window of room's route taking every item, and the tightest one.
void slack_room(int room) {
    SEARCH_start_room(room);
    PlayState start;
    SEARCH_save(&start);
    SearchGoal goal = SEARCH_goal();
    goal.all_items = 1;
    goal.damage_budget = play_level.rooms[room].damage;
    long states = 0;
    SearchResult r = LEVELCHECK_search(start, goal, &states);
    if (!r.found) {
        printf("room %d: no route taking every item\n", room + 1);
        return;
    }
    std::vector<int> windows = SLACK_measure(room, r.keys);
    int tightest = 2 * SLACK_MAX_SHIFT + 1;
    std::string each;
    for (int window : windows) {
        tightest = std::min(tightest, window);
        each += " " + std::to_string(window);
    }
    printf("room %d: %d frames, %zu jumps, tightest window %d frames (of %d tried); windows:%s\n",
           room + 1, r.frames, windows.size(), windows.empty() ? 0 : tightest,
           2 * SLACK_MAX_SHIFT + 1, each.c_str());
    fflush(stdout);
}

// path made absolute against the current directory.
std::string absolute(const char *path) {
    char cwd[PATH_MAX];
    if (path[0] == '/' || !getcwd(cwd, sizeof cwd)) return path;
    return std::string(cwd) + "/" + path;
}

// Writes the par file of the rooms checked; 0 when it cannot be written.
int write_par(const std::string &path, const std::vector<RoomCheck> &checks) {
    static ParFile par;
    PAR_reset(&par);
    for (const RoomCheck &c : checks)
        LEVELCHECK_par_add(&par, c);
    int err = PAR_save(path.c_str(), &par);
    if (err) fprintf(stderr, "levelcheck: cannot write %s: %s\n", path.c_str(), strerror(err));
    return !err;
}

} // namespace

int main(int argc, char **argv) {
    int only_room = -1, slack = 0;
    const char *trace_keys = nullptr;
    std::string solutions_path, picture_path, par_path;
    if (argc == 5 && strcmp(argv[3], "--par") == 0) { // the last two: the par file to write
        par_path = absolute(argv[4]);
        argc = 3;
    }
    int rest = argc; // arguments after the level and an optional solutions file
    if (argc >= 3 && argv[2][0] != '-') {
        solutions_path = absolute(argv[2]); // before leaving the current directory
        rest = argc - 1;
    }
    const char *option = rest > 2 ? argv[argc - rest + 2] : nullptr;
    if (option && rest == 4 && strcmp(option, "--room") == 0) {
        only_room = atoi(argv[argc - 1]) - 1;
    } else if (option && rest == 5 && solutions_path.empty() && strcmp(option, "--trace") == 0) {
        only_room = atoi(argv[3]) - 1;
        trace_keys = argv[4];
    } else if (option && rest == 5 && solutions_path.empty() && strcmp(option, "--picture") == 0) {
        only_room = atoi(argv[3]) - 1;
        picture_path = argv[4];
    } else if (option && rest == 4 && solutions_path.empty() && strcmp(option, "--slack") == 0) {
        slack = 1;
        only_room = strcmp(argv[3], "all") == 0 ? ROOM_COUNT : atoi(argv[3]) - 1;
    } else if (rest != 2) {
        fprintf(stderr,
                "usage: levelcheck LEVEL.vb3 [SOLUTIONS] [--room N]\n"
                "       levelcheck LEVEL.vb3 --trace N KEYS | --picture N OUT | --slack N|all\n");
        return 2;
    }
    if (!picture_path.empty() && picture_path[0] != '/') {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd)) picture_path = std::string(cwd) + "/" + picture_path;
    }
    if ((only_room >= ROOM_COUNT && !(slack && only_room == ROOM_COUNT)) ||
        (option && only_room < 0)) {
        fprintf(stderr, "levelcheck: rooms are 1..%d\n", ROOM_COUNT);
        return 2;
    }
    char name[256], full[PATH_MAX];
    if (!find_level(argv[1], full, name, sizeof name)) {
        fprintf(stderr, "levelcheck: cannot open %s: %s\n", argv[1], strerror(errno));
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "levelcheck: cannot start Allegro\n");
        return 2;
    }
    set_color_depth(16);
    PARTIDA_reset(&partida, &efectos);
    partida.sound_on = 0;
    if (!MAP_create_pictures(&play_level) || !RENDER_create_layers()) {
        fprintf(stderr, "levelcheck: out of memory\n");
        return 2;
    }
    LevelLoad load;
    if (!LEVEL_load(full, MAP_PICTURES, &play_level, &load)) {
        fprintf(stderr, "levelcheck: cannot load %s: %s\n", argv[1], load.why);
        return 2;
    }
    PARTIDA_place_pickups(&partida, &play_level);
    if (!picture_path.empty()) {
        set_color_conversion(COLORCONV_TOTAL);
        GFX_init();
        PALETTE pal;
        RENDER_load_pictures(pal);
    }
    if (!enter_scratch_dir()) {
        fprintf(stderr, "levelcheck: cannot make a scratch directory\n");
        return 2;
    }
    if (!picture_path.empty()) {
        if (picture_room(only_room, picture_path.c_str())) return 0;
        fprintf(stderr, "levelcheck: cannot write %s\n", picture_path.c_str());
        return 2;
    }
    if (trace_keys) {
        trace_room(only_room, trace_keys);
        return 0;
    }
    if (slack) {
        for (int room = 0; room < ROOM_COUNT; room++)
            if (only_room == ROOM_COUNT || room == only_room) slack_room(room);
        return 0;
    }

    FILE *out = nullptr;
    if (!solutions_path.empty()) {
        out = fopen(solutions_path.c_str(), "w");
        if (!out) {
            fprintf(stderr, "levelcheck: cannot write %s\n", solutions_path.c_str());
            return 2;
        }
    }
    char level_name[sizeof play_level.header.name + 1] = {0};
    memcpy(level_name, play_level.header.name, sizeof play_level.header.name);
    std::string title =
        std::string(name) + (level_name[0] ? ", \"" + std::string(level_name) + "\"" : "");
    std::vector<RoomCheck> checks;
    LEVELCHECK_level(stdout, out, only_room, title.c_str(), &checks);
    if (out && fclose(out) != 0) {
        fprintf(stderr, "levelcheck: cannot write %s\n", solutions_path.c_str());
        return 2;
    }
    if (!par_path.empty() && !write_par(par_path, checks)) return 2;
    MAP_destroy_pictures(&play_level);
    RENDER_reset(nullptr);
    for (const RoomCheck &c : checks)
        if (!c.faults.empty()) return 1;
    return 0;
}
