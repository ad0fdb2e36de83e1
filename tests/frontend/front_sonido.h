// front_sonido.h -- the interface sounds for the front end's tests, made on the spot.
#pragma once

// Turns sound on, starts the sound service on SDL's dummy driver and loads s_back, s_go and s_ting
// from a short WAV written into the working directory; false when the service cannot load a sample.
bool front_carga_sonidos(void);
