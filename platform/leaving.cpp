// leaving.cpp -- leaving the program: the close button's callback and the signal handler raise the
// flag every loop polls; the X server going away ends the program at once.
// SPDX-License-Identifier: MIT
#include "platform/leaving.h"
#include <allegro.h>
#include <signal.h>
#include <unistd.h>
#include "platform/loga.h"
#include "platform/x11_port.h"

volatile int close_button_pressed;

void close_button_handler(void) {
    close_button_pressed = -1;
}
END_OF_FUNCTION(close_button_handler)

// Only raises the flag: Allegro's own handler shut the library down inside the signal handler,
// which hangs for good when the X server goes away at the same moment. A second signal, when the
// first was not heeded, ends the program the default way.
static void leaving_signal(int sig) {
    if (close_button_pressed) {
        signal(sig, SIG_DFL);
        raise(sig);
        return;
    }
    close_button_pressed = -1;
}

// The connection to the X server is lost: nothing can be shown or closed in order any more.
static void leaving_x_gone(void) {
    loga("the X server went away; leaving");
    _exit(1);
}

void LEAVING_install_handlers(void) {
    struct sigaction sa = {};
    sa.sa_handler = leaving_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
    PORT_on_server_lost(leaving_x_gone);
}
