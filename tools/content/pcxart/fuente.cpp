// fuente.cpp -- reads a picture source: size, colour legend, text grids, copies and painters.
// SPDX-License-Identifier: MIT
#include "tools/content/pcxart/pcxart.h"
#include <fstream>
#include <map>
#include <sstream>

// What the reader knows while it goes through a source (and its includes).
struct Lectura {
    BITMAP *bmp;
    std::map<char, Rgb> leyenda;
    std::map<std::string, std::vector<std::string>> rejillas;
    int profundidad; // include depth, to stop include loops
};

static std::vector<std::string> palabras(const std::string &linea) {
    std::vector<std::string> out;
    std::istringstream in(linea);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

static bool entero(const std::string &s, int *v) {
    char *end = nullptr;
    long n = strtol(s.c_str(), &end, 10);
    if (s.empty() || *end) return false;
    *v = (int)n;
    return true;
}

static bool enteros(const std::vector<std::string> &w, size_t from, int n, int *out) {
    if (w.size() < from + n) return false;
    for (int i = 0; i < n; i++)
        if (!entero(w[from + i], &out[i])) return false;
    return true;
}

// Draws grid rows at (x, y) with the current legend; '_' leaves a pixel alone.
static bool pinta_rejilla(Lectura *l, const std::vector<std::string> &filas, int x, int y,
                          bool espejo, std::string *err, int escala = 1) {
    for (size_t j = 0; j < filas.size(); j++) {
        const std::string &f = filas[j];
        int w = (int)f.size();
        for (int i = 0; i < w; i++) {
            char ch = f[i];
            if (ch == '_') continue;
            auto it = l->leyenda.find(ch);
            if (it == l->leyenda.end()) {
                *err = std::string("colour '") + ch + "' is not in the legend";
                return false;
            }
            int px = espejo ? w - 1 - i : i;
            caja(l->bmp, x + px * escala, y + (int)j * escala, escala, escala, it->second);
        }
    }
    return true;
}

static void copia(BITMAP *b, int sx, int sy, int w, int h, int dx, int dy, bool espejo) {
    BITMAP *t = create_bitmap_ex(24, w, h);
    caja(t, 0, 0, w, h, PCXA_MAGENTA); // what lies outside the picture copies as mask
    blit(b, t, sx, sy, 0, 0, w, h);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            pon(b, dx + (espejo ? w - 1 - i : i), dy + j, lee(t, i, j));
    destroy_bitmap(t);
}

static bool lee_texto(Lectura *l, const std::string &text, const std::string &dir,
                      const std::string &nombre, std::string *err);

static bool lee_linea(Lectura *l, const std::vector<std::string> &w,
                      const std::vector<std::string> &filas, const std::string &dir,
                      std::string *err) {
    const std::string &cmd = w[0];
    int v[8];
    if (cmd == "size") {
        if (!enteros(w, 1, 2, v) || v[0] < 1 || v[1] < 1 || v[0] > 4096 || v[1] > 4096) {
            *err = "size needs a width and a height";
            return false;
        }
        if (l->bmp) destroy_bitmap(l->bmp);
        l->bmp = create_bitmap_ex(24, v[0], v[1]);
        caja(l->bmp, 0, 0, v[0], v[1], PCXA_MAGENTA);
        return true;
    }
    if (cmd == "include") {
        if (w.size() != 2) {
            *err = "include needs one file";
            return false;
        }
        std::string path = dir + "/" + w[1];
        std::ifstream in(path);
        if (!in) {
            *err = "cannot read " + path;
            return false;
        }
        if (l->profundidad > 8) {
            *err = "includes nest too deep";
            return false;
        }
        std::stringstream ss;
        ss << in.rdbuf();
        l->profundidad++;
        bool ok = lee_texto(l, ss.str(), dir, w[1], err);
        l->profundidad--;
        return ok;
    }
    if (cmd == "color") {
        if (w.size() != 5 || w[1].size() != 1 || !enteros(w, 2, 3, v)) {
            *err = "color needs a character and three numbers";
            return false;
        }
        l->leyenda[w[1][0]] = {v[0], v[1], v[2]};
        return true;
    }
    if (cmd == "define") {
        if (w.size() != 2) {
            *err = "define needs a name";
            return false;
        }
        l->rejillas[w[1]] = filas;
        return true;
    }
    if (!l->bmp) {
        *err = "the picture needs a size first";
        return false;
    }
    if (cmd == "clear") {
        Rgb c = PCXA_MAGENTA;
        if (w.size() == 4 && enteros(w, 1, 3, v))
            c = {v[0], v[1], v[2]};
        else if (!(w.size() == 2 && w[1] == "magenta")) {
            *err = "clear needs magenta or three numbers";
            return false;
        }
        caja(l->bmp, 0, 0, l->bmp->w, l->bmp->h, c);
        return true;
    }
    if (cmd == "grid") {
        if (!enteros(w, 1, 2, v)) {
            *err = "grid needs x and y";
            return false;
        }
        return pinta_rejilla(l, filas, v[0], v[1], false, err);
    }
    if (cmd == "tile") {
        if (!enteros(w, 1, 1, v) || v[0] < 0) {
            *err = "tile needs a cell number";
            return false;
        }
        // optional offset inside the cell, so small things can sit low or centred
        int dx = 0, dy = 0;
        if (w.size() == 4 && (!entero(w[2], &dx) || !entero(w[3], &dy))) {
            *err = "tile offsets must be numbers";
            return false;
        }
        return pinta_rejilla(l, filas, (v[0] % 24) * 16 + dx, (v[0] / 24) * 16 + dy, false, err);
    }
    if (cmd == "put" || cmd == "puttile") {
        int n = cmd == "put" ? 2 : 1;
        if (w.size() < 2 || !enteros(w, 2, n, v)) {
            *err = cmd + " needs a grid name and a place";
            return false;
        }
        auto it = l->rejillas.find(w[1]);
        if (it == l->rejillas.end()) {
            *err = "no grid called " + w[1];
            return false;
        }
        // options after the place: "flip" mirrors, "xN" draws each grid pixel N x N
        bool espejo = false;
        int escala = 1;
        for (size_t k = 2 + n; k < w.size(); k++) {
            if (w[k] == "flip")
                espejo = true;
            else if (w[k].size() > 1 && w[k][0] == 'x' && entero(w[k].substr(1), &escala) &&
                     escala >= 1 && escala <= 16)
                continue;
            else {
                *err = "unknown option " + w[k] + " (flip or x2..x16)";
                return false;
            }
        }
        int x = n == 2 ? v[0] : (v[0] % 24) * 16, y = n == 2 ? v[1] : (v[0] / 24) * 16;
        return pinta_rejilla(l, it->second, x, y, espejo, err, escala);
    }
    if (cmd == "copy" || cmd == "mirror") {
        if (!enteros(w, 1, 6, v) || v[2] < 1 || v[3] < 1 || v[2] > 4096 || v[3] > 4096) {
            *err = cmd + " needs sx sy w h dx dy";
            return false;
        }
        copia(l->bmp, v[0], v[1], v[2], v[3], v[4], v[5], cmd == "mirror");
        return true;
    }
    if (cmd == "copytile" || cmd == "mirrortile") {
        if (!enteros(w, 1, 2, v) || v[0] < 0 || v[1] < 0) {
            *err = cmd + " needs two cell numbers";
            return false;
        }
        copia(l->bmp, (v[0] % 24) * 16, (v[0] / 24) * 16, 16, 16, (v[1] % 24) * 16,
              (v[1] / 24) * 16, cmd == "mirrortile");
        return true;
    }
    if (cmd == "paint") {
        if (w.size() < 2) {
            *err = "paint needs a painter name";
            return false;
        }
        Pintor p = PCXA_busca_pintor(w[1]);
        if (!p) {
            *err = "no painter called " + w[1];
            return false;
        }
        std::vector<std::string> args(w.begin() + 2, w.end());
        std::string e;
        if (!p(l->bmp, args, &e)) {
            *err = w[1] + ": " + e;
            return false;
        }
        return true;
    }
    *err = "unknown command " + cmd;
    return false;
}

// Commands whose grid rows follow them, up to a line "end".
static bool lleva_filas(const std::string &cmd) {
    return cmd == "grid" || cmd == "tile" || cmd == "define";
}

static bool lee_texto(Lectura *l, const std::string &text, const std::string &dir,
                      const std::string &nombre, std::string *err) {
    std::istringstream in(text);
    std::string linea;
    int n = 0;
    while (std::getline(in, linea)) {
        n++;
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        std::vector<std::string> w = palabras(linea);
        if (w.empty() || w[0][0] == '#') continue;
        int inicio = n;
        std::vector<std::string> filas;
        if (lleva_filas(w[0])) {
            bool cerrada = false;
            while (std::getline(in, linea)) {
                n++;
                if (!linea.empty() && linea.back() == '\r') linea.pop_back();
                size_t a = linea.find_first_not_of(" \t");
                if (a == std::string::npos) continue;
                std::string f = linea.substr(a);
                size_t z = f.find_last_not_of(" \t");
                f = f.substr(0, z + 1);
                if (f == "end") {
                    cerrada = true;
                    break;
                }
                filas.push_back(f);
            }
            if (!cerrada) {
                *err = nombre + ":" + std::to_string(inicio) + ": grid without end";
                return false;
            }
        }
        std::string e;
        if (!lee_linea(l, w, filas, dir, &e)) {
            *err = nombre + ":" + std::to_string(inicio) + ": " + e;
            return false;
        }
    }
    return true;
}

BITMAP *PCXA_ejecuta(const std::string &text, const std::string &base_dir, std::string *err) {
    Lectura l;
    l.bmp = nullptr;
    l.profundidad = 0;
    l.leyenda['.'] = PCXA_MAGENTA;
    if (!lee_texto(&l, text, base_dir, "source", err)) {
        if (l.bmp) destroy_bitmap(l.bmp);
        return nullptr;
    }
    if (!l.bmp) {
        *err = "source has no size";
        return nullptr;
    }
    PCXA_protege_mascara(l.bmp);
    return l.bmp;
}
