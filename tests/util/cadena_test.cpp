// cadena_test.cpp -- the fixed-capacity strings and the two in-place helpers.
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include "util/cadena.h"

static bool all_zero_after_text(const CADENA &c) {
    for (size_t i = strlen(c.caracteres); i < sizeof c.caracteres; i++)
        if (c.caracteres[i]) return false;
    return true;
}

TEST(Cadena, JoinsTheMapsPathIntoOneReadableString) {
    CADENA c = concatenar_cadenas2("maps/", "velba1.vb3");
    EXPECT_STREQ((const char *)&c, "maps/velba1.vb3"); // the record's address is its text
    EXPECT_EQ(c.longitud, 15);
    EXPECT_EQ(c.posicion, 0);
    EXPECT_TRUE(all_zero_after_text(c));
}

TEST(Cadena, BuildingFromTheEmptyStringGivesTheEmptyRecord) {
    CADENA a = crear_cadena1(), b = crear_cadena2("");
    EXPECT_EQ(memcmp(&a, &b, sizeof a), 0);
    EXPECT_EQ(b.longitud, 0);
    EXPECT_TRUE(all_zero_after_text(b));
}

TEST(Cadena, ComparesTextsByLengthAndEveryCharacter) {
    EXPECT_EQ(comparar_cadenas(crear_cadena2("velba1"), crear_cadena2("velba1")), 1);
    EXPECT_EQ(comparar_cadenas(crear_cadena2("velba1"), crear_cadena2("velba2")), 0);
    EXPECT_EQ(comparar_cadenas(crear_cadena2("velba"), crear_cadena2("velba1")), 0);
    EXPECT_EQ(comparar_cadenas(crear_cadena1(), crear_cadena2("")), 1);
}

TEST(Cadena, AppendingAndRemovingCharacters) {
    CADENA c = anadir_caracter_cadena(crear_cadena2("ab"), 'c' + 256); // only the low byte
    EXPECT_STREQ(c.caracteres, "abc");
    EXPECT_EQ(c.longitud, 3);
    EXPECT_EQ(c.posicion, 0);

    CADENA d = eliminar_caracter_cadena(c);
    EXPECT_STREQ(d.caracteres, "ab");
    EXPECT_EQ(d.caracteres[2], 0);
    EXPECT_EQ(d.longitud, 2);

    CADENA e = eliminar_caracter_cadena(crear_cadena1());
    EXPECT_EQ(e.longitud, 0);
    EXPECT_STREQ(e.caracteres, "");

    CADENA full = crear_cadena2(std::string(98, 'x').c_str());
    CADENA same = anadir_caracter_cadena(full, 'y');
    EXPECT_EQ(memcmp(&full, &same, sizeof full), 0);
}

TEST(Cadena, TextsBeyondTheCapacityAreCutAndStayTerminated) {
    CADENA a = crear_cadena2(std::string(150, 'a').c_str());
    EXPECT_EQ(a.longitud, 99);
    EXPECT_EQ(strlen(a.caracteres), 99u);

    CADENA b = concatenar_cadenas2(std::string(60, 'a').c_str(), std::string(60, 'b').c_str());
    EXPECT_EQ(b.longitud, 99);
    EXPECT_EQ(std::string(b.caracteres), std::string(60, 'a') + std::string(39, 'b'));
}

TEST(Cadena, NumbersBecomeTheirDecimalDigits) {
    struct {
        int n;
        const char *text;
    } cases[] = {{7, "7"},     {10, "10"}, {1000, "1000"},
                 {999, "999"}, {0, "0"},   {2147483647, "2147483647"},
                 {-5, "N/A"}};
    for (auto &k : cases) {
        CADENA c = num2cad(k.n);
        EXPECT_STREQ(c.caracteres, k.text) << k.n;
        EXPECT_EQ(c.longitud, strlen(k.text)) << k.n;
        EXPECT_TRUE(all_zero_after_text(c)) << k.n;
    }
}

TEST(Cadena, RtrimCutsAtTheFirstSpace) {
    char a[] = "velba1.vb3 2", b[] = " velba1", c[] = "velba1.vb3", d[] = "";
    rtrim(a);
    rtrim(b);
    rtrim(c);
    rtrim(d);
    EXPECT_STREQ(a, "velba1.vb3");
    EXPECT_STREQ(b, "");
    EXPECT_STREQ(c, "velba1.vb3");
    EXPECT_STREQ(d, "");
}

TEST(Cadena, MinusculasLowersOnlyTheLettersAToZ) {
    char a[] = "VELBA1.VB3", b[] = "velba1.vb3", c[] = "[@Z\xc1]";
    minusculas(a);
    minusculas(b);
    minusculas(c);
    EXPECT_STREQ(a, "velba1.vb3");
    EXPECT_STREQ(b, "velba1.vb3");
    EXPECT_STREQ(c, "[@z\xc1]");
}
