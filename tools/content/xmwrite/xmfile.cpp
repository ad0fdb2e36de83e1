// xmfile.cpp -- lays out an XM file: header, packed patterns, instruments and delta samples.
// SPDX-License-Identifier: MIT
#include "tools/content/xmwrite/xmwrite.h"
#include <string.h>

static void u8(std::vector<uint8_t> *b, int v) {
    b->push_back((uint8_t)v);
}
static void u16(std::vector<uint8_t> *b, int v) {
    u8(b, v & 0xFF);
    u8(b, (v >> 8) & 0xFF);
}
static void u32(std::vector<uint8_t> *b, uint32_t v) {
    u16(b, (int)(v & 0xFFFF));
    u16(b, (int)(v >> 16));
}
// A text field of exactly n bytes, cut or padded with zeros.
static void texto(std::vector<uint8_t> *b, const std::string &s, size_t n) {
    for (size_t i = 0; i < n; i++)
        u8(b, i < s.size() ? (uint8_t)s[i] : 0);
}

std::vector<uint8_t> XM_empaqueta(const XmPatron &p, int canales) {
    std::vector<uint8_t> b;
    for (int f = 0; f < p.filas; f++)
        for (int c = 0; c < canales; c++) {
            const XmCelda &x = p.celdas[(size_t)f * canales + c];
            int mascara = (x.nota ? 1 : 0) | (x.instrumento ? 2 : 0) | (x.volumen ? 4 : 0) |
                          (x.efecto ? 8 : 0) | (x.parametro ? 16 : 0);
            if (mascara == 31) { // all five: the plain form is as short
                u8(&b, x.nota), u8(&b, x.instrumento), u8(&b, x.volumen);
                u8(&b, x.efecto), u8(&b, x.parametro);
                continue;
            }
            u8(&b, 0x80 | mascara);
            if (x.nota) u8(&b, x.nota);
            if (x.instrumento) u8(&b, x.instrumento);
            if (x.volumen) u8(&b, x.volumen);
            if (x.efecto) u8(&b, x.efecto);
            if (x.parametro) u8(&b, x.parametro);
        }
    return b;
}

std::vector<uint8_t> XM_delta16(const std::vector<int16_t> &v) {
    std::vector<uint8_t> b;
    b.reserve(v.size() * 2);
    int16_t antes = 0;
    for (int16_t s : v) {
        uint16_t d = (uint16_t)((uint16_t)s - (uint16_t)antes);
        u16(&b, d);
        antes = s;
    }
    return b;
}

static void escribe_instrumento(std::vector<uint8_t> *b, const XmInstrumento &ins) {
    const XmMuestra &m = ins.muestra;
    u32(b, 263);
    texto(b, ins.nombre, 22);
    u8(b, 0);
    u16(b, 1);
    u32(b, 40);
    for (int i = 0; i < 96; i++)
        u8(b, 0); // every note plays sample 0
    for (int i = 0; i < 12; i++) {
        bool hay = i < (int)ins.envolvente.size();
        u16(b, hay ? ins.envolvente[i].first : 0);
        u16(b, hay ? ins.envolvente[i].second : 0);
    }
    for (int i = 0; i < 12; i++) { // panning envelope: unused, flat in the middle
        u16(b, i == 0 ? 0 : (i == 1 ? 1 : 0));
        u16(b, i < 2 ? 32 : 0);
    }
    u8(b, (int)ins.envolvente.size());
    u8(b, 2);
    u8(b, ins.sostenido < 0 ? 0 : ins.sostenido);
    u8(b, 0), u8(b, 0);           // volume loop start, end
    u8(b, 0), u8(b, 0), u8(b, 0); // panning sustain, loop start, end
    int tipo = ins.envolvente.empty() ? 0 : (1 | (ins.sostenido >= 0 ? 2 : 0));
    u8(b, tipo);
    u8(b, 0);
    u8(b, ins.vib_tipo), u8(b, ins.vib_barrido), u8(b, ins.vib_prof), u8(b, ins.vib_vel);
    u16(b, ins.desvanecer);
    for (int i = 0; i < 22; i++)
        u8(b, 0);
    // the sample header; lengths are in bytes for 16-bit data
    u32(b, (uint32_t)m.datos.size() * 2);
    u32(b, (uint32_t)(m.tipo_bucle ? m.bucle_inicio * 2 : 0));
    u32(b, (uint32_t)(m.tipo_bucle ? m.bucle_largo * 2 : 0));
    u8(b, m.volumen);
    u8(b, (uint8_t)(int8_t)m.afinacion);
    u8(b, (m.tipo_bucle & 3) | 0x10);
    u8(b, m.panorama);
    u8(b, (uint8_t)(int8_t)m.nota_relativa);
    u8(b, 0);
    texto(b, ins.nombre, 22);
    std::vector<uint8_t> d = XM_delta16(m.datos);
    b->insert(b->end(), d.begin(), d.end());
}

std::vector<uint8_t> XM_escribe(const XmModulo &m) {
    std::vector<uint8_t> b;
    if (m.canales < 2 || m.canales > 32 || m.canales % 2 || m.patrones.size() > 256 ||
        m.instrumentos.size() > 128 || m.orden.empty() || m.orden.size() > 256 || m.reinicio < 0 ||
        m.reinicio >= (int)m.orden.size())
        return b;
    for (int o : m.orden)
        if (o < 0 || o >= (int)m.patrones.size()) return b;
    for (const XmPatron &p : m.patrones)
        if (p.filas < 1 || p.filas > 256 || p.celdas.size() != (size_t)p.filas * m.canales)
            return b;
    for (const XmInstrumento &i : m.instrumentos) {
        const XmMuestra &s = i.muestra;
        if (i.envolvente.size() > 12 || s.datos.empty() ||
            (s.tipo_bucle && (s.bucle_largo < 1 || s.bucle_inicio < 0 ||
                              s.bucle_inicio + s.bucle_largo > (int)s.datos.size())))
            return b;
    }
    texto(&b, "Extended Module: ", 17);
    texto(&b, m.nombre, 20);
    u8(&b, 0x1A);
    texto(&b, "Velumbrina xmwrite", 20);
    u16(&b, 0x0104);
    u32(&b, 276);
    u16(&b, (int)m.orden.size());
    u16(&b, m.reinicio);
    u16(&b, m.canales);
    u16(&b, (int)m.patrones.size());
    u16(&b, (int)m.instrumentos.size());
    u16(&b, 1); // linear frequency table
    u16(&b, m.velocidad);
    u16(&b, m.bpm);
    for (int i = 0; i < 256; i++)
        u8(&b, i < (int)m.orden.size() ? m.orden[i] : 0);
    for (const XmPatron &p : m.patrones) {
        std::vector<uint8_t> d = XM_empaqueta(p, m.canales);
        u32(&b, 9);
        u8(&b, 0);
        u16(&b, p.filas);
        u16(&b, (int)d.size());
        b.insert(b.end(), d.begin(), d.end());
    }
    for (const XmInstrumento &i : m.instrumentos)
        escribe_instrumento(&b, i);
    return b;
}

double XM_duracion(const XmModulo &m) {
    double filas = 0;
    for (int o : m.orden)
        if (o >= 0 && o < (int)m.patrones.size()) filas += m.patrones[o].filas;
    return filas * m.velocidad * 2.5 / m.bpm;
}
