// vbtest.cpp -- a windowless Allegro for unit tests.
#include "support/vbtest.h"
#include <errno.h>
#include <stdlib.h>

void vbtest_init(int depth) {
    static bool started = false;
    if (!started) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        started = true;
    }
    set_color_depth(depth);
}
