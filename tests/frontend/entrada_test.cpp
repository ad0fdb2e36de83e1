// entrada_test.cpp -- typing into the password field: capitals, four characters, Backspace, Enter.
#include <gtest/gtest.h>
#include "frontend/entrada_campo.h"
#include "support/vbtest.h"

// Presses one key as readkey reports it: the key code in the high byte, the character low.
static int pulsa(CampoClave *c, int code, int ch) {
    return CLAVE_campo_tecla(c, (code << 8) | (ch & 0xff));
}

// Types letters and digits.
static void teclea(CampoClave *c, const char *text) {
    for (const char *p = text; *p; p++)
        pulsa(c, *p >= '0' && *p <= '9' ? KEY_0 + *p - '0' : KEY_A + (*p | 32) - 'a', *p);
}

TEST(Entrada, TakesFourLettersOrDigitsAsCapitalsAndIgnoresTheRest) {
    CampoClave c;
    CLAVE_campo_reset(&c);
    EXPECT_STREQ(c.text, "....");
    EXPECT_EQ(pulsa(&c, KEY_Q, 'q'), KEY_Q); // taken: the screen waits for Q's release
    for (int ignored : {int('.'), int('-'), int(' '), 0, 1 /* Ctrl+A */})
        EXPECT_EQ(pulsa(&c, KEY_STOP, ignored), -1);
    teclea(&c, "z7b");
    EXPECT_STREQ(c.text, "QZ7B");
    EXPECT_EQ(pulsa(&c, KEY_C, 'C'), -1); // a fifth character
    EXPECT_STREQ(c.text, "QZ7B");
    EXPECT_FALSE(c.done);
}

TEST(Entrada, BackspaceTakesTheLastCharacterBackAndDoesNothingOnAnEmptyField) {
    CampoClave c;
    CLAVE_campo_reset(&c);
    EXPECT_EQ(pulsa(&c, KEY_BACKSPACE, 8), -1);
    teclea(&c, "XY");
    EXPECT_EQ(pulsa(&c, KEY_BACKSPACE, 8), KEY_BACKSPACE);
    teclea(&c, "K");
    EXPECT_STREQ(c.text, "XK..");
}

TEST(Entrada, EnterConfirmsOnlyAFullFieldTheKeypadEnterNeverAndEscapeCancels) {
    CampoClave c;
    CLAVE_campo_reset(&c);
    teclea(&c, "ABC");
    EXPECT_EQ(pulsa(&c, KEY_ENTER, 13), KEY_ENTER);
    EXPECT_FALSE(c.done);
    teclea(&c, "D");
    EXPECT_EQ(pulsa(&c, KEY_ENTER_PAD, 13), -1);
    EXPECT_FALSE(c.done);
    pulsa(&c, KEY_ENTER, 13);
    EXPECT_TRUE(c.done && !c.cancelled);
    EXPECT_STREQ(c.text, "ABCD");

    CLAVE_campo_reset(&c); // the next visit starts empty
    teclea(&c, "AB");
    pulsa(&c, KEY_ESC, 27);
    EXPECT_TRUE(c.done && c.cancelled);
}
