// vbmap.cpp -- the level makers' map file tool: show what a level holds, pack it, unpack it.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <allegro.h>
#include "level/mapfile.h"
#include "level/mapimagen.h"

// The level, its pictures at the depth the file records.
static Level lv;

static void usage(void) {
    fprintf(stderr, "usage: vbmap info FILE\n"
                    "       vbmap pack IN OUT     (write IN as a packed map file)\n"
                    "       vbmap unpack IN OUT   (write IN as a plain map file)\n");
}

static void to_stderr(const char *line) {
    fprintf(stderr, "vbmap: %s\n", line);
}

// Reads the flags byte alone, to learn the depth the pictures were written at.
static int peek_flags(const char *path, unsigned char *flags) {
    FILE *f = fopen(path, "rb");
    if (!f) return 0;
    int c = fgetc(f);
    fclose(f);
    if (c == EOF) return 0;
    *flags = (unsigned char)c;
    return 1;
}

// Starts Allegro without a window at the file's depth, makes the pictures and reads the level.
static int load(const char *path) {
    unsigned char flags;
    if (!peek_flags(path, &flags)) {
        fprintf(stderr, "vbmap: cannot read %s: %s\n", path, errno ? strerror(errno) : "empty");
        return 0;
    }
    MAP_set_log(to_stderr);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "vbmap: cannot start Allegro\n");
        return 0;
    }
    int depth = MAP_depth_of_flags(flags);
    set_color_depth(depth);
    if (!MAP_create_pictures(&lv)) {
        fprintf(stderr, "vbmap: out of memory\n");
        return 0;
    }
    if (!MAP_read(path, &lv)) {
        fprintf(stderr, "vbmap: %s is not a readable map file\n", path);
        return 0;
    }
    return 1;
}

static int pickups_in(const FilePickup *list, int room) {
    int n = 0;
    for (int i = 0; i < PICKUP_SLOTS; i++)
        if (list[i].room_col >= 0 && list[i].room_col < 5 && list[i].room_row >= 0 &&
            list[i].room_row < 5 && list[i].room_row * 5 + list[i].room_col == room)
            n++;
    return n;
}

static int movers_in(const MoverEntry *list, int slots) {
    int n = 0;
    for (int i = 0; i < slots; i++)
        n += list[i].kind != -1;
    return n;
}

static int info(const char *path) {
    if (!load(path)) return 1;
    struct stat st;
    long size = stat(path, &st) == 0 ? (long)st.st_size : -1;
    unsigned char f = lv.flags;
    int bits = (f & MAP_DEPTH_MASK) >> MAP_DEPTH_SHIFT;
    printf("file:      %s (%ld bytes)\n", path, size);
    printf("flags:     0x%02X%s%s%s%s\n", f, estaComprimido(f) ? " packed" : " plain",
           tieneEfecto(f) ? " effect" : "", esEditable(f) ? " editable" : "",
           esJugable(f) ? " playable" : "");
    printf("form:      %s\n", estaComprimido(f) ? "packed" : "plain");
    if (tieneEfecto(f))
        printf("effect:    %d\n", lv.effect);
    else
        printf("effect:    none\n");
    if (bits)
        printf("depth:     %d bpp\n", MAP_depth_of_flags(f));
    else
        printf("depth:     not recorded (read as 16 bpp)\n");
    printf("exit door: room %d,%d cell %d,%d\n", lv.header.door_room_col, lv.header.door_room_row,
           lv.header.door_col, lv.header.door_row);
    printf("room map  background start  enemies platforms levers energy\n");
    for (int r = 0; r < ROOM_COUNT; r++) {
        const Room *room = &lv.rooms[r];
        printf("%4d %d,%d  %10d %3d,%-3d %7d %9d %6d %6d\n", r + 1, r % 5, r / 5, room->background,
               room->start_col, room->start_row, movers_in(room->enemies, ENEMY_SLOTS),
               movers_in(room->platforms, PLATFORM_SLOTS), pickups_in(lv.levers, r),
               pickups_in(lv.energy_items, r));
    }
    return 0;
}

static int rewrite(const char *in, const char *out, int packed) {
    if (!load(in)) return 1;
    lv.flags = packed ? lv.flags | MAP_COMPRESSED : lv.flags & ~MAP_COMPRESSED;
    if (!MAP_write(out, &lv)) {
        fprintf(stderr, "vbmap: cannot write %s\n", out);
        return 1;
    }
    struct stat st;
    if (stat(out, &st) == 0)
        printf("%s: %s, %ld bytes\n", out, packed ? "packed" : "plain", (long)st.st_size);
    return 0;
}

int main(int argc, char **argv) {
    if (argc == 3 && !strcmp(argv[1], "info")) return info(argv[2]);
    if (argc == 4 && !strcmp(argv[1], "pack")) return rewrite(argv[2], argv[3], 1);
    if (argc == 4 && !strcmp(argv[1], "unpack")) return rewrite(argv[2], argv[3], 0);
    usage();
    return 2;
}
