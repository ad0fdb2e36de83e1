// config.cpp -- the configuration file "Velumbrina.Cfg": seven little-endian 32-bit values.
#include "platform/config.h"
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/loga.h"
#include "util/bytes.h"

// The defaults until CFG_load runs, so tests that never load a file see a normal set-up.
int CFG_scanlines = 1, CFG_soundon = 1, CFG_bitdepth = 16, CFG_soundvol = 127, CFG_sfxvol = 127,
    CFG_samplerate = 44100, CFG_window = 2;

enum { CFG_VALUES = CFG_FILE_SIZE / 4 };

// What a longer file held after the values this version knows, written back by CFG_save.
static unsigned char cfg_tail[CFG_FILE_MAX - CFG_FILE_SIZE];
static int cfg_tail_size;

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
    cfg_tail_size = 0;
    unsigned char bytes[CFG_FILE_MAX];
    FILE *f = fopen(path, "rb");
    if (f) {
        int have = (int)fread(bytes, 1, sizeof bytes, f);
        fclose(f);
        cfg_apply(path, bytes, have);
        if (have > CFG_FILE_SIZE) {
            cfg_tail_size = have - CFG_FILE_SIZE;
            memcpy(cfg_tail, bytes + CFG_FILE_SIZE, (size_t)cfg_tail_size);
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
    memcpy(bytes + CFG_FILE_SIZE, cfg_tail, (size_t)cfg_tail_size);
    size_t size = CFG_FILE_SIZE + (size_t)cfg_tail_size;

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
