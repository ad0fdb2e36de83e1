// leveltext_test.cpp -- a player's level text that reaches outside its folder or is not text.
// SPDX-License-Identifier: MIT
#include <sys/stat.h>
#include <unistd.h>
#include "support/vbtest.h"
#include "tools/levellib/leveltext.h"

using LevelText = ScratchDir;

// Includes are plain names of the level's folder, never links, their words never shown but their
// faults placed; escapes are escaped, a giant number shown as written, a file too big left unread.
TEST_F(LevelText, FaultsAreNamedWhereTheyAreWithControlBytesEscapedAndIncludesStayInTheFolder) {
    static LevelSource src;
    ASSERT_EQ(symlink("/etc/passwd", "passwd"), 0);
    vbtest_write("secret", "root:x:0:0:secret\n");
    std::string map = "room 0\nstart 1 1 left\nlever 2 2\nmap\n";
    for (int row = 0; row < ROOM_ROWS; row++)
        map += row == 1 ? "......?........\n" : "...............\n";
    vbtest_write("badmap", map + "end\n");
    const std::pair<std::string, std::string> cases[] = {
        {"\ninclude ../etc/passwd\n", "level.txt:2: include takes a file of this folder: a name "
                                      "without '/' or '..'"},
        {"include passwd\n", "passwd: is a link, which is not followed"},
        {"include secret\n", "secret:1: unknown word (word 1 of the line)"},
        {"include badmap\n",
         "badmap:14: room 0: the map character in row 2, column 7 has no tile entry"},
        {"levr\x1b[2J\n", "level.txt:1: unknown word 'levr\\x1b[2J'"},
        {"room 99999999999999999999999\n",
         "level.txt:1: room: '99999999999999999999999' is outside 0..24"},
        {"#\n\n#" + std::string(2000, 'x') + "\nroom 0\n",
         "level.txt:3: the line is longer than 1000 characters"},
        {"# a\n" + std::string("name a\0b\n", 9),
         "level.txt:2: a zero byte: this is not a text file"},
    };
    for (const auto &c : cases) {
        vbtest_write("level.txt", c.first);
        ASSERT_FALSE(LT_read_rooms("level.txt", &src)) << c.first;
        std::string error = src.error;
        EXPECT_EQ(error.substr(0, c.second.size()), c.second) << c.first;
        EXPECT_EQ(error.find("root"), std::string::npos) << error;
    }
    vbtest_write("big.txt", std::string(LT_SOURCE_MAX + 1, '#'));
    ASSERT_FALSE(LT_read_rooms("big.txt", &src));
    EXPECT_STREQ(src.error, "big.txt: is larger than 1048576 bytes (1048577)");
}
