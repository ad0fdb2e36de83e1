// cadena_test.cpp -- the fixed-capacity strings and the two in-place helpers.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <string.h>
#include <string>
#include <utility>
#include "util/cadena.h"

// Texts of at most 99 characters with their length; level names cut at a blank, A-Z lowered.
TEST(Cadena, BuildersKeepTextLengthAndCapacityAndTheLevelNameIsTrimmedAndLowered) {
    auto text = [](const CADENA &c) { // its text (at the record's address), then its length
        return std::string((const char *)&c) + " " + std::to_string(c.longitud);
    };
    EXPECT_EQ(text(concatenar_cadenas2("maps/", "velba1.vb3")), "maps/velba1.vb3 15");
    CADENA e = crear_cadena1(), z = crear_cadena2("");
    EXPECT_EQ(memcmp(&e, &z, sizeof e), 0);
    for (auto k : {std::make_pair("velba1", 1), {"velbb1", 0}, {"xelba1", 0}, {"velba", 0}})
        EXPECT_EQ(comparar_cadenas(crear_cadena2(k.first), crear_cadena2("velba1")), k.second);

    CADENA a = anadir_caracter_cadena(crear_cadena2("ab"), 'c' + 256); // only the low byte
    EXPECT_EQ(text(a), "abc 3");
    EXPECT_EQ(text(eliminar_caracter_cadena(a)), "ab 2");
    EXPECT_EQ(text(eliminar_caracter_cadena(crear_cadena1())), " 0");
    CADENA full = crear_cadena2(std::string(98, 'x').c_str());
    EXPECT_EQ(anadir_caracter_cadena(full, 'y').longitud, 98);

    EXPECT_EQ(crear_cadena2(std::string(150, 'a').c_str()).longitud, 99);
    CADENA b = concatenar_cadenas2(std::string(60, 'a').c_str(), std::string(60, 'b').c_str());
    EXPECT_EQ(text(b), std::string(60, 'a') + std::string(39, 'b') + " 99");
    EXPECT_EQ(text(concatenar_cadenas1(crear_cadena2("ab"), crear_cadena2("cd"))), "abcd 4");
    for (auto k : {std::make_pair(1000, "1000"), {0, "0"}, {2147483647, "2147483647"}, {-5, "N/A"}})
        EXPECT_STREQ(num2cad(k.first).caracteres, k.second) << k.first;

    char name[] = "velba1.vb3 2", blank[] = " velba1", upper[] = "[@AZ\xc1]";
    rtrim(name);
    rtrim(blank);
    minusculas(upper);
    EXPECT_STREQ(name, "velba1.vb3");
    EXPECT_STREQ(blank, "");
    EXPECT_STREQ(upper, "[@az\xc1]");
}
