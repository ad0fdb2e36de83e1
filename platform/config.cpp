// config.cpp -- the configuration file "Velumbrina.Cfg": seven little-endian 32-bit values, then
// play's key bindings.
#include "platform/config.h"
#include <allegro.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
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
    bool twice = false; // or an action without its first key
    const int *all = &keys[0][0];
    for (int i = 0; i < CFG_CODES; i++) {
        if (i % CFG_KEYS_PER_ACTION == 0 && all[i] == 0) twice = true;
        for (int j = i + 1; j < CFG_CODES && all[i]; j++)
            if (all[i] == all[j]) twice = true;
    }
    if (twice) {
        snprintf(line, sizeof line,
                 "%s: key bindings with a key bound twice%s, using the "
                 "default keys",
                 path, unknown ? " or unknown key codes" : "");
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

int CFG_load(const char *path) {
    CFG_defaults();
    cfg_rest_size = 0;
    cfg_keys_read = false;
    unsigned char bytes[CFG_FILE_MAX];
    FILE *f = fopen(path, "rb");
    if (f) {
        int have = (int)fread(bytes, 1, sizeof bytes, f);
        fclose(f);
        cfg_apply(path, bytes, have);
        if (have > CFG_FILE_SIZE) {
            cfg_rest_size = have - CFG_FILE_SIZE;
            memcpy(cfg_rest, bytes + CFG_FILE_SIZE, (size_t)cfg_rest_size);
            cfg_apply_keys(path, cfg_rest, cfg_rest_size);
        }
        return 1;
    }
    // Create the file only when none exists ("x"): an unreadable file is never overwritten.
    f = fopen(path, "wbx");
    if (!f) {
        char line[160];
        snprintf(line, sizeof line, "%s: can be neither read nor created, using the defaults",
                 path);
        loga(line);
        return 0;
    }
    for (int i = 0; i < CFG_VALUES; i++)
        le32_put(bytes + i * 4, (uint32_t)*cfg_fields[i].value);
    size_t wrote = fwrite(bytes, 1, CFG_FILE_SIZE, f);
    if (fclose(f) != 0 || wrote != CFG_FILE_SIZE) {
        char line[160];
        snprintf(line, sizeof line, "%s: could not be written, using the defaults", path);
        loga(line);
        remove(path); // no half-written file for the next start to trip over
        return 0;
    }
    return 1;
}

// Writes all of buf to fd; 0 on success, else the error.
static int cfg_write_all(int fd, const unsigned char *buf, size_t n) {
    while (n > 0) {
        ssize_t w = write(fd, buf, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return w < 0 ? errno : ENOSPC;
        buf += w;
        n -= (size_t)w;
    }
    return 0;
}

int CFG_save(const char *path) {
    unsigned char bytes[CFG_FILE_MAX];
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

    char part[1024];
    int err = 0;
    if (snprintf(part, sizeof part, "%s.XXXXXX", path) >= (int)sizeof part) err = ENAMETOOLONG;
    int fd = err ? -1 : mkstemp(part);
    if (fd < 0 && !err) err = errno;
    if (fd >= 0) {
        // The new file gets the old one's permissions, else what a new file would get.
        struct stat st;
        mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, stat(path, &st) == 0 ? st.st_mode & 07777 : 0666 & ~mask);
        err = cfg_write_all(fd, bytes, size);
        if (!err && fsync(fd) != 0) err = errno;
        if (close(fd) != 0 && !err) err = errno;
        if (!err && rename(part, path) != 0) err = errno;
        if (err) unlink(part);
    }
    if (!err) return 1;
    char line[1200];
    snprintf(line, sizeof line, "%s: could not be saved (%s); the options hold for this run only",
             path, strerror(err));
    loga(line);
    return 0;
}
