// azar_test.cpp -- the random number generator whose state is a record.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <stdlib.h>
#include "util/azar.h"

// It gives the standard library's numbers for a seed (1 and 0 as an unseeded rand()).
TEST(Azar, GivesTheLibrarysNumbersForASeed) {
    for (unsigned seed : {1u, 0u, 7u, 4000000000u}) {
        AzarState s;
        AZAR_seed(&s, seed);
        srand(seed);
        for (int i = 0; i < 1000; i++)
            ASSERT_EQ(AZAR_next(&s), rand()) << "seed " << seed << ", number " << i;
    }
}
