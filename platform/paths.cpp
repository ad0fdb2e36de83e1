// paths.cpp -- where the player's own files live: the settings, the levels, replays and records.
#include "platform/paths.h"
#include <stdio.h>
#include <string.h>

static char user_dir[4096] = ".";

const char *PATHS_user_dir(void) {
    return user_dir;
}

void PATHS_set_user_dir(const char *dir) {
    size_t n = strlen(dir);
    while (n > 1 && dir[n - 1] == '/')
        n--;
    if (n == 0 || n >= sizeof user_dir) return;
    memcpy(user_dir, dir, n);
    user_dir[n] = 0;
}

int PATHS_user_file(char *out, size_t size, const char *name) {
    int n = snprintf(out, size, "%s/%s", user_dir, name);
    if (n < 0 || (size_t)n >= size) {
        if (size) out[0] = 0;
        return 0;
    }
    return 1;
}
