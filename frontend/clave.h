// clave.h -- room passwords: making them for the level card, checking typed ones.
// SPDX-License-Identifier: MIT
#pragma once

extern const char zicha[37]; // the password alphabet: our permutation of A-Z and 0-9

// Makes one of the four passwords of a room; the caller frees it; null when the level or room lies
// outside what the alphabet can encode.
char *CLAVE_genera_clave(signed char level, signed char room);
// The position of c in zicha, or -1.
short busca_indice(char c);
// Turns a typed password into level * 25 + room, or 0 when it is wrong.
short CLAVE_decodifica_clave(const char *code);
