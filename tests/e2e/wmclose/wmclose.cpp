// wmclose.cpp -- asks a window to close the way a window manager would (WM_DELETE_WINDOW).
// Xvfb has no window manager, so the window tests use this to press the game's close button.
// Usage: wmclose WINDOW_ID   (decimal or 0x-hex, as printed by xdotool search)
// SPDX-License-Identifier: MIT
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: wmclose WINDOW_ID\n");
        return 2;
    }
    char *end;
    unsigned long id = strtoul(argv[1], &end, 0);
    if (*end || id == 0) {
        fprintf(stderr, "wmclose: bad window id %s\n", argv[1]);
        return 2;
    }
    Display *dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        fprintf(stderr, "wmclose: cannot open the display\n");
        return 1;
    }
    XEvent ev;
    memset(&ev, 0, sizeof ev);
    ev.xclient.type = ClientMessage;
    ev.xclient.window = (Window)id;
    ev.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = (long)XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    ev.xclient.data.l[1] = CurrentTime;
    Status ok = XSendEvent(dpy, (Window)id, False, NoEventMask, &ev);
    XSync(dpy, False);
    XCloseDisplay(dpy);
    if (!ok) {
        fprintf(stderr, "wmclose: could not send to window %s\n", argv[1]);
        return 1;
    }
    return 0;
}
