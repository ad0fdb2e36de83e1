// vbclave.cpp -- prints a password of a room, made by the game's own codec: vbclave LEVEL ROOM.
// Window tests use it to type a right password; a level designer can use it to jump to a room.
// Only level 1 has passwords (the game takes any later level's as its room 25), rooms 1..25.
// SPDX-License-Identifier: MIT
#include "frontend/clave.h"
#include <stdio.h>
#include <stdlib.h>

// The whole argument as a number in lo..hi, else false.
static bool number_in(const char *arg, long lo, long hi, long *out) {
    char *end;
    *out = strtol(arg, &end, 10);
    return end != arg && *end == 0 && *out >= lo && *out <= hi;
}

int main(int argc, char **argv) {
    long level, room;
    if (argc != 3 || !number_in(argv[1], 1, 1, &level) || !number_in(argv[2], 1, 25, &room)) {
        if (argc == 3)
            fprintf(stderr, "vbclave: '%s %s' is out of range: LEVEL is 1, ROOM is 1..25\n",
                    argv[1], argv[2]);
        fprintf(stderr, "usage: vbclave LEVEL ROOM\n");
        return 2;
    }
    char *code = CLAVE_genera_clave((signed char)level, (signed char)room);
    if (!code) {
        fprintf(stderr, "vbclave: out of memory\n");
        return 1;
    }
    printf("%s\n", code);
    free(code);
    return 0;
}
