// cadena.h -- fixed-capacity strings (CADENA) and two in-place helpers on C strings.
// SPDX-License-Identifier: MIT
#pragma once

// A text of at most 99 characters held by value; its address is the address of its text.
struct CADENA {
    char caracteres[100];
    unsigned char posicion; // a cursor; every builder sets it to 0
    unsigned char longitud; // characters in the text
};

// The empty record.
CADENA crear_cadena1(void);
// A record holding s (at most 99 characters are kept).
CADENA crear_cadena2(const char *s);
// A copy of a with its cursor at 0.
CADENA copiar_cadena(CADENA a);
// 1 when the two texts are equal, else 0.
short comparar_cadenas(CADENA a, CADENA b);
// a with the low byte of c appended (unchanged when a holds 98 or more characters).
CADENA anadir_caracter_cadena(CADENA a, int c);
// a followed by b.
CADENA concatenar_cadenas1(CADENA a, CADENA b);
// s1 followed by s2.
CADENA concatenar_cadenas2(const char *s1, const char *s2);
// a without its last character.
CADENA eliminar_caracter_cadena(CADENA a);
// The decimal text of n ("N/A" for negative n).
CADENA num2cad(int n);
// Cuts s at its first space, in place.
void rtrim(char *s);
// Lower-cases the letters A-Z of s, in place.
void minusculas(char *s);
