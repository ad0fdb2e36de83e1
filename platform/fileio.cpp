// fileio.cpp -- reads that never wait or run past a limit, writes that never follow a link.
// SPDX-License-Identifier: MIT
#include "platform/fileio.h"
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

// Sorts a stat result: a regular file of at most max bytes is FIO_OK.
static int fio_judge(const struct stat &st, size_t max, FioData *d) {
    if (!S_ISREG(st.st_mode)) {
        d->err = (int)(st.st_mode & S_IFMT);
        return FIO_NOT_REGULAR;
    }
    d->size = (size_t)st.st_size;
    return (unsigned long long)st.st_size > max ? FIO_TOO_BIG : FIO_OK;
}

static int fio_failed(int err, FioData *d) {
    d->err = err;
    return err == ENOENT || err == ENOTDIR ? FIO_MISSING : FIO_UNREADABLE;
}

// FIO_check within a folder; nofollow: a link is not a regular file.
static int fio_check_at(int dir, const char *path, size_t max, int nofollow, FioData *d) {
    *d = FioData{nullptr, 0, 0};
    struct stat st;
    if (fstatat(dir, path, &st, nofollow ? AT_SYMLINK_NOFOLLOW : 0) != 0)
        return fio_failed(errno, d);
    return fio_judge(st, max, d);
}

int FIO_check(const char *path, size_t max, FioData *why) {
    FioData scratch;
    return fio_check_at(AT_FDCWD, path, max, 0, why ? why : &scratch);
}

int FIO_read_at(int dir, const char *path, size_t max, int nofollow, FioData *out) {
    int result = fio_check_at(dir, path, max, nofollow, out);
    if (result != FIO_OK) return result;
    int fd = openat(dir, path,
                    O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (nofollow ? O_NOFOLLOW : 0));
    if (fd < 0) return fio_failed(errno, out);
    struct stat st;
    result = fstat(fd, &st) != 0 ? fio_failed(errno, out) : fio_judge(st, max, out);
    size_t want = out->size, got = 0;
    unsigned char *buf = result == FIO_OK ? (unsigned char *)malloc(want + 1) : nullptr;
    if (result == FIO_OK && !buf) result = FIO_NO_MEMORY;
    // No more than the size the file had: a file that grows meanwhile is cut, never overrun.
    while (buf && got < want) {
        ssize_t r = read(fd, buf + got, want - got);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) result = fio_failed(errno, out);
        if (r <= 0) break;
        got += (size_t)r;
    }
    close(fd);
    if (result != FIO_OK) {
        free(buf);
        return result;
    }
    buf[got] = 0;
    out->data = buf;
    out->size = got;
    return FIO_OK;
}

int FIO_read(const char *path, size_t max, FioData *out) {
    return FIO_read_at(AT_FDCWD, path, max, 0, out);
}

const char *FIO_why(int result, const FioData *d, size_t max, char *buf, size_t size) {
    const char *kind = "is not a regular file";
    switch (result) {
    case FIO_OK:
        return "was read";
    case FIO_MISSING:
        return "is missing";
    case FIO_NO_MEMORY:
        return "is too big for the memory left";
    case FIO_TOO_BIG:
        snprintf(buf, size, "is larger than %zu bytes (%zu)", max, d->size);
        return buf;
    case FIO_UNREADABLE:
        snprintf(buf, size, "cannot be read (%s)", strerror(d->err));
        return buf;
    }
    switch (d->err) {
    case S_IFDIR:
        kind = "is a folder, not a file";
        break;
    case S_IFIFO:
        kind = "is a named pipe, not a file";
        break;
    case S_IFCHR:
    case S_IFBLK:
        kind = "is a device, not a file";
        break;
    case S_IFSOCK:
        kind = "is a socket, not a file";
        break;
    case S_IFLNK:
        kind = "is a link, which is not followed";
        break;
    }
    return kind;
}

// The folder of path, opened for the *at calls, and path's last part.
static int fio_folder(const char *path, const char **name) {
    const char *slash = strrchr(path, '/');
    *name = slash ? slash + 1 : path;
    if (!slash) return open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    size_t n = slash == path ? 1 : (size_t)(slash - path);
    char *dir = (char *)malloc(n + 1);
    if (!dir) return -1;
    memcpy(dir, path, n);
    dir[n] = 0;
    int fd = open(dir, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    free(dir);
    return fd;
}

// Six letters no one can guess, for a temporary name.
static void fio_letters(char out[7]) {
    static const char abc[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static unsigned counter;
    unsigned char r[6];
    if (getrandom(r, sizeof r, GRND_NONBLOCK) != (ssize_t)sizeof r) {
        struct timespec t;
        clock_gettime(CLOCK_REALTIME, &t);
        unsigned long v = (unsigned long)t.tv_nsec ^ (unsigned long)getpid() << 16 ^ ++counter;
        for (unsigned char &c : r) {
            c = (unsigned char)v;
            v = v * 6364136223846793005ul + 1442695040888963407ul;
        }
    }
    for (int i = 0; i < 6; i++)
        out[i] = abc[r[i] % (sizeof abc - 1)];
    out[6] = 0;
}

static int fio_write_all(int fd, const unsigned char *p, size_t n) {
    while (n > 0) {
        ssize_t w = write(fd, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) return errno;
        if (w == 0) return ENOSPC;
        p += w;
        n -= (size_t)w;
    }
    return 0;
}

// Writes the bytes to a new file of a fresh name in the folder (name stored in tmp); 0 or the
// error, with nothing left behind on failure.
static int fio_write_temp(int dir, const char *name, const void *data, size_t n, int mode,
                          char *tmp, size_t tmp_size) {
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; tries++) {
        char letters[7];
        fio_letters(letters);
        if (snprintf(tmp, tmp_size, ".%s.%s.part", name, letters) >= (int)tmp_size)
            return ENAMETOOLONG;
        fd = openat(dir, tmp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return errno;
    }
    if (fd < 0) return EEXIST;
    int err = mode != FIO_NEW_FILE && fchmod(fd, (mode_t)mode) != 0 ? errno : 0;
    if (!err) err = fio_write_all(fd, (const unsigned char *)data, n);
    if (!err && fsync(fd) != 0) err = errno;
    if (close(fd) != 0 && !err) err = errno;
    if (err) unlinkat(dir, tmp, 0);
    return err;
}

// Writes path whole through a temporary file; replace: over what is there, else never.
static int fio_put(const char *path, const void *data, size_t n, int mode, bool replace) {
    const char *name;
    int dir = fio_folder(path, &name);
    if (dir < 0) return errno;
    char tmp[300];
    int err = *name ? fio_write_temp(dir, name, data, n, mode, tmp, sizeof tmp) : EISDIR;
    if (!err && replace && renameat(dir, tmp, dir, name) != 0) {
        err = errno;
        unlinkat(dir, tmp, 0);
    }
    // A new name only: renameat2's no-replace where the file system has it, else a hard link,
    // which fails on a name that is taken too.
    if (!err && !replace && renameat2(dir, tmp, dir, name, RENAME_NOREPLACE) != 0) {
        err = errno;
        if (err == EINVAL || err == ENOSYS) err = linkat(dir, tmp, dir, name, 0) == 0 ? 0 : errno;
        unlinkat(dir, tmp, 0);
    }
    close(dir);
    return err;
}

int FIO_replace(const char *path, const void *data, size_t n, int mode) {
    return fio_put(path, data, n, mode, true);
}

int FIO_create(const char *path, const void *data, size_t n, int mode) {
    return fio_put(path, data, n, mode, false);
}
