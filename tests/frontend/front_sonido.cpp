// front_sonido.cpp -- the interface sounds for the front end's tests, made on the spot.
#include "front_sonido.h"
#include <stdio.h>
#include <stdlib.h>
#include "shell/config.h"
#include "shell/sonido.h"

bool front_carga_sonidos(void) {
    static int ok = -1;
    CFG_soundon = 1;
    if (ok >= 0) return ok;
    // A 20 ms click: 441 bytes of 8-bit mono at 22050 Hz after a 44-byte WAV header.
    static const unsigned char header[44] = {
        'R', 'I', 'F', 'F', 0xDD, 0x01, 0,   0,   'W', 'A',  'V',  'E',  'f', 'm',  't',
        ' ', 16,  0,   0,   0,    1,    0,   1,   0,   0x22, 0x56, 0,    0,   0x22, 0x56,
        0,   0,   1,   0,   8,    0,    'd', 'a', 't', 'a',  0xB9, 0x01, 0,   0};
    FILE *f = fopen("front_click.wav", "wb");
    if (f) {
        fwrite(header, 1, sizeof header, f);
        for (int i = 0; i < 441; i++)
            fputc((i / 20) % 2 ? 200 : 56, f);
        fclose(f);
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    FSOUND_Init(44100, 32, FSOUND_INIT_GLOBALFOCUS);
    unsigned mode = FSOUND_LOOP_OFF | FSOUND_2D;
    s_back = FSOUND_Sample_Load(FSOUND_FREE, "front_click.wav", mode, 0, 0);
    s_go = FSOUND_Sample_Load(FSOUND_FREE, "front_click.wav", mode, 0, 0);
    s_ting = FSOUND_Sample_Load(FSOUND_FREE, "front_click.wav", mode, 0, 0);
    ok = s_back && s_go && s_ting;
    return ok;
}
