// vbclave.cpp -- prints a password of a room, made by the game's own codec: vbclave LEVEL ROOM.
// Window tests use it to type a right password; a level designer can use it to jump to a room.
#include "frontend/clave.h"
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: vbclave LEVEL ROOM\n");
        return 2;
    }
    int level = atoi(argv[1]), room = atoi(argv[2]);
    char *code = nullptr;
    if (level >= -128 && level <= 127 && room >= -128 && room <= 127)
        code = CLAVE_genera_clave((signed char)level, (signed char)room);
    if (!code) {
        fprintf(stderr, "vbclave: level %d, room %d cannot be written as a password\n", level,
                room);
        return 1;
    }
    printf("%s\n", code);
    free(code);
    return 0;
}
