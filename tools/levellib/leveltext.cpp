// leveltext.cpp -- reads the level source text: header, cell legend, rooms with movers and pickups.
//
// The text is line based; '#' starts a comment except inside a room's map rows. Words:
//   door MAPCOL MAPROW COL ROW        exit door's room and its upper cell
//   name TEXT                         level name kept in the level header
//   include FILE                      reads another file of this one's folder: a plain name, no
//                                     folder in it (the game's own levels, built by levelc, may
//                                     give a path relative to this file's folder)
//   tile C [back=T] [front=T] FLAGS   legend entry for map character C; T is -, a tile number or
//                                     wN (tile N of the room's world set, 24 * world + N); FLAGS
//                                     are solid hurts belt_right belt_left ledge drips (a ceiling
//                                     that drops a hazard drop on a fixed beat, at most 16 cells a
//                                     room). Inside a room the entry holds for that room only.
//   room N ... end                    room index N (map row * 5 + map column), holding:
//     background B                    0..4 or -1 (default: the room's world)
//     start COL ROW left|right        player start cell and facing
//     map                             followed by 9 rows of 15 legend characters
//     enemy X1 Y1 X2 Y2 SPEED KIND    up to 24; path ends in cells, speed in pixels per frame
//     platform X1 Y1 X2 Y2 SPEED KIND up to 25; the 25th never moves
//     lever COL ROW                   exactly one per room
//     damage N                        energy (0..255) the room is meant to cost at best: the level
//                                     checker fails a room that needs more (absent: 0). Kept in
//                                     the room record as its declared damage; play ignores it.
//     energy COL ROW                  energy items, at most 25 in the whole level
// SPDX-License-Identifier: MIT
#include "tools/levellib/leveltext.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "game/estado.h"
#include "platform/fileio.h"

namespace {

enum { MAX_DEPTH = 4, TEXT_MAX = 512, LINE_MAX_CHARS = 1000, SHOWN_MAX = 40 };

// A legend entry: tiles as written (world-relative or absolute) and the attribute bits.
struct Glyph {
    int set;
    short back, front;
    unsigned char back_rel, front_rel; // 1: tile is relative to the world's set
    unsigned char attr;
};

// What a room block has collected so far.
struct RoomDraft {
    int index;
    int have_start, have_lever, have_background;
    int map_rows; // rows read so far; -1 while not in the map
    char rows[ROOM_ROWS][ROOM_COLS + 1];
    int enemies, platforms;
    Glyph legend[256];
};

// The reader's state: one record, reset by LT_read.
struct Reader {
    LevelSource *src;
    Glyph legend[256];
    int defined[ROOM_COUNT];
    int in_room;
    RoomDraft room;
    int have_door;
    const char *file;
    int line;
    int failed;
    int depth;    // 0: the file named; more: included ones
    int confined; // a player's level: includes are plain names in the folder dir, never links,
                  // and errors never show words of included files
    int dir;      // the source's folder, or AT_FDCWD
    char **words; // the words of the line being read, for messages
    int word_count;
};

Reader rd;

// Text from a file, safe to print: control bytes and anything past ASCII as \xNN, cut at max
// bytes with "...".
void escape(const char *text, size_t max, char *out, size_t size) {
    size_t n = 0;
    for (const unsigned char *p = (const unsigned char *)text; *p && n + 8 < size; p++) {
        if (n >= max) {
            memcpy(out + n, "...", 3);
            n += 3;
            break;
        }
        if (*p >= 32 && *p < 127 && *p != '\\')
            out[n++] = (char)*p;
        else
            n += (size_t)snprintf(out + n, size - n, "\\x%02x", *p);
    }
    out[n] = 0;
}

// Are the words of the file being read kept out of messages? Those of a file a player's level
// includes are: it may be anything of that folder.
bool hidden(void) {
    return rd.confined && rd.depth > 0;
}

// A word of the line as an error shows it: quoted and escaped in the file named, by its place
// in the line in an included file (whose contents are never printed: it may be anything).
const char *shown(const char *w) {
    static char buf[4][SHOWN_MAX * 4 + 16];
    static int next;
    char *out = buf[next++ % 4];
    if (!hidden()) {
        char text[SHOWN_MAX * 4 + 8];
        escape(w, SHOWN_MAX, text, sizeof text);
        snprintf(out, sizeof buf[0], "'%s'", text);
        return out;
    }
    int at = 0;
    for (int i = 0; i < rd.word_count; i++)
        if (w >= rd.words[i] && w <= rd.words[i] + strlen(rd.words[i])) at = i + 1;
    snprintf(out, sizeof buf[0], "(word %d of the line)", at);
    return out;
}

void fail(const char *fmt, ...) {
    if (rd.failed) return;
    rd.failed = 1;
    char msg[200], file[TEXT_MAX * 4 + 8];
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(msg, sizeof msg, fmt, ap);
    va_end(ap);
    escape(rd.file, 200, file, sizeof file);
    if (rd.line > 0)
        snprintf(rd.src->error, sizeof rd.src->error, "%.280s:%d: %.200s", file, rd.line, msg);
    else
        snprintf(rd.src->error, sizeof rd.src->error, "%.280s: %.200s", file, msg);
}

// Splits a line into words at blanks; returns the count (at most max).
int split(char *s, char **words, int max) {
    int n = 0;
    char *p = s;
    while (*p && n < max) {
        while (*p == ' ' || *p == '\t')
            p++;
        if (!*p) break;
        words[n++] = p;
        while (*p && *p != ' ' && *p != '\t')
            p++;
        if (*p) *p++ = 0;
    }
    return n;
}

int parse_int(const char *w, int lo, int hi, const char *what, int *out) {
    char *end;
    errno = 0;
    long v = strtol(w, &end, 10);
    if (*w == 0 || *end != 0) {
        fail("%s: %s is not a number", what, shown(w));
        return 0;
    }
    if (errno == ERANGE || v < lo || v > hi) { // a giant number is shown as written
        if (!hidden() && errno != ERANGE)
            fail("%s: %ld is outside %d..%d", what, v, lo, hi);
        else
            fail("%s: %s is outside %d..%d", what, shown(w), lo, hi);
        return 0;
    }
    *out = (int)v;
    return 1;
}

// Reads a tile word: '-' none, 'wN' world-relative, or an absolute number.
int parse_tile(const char *w, short *tile, unsigned char *rel) {
    int v;
    if (strcmp(w, "-") == 0) {
        *tile = -1;
        *rel = 0;
        return 1;
    }
    if (w[0] == 'w') {
        if (!parse_int(w + 1, 0, 23, "world tile", &v)) return 0;
        *tile = (short)v;
        *rel = 1;
        return 1;
    }
    if (!parse_int(w, 0, TILE_COUNT - 1, "tile", &v)) return 0;
    *tile = (short)v;
    *rel = 0;
    return 1;
}

void do_tile(char **w, int n) {
    if (n < 2 || strlen(w[1]) != 1) {
        fail("tile needs one map character");
        return;
    }
    Glyph g = {1, -1, -1, 0, 0, 0};
    for (int i = 2; i < n && !rd.failed; i++) {
        if (strncmp(w[i], "back=", 5) == 0)
            parse_tile(w[i] + 5, &g.back, &g.back_rel);
        else if (strncmp(w[i], "front=", 6) == 0)
            parse_tile(w[i] + 6, &g.front, &g.front_rel);
        else if (strcmp(w[i], "solid") == 0)
            g.attr |= ATTR_SOLID;
        else if (strcmp(w[i], "hurts") == 0)
            g.attr |= ATTR_HURTS;
        else if (strcmp(w[i], "belt_right") == 0)
            g.attr |= ATTR_BELT_RIGHT;
        else if (strcmp(w[i], "belt_left") == 0)
            g.attr |= ATTR_BELT_LEFT;
        else if (strcmp(w[i], "ledge") == 0)
            g.attr |= ATTR_LEDGE;
        else if (strcmp(w[i], "drips") == 0)
            g.attr |= ATTR_DRIPS;
        else
            fail("unknown tile word %s", shown(w[i]));
    }
    unsigned char c = (unsigned char)w[1][0];
    if (rd.in_room)
        rd.room.legend[c] = g;
    else
        rd.legend[c] = g;
}

void begin_room(char **w, int n) {
    int idx;
    if (rd.in_room) {
        fail("room inside a room (missing end?)");
        return;
    }
    if (n != 2 || !parse_int(w[1], 0, ROOM_COUNT - 1, "room", &idx)) {
        if (!rd.failed) fail("room needs its index");
        return;
    }
    if (rd.defined[idx]) {
        fail("room %d defined twice", idx);
        return;
    }
    rd.in_room = 1;
    memset(&rd.room, 0, sizeof rd.room);
    rd.room.index = idx;
    rd.room.map_rows = -1;
    Room *r = &rd.src->level.rooms[idx];
    r->background = (signed char)(idx / 5);
    for (int i = 0; i < ENEMY_SLOTS; i++)
        r->enemies[i] = {0, 0, 0, 0, 0, -1};
    for (int i = 0; i < PLATFORM_SLOTS; i++)
        r->platforms[i] = {0, 0, 0, 0, 0, -1};
}

// Reads a mover line into entry; kinds lo..hi. Paths must meet their ends exactly.
void parse_mover(char **w, int n, MoverEntry *e, int lo, int hi, int fixed) {
    int v[6];
    if (n != 7) {
        fail("%s needs x1 y1 x2 y2 speed kind", w[0]);
        return;
    }
    static const char *names[6] = {"x1", "y1", "x2", "y2", "speed", "kind"};
    const int los[6] = {0, 0, 0, 0, 0, lo};
    const int his[6] = {ROOM_COLS - 1, ROOM_ROWS - 1, ROOM_COLS - 1, ROOM_ROWS - 1, 16, hi};
    for (int i = 0; i < 6; i++)
        if (!parse_int(w[i + 1], los[i], his[i], names[i], &v[i])) return;
    int moves = v[4] != 0 && (v[0] != v[2] || v[1] != v[3]);
    if (moves && fixed) {
        fail("platform slot 24 never moves: give it equal ends or speed 0");
        return;
    }
    if (moves) {
        int dx = abs(v[2] - v[0]) * CELL, dy = abs(v[3] - v[1]) * CELL;
        if (dx % v[4] || dy % v[4]) {
            fail("%s path of %d,%d pixels is not a whole number of %d-pixel steps", w[0], dx, dy,
                 v[4]);
            return;
        }
        if (dx && dy && dx != dy) {
            fail("%s diagonal path must be as wide as it is tall", w[0]);
            return;
        }
    }
    *e = {(signed char)v[0], (signed char)v[1], (signed char)v[2],
          (signed char)v[3], (signed char)v[4], (signed char)v[5]};
}

void room_word(char **w, int n) {
    Room *r = &rd.src->level.rooms[rd.room.index];
    int a, b;
    if (strcmp(w[0], "background") == 0) {
        if (n == 2 && parse_int(w[1], -1, BACKGROUND_COUNT - 1, "background", &a))
            r->background = (signed char)a;
        else if (!rd.failed)
            fail("background needs one number");
    } else if (strcmp(w[0], "start") == 0) {
        if (n != 4) {
            fail("start needs col row left|right");
            return;
        }
        if (!parse_int(w[1], 0, ROOM_COLS - 1, "start col", &a) ||
            !parse_int(w[2], 0, ROOM_ROWS - 1, "start row", &b))
            return;
        if (strcmp(w[3], "left") != 0 && strcmp(w[3], "right") != 0) {
            fail("start facing must be left or right");
            return;
        }
        r->start_col = (signed char)a;
        r->start_row = (signed char)b;
        // The player faces left when start_col is greater than start_look_col.
        r->start_look_col = (signed char)(strcmp(w[3], "left") == 0 ? a - 1 : a);
        rd.room.have_start = 1;
    } else if (strcmp(w[0], "map") == 0) {
        if (rd.room.map_rows >= 0) {
            fail("room %d has two maps", rd.room.index);
            return;
        }
        rd.room.map_rows = 0;
    } else if (strcmp(w[0], "enemy") == 0) {
        if (rd.room.enemies == ENEMY_SLOTS) {
            fail("more than %d enemies", ENEMY_SLOTS);
            return;
        }
        parse_mover(w, n, &r->enemies[rd.room.enemies++], 3, 12, 0);
    } else if (strcmp(w[0], "platform") == 0) {
        if (rd.room.platforms == PLATFORM_SLOTS) {
            fail("more than %d platforms", PLATFORM_SLOTS);
            return;
        }
        int slot = rd.room.platforms++;
        parse_mover(w, n, &r->platforms[slot], 13, 23, slot == PLATFORM_SLOTS - 1);
    } else if (strcmp(w[0], "lever") == 0 || strcmp(w[0], "energy") == 0) {
        if (n != 3 || !parse_int(w[1], 0, ROOM_COLS - 1, "col", &a) ||
            !parse_int(w[2], 0, ROOM_ROWS - 1, "row", &b)) {
            if (!rd.failed) fail("%s needs col row", w[0]);
            return;
        }
        FilePickup p = {(signed char)(rd.room.index % 5), (signed char)(rd.room.index / 5),
                        (signed char)a, (signed char)b};
        if (w[0][0] == 'l') {
            if (rd.room.have_lever) {
                fail("a room has exactly one lever");
                return;
            }
            rd.room.have_lever = 1;
            rd.src->level.levers[rd.room.index] = p;
        } else {
            if (rd.src->energy_count == PICKUP_SLOTS) {
                fail("more than %d energy items in the level", PICKUP_SLOTS);
                return;
            }
            rd.src->level.energy_items[rd.src->energy_count++] = p;
        }
    } else if (strcmp(w[0], "damage") == 0) {
        if (n == 2 && parse_int(w[1], 0, 255, "damage", &a))
            r->damage = (unsigned char)a;
        else if (!rd.failed)
            fail("damage needs one number");
    } else if (strcmp(w[0], "tile") == 0) {
        do_tile(w, n);
    } else if (strcmp(w[0], "end") == 0) {
        rd.in_room = 0;
    } else {
        fail("unknown word %s in a room", shown(w[0]));
    }
}

// Turns the finished room's map rows into cells through the legends.
void end_room(void) {
    RoomDraft *d = &rd.room;
    Room *r = &rd.src->level.rooms[d->index];
    if (d->map_rows != ROOM_ROWS) {
        fail("room %d: the map needs %d rows", d->index, ROOM_ROWS);
        return;
    }
    if (!d->have_start) fail("room %d has no start", d->index);
    if (!d->have_lever) fail("room %d has no lever", d->index);
    if (rd.failed) return;
    int world = d->index / 5, drips = 0;
    for (int row = 0; row < ROOM_ROWS; row++)
        for (int col = 0; col < ROOM_COLS; col++) {
            unsigned char c = (unsigned char)d->rows[row][col];
            const Glyph *g = d->legend[c].set ? &d->legend[c] : &rd.legend[c];
            if (!g->set) {
                char ch[2] = {(char)c, 0};
                if (!hidden())
                    fail("room %d: map character %s has no tile entry", d->index, shown(ch));
                else
                    fail("room %d: the map character in row %d, column %d has no tile entry",
                         d->index, row + 1, col + 1);
                return;
            }
            Cell *cell = &r->cells[row][col];
            cell->back_tile = g->back < 0 || !g->back_rel ? g->back : (short)(24 * world + g->back);
            cell->front_tile =
                g->front < 0 || !g->front_rel ? g->front : (short)(24 * world + g->front);
            cell->attr = g->attr;
            cell->unused = 0;
            drips += (g->attr & ATTR_DRIPS) != 0;
        }
    if (drips > DROP_SLOTS) {
        fail("room %d has %d dripping cells, more than %d", d->index, drips, DROP_SLOTS);
        return;
    }
    const Cell *s = &r->cells[r->start_row][r->start_col];
    if (s->attr & ATTR_SOLID) fail("room %d: the start cell is solid", d->index);
    rd.defined[d->index] = 1;
}

int read_file(const char *path, const char *open_as, int depth);

void handle_line(char *line, const char *path, int depth) {
    if (rd.in_room && rd.room.map_rows >= 0 && rd.room.map_rows < ROOM_ROWS) {
        // A map row: exactly 15 characters, trailing blanks and comments allowed after them.
        size_t len = strcspn(line, "\r\n");
        line[len] = 0;
        if (len < ROOM_COLS) {
            fail("map row of %zu characters; rows are %d wide", len, ROOM_COLS);
            return;
        }
        char *rest = line + ROOM_COLS;
        while (*rest == ' ' || *rest == '\t')
            rest++;
        if (*rest && *rest != '#') {
            fail("map row longer than %d characters", ROOM_COLS);
            return;
        }
        memcpy(rd.room.rows[rd.room.map_rows], line, ROOM_COLS);
        rd.room.rows[rd.room.map_rows][ROOM_COLS] = 0;
        rd.room.map_rows++;
        return;
    }
    // A comment runs from '#' to the end of the line; a tile entry's own character may be '#'.
    char *from = line + strspn(line, " \t");
    if (strncmp(from, "tile", 4) == 0 && (from[4] == ' ' || from[4] == '\t')) {
        from += 4;
        from += strspn(from, " \t");
        if (*from) from++;
    }
    char *hash = strchr(from, '#');
    if (hash) *hash = 0;
    line[strcspn(line, "\r\n")] = 0;
    char *w[16];
    int n = split(line, w, 16);
    rd.words = w;
    rd.word_count = n;
    if (n == 0) return;
    if (rd.in_room) {
        room_word(w, n);
        if (!rd.in_room && !rd.failed) end_room();
        return;
    }
    int v[4];
    if (strcmp(w[0], "door") == 0) {
        if (n != 5 || !parse_int(w[1], 0, 4, "door map column", &v[0]) ||
            !parse_int(w[2], 0, 4, "door map row", &v[1]) ||
            !parse_int(w[3], 0, ROOM_COLS - 1, "door col", &v[2]) ||
            !parse_int(w[4], 0, ROOM_ROWS - 2, "door row", &v[3])) {
            if (!rd.failed) fail("door needs map column, map row, col, row");
            return;
        }
        rd.src->level.header.door_room_col = (signed char)v[0];
        rd.src->level.header.door_room_row = (signed char)v[1];
        rd.src->level.header.door_col = (signed char)v[2];
        rd.src->level.header.door_row = (signed char)v[3];
        rd.have_door = 1;
    } else if (strcmp(w[0], "name") == 0) {
        char text[106] = {0};
        for (int i = 1; i < n; i++) {
            if (i > 1) strncat(text, " ", sizeof text - strlen(text) - 1);
            strncat(text, w[i], sizeof text - strlen(text) - 1);
        }
        memcpy(rd.src->level.header.name, text, sizeof rd.src->level.header.name);
    } else if (strcmp(w[0], "tile") == 0) {
        do_tile(w, n);
    } else if (strcmp(w[0], "room") == 0) {
        begin_room(w, n);
    } else if (strcmp(w[0], "include") == 0) {
        if (n != 2) {
            fail("include needs one file");
            return;
        }
        // A player's level includes a file of its own folder, by its plain name.
        if (rd.confined &&
            (strchr(w[1], '/') || strcmp(w[1], ".") == 0 || strcmp(w[1], "..") == 0)) {
            fail("include takes a file of this folder: a name without '/' or '..'");
            return;
        }
        char full[TEXT_MAX];
        const char *slash = strrchr(path, '/');
        int dir = slash ? (int)(slash - path + 1) : 0;
        snprintf(full, sizeof full, "%.*s%s", dir, path, w[1]);
        const char *file = rd.file;
        int lineno = rd.line;
        read_file(full, rd.confined ? w[1] : full, depth + 1);
        if (!rd.failed) {
            rd.file = file;
            rd.line = lineno;
            rd.depth = depth;
        }
    } else {
        fail("unknown word %s", shown(w[0]));
    }
}

// Reads the file at path (opened as open_as: its name in the source's folder when confined).
int read_file(const char *path, const char *open_as, int depth) {
    if (depth > MAX_DEPTH) {
        fail("includes nested too deeply");
        return 0;
    }
    // Keep the name alive for messages: paths are short and few.
    static char names[MAX_DEPTH + 1][TEXT_MAX];
    snprintf(names[depth], TEXT_MAX, "%s", path);
    rd.file = names[depth];
    rd.line = 0;
    rd.depth = depth;
    FioData text;
    // An included file of a player's level: in the folder, never through a link.
    int confined = rd.confined && depth > 0;
    int result = FIO_read_at(confined ? rd.dir : AT_FDCWD, open_as, LT_SOURCE_MAX, confined, &text);
    if (result != FIO_OK) {
        char why[120];
        if (result == FIO_MISSING)
            snprintf(why, sizeof why, "cannot be opened (%s)", strerror(ENOENT));
        fail("%s",
             result == FIO_MISSING ? why : FIO_why(result, &text, LT_SOURCE_MAX, why, sizeof why));
        return 0;
    }
    char line[LINE_MAX_CHARS + 2];
    const char *at = (const char *)text.data, *end = at + text.size;
    while (!rd.failed && at < end) {
        const char *nl = (const char *)memchr(at, '\n', (size_t)(end - at));
        size_t len = (size_t)((nl ? nl : end) - at);
        rd.line++;
        if (len > LINE_MAX_CHARS) {
            fail("the line is longer than %d characters", LINE_MAX_CHARS);
        } else if (memchr(at, 0, len)) {
            fail("a zero byte: this is not a text file");
        } else {
            memcpy(line, at, len);
            line[len] = 0;
            handle_line(line, names[depth], depth);
        }
        at += len + 1;
    }
    free(text.data);
    if (!rd.failed && rd.in_room && depth == 0) fail("room %d has no end", rd.room.index);
    return !rd.failed;
}

} // namespace

namespace {

// A room the text leaves out: no tiles, no movers, no lever, so play passes it over.
void empty_room(Room *r, int index) {
    memset(r, 0, sizeof *r);
    r->background = (signed char)(index / 5);
    for (int i = 0; i < ENEMY_SLOTS; i++)
        r->enemies[i] = {0, 0, 0, 0, 0, -1};
    for (int i = 0; i < PLATFORM_SLOTS; i++)
        r->platforms[i] = {0, 0, 0, 0, 0, -1};
    for (int row = 0; row < ROOM_ROWS; row++)
        for (int col = 0; col < ROOM_COLS; col++)
            r->cells[row][col] = {-1, -1, 0, 0};
}

// Reads the text into src, the reader set up.
int read_text(const char *path, LevelSource *src, int whole) {
    rd.legend[(unsigned char)'.'] = {1, -1, -1, 0, 0, 0};
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        src->level.levers[i] = {-1, -1, -1, -1};
        src->level.energy_items[i] = {-1, -1, -1, -1};
    }
    if (!read_file(path, path, 0)) return 0;
    rd.file = path;
    rd.line = 0; // what follows is about the whole level
    int rooms = 0;
    for (int i = 0; i < ROOM_COUNT; i++) {
        rooms += rd.defined[i];
        if (rd.defined[i]) continue;
        if (whole) {
            fail("room %d is missing", i);
            return 0;
        }
        empty_room(&src->level.rooms[i], i);
    }
    if (!rooms) {
        fail("the level has no room");
        return 0;
    }
    if (!rd.have_door && whole) {
        fail("the level has no door");
        return 0;
    }
    if (!rd.have_door) {
        LevelHeader *h = &src->level.header;
        h->door_room_col = h->door_room_row = h->door_col = h->door_row = -1;
    }
    return 1;
}

// The folder of the file at path, opened for reading what it includes; -1 when it cannot be.
int open_folder(const char *path) {
    const char *slash = strrchr(path, '/');
    if (!slash) return open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    char dir[PATH_MAX];
    snprintf(dir, sizeof dir, "%.*s", slash == path ? 1 : (int)(slash - path), path);
    return open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Reads the text; whole: every room and the door must be there; confined: includes are plain
// names of the source's folder.
int read_level(const char *path, LevelSource *src, int whole, int confined) {
    memset(&rd, 0, sizeof rd);
    memset(src, 0, sizeof *src);
    rd.src = src;
    rd.confined = confined;
    rd.dir = confined ? open_folder(path) : AT_FDCWD;
    if (confined && rd.dir < 0) {
        rd.file = path;
        fail("its folder cannot be read (%s)", strerror(errno));
        return 0;
    }
    int ok = read_text(path, src, whole);
    if (confined) close(rd.dir);
    return ok;
}

} // namespace

int LT_read(const char *path, LevelSource *src) {
    return read_level(path, src, 1, 0);
}

int LT_read_rooms(const char *path, LevelSource *src) {
    return read_level(path, src, 0, 1);
}
