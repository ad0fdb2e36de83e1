// loga.cpp -- the append-only progress log "log.txt" in the log's folder (platform/paths).
// SPDX-License-Identifier: MIT
#include "platform/loga.h"
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include "platform/paths.h"

static bool loga_complained; // the one line on standard error was written

// Says once per run, on standard error, that the log cannot be written and why.
static void loga_lost(const char *why) {
    if (loga_complained) return;
    loga_complained = true;
    fprintf(stderr, "Velumbrina: log.txt cannot be written (%s): this run's log lines are lost\n",
            why);
}

void loga(const char *message) {
    // Never through a link, never waiting on a pipe: only a regular file is appended to.
    char path[PATHS_MAX + 16];
    PATHS_join(path, sizeof path, PATHS_state_dir(), "log.txt");
    int fd = open(
        path, O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
        loga_lost(errno == ELOOP ? "it is a link" : strerror(errno));
        return;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        loga_lost("it is not a regular file");
        return;
    }
    struct iovec line[2] = {{(void *)message, strlen(message)}, {(void *)"\n", 1}};
    ssize_t want = (ssize_t)(line[0].iov_len + 1), wrote = writev(fd, line, 2);
    int err = errno;
    close(fd);
    if (wrote != want) loga_lost(wrote < 0 ? strerror(err) : "the disk is full");
}
