// fondo.h -- Allegro's background thread (window events, keyboard) at a calmer pace.
#pragma once

// Makes Allegro's X11 driver serve its background work every 10 ms instead of every millisecond;
// must run before install_allegro. Called by main.
void FONDO_calm_background(void);
