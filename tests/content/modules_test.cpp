// modules_test.cpp -- the music modules read back with our own parser: header, patterns and
// their packing, instruments, delta-coded samples; song lengths; the writer's score reading;
// and a module really playing through SDL_mixer.
#include <gtest/gtest.h>
#include "contenido.h"
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

namespace {

struct Celda {
    int nota, ins, vol, fx, par;
};

struct Muestra {
    uint32_t largo, bucle_ini, bucle_largo;
    int vol, tipo, nota_rel;
    std::vector<int16_t> datos; // decoded
};

// A module read back from its bytes.
struct Modulo {
    std::string nombre;
    int largo, reinicio, canales, npat, nins, flags, speed, bpm;
    std::vector<int> orden;
    std::vector<int> filas;
    std::vector<std::vector<Celda>> patrones; // filas * canales each
    std::vector<Muestra> muestras;            // one per instrument
    std::vector<int> env_puntos;
};

// Parses an XM file strictly; any inconsistency is reported in *err.
bool lee_xm(const std::vector<uint8_t> &b, Modulo *m, std::string *err) {
    if (b.size() < 336 || memcmp(b.data(), "Extended Module: ", 17) || b[37] != 0x1A) {
        *err = "bad magic";
        return false;
    }
    if (ct_u16(b, 58) != 0x0104 || ct_u32(b, 60) != 276) {
        *err = "bad version or header size";
        return false;
    }
    m->nombre = std::string((const char *)b.data() + 17, strnlen((const char *)b.data() + 17, 20));
    m->largo = ct_u16(b, 64), m->reinicio = ct_u16(b, 66), m->canales = ct_u16(b, 68);
    m->npat = ct_u16(b, 70), m->nins = ct_u16(b, 72), m->flags = ct_u16(b, 74);
    m->speed = ct_u16(b, 76), m->bpm = ct_u16(b, 78);
    for (int i = 0; i < m->largo; i++)
        m->orden.push_back(b[80 + i]);
    size_t p = 60 + 276;
    for (int k = 0; k < m->npat; k++) {
        if (ct_u32(b, p) != 9 || b[p + 4] != 0) {
            *err = "pattern header " + std::to_string(k);
            return false;
        }
        int filas = ct_u16(b, p + 5);
        size_t tam = ct_u16(b, p + 7), q = p + 9, fin = q + tam;
        if (fin > b.size() || filas < 1 || filas > 256) {
            *err = "pattern " + std::to_string(k) + " runs past the file";
            return false;
        }
        std::vector<Celda> celdas;
        for (int i = 0; i < filas * m->canales; i++) {
            Celda c = {0, 0, 0, 0, 0};
            if (q >= fin) {
                *err = "pattern " + std::to_string(k) + " has too few cells";
                return false;
            }
            int x = b[q++];
            if (x & 0x80) {
                if (x & 1) c.nota = b[q++];
                if (x & 2) c.ins = b[q++];
                if (x & 4) c.vol = b[q++];
                if (x & 8) c.fx = b[q++];
                if (x & 16) c.par = b[q++];
            } else {
                c.nota = x, c.ins = b[q], c.vol = b[q + 1], c.fx = b[q + 2], c.par = b[q + 3];
                q += 4;
            }
            celdas.push_back(c);
        }
        if (q != fin) {
            *err = "pattern " + std::to_string(k) + " packed size does not match its cells";
            return false;
        }
        m->filas.push_back(filas);
        m->patrones.push_back(celdas);
        p = fin;
    }
    for (int k = 0; k < m->nins; k++) {
        uint32_t tam = ct_u32(b, p);
        int n = ct_u16(b, p + 27);
        if (n != 1 || tam != 263 || ct_u32(b, p + 29) != 40) {
            *err = "instrument " + std::to_string(k) + " header";
            return false;
        }
        m->env_puntos.push_back(b[p + 225]);
        size_t h = p + tam;
        Muestra s;
        s.largo = ct_u32(b, h), s.bucle_ini = ct_u32(b, h + 4), s.bucle_largo = ct_u32(b, h + 8);
        s.vol = b[h + 12], s.tipo = b[h + 14], s.nota_rel = (int8_t)b[h + 16];
        size_t d = h + 40;
        if (d + s.largo > b.size() || (s.tipo & 3 && s.bucle_ini + s.bucle_largo > s.largo)) {
            *err = "sample " + std::to_string(k) + " runs past its end";
            return false;
        }
        int16_t v = 0;
        for (size_t i = 0; i + 1 < s.largo; i += 2) {
            v = (int16_t)(v + (int16_t)ct_u16(b, d + i));
            s.datos.push_back(v);
        }
        m->muestras.push_back(s);
        p = d + s.largo;
    }
    if (p != b.size()) {
        *err = "bytes left after the last instrument";
        return false;
    }
    return true;
}

double segundos(const Modulo &m) {
    double filas = 0;
    for (int o : m.orden)
        filas += m.filas[o];
    return filas * m.speed * 2.5 / m.bpm;
}

} // namespace

// Both modules parse back whole: 4 to 8 channels, linear frequencies, a restart inside the
// song, valid notes and instruments, sane samples; and each plays over a minute before looping.
TEST(Modules, BothModulesAreWellFormedAndLongerThanAMinute) {
    for (const char *n : {"Title.XM", "velba1.xm"}) {
        Modulo m;
        std::string err;
        std::vector<uint8_t> b = ct_read(ct_resource(n));
        ASSERT_TRUE(lee_xm(b, &m, &err)) << n << ": " << err;
        EXPECT_GE(m.canales, 4) << n;
        EXPECT_LE(m.canales, 8) << n;
        EXPECT_EQ(m.canales % 2, 0) << n;
        EXPECT_EQ(m.flags & 1, 1) << n;
        EXPECT_LT(m.reinicio, m.largo) << n;
        EXPECT_GT(m.reinicio, -1) << n;
        EXPECT_GE(segundos(m), 60.0) << n;
        for (int o : m.orden)
            EXPECT_LT(o, m.npat) << n;
        std::vector<int> notas_por_canal(m.canales, 0);
        for (size_t k = 0; k < m.patrones.size(); k++)
            for (size_t i = 0; i < m.patrones[k].size(); i++) {
                const Celda &c = m.patrones[k][i];
                EXPECT_LE(c.nota, 97) << n;
                EXPECT_LE(c.ins, m.nins) << n;
                EXPECT_TRUE(c.vol == 0 || (c.vol >= 0x10 && c.vol <= 0x50)) << n;
                if (c.nota >= 1 && c.nota <= 96) {
                    EXPECT_GT(c.ins, 0) << n << " a note without its instrument";
                    notas_por_canal[i % m.canales]++;
                }
            }
        int canales_usados = 0;
        for (int v : notas_por_canal)
            canales_usados += v > 0;
        EXPECT_GE(canales_usados, 4) << n << ": melody, bass, chords and drums";
        for (size_t k = 0; k < m.muestras.size(); k++) {
            const Muestra &s = m.muestras[k];
            EXPECT_EQ(s.tipo & 0x10, 0x10) << n << " sample " << k << " is 16-bit";
            int pico = 0;
            for (int16_t v : s.datos)
                pico = std::max(pico, abs((int)v));
            EXPECT_GT(pico, 8000) << n << " sample " << k << " is silent";
            if (s.tipo & 3) { // the loop joins with no bigger step than the wave takes itself
                size_t ini = s.bucle_ini / 2, fin = (s.bucle_ini + s.bucle_largo) / 2;
                int paso = 0;
                for (size_t i = ini + 1; i < fin; i++)
                    paso = std::max(paso, abs(s.datos[i] - s.datos[i - 1]));
                EXPECT_LE(abs(s.datos[fin - 1] - s.datos[ini]), paso + paso / 8)
                    << n << " sample " << k << " clicks at its loop";
                EXPECT_GT(m.env_puntos[k], 1) << n << " looped sound needs an envelope to end";
            }
        }
    }
}

// A small score comes out as the notes it says: octaves, lengths, rests as key off, held
// notes, volumes, arpeggio rows, drum steps, echoes; empty cells pack to one byte.
TEST(Modules, ScoreBecomesTheNotesItSays) {
    std::string d = ct_scratch("xm");
    ct_write(d + "/s.txt", "name Test\nchannels 4\nspeed 5\nbpm 150\nrows 16\nrestart 1\n"
                           "instrument lead square vol=40\n"
                           "instrument kick kick\n"
                           "drum k kick C-4 50\n"
                           "pattern one\n"
                           "1 lead: o4 c4 r4 | d+8 ^8 v20 >e4\n"
                           "2 lead: @37 o3 a2 @0 l16 r*8\n"
                           "3 drums: k...k...|k.k.....\n"
                           "4 lead: echo 1 2 10\n"
                           "end\n"
                           "pattern two 32\n"
                           "1 lead: [c8 d8]8\n"
                           "3 lead: r1 r1\n"
                           "end\n"
                           "order one two one\n");
    std::string err;
    ASSERT_EQ(ct_run("xmwrite", d + "/s.txt", d + "/s.xm", &err), 0) << err;
    std::vector<uint8_t> b = ct_read(d + "/s.xm");
    Modulo m;
    ASSERT_TRUE(lee_xm(b, &m, &err)) << err;
    EXPECT_EQ(m.nombre, "Test");
    EXPECT_EQ(m.canales, 4);
    EXPECT_EQ(m.speed, 5);
    EXPECT_EQ(m.bpm, 150);
    EXPECT_EQ(m.reinicio, 1);
    EXPECT_EQ(m.orden, (std::vector<int>{0, 1, 0}));
    ASSERT_EQ(m.filas, (std::vector<int>{16, 32}));
    auto at = [&](int pat, int fila, int canal) { return m.patrones[pat][fila * 4 + canal]; };
    EXPECT_EQ(at(0, 0, 0).nota, 49); // C-4
    EXPECT_EQ(at(0, 0, 0).ins, 1);
    EXPECT_EQ(at(0, 4, 0).nota, 97);  // the rest keys off
    EXPECT_EQ(at(0, 8, 0).nota, 52);  // D#4
    EXPECT_EQ(at(0, 10, 0).nota, 0);  // held
    EXPECT_EQ(at(0, 12, 0).nota, 65); // E-5
    EXPECT_EQ(at(0, 12, 0).vol, 0x10 + 20);
    EXPECT_EQ(at(0, 0, 1).nota, 46);
    for (int f = 0; f < 8; f++) {
        EXPECT_EQ(at(0, f, 1).fx, 0);
        EXPECT_EQ(at(0, f, 1).par, 0x37) << "arpeggio on every row of the note";
    }
    EXPECT_EQ(at(0, 8, 1).nota, 97);
    EXPECT_EQ(at(0, 9, 1).par, 0);
    for (int f : {0, 4, 8, 10})
        EXPECT_EQ(at(0, f, 2).ins, 2) << "drum step " << f;
    EXPECT_EQ(at(0, 0, 2).vol, 0x10 + 50);
    EXPECT_EQ(at(0, 0, 2).nota, 49);
    EXPECT_EQ(at(0, 2, 2).nota, 0);
    EXPECT_EQ(at(0, 2, 3).nota, 49) << "the echo follows two rows later";
    EXPECT_EQ(at(0, 2, 3).vol, 0x10 + 10);
    EXPECT_EQ(at(0, 6, 3).nota, 97);
    EXPECT_EQ(at(1, 30, 0).nota, 51) << "repeats fill the longer pattern";
    EXPECT_EQ(at(1, 0, 2).nota, 97) << "a line's first rest stops what rang on from before";
    EXPECT_EQ(at(1, 16, 2).nota, 0) << "only once";
    // row 9 of pattern 0 holds nothing in any channel: each of its cells packs to one byte
    size_t p = 60 + 276 + 9;
    for (int i = 0; i < 9 * 4; i++) { // step over rows 0..8 cell by cell
        int x = b[p];
        p += (x & 0x80) ? 1 + __builtin_popcount(x & 31) : 5;
    }
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(b[p + i], 0x80) << "an empty cell packs to one byte";
    // the square sample is a seamless loop whose delta decoding gives a real wave
    const Muestra &s = m.muestras[0];
    EXPECT_EQ(s.tipo & 3, 1);
    EXPECT_EQ(s.nota_rel, 12);
    int positivos = 0;
    for (int16_t v : s.datos)
        positivos += v > 0;
    EXPECT_NEAR((double)positivos / s.datos.size(), 0.5, 0.1) << "a square wave half up";
    EXPECT_EQ(m.muestras[1].tipo & 3, 0) << "drums play once";
}

// Faults in a score stop the build and say where.
TEST(Modules, ScoreFaultsAreNamed) {
    std::string d = ct_scratch("xm_bad");
    const char *cab = "channels 4\nrows 16\ninstrument a square\n";
    struct {
        std::string cuerpo, espera;
    } casos[] = {
        {"pattern p\n1 a: c1 c8\nend\norder p\n", "line 5: the line runs past"},
        {"pattern p\n1 a: c2\nend\norder p\n", "fills 8 of 16 rows"},
        {"pattern p\n1 b: c1\nend\norder p\n", "no instrument called b"},
        {"pattern p\n1 a: c3\nend\norder p\n", "lengths are"},
        {"pattern p\n9 a: c1\nend\norder p\n", "line 5"},
        {"pattern p\n1 a: c1\nend\norder q\n", "no pattern called q"},
        {"pattern p\n1 a: c1\nend\n", "no order"},
        {"pattern p\n1 drums: k\nend\norder p\n", "no drum called"},
        {"instrument z hum\n", "unknown wave"},
        {"pattern p\n1 a: o9 c1\nend\norder p\n", "octaves"},
    };
    for (auto &c : casos) {
        ct_write(d + "/bad.txt", cab + c.cuerpo);
        std::string err;
        EXPECT_NE(ct_run("xmwrite", d + "/bad.txt", d + "/bad.xm", &err), 0) << c.cuerpo;
        EXPECT_NE(err.find(c.espera), std::string::npos) << c.cuerpo << " gave " << err;
    }
}

// The title song loads in SDL_mixer (through its module player) and sounds: the disk audio
// driver's output is far from silent.
TEST(Modules, TitleSongPlaysAloudThroughTheMixer) {
    std::string d = ct_scratch("xm_play");
    std::string raw = d + "/out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    Mix_Music *mus = Mix_LoadMUS(ct_resource("Title.XM").c_str());
    ASSERT_NE(mus, nullptr) << Mix_GetError();
    ASSERT_EQ(Mix_PlayMusic(mus, -1), 0);
    struct stat st;
    // wait for about 16 seconds of output (the disk driver runs faster than real time)
    for (int i = 0; i < 2000; i++) {
        if (stat(raw.c_str(), &st) == 0 && st.st_size > 22050 * 4 * 16) break;
        SDL_Delay(5);
    }
    Mix_HaltMusic();
    Mix_FreeMusic(mus);
    Mix_CloseAudio();
    SDL_Quit();
    std::vector<uint8_t> b = ct_read(raw);
    ASSERT_GT(b.size(), 22050u * 4 * 8);
    double suma = 0;
    size_t n = 0;
    for (size_t i = 22050 * 4 * 4; i + 1 < b.size(); i += 2, n++) { // skip the quiet intro
        double v = (int16_t)ct_u16(b, i);
        suma += v * v;
    }
    EXPECT_GT(sqrt(suma / n), 1000.0);
    remove(raw.c_str());
}
