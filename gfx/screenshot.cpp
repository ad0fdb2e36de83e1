// screenshot.cpp -- screenshots: the picture made a PCX in memory, written as a numbered file
// and as CAP.PCX, without following links or writing over an older one.
// SPDX-License-Identifier: MIT
#include "gfx/screenshot.h"
#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "platform/fileio.h"
#include "platform/paths.h"

static const char LATEST[] = "CAP.PCX";

// A PCX file growing in memory, written through Allegro's packfile interface.
struct ShotBytes {
    unsigned char *data;
    size_t size, cap;
    bool failed;
};

static long shot_write(const void *p, long n, void *user) {
    ShotBytes *b = (ShotBytes *)user;
    if (b->failed || n < 0) return 0;
    if (b->size + (size_t)n > b->cap) {
        size_t cap = b->cap ? b->cap * 2 : 65536;
        while (cap < b->size + (size_t)n)
            cap *= 2;
        unsigned char *more = (unsigned char *)realloc(b->data, cap);
        if (!more) {
            b->failed = true;
            return 0;
        }
        b->data = more;
        b->cap = cap;
    }
    memcpy(b->data + b->size, p, (size_t)n);
    b->size += (size_t)n;
    return n;
}

static int shot_putc(int c, void *user) {
    unsigned char byte = (unsigned char)c;
    return shot_write(&byte, 1, user) == 1 ? c : EOF;
}

static int shot_none(void *) {
    return 0;
}
static int shot_eof(void *) {
    return EOF;
}
static int shot_unget(int, void *) {
    return EOF;
}
static long shot_read(void *, long, void *) {
    return 0;
}
static int shot_seek(void *, int) {
    return -1;
}
static int shot_error(void *user) {
    return ((ShotBytes *)user)->failed;
}

static const PACKFILE_VTABLE shot_vtable = {shot_none,  shot_eof,  shot_unget, shot_read, shot_putc,
                                            shot_write, shot_seek, shot_none,  shot_error};

// The highest number of a CAPnnnn.PCX in the player's folder; 0 when there is none.
static int shot_highest(void) {
    DIR *d = opendir(PATHS_user_dir());
    if (!d) return 0;
    int highest = 0;
    struct dirent *e;
    while ((e = readdir(d)) != nullptr) {
        int n = 0, end = 0;
        if (strlen(e->d_name) == 11 && sscanf(e->d_name, "CAP%4d.PCX%n", &n, &end) == 1 &&
            end == 11 && n > highest)
            highest = n;
    }
    closedir(d);
    return highest;
}

int GFX_save_screenshot(BITMAP *picture, const RGB *palette, char *report, size_t size) {
    ShotBytes bytes = {nullptr, 0, 0, false};
    PACKFILE *f = pack_fopen_vtable(&shot_vtable, &bytes);
    int bad = !f || save_pcx_pf(f, picture, palette) != 0;
    if (f) pack_fclose(f);
    if (bad || bytes.failed) {
        free(bytes.data);
        snprintf(report, size, "screenshot not saved: out of memory");
        return 0;
    }
    char name[24] = "", path[PATHS_MAX + 24], latest_path[PATHS_MAX + 24];
    int err = EEXIST;
    for (int n = shot_highest() + 1; n <= GFX_SHOTS_MAX && err == EEXIST; n++) {
        snprintf(name, sizeof name, "CAP%04d.PCX", n);
        err = PATHS_user_file(path, sizeof path, name)
                  ? FIO_create(path, bytes.data, bytes.size, FIO_NEW_FILE)
                  : ENAMETOOLONG;
    }
    int latest = err ? 0
                 : !PATHS_user_file(latest_path, sizeof latest_path, LATEST)
                     ? ENAMETOOLONG
                     : FIO_replace(latest_path, bytes.data, bytes.size, FIO_NEW_FILE);
    free(bytes.data);
    if (err == EEXIST)
        snprintf(report, size, "screenshot not saved: CAP%04d.PCX is there already", GFX_SHOTS_MAX);
    else if (err)
        snprintf(report, size, "screenshot not saved: %s", strerror(err));
    else if (latest)
        snprintf(report, size, "screenshot saved as %s, but %s could not be replaced: %s", name,
                 LATEST, strerror(latest));
    else
        snprintf(report, size, "screenshot saved as %s and %s", name, LATEST);
    return !err; // the picture is saved, CAP.PCX or not
}
