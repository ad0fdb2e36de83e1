// vec_mmx.h -- the MMX operations the vector blend kernels are written in (64-bit registers).
// SPDX-License-Identifier: MIT
#pragma once
#include <mmintrin.h>
#include <stdint.h>
#include <string.h>

struct VMmx {
    typedef __m64 V;
    enum { BYTES = 8, MULHI = 0 }; // one register; no unsigned high multiply in plain MMX

    // Loads n bytes (2, 4 or 8) into the low end of a register.
    static inline V load(const void *p, int n) {
        if (n == 8) {
            V v;
            memcpy(&v, p, 8);
            return v;
        }
        uint32_t x = 0;
        memcpy(&x, p, n);
        return _mm_cvtsi32_si64((int)x);
    }
    // Stores the low n bytes (2, 4 or 8) of a register.
    static inline void store(void *p, V v, int n) {
        if (n == 8) {
            memcpy(p, &v, 8);
            return;
        }
        uint32_t x = (uint32_t)_mm_cvtsi64_si32(v);
        memcpy(p, &x, n);
    }
    static inline void prefetch(const void *, const void *) {}
    // Leaves the MMX state so floating point works again.
    static inline void done(void) { _mm_empty(); }
    // True when every byte of m is 0xFF.
    static inline bool all_ones(V m) {
        uint64_t x;
        memcpy(&x, &m, 8);
        return x == ~(uint64_t)0;
    }

    static inline V set16(int x) { return _mm_set1_pi16((short)x); }
    static inline V set32(uint32_t x) { return _mm_set1_pi32((int)x); }
    static inline V zero(void) { return _mm_setzero_si64(); }
    static inline V and_(V a, V b) { return _mm_and_si64(a, b); }
    static inline V or_(V a, V b) { return _mm_or_si64(a, b); }
    static inline V xor_(V a, V b) { return _mm_xor_si64(a, b); }
    static inline V andnot(V a, V b) { return _mm_andnot_si64(a, b); } // ~a & b
    static inline V add8(V a, V b) { return _mm_add_pi8(a, b); }
    static inline V add16(V a, V b) { return _mm_add_pi16(a, b); }
    static inline V sub16(V a, V b) { return _mm_sub_pi16(a, b); }
    static inline V mullo16(V a, V b) { return _mm_mullo_pi16(a, b); }
    template <int N> static inline V srli16(V a) { return _mm_srli_pi16(a, N); }
    template <int N> static inline V slli16(V a) { return _mm_slli_pi16(a, N); }
    template <int N> static inline V srai16(V a) { return _mm_srai_pi16(a, N); }
    static inline V cmpeq16(V a, V b) { return _mm_cmpeq_pi16(a, b); }
    static inline V cmpeq32(V a, V b) { return _mm_cmpeq_pi32(a, b); }
    static inline V unpacklo8(V a, V b) { return _mm_unpacklo_pi8(a, b); }
    static inline V unpackhi8(V a, V b) { return _mm_unpackhi_pi8(a, b); }
    static inline V packus16(V a, V b) { return _mm_packs_pu16(a, b); }
    static inline V adds_u8(V a, V b) { return _mm_adds_pu8(a, b); }
    static inline V subs_u8(V a, V b) { return _mm_subs_pu8(a, b); }
};
