// start_places.cpp -- start-up's places: the game's data found and checked, the player's folders
// made and their files moved from where earlier versions kept them.
// SPDX-License-Identifier: MIT
#include "shell/start_places.h"
#include <errno.h>
#include <string.h>
#include <unistd.h>
#include "platform/fileio.h"
#include "platform/loga.h"
#include "platform/paths.h"

const char *const START_needed[] = {"maps/velba1.vb3",
                                    "RESOURCES/ATARI.8x8",
                                    "resources/icon.pcx",
                                    "resources/splashpixelmeet.pcx",
                                    "resources/mirthwave-logo.pcx",
                                    "resources/title.pcx",
                                    "resources/MENU_She.pcx",
                                    "resources/GUI_sure.pcx",
                                    "resources/BUT_sel.pcx",
                                    "resources/BUT_unsel.pcx",
                                    "resources/ENE_Lle.pcx",
                                    "resources/ENE_Vac.pcx",
                                    "resources/clouds_1.pcx",
                                    "resources/clouds_2.pcx",
                                    "resources/halo_verde.pcx",
                                    "resources/anti_halo.pcx",
                                    "resources/OVERLAY-fila4.pcx",
                                    "resources/fancy-overlay.pcx",
                                    "resources/gotas.pcx",
                                    "resources/moco.pcx",
                                    "resources/MARCO.PCX",
                                    nullptr};

// Larger than any file of the data: the readers' own limits say more when a file is loaded.
static const size_t NEEDED_MAX = (size_t)64 << 20;

int START_check_data(const char *data_dir, FILE *err) {
    int bad = 0;
    for (int i = 0; START_needed[i]; i++) {
        char path[PATHS_MAX + 64], text[200];
        if (!PATHS_join(path, sizeof path, data_dir, START_needed[i])) continue;
        FioData d;
        int result = FIO_check(path, NEEDED_MAX, &d);
        const char *why = result != FIO_OK ? FIO_why(result, &d, NEEDED_MAX, text, sizeof text)
                          : access(path, R_OK) != 0 ? "cannot be read"
                                                    : nullptr;
        if (!why) continue;
        fprintf(err, "Velumbrina: %s %s: the game's data in %s is not whole\n", START_needed[i],
                why, data_dir);
        bad++;
    }
    return bad;
}

int START_places(const char *installed_data, const char *config_name) {
    Places places;
    char why[3 * PATHS_MAX];
    if (PATHS_find_own(installed_data, &places, why, sizeof why) != 0) {
        fprintf(stderr, "Velumbrina: %s\n", why);
        return 1;
    }
    if (START_check_data(places.data, stderr) > 0) return 1;
    if (chdir(places.data) != 0) {
        fprintf(stderr, "Velumbrina: cannot go into the game's data folder %s: %s\n", places.data,
                strerror(errno));
        return 1;
    }
    PATHS_use(&places);
    // A folder that cannot be made shows when its file is written: the log says so, or standard
    // error when it is the log's.
    char levels[PATHS_MAX + 8];
    PATHS_join(levels, sizeof levels, places.user, "levels"); // shown by USER LEVEL
    const char *const dirs[] = {places.state, places.config, places.user, levels};
    for (const char *dir : dirs) {
        int err = PATHS_make_dir(dir);
        if (!err) continue;
        snprintf(why, sizeof why, "the folder %s cannot be made (%s)", dir, strerror(err));
        loga(why);
    }
    PATHS_move_old_files(&places, config_name, "log.txt");
    return 0;
}
