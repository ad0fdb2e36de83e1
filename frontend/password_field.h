// password_field.h -- the password entry field and its key handling, apart from the screen.
// SPDX-License-Identifier: MIT
#pragma once

// The field of the entry screen: four characters, "." where nothing is typed yet.
struct PasswordField {
    char text[5];    // "...." when empty; zero-terminated
    short typed;     // characters typed, 0..4
    short done;      // 1 once Enter confirmed four characters, or Escape cancelled
    short cancelled; // 1 when Escape ended the screen
};

// Empties the field ("....", nothing typed, not done).
void CLAVE_field_reset(PasswordField *campo);
// Applies one readkey value (low byte the character, next byte the key code) to the field. Returns
// the key code whose release the screen waits for before emptying the key buffer, 0 when the key
// was taken but there is no key to wait for, or -1 when it was ignored.
int CLAVE_field_key(PasswordField *campo, int readkey_value);
// The value of a typed password: level * 25 + room when it is right and names a room, else 0.
int CLAVE_field_value(const char *code);
