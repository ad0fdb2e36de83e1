// temporizadores.h -- the 17 ms tick that paces play, and the pause between polls of a busy wait.
// SPDX-License-Identifier: MIT
#pragma once

extern volatile int contador_60Hz; // ticks since a consumer last zeroed it

// The tick: adds 1 to contador_60Hz.
void temporizador_60Hz(void);
// Installs the tick with a period of 17 ms (install_timer must have run).
void instala_temporizador_60Hz(void);
// The ticks to wait for the next frame of a game paced at speed percent (1..100) of its own rate
// of one frame every two ticks: 2 at 100, 5 at 40, and 2 and 3 in turn at 80. carry (start it at
// 0) holds the fraction of a tick left over from the frames before.
int TMR_frame_ticks(int speed, int *carry);
// Runs the idle hook, then gives the processor away until the next tick (at most 10 ms; 1 ms
// when no tick is installed); every polling loop calls it between polls.
void TMR_rest(void);
// What every wait does between polls besides resting (main sets the window switch), or null.
extern void (*TMR_idle)(void);
