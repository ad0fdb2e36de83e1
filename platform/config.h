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

// The bytes this version reads and writes; a longer file's bytes after them (values a later
// version added) are kept as read, up to CFG_FILE_MAX in all, and written back unchanged.
enum { CFG_FILE_SIZE = 28, CFG_FILE_MAX = 256 };

// Sets the seven values to their defaults (1, 1, 16, 127, 127, 44100, 2). Called by CFG_load and
// tests.
void CFG_defaults(void);
// Reads the configuration file at path, creating it with the defaults when it does not exist; bad
// or missing values fall back to their defaults with a log line. Returns 1 when the file was read
// or created, 0 when it could be neither (the defaults are then used). Called by main.
int CFG_load(const char *path);
// Writes every value to path: into a new file in the same directory, renamed over the old one
// only once it is whole, so a crash or a full disk leaves the old file as it was. Returns 1, or
// 0 with a log line when it could not be saved (the values still hold for this run). Called by
// main when the player leaves the options screen with something changed.
int CFG_save(const char *path);
