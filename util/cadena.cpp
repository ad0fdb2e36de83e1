// cadena.cpp -- fixed-capacity strings held by value, and two in-place helpers on C strings.
// SPDX-License-Identifier: MIT
#include "util/cadena.h"
#include <math.h>
#include <string.h>

enum { CAD_CAPACITY = 99 }; // characters a record holds besides its terminating zero

CADENA crear_cadena1(void) {
    CADENA r;
    memset(&r, 0, sizeof r);
    return r;
}

CADENA crear_cadena2(const char *s) {
    CADENA r = crear_cadena1();
    size_t n = strlen(s);
    if (n > CAD_CAPACITY) n = CAD_CAPACITY; // longer texts are cut to what fits
    memcpy(r.caracteres, s, n);
    r.longitud = (unsigned char)n;
    return r;
}

CADENA copiar_cadena(CADENA a) {
    CADENA r = crear_cadena1();
    memcpy(r.caracteres, a.caracteres, sizeof r.caracteres);
    r.longitud = a.longitud;
    r.posicion = 0;
    return r;
}

short comparar_cadenas(CADENA a, CADENA b) {
    if (a.longitud != b.longitud) return 0;
    for (int i = 0; i < a.longitud; i++)
        if (a.caracteres[i] != b.caracteres[i]) return 0;
    return 1;
}

CADENA anadir_caracter_cadena(CADENA a, int c) {
    if (a.longitud >= 98) return a;
    CADENA r = copiar_cadena(a);
    r.caracteres[r.longitud] = (char)(c & 0xff);
    r.caracteres[r.longitud + 1] = 0;
    r.longitud++;
    return r;
}

CADENA concatenar_cadenas1(CADENA a, CADENA b) {
    CADENA r = copiar_cadena(a);
    // A join longer than the capacity keeps what fits, so the text always stays terminated.
    int room = CAD_CAPACITY - a.longitud;
    if (room < 0) room = 0;
    int n = b.longitud < room ? b.longitud : room;
    for (int i = 0; i < n; i++)
        r.caracteres[a.longitud + i] = b.caracteres[i];
    r.caracteres[a.longitud + n] = 0;
    r.posicion = 0;
    r.longitud = (unsigned char)(a.longitud + n);
    return r;
}

CADENA concatenar_cadenas2(const char *s1, const char *s2) {
    return concatenar_cadenas1(crear_cadena2(s1), crear_cadena2(s2));
}

CADENA eliminar_caracter_cadena(CADENA a) {
    if (a.longitud == 0) return a;
    a.caracteres[a.longitud - 1] = 0;
    a.longitud--;
    if (a.posicion < a.longitud) a.posicion--;
    return a;
}

CADENA num2cad(int n) {
    if (n < 0) return crear_cadena2("N/A");
    if (n == 0) return crear_cadena2("0");
    CADENA r = crear_cadena1();
    short k = (short)(floor(log10((double)n)) + 1);
    for (int i = 0; i < k; i++) {
        r.caracteres[k - 1 - i] = (char)('0' + n % 10);
        n /= 10;
    }
    r.longitud = (unsigned char)k;
    return r;
}

void rtrim(char *s) {
    size_t n = strlen(s);
    for (size_t i = 0; i < n; i++) {
        if (s[i] == ' ') {
            s[i] = 0;
            return;
        }
    }
}

void minusculas(char *s) {
    size_t n = strlen(s);
    for (size_t i = 0; i < n; i++) {
        unsigned char c = (unsigned char)s[i];
        if (c >= 65 && c <= 90) s[i] = (char)(c + 32);
    }
}
