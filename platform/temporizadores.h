// temporizadores.h -- the 17 ms tick that paces play, and the pause between polls of a busy wait.
#pragma once

extern volatile int contador_60Hz; // ticks since a consumer last zeroed it

// The tick: adds 1 to contador_60Hz.
void temporizador_60Hz(void);
// Installs the tick with a period of 17 ms (install_timer must have run).
void instala_temporizador_60Hz(void);
// Runs the idle hook, then gives the processor away until the next tick (at most 10 ms; 1 ms
// when no tick is installed); every polling loop calls it between polls.
void TMR_rest(void);
// What every wait does between polls besides resting (main sets the window switch), or null.
extern void (*TMR_idle)(void);
