// blend_sse.h -- the SSE2 blend routines (x86 only): clipped rectangle and mapped factor f.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

// Each combines the w by h rectangle at (sx, sy) of src into dst at (dx, dy) with multiplier f,
// eight 16-bit or four 32-bit pixels per step.
void blend_add_sse_15(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_add_sse_16(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_add_sse_32(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_sub_sse_15(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_sub_sse_16(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_sub_sse_32(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_trans_sse_15(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f);
void blend_trans_sse_16(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f);
void blend_trans_sse_32(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f);
