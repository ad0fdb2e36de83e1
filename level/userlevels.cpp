// userlevels.cpp -- listing the level files a player can choose: stat before anything is opened,
// the map reader for the records, the name from the header, the rooms that can be played.
#include "level/userlevels.h"
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include "level/sanitize.h"

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
    LevelLoad load;
    e->damaged = !LEVEL_load(e->path, MAP_RECORDS, &scratch, &load);
    if (e->damaged) return;
    char name[LEVEL_NAME_MAX];
    header_name(&scratch.header, name, sizeof name);
    if (name[0]) memcpy(e->name, name, sizeof name);
    static Pickup levers[PICKUP_SLOTS];
    LEVEL_convert_pickups(scratch.levers, levers);
    e->playable = LEVEL_playable_rooms(scratch.rooms, levers);
}

static int by_name(const void *a, const void *b) {
    const LevelEntry *x = (const LevelEntry *)a, *y = (const LevelEntry *)b;
    int c = strcasecmp(x->name, y->name);
    return c ? c : strcmp(x->path, y->path);
}

// Adds the level files of dir, sorted, to the list.
static void scan_dir(LevelList *list, const char *dir, bool shipped) {
    DIR *d = opendir(dir);
    if (!d) return;
    int first = list->count;
    struct dirent *de;
    while ((de = readdir(d)) != nullptr) {
        if (!is_level_file(de->d_name)) continue;
        if (shipped && strcmp(de->d_name, LEVEL_OWN_FILE) == 0) continue;
        char path[LEVEL_PATH_MAX];
        if (snprintf(path, sizeof path, "%s/%s", dir, de->d_name) >= (int)sizeof path) continue;
        struct stat st;
        if (stat(path, &st) != 0 || !S_ISREG(st.st_mode)) {
            list->skipped++;
            continue;
        }
        if (list->count == LEVEL_LIST_MAX) {
            list->dropped++;
            continue;
        }
        LevelEntry *e = &list->entries[list->count++];
        memcpy(e->path, path, sizeof path);
        e->shipped = shipped;
        read_entry(e, de->d_name);
    }
    closedir(d);
    qsort(list->entries + first, (size_t)(list->count - first), sizeof list->entries[0], by_name);
}

int LEVELS_scan(LevelList *list, const char *maps_dir, const char *levels_dir) {
    list->count = list->skipped = list->dropped = 0;
    if (maps_dir) scan_dir(list, maps_dir, true);
    if (levels_dir) scan_dir(list, levels_dir, false);
    return list->count;
}
