// par.cpp -- reading and writing a level's par file: a header line, then one line per route.
// SPDX-License-Identifier: MIT
#include "level/par.h"
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "platform/fileio.h"

static const char HEADER[] = "velumbrina par";
static const char *const ROUTE_NAMES[2] = {"fastest", "full"};
const char PAR_ROUTE_LETTERS[10] = ".LRUDabcd";

void PAR_reset(ParFile *par) {
    memset(par, 0, sizeof *par);
}

int PAR_key_valid(char letter) {
    return letter && strchr(PAR_ROUTE_LETTERS, letter) != nullptr;
}

// Reads a decimal number of at most 6 digits at *p; -1 when there is none.
static long read_number(const char **p, const char *end) {
    long v = 0;
    int digits = 0;
    while (*p < end && **p >= '0' && **p <= '9' && digits < 7) {
        v = v * 10 + (**p - '0');
        ++*p;
        digits++;
    }
    return digits == 0 || digits > 6 ? -1 : v;
}

// Skips one or more blanks; 0 when there is none.
static int skip_blanks(const char **p, const char *end) {
    const char *start = *p;
    while (*p < end && **p == ' ')
        ++*p;
    return *p > start;
}

// Does the word w come next (followed by a blank or the line's end)? Moves past it when it does.
static int take_word(const char **p, const char *end, const char *w) {
    size_t n = strlen(w);
    if ((size_t)(end - *p) < n || memcmp(*p, w, n) != 0) return 0;
    if (*p + n < end && (*p)[n] != ' ') return 0;
    *p += n;
    return 1;
}

// One route line without its end: "room N fastest|full FRAMES KEYS". NULL, or what is wrong.
static const char *parse_route(const char *p, const char *end, ParFile *par) {
    if (!take_word(&p, end, "room") || !skip_blanks(&p, end)) return "a line is not a room's route";
    long room = read_number(&p, end);
    if (room < 1 || room > ROOM_COUNT) return "a room number is not 1..25";
    if (!skip_blanks(&p, end)) return "a route line is cut short";
    int kind = take_word(&p, end, ROUTE_NAMES[PAR_FASTEST]) ? PAR_FASTEST
               : take_word(&p, end, ROUTE_NAMES[PAR_FULL])  ? PAR_FULL
                                                            : -1;
    if (kind < 0) return "a route is neither fastest nor full";
    if (!skip_blanks(&p, end)) return "a route line is cut short";
    long frames = read_number(&p, end);
    if (frames < 1 || frames > PAR_MAX_FRAMES) return "a route's frame count is out of range";
    if (!skip_blanks(&p, end) || end - p != frames) return "a route's keys do not match its frames";
    ParRoute *r = &par->routes[room - 1][kind];
    if (r->frames) return "a room's route is given twice";
    for (long i = 0; i < frames; i++)
        if (!PAR_key_valid(p[i])) return "a route has a letter that is not a key";
    memcpy(r->keys, p, (size_t)frames);
    r->keys[frames] = 0;
    r->frames = (int)frames;
    return nullptr;
}

int PAR_parse(const char *text, size_t size, ParFile *par, char *why, size_t why_size) {
    PAR_reset(par);
    const char *p = text, *end = text + size, *fault = nullptr;
    int line = 0;
    while (p < end && !fault) {
        const char *eol = (const char *)memchr(p, '\n', (size_t)(end - p));
        if (!eol) eol = end; // a last line without its end is taken as it is
        const char *stop = eol > p && eol[-1] == '\r' ? eol - 1 : eol;
        line++;
        if (line == 1) {
            const char *q = p;
            long version = -1;
            if (take_word(&q, stop, HEADER) && skip_blanks(&q, stop))
                version = read_number(&q, stop);
            if (version < 0 || q != stop)
                fault = "it does not start with \"velumbrina par VERSION\"";
            else if (version != PAR_VERSION)
                fault = "it is of a version this game does not know";
        } else if (stop > p && *p != '#') {
            fault = parse_route(p, stop, par);
        }
        p = eol + 1;
    }
    if (line == 0) fault = "it is empty";
    for (int room = 0; room < ROOM_COUNT && !fault; room++)
        if (par->routes[room][PAR_FULL].frames &&
            par->routes[room][PAR_FULL].frames < par->routes[room][PAR_FASTEST].frames)
            fault = "a room's route taking every item is faster than its fastest";
    if (!fault) return PAR_OK;
    if (why && why_size) snprintf(why, why_size, "%s (line %d)", fault, line);
    PAR_reset(par);
    return PAR_DAMAGED;
}

size_t PAR_format(const ParFile *par, char *out, size_t size) {
    size_t at = 0;
    int n = snprintf(out, size, "%s %d\n", HEADER, PAR_VERSION);
    if (n < 0 || (size_t)n >= size) return 0;
    at = (size_t)n;
    for (int room = 0; room < ROOM_COUNT; room++)
        for (int kind = PAR_FASTEST; kind <= PAR_FULL; kind++) {
            const ParRoute *r = &par->routes[room][kind];
            if (r->frames <= 0) continue;
            n = snprintf(out + at, size - at, "room %d %s %d %.*s\n", room + 1, ROUTE_NAMES[kind],
                         r->frames, r->frames, r->keys);
            if (n < 0 || (size_t)n >= size - at) return 0;
            at += (size_t)n;
        }
    return at;
}

int PAR_load(const char *path, ParFile *par, char *why, size_t why_size) {
    PAR_reset(par);
    FioData d;
    int result = FIO_read(path, PAR_FILE_MAX, &d);
    if (result == FIO_MISSING) return PAR_MISSING;
    if (result != FIO_OK) {
        char reason[120];
        snprintf(why, why_size, "%s", FIO_why(result, &d, PAR_FILE_MAX, reason, sizeof reason));
        return PAR_DAMAGED;
    }
    int parsed = PAR_parse((const char *)d.data, d.size, par, why, why_size);
    free(d.data);
    return parsed;
}

int PAR_save(const char *path, const ParFile *par) {
    size_t size = 64 + (size_t)ROOM_COUNT * 2 * (PAR_MAX_FRAMES + 32);
    char *text = (char *)malloc(size);
    if (!text) return ENOMEM;
    size_t n = PAR_format(par, text, size);
    int err = n ? FIO_replace(path, text, n, FIO_NEW_FILE) : EOVERFLOW;
    free(text);
    return err;
}

int PAR_path(const char *level_path, char *out, size_t size) {
    const char *slash = strrchr(level_path, '/');
    const char *dot = strrchr(slash ? slash : level_path, '.');
    size_t stem = dot ? (size_t)(dot - level_path) : strlen(level_path);
    int n = snprintf(out, size, "%.*s.par", (int)stem, level_path);
    if (n < 0 || (size_t)n >= size) {
        if (size) out[0] = 0;
        return 0;
    }
    return 1;
}

int PAR_room(const ParFile *par, int room) {
    if (room < 0 || room >= ROOM_COUNT) return 0;
    return par->routes[room][PAR_FASTEST].frames;
}
