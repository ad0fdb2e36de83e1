// watch.cpp -- `velumbrina-level watch`: the level text checked again every time it is saved.
// SPDX-License-Identifier: MIT
#include <chrono>
#include <cstdio>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

#include "tools/player/velumbrina-level/maker.h"

namespace {

// What tells one save of the file from the next: its identity, size and times. All zero when the
// file is not there.
struct Saved {
    dev_t dev;
    ino_t ino;
    off_t size;
    long long mtime_ns, ctime_ns;
};

Saved saved(const char *path) {
    struct stat st;
    if (stat(path, &st) != 0) return Saved{};
    return Saved{st.st_dev, st.st_ino, st.st_size,
                 st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec,
                 st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec};
}

bool same(const Saved &a, const Saved &b) {
    return a.dev == b.dev && a.ino == b.ino && a.size == b.size && a.mtime_ns == b.mtime_ns &&
           a.ctime_ns == b.ctime_ns;
}

const useconds_t POLL_US = 100000; // ten looks a second

} // namespace

int MAKER_watch(const char *path, bool (*build)(const char *path)) {
    printf("watching %s: every save is built and checked (Ctrl+C ends)\n", path);
    Saved built = {}, last = saved(path);
    bool told_gone = false;
    for (;;) {
        Saved now = saved(path);
        // A save is taken once the file has stood still for one look: an editor writing it in
        // several goes is not caught half way.
        bool settled = same(now, last);
        last = now;
        if (!settled || same(now, built)) {
            usleep(POLL_US);
            continue;
        }
        if (now.ino == 0 && now.size == 0 && now.mtime_ns == 0) {
            if (!told_gone) printf("%s is not there: waiting for it to be saved\n", path);
            told_gone = true;
            built = now;
            fflush(stdout);
            continue;
        }
        told_gone = false;
        built = now;
        time_t t = time(nullptr);
        char when[16];
        strftime(when, sizeof when, "%H:%M:%S", localtime(&t));
        printf("--- %s: building %s\n", when, path);
        fflush(stdout);
        auto t0 = std::chrono::steady_clock::now();
        clock_t cpu = clock();
        if (!build(path)) return 2;
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        printf("--- checked in %.2f s (%.2f s of processor time); waiting for the next save\n", s,
               (double)(clock() - cpu) / CLOCKS_PER_SEC);
        fflush(stdout);
    }
}
