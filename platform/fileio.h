// fileio.h -- files read and written with care: a read never waits on a pipe or a device and never
// runs past a size limit; a write never goes through a link and replaces a file only once the new
// one is whole.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>

// How a read ended.
enum FioResult {
    FIO_OK = 0,
    FIO_MISSING,     // nothing of that name (or a link to nothing)
    FIO_NOT_REGULAR, // a folder, a named pipe, a device or a socket: refused before it is opened
    FIO_TOO_BIG,     // larger than the limit: refused before it is read
    FIO_UNREADABLE,  // there, but it cannot be opened or read (err says why)
    FIO_NO_MEMORY,
};

// A file read whole: its bytes (with a zero after the last, for text; free with free()), its size,
// and after a failure the system's error (FIO_UNREADABLE) or the file's type (FIO_NOT_REGULAR).
struct FioData {
    unsigned char *data;
    size_t size;
    int err;
};

// Reads the whole file at path if it is a regular file of at most max bytes. Anything else is
// refused before it is opened, and the open itself never waits (a pipe swapped in meanwhile is
// refused by what the open finds). Returns a FioResult; data is null unless FIO_OK.
int FIO_read(const char *path, size_t max, FioData *out);
// Reads as FIO_read does the file at path in the folder dir (an open folder, or AT_FDCWD); with
// nofollow a link there is refused as not a regular file.
int FIO_read_at(int dir, const char *path, size_t max, int nofollow, FioData *out);
// Says why a read was refused, as words to follow the file's name: "is a folder", "is larger than
// 65536 bytes", "cannot be read (Permission denied)".
const char *FIO_why(int result, const FioData *d, size_t max, char *buf, size_t size);
// Is there a regular file of at most max bytes at path? 0 when there is; else a FioResult, with
// *why (when given) set to a text for FIO_why.
int FIO_check(const char *path, size_t max, FioData *why);

// The permissions a new file gets: read and write for all, less the process's umask.
enum { FIO_NEW_FILE = -1 };

// Replaces the file at path with the bytes: they go to a new file beside it under a name no one
// else uses, created exclusively in that folder (never through a link), synced, then renamed over
// path, so the old file stays whole until the new one is. A link at path is itself replaced; what
// it points to is left alone. mode: FIO_NEW_FILE, or the exact permissions to give. Returns 0, or
// the error (errno's value); no file is left behind on failure.
int FIO_replace(const char *path, const void *data, size_t n, int mode);
// Writes the bytes as a new file at path, never over anything there (a file, a folder, a link, even
// a link to nothing): as FIO_replace, but EEXIST when path is taken.
int FIO_create(const char *path, const void *data, size_t n, int mode);
