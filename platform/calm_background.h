// calm_background.h -- Allegro's background thread (window events, keyboard) at a calmer pace.
#pragma once

// Makes Allegro's X11 driver serve its background work every 10 ms instead of every millisecond;
// must run before install_allegro.
void CALM_background(void);
