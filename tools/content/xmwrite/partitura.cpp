// partitura.cpp -- reads a text score: settings, instruments, a drum map, patterns written as
// one line of notes per channel (octaves, lengths, rests, ties, repeats) and the song order.
// SPDX-License-Identifier: MIT
#include "tools/content/xmwrite/xmwrite.h"
#include <ctype.h>
#include <map>
#include <sstream>
#include <stdlib.h>

// A drum letter: which instrument it strikes, on which note, how loud.
struct Golpe {
    int instrumento, nota, volumen;
};

// What the reader keeps while going through a score.
struct Lector {
    XmModulo *m;
    std::map<std::string, int> instrumentos; // name -> 1-based number
    std::map<char, Golpe> golpes;
    std::map<std::string, int> patrones;
    int filas_por_defecto;
};

// Where one channel's line has got to inside a pattern.
struct Voz {
    int fila, octava, largo, volumen, arpegio, vibrato;
    bool suena;
    int nota_fila; // row where the sounding note started
};

static std::string minusculas(std::string s) {
    for (char &c : s)
        c = (char)tolower((unsigned char)c);
    return s;
}

// "C-4", "C#4", "db5" -> XM note number (C-0 = 1), or 0 when not a note.
static int nota_de_nombre(const std::string &s) {
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (s.size() != 3) return 0;
    char l = (char)tolower((unsigned char)s[0]);
    if (l < 'a' || l > 'g' || !isdigit((unsigned char)s[2])) return 0;
    int n = base[l - 'a'];
    if (s[1] == '#')
        n++;
    else if (s[1] == 'b')
        n--;
    else if (s[1] != '-')
        return 0;
    int nota = (s[2] - '0') * 12 + n + 1;
    return nota >= 1 && nota <= 96 ? nota : 0;
}

// Expands [ ... ]N repeats (they may nest).
static bool expande(const std::string &s, std::string *out, std::string *err) {
    size_t cierre = s.find(']');
    if (cierre == std::string::npos) {
        if (s.find('[') != std::string::npos) {
            *err = "'[' without ']'";
            return false;
        }
        *out = s;
        return true;
    }
    size_t abre = s.rfind('[', cierre);
    if (abre == std::string::npos) {
        *err = "']' without '['";
        return false;
    }
    size_t k = cierre + 1;
    int veces = 0;
    while (k < s.size() && isdigit((unsigned char)s[k]))
        veces = veces * 10 + (s[k++] - '0');
    if (veces < 1 || veces > 64) {
        *err = "a repeat needs a count 1..64 after ']'";
        return false;
    }
    std::string dentro = s.substr(abre + 1, cierre - abre - 1), rep;
    for (int i = 0; i < veces; i++)
        rep += dentro + " ";
    return expande(s.substr(0, abre) + rep + s.substr(k), out, err);
}

// Reads a length after a note, rest or tie: 1, 2, 4, 8, 16 (rows = 16 / n), a dot for half as
// long again, or *N for N rows. Without one, the voice's default length.
static bool lee_largo(const std::string &s, size_t *i, int defecto, int *filas, std::string *err) {
    if (*i < s.size() && s[*i] == '*') {
        (*i)++;
        int n = 0;
        while (*i < s.size() && isdigit((unsigned char)s[*i]))
            n = n * 10 + (s[(*i)++] - '0');
        if (n < 1) {
            *err = "'*' needs a row count";
            return false;
        }
        *filas = n;
        return true;
    }
    int f = defecto;
    if (*i < s.size() && isdigit((unsigned char)s[*i])) {
        int n = 0;
        while (*i < s.size() && isdigit((unsigned char)s[*i]))
            n = n * 10 + (s[(*i)++] - '0');
        if (n < 1 || n > 16 || 16 % n) {
            *err = "lengths are 1, 2, 4, 8 or 16";
            return false;
        }
        f = 16 / n;
    }
    if (*i < s.size() && s[*i] == '.') {
        (*i)++;
        if (f % 2) {
            *err = "this length cannot be dotted";
            return false;
        }
        f += f / 2;
    }
    *filas = f;
    return true;
}

static int hex2(const std::string &s, size_t *i) {
    int v = 0, n = 0;
    while (*i < s.size() && n < 2 && isxdigit((unsigned char)s[*i])) {
        char c = (char)tolower((unsigned char)s[(*i)++]);
        v = v * 16 + (isdigit((unsigned char)c) ? c - '0' : c - 'a' + 10);
        n++;
    }
    return v;
}

static XmCelda *celda(XmPatron *p, int canales, int fila, int canal) {
    return &p->celdas[(size_t)fila * canales + canal];
}

// Marks the rows a note lasts with its running effect (arpeggio, or vibrato after two rows).
static void efecto_de_nota(XmPatron *p, int canales, int canal, const Voz &v, int desde,
                           int filas) {
    for (int f = desde; f < desde + filas; f++) {
        XmCelda *c = celda(p, canales, f, canal);
        if (v.arpegio) {
            c->efecto = 0x00;
            c->parametro = (uint8_t)v.arpegio;
        } else if (v.vibrato && f - v.nota_fila >= 2) {
            c->efecto = 0x04;
            c->parametro = (uint8_t)v.vibrato;
        }
    }
}

static bool lee_notas(Lector *l, XmPatron *p, int canal, int instrumento, const std::string &texto,
                      Voz *v, std::string *err) {
    std::string s;
    if (!expande(minusculas(texto), &s, err)) return false;
    int canales = l->m->canales;
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7};
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (isspace((unsigned char)c) || c == '|') {
            i++;
            continue;
        }
        if (c == 'o' || c == 'l' || c == 'v') {
            i++;
            int n = 0, d = 0;
            while (i < s.size() && isdigit((unsigned char)s[i]))
                n = n * 10 + (s[i++] - '0'), d++;
            if (!d) {
                *err = std::string("'") + c + "' needs a number";
                return false;
            }
            if (c == 'o') {
                if (n > 7) {
                    *err = "octaves are 0..7";
                    return false;
                }
                v->octava = n;
            } else if (c == 'l') {
                if (n < 1 || n > 16 || 16 % n) {
                    *err = "lengths are 1, 2, 4, 8 or 16";
                    return false;
                }
                v->largo = 16 / n;
            } else {
                if (n > 64) {
                    *err = "volumes are 0..64";
                    return false;
                }
                v->volumen = n;
            }
            continue;
        }
        if (c == '>' || c == '<') {
            v->octava += c == '>' ? 1 : -1;
            i++;
            if (v->octava < 0 || v->octava > 7) {
                *err = "octave out of 0..7";
                return false;
            }
            continue;
        }
        if (c == '@' || c == '~') {
            i++;
            int h = hex2(s, &i);
            if (c == '@')
                v->arpegio = h;
            else
                v->vibrato = h;
            continue;
        }
        int filas = 0;
        if (c == 'r' || c == '^') {
            i++;
            if (!lee_largo(s, &i, v->largo, &filas, err)) return false;
            if (v->fila + filas > p->filas) {
                *err = "the line runs past the pattern's end";
                return false;
            }
            if (c == 'r') {
                if (v->suena) celda(p, canales, v->fila, canal)->nota = 97;
                v->suena = false;
            } else if (v->suena)
                efecto_de_nota(p, canales, canal, *v, v->fila, filas);
            v->fila += filas;
            continue;
        }
        if (c >= 'a' && c <= 'g') {
            i++;
            int n = base[c - 'a'];
            while (i < s.size() && (s[i] == '+' || s[i] == '#' || s[i] == '-'))
                n += s[i++] == '-' ? -1 : 1;
            if (!lee_largo(s, &i, v->largo, &filas, err)) return false;
            int nota = v->octava * 12 + n + 1;
            if (nota < 1 || nota > 96) {
                *err = "note out of the module's range";
                return false;
            }
            if (v->fila + filas > p->filas) {
                *err = "the line runs past the pattern's end";
                return false;
            }
            XmCelda *x = celda(p, canales, v->fila, canal);
            x->nota = (uint8_t)nota;
            x->instrumento = (uint8_t)instrumento;
            if (v->volumen >= 0) x->volumen = (uint8_t)(0x10 + v->volumen);
            v->suena = true;
            v->nota_fila = v->fila;
            efecto_de_nota(p, canales, canal, *v, v->fila, filas);
            v->fila += filas;
            continue;
        }
        *err = std::string("unexpected '") + c + "' in the notes";
        return false;
    }
    return true;
}

static bool lee_golpes(Lector *l, XmPatron *p, int canal, const std::string &texto, Voz *v,
                       std::string *err) {
    int canales = l->m->canales;
    for (char c : texto) {
        if (isspace((unsigned char)c) || c == '|') continue;
        if (v->fila >= p->filas) {
            *err = "the drum line runs past the pattern's end";
            return false;
        }
        if (c != '.') {
            auto it = l->golpes.find(c);
            if (it == l->golpes.end()) {
                *err = std::string("no drum called '") + c + "'";
                return false;
            }
            XmCelda *x = celda(p, canales, v->fila, canal);
            x->nota = (uint8_t)it->second.nota;
            x->instrumento = (uint8_t)it->second.instrumento;
            x->volumen = (uint8_t)(0x10 + it->second.volumen);
        }
        v->fila++;
    }
    return true;
}

// An echo: one channel's notes copied onto another, delayed and softer.
struct Eco {
    int origen, canal, retraso, volumen, instrumento;
};

static void aplica_eco(XmPatron *p, int canales, const Eco &e) {
    for (int f = p->filas - 1; f >= e.retraso; f--) {
        const XmCelda *o = celda(p, canales, f - e.retraso, e.origen);
        XmCelda *d = celda(p, canales, f, e.canal);
        if (!o->nota) continue;
        d->nota = o->nota;
        d->instrumento = o->nota == 97 ? 0 : (uint8_t)e.instrumento;
        d->volumen = o->nota == 97 ? 0 : (uint8_t)(0x10 + e.volumen);
    }
}

static bool numero(const std::string &s, int *v) {
    char *end = nullptr;
    long n = strtol(s.c_str(), &end, 10);
    if (s.empty() || *end) return false;
    *v = (int)n;
    return true;
}

bool XM_lee_partitura(const std::string &text, XmModulo *m, std::string *err) {
    *m = XmModulo();
    m->nombre = "";
    m->canales = 8, m->velocidad = 6, m->bpm = 125, m->reinicio = 0;
    Lector l;
    l.m = m;
    l.filas_por_defecto = 64;
    std::istringstream in(text);
    std::string linea;
    int n = 0;
    XmPatron *actual = nullptr;
    std::map<int, Voz> voces;
    std::vector<Eco> ecos;
    auto falla = [&](const std::string &e) {
        *err = "line " + std::to_string(n) + ": " + e;
        return false;
    };
    while (std::getline(in, linea)) {
        n++;
        size_t hash = linea.find('#');
        if (hash != std::string::npos) linea = linea.substr(0, hash);
        std::istringstream ls(linea);
        std::vector<std::string> w;
        std::string x;
        while (ls >> x)
            w.push_back(x);
        if (w.empty()) continue;
        if (actual) {
            if (w[0] == "end") {
                // every written line must fill its pattern: a short one is a slip of the pen
                for (auto &e : voces)
                    if (e.second.fila != actual->filas)
                        return falla("channel " + std::to_string(e.first) + " of pattern " +
                                     actual->nombre + " fills " + std::to_string(e.second.fila) +
                                     " of " + std::to_string(actual->filas) + " rows");
                for (const Eco &e : ecos)
                    aplica_eco(actual, m->canales, e);
                ecos.clear();
                actual = nullptr;
                continue;
            }
            // "CH NAME: notes" -- NAME is an instrument, or "drums"
            size_t colon = linea.find(':');
            int canal;
            if (colon == std::string::npos || w.size() < 2 || !numero(w[0], &canal) || canal < 1 ||
                canal > m->canales)
                return falla("expected 'channel instrument: notes' or 'end'");
            std::string nombre = w[1].substr(0, w[1].find(':'));
            std::string resto = linea.substr(colon + 1);
            if (!voces.count(canal))
                voces[canal] = Voz{0, 4, 4,    -1,
                                   0, 0, true, 0}; // a note may ring on from the pattern before: a
                                                   // first rest keys it off
            Voz *v = &voces[canal];
            std::string e;
            bool ok;
            std::istringstream rs(resto);
            std::string primera;
            rs >> primera;
            if (primera == "echo") {
                // "CH INSTR: echo SOURCE DELAY VOLUME": the source channel's notes again, later
                // and softer, on this channel's instrument
                Eco eco;
                auto it = l.instrumentos.find(nombre);
                if (it == l.instrumentos.end()) return falla("no instrument called " + nombre);
                if (!(rs >> eco.origen >> eco.retraso >> eco.volumen) || eco.origen < 1 ||
                    eco.origen > m->canales || eco.origen == canal || eco.retraso < 1 ||
                    eco.volumen < 0 || eco.volumen > 64)
                    return falla("echo needs a source channel, a delay in rows and a volume");
                eco.origen--;
                eco.canal = canal - 1;
                eco.instrumento = it->second;
                ecos.push_back(eco);
                voces.erase(canal);
                continue;
            }
            if (nombre == "drums")
                ok = lee_golpes(&l, actual, canal - 1, resto, v, &e);
            else {
                auto it = l.instrumentos.find(nombre);
                if (it == l.instrumentos.end()) return falla("no instrument called " + nombre);
                ok = lee_notas(&l, actual, canal - 1, it->second, resto, v, &e);
            }
            if (!ok) return falla(e);
            continue;
        }
        const std::string &cmd = w[0];
        int v = 0;
        if (cmd == "name") {
            m->nombre = linea.substr(linea.find("name") + 5);
        } else if (cmd == "channels" || cmd == "speed" || cmd == "bpm" || cmd == "restart" ||
                   cmd == "rows") {
            if (w.size() != 2 || !numero(w[1], &v)) return falla(cmd + " needs a number");
            if (cmd == "channels") {
                if (v < 2 || v > 32 || v % 2 || !m->patrones.empty())
                    return falla("channels: an even number 2..32, before any pattern");
                m->canales = v;
            } else if (cmd == "speed") {
                if (v < 1 || v > 31) return falla("speed is 1..31");
                m->velocidad = v;
            } else if (cmd == "bpm") {
                if (v < 32 || v > 255) return falla("bpm is 32..255");
                m->bpm = v;
            } else if (cmd == "restart")
                m->reinicio = v;
            else {
                if (v < 1 || v > 256) return falla("rows is 1..256");
                l.filas_por_defecto = v;
            }
        } else if (cmd == "instrument") {
            if (w.size() < 3) return falla("instrument needs a name and a wave");
            if (l.instrumentos.count(w[1]) || w[1] == "drums")
                return falla("instrument name used twice: " + w[1]);
            if (m->instrumentos.size() >= 128) return falla("too many instruments");
            XmInstrumento ins;
            ins.nombre = w[1];
            std::string e;
            if (!XM_sintetiza(w[2], std::vector<std::string>(w.begin() + 3, w.end()), &ins, &e))
                return falla(w[1] + ": " + e);
            m->instrumentos.push_back(ins);
            l.instrumentos[w[1]] = (int)m->instrumentos.size();
        } else if (cmd == "drum") {
            // drum LETTER INSTRUMENT NOTE VOLUME
            int vol;
            if (w.size() != 5 || w[1].size() != 1 || !numero(w[4], &vol) || vol < 0 || vol > 64)
                return falla("drum needs a letter, an instrument, a note and a volume 0..64");
            auto it = l.instrumentos.find(w[2]);
            int nota = nota_de_nombre(w[3]);
            if (it == l.instrumentos.end() || !nota)
                return falla("drum: unknown instrument or bad note");
            l.golpes[w[1][0]] = Golpe{it->second, nota, vol};
        } else if (cmd == "pattern") {
            int filas = l.filas_por_defecto;
            if (w.size() < 2 || w.size() > 3 ||
                (w.size() == 3 && (!numero(w[2], &filas) || filas < 1 || filas > 256)))
                return falla("pattern needs a name and maybe a row count");
            if (l.patrones.count(w[1])) return falla("pattern name used twice: " + w[1]);
            if (m->patrones.size() >= 256) return falla("too many patterns");
            XmPatron p;
            p.nombre = w[1];
            p.filas = filas;
            p.celdas.assign((size_t)filas * m->canales, XmCelda{0, 0, 0, 0, 0});
            m->patrones.push_back(p);
            l.patrones[w[1]] = (int)m->patrones.size() - 1;
            actual = &m->patrones.back();
            voces.clear();
        } else if (cmd == "order") {
            for (size_t i = 1; i < w.size(); i++) {
                auto it = l.patrones.find(w[i]);
                if (it == l.patrones.end()) return falla("order: no pattern called " + w[i]);
                m->orden.push_back(it->second);
            }
        } else
            return falla("unknown command " + cmd);
    }
    if (actual) return falla("pattern without end");
    if (m->orden.empty()) return falla("the score has no order");
    if (m->reinicio < 0 || m->reinicio >= (int)m->orden.size())
        return falla("restart is beyond the order");
    return true;
}
