// xgate.cpp -- a stand-in X display for the window tests: it turns the first connections away,
// as an X server busy with clients starting at the same moment does, and passes every later one
// through to the real display.
// Usage: xgate REFUSE   (DISPLAY names the real display, ":N")
// Takes a free display number (its lock file and sockets, as an X server does), prints it once it
// listens, closes the first REFUSE connections unanswered and passes the rest through. SIGTERM
// or SIGINT ends it, its lock file and socket removed.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

static char lock_path[64], socket_path[64];

static void on_signal(int) {
    unlink(socket_path);
    unlink(lock_path);
    _exit(0);
}

static socklen_t address(int n, bool abstract, sockaddr_un *a) {
    memset(a, 0, sizeof *a);
    a->sun_family = AF_UNIX;
    snprintf(a->sun_path + abstract, sizeof a->sun_path - 1, "/tmp/.X11-unix/X%d", n);
    return (socklen_t)(offsetof(sockaddr_un, sun_path) + abstract + strlen(a->sun_path + abstract));
}

// The real display's socket, abstract or file, as a client connects.
static int connect_real(int n) {
    for (int abstract = 1; abstract >= 0; abstract--) {
        sockaddr_un a;
        socklen_t len = address(n, abstract, &a);
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd >= 0 && connect(fd, (sockaddr *)&a, len) == 0) return fd;
        if (fd >= 0) close(fd);
    }
    return -1;
}

static int listen_on(int n, bool abstract) {
    sockaddr_un a;
    socklen_t len = address(n, abstract, &a);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || bind(fd, (sockaddr *)&a, len) != 0 || listen(fd, 16) != 0) {
        if (fd >= 0) close(fd);
        return -1;
    }
    return fd;
}

// Takes the first free display number from 200 up: its lock file, then its two sockets.
static int take_display(int listeners[2]) {
    mkdir("/tmp/.X11-unix", 01777);
    for (int n = 200; n < 1000; n++) {
        snprintf(lock_path, sizeof lock_path, "/tmp/.X%d-lock", n);
        int fd = open(lock_path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0444);
        if (fd < 0) continue;
        dprintf(fd, "%10d\n", (int)getpid());
        close(fd);
        snprintf(socket_path, sizeof socket_path, "/tmp/.X11-unix/X%d", n);
        unlink(socket_path); // a stale one: the lock file was free
        listeners[0] = listen_on(n, true);
        listeners[1] = listen_on(n, false);
        if (listeners[0] >= 0 && listeners[1] >= 0) return n;
        for (int i = 0; i < 2; i++)
            if (listeners[i] >= 0) close(listeners[i]);
        unlink(lock_path);
    }
    return -1;
}

// Copies what one side sent to the other; 0 when the side closed or failed.
static int pass(int from, int to) {
    char buf[65536];
    ssize_t n = read(from, buf, sizeof buf);
    for (ssize_t done = 0; n > 0 && done < n;) {
        ssize_t w = write(to, buf + done, (size_t)(n - done));
        if (w <= 0) return 0;
        done += w;
    }
    return n > 0;
}

int main(int argc, char **argv) {
    const char *real = getenv("DISPLAY");
    if (argc != 2 || !real || real[0] != ':') {
        fprintf(stderr, "usage: xgate REFUSE   (with DISPLAY=:N, the real display)\n");
        return 2;
    }
    long refuse = atol(argv[1]);
    int real_n = atoi(real + 1), listeners[2];
    signal(SIGTERM, on_signal);
    signal(SIGINT, on_signal);
    signal(SIGPIPE, SIG_IGN);
    int n = take_display(listeners);
    if (n < 0) {
        fprintf(stderr, "xgate: no free display number\n");
        return 1;
    }
    printf("%d\n", n);
    fflush(stdout);
    std::vector<int> ends; // pairs: client, server
    for (;;) {
        std::vector<pollfd> p = {{listeners[0], POLLIN, 0}, {listeners[1], POLLIN, 0}};
        for (int fd : ends)
            p.push_back({fd, POLLIN, 0});
        if (poll(p.data(), p.size(), -1) < 0 && errno != EINTR) break;
        for (int i = 0; i < 2; i++) {
            if (!(p[i].revents & POLLIN)) continue;
            int c = accept4(listeners[i], nullptr, nullptr, SOCK_CLOEXEC);
            if (c < 0) continue;
            int s = refuse > 0 ? -1 : connect_real(real_n);
            if (refuse > 0) refuse--;
            if (s < 0) {
                close(c);
                continue;
            }
            ends.push_back(c);
            ends.push_back(s);
        }
        for (size_t k = 2; k < p.size(); k++) {
            size_t at = k - 2, other = at ^ 1;
            if (!p[k].revents || ends[at] < 0) continue;
            if (!pass(ends[at], ends[other])) { // one side is gone: so is the pair
                close(ends[at]);
                close(ends[other]);
                ends[at] = ends[other] = -1;
            }
        }
        std::vector<int> open;
        for (int fd : ends)
            if (fd >= 0) open.push_back(fd);
        ends.swap(open);
    }
    on_signal(0);
}
