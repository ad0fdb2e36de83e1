// check.cpp -- checking a compiled level room by room: the game's loader and its checks, then the
// level checker's searches through the game's own frame step.
#include <cstdio>
#include <cstring>

#include "game/partida.h"
#include "level/sanitize.h"
#include "tools/levellib/check.h"
#include "tools/player/velumbrina-level/maker.h"

int MAKER_check_rooms(const char *path, int *playable, char *refused, int refused_size) {
    *playable = -1;
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
        // Rooms are named as the level text numbers them, with the number the level card shows.
        RoomCheck c = LEVELCHECK_room(room);
        if (c.reached) {
            printf("room %d (card %d): can be finished: lever in %d frames (%.1f s)\n", room,
                   c.number, c.fastest, c.fastest / 30.0);
            for (const std::string &f : c.faults)
                printf("room %d (card %d): note: %s\n", room, c.number, f.c_str());
        } else {
            printf("room %d (card %d): CANNOT be finished: %s\n", room, c.number,
                   c.faults.empty() ? "the lever cannot be reached" : c.faults[0].c_str());
            size_t n = strlen(refused);
            snprintf(refused + n, (size_t)refused_size - n, "%s%d", n ? ", " : "", room);
            bad++;
        }
        fflush(stdout);
    }
    if (empty)
        printf("%d room%s with no lever or no sane start: passed over in play\n", empty,
               empty == 1 ? "" : "s");
    return bad;
}
