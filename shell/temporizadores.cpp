// temporizadores.cpp -- the 17 ms tick that paces play, and the short pause of every busy wait.
#include "shell/temporizadores.h"
#include <allegro.h>
#include <time.h>

volatile int contador_60Hz;

void temporizador_60Hz(void) {
    contador_60Hz = contador_60Hz + 1;
}
END_OF_FUNCTION(temporizador_60Hz)

void instala_temporizador_60Hz(void) {
    LOCK_VARIABLE(contador_60Hz);
    LOCK_FUNCTION(temporizador_60Hz);
    install_int(temporizador_60Hz, 17);
}

void (*TMR_idle)(void);

void TMR_rest(void) {
    if (TMR_idle) TMR_idle();
    // A plain sleep: it needs no Allegro driver, so waits also work in windowless tests.
    struct timespec ts = {0, 1000000};
    nanosleep(&ts, nullptr);
}
