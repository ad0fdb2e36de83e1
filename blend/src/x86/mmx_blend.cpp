// mmx_blend.cpp -- the nine MMX blend routines: two 64-bit registers per step.
#if defined(__i386__) && !defined(__MMX__)
#pragma GCC target("mmx")
#endif
#include "vec_mmx.h"
#include "vec_kern.h"
#include "blend_mmx.h"

VEC_DEFINE_ROUTINES(mmx, VMmx)
