// vec_sse.h -- the SSE2 operations the vector blend kernels are written in (128-bit registers).
// SPDX-License-Identifier: MIT
#pragma once
#include <emmintrin.h>
#include <stdint.h>
#include <string.h>
#include <xmmintrin.h>

struct VSse {
    typedef __m128i V;
    enum { BYTES = 16, MULHI = 1 }; // one register; an unsigned 16-bit high multiply

    // Loads n bytes (2, 4, 8 or 16) into the low end of a register.
    static inline V load(const void *p, int n) {
        if (n == 16) return _mm_loadu_si128((const __m128i *)p);
        if (n == 8) return _mm_loadl_epi64((const __m128i *)p);
        uint32_t x = 0;
        memcpy(&x, p, n);
        return _mm_cvtsi32_si128((int)x);
    }
    // Stores the low n bytes (2, 4, 8 or 16) of a register.
    static inline void store(void *p, V v, int n) {
        if (n == 16) return _mm_storeu_si128((__m128i *)p, v);
        if (n == 8) return _mm_storel_epi64((__m128i *)p, v);
        uint32_t x = (uint32_t)_mm_cvtsi128_si32(v);
        memcpy(p, &x, n);
    }
    // Source 32 bytes ahead without polluting the cache, destination 32 bytes ahead into it.
    static inline void prefetch(const void *s, const void *d) {
        _mm_prefetch((const char *)s + 32, _MM_HINT_NTA);
        _mm_prefetch((const char *)d + 32, _MM_HINT_T0);
    }
    static inline void done(void) {}
    // True when every byte of m is 0xFF.
    static inline bool all_ones(V m) { return _mm_movemask_epi8(m) == 0xFFFF; }

    static inline V set16(int x) { return _mm_set1_epi16((short)x); }
    static inline V set32(uint32_t x) { return _mm_set1_epi32((int)x); }
    static inline V zero(void) { return _mm_setzero_si128(); }
    static inline V and_(V a, V b) { return _mm_and_si128(a, b); }
    static inline V or_(V a, V b) { return _mm_or_si128(a, b); }
    static inline V xor_(V a, V b) { return _mm_xor_si128(a, b); }
    static inline V andnot(V a, V b) { return _mm_andnot_si128(a, b); } // ~a & b
    static inline V add8(V a, V b) { return _mm_add_epi8(a, b); }
    static inline V add16(V a, V b) { return _mm_add_epi16(a, b); }
    static inline V sub16(V a, V b) { return _mm_sub_epi16(a, b); }
    static inline V mullo16(V a, V b) { return _mm_mullo_epi16(a, b); }
    static inline V mulhi_u16(V a, V b) { return _mm_mulhi_epu16(a, b); }
    template <int N> static inline V srli16(V a) { return _mm_srli_epi16(a, N); }
    template <int N> static inline V slli16(V a) { return _mm_slli_epi16(a, N); }
    template <int N> static inline V srai16(V a) { return _mm_srai_epi16(a, N); }
    static inline V cmpeq16(V a, V b) { return _mm_cmpeq_epi16(a, b); }
    static inline V cmpeq32(V a, V b) { return _mm_cmpeq_epi32(a, b); }
    static inline V unpacklo8(V a, V b) { return _mm_unpacklo_epi8(a, b); }
    static inline V unpackhi8(V a, V b) { return _mm_unpackhi_epi8(a, b); }
    static inline V packus16(V a, V b) { return _mm_packus_epi16(a, b); }
    static inline V adds_u8(V a, V b) { return _mm_adds_epu8(a, b); }
    static inline V subs_u8(V a, V b) { return _mm_subs_epu8(a, b); }
};
