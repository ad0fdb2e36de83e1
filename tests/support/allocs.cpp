// allocs.cpp -- the test programs' malloc, calloc and realloc (and so the library's new) count
// their calls while asked to and hand the work to the C library's own allocator.
// SPDX-License-Identifier: MIT
#include <stdlib.h>
#include "support/vbtest.h"

#if !defined(__has_feature)
#define __has_feature(x) 0
#endif
#if defined(__SANITIZE_ADDRESS__) || __has_feature(address_sanitizer)
#define VB_COUNT_ALLOCS 0
#else
#define VB_COUNT_ALLOCS 1
#endif

const bool vbtest_can_count = VB_COUNT_ALLOCS;
bool vbtest_counting;
long vbtest_allocations;

#if VB_COUNT_ALLOCS
extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);

extern "C" void *malloc(size_t n) {
    vbtest_allocations += vbtest_counting;
    return __libc_malloc(n);
}
extern "C" void *calloc(size_t n, size_t m) {
    vbtest_allocations += vbtest_counting;
    return __libc_calloc(n, m);
}
extern "C" void *realloc(void *p, size_t n) {
    vbtest_allocations += vbtest_counting;
    return __libc_realloc(p, n);
}
#endif
