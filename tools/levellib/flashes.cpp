// flashes.cpp -- counting flashes frame by frame over relative luminance.
// SPDX-License-Identifier: MIT
#include "tools/levellib/flashes.h"
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <algorithm>

// Relative luminance of an 8-bit sRGB colour, its channels linearised.
static float luminance(int r, int g, int b) {
    auto linear = [](int c) {
        double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : pow((v + 0.055) / 1.055, 2.4);
    };
    return (float)(0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b));
}

// Every 16-bit colour's relative luminance, computed once: the frames are mostly 16-bit.
static const std::vector<float> &luminance16() {
    static std::vector<float> table;
    if (table.empty())
        for (int p = 0; p < 65536; p++)
            table.push_back(luminance(getr16(p), getg16(p), getb16(p)));
    return table;
}

void FLASH_scene(FlashMeter *m, const std::string &where) {
    m->before.clear();
    m->where = where;
    m->frame = 0;
    m->last_dir = 0;
    m->flashes.clear();
}

void FLASH_frame(FlashMeter *m, BITMAP *b) {
    std::vector<float> now((size_t)(b->w * b->h));
    int depth = bitmap_color_depth(b);
    const std::vector<float> &lum16 = luminance16();
    for (int y = 0; y < b->h; y++) {
        float *out = &now[(size_t)(y * b->w)];
        if (depth == 16 && is_memory_bitmap(b)) { // the game's frames: read as they are stored
            const uint16_t *row = (const uint16_t *)b->line[y];
            for (int x = 0; x < b->w; x++)
                out[x] = lum16[row[x]];
            continue;
        }
        for (int x = 0; x < b->w; x++) {
            int c = getpixel(b, x, y);
            out[x] = luminance(getr_depth(depth, c), getg_depth(depth, c), getb_depth(depth, c));
        }
    }
    m->frame++;
    if (m->before.size() != now.size()) {
        m->before.swap(now);
        return;
    }
    int up = 0, down = 0;
    for (size_t i = 0; i < now.size(); i++) {
        float a = m->before[i], c = now[i];
        up += c - a >= 0.1f && a < 0.8f;
        down += a - c >= 0.1f && c < 0.8f;
    }
    m->before.swap(now);
    int area = b->w * b->h, share = (int)(1000LL * std::max(up, down) / area);
    if (share > m->most) {
        m->most = share;
        m->most_where = m->where + ", frame " + std::to_string(m->frame);
    }
    for (int dir : {1, -1}) { // a picture half lighter, half darker: both changes
        if (4 * (dir > 0 ? up : down) < area) continue;
        if (m->last_dir == -dir && m->frame - m->last_at < FLASH_SECOND) {
            m->flashes.push_back(m->frame);
            m->total++;
        }
        m->last_dir = dir;
        m->last_at = m->frame;
    }
    while (!m->flashes.empty() && m->frame - m->flashes.front() >= FLASH_SECOND)
        m->flashes.pop_front();
    if ((int)m->flashes.size() > m->worst) {
        m->worst = (int)m->flashes.size();
        m->worst_where = m->where + ", frame " + std::to_string(m->frame);
    }
}

std::string FLASH_report(const FlashMeter &m) {
    char line[400];
    snprintf(line, sizeof line,
             "worst second %d flash%s%s%s, %d in all; the most one frame changed: %d.%d%% of the "
             "picture (%s)",
             m.worst, m.worst == 1 ? "" : "es", m.worst ? " at " : "", m.worst_where.c_str(),
             m.total, m.most / 10, m.most % 10, m.most ? m.most_where.c_str() : "nothing");
    return line;
}
