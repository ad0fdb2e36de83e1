// mmx_blend.cpp -- the nine MMX blend routines: two 64-bit registers per step.
// SPDX-License-Identifier: MIT
#if defined(__i386__) && !defined(__MMX__)
#pragma GCC target("mmx")
#endif
#include "blend/x86/vec_mmx.h"
#include "blend/x86/vec_kern.h"
#include "blend/blend_mmx.h"

VEC_DEFINE_ROUTINES(mmx, VMmx)
