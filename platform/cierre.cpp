// cierre.cpp -- the window's close button: the callback that raises the flag every loop polls.
#include "platform/cierre.h"
#include <allegro.h>

volatile int close_button_pressed;

void close_button_handler(void) {
    close_button_pressed = -1;
}
END_OF_FUNCTION(close_button_handler)
