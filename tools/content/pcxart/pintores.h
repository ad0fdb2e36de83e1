// pintores.h -- the code-drawn painters the picture sources call by name ("paint NAME ...").
// SPDX-License-Identifier: MIT
#pragma once
#include "tools/content/pcxart/pcxart.h"

// Reads a whole decimal number argument.
bool arg_entero(const std::string &s, int *v);
// Copies sheet cell a to cell b (24-wide sheet of 16 x 16 cells).
void copia_tile(BITMAP *b, int a, int c);

// Generic shapes (pintores.cpp).
bool pinta_rect(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_degradado(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_bisel(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_texto(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_ruido(BITMAP *b, const std::vector<std::string> &args, std::string *err);

// Tile surfaces (texturas.cpp).
bool pinta_muros(BITMAP *b, const std::vector<std::string> &args, std::string *err);
// Translucent bodies and their frames (cristales.cpp).
bool pinta_cristales(BITMAP *b, const std::vector<std::string> &args, std::string *err);
// Platforms and the pushable block (plataformas.cpp).
bool pinta_plataformas(BITMAP *b, const std::vector<std::string> &args, std::string *err);

// Whole pictures (escenas.cpp, luces.cpp, fondos.cpp, interfaz.cpp).
bool pinta_splash(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_logo(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_titulo(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_menu_fondo(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_halo(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_anti_halo(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_rayos(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_fancy(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_nubes(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_fondo(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_marco(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_barra(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_panel(BITMAP *b, const std::vector<std::string> &args, std::string *err);
bool pinta_boton(BITMAP *b, const std::vector<std::string> &args, std::string *err);
