// levelcheck.cpp -- the level checker: loads a level with the game's loader and proves, room by
// room, that the lever can be reached from the start with full energy, playing through the game's
// own frame step without a window. Writes the key sequences it found.
//
// Usage: levelcheck LEVEL.vb3 [SOLUTIONS]    checks every room (exit status 0 only when all are
//                                             completable) and writes the key sequences found
//        levelcheck LEVEL.vb3 --room N       checks one room
//        levelcheck LEVEL.vb3 --trace N KEYS  plays KEYS in room N, printing the player each frame
//        levelcheck LEVEL.vb3 --picture N OUT  draws room N at its start into OUT (.pcx or .bmp)
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include <allegro.h>

#include "game/partida.h"
#include "gfx/gfx.h"
#include "level/nivel.h"
#include "render/render.h"
#include "platform/config.h"
#include "tools/levelcheck/search.h"

namespace {

// The game's loader reads "maps/NAME" below the working directory: move to the directory that
// holds the file's "maps" folder. Returns the file's name, or null when that cannot be done.
const char *enter_level_dir(const char *path, char *name, size_t size) {
    char full[PATH_MAX];
    if (!realpath(path, full)) return nullptr;
    char *slash = strrchr(full, '/');
    snprintf(name, size, "%s", slash + 1);
    *slash = 0;
    slash = strrchr(full, '/');
    if (!slash || strcmp(slash + 1, "maps") != 0) return nullptr;
    *slash = 0;
    if (chdir(full[0] ? full : "/") != 0) return nullptr;
    return name;
}

// Draws room at its start (after a few frames, so the slime and drips show) into path.
int picture_room(int room, const char *path) {
    GAME_sublevel = room + 1;
    partida.player.energy = 255;
    PARTIDA_start_room();
    SEARCH_set_keys('.');
    for (int f = 0; f < 48; f++)
        PARTIDA_frame(RENDER_frame);
    BITMAP *big = create_bitmap(2 * ROOM_W, 2 * ROOM_H);
    stretch_blit(room_view, big, 0, 0, ROOM_W, ROOM_H, 0, 0, 2 * ROOM_W, 2 * ROOM_H);
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

} // namespace

// Plays keys (one letter per frame) in room, printing the player after every frame.
void trace_room(int room, const char *keys) {
    GAME_sublevel = room + 1;
    partida.player.energy = 255;
    partida.game_done = 0;
    PARTIDA_start_room();
    for (int f = 0; keys[f]; f++) {
        SEARCH_set_keys(keys[f]);
        PARTIDA_frame(nullptr);
        const Player &p = partida.player;
        printf("%4d %c x %3d y %3d jump %d/%d/%2d fall %d face %d energy %3d slime %3d%s\n", f + 1,
               keys[f], p.x >> 8, p.y >> 8, p.jumping, p.jump_kind, p.jump_step, p.falling,
               p.facing, p.energy, moco_y, partida.room_done ? " room done" : "");
        if (partida.room_done) break;
    }
}

int main(int argc, char **argv) {
    int only_room = -1;
    const char *trace_keys = nullptr;
    std::string solutions_path, picture_path;
    if (argc >= 4 && strcmp(argv[2], "--room") == 0 && argc == 4) {
        only_room = atoi(argv[3]);
    } else if (argc == 5 && strcmp(argv[2], "--trace") == 0) {
        only_room = atoi(argv[3]);
        trace_keys = argv[4];
    } else if (argc == 5 && strcmp(argv[2], "--picture") == 0) {
        only_room = atoi(argv[3]);
        picture_path = argv[4];
    } else if (argc == 3) {
        // Resolve it before leaving the current directory.
        char cwd[PATH_MAX];
        if (argv[2][0] == '/' || !getcwd(cwd, sizeof cwd))
            solutions_path = argv[2];
        else
            solutions_path = std::string(cwd) + "/" + argv[2];
    } else if (argc != 2) {
        fprintf(stderr, "usage: levelcheck LEVEL.vb3 [SOLUTIONS | --room N | --trace N KEYS | "
                        "--picture N OUT]\n");
        return 2;
    }
    if (!picture_path.empty() && picture_path[0] != '/') {
        char cwd[PATH_MAX];
        if (getcwd(cwd, sizeof cwd)) picture_path = std::string(cwd) + "/" + picture_path;
    }
    if (only_room >= ROOM_COUNT || (argc > 3 && only_room < 0)) {
        fprintf(stderr, "levelcheck: rooms are 0..%d\n", ROOM_COUNT - 1);
        return 2;
    }
    char name[256];
    if (!enter_level_dir(argv[1], name, sizeof name)) {
        fprintf(stderr, "levelcheck: %s is not a level file inside a maps/ directory\n", argv[1]);
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "levelcheck: cannot start Allegro\n");
        return 2;
    }
    set_color_depth(16);
    CFG_soundon = 0;
    PARTIDA_reset();
    if (!MAP_create_pictures(&play_level) || !RENDER_create_layers()) {
        fprintf(stderr, "levelcheck: out of memory\n");
        return 2;
    }
    if (!carga_fase(name, &play_level.header, play_level.rooms, partida.levers,
                    partida.energy_items, play_level.backgrounds, play_level.tiles,
                    play_level.sprites)) {
        fprintf(stderr, "levelcheck: cannot load %s\n", argv[1]);
        return 2;
    }
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

    FILE *out = nullptr;
    if (!solutions_path.empty()) {
        out = fopen(solutions_path.c_str(), "w");
        if (!out) {
            fprintf(stderr, "levelcheck: cannot write %s\n", solutions_path.c_str());
            return 2;
        }
        fprintf(out,
                "# Key sequences that reach each room's lever from its start with full energy.\n"
                "# One letter per frame: . none, L left, R right, U high jump, D long jump,\n"
                "# a/b left/right + high jump, c/d left/right + long jump.\n");
    }

    const SearchLimits limits = {SEARCH_MAX_FRAMES, SEARCH_LAYER_CAP};
    const SearchLimits wide = {SEARCH_MAX_FRAMES, SEARCH_WIDE_LAYER_CAP};
    int completable = 0, checked = 0;
    auto t0 = std::chrono::steady_clock::now();
    for (int room = 0; room < ROOM_COUNT; room++) {
        if (only_room >= 0 && room != only_room) continue;
        checked++;
        auto r0 = std::chrono::steady_clock::now();
        SearchResult r = SEARCH_room(room, limits);
        if (!r.found) {
            // A narrow search can cut off the one way through; look again, wider.
            long narrow = r.states;
            r = SEARCH_room(room, wide);
            r.states += narrow;
        }
        double rsecs = std::chrono::duration<double>(std::chrono::steady_clock::now() - r0).count();
        if (r.found) {
            completable++;
            printf("room %d: completable in %d frames, energy left %d\n", room, r.frames, r.energy);
            if (out) fprintf(out, "room %d %d %s\n", room, r.frames, r.keys.c_str());
        } else {
            printf("room %d: NOT completable\n", room);
            if (out) fprintf(out, "room %d none\n", room);
        }
        fprintf(stderr, "levelcheck: room %d: %ld states in %.2f s\n", room, r.states, rsecs);
        fflush(stdout);
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    printf("%d/%d rooms completable\n", completable, checked);
    fprintf(stderr, "levelcheck: searched in %.1f s\n", secs);
    if (out && fclose(out) != 0) {
        fprintf(stderr, "levelcheck: cannot write %s\n", solutions_path.c_str());
        return 2;
    }
    MAP_destroy_pictures(&play_level);
    RENDER_destroy_layers();
    return completable == checked ? 0 : 1;
}
