// config.h -- the player's settings and the configuration file "Velumbrina.Cfg" that holds them.
// SPDX-License-Identifier: MIT
#pragma once

// The seven values take CFG_FILE_SIZE bytes. Play's key bindings follow, from CFG_KEYS_AT: their
// format version (CFG_KEYS_VERSION), then the codes action by action, up to CFG_KEYS_END; they
// are written only once they differ from the defaults or the file had them. Settings added later
// go in one block from CFG_LATER_AT: the number of values in it, then the values (the layout and
// the rules: docs/CONFIG.md). This version knows the first CFG_LATER_VALUES of them, the assists
// and the ghost; the block's values past those and any bytes after it are kept whole and written
// back unchanged. A file over CFG_FILE_MAX bytes is not a configuration file and is left alone.
enum { CFG_BOUND_ACTIONS = 7, CFG_KEYS_PER_ACTION = 3 };
enum {
    CFG_FILE_SIZE = 28,
    CFG_KEYS_AT = CFG_FILE_SIZE,
    CFG_KEYS_VERSION = 1,
    CFG_KEYS_END = CFG_KEYS_AT + 4 + 4 * CFG_BOUND_ACTIONS * CFG_KEYS_PER_ACTION,
    CFG_LATER_AT = CFG_KEYS_END,
    CFG_LATER_VALUES = 6, // the block's values this version knows
    CFG_LATER_END = CFG_LATER_AT + 4 + 4 * CFG_LATER_VALUES,
    CFG_FILE_MAX = 65536
};
enum { CFG_SPEED_FULL = 100 }; // the game's own speed; GAME SPEED also offers 80, 60 and 40
enum { CFG_VOLUME_MAX = 127 }; // the loudest music and effect volume

// The player's settings: the seven values in file order, play's key bindings, and what the file
// held that this version does not take, kept to be written back. CFG_reset gives the defaults.
struct Settings {
    int scanlines;  // CFG_scanlines: non-zero: scanlines over every second window row
    int soundon;    // CFG_soundon: non-zero: sound effects are loaded and played
    int bitdepth;   // CFG_bitdepth: 15, 16 or 32 bits per pixel
    int soundvol;   // CFG_soundvol: music volume 0..CFG_VOLUME_MAX
    int sfxvol;     // CFG_sfxvol: effect volume 0..CFG_VOLUME_MAX
    int samplerate; // CFG_samplerate: mixer rate in Hz, 8000..96000
    int window;     // CFG_window: 2, 3 or 4 times 256x192, 0 full screen
    // CFG_keys: for each of the actions LEFT, RIGHT, HIGH JUMP, LONG JUMP, RETRY, PAUSE and
    // SCREENSHOT, up to three Allegro key codes, the first always set, 0 for none; no key is
    // bound twice. The input module reads and changes them.
    int keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION];
    // Settings of the block at CFG_LATER_AT, in its order, each with its default in CFG_reset.
    int game_speed;       // percent of the game's own frame rate: 100, 80, 60 or 40
    int no_damage;        // 1: the player never loses energy
    int endless_retries;  // 1: a retry never uses one up
    int reduced_flashing; // 1: the title neither flickers nor glitches, and fades are gentler
    int show_timer;       // 1: the room's time on the status line
    int ghost;            // 1: the best's ghost runs beside the player in TIME ATTACK
    bool keys_read;       // the file held bindings this version takes: they are written back
    int block_count;      // the block's number of values as the file had it, -1 when it had none
    int kept_size;        // bytes in kept
    unsigned char kept[CFG_FILE_MAX - CFG_FILE_SIZE]; // the file after the seven values, as read
};
extern Settings settings;

// The game's names for the settings: references into settings.
extern int &CFG_scanlines, &CFG_soundon, &CFG_bitdepth, &CFG_soundvol, &CFG_sfxvol, &CFG_samplerate,
    &CFG_window;
extern int (&CFG_keys)[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION];
// Today's keys, the bindings' defaults: Left/O, Right/P, Up/Q/Z, Down/A/Left Shift, R, Enter,
// Right Control.
extern const int CFG_default_keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION];

// Sets s to the defaults: the values 1, 1, 16, 127, 127, 44100, 2, today's keys, full speed, no
// assist and the ghost on, nothing kept.
void CFG_reset(Settings *s);
// Reads the bytes of a configuration file (at most CFG_FILE_MAX are taken) into s. A value that
// is missing or out of range keeps its default, and so do bindings with an unknown key code (that
// key) or a key bound twice (all of them), and the block's values; each fault is one log line
// starting with name. Bytes after the seven values are kept in s.
void CFG_read(Settings *s, const unsigned char *bytes, int size, const char *name);
// Writes s as the bytes of a configuration file into out, room for CFG_FILE_MAX; returns how many.
// The bindings are written when they differ from the defaults or were read, and the block with
// them when an assist differs from its default or the file had the block; the kept bytes of a
// later version follow, unchanged.
int CFG_write(const Settings *s, unsigned char *out);
// Whether a and b hold the same choices: every value, key binding and assist (kept bytes aside).
bool CFG_same(const Settings *a, const Settings *b);
// A volume setting (0..CFG_VOLUME_MAX) on the sound service's scale: twice the setting, 0..254.
int CFG_volume(int setting);

// Reads the configuration file at path into settings, creating it with the defaults when nothing
// is there. Something there that cannot be read (no permission, a folder, a pipe, too big, a link
// to nothing) is left as it is, with a log line, and CFG_save will not replace it. Returns 1 when
// the file was read or created, 0 when it was not (the defaults are then used).
int CFG_load(const char *path);
// Writes settings to path: into a new file in the same directory, renamed over the old one only
// once it is whole, so a crash or a full disk leaves the old file as it was. The old file's
// permissions are kept; a link stays a link, the file it leads to replaced. A read-only file, or
// one CFG_load could not read, is not replaced. Returns 1, or 0 with a log line when nothing was
// saved (the values still hold for this run).
int CFG_save(const char *path);
