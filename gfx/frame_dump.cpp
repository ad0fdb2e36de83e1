// frame_dump.cpp -- the window tests' hook: a ring of the last presented frames, written out on
// request, so that a test compares a screenshot with the frames around it instead of racing the
// game for "the latest frame" (see docs/WINDOW_TESTS.md).
// SPDX-License-Identifier: MIT
#include "gfx/frame_dump.h"
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>
#include "gfx/picture.h"
#include "platform/input.h"
#include "platform/loga.h"

static struct {
    int on;
    char dir[400];
    BITMAP *ring[FRAMEDUMP_RING];
    long notes[FRAMEDUMP_RING]; // each kept frame's tag, -1 none
    long note;                  // the tag of the next frame kept
    unsigned long kept;         // frames kept so far: the last one's number
    unsigned long written;      // the last number written to disk
    unsigned long answers;      // requests answered
    volatile sig_atomic_t asked;
} dump;

static void framedump_ask(int) {
    dump.asked = 1;
}

int FRAMEDUMP_start(const char *dir) {
    FRAMEDUMP_stop();
    if (!dir || !*dir) return 0;
    if (strlen(dir) >= sizeof dump.dir || access(dir, W_OK) != 0) {
        loga("frame dump: the folder cannot be written; no frames are kept");
        return -1;
    }
    snprintf(dump.dir, sizeof dump.dir, "%s", dir);
    struct sigaction sa = {};
    sa.sa_handler = framedump_ask;
    sa.sa_flags = SA_RESTART;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGUSR1, &sa, nullptr);
    dump.on = 1;
    dump.note = -1;
    return 0;
}

void FRAMEDUMP_keep(BITMAP *frame) {
    if (!dump.on) return;
    BITMAP **slot = &dump.ring[(dump.kept + 1) % FRAMEDUMP_RING];
    if (*slot && bitmap_color_depth(*slot) != bitmap_color_depth(frame)) GFX_destroy_picture(slot);
    if (!*slot) *slot = create_bitmap_ex(bitmap_color_depth(frame), 256, 192);
    if (!*slot) return; // out of memory: the frame is not kept, nor numbered
    blit(frame, *slot, 0, 0, 0, 0, 256, 192);
    dump.kept++;
    dump.notes[dump.kept % FRAMEDUMP_RING] = dump.note;
    dump.note = -1;
}

void FRAMEDUMP_note(long note) {
    dump.note = note;
}

// Writes frame n's tag, or removes an old one of that number.
static void framedump_write_note(unsigned long n) {
    char path[sizeof dump.dir + 32];
    snprintf(path, sizeof path, "%s/%08lu.txt", dump.dir, n);
    long note = dump.notes[n % FRAMEDUMP_RING];
    FILE *f = note >= 0 ? fopen(path, "w") : nullptr;
    if (f) {
        fprintf(f, "%ld\n", note);
        fclose(f);
    } else if (note < 0) {
        unlink(path);
    }
}

// Writes a file whole or not at all: into a scratch name, then renamed over the real one.
static void framedump_write_bmp(unsigned long n) {
    char path[sizeof dump.dir + 32], part[sizeof path + 16];
    snprintf(path, sizeof path, "%s/%08lu.bmp", dump.dir, n);
    snprintf(part, sizeof part, "%s.part.bmp", path);
    framedump_write_note(n);
    if (save_bitmap(part, dump.ring[n % FRAMEDUMP_RING], nullptr) == 0) rename(part, path);
    if (n > FRAMEDUMP_FILES) {
        snprintf(path, sizeof path, "%s/%08lu.bmp", dump.dir, n - FRAMEDUMP_FILES);
        unlink(path);
        snprintf(path, sizeof path, "%s/%08lu.txt", dump.dir, n - FRAMEDUMP_FILES);
        unlink(path);
    }
}

// The keys the game was sent lately, beside the frames: what a failed test shows of its input.
static void framedump_write_keys(void) {
    static char text[64 * 32];
    size_t n = INPUT_key_history(text, sizeof text);
    char path[sizeof dump.dir + 16];
    snprintf(path, sizeof path, "%s/keys", dump.dir);
    FILE *f = fopen(path, "w");
    if (!f) return;
    fwrite(text, 1, n, f);
    fclose(f);
}

void FRAMEDUMP_serve(void) {
    if (!dump.on || !dump.asked) return;
    dump.asked = 0;
    unsigned long first = dump.written + 1;
    if (dump.kept >= FRAMEDUMP_RING && first <= dump.kept - FRAMEDUMP_RING)
        first = dump.kept - FRAMEDUMP_RING + 1; // older ones were overwritten in the ring
    for (unsigned long n = first; n <= dump.kept; n++)
        framedump_write_bmp(n);
    dump.written = dump.kept;
    dump.answers++;
    framedump_write_keys();
    char path[sizeof dump.dir + 16], part[sizeof path + 16];
    snprintf(path, sizeof path, "%s/latest", dump.dir);
    snprintf(part, sizeof part, "%s.part", path);
    FILE *f = fopen(part, "w");
    if (!f) return;
    fprintf(f, "%lu %lu\n", dump.answers, dump.kept);
    if (fclose(f) == 0) rename(part, path);
}

void FRAMEDUMP_stop(void) {
    if (dump.on) signal(SIGUSR1, SIG_DFL);
    for (BITMAP *&b : dump.ring)
        GFX_destroy_picture(&b);
    dump.on = 0;
    dump.kept = dump.written = dump.answers = 0;
    dump.note = -1;
    dump.asked = 0;
}
