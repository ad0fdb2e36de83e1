// referencia.h -- the blend arithmetic worked out channel by channel, to check the packed code.
// SPDX-License-Identifier: MIT
#pragma once
#include <stdint.h>

enum RefOp { REF_ADD, REF_SUB, REF_TRANS };

// d after s is blended onto it, by the plain or vector (vec) arithmetic at depth 15, 16 or 32.
uint32_t ref_blend(RefOp op, int depth, bool vec, int fact, uint32_t d, uint32_t s);
// The mask colour at depth 15, 16 or 32.
uint32_t ref_mask(int depth);
