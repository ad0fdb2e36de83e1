// cadena_test.cpp -- the fixed-capacity strings.
#include <gtest/gtest.h>
#include "util/cadena.h"

TEST(Cadena, JoinsTheMapsPath) {
    CADENA c = concatenar_cadenas2("maps/", "velba1.vb3");
    EXPECT_STREQ(c.caracteres, "maps/velba1.vb3");
    EXPECT_EQ(c.longitud, 15);
}
