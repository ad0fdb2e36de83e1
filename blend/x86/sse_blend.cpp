// sse_blend.cpp -- the nine SSE2 blend routines: eight 16-bit or four 32-bit pixels per step.
// SPDX-License-Identifier: MIT
#if defined(__i386__) && !defined(__SSE2__)
#pragma GCC target("sse2")
#endif
#include "blend/x86/vec_sse.h"
#include "blend/x86/vec_kern.h"
#include "blend/blend_sse.h"

VEC_DEFINE_ROUTINES(sse, VSse)
