// config.cpp -- the player's settings and the file "Velumbrina.Cfg": seven little-endian 32-bit
// values, then play's key bindings, then what a later version added.
// SPDX-License-Identifier: MIT
#include "platform/config.h"
#include <allegro.h>
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/fileio.h"
#include "platform/input.h"
#include "platform/loga.h"
#include "util/bytes.h"

// Today's keys: Left/O, Right/P, Up/Q/Z, Down/A/Left Shift, R, Enter, Right Control.
#define CFG_DEFAULT_KEYS                                                                           \
    {                                                                                              \
        {KEY_LEFT, KEY_O, 0}, {KEY_RIGHT, KEY_P, 0}, {KEY_UP, KEY_Q, KEY_Z},                       \
            {KEY_DOWN, KEY_A, KEY_LSHIFT}, {KEY_R, 0, 0}, {KEY_ENTER, 0, 0}, {                     \
            KEY_RCONTROL, 0, 0                                                                     \
        }                                                                                          \
    }
const int CFG_default_keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION] = CFG_DEFAULT_KEYS;

enum {
    CFG_VALUES = CFG_FILE_SIZE / 4,
    CFG_CODES = CFG_BOUND_ACTIONS * CFG_KEYS_PER_ACTION,
    CFG_BLOCK = CFG_KEYS_END - CFG_KEYS_AT, // the bindings' bytes
};

// The seven values' defaults, in file order.
static constexpr int cfg_default[CFG_VALUES] = {1, 1, 16, CFG_VOLUME_MAX, CFG_VOLUME_MAX, 44100, 2};

// The defaults until CFG_load runs, so tests that never load a file see a normal set-up.
Settings settings = {cfg_default[0],
                     cfg_default[1],
                     cfg_default[2],
                     cfg_default[3],
                     cfg_default[4],
                     cfg_default[5],
                     cfg_default[6],
                     CFG_DEFAULT_KEYS,
                     CFG_SPEED_FULL,
                     0,
                     0,
                     0,
                     0,
                     1,
                     false,
                     -1,
                     0,
                     {}};
int &CFG_scanlines = settings.scanlines, &CFG_soundon = settings.soundon,
    &CFG_bitdepth = settings.bitdepth, &CFG_soundvol = settings.soundvol,
    &CFG_sfxvol = settings.sfxvol, &CFG_samplerate = settings.samplerate,
    &CFG_window = settings.window;
int (&CFG_keys)[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION] = settings.keys;

// One value of the file: its field, its name for the log and its valid range.
struct CfgField {
    int Settings::*value;
    const char *name;
    int lo, hi; // inclusive; lo > hi means "any value"
};

static const CfgField cfg_fields[CFG_VALUES] = {
    {&Settings::scanlines, "scanlines", 1, 0},
    {&Settings::soundon, "sound on", 1, 0},
    {&Settings::bitdepth, "colour depth", 15, 32},
    {&Settings::soundvol, "music volume", 0, CFG_VOLUME_MAX},
    {&Settings::sfxvol, "effect volume", 0, CFG_VOLUME_MAX},
    {&Settings::samplerate, "sample rate", 8000, 96000},
    {&Settings::window, "window size", 0, 4},
};

// The values of the block after the bindings, in its order: the assists and the ghost. Each is one
// of its choices; the first is its default.
static const struct {
    int Settings::*value;
    const char *name;
    int choices[4];
    int count;
} cfg_later[CFG_LATER_VALUES] = {
    {&Settings::game_speed, "game speed", {CFG_SPEED_FULL, 80, 60, 40}, 4},
    {&Settings::no_damage, "no damage", {0, 1}, 2},
    {&Settings::endless_retries, "endless retries", {0, 1}, 2},
    {&Settings::reduced_flashing, "reduced flashing", {0, 1}, 2},
    {&Settings::show_timer, "show timer", {0, 1}, 2},
    {&Settings::ghost, "ghost", {1, 0}, 2},
};

void CFG_reset(Settings *s) {
    for (int i = 0; i < CFG_VALUES; i++)
        s->*cfg_fields[i].value = cfg_default[i];
    memcpy(s->keys, CFG_default_keys, sizeof s->keys);
    for (const auto &f : cfg_later)
        s->*f.value = f.choices[0];
    s->keys_read = false;
    s->block_count = -1;
    s->kept_size = 0;
}

// Whether every value of the block is its default.
static bool cfg_later_default(const Settings *s) {
    for (const auto &f : cfg_later)
        if (s->*f.value != f.choices[0]) return false;
    return true;
}

// Takes the block after the bindings of a file that has them (have bytes from the block's start):
// its number of values, then those of them this version knows that are there and valid; each
// fault is a log line, and the value keeps its default.
static void cfg_read_later(Settings *s, const char *name, const unsigned char *block, int have) {
    if (have < 4) return; // the file ends at the bindings: no block
    char line[160];
    int n = (int)le32_get(block);
    s->block_count = n < 0 ? 0 : n; // a count below 0 reads as an empty block
    if (n < 0) {
        snprintf(line, sizeof line, "%s: %d values after the key bindings, using the defaults",
                 name, n);
        loga(line);
        return;
    }
    for (int i = 0; i < CFG_LATER_VALUES && i < n; i++) {
        const auto &f = cfg_later[i];
        if (have < 4 + 4 * (i + 1)) {
            snprintf(line, sizeof line, "%s: %s cut short, using %d", name, f.name, f.choices[0]);
            loga(line);
            return;
        }
        int v = (int)le32_get(block + 4 + 4 * i), k = 0;
        while (k < f.count && f.choices[k] != v)
            k++;
        if (k < f.count) {
            s->*f.value = v;
            continue;
        }
        snprintf(line, sizeof line, "%s: %s %d out of range, using %d", name, f.name, v,
                 f.choices[0]);
        loga(line);
    }
}

static bool cfg_keys_default(const Settings *s) {
    return memcmp(s->keys, CFG_default_keys, sizeof s->keys) == 0;
}

// Takes the bindings of a file that has them: an unknown key code gives way to that key's
// default; a key bound twice, or an action left without its first key, to all the defaults. One
// log line says what was wrong.
static void cfg_read_keys(Settings *s, const char *name, const unsigned char *block, int have) {
    char line[200];
    int version = have >= 4 ? (int)le32_get(block) : -1;
    if (version != CFG_KEYS_VERSION || have < CFG_BLOCK) {
        snprintf(line, sizeof line, "%s: key bindings %s, using the default keys", name,
                 version == CFG_KEYS_VERSION ? "cut short" : "of an unknown format");
        loga(line);
        return;
    }
    int keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION], unknown = 0, first_bad = 0;
    for (int a = 0; a < CFG_BOUND_ACTIONS; a++)
        for (int k = 0; k < CFG_KEYS_PER_ACTION; k++) {
            int code = (int)le32_get(block + 4 + 4 * (a * CFG_KEYS_PER_ACTION + k));
            if (code != 0 && !INPUT_bindable(code)) {
                if (!unknown++) first_bad = code;
                code = CFG_default_keys[a][k];
            }
            keys[a][k] = code;
        }
    bool twice = false, no_first = false;
    const int *all = &keys[0][0];
    for (int i = 0; i < CFG_CODES; i++) {
        if (i % CFG_KEYS_PER_ACTION == 0 && all[i] == 0) no_first = true;
        for (int j = i + 1; j < CFG_CODES && all[i]; j++)
            if (all[i] == all[j]) twice = true;
    }
    if (twice || no_first) {
        snprintf(line, sizeof line, "%s: key bindings with %s%s%s%s, using the default keys", name,
                 twice ? "a key bound twice" : "", twice && no_first ? " and " : "",
                 no_first ? "an action without its first key" : "",
                 unknown ? " (and unknown key codes)" : "");
        loga(line);
        return;
    }
    memcpy(s->keys, keys, sizeof s->keys);
    s->keys_read = true;
    if (unknown) {
        snprintf(line, sizeof line,
                 "%s: key bindings: %d unknown key code%s (first %d), using "
                 "the default key for %s",
                 name, unknown, unknown == 1 ? "" : "s", first_bad, unknown == 1 ? "it" : "them");
        loga(line);
    }
}

static int cfg_valid(const CfgField &f, int v) {
    if (f.value == &Settings::bitdepth) return v == 15 || v == 16 || v == 32;
    if (f.value == &Settings::window) return v == 0 || v == 2 || v == 3 || v == 4;
    if (f.lo > f.hi) return 1;
    return v >= f.lo && v <= f.hi;
}

// Takes each value that is present and valid; the others keep their defaults, with a log line.
static void cfg_read_values(Settings *s, const char *name, const unsigned char *bytes, int have) {
    char line[160];
    for (int i = 0; i < CFG_VALUES; i++) {
        const CfgField &f = cfg_fields[i];
        if (have < (i + 1) * 4) {
            snprintf(line, sizeof line, "%s: %s missing, using %d", name, f.name, cfg_default[i]);
            loga(line);
            continue;
        }
        int v = (int)le32_get(bytes + i * 4);
        if (!cfg_valid(f, v)) {
            snprintf(line, sizeof line, "%s: %s %d out of range, using %d", name, f.name, v,
                     cfg_default[i]);
            loga(line);
            continue;
        }
        s->*f.value = v;
    }
}

void CFG_read(Settings *s, const unsigned char *bytes, int size, const char *name) {
    CFG_reset(s);
    if (size > CFG_FILE_MAX) size = CFG_FILE_MAX;
    cfg_read_values(s, name, bytes, size);
    if (size > CFG_FILE_SIZE) {
        s->kept_size = size - CFG_FILE_SIZE;
        memcpy(s->kept, bytes + CFG_FILE_SIZE, (size_t)s->kept_size);
        cfg_read_keys(s, name, s->kept, s->kept_size);
        // The block follows bindings of the version this one writes, and only those.
        if (s->kept_size >= CFG_BLOCK && le32_get(s->kept) == CFG_KEYS_VERSION)
            cfg_read_later(s, name, s->kept + CFG_BLOCK, s->kept_size - CFG_BLOCK);
    }
}

int CFG_write(const Settings *s, unsigned char *out) {
    for (int i = 0; i < CFG_VALUES; i++)
        le32_put(out + i * 4, (uint32_t)(s->*cfg_fields[i].value));
    bool block = s->block_count >= 0 || !cfg_later_default(s);
    if (cfg_keys_default(s) && !s->keys_read && !block) { // what followed the values, as it was
        memcpy(out + CFG_FILE_SIZE, s->kept, (size_t)s->kept_size);
        return CFG_FILE_SIZE + s->kept_size;
    }
    le32_put(out + CFG_KEYS_AT, CFG_KEYS_VERSION);
    for (int i = 0; i < CFG_CODES; i++)
        le32_put(out + CFG_KEYS_AT + 4 + 4 * i, (uint32_t)(&s->keys[0][0])[i]);
    int end = CFG_KEYS_END, from = CFG_KEYS_END; // from: where the file's later bytes start
    if (block) {                                 // the block, never shorter than the file had it
        int n = s->block_count;
        le32_put(out + CFG_LATER_AT, (uint32_t)(n > CFG_LATER_VALUES ? n : CFG_LATER_VALUES));
        for (int i = 0; i < CFG_LATER_VALUES; i++)
            le32_put(out + CFG_LATER_AT + 4 + 4 * i, (uint32_t)(s->*cfg_later[i].value));
        end = CFG_LATER_END;
        if (n >= 0) from = CFG_LATER_AT + 4 + 4 * (n < CFG_LATER_VALUES ? n : CFG_LATER_VALUES);
    }
    int later = s->kept_size - (from - CFG_FILE_SIZE); // what followed, a later version's
    if (later <= 0) return end;
    if (later > CFG_FILE_MAX - end) later = CFG_FILE_MAX - end; // a file at the size limit
    memcpy(out + end, s->kept + (from - CFG_FILE_SIZE), (size_t)later);
    return end + later;
}

bool CFG_same(const Settings *a, const Settings *b) {
    for (const CfgField &f : cfg_fields)
        if (a->*f.value != b->*f.value) return false;
    for (const auto &f : cfg_later)
        if (a->*f.value != b->*f.value) return false;
    return memcmp(a->keys, b->keys, sizeof a->keys) == 0;
}

int CFG_volume(int setting) {
    return 2 * (setting < 0 ? 0 : setting > CFG_VOLUME_MAX ? CFG_VOLUME_MAX : setting);
}

// The file as CFG_write makes it, for CFG_load and CFG_save.
static unsigned char cfg_bytes[CFG_FILE_MAX];
static bool cfg_savable; // false when a file is there that could not be read: it stays as it is

// Says why the file is left alone, and that the options will not be saved over it.
static void cfg_left_alone(const char *path, const char *why) {
    char line[400];
    snprintf(line, sizeof line,
             "%s: %s: using the defaults; the file is left as it is and the options will not be "
             "saved over it",
             path, why);
    loga(line);
}

int CFG_load(const char *path) {
    CFG_reset(&settings);
    cfg_savable = true;
    FioData d;
    int result = FIO_read(path, CFG_FILE_MAX, &d);
    if (result == FIO_OK) {
        CFG_read(&settings, d.data, (int)d.size, path);
        free(d.data);
        return 1;
    }
    // Anything there that cannot be read is the player's: it is never replaced by defaults.
    struct stat st;
    if (result != FIO_MISSING || lstat(path, &st) == 0) {
        char why[200];
        cfg_left_alone(path, result == FIO_MISSING
                                 ? "is a link to nothing"
                                 : FIO_why(result, &d, CFG_FILE_MAX, why, sizeof why));
        cfg_savable = false;
        return 0;
    }
    int size = CFG_write(&settings, cfg_bytes);
    int err = FIO_create(path, cfg_bytes, (size_t)size, FIO_NEW_FILE);
    if (err) {
        char line[300];
        snprintf(line, sizeof line, "%s: can be neither read nor created (%s), using the defaults",
                 path, strerror(err));
        loga(line);
        return 0;
    }
    return 1;
}

// Logs why the options were not saved.
static int cfg_not_saved(const char *path, const char *why) {
    char line[1200];
    snprintf(line, sizeof line, "%s: could not be saved (%s); the options hold for this run only",
             path, why);
    loga(line);
    return 0;
}

int CFG_save(const char *path) {
    if (!cfg_savable) return cfg_not_saved(path, "it could not be read at the start");
    size_t size = (size_t)CFG_write(&settings, cfg_bytes);

    // A link stays a link: the file it leads to is replaced, in its own folder.
    char target[PATH_MAX];
    const char *to = path;
    struct stat st;
    if (lstat(path, &st) == 0 && S_ISLNK(st.st_mode)) {
        if (!realpath(path, target)) return cfg_not_saved(path, "a link to nothing");
        to = target;
    }
    int mode = FIO_NEW_FILE; // else the new file keeps the old one's permissions
    if (stat(to, &st) == 0) {
        if (!S_ISREG(st.st_mode)) return cfg_not_saved(path, "not a regular file");
        if ((st.st_mode & 0222) == 0 || access(to, W_OK) != 0)
            return cfg_not_saved(path, "the file is read-only");
        mode = (int)(st.st_mode & 07777);
    }
    int err = FIO_replace(to, cfg_bytes, size, mode);
    return err ? cfg_not_saved(path, strerror(err)) : 1;
}
