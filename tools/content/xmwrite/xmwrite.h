// xmwrite.h -- our XM module writer: text scores and code-synthesised instruments into
// FastTracker 2 extended modules (version 0x0104).
// SPDX-License-Identifier: MIT
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

// One cell of a pattern. 0 means "nothing" for every field; note 97 is key off.
struct XmCelda {
    uint8_t nota, instrumento, volumen, efecto, parametro;
};

// A pattern: filas rows of `channels` cells each, row by row.
struct XmPatron {
    std::string nombre;
    int filas;
    std::vector<XmCelda> celdas;
};

// A sample in memory: signed 16-bit values, with its loop in samples.
struct XmMuestra {
    std::vector<int16_t> datos;
    int bucle_inicio, bucle_largo; // samples
    int tipo_bucle;                // 0 none, 1 forward, 2 ping-pong
    int volumen;                   // 0..64
    int afinacion;                 // finetune, -128..127
    int nota_relativa;             // semitones
    int panorama;                  // 0..255
};

// An instrument with one sample and a volume envelope.
struct XmInstrumento {
    std::string nombre;
    XmMuestra muestra;
    std::vector<std::pair<int, int>> envolvente;  // (tick, 0..64) points, at most 12
    int sostenido;                                // sustain point index, -1 none
    int desvanecer;                               // fadeout per tick after key off
    int vib_tipo, vib_barrido, vib_prof, vib_vel; // auto-vibrato
};

// A whole module.
struct XmModulo {
    std::string nombre;
    int canales;
    int velocidad, bpm; // ticks per row; tempo
    int reinicio;       // order index the song loops back to
    std::vector<int> orden;
    std::vector<XmPatron> patrones;
    std::vector<XmInstrumento> instrumentos;
};

// The packed bytes of one pattern's cells.
std::vector<uint8_t> XM_empaqueta(const XmPatron &p, int canales);
// Delta-encodes 16-bit sample values (each stored value is the change from the one before).
std::vector<uint8_t> XM_delta16(const std::vector<int16_t> &v);
// The bytes of a whole module file. Returns an empty vector when the module breaks a limit of
// the format (channels, patterns, instruments, rows, envelope points).
std::vector<uint8_t> XM_escribe(const XmModulo &m);

// Reads a score (text): header settings, instruments, drum map, patterns and the order.
// Returns false and fills *err with the line and reason on a fault.
bool XM_lee_partitura(const std::string &text, XmModulo *m, std::string *err);

// Builds an instrument's sample from a wave name and key=value settings (see instrumentos.cpp).
bool XM_sintetiza(const std::string &onda, const std::vector<std::string> &ajustes,
                  XmInstrumento *ins, std::string *err);
// The playing time of the song from order 0 to its end, in seconds (speed and tempo changes in
// the patterns are not followed).
double XM_duracion(const XmModulo &m);
