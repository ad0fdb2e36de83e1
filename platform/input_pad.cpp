// input_pad.cpp -- the game pads' half of the input module, through SDL2's game-controller layer:
// pads plugged in or unplugged at any time, their buttons and left sticks as actions.
// SPDX-License-Identifier: MIT
#include <SDL2/SDL.h>
#include <stdio.h>
#include "platform/input.h"
#include "platform/input_pad.h"
#include "platform/loga.h"

enum {
    PAD_SLOTS = 4,
    STICK_PUSHED = 16000,   // a stick past half way moves
    STICK_DEAD_ZONE = 12000 // and keeps moving until it is back inside this
};

// Where an action sits on a pad: a button, or a direction of an axis.
enum { PAD_NONE, PAD_BUTTON, PAD_AXIS };
struct PadPlace {
    int kind, which, sign;
};
#define BUTTON(b)                                                                                  \
    { PAD_BUTTON, SDL_CONTROLLER_BUTTON_##b, 0 }
#define STICK(axis, sign)                                                                          \
    { PAD_AXIS, SDL_CONTROLLER_AXIS_LEFT##axis, sign }
static const PadPlace pad_places[INPUT_ACTIONS][3] = {
    {BUTTON(DPAD_LEFT), STICK(X, -1)}, // LEFT
    {BUTTON(DPAD_RIGHT), STICK(X, 1)}, // RIGHT
    {BUTTON(A)},                       // HIGH_JUMP: south
    {BUTTON(X), BUTTON(B)},            // LONG_JUMP: west or east
    {BUTTON(Y)},                       // RETRY: north
    {BUTTON(START)},                   // PAUSE
    {},                                // SCREENSHOT
    {BUTTON(BACK)},                    // LEAVE
    {BUTTON(DPAD_UP), STICK(Y, -1)},   // UP
    {BUTTON(DPAD_DOWN), STICK(Y, 1)},  // DOWN
    {BUTTON(DPAD_LEFT), STICK(X, -1)}, // MENU_LEFT
    {BUTTON(DPAD_RIGHT), STICK(X, 1)}, // MENU_RIGHT
    {BUTTON(A)},                       // CONFIRM: south
    {BUTTON(B)},                       // BACK: east
    {BUTTON(LEFTSHOULDER)},            // PAGE_UP
    {BUTTON(RIGHTSHOULDER)},           // PAGE_DOWN
    {BUTTON(A), BUTTON(B)},            // WAIT
    {BUTTON(LEFTSHOULDER)},            // SHOW_ME
};
#undef BUTTON
#undef STICK

// The open pads, and where each left stick points: -1, 0 or 1 per axis, the dead zone applied.
static struct {
    SDL_GameController *pad[PAD_SLOTS];
    SDL_JoystickID id[PAD_SLOTS];
    signed char stick[PAD_SLOTS][2];
    SDL_JoystickID unknown; // the last joystick with no known layout, logged
} pads = {{}, {}, {}, -1};

static void pad_log(const char *what, const char *name) {
    char line[200];
    snprintf(line, sizeof line, "game pad%s %.120s", what, name ? name : "(no name)");
    loga(line);
}

static int pad_slot(SDL_JoystickID id) {
    for (int i = 0; i < PAD_SLOTS; i++)
        if (pads.pad[i] && pads.id[i] == id) return i;
    return -1;
}

// Opens the pad at SDL's device index, unless it is open already or has no known layout.
static void pad_open(int index) {
    if (pad_slot(SDL_JoystickGetDeviceInstanceID(index)) >= 0) return;
    if (!SDL_IsGameController(index)) { // told once: SDL reports the ones there at start twice
        SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        if (id == pads.unknown) return;
        pads.unknown = id;
        pad_log(" with no known button layout (SDL_GAMECONTROLLERCONFIG can give one):",
                SDL_JoystickNameForIndex(index));
        return;
    }
    for (int i = 0; i < PAD_SLOTS; i++) {
        if (pads.pad[i]) continue;
        pads.pad[i] = SDL_GameControllerOpen(index);
        if (!pads.pad[i]) {
            pad_log(" could not be opened:", SDL_GetError());
            return;
        }
        pads.id[i] = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pads.pad[i]));
        pads.stick[i][0] = pads.stick[i][1] = 0;
        pad_log(":", SDL_GameControllerName(pads.pad[i]));
        return;
    }
    pad_log("s: no room for another:", SDL_JoystickNameForIndex(index));
}

static void pad_close(int slot) {
    SDL_GameControllerClose(pads.pad[slot]);
    pads.pad[slot] = nullptr;
}

int INPUT_pad_start(void) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");               // the game has its own
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1"); // the window is not SDL's
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        char line[300];
        snprintf(line, sizeof line,
                 "game pads: SDL's game controller part did not start (%.200s); the keyboard "
                 "alone plays",
                 SDL_GetError());
        loga(line);
        return 0;
    }
    int n = SDL_NumJoysticks();
    for (int i = 0; i < n; i++)
        pad_open(i);
    int open = INPUT_pads();
    if (open == 0) loga("game pads: none found; a pad plugged in later works at once");
    return 1;
}

void INPUT_pad_stop(void) {
    for (int i = 0; i < PAD_SLOTS; i++)
        if (pads.pad[i]) pad_close(i);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int INPUT_pads(void) {
    int n = 0;
    for (int i = 0; i < PAD_SLOTS; i++)
        n += pads.pad[i] != nullptr;
    return n;
}

// Latches every action found at this place.
static void pad_pressed(int kind, int which, int sign) {
    for (int a = 0; a < INPUT_ACTIONS; a++)
        for (const PadPlace &p : pad_places[a])
            if (p.kind == kind && p.which == which && p.sign == sign) INPUT_latch(a);
}

// A stick axis moved: it points somewhere once past STICK_PUSHED and back at rest inside
// STICK_DEAD_ZONE; pointing somewhere new is a press.
static void pad_axis(int slot, int axis, int value) {
    if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY) return;
    signed char *dir = &pads.stick[slot][axis == SDL_CONTROLLER_AXIS_LEFTY];
    int now = *dir;
    if (value >= STICK_PUSHED)
        now = 1;
    else if (value <= -STICK_PUSHED)
        now = -1;
    else if (value > -STICK_DEAD_ZONE && value < STICK_DEAD_ZONE)
        now = 0;
    if (now != *dir && now != 0) pad_pressed(PAD_AXIS, axis, now);
    *dir = (signed char)now;
}

void INPUT_pad_poll(void) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (e.type == SDL_JOYDEVICEADDED) {
            pad_open(e.jdevice.which);
        } else if (e.type == SDL_CONTROLLERDEVICEREMOVED) {
            int slot = pad_slot(e.cdevice.which);
            if (slot < 0) continue;
            pad_log(" unplugged:", SDL_GameControllerName(pads.pad[slot]));
            pad_close(slot);
            INPUT_note_pad_lost();
        } else if (e.type == SDL_CONTROLLERBUTTONDOWN) {
            if (pad_slot(e.cbutton.which) >= 0) pad_pressed(PAD_BUTTON, e.cbutton.button, 0);
        } else if (e.type == SDL_CONTROLLERAXISMOTION) {
            int slot = pad_slot(e.caxis.which);
            if (slot >= 0) pad_axis(slot, e.caxis.axis, e.caxis.value);
        }
    }
}

int INPUT_pad_down(int action) {
    for (int i = 0; i < PAD_SLOTS; i++) {
        if (!pads.pad[i]) continue;
        for (const PadPlace &p : pad_places[action]) {
            if (p.kind == PAD_BUTTON &&
                SDL_GameControllerGetButton(pads.pad[i], (SDL_GameControllerButton)p.which))
                return 1;
            if (p.kind == PAD_AXIS && pads.stick[i][p.which == SDL_CONTROLLER_AXIS_LEFTY] == p.sign)
                return 1;
        }
    }
    return 0;
}

// A button's name as the card and the pause show it; sticks go unnamed (the d-pad says it).
static const char *pad_button_name(int button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        return "A";
    case SDL_CONTROLLER_BUTTON_B:
        return "B";
    case SDL_CONTROLLER_BUTTON_X:
        return "X";
    case SDL_CONTROLLER_BUTTON_Y:
        return "Y";
    case SDL_CONTROLLER_BUTTON_BACK:
        return "BACK";
    case SDL_CONTROLLER_BUTTON_START:
        return "START";
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return "LEFT";
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return "RIGHT";
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return "UP";
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return "DOWN";
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return "L1";
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return "R1";
    default:
        return nullptr;
    }
}

void INPUT_pad_text(int action, char *text, int max) {
    text[0] = 0;
    if (action < 0 || action >= INPUT_ACTIONS || max <= 0) return;
    int used = 0;
    for (const PadPlace &p : pad_places[action]) {
        const char *name = p.kind == PAD_BUTTON ? pad_button_name(p.which) : nullptr;
        if (!name) continue;
        int n = snprintf(text + used, (size_t)(max + 1 - used), "%s%s", used ? "," : "PAD ", name);
        if (n < 0 || used + n > max) { // what does not fit is left out whole
            text[used] = 0;
            return;
        }
        used += n;
    }
}
