// paths.h -- where things are: the game's data beside the program, and the player's own files
// (the settings, the log, levels, replays, records, screenshots) where the desktop keeps them.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>

enum { PATHS_MAX = 1024 }; // a folder's name, in bytes with the zero

// What the places are worked out from: the program's own file and the environment.
struct PathsFrom {
    const char *program;        // the program's file as /proc/self/exe names it; null if unknown
    const char *installed_data; // the installed data's folder, relative to the program's folder
    const char *data; // $VELUMBRINA_DATA: another data folder (tests, developers); or null
    const char *home; // the home folder
    const char *config_home, *data_home, *state_home; // $XDG_CONFIG_HOME and so on; or null
};

// Where things are. A program run from a build (a data/ folder beside it) keeps the player's
// files in its data folder; an installed one keeps them in the XDG base directories.
struct Places {
    char data[PATHS_MAX];   // the game's data: maps/ and resources/
    char config[PATHS_MAX]; // the configuration file's folder
    char user[PATHS_MAX];   // the player's levels/, replays, records and screenshots
    char state[PATHS_MAX];  // the log's folder
    char old[PATHS_MAX];    // where earlier versions kept the configuration and the log; "" if none
};

// Works out the places (only the data folder is looked at on disk). Returns 0, or -1 with why
// set to a sentence saying what was not found and where it was looked for.
int PATHS_find(const PathsFrom *from, Places *out, char *why, size_t size);
// PATHS_find from this process's own file and environment (a home folder from the user database
// when $HOME is not a full path).
int PATHS_find_own(const char *installed_data, Places *out, char *why, size_t size);

// Makes the folder and whichever of its parents are missing, new ones readable by the player
// alone. Returns 0, or the error (errno's value) of the first that could not be made.
int PATHS_make_dir(const char *dir);

// How PATHS_move_once ended.
enum { PATHS_NOTHING = 0, PATHS_MOVED, PATHS_LEFT };
// Moves the regular file at from to to, once: only when nothing (not even a link) is at to; a
// link or anything but a regular file at from is left alone, never followed. Across file
// systems the bytes (at most max) are written to a new file with the same permissions, and the
// old one removed only once the new one is whole. PATHS_LEFT says why in why.
int PATHS_move_once(const char *from, const char *to, size_t max, char *why, size_t size);
// Moves the configuration and the log from the old place to the new ones, once, and removes the
// links to the game's data an earlier launcher made there; each thing done or refused is logged.
void PATHS_move_old_files(const Places *p, const char *config_name, const char *log_name);

// Uses the places for the player's files from now on: PATHS_user_dir, PATHS_config_dir and
// PATHS_state_dir answer with them. Start-up calls it once, before any file is read.
void PATHS_use(const Places *p);

// The player's data directory (levels/, replays/, records), without a trailing slash; "." (the
// directory the game runs in) until start-up says otherwise. Called by whatever keeps a file.
const char *PATHS_user_dir(void);
// The configuration's folder and the log's; "." until start-up says otherwise.
const char *PATHS_config_dir(void);
const char *PATHS_state_dir(void);

// Sets the player's data directory alone.
void PATHS_set_user_dir(const char *dir);

// Writes PATHS_user_dir()/name into out; 0 when it does not fit (out is then empty).
int PATHS_user_file(char *out, size_t size, const char *name);
// Writes dir/name into out; 0 when it does not fit (out is then empty).
int PATHS_join(char *out, size_t size, const char *dir, const char *name);
