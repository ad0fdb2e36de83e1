// clave_test.cpp -- room passwords: every card password opens its room, typos and odd codes do not.
#include <gtest/gtest.h>
#include <set>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "frontend/clave.h"
#include "frontend/entrada_campo.h"

// A password written straight from alphabet positions, for codes the card never shows.
static std::string por_posiciones(int p0, int p1, int p2, int p3) {
    return std::string{zicha[p0], zicha[p1], zicha[p2], zicha[p3]};
}

TEST(Clave, AlphabetHoldsEveryCapitalAndDigitOnceAndLooksThemUp) {
    ASSERT_EQ(strlen(zicha), 36u);
    std::set<char> seen(zicha, zicha + 36);
    EXPECT_EQ(seen.size(), 36u);
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"))
        EXPECT_TRUE(seen.count(c));
    for (int i = 0; i < 36; i++)
        EXPECT_EQ(busca_indice(zicha[i]), i);
    EXPECT_EQ(busca_indice('a'), -1);
    EXPECT_EQ(busca_indice('.'), -1);
    EXPECT_EQ(busca_indice(0), -1);
    // Not the plain alphabet: a password should not read like a room number.
    EXPECT_STRNE(zicha, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
}

TEST(Clave, AllFourCardPasswordsOfEveryRoomOpenThatRoom) {
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
                int expected = (room == 25 && level == 0) ? 0 : level * 25 + room;
                EXPECT_EQ(CLAVE_valor_entrada(c.c_str()), expected) << c;
            }
        }
}

TEST(Clave, EverySingleCharacterTypoIsWrong) {
    for (int level = 0; level <= 1; level++)
        for (int room = 1; room <= 25; room++) {
            char *code = CLAVE_genera_clave(level, room);
            ASSERT_NE(code, nullptr);
            for (int i = 0; i < 4; i++)
                for (int k = 0; k < 36; k++) {
                    if (zicha[k] == code[i]) continue;
                    char typo[5];
                    memcpy(typo, code, 5);
                    typo[i] = zicha[k];
                    bool same_group = i == 0 && k / 4 == busca_indice(code[0]) / 4;
                    EXPECT_EQ(CLAVE_decodifica_clave(typo), same_group ? level * 25 + room : 0)
                        << code << " -> " << typo;
                }
            // Characters outside the alphabet, and a short text, are wrong too.
            for (int i = 0; i < 4; i++)
                for (char bad : {'.', 'a', '-', ' '}) {
                    char typo[5];
                    memcpy(typo, code, 5);
                    typo[i] = bad;
                    EXPECT_EQ(CLAVE_decodifica_clave(typo), 0) << typo;
                }
            code[3] = 0;
            EXPECT_EQ(CLAVE_decodifica_clave(code), 0);
            free(code);
        }
    EXPECT_EQ(CLAVE_decodifica_clave(nullptr), 0);
}

TEST(Clave, RightCodesThatNameNoRoomAreTurnedAwayButTheLastRoomIsKept) {
    // Level 1 room 0 and level 0 room 25 both come to 25: level 1, room 0 names no room.
    for (int r = 0; r < 4; r++) {
        std::string l1r0 = por_posiciones(4 + r, 8, 1, 2);
        std::string l0r25 = por_posiciones(r, 33, 25, 12);
        EXPECT_EQ(CLAVE_decodifica_clave(l1r0.c_str()), 25);
        EXPECT_EQ(CLAVE_decodifica_clave(l0r25.c_str()), 25);
        EXPECT_EQ(CLAVE_valor_entrada(l1r0.c_str()), 0);
        EXPECT_EQ(CLAVE_valor_entrada(l0r25.c_str()), 0);
        // Level 0 room 0 is right by the checks but decodes to nothing.
        EXPECT_EQ(CLAVE_valor_entrada(por_posiciones(r, 8, 0, 0).c_str()), 0);
    }
    // Room 25 of level 1 comes back as 50, which the shell turns into that room.
    char *last = CLAVE_genera_clave(1, 25);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(CLAVE_valor_entrada(last), 50);
    free(last);
    // A negative room of level 1 lands on level 0.
    EXPECT_EQ(CLAVE_valor_entrada(por_posiciones(4, 7, 0, 2).c_str()), 24);
}

TEST(Clave, CodesOutsideTheAlphabetAreRefusedAndEveryOtherDecodesBack) {
    int made = 0;
    for (int level = -128; level <= 127; level++)
        for (int room = -128; room <= 127; room++) {
            char *code = CLAVE_genera_clave(level, room);
            bool fits = level >= 0 && level <= 8 && room >= -8 && room <= 27 && level + room >= 0 &&
                        level + room <= 35 && 2 * level + room / 2 >= 0 &&
                        2 * level + room / 2 <= 35;
            ASSERT_EQ(code != nullptr, fits) << "level " << level << " room " << room;
            if (!code) continue;
            made++;
            EXPECT_EQ(CLAVE_decodifica_clave(code), level * 25 + room);
            free(code);
        }
    EXPECT_GT(made, 200);
}
