// paths_move.cpp -- the player's files moved once from where earlier versions kept them, never
// through a link and never over a file already in the new place.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/config.h"
#include "platform/fileio.h"
#include "platform/loga.h"
#include "platform/paths.h"

// Says why the file stays where it is; PATHS_LEFT.
static int move_left(char *why, size_t size, const char *fmt, const char *a, const char *b) {
    snprintf(why, size, fmt, a, b);
    return PATHS_LEFT;
}

// Copies from to a new file at to with its permissions, then removes from (another file system).
static int move_copy(const char *from, const char *to, size_t max, mode_t mode, char *why,
                     size_t size) {
    FioData d;
    int result = FIO_read_at(AT_FDCWD, from, max, 1, &d);
    if (result != FIO_OK) {
        char text[200];
        return move_left(why, size, "%s %s", from, FIO_why(result, &d, max, text, sizeof text));
    }
    int err = FIO_create(to, d.data, d.size, (int)(mode & 07777));
    free(d.data);
    if (err) return move_left(why, size, "%s cannot be written (%s)", to, strerror(err));
    if (unlink(from) != 0) // both are whole: the new one is used, the old one stays
        return move_left(why, size, "%s is copied, but cannot be removed (%s)", from,
                         strerror(errno));
    return PATHS_MOVED;
}

int PATHS_move_once(const char *from, const char *to, size_t max, char *why, size_t size) {
    if (size) why[0] = 0;
    struct stat st, there;
    if (lstat(from, &st) != 0)
        return errno == ENOENT
                   ? PATHS_NOTHING
                   : move_left(why, size, "%s cannot be looked at (%s)", from, strerror(errno));
    if (strcmp(from, to) == 0) return PATHS_NOTHING;
    if (S_ISLNK(st.st_mode)) return move_left(why, size, "%s is a link%s", from, "");
    if (!S_ISREG(st.st_mode)) return move_left(why, size, "%s is not a regular file%s", from, "");
    if (lstat(to, &there) == 0) return move_left(why, size, "%s is there already%s", to, "");
    if (errno != ENOENT)
        return move_left(why, size, "%s cannot be looked at (%s)", to, strerror(errno));
    // In one step where it can be done, never replacing what may have come meanwhile.
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return PATHS_MOVED;
    if (errno == EXDEV || errno == EINVAL || errno == ENOSYS)
        return move_copy(from, to, max, st.st_mode, why, size);
    return move_left(why, size, "%s cannot be moved (%s)", from, strerror(errno));
}

// Moves old/name to dir/name (at most max bytes across file systems), logging what was done.
static void move_logged(const char *old, const char *dir, const char *name, size_t max) {
    char from[PATHS_MAX], to[PATHS_MAX], why[2 * PATHS_MAX + 100], line[sizeof why + 3 * PATHS_MAX];
    if (!PATHS_join(from, sizeof from, old, name) || !PATHS_join(to, sizeof to, dir, name)) return;
    int done = PATHS_move_once(from, to, max, why, sizeof why);
    if (done == PATHS_MOVED)
        snprintf(line, sizeof line, "%s moved from %s", to, old);
    else if (done == PATHS_LEFT)
        snprintf(line, sizeof line, "%s not moved to %s: %s; it is left where it is", from, dir,
                 why);
    if (done != PATHS_NOTHING) loga(line);
}

// The folders an earlier launcher linked into the player's folder, for the game's data.
static const char *const OLD_LINKS[] = {"maps", "resources", "RESOURCES", "Resources"};

// Removes such a link when it still leads into a velumbrina data folder; anything else is the
// player's and stays.
static void move_drop_link(const char *old, const char *name) {
    char path[PATHS_MAX], target[PATHS_MAX], tail[64];
    struct stat st;
    if (!PATHS_join(path, sizeof path, old, name) || lstat(path, &st) != 0 || !S_ISLNK(st.st_mode))
        return;
    ssize_t n = readlink(path, target, sizeof target - 1);
    if (n <= 0) return;
    target[n] = 0;
    snprintf(tail, sizeof tail, "/velumbrina/%s", name);
    size_t t = strlen(tail);
    if ((size_t)n < t || strcmp(target + n - t, tail) != 0) return;
    if (unlink(path) == 0) {
        char line[PATHS_MAX + 100];
        snprintf(line, sizeof line, "%s: the old link to the game's data is removed", path);
        loga(line);
    }
}

void PATHS_move_old_files(const Places *p, const char *config_name, const char *log_name) {
    if (!p->old[0]) return;
    move_logged(p->old, p->state, log_name, (size_t)64 << 20); // first: the lines below go to it
    move_logged(p->old, p->config, config_name, CFG_FILE_MAX);
    for (const char *name : OLD_LINKS)
        move_drop_link(p->old, name);
}
