// stubs.cpp -- placeholder level data until the map reader lands.
#include "level/nivel.h"

int cargarMapa(const char *, unsigned char *, ReservedRecord *, LevelHeader *, Room *, FilePickup *, FilePickup *, BITMAP **, BITMAP **, BITMAP **, int *effect) { *effect = -1; return 0; }
int grabarMapa(const char *, unsigned char, const ReservedRecord *, LevelHeader, const Room *, const FilePickup *, const FilePickup *, BITMAP **, BITMAP **, BITMAP **, int) { return 0; }
int cargarMapaFormatoAntiguo(const char *, ReservedRecord *, LevelHeader *, Room *, FilePickup *, FilePickup *, BITMAP **, BITMAP **, BITMAP **, int *effect) { *effect = -1; return 0; }
short estaComprimido(unsigned char f) { return f & 1; }
short tieneEfecto(unsigned char f) { return (f >> 1) & 1; }
short esEditable(unsigned char f) { return (f >> 2) & 1; }
short esJugable(unsigned char f) { return (f >> 3) & 1; }
short carga_fase(const char *, LevelHeader *, Room *, Pickup *, Pickup *, BITMAP **, BITMAP **, BITMAP **) { return 0; }
int cargar(const char *, LevelHeader *, Room *, Pickup *, Pickup *, BITMAP **, BITMAP **, BITMAP **) { return 0; }
int recorta_tiles(const char *, BITMAP **) { return 0; }
