// config.h -- the configuration file "Velumbrina.Cfg" and the values it holds.
#pragma once

// The seven values of "Velumbrina.Cfg", in file order.
extern int CFG_scanlines;  // non-zero: scanlines over every second window row
extern int CFG_soundon;    // non-zero: sound effects are loaded and played
extern int CFG_bitdepth;   // 15, 16 or 32 bits per pixel
extern int CFG_soundvol;   // music volume 0..127
extern int CFG_sfxvol;     // effect volume 0..127
extern int CFG_samplerate; // mixer rate in Hz
extern int CFG_window;     // window size: 2, 3 or 4 times 256x192, 0 full screen

// Play's key bindings, saved after the seven values: for each of the actions LEFT, RIGHT, HIGH
// JUMP, LONG JUMP, RETRY, PAUSE and SCREENSHOT, up to three Allegro key codes, the first always
// set, 0 for none; no key is bound twice. The input module reads and changes them.
enum { CFG_BOUND_ACTIONS = 7, CFG_KEYS_PER_ACTION = 3 };
extern int CFG_keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION];
// Today's keys, the bindings' defaults: Left/O, Right/P, Up/Q/Z, Down/A/Left Shift, R, Enter,
// Right Control.
extern const int CFG_default_keys[CFG_BOUND_ACTIONS][CFG_KEYS_PER_ACTION];

// The seven values take CFG_FILE_SIZE bytes. The bindings follow, from CFG_KEYS_AT: their format
// version (CFG_KEYS_VERSION), then the codes action by action, up to CFG_KEYS_END; they are
// written only once they differ from the defaults or the file had them. A longer file's bytes
// after them (values a later version added) are kept whole and written back unchanged; a file
// over CFG_FILE_MAX bytes is not a configuration file and is left alone.
enum {
    CFG_FILE_SIZE = 28,
    CFG_KEYS_AT = CFG_FILE_SIZE,
    CFG_KEYS_VERSION = 1,
    CFG_KEYS_END = CFG_KEYS_AT + 4 + 4 * CFG_BOUND_ACTIONS * CFG_KEYS_PER_ACTION,
    CFG_FILE_MAX = 65536
};

// Sets the seven values to their defaults (1, 1, 16, 127, 127, 44100, 2) and the bindings to
// today's keys.
void CFG_defaults(void);
// Reads the configuration file at path, creating it with the defaults when nothing is there; bad or
// missing values fall back to their defaults with a log line, and so do bindings with an unknown
// key code (that key) or a key bound twice (all of them); a file without bindings reads as the
// default keys. Something there that cannot be read (no permission, a folder, a pipe, too big, a
// link to nothing) is left as it is, with a log line, and CFG_save will not replace it. Returns 1
// when the file was read or created, 0 when it was not (the defaults are then used).
int CFG_load(const char *path);
// Writes every value to path: into a new file in the same directory, renamed over the old one only
// once it is whole, so a crash or a full disk leaves the old file as it was. The old file's
// permissions are kept; a link stays a link, the file it leads to replaced. A read-only file, or
// one CFG_load could not read, is not replaced. Returns 1, or 0 with a log line when nothing was
// saved (the values still hold for this run).
int CFG_save(const char *path);
