// userlevels.cpp -- listing the level files a player can choose: stat before anything is opened,
// the map reader for the records, the name from the header, the rooms that can be played.
// SPDX-License-Identifier: MIT
#include "level/userlevels.h"
#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include "level/sanitize.h"
#include "platform/loga.h"

const char LEVEL_OWN_FILE[] = "velba1.vb3";

static const char SUFFIX[] = ".vb3";

// The level read for its records; pictures are not read.
static Level scratch;

static bool is_level_file(const char *name) {
    size_t n = strlen(name), s = strlen(SUFFIX);
    return n > s && strcasecmp(name + n - s, SUFFIX) == 0;
}

// The name the level text put in the header: up to the first zero, blanks trimmed,
// anything the font cannot show made '?'. Empty when there is none.
static void header_name(const LevelHeader *h, char *out, size_t size) {
    size_t n = 0;
    for (size_t i = 0; i < sizeof h->name && h->name[i] && n + 1 < size; i++) {
        unsigned char c = h->name[i];
        out[n++] = c >= 32 && c < 127 ? (char)c : '?';
    }
    while (n > 0 && out[n - 1] == ' ')
        n--;
    out[n] = 0;
    size_t lead = strspn(out, " ");
    memmove(out, out + lead, n - lead + 1);
}

// The file name without its suffix, with what the font cannot show made '?'.
static void file_name(const char *file, char *out, size_t size) {
    size_t n = strlen(file) - strlen(SUFFIX), k = 0;
    for (size_t i = 0; i < n && k + 1 < size; i++) {
        unsigned char c = (unsigned char)file[i];
        out[k++] = c >= 32 && c < 127 ? (char)c : '?';
    }
    out[k] = 0;
}

// Reads one regular file into an entry: damaged when the reader refuses it.
static void read_entry(LevelEntry *e, const char *file) {
    file_name(file, e->name, sizeof e->name);
    e->playable = 0;
    e->rooms = 0;
    e->why[0] = 0;
    e->proof = PROOF_NONE;
    e->proof_room = 0;
    LevelLoad load;
    e->damaged = !LEVEL_load(e->path, MAP_RECORDS, &scratch, &load);
    if (e->damaged) {
        LEVELS_reason(load.why, e->path, e->why, sizeof e->why);
        return;
    }
    char name[LEVEL_NAME_MAX];
    header_name(&scratch.header, name, sizeof name);
    if (name[0]) memcpy(e->name, name, sizeof name);
    static Pickup levers[PICKUP_SLOTS];
    LEVEL_convert_pickups(scratch.levers, levers);
    for (int room = 0; room < ROOM_COUNT; room++)
        if (LEVEL_room_playable(scratch.rooms, levers, room)) e->rooms |= 1u << room;
    e->playable = LEVEL_playable_rooms(scratch.rooms, levers);
}

void LEVELS_reason(const char *why, const char *path, char *out, size_t size) {
    char prefix[LEVEL_PATH_MAX + 8];
    snprintf(prefix, sizeof prefix, "map %s: ", path);
    size_t n = strlen(prefix);
    if (strncmp(why, prefix, n) == 0) why += n;
    snprintf(out, size, "%s", why[0] ? why : "it cannot be read");
    for (char *c = out; *c; c++) // the font shows printable ASCII
        if ((unsigned char)*c < 32 || (unsigned char)*c >= 127) *c = '?';
}

static int by_name(const void *a, const void *b) {
    const LevelEntry *x = (const LevelEntry *)a, *y = (const LevelEntry *)b;
    int c = strcasecmp(x->name, y->name);
    return c ? c : strcmp(x->path, y->path);
}

static int by_file(const void *a, const void *b) {
    const char *x = *(char *const *)a, *y = *(char *const *)b;
    int c = strcasecmp(x, y);
    return c ? c : strcmp(x, y);
}

// The level files' names in the folder, sorted (a fresh array of fresh strings, *n of them);
// null with *err set when the folder is there but cannot be read (or memory ran out).
static char **level_files(const char *dir, bool shipped, int *n, int *err) {
    *n = 0;
    *err = 0;
    DIR *d = opendir(dir);
    if (!d) {
        *err = errno == ENOENT ? 0 : errno;
        return nullptr;
    }
    char **names = nullptr;
    int cap = 0;
    struct dirent *de;
    for (errno = 0; (de = readdir(d)) != nullptr; errno = 0) {
        if (!is_level_file(de->d_name)) continue;
        if (shipped && strcmp(de->d_name, LEVEL_OWN_FILE) == 0) continue;
        if (*n == cap) {
            cap = cap ? cap * 2 : 64;
            char **more = (char **)realloc(names, sizeof *names * (size_t)cap);
            if (!more) break;
            names = more;
        }
        if (!(names[*n] = strdup(de->d_name))) break;
        ++*n;
    }
    if (errno) *err = errno; // a folder that fails part-way, or memory
    closedir(d);
    if (*n) qsort(names, (size_t)*n, sizeof *names, by_file);
    return names;
}

// Tells entries with the same name apart: each of them shows its file's name too.
static void mark_shared_names(LevelList *list) {
    for (int i = 0; i < list->count; i++)
        list->entries[i].name_shared = false;
    for (int i = 0; i < list->count; i++)
        for (int j = i + 1; j < list->count; j++)
            if (strcasecmp(list->entries[i].name, list->entries[j].name) == 0)
                list->entries[i].name_shared = list->entries[j].name_shared = true;
}

// Adds the level files of dir, the first by file name up to the limit, sorted by name.
static void scan_dir(LevelList *list, const char *dir, bool shipped) {
    int n, err;
    char **files = level_files(dir, shipped, &n, &err);
    if (err && !list->read_err) {
        list->read_err = err;
        snprintf(list->unread, sizeof list->unread, "%s", dir);
    }
    int first = list->count;
    for (int i = 0; i < n; i++) {
        char path[LEVEL_PATH_MAX];
        struct stat st;
        if (snprintf(path, sizeof path, "%s/%s", dir, files[i]) >= (int)sizeof path ||
            stat(path, &st) != 0 || !S_ISREG(st.st_mode)) {
            list->skipped++;
        } else if (list->count == LEVEL_LIST_MAX) {
            list->dropped++;
        } else {
            LevelEntry *e = &list->entries[list->count++];
            memcpy(e->path, path, sizeof path);
            e->shipped = shipped;
            read_entry(e, files[i]);
        }
        free(files[i]);
    }
    free(files);
    qsort(list->entries + first, (size_t)(list->count - first), sizeof list->entries[0], by_name);
}

int LEVELS_scan(LevelList *list, const char *maps_dir, const char *levels_dir) {
    list->count = list->skipped = list->dropped = list->read_err = 0;
    list->unread[0] = 0;
    if (maps_dir) scan_dir(list, maps_dir, true);
    if (levels_dir) scan_dir(list, levels_dir, false);
    mark_shared_names(list);
    char line[LEVEL_PATH_MAX + 100];
    if (list->read_err) {
        snprintf(line, sizeof line, "level list: folder %s cannot be read (%s)", list->unread,
                 strerror(list->read_err));
        loga(line);
    }
    if (list->skipped) {
        snprintf(line, sizeof line, "level list: %d .vb3 entr%s skipped: not regular files",
                 list->skipped, list->skipped == 1 ? "y" : "ies");
        loga(line);
    }
    if (list->dropped) {
        snprintf(line, sizeof line, "level list: %d level files past the first %d not listed",
                 list->dropped, LEVEL_LIST_MAX);
        loga(line);
    }
    return list->count;
}

const char *LEVELS_file(const LevelEntry *e) {
    const char *slash = strrchr(e->path, '/');
    return slash ? slash + 1 : e->path;
}
