// allocs.cpp -- this program's malloc, calloc, realloc and new count their calls while asked to
// and hand the work to the C library's own allocator. Linked only into the test programs that
// ask for the count.
#include "support/allocs.h"
#include <new>
#include <stddef.h>
#include <stdlib.h>

#if defined(__SANITIZE_ADDRESS__)
#define VB_COUNT_ALLOCS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VB_COUNT_ALLOCS 0
#endif
#endif
#ifndef VB_COUNT_ALLOCS
#define VB_COUNT_ALLOCS 1
#endif

static bool counting;
static long allocations;

int vbtest_can_count_allocations(void) {
    return VB_COUNT_ALLOCS;
}

void vbtest_count_allocations(bool on) {
    if (on) allocations = 0;
    counting = on;
}

long vbtest_allocations(void) {
    return allocations;
}

#if VB_COUNT_ALLOCS
extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);

extern "C" void *malloc(size_t n) {
    if (counting) allocations++;
    return __libc_malloc(n);
}
extern "C" void *calloc(size_t n, size_t m) {
    if (counting) allocations++;
    return __libc_calloc(n, m);
}
extern "C" void *realloc(void *p, size_t n) {
    if (counting) allocations++;
    return __libc_realloc(p, n);
}
void *operator new(size_t n) {
    if (counting) allocations++;
    void *p = __libc_malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    return p;
}
void operator delete(void *p) noexcept {
    free(p);
}
void operator delete(void *p, size_t) noexcept {
    free(p);
}
#endif
