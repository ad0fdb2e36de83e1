// config.cpp -- the configuration file "Velumbrina.Cfg": seven little-endian 32-bit values, then
// play's key bindings.
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

// The defaults until CFG_load runs, so tests that never load a file see a normal set-up.
int CFG_scanlines = 1, CFG_soundon = 1, CFG_bitdepth = 16, CFG_soundvol = 127, CFG_sfxvol = 127,
    CFG_samplerate = 44100, CFG_window = 2;
// Today's keys: Left/O, Right/P, Up/Q/Z, Down/A/Left Shift, R, Enter, Right Control.
#define CFG_DEFAULT_KEYS                                                                           \
    {                                                                                              \
        {KEY_LEFT, KEY_O, 0}, {KEY_RIGHT, KEY_P, 0}, {KEY_UP, KEY_Q, KEY_Z},                       \
            {KEY_DOWN, KEY_A, KEY_LSHIFT}, {KEY_R, 0, 0}, {KEY_ENTER, 0, 0}, {                     \
            KEY_RCONTROL, 0, 0                                                                     \
        }                                                                                          \
    }
const int CFG_default_keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION] = CFG_DEFAULT_KEYS;
int CFG_keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION] = CFG_DEFAULT_KEYS;

enum {
    CFG_VALUES = CFG_FILE_SIZE / 4,
    CFG_CODES = CFG_BOUND_ACTIONS * CFG_KEYS_PER_ACTION,
    CFG_REST_MAX = CFG_FILE_MAX - CFG_FILE_SIZE,
    CFG_BLOCK = CFG_KEYS_END - CFG_KEYS_AT, // the bindings' bytes
};

// What the file held after the seven values, as read: CFG_save writes it back unchanged while the
// bindings are the defaults and the file had none of this version's, else the bindings and then
// what followed them.
static unsigned char cfg_rest[CFG_REST_MAX];
static int cfg_rest_size;
static bool cfg_keys_read; // the file held bindings of this version
static bool cfg_savable;   // false when a file is there that could not be read: it stays as it is

// One value of the file: where it goes, its default, its name for the log and its valid range.
struct CfgField {
    int *value;
    int fallback;
    const char *name;
    int lo, hi; // inclusive; lo > hi means "any value"
};

static const CfgField cfg_fields[CFG_VALUES] = {
    {&CFG_scanlines, 1, "scanlines", 1, 0},
    {&CFG_soundon, 1, "sound on", 1, 0},
    {&CFG_bitdepth, 16, "colour depth", 15, 32},
    {&CFG_soundvol, 127, "music volume", 0, 127},
    {&CFG_sfxvol, 127, "effect volume", 0, 127},
    {&CFG_samplerate, 44100, "sample rate", 8000, 96000},
    {&CFG_window, 2, "window size", 0, 4},
};

void CFG_defaults(void) {
    for (int i = 0; i < CFG_VALUES; i++)
        *cfg_fields[i].value = cfg_fields[i].fallback;
    memcpy(CFG_keys, CFG_default_keys, sizeof CFG_keys);
}

static bool cfg_keys_default(void) {
    return memcmp(CFG_keys, CFG_default_keys, sizeof CFG_keys) == 0;
}

// Takes the bindings of a file that has them: an unknown key code gives way to that key's
// default; a key bound twice, or an action left without its first key, to all the defaults. One
// log line says what was wrong.
static void cfg_apply_keys(const char *path, const unsigned char *block, int have) {
    char line[200];
    int version = have >= 4 ? (int)le32_get(block) : -1;
    if (version != CFG_KEYS_VERSION || have < CFG_BLOCK) {
        snprintf(line, sizeof line, "%s: key bindings %s, using the default keys", path,
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
        snprintf(line, sizeof line, "%s: key bindings with %s%s%s%s, using the default keys", path,
                 twice ? "a key bound twice" : "", twice && no_first ? " and " : "",
                 no_first ? "an action without its first key" : "",
                 unknown ? " (and unknown key codes)" : "");
        loga(line);
        return;
    }
    memcpy(CFG_keys, keys, sizeof CFG_keys);
    cfg_keys_read = true;
    if (unknown) {
        snprintf(line, sizeof line,
                 "%s: key bindings: %d unknown key code%s (first %d), using "
                 "the default key for %s",
                 path, unknown, unknown == 1 ? "" : "s", first_bad, unknown == 1 ? "it" : "them");
        loga(line);
    }
}

static int cfg_valid(const CfgField &f, int v) {
    if (f.value == &CFG_bitdepth) return v == 15 || v == 16 || v == 32;
    if (f.value == &CFG_window) return v == 0 || v == 2 || v == 3 || v == 4;
    if (f.lo > f.hi) return 1;
    return v >= f.lo && v <= f.hi;
}

// Takes each value that is present and valid; the others keep their defaults, with a log line.
static void cfg_apply(const char *path, const unsigned char *bytes, int have) {
    char line[160];
    for (int i = 0; i < CFG_VALUES; i++) {
        const CfgField &f = cfg_fields[i];
        if (have < (i + 1) * 4) {
            snprintf(line, sizeof line, "%s: %s missing, using %d", path, f.name, f.fallback);
            loga(line);
            continue;
        }
        int v = (int)le32_get(bytes + i * 4);
        if (!cfg_valid(f, v)) {
            snprintf(line, sizeof line, "%s: %s %d out of range, using %d", path, f.name, v,
                     f.fallback);
            loga(line);
            continue;
        }
        *f.value = v;
    }
}

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
    CFG_defaults();
    cfg_rest_size = 0;
    cfg_keys_read = false;
    cfg_savable = true;
    FioData d;
    int result = FIO_read(path, CFG_FILE_MAX, &d);
    if (result == FIO_OK) {
        int have = (int)d.size;
        cfg_apply(path, d.data, have);
        if (have > CFG_FILE_SIZE) {
            cfg_rest_size = have - CFG_FILE_SIZE;
            memcpy(cfg_rest, d.data + CFG_FILE_SIZE, (size_t)cfg_rest_size);
            cfg_apply_keys(path, cfg_rest, cfg_rest_size);
        }
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
    unsigned char bytes[CFG_FILE_SIZE];
    for (int i = 0; i < CFG_VALUES; i++)
        le32_put(bytes + i * 4, (uint32_t)*cfg_fields[i].value);
    int err = FIO_create(path, bytes, CFG_FILE_SIZE, FIO_NEW_FILE);
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
    static unsigned char bytes[CFG_FILE_MAX];
    if (!cfg_savable) return cfg_not_saved(path, "it could not be read at the start");
    for (int i = 0; i < CFG_VALUES; i++)
        le32_put(bytes + i * 4, (uint32_t)*cfg_fields[i].value);
    size_t size = CFG_FILE_SIZE;
    if (cfg_keys_default() && !cfg_keys_read) {
        memcpy(bytes + size, cfg_rest, (size_t)cfg_rest_size);
        size += (size_t)cfg_rest_size;
    } else {
        le32_put(bytes + CFG_KEYS_AT, CFG_KEYS_VERSION);
        for (int i = 0; i < CFG_CODES; i++)
            le32_put(bytes + CFG_KEYS_AT + 4 + 4 * i, (uint32_t)(&CFG_keys[0][0])[i]);
        size = CFG_KEYS_END;
        if (cfg_rest_size > CFG_BLOCK) {
            memcpy(bytes + size, cfg_rest + CFG_BLOCK, (size_t)(cfg_rest_size - CFG_BLOCK));
            size += (size_t)(cfg_rest_size - CFG_BLOCK);
        }
    }

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
    int err = FIO_replace(to, bytes, size, mode);
    return err ? cfg_not_saved(path, strerror(err)) : 1;
}
