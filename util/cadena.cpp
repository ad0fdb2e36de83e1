// cadena.cpp -- fixed-capacity strings (placeholder until the string helpers land).
#include "util/cadena.h"
#include <string.h>

CADENA crear_cadena1(void) { CADENA r; memset(&r, 0, sizeof r); return r; }
CADENA crear_cadena2(const char *s) { CADENA r = crear_cadena1(); strncpy(r.caracteres, s, 99); r.longitud = (unsigned char)strlen(r.caracteres); return r; }
CADENA copiar_cadena(CADENA a) { a.posicion = 0; return a; }
short comparar_cadenas(CADENA a, CADENA b) { return a.longitud == b.longitud && !memcmp(a.caracteres, b.caracteres, a.longitud); }
CADENA anadir_caracter_cadena(CADENA a, int c) { if (a.longitud >= 98) return a; a.caracteres[a.longitud++] = (char)c; a.posicion = 0; return a; }
CADENA concatenar_cadenas1(CADENA a, CADENA b) { for (int i = 0; i < b.longitud; i++) a = anadir_caracter_cadena(a, b.caracteres[i]); return a; }
CADENA concatenar_cadenas2(const char *s1, const char *s2) { return concatenar_cadenas1(crear_cadena2(s1), crear_cadena2(s2)); }
CADENA eliminar_caracter_cadena(CADENA a) { if (a.longitud) a.caracteres[--a.longitud] = 0; return a; }
CADENA num2cad(int n) { (void)n; return crear_cadena1(); }
void rtrim(char *s) { char *p = strchr(s, ' '); if (p) *p = 0; }
void minusculas(char *s) { for (; *s; s++) if (*s >= 'A' && *s <= 'Z') *s += 32; }
