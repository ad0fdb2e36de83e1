// temporizadores.h -- the 17 ms tick that paces play, and the pause between polls of a busy wait.
#pragma once

extern volatile int contador_60Hz; // ticks since a consumer last zeroed it

// The tick: adds 1 to contador_60Hz. Called by Allegro's timer.
void temporizador_60Hz(void);
// Installs the tick with a period of 17 ms (install_timer must have run). Called by main.
void instala_temporizador_60Hz(void);
// Gives the processor away for about a millisecond; every polling loop calls it between polls.
void TMR_rest(void);
