// paths.cpp -- where things are: the game's data beside the program, and the player's own files
// where the desktop keeps them (the XDG base directories) or, for a build, beside its data.
// SPDX-License-Identifier: MIT
#include "platform/paths.h"
#include <errno.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static char user_dir[PATHS_MAX] = ".", config_dir[PATHS_MAX] = ".", state_dir[PATHS_MAX] = ".";

// Copies dir into to without trailing slashes; an empty name or one too long leaves to as it was.
static void paths_set(char (&to)[PATHS_MAX], const char *dir) {
    size_t n = strlen(dir);
    while (n > 1 && dir[n - 1] == '/')
        n--;
    if (n == 0 || n >= sizeof to) return;
    memcpy(to, dir, n);
    to[n] = 0;
}

const char *PATHS_user_dir(void) {
    return user_dir;
}
const char *PATHS_config_dir(void) {
    return config_dir;
}
const char *PATHS_state_dir(void) {
    return state_dir;
}

void PATHS_set_user_dir(const char *dir) {
    paths_set(user_dir, dir);
}

void PATHS_use(const Places *p) {
    paths_set(user_dir, p->user);
    paths_set(config_dir, p->config);
    paths_set(state_dir, p->state);
}

int PATHS_join(char *out, size_t size, const char *dir, const char *name) {
    int n = snprintf(out, size, "%s/%s", dir, name);
    if (n < 0 || (size_t)n >= size) {
        if (size) out[0] = 0;
        return 0;
    }
    return 1;
}

int PATHS_user_file(char *out, size_t size, const char *name) {
    return PATHS_join(out, size, user_dir, name);
}

// Rewrites a full path without empty and "." parts and with each ".." taking away the part
// before it, as a reader expects to see it ("/usr/libexec/velumbrina/../../share" is
// "/usr/share"). Links are not looked at.
static void paths_tidy(char *path) {
    char *out = path;
    const char *in = path;
    while (*in) {
        while (*in == '/')
            in++;
        const char *end = strchr(in, '/');
        size_t n = end ? (size_t)(end - in) : strlen(in);
        if (n == 0 || (n == 1 && in[0] == '.')) {
        } else if (n == 2 && in[0] == '.' && in[1] == '.') {
            while (out > path && *--out != '/') {
            }
        } else {
            *out++ = '/';
            memmove(out, in, n);
            out += n;
        }
        in += n;
    }
    if (out == path) *out++ = '/';
    *out = 0;
}

// Is there a folder at path (links followed)?
static bool paths_is_dir(const char *path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

// Copies the folder to out with "/velumbrina" after it; 0 when it does not fit.
static int paths_game_dir(char *out, const char *base) {
    return PATHS_join(out, PATHS_MAX, base, "velumbrina");
}

// An XDG base directory: the variable when it holds a full path (anything else is to be
// ignored), else home/fallback.
static int paths_base(char *out, const char *var, const char *home, const char *fallback) {
    char base[PATHS_MAX];
    if (var && var[0] == '/') {
        size_t n = strlen(var);
        while (n > 0 && var[n - 1] == '/')
            n--;
        if (n >= sizeof base) return 0;
        memcpy(base, var, n); // "/" is "": the game's folder is then "/velumbrina"
        base[n] = 0;
    } else if (!PATHS_join(base, sizeof base, home, fallback)) {
        return 0;
    }
    return paths_game_dir(out, base);
}

// The player's places of an installed game: the XDG base directories; the old place is where
// the game's launcher used to keep everything.
static int paths_xdg(const PathsFrom *from, Places *out, char *why, size_t size) {
    bool need_home = !(from->config_home && from->config_home[0] == '/') ||
                     !(from->data_home && from->data_home[0] == '/') ||
                     !(from->state_home && from->state_home[0] == '/');
    const char *home = from->home ? from->home : "";
    if (need_home && home[0] != '/') {
        snprintf(why, size,
                 "cannot tell where your home folder is: set HOME, or XDG_CONFIG_HOME, "
                 "XDG_DATA_HOME and XDG_STATE_HOME, to a full path");
        return -1;
    }
    if (!paths_base(out->config, from->config_home, home, ".config") ||
        !paths_base(out->user, from->data_home, home, ".local/share") ||
        !paths_base(out->state, from->state_home, home, ".local/state")) {
        snprintf(why, size, "the folders for your files have names too long");
        return -1;
    }
    memcpy(out->old, out->user, sizeof out->old);
    return 0;
}

int PATHS_find(const PathsFrom *from, Places *out, char *why, size_t size) {
    memset(out, 0, sizeof *out);
    char dir[PATHS_MAX] = "", build[PATHS_MAX] = "", installed[PATHS_MAX] = "";
    const char *slash = from->program ? strrchr(from->program, '/') : nullptr;
    if (slash && from->program[0] == '/' && (size_t)(slash - from->program) < sizeof dir) {
        memcpy(dir, from->program, (size_t)(slash - from->program));
        dir[slash - from->program] = 0;
        PATHS_join(build, sizeof build, dir, "data");
        PATHS_join(installed, sizeof installed, dir, from->installed_data);
        paths_tidy(installed);
    }
    bool from_build = build[0] && paths_is_dir(build);
    if (from->data && from->data[0]) {
        if (!paths_is_dir(from->data) || strlen(from->data) >= sizeof out->data) {
            snprintf(why, size,
                     "cannot find the game's data: VELUMBRINA_DATA names %s, which is not "
                     "a folder",
                     from->data);
            return -1;
        }
        paths_set(out->data, from->data);
    } else if (from_build) {
        memcpy(out->data, build, sizeof out->data);
    } else if (installed[0] && paths_is_dir(installed)) {
        memcpy(out->data, installed, sizeof out->data);
    } else if (dir[0]) {
        snprintf(why, size, "cannot find the game's data: looked for the folder %s and %s", build,
                 installed);
        return -1;
    } else {
        snprintf(why, size,
                 "cannot find the game's data: the program cannot tell where it is "
                 "(set VELUMBRINA_DATA to the data folder)");
        return -1;
    }
    if (!from_build) return paths_xdg(from, out, why, size);
    // A build keeps the player's files with the data it plays from, away from an installed game's.
    memcpy(out->config, out->data, sizeof out->config);
    memcpy(out->user, out->data, sizeof out->user);
    memcpy(out->state, out->data, sizeof out->state);
    return 0;
}

int PATHS_find_own(const char *installed_data, Places *out, char *why, size_t size) {
    char program[PATHS_MAX];
    ssize_t n = readlink("/proc/self/exe", program, sizeof program - 1);
    program[n > 0 ? n : 0] = 0;
    const char *home = getenv("HOME");
    if (!home || home[0] != '/') {
        struct passwd *pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    PathsFrom from = {
        n > 0 ? program : nullptr, installed_data,          getenv("VELUMBRINA_DATA"), home,
        getenv("XDG_CONFIG_HOME"), getenv("XDG_DATA_HOME"), getenv("XDG_STATE_HOME")};
    return PATHS_find(&from, out, why, size);
}

int PATHS_make_dir(const char *dir) {
    char path[PATHS_MAX];
    if (snprintf(path, sizeof path, "%s", dir) >= (int)sizeof path) return ENAMETOOLONG;
    for (char *p = path + 1;; p++) {
        if (*p != '/' && *p != 0) continue;
        char was = *p;
        *p = 0;
        if (mkdir(path, 0700) != 0 && errno != EEXIST) return errno;
        *p = was;
        if (!was) break;
    }
    return paths_is_dir(path) ? 0 : ENOTDIR;
}
