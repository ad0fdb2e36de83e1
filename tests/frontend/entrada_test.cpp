// entrada_test.cpp -- typing into the password field: capitals, four characters, Backspace, Enter.
#include <gtest/gtest.h>
#include "frontend/entrada_campo.h"
#include "support/vbtest.h"

// What readkey gives for a key: the key code in the high byte, the character in the low one.
static int tecla(int code, int ch) {
    return (code << 8) | (ch & 0xff);
}

// Types a text as letter and digit keys.
static void teclea(CampoClave *c, const char *text) {
    for (const char *p = text; *p; p++) {
        int ch = *p;
        int code = (ch >= 'a' && ch <= 'z')   ? KEY_A + ch - 'a'
                   : (ch >= 'A' && ch <= 'Z') ? KEY_A + ch - 'A'
                   : (ch >= '0' && ch <= '9') ? KEY_0 + ch - '0'
                                              : KEY_STOP;
        CLAVE_campo_tecla(c, tecla(code, ch));
    }
}

TEST(Entrada, SmallLettersBecomeCapitalsAndEachKeyWaitsForItsRelease) {
    CampoClave c;
    CLAVE_campo_reset(&c);
    EXPECT_STREQ(c.text, "....");
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_Q, 'q')), KEY_Q);
    EXPECT_STREQ(c.text, "Q...");
    teclea(&c, "z7");
    EXPECT_STREQ(c.text, "QZ7.");
    EXPECT_EQ(c.typed, 3);
    EXPECT_FALSE(c.done);
}

TEST(Entrada, OnlyFourLettersOrDigitsAreTaken) {
    CampoClave c;
    CLAVE_campo_reset(&c);
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_STOP, '.')), -1);
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_MINUS, '-')), -1);
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_SPACE, ' ')), -1);
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_UP, 0)), -1);
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_A, 1)), -1); // Ctrl+A
    EXPECT_STREQ(c.text, "....");
    teclea(&c, "AB12");
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_C, 'C')), -1); // a fifth character
    EXPECT_STREQ(c.text, "AB12");
    EXPECT_EQ(c.typed, 4);
}

TEST(Entrada, BackspaceRemovesTheLastCharacterAndNothingOnAnEmptyField) {
    CampoClave c;
    CLAVE_campo_reset(&c);
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_BACKSPACE, 8)), -1);
    EXPECT_STREQ(c.text, "....");
    teclea(&c, "XY");
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_BACKSPACE, 8)), KEY_BACKSPACE);
    EXPECT_STREQ(c.text, "X...");
    teclea(&c, "K");
    EXPECT_STREQ(c.text, "XK..");
}

TEST(Entrada, EnterConfirmsOnlyAFullFieldAndTheKeypadEnterNever) {
    CampoClave c;
    CLAVE_campo_reset(&c);
    teclea(&c, "ABC");
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_ENTER, 13)), KEY_ENTER);
    EXPECT_FALSE(c.done);
    teclea(&c, "D");
    EXPECT_EQ(CLAVE_campo_tecla(&c, tecla(KEY_ENTER_PAD, 13)), -1);
    EXPECT_FALSE(c.done);
    CLAVE_campo_tecla(&c, tecla(KEY_ENTER, 13));
    EXPECT_TRUE(c.done);
    EXPECT_FALSE(c.cancelled);
    EXPECT_STREQ(c.text, "ABCD");
}

TEST(Entrada, EscapeCancelsAndTheNextVisitStartsEmpty) {
    CampoClave c;
    CLAVE_campo_reset(&c);
    teclea(&c, "AB");
    CLAVE_campo_tecla(&c, tecla(KEY_ESC, 27));
    EXPECT_TRUE(c.done);
    EXPECT_TRUE(c.cancelled);
    CLAVE_campo_reset(&c);
    EXPECT_STREQ(c.text, "....");
    EXPECT_EQ(c.typed, 0);
    EXPECT_FALSE(c.done);
}
