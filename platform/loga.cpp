// loga.cpp -- the append-only progress log "log.txt" in the working directory.
#include "platform/loga.h"
#include <stdio.h>

void loga(const char *message) {
    FILE *f = fopen("log.txt", "a");
    if (!f) return; // a read-only directory: the line is lost, the game goes on
    fprintf(f, "%s\n", message);
    fclose(f);
}
