// stubs.cpp -- placeholder front end until the intro, menu, passwords and dialog land.
#include <stdlib.h>
#include <string.h>
#include "frontend/clave.h"
#include "frontend/entrada.h"
#include "frontend/menu_intro.h"
#include "frontend/yes_no.h"

const char zicha[37] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
char *CLAVE_genera_clave(signed char, signed char) { return strdup("AAAA"); }
short busca_indice(char) { return -1; }
short CLAVE_decodifica_clave(const char *) { return 0; }
int CLAVE_entrada(BITMAP *) { return -1; }
void intro(BITMAP *, PALETTE) {}
int menu(short, BITMAP *, PALETTE) { return 4; }
int yes_no(BITMAP *, BITMAP *, BITMAP *, BITMAP *, BITMAP *, int, int, int, int) { return 0; }
