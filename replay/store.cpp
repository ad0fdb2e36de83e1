// store.cpp -- replays kept in the player's data directory: one folder per level file, in it per
// room the best finish and the latest attempts, each written whole through platform/fileio.
// SPDX-License-Identifier: MIT
#include "replay/store.h"
#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include "platform/fileio.h"
#include "platform/loga.h"
#include "platform/paths.h"
#include "replay/replay_fields.h"

enum { PATH_MAX_BYTES = 4096, ATTEMPT_SUFFIXES = 10 };

void REPLAY_level_folder(const ReplayLevelId *id, char *out, size_t size) {
    char stem[REPLAY_NAME_MAX + 1];
    size_t n = 0;
    for (const char *c = id->file; *c && n < sizeof stem - 1; c++) {
        bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') ||
                     (*c >= '0' && *c <= '9') || *c == '_' || *c == '-' || *c == '.';
        stem[n++] = plain ? *c : '_';
    }
    stem[n] = 0;
    char *dot = strrchr(stem, '.');
    if (dot && dot != stem) *dot = 0; // "velba1.vb3" -> "velba1"
    if (stem[0] == '.' || stem[0] == 0) stem[0] = '_', stem[1] = 0;
    snprintf(out, size, "replays/%s-%02x%02x%02x%02x%02x%02x", stem, id->sha256[0], id->sha256[1],
             id->sha256[2], id->sha256[3], id->sha256[4], id->sha256[5]);
}

// Logs why a file was not kept: the attempt ("replay") or the room's best ("best").
static void say_file(const char *file, const char *what, const char *path, int err) {
    char line[PATH_MAX_BYTES + 200];
    snprintf(line, sizeof line, "%s not kept: %s %s%s%s%s", file, what, path, err ? " (" : "",
             err ? strerror(err) : "", err ? ")" : "");
    loga(line);
}
static void say(const char *what, const char *path, int err) {
    say_file("replay", what, path, err);
}

// Makes a folder unless it is there; 0 or the error.
static int make_folder(const char *path) {
    if (mkdir(path, 0755) == 0) return 0;
    struct stat st;
    if (errno == EEXIST && stat(path, &st) == 0 && S_ISDIR(st.st_mode)) return 0;
    return errno == EEXIST ? ENOTDIR : errno;
}

// Is r a better finish of its room than the one kept at path? A lever in fewer frames, or as
// many with more energy left; anything beats a best that cannot be read.
static bool better_than_kept(const Replay *r, const char *path) {
    if (r->ending != REPLAY_LEVER) return false;
    Replay *kept = (Replay *)malloc(sizeof *kept);
    char why[200];
    bool better = true;
    if (kept && REPLAY_load(path, kept, why, sizeof why) && kept->ending == REPLAY_LEVER)
        better = r->frames < kept->frames ||
                 (r->frames == kept->frames && r->energy_left > kept->energy_left);
    free(kept);
    return better;
}

static int by_name(const void *a, const void *b) {
    return strcmp(*(char *const *)a, *(char *const *)b);
}

// Removes the room's oldest attempts beyond REPLAY_KEEP_LATEST: their names sort by time.
static void prune(const char *folder, int room) {
    DIR *d = opendir(folder);
    if (!d) return;
    char prefix[16];
    snprintf(prefix, sizeof prefix, "room%02d-2", room); // dates of this millennium
    char *names[256];
    int count = 0;
    for (struct dirent *e; (e = readdir(d)) != nullptr && count < 256;) {
        size_t n = strlen(e->d_name);
        if (strncmp(e->d_name, prefix, strlen(prefix)) == 0 && n > 4 &&
            strcmp(e->d_name + n - 4, ".vbr") == 0)
            names[count++] = strdup(e->d_name);
    }
    closedir(d);
    qsort(names, (size_t)count, sizeof names[0], by_name);
    for (int i = 0; i < count; i++) {
        char path[PATH_MAX_BYTES];
        if (names[i] && i < count - REPLAY_KEEP_LATEST &&
            snprintf(path, sizeof path, "%s/%s", folder, names[i]) < (int)sizeof path)
            unlink(path);
        free(names[i]);
    }
}

int REPLAY_keep(const Replay *r) {
    char folder[PATH_MAX_BYTES], level[128], path[PATH_MAX_BYTES + 64];
    if (r->too_long) {
        snprintf(level, sizeof level, "room %d's attempt is longer than %d frames", r->room,
                 (int)REPLAY_MAX_FRAMES);
        say(level, "", 0);
        return 0;
    }
    unsigned char *data;
    size_t size;
    if (!REPLAY_encode(r, &data, &size)) {
        say("out of memory", "", 0);
        return 0;
    }
    REPLAY_level_folder(&r->level, level, sizeof level);
    int err = 0;
    if (!PATHS_user_file(folder, sizeof folder, "replays"))
        err = ENAMETOOLONG;
    else if ((err = make_folder(folder)) == 0 && !PATHS_user_file(folder, sizeof folder, level))
        err = ENAMETOOLONG;
    else if (err == 0)
        err = make_folder(folder);
    if (err) {
        say("cannot make", folder, err);
        free(data);
        return 0;
    }
    time_t t = (time_t)r->recorded;
    struct tm tm = {};
    char when[32] = "20000101-000000";
    if (gmtime_r(&t, &tm) && tm.tm_year >= 100 && tm.tm_year < 1100)
        strftime(when, sizeof when, "%Y%m%d-%H%M%S", &tm);
    err = EEXIST;
    for (int k = 0; k < ATTEMPT_SUFFIXES && err == EEXIST; k++) {
        snprintf(path, sizeof path, "%s/room%02d-%s-%d.vbr", folder, r->room, when, k);
        err = FIO_create(path, data, size, FIO_NEW_FILE);
    }
    int kept = err == 0;
    if (err) say("cannot write", path, err);
    snprintf(path, sizeof path, "%s/room%02d-best.vbr", folder, r->room);
    if (better_than_kept(r, path) && (err = FIO_replace(path, data, size, FIO_NEW_FILE)) != 0)
        say_file("best", "cannot write", path, err);
    free(data);
    prune(folder, r->room);
    if (kept) {
        char line[PATH_MAX_BYTES + 100];
        snprintf(line, sizeof line, "replay kept: %s/room%02d-%s (%s, %d frames, %zu bytes)", level,
                 r->room, when, REPLAY_ending_name(r->ending), r->frames, size);
        loga(line);
    }
    return kept;
}

// The room of a kept replay's file name ("room07-..."), 0 for any other name.
static int room_of(const char *name) {
    size_t n = strlen(name);
    if (strncmp(name, "room", 4) != 0 || n < 12 || strcmp(name + n - 4, ".vbr") != 0) return 0;
    if (name[4] < '0' || name[4] > '9' || name[5] < '0' || name[5] > '9' || name[6] != '-')
        return 0;
    int room = (name[4] - '0') * 10 + (name[5] - '0');
    return room >= 1 && room <= ROOM_COUNT ? room : 0;
}

static int by_level_name(const void *a, const void *b) {
    const ReplayShelf *x = (const ReplayShelf *)a, *y = (const ReplayShelf *)b;
    int c = strcmp(x->level.name, y->level.name);
    return c ? c : strcmp(x->folder, y->folder);
}

// The shelf of one level folder: its rooms from the files' names, its level from the first file
// that can be read; 0 when it holds no replay.
static int shelve(ReplayShelf *s, Replay *r) {
    DIR *d = opendir(s->folder);
    if (!d) return 0;
    bool known = false;
    s->rooms = 0;
    for (struct dirent *e; (e = readdir(d)) != nullptr;) {
        int room = room_of(e->d_name);
        if (!room) continue;
        s->rooms |= 1u << (room - 1);
        char path[REPLAY_PATH_MAX + 300], why[200];
        if (!known &&
            snprintf(path, sizeof path, "%s/%s", s->folder, e->d_name) < (int)sizeof path &&
            REPLAY_load(path, r, why, sizeof why)) {
            s->level = r->level;
            known = true;
        }
    }
    closedir(d);
    return s->rooms != 0;
}

int REPLAY_list_levels(ReplayShelf *out, int max) {
    char root[REPLAY_PATH_MAX];
    if (!PATHS_user_file(root, sizeof root, "replays")) return 0;
    DIR *d = opendir(root);
    Replay *r = (Replay *)malloc(sizeof *r);
    int count = 0;
    for (struct dirent *e; d && r && count < max && (e = readdir(d)) != nullptr;) {
        ReplayShelf *s = &out[count];
        if (e->d_name[0] == '.') continue;
        memset(s, 0, sizeof *s);
        if (snprintf(s->folder, sizeof s->folder, "%s/%s", root, e->d_name) >=
            (int)sizeof s->folder)
            continue;
        snprintf(s->level.name, sizeof s->level.name, "%.63s", e->d_name); // until a file says
        if (shelve(s, r)) count++;
    }
    if (d) closedir(d);
    free(r);
    qsort(out, (size_t)count, sizeof *out, by_level_name);
    return count;
}

int REPLAY_list_room(const ReplayShelf *s, int room, ReplayListed *out, int max) {
    char prefix[16], *names[256];
    int count = 0, listed = 0;
    snprintf(prefix, sizeof prefix, "room%02d-", room);
    DIR *d = opendir(s->folder);
    for (struct dirent *e; d && count < 256 && (e = readdir(d)) != nullptr;)
        if (room_of(e->d_name) == room && strncmp(e->d_name, prefix, strlen(prefix)) == 0)
            names[count++] = strdup(e->d_name);
    if (d) closedir(d);
    qsort(names, (size_t)count, sizeof names[0], by_name);
    Replay *r = (Replay *)malloc(sizeof *r);
    // "roomNN-best" sorts after the dated names: it is listed first, then the newest.
    for (int i = count - 1; i >= 0; i--) {
        if (!names[i] || !r || listed >= max) continue;
        ReplayListed *l = &out[listed];
        memset(l, 0, sizeof *l);
        if (snprintf(l->path, sizeof l->path, "%s/%s", s->folder, names[i]) >= (int)sizeof l->path)
            continue;
        l->best = strcmp(names[i] + strlen(prefix), "best.vbr") == 0;
        l->damaged = !REPLAY_load(l->path, r, l->why, sizeof l->why);
        if (!l->damaged) {
            l->recorded = r->recorded;
            l->ending = r->ending;
            l->frames = r->frames;
        }
        listed++;
    }
    for (int i = 0; i < count; i++)
        free(names[i]);
    free(r);
    return listed;
}

int REPLAY_find_level(const ReplayLevelId *id, const char *const *folders, int count, char *path,
                      size_t size) {
    int found = REPLAY_LEVEL_MISSING;
    if (!id->file[0] || id->file[0] == '.' || strchr(id->file, '/')) return found;
    for (int i = 0; i < count && found != REPLAY_LEVEL_FOUND; i++) {
        if (snprintf(path, size, "%s/%s", folders[i], id->file) >= (int)size) continue;
        unsigned char sha[32];
        char why[200];
        if (!REPLAY_file_sha256(path, sha, why, sizeof why)) continue;
        found = memcmp(sha, id->sha256, 32) == 0 ? REPLAY_LEVEL_FOUND : REPLAY_LEVEL_CHANGED;
    }
    return found;
}

int REPLAY_load_best(const ReplayLevelId *id, const Level *lv, int room, Replay *r, char *why,
                     size_t why_size) {
    char level[128], name[160], path[PATH_MAX_BYTES], fault[200] = "";
    REPLAY_level_folder(id, level, sizeof level);
    snprintf(name, sizeof name, "%s/room%02d-best.vbr", level, room);
    why[0] = 0;
    if (!PATHS_user_file(path, sizeof path, name) || (access(path, F_OK) != 0 && errno == ENOENT))
        return 0;
    if (REPLAY_load(path, r, fault, sizeof fault)) {
        ReplayVerdict v = REPLAY_verify(r, lv, id->sha256);
        if (r->room != room || r->ending != REPLAY_LEVER)
            snprintf(fault, sizeof fault, "it is not a finish of room %d", room);
        else if (v.result == REPLAY_OTHER_LEVEL)
            snprintf(fault, sizeof fault, "it was made for another level");
        else if (v.result == REPLAY_DESYNC)
            snprintf(fault, sizeof fault, "it does not play back the same (frame %d)", v.frame);
        else
            return 1;
    }
    snprintf(why, why_size, "%s: %s", path, fault);
    return 0;
}
