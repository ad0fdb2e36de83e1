// clave_test.cpp -- room passwords open their room, typos and odd codes not; the password field.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <set>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "frontend/clave.h"
#include "frontend/password_field.h"
#include "support/vbtest.h"

// Presses one key as readkey reports it: the key code in the high byte, the character low.
static int pulsa(PasswordField *c, int code, int ch) {
    return CLAVE_field_key(c, (code << 8) | (ch & 0xff));
}

// All four passwords of every room open it, a one-character typo or a foreign character not; the
// field turns away 25 (level 0 room 25, also level 1 room 0), keeps 50; levels and rooms out of the
// alphabet get no password. The field takes four letters or digits as capitals; Backspace; Enter
// on a full field only (not the keypad's); Escape cancels; each visit starts empty.
TEST(Clave, CardPasswordsOpenTheirRoomTyposDoNotAndTheFieldTakesFourCharacters) {
    for (int level = 0; level <= 1; level++)
        for (int room = 1; room <= 25; room++) {
            std::set<std::string> codes;
            for (int tries = 0; tries < 2000 && codes.size() < 4; tries++) {
                char *code = CLAVE_genera_clave(level, room);
                ASSERT_NE(code, nullptr);
                ASSERT_EQ(strlen(code), 4u);
                codes.insert(code);
                free(code);
            }
            ASSERT_EQ(codes.size(), 4u) << "level " << level << " room " << room;
            for (const std::string &c : codes) {
                EXPECT_EQ(CLAVE_decodifica_clave(c.c_str()), level * 25 + room) << c;
                EXPECT_EQ(CLAVE_field_value(c.c_str()),
                          level == 0 && room == 25 ? 0 : 25 * level + room);
            }
            std::string code = *codes.begin();
            for (int i = 0; i < 4; i++)
                for (char k : std::string(zicha) + ".a- ") {
                    if (k == code[i]) continue;
                    std::string typo = code;
                    typo[i] = k;
                    bool same_group = i == 0 && busca_indice(k) >= 0 &&
                                      busca_indice(k) / 4 == busca_indice(code[0]) / 4;
                    EXPECT_EQ(CLAVE_decodifica_clave(typo.c_str()),
                              same_group ? level * 25 + room : 0)
                        << code << " -> " << typo;
                }
            EXPECT_EQ(CLAVE_decodifica_clave(code.substr(0, 3).c_str()), 0);
        }
    EXPECT_EQ(CLAVE_decodifica_clave(nullptr), 0);

    for (int level = -128; level <= 127; level++)
        for (int room = -128; room <= 127; room++) {
            char *code = CLAVE_genera_clave(level, room);
            bool fits = level >= 0 && level <= 8 && room >= -8 && room <= 27 && level + room >= 0 &&
                        level + room <= 35 && 2 * level + room / 2 >= 0 &&
                        2 * level + room / 2 <= 35;
            ASSERT_EQ(code != nullptr, fits) << "level " << level << " room " << room;
            if (!code) continue;
            EXPECT_EQ(CLAVE_decodifica_clave(code), level * 25 + room);
            free(code);
        }

    vbtest_init(16);
    PasswordField c;
    CLAVE_field_reset(&c);
    EXPECT_STREQ(c.text, "....");
    EXPECT_EQ(pulsa(&c, KEY_Q, 'q'), KEY_Q); // taken: the screen waits for Q's release
    for (int ignored : {int('.'), int('-'), int(' '), 0, 1 /* Ctrl+A */})
        EXPECT_EQ(pulsa(&c, KEY_STOP, ignored), -1);
    EXPECT_EQ(pulsa(&c, KEY_BACKSPACE, 8), KEY_BACKSPACE);
    EXPECT_EQ(pulsa(&c, KEY_BACKSPACE, 8), -1);
    for (char ch : std::string("z7bA"))
        pulsa(&c, KEY_A, ch);
    EXPECT_EQ(pulsa(&c, KEY_C, 'C'), -1); // a fifth character
    EXPECT_STREQ(c.text, "Z7BA");
    EXPECT_EQ(pulsa(&c, KEY_ENTER_PAD, 13), -1);
    EXPECT_FALSE(c.done);
    EXPECT_EQ(pulsa(&c, KEY_ENTER, 13), KEY_ENTER);
    EXPECT_TRUE(c.done && !c.cancelled);
    CLAVE_field_reset(&c);
    EXPECT_EQ(pulsa(&c, KEY_ENTER, 13), KEY_ENTER);
    EXPECT_FALSE(c.done) << "Enter on a field emptied for the next visit";
    pulsa(&c, KEY_ESC, 27);
    EXPECT_TRUE(c.done && c.cancelled);
}
