// cierre.h -- the window's close button: a flag that every wait and loop polls.
#pragma once

extern volatile int close_button_pressed; // 0: no request to leave the program

// Stores -1 in close_button_pressed. Registered with set_close_button_callback by main.
void close_button_handler(void);
