// leaving.h -- leaving the program: the window's close button, the signals that ask a program to
// end, and the X server going away.
// SPDX-License-Identifier: MIT
#pragma once

extern volatile int close_button_pressed; // 0: no request to leave the program

// Stores -1 in close_button_pressed. Registered with set_close_button_callback by main.
void close_button_handler(void);
// Makes SIGTERM, SIGINT and SIGHUP end the program as the close button does (a second one ends it
// at once), replacing the handlers Allegro installs, and makes the X server going away end it at
// once with a log line, instead of Xlib's exit through handlers that wait on the window system.
// Must run right after install_allegro, which installs its own.
void LEAVING_install_handlers(void);
