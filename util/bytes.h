// bytes.h -- little-endian 32-bit values in byte buffers, for every file the game reads and writes
// (the configuration, map files, the block compressor's header).
// SPDX-License-Identifier: MIT
#pragma once
#include <stdint.h>

// The 32-bit little-endian value stored at p.
static inline uint32_t le32_get(const unsigned char *p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

// Stores v at p as four little-endian bytes.
static inline void le32_put(unsigned char *p, uint32_t v) {
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}
