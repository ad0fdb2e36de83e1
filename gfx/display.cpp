// display.cpp -- the X server at start-up: tries of the graphics library, and a test connection
// of our own that says what the server answers when a try fails.
// SPDX-License-Identifier: MIT
#include "gfx/display.h"
#include <allegro.h>
#include <errno.h>
#include <netdb.h>
#include <poll.h>
#include <signal.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <time.h>
#include <unistd.h>
#include "platform/loga.h"

enum {
    X_TCP_PORT = 6000,     // display n listens on port 6000 + n
    ANSWER_WAIT_MS = 1000, // for the server's answer to a test connection
};

// Waits between tries: about a second in all.
static const int RETRY_WAIT_MS[] = {50, 100, 150, 200, 250, 300};
enum { TRIES = 1 + sizeof RETRY_WAIT_MS / sizeof RETRY_WAIT_MS[0] };

// Connects to display number n on this machine: the abstract socket first, then the file, as
// the X library does. A socket or -1 (errno set).
static int connect_local(int n) {
    for (int abstract = 1; abstract >= 0; abstract--) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return -1;
        struct sockaddr_un a = {};
        a.sun_family = AF_UNIX;
        snprintf(a.sun_path + abstract, sizeof a.sun_path - 1, "/tmp/.X11-unix/X%d", n);
        socklen_t len = (socklen_t)(offsetof(struct sockaddr_un, sun_path) + abstract +
                                    strlen(a.sun_path + abstract));
        if (connect(fd, (struct sockaddr *)&a, len) == 0) return fd;
        int err = errno;
        close(fd);
        errno = err;
    }
    return -1;
}

// Connects to display number n of a host over TCP. A socket or -1 (errno set; 0 for a host that
// has no address).
static int connect_tcp(const char *host, int n) {
    char port[16];
    snprintf(port, sizeof port, "%d", X_TCP_PORT + n);
    struct addrinfo hints = {}, *list = nullptr;
    hints.ai_socktype = SOCK_STREAM;
    if (getaddrinfo(host, port, &hints, &list) != 0) {
        errno = 0;
        return -1;
    }
    int fd = -1, err = 0;
    for (struct addrinfo *a = list; a && fd < 0; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd >= 0 && connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            err = errno;
            close(fd);
            fd = -1;
        }
    }
    freeaddrinfo(list);
    errno = err;
    return fd;
}

int GFX_ask_display(const char *display, char *answer, size_t size) {
    const char *colon = display ? strrchr(display, ':') : nullptr;
    char *end = nullptr;
    long n = colon ? strtol(colon + 1, &end, 10) : -1;
    if (!colon || end == colon + 1 || (*end && *end != '.') || n < 0 || n > 60000) {
        snprintf(answer, size, "cannot be told from its name");
        return 0;
    }
    char host[256];
    snprintf(host, sizeof host, "%.*s", (int)(colon - display), display);
    if (strncmp(host, "unix/", 5) == 0) memmove(host, host + 5, strlen(host + 5) + 1);
    int local = !host[0] || strcmp(host, "unix") == 0;
    int fd = local ? connect_local((int)n) : connect_tcp(host, (int)n);
    if (fd < 0) {
        snprintf(answer, size, "refused the connection (%s)",
                 errno ? strerror(errno) : "no such host");
        return 0;
    }
    // The set-up request of a client: byte order, protocol 11.0, no authorisation.
    static const unsigned char setup[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    unsigned char reply[8];
    struct pollfd p = {fd, POLLIN, 0};
    ssize_t got = -1;
    if (send(fd, setup, sizeof setup, MSG_NOSIGNAL) == (ssize_t)sizeof setup) {
        int ready = poll(&p, 1, ANSWER_WAIT_MS);
        got = ready > 0 ? recv(fd, reply, sizeof reply, 0) : ready == 0 ? -2 : -1;
    }
    int err = errno, answered = got > 0;
    // A refusal says why: its reason's length in byte 1, the text after the 8 bytes.
    char reason[81] = "";
    if (got == (ssize_t)sizeof reply && reply[0] == 0 && poll(&p, 1, ANSWER_WAIT_MS) > 0) {
        ssize_t n =
            recv(fd, reason, reply[1] < sizeof reason - 1 ? reply[1] : sizeof reason - 1, 0);
        reason[n > 0 ? n : 0] = 0;
        for (char *c = reason; *c; c++)
            if (*c < 32 || *c > 126) *c = '?';
    }
    close(fd);
    if (got == -2)
        snprintf(answer, size, "did not answer within %d ms", ANSWER_WAIT_MS);
    else if (got < 0)
        snprintf(answer, size, "dropped the connection (%s)", strerror(err));
    else if (got == 0)
        snprintf(answer, size, "closed the connection");
    else if (reply[0] == 1)
        snprintf(answer, size, "took a test connection");
    else
        snprintf(answer, size, "turned a test connection (without authorisation) away: \"%s\"",
                 reason);
    return answered;
}

static void rest_ms(int ms) {
    struct timespec t = {ms / 1000, (long)(ms % 1000) * 1000000L};
    while (nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

int GFX_start(char *why, size_t size) {
    // A server that drops the connection while the X library writes to it (one turning clients
    // away at a busy moment, or gone) must be a failed try with its reason, not a SIGPIPE that ends
    // the game without a word: writes to a closed connection fail with EPIPE instead.
    signal(SIGPIPE, SIG_IGN);
    const char *display = getenv("DISPLAY");
    char answer[160] = "";
    int waited = 0;
    for (int attempt = 1;; attempt++) {
        if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) == 0) {
            if (attempt > 1) {
                char line[400];
                snprintf(line, sizeof line,
                         "the X server of %.100s took the connection at try %d (before: it %s)",
                         display, attempt, answer);
                loga(line);
            }
            return 0;
        }
        if (!display || !*display) {
            snprintf(why, size, "%s",
                     allegro_error[0] ? allegro_error : "no display to open a window on");
            return -1;
        }
        int answered = GFX_ask_display(display, answer, sizeof answer);
        if (attempt == TRIES) {
            snprintf(why, size, "the X server of %.100s %s%s%s; %d tries over %.1f s", display,
                     answer, answered && allegro_error[0] ? ", but: " : "",
                     answered ? allegro_error : "", TRIES, waited / 1000.0);
            return -1;
        }
        rest_ms(RETRY_WAIT_MS[attempt - 1]);
        waited += RETRY_WAIT_MS[attempt - 1];
    }
}
