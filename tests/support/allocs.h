// allocs.h -- counting the test program's memory allocations, for the tests that prove a frame
// of play or drawing allocates nothing.
#pragma once

// 1 when this build's allocations can be counted (not under AddressSanitizer, which owns malloc).
int vbtest_can_count_allocations(void);
// Starts (and zeroes) or stops counting malloc, calloc, realloc and new.
void vbtest_count_allocations(bool on);
// Allocations seen since counting last started.
long vbtest_allocations(void);
