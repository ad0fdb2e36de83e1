// leveltext_test.cpp -- a player's level text that reaches for other files, or is not text at
// all: refused with the file and line, never waited on, never echoing what it should not.
// SPDX-License-Identifier: MIT
#include <sys/stat.h>
#include <unistd.h>
#include "support/vbtest.h"
#include "tools/levellib/leveltext.h"

using LevelText = ScratchDir;

static LevelSource src;

// The error of reading the file (level.txt holding the text when one is given), or "read".
static std::string error_of(const std::string &text, const char *path = "level.txt") {
    if (!text.empty()) vbtest_write(path, text);
    return LT_read_rooms(path, &src) ? "read" : src.error;
}

// Includes are plain names of the level's folder, never links or pipes; an included file's words
// never appear in an error (it may be anything), its faults are placed by line, word, row, column.
TEST_F(LevelText, IncludesStayInTheFolderAndTheirWordsAreNeverShown) {
    ASSERT_EQ(symlink("/etc/passwd", "passwd") | mkfifo("pipe.txt", 0644), 0);
    vbtest_write("secret", "root:x:0:0:secret\n");
    vbtest_write("badtile", "\n\ntile x back=99999\n");
    std::string map = "room 0\nstart 1 1 left\nlever 2 2\nmap\n";
    for (int row = 0; row < ROOM_ROWS; row++)
        map += row == 1 ? "......?........\n" : "...............\n";
    vbtest_write("badmap", map + "end\n");
    struct {
        const char *text, *error;
    } cases[] = {
        {"\ninclude ../etc/passwd\n", "level.txt:2: include takes a file of this folder: a name "
                                      "without '/' or '..'"},
        {"include ..\n", "level.txt:1: include takes a file of this folder"},
        {"include passwd\n", "passwd: is a link, which is not followed"},
        {"include pipe.txt\n", "pipe.txt: is a named pipe, not a file"},
        {"include secret\n", "secret:1: unknown word (word 1 of the line)"},
        {"include badtile\n", "badtile:3: tile: (word 3 of the line) is outside 0..239"},
        {"include badmap\n",
         "badmap:14: room 0: the map character in row 2, column 7 has no tile entry"},
    };
    for (const auto &c : cases) {
        std::string error = error_of(c.text);
        EXPECT_EQ(error.substr(0, strlen(c.error)), c.error) << c.text;
        EXPECT_EQ(error.find("root"), std::string::npos) << error;
    }
}

// Faults are named as they are: terminal escapes escaped, a giant number as written, a long line
// at its line, a zero byte as not text; a device or a file too big is refused unread.
TEST_F(LevelText, FaultsAreReportedAsWhatTheyAreWithControlBytesEscaped) {
    struct {
        std::string text;
        const char *error;
    } cases[] = {
        {"levr\x1b[2J\n", "level.txt:1: unknown word 'levr\\x1b[2J'"},
        {"room 99999999999999999999999\n",
         "level.txt:1: room: '99999999999999999999999' is outside 0..24"},
        {"room 30\n", "level.txt:1: room: 30 is outside 0..24"},
        {"#\n\n#" + std::string(2000, 'x') + "\nroom 0\n",
         "level.txt:3: the line is longer than 1000 characters"},
        {"# a\n" + std::string("name a\0b\n", 9),
         "level.txt:2: a zero byte: this is not a text file"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(error_of(c.text), c.error);
    EXPECT_EQ(error_of("", "/dev/zero"), "/dev/zero: is a device, not a file");
    EXPECT_EQ(error_of(std::string(LT_SOURCE_MAX + 1, '#'), "big.txt"),
              "big.txt: is larger than 1048576 bytes (1048577)");
}
