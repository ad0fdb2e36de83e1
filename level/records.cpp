// records.cpp -- the records file: reading it defensively, writing it whole, setting a damaged one
// aside.
// SPDX-License-Identifier: MIT
#include "level/records.h"
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include "platform/fileio.h"
#include "platform/loga.h"

static const char HEADER[] = "velumbrina records";

void RECORDS_reset(Records *r) {
    memset(r, 0, sizeof *r);
}

void RECORDS_key(const char *path, char *out, size_t size) {
    const char *start = path, *slash = strrchr(path, '/');
    if (slash) { // back to the folder's name
        start = slash;
        while (start > path && start[-1] != '/')
            start--;
    }
    snprintf(out, size, "%s", start);
    for (char *c = out; *c; c++)
        if (*c <= ' ' || *c > '~') *c = '_';
}

LevelRecord *RECORDS_level(Records *r, const char *key, int create) {
    for (int i = 0; i < r->count; i++)
        if (strcmp(r->levels[i].key, key) == 0) return &r->levels[i];
    if (!create || r->count >= RECORDS_LEVELS || !key[0]) return nullptr;
    LevelRecord *l = &r->levels[r->count++];
    memset(l, 0, sizeof *l);
    snprintf(l->key, sizeof l->key, "%s", key);
    return l;
}

// The next word of the line (up to a blank) into w; 0 when the line has no more.
static int next_word(const char **p, const char *end, char *w, size_t size) {
    while (*p < end && **p == ' ')
        ++*p;
    size_t n = 0;
    while (*p < end && **p != ' ') {
        if (n + 1 >= size) return 0; // too long for any word of the file
        w[n++] = *(*p)++;
    }
    w[n] = 0;
    return n > 0;
}

// A count of the file: decimal, 0..RECORDS_COUNT_MAX; -1 when it is not one.
static long count_of(const char *w) {
    if (!w[0] || strlen(w) > 9) return -1;
    long v = 0;
    for (const char *c = w; *c; c++) {
        if (*c < '0' || *c > '9') return -1;
        v = v * 10 + (*c - '0');
    }
    return v;
}

// One line after the header; NULL, or what is wrong with it. *level is the level line before.
static const char *parse_line(const char *p, const char *end, Records *r, LevelRecord **level) {
    char w[RECORDS_KEY_MAX + 1], key[RECORDS_KEY_MAX];
    if (!next_word(&p, end, w, sizeof w)) return nullptr; // a blank line
    if (strcmp(w, "level") == 0) {
        char hex[16];
        if (!next_word(&p, end, key, sizeof key)) return "a level has no key";
        if (!next_word(&p, end, w, sizeof w) || strcmp(w, "reached") != 0 ||
            !next_word(&p, end, hex, sizeof hex) || strlen(hex) > 8)
            return "a level line is not \"level KEY reached BITS\"";
        char *stop;
        unsigned long bits = strtoul(hex, &stop, 16);
        if (*stop || hex[0] == '-' || hex[0] == '+') return "a level's reached rooms are not hex";
        if (RECORDS_level(r, key, 0)) return "a level is listed twice";
        *level = RECORDS_level(r, key, 1);
        if (!*level) return "it lists more levels than the game keeps";
        (*level)->reached = (unsigned)(bits & ((1u << ROOM_COUNT) - 1));
    } else if (strcmp(w, "room") == 0) {
        if (!*level) return "a room comes before its level";
        if (!next_word(&p, end, w, sizeof w)) return "a room has no number";
        long room = count_of(w);
        if (room < 1 || room > ROOM_COUNT) return "a room number is not 1..25";
        static const char *const names[3] = {"best", "attempts", "deaths"};
        long v[3];
        for (int i = 0; i < 3; i++) {
            if (!next_word(&p, end, w, sizeof w) || strcmp(w, names[i]) != 0 ||
                !next_word(&p, end, w, sizeof w) || (v[i] = count_of(w)) < 0)
                return "a room line is not \"room N best F attempts A deaths D\"";
        }
        RoomRecord *rr = &(*level)->rooms[room - 1];
        rr->best = (int)v[0];
        rr->attempts = (int)v[1];
        rr->deaths = (int)v[2];
    } else if (strcmp(w, "ghost") == 0) { // written by older versions
        if (!next_word(&p, end, w, sizeof w) || (strcmp(w, "on") != 0 && strcmp(w, "off") != 0))
            return "the ghost line is not \"ghost on\" or \"ghost off\"";
        r->ghost_off = strcmp(w, "off") == 0;
    } else if (w[0] != '#') {
        return "a line is neither a level nor a room";
    }
    return next_word(&p, end, w, sizeof w) ? "a line has more than it should" : nullptr;
}

int RECORDS_parse(const char *text, size_t size, Records *r, char *why, size_t why_size) {
    RECORDS_reset(r);
    const char *p = text, *end = text + size, *fault = nullptr;
    LevelRecord *level = nullptr;
    int line = 0;
    if (memchr(text, 0, size)) fault = "it holds a zero byte";
    while (p < end && !fault) {
        const char *eol = (const char *)memchr(p, '\n', (size_t)(end - p));
        if (!eol) eol = end;
        const char *stop = eol > p && eol[-1] == '\r' ? eol - 1 : eol;
        if (++line == 1) {
            char want[40];
            snprintf(want, sizeof want, "%s %d", HEADER, RECORDS_VERSION);
            if ((size_t)(stop - p) != strlen(want) || memcmp(p, want, strlen(want)) != 0)
                fault = "it does not start with \"velumbrina records 1\"";
        } else {
            fault = parse_line(p, stop, r, &level);
        }
        p = eol + 1;
    }
    if (line == 0) fault = "it is empty";
    if (!fault) return 1;
    snprintf(why, why_size, "%s (line %d)", fault, line);
    RECORDS_reset(r);
    return 0;
}

size_t RECORDS_format(const Records *r, char *out, size_t size) {
    int n = snprintf(out, size, "%s %d\n", HEADER, RECORDS_VERSION);
    if (n < 0 || (size_t)n >= size) return 0;
    size_t at = (size_t)n;
    for (int i = 0; i < r->count; i++) {
        const LevelRecord *l = &r->levels[i];
        n = snprintf(out + at, size - at, "level %s reached %x\n", l->key, l->reached);
        if (n < 0 || (size_t)n >= size - at) return 0;
        at += (size_t)n;
        for (int room = 0; room < ROOM_COUNT; room++) {
            const RoomRecord *rr = &l->rooms[room];
            if (!rr->best && !rr->attempts && !rr->deaths) continue;
            n = snprintf(out + at, size - at, "room %d best %d attempts %d deaths %d\n", room + 1,
                         rr->best, rr->attempts, rr->deaths);
            if (n < 0 || (size_t)n >= size - at) return 0;
            at += (size_t)n;
        }
    }
    return at;
}

// Moves a damaged file out of the way to path.damaged, or .damaged2 .. .damaged9 when those are
// taken (never over anything); 1 when it was moved.
static int set_aside(const char *path, char *to, size_t size) {
    for (int i = 1; i <= 9; i++) {
        if (i == 1)
            snprintf(to, size, "%s.damaged", path);
        else
            snprintf(to, size, "%s.damaged%d", path, i);
        if (link(path, to) == 0) {
            if (unlink(path) == 0) return 1;
            unlink(to); // the damaged file stays where it was
            return 0;
        }
        if (errno != EEXIST) return 0;
    }
    return 0;
}

int RECORDS_load(const char *path, Records *r) {
    RECORDS_reset(r);
    FioData d;
    char line[1200], why[200] = ""; // room for the path, the reason and where it went
    int result = FIO_read(path, RECORDS_FILE_MAX, &d);
    if (result == FIO_MISSING) return RECORDS_LOADED;
    if (result == FIO_OK) {
        int ok = RECORDS_parse((const char *)d.data, d.size, r, why, sizeof why);
        char later[40];
        snprintf(later, sizeof later, "%s ", HEADER);
        int other_version = !ok && d.size > strlen(later) &&
                            memcmp(d.data, later, strlen(later)) == 0 &&
                            atoi((const char *)d.data + strlen(later)) > RECORDS_VERSION;
        free(d.data);
        if (ok) return RECORDS_LOADED;
        if (other_version) {
            snprintf(line, sizeof line,
                     "records: %s is of a later version: left alone, and this run's records are "
                     "not saved",
                     path);
            loga(line);
            return RECORDS_KEPT;
        }
    } else if (result == FIO_UNREADABLE || result == FIO_NOT_REGULAR) {
        char reason[120];
        snprintf(line, sizeof line,
                 "records: %s %s: left alone, and this run's records are not saved", path,
                 FIO_why(result, &d, RECORDS_FILE_MAX, reason, sizeof reason));
        loga(line);
        return RECORDS_KEPT;
    } else {
        FIO_why(result, &d, RECORDS_FILE_MAX, why, sizeof why);
    }
    char to[400];
    if (set_aside(path, to, sizeof to)) {
        snprintf(line, sizeof line,
                 "records: %s is damaged (%s): set aside as %s, records start afresh", path, why,
                 to);
        loga(line);
        return RECORDS_SET_ASIDE;
    }
    snprintf(line, sizeof line,
             "records: %s is damaged (%s) and cannot be set aside: left alone, and this run's "
             "records are not saved",
             path, why);
    loga(line);
    return RECORDS_KEPT;
}

int RECORDS_save(const char *path, const Records *r) {
    size_t size = 128 + (size_t)r->count * (RECORDS_KEY_MAX + 32 + ROOM_COUNT * 64);
    char *text = (char *)malloc(size);
    if (!text) return ENOMEM;
    size_t n = RECORDS_format(r, text, size);
    int err = n ? FIO_replace(path, text, n, FIO_NEW_FILE) : EOVERFLOW;
    free(text);
    return err;
}
