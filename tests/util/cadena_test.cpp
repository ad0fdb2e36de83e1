// cadena_test.cpp -- the fixed-capacity strings and the two in-place helpers, as the game uses.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include "util/cadena.h"

// Texts of at most 99 characters with their length; level names cut at a blank, A-Z lowered.
TEST(Cadena, BuildersKeepTextLengthAndCapacityAndTheLevelNameIsTrimmedAndLowered) {
    auto text = [](const CADENA &c) { // its text (at the record's address), then its length
        return std::string((const char *)&c) + " " + std::to_string(c.longitud);
    };
    EXPECT_EQ(text(concatenar_cadenas2("maps/", "velba1.vb3")), "maps/velba1.vb3 15");
    for (auto k : {std::make_pair("velba1", 1), {"velbb1", 0}, {"xelba1", 0}, {"velba", 0}})
        EXPECT_EQ(comparar_cadenas(crear_cadena2(k.first), crear_cadena2("velba1")), k.second);

    EXPECT_EQ(crear_cadena2(std::string(150, 'a').c_str()).longitud, 99);
    CADENA b = concatenar_cadenas2(std::string(60, 'a').c_str(), std::string(60, 'b').c_str());
    EXPECT_EQ(text(b), std::string(60, 'a') + std::string(39, 'b') + " 99");

    char blank[] = " velba1", upper[] = "[@AZ\xc1]"; // (a whole name: juego's test)
    rtrim(blank);
    minusculas(upper);
    EXPECT_STREQ(blank, "");
    EXPECT_STREQ(upper, "[@az\xc1]");
}
