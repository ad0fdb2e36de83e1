// check.cpp -- checking a compiled level room by room: the game's loader and its checks, then the
// level checker's searches through the game's own frame step.
// SPDX-License-Identifier: MIT
#include <cstdio>
#include <cstring>

#include "game/partida.h"
#include "level/sanitize.h"
#include "tools/levellib/check.h"
#include "tools/player/velumbrina-level/maker.h"

ParFile MAKER_par;

int MAKER_write_par(const char *path) {
    int err = PAR_save(path, &MAKER_par);
    if (err) fprintf(stderr, "velumbrina-level: cannot write %s: %s\n", path, strerror(err));
    return !err;
}

int MAKER_check_rooms(const char *path, int *playable, char *refused, int refused_size,
                      std::vector<RoomCheck> *checks) {
    *playable = -1;
    PAR_reset(&MAKER_par);
    refused[0] = 0;
    PARTIDA_reset(&partida, &efectos);
    partida.sound_on = 0;
    if (!play_level.tiles[0] && !MAP_create_pictures(&play_level)) {
        printf("out of memory\n");
        return 0;
    }
    LevelLoad load;
    if (!LEVEL_load(path, MAP_PICTURES, &play_level, &load)) {
        printf("%s cannot be loaded: it is not a level file, or it is damaged (%s)\n", path,
               load.why);
        return 0;
    }
    PARTIDA_place_pickups(&partida, &play_level);
    if (load.fixed) { // a level made by `build` needs nothing
        char what[200];
        LEVEL_fix_names(load.fixed, what, sizeof what);
        printf("the game fixes this level's %s as it loads it\n", what);
    }
    int bad = 0, empty = 0;
    *playable = 0;
    for (int room = 0; room < ROOM_COUNT; room++) {
        if (!LEVEL_room_playable(play_level.rooms, partida.levers, room)) {
            empty++;
            continue;
        }
        ++*playable;
        // Rooms are named by the number the level card shows.
        RoomCheck c = LEVELCHECK_room(room);
        if (checks) checks->push_back(c);
        LEVELCHECK_par_add(&MAKER_par, c);
        if (c.reached) {
            printf("room %d: can be finished: lever in %d frames (%.1f s)", c.number, c.fastest,
                   c.fastest / 30.0);
            if (c.items) {
                if (c.full)
                    printf(", all %d item%s in %d frames", c.items, c.items == 1 ? "" : "s",
                           c.full_frames);
                else
                    printf(", not every item within its damage");
            }
            printf(", least damage %d\n", c.least_damage);
            for (const std::string &f : c.faults)
                printf("room %d: note: %s\n", c.number, f.c_str());
        } else {
            printf("room %d: CANNOT be finished: %s\n", c.number,
                   c.faults.empty() ? "the lever cannot be reached" : c.faults[0].c_str());
            size_t n = strlen(refused);
            snprintf(refused + n, (size_t)refused_size - n, "%s%d", n ? ", " : "", c.number);
            bad++;
        }
        fflush(stdout);
    }
    if (empty)
        printf("%d room%s with no lever or no sane start: passed over in play\n", empty,
               empty == 1 ? "" : "s");
    return bad;
}
