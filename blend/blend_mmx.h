// blend_mmx.h -- the MMX blend routines (x86 only): clipped rectangle and mapped factor f.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

// Each combines the w by h rectangle at (sx, sy) of src into dst at (dx, dy) with multiplier f, two
// 64-bit registers per step.
void blend_add_mmx_15(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_add_mmx_16(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_add_mmx_32(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_sub_mmx_15(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_sub_mmx_16(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_sub_mmx_32(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                      int f);
void blend_trans_mmx_15(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f);
void blend_trans_mmx_16(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f);
void blend_trans_mmx_32(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f);
