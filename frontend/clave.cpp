// clave.cpp -- room passwords: the alphabet, making them for the level card, checking typed ones.
// SPDX-License-Identifier: MIT
#include "frontend/clave.h"
#include <stdlib.h>

// Our own order of the 26 capitals and the 10 digits; a character's position is its value.
const char zicha[37] = "Q7M2XKD9RWA4TFZ0HNC5JPUY8BLE3GS1VI6O";

enum { ZICHA_LEN = 36 };

// True when a position can index the alphabet.
static int en_tabla(int pos) {
    return pos >= 0 && pos < ZICHA_LEN;
}

// Makes one of the four passwords of a room; the caller frees it; null when the level or room
// lies outside what the alphabet can encode. Called by the level card.
char *CLAVE_genera_clave(signed char level, signed char room) {
    int L = level, R = room;
    int p0 = 4 * L + (rand() % 4);
    int p1 = R + 8;
    int p2 = L + R;
    int p3 = 2 * L + R / 2;
    // The random part is 0..3, so the whole group of four must fit, not only the one drawn.
    if (!en_tabla(4 * L) || !en_tabla(4 * L + 3) || !en_tabla(p1) || !en_tabla(p2) || !en_tabla(p3))
        return nullptr;
    char *code = (char *)malloc(5);
    if (!code) return nullptr;
    code[0] = zicha[p0];
    code[1] = zicha[p1];
    code[2] = zicha[p2];
    code[3] = zicha[p3];
    code[4] = 0;
    return code;
}

// The position of c in zicha, or -1. Called by the decoder.
short busca_indice(char c) {
    for (short i = 0; i < ZICHA_LEN; i++)
        if (zicha[i] == c) return i;
    return -1;
}

// Turns a typed password into level * 25 + room, or 0 when it is wrong. Called by the entry
// screen. A character outside the alphabet (or a text shorter than four) makes it wrong.
short CLAVE_decodifica_clave(const char *code) {
    if (!code) return 0;
    short pos[4];
    for (int i = 0; i < 4; i++) {
        if (code[i] == 0) return 0; // stop at the end of a short text
        pos[i] = busca_indice(code[i]);
        if (pos[i] < 0) return 0;
    }
    int L = pos[0] / 4;
    int R = pos[1] - 8;
    if (pos[2] != L + R || pos[3] != 2 * L + R / 2) return 0;
    return (short)(L * 25 + R);
}
