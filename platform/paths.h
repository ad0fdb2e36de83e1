// paths.h -- where the player's own files live: the settings, the levels, replays and records.
#pragma once
#include <stddef.h>

// The player's data directory (levels/, replays/, records), without a trailing slash; "." (the
// directory the game runs in) until start-up says otherwise. Called by whatever keeps a file.
const char *PATHS_user_dir(void);

// Sets the player's data directory; start-up calls it once, before any file is read.
void PATHS_set_user_dir(const char *dir);

// Writes PATHS_user_dir()/name into out; 0 when it does not fit (out is then empty).
int PATHS_user_file(char *out, size_t size, const char *name);
