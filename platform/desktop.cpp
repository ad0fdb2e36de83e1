// desktop.cpp -- handing a folder to the desktop's file manager through xdg-open.
// SPDX-License-Identifier: MIT
#include "platform/desktop.h"
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>
#include "platform/loga.h"

static const char OPENER[] = "xdg-open";

// The opener's path found on PATH into out; 0 when there is none.
static int find_opener(char *out, size_t size) {
    const char *path = getenv("PATH");
    if (!path || !*path) path = "/usr/local/bin:/usr/bin:/bin";
    for (const char *at = path; *at;) {
        size_t n = strcspn(at, ":");
        if (n > 0 && snprintf(out, size, "%.*s/%s", (int)n, at, OPENER) < (int)size &&
            access(out, X_OK) == 0)
            return 1;
        at += n;
        if (*at == ':') at++;
    }
    return 0;
}

int DESKTOP_open_folder(const char *dir) {
    char opener[PATH_MAX], line[PATH_MAX + 80];
    if (!find_opener(opener, sizeof opener)) {
        loga("open folder: no xdg-open on PATH");
        return ENOENT;
    }
    pid_t go_between = fork();
    if (go_between < 0) {
        int err = errno;
        snprintf(line, sizeof line, "open folder: cannot start %s: %s", opener, strerror(err));
        loga(line);
        return err;
    }
    if (go_between == 0) { // only calls that are safe after fork from here on
        if (fork() == 0) {
            int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, 0);
                dup2(null, 1);
                dup2(null, 2);
            }
            setsid();
            char *const argv[] = {(char *)OPENER, (char *)dir, nullptr};
            execv(opener, argv);
            _exit(127);
        }
        _exit(0); // the opener's parent is now init, which reaps it
    }
    int status;
    while (waitpid(go_between, &status, 0) < 0 && errno == EINTR) {
    }
    snprintf(line, sizeof line, "open folder: %s %s", opener, dir);
    loga(line);
    return 0;
}
