// records_test.cpp -- par and records files: read back as written, damage refused, never lost.
// SPDX-License-Identifier: MIT
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include "level/par.h"
#include "level/records.h"
#include "support/vbtest.h"

class RecordsFiles : public ScratchDir {};

static int parse_par(const std::string &text, ParFile *par) {
    char why[120] = "";
    return PAR_parse(text.data(), text.size(), par, why, sizeof why);
}

// A par file's routes come back as written; every kind of damage refuses the file whole.
TEST_F(RecordsFiles, ParAndRecordsRoundTripDamageRefusesAParFileAndSetsRecordsAsideNeverLost) {
    static ParFile par, back;
    PAR_reset(&par);
    strcpy(par.routes[0][PAR_FASTEST].keys, "RRU.");
    par.routes[0][PAR_FASTEST].frames = 4;
    strcpy(par.routes[0][PAR_FULL].keys, "LLDabcd");
    par.routes[0][PAR_FULL].frames = 7;
    memset(par.routes[24][PAR_FASTEST].keys, 'R', PAR_MAX_FRAMES);
    par.routes[24][PAR_FASTEST].frames = PAR_MAX_FRAMES;
    ASSERT_EQ(PAR_save("a.par", &par), 0);
    char why[120] = "";
    ASSERT_EQ(PAR_load("a.par", &back, why, sizeof why), PAR_OK) << why;
    EXPECT_EQ(memcmp(&par, &back, sizeof par), 0);
    EXPECT_EQ(PAR_load("none.par", &back, why, sizeof why), PAR_MISSING);
    const std::string head = "velumbrina par 1\n";
    EXPECT_EQ(parse_par(head + "# a note\n\nroom 3 fastest 2 RU", &back), PAR_OK);
    EXPECT_EQ(std::make_pair(PAR_room(&back, 2), PAR_room(&back, 25)), std::make_pair(2, 0));
    for (const std::string &bad :
         {std::string(), std::string("velumbrina par 2\n"), std::string("velumbrina par\n"),
          head + "room 26 fastest 1 R\n", head + "room 0 fastest 1 R\n",
          head + "room 1 fastest 3 RR\n", head + "room 1 fastest 2 RX\n",
          head + "room 1 slowest 1 R\n", head + "room 1 fastest 0 \n",
          head + "room 1 fastest 4001 R\n", head + "room 1 fastest 1 R\nroom 1 fastest 1 L\n",
          head + "room 1 fastest 2 RR\nroom 1 full 1 R\n",
          head + "room 1 fastest 1 R\ngarbage\n"}) {
        SCOPED_TRACE(bad);
        back.routes[0][PAR_FASTEST].frames = 99;
        EXPECT_EQ(parse_par(bad, &back), PAR_DAMAGED);
        EXPECT_EQ(back.routes[0][PAR_FASTEST].frames, 0) << "a refused file left a route behind";
    }
    mkdir("folder.par", 0755);
    EXPECT_EQ(PAR_load("folder.par", &back, why, sizeof why), PAR_DAMAGED);
    char path[16];
    EXPECT_FALSE(PAR_path("levels/a_long_name.vb3", path, sizeof path));
    EXPECT_TRUE(PAR_path("my.levels/x", path, sizeof path));
    EXPECT_STREQ(path, "my.levels/x.par");
    // Records come back as written; a file that cannot be trusted is set aside or left alone.
    static Records r, records;
    RECORDS_reset(&r);
    char key[RECORDS_KEY_MAX];
    RECORDS_key("/home/me/levels/my level.vb3", key, sizeof key);
    EXPECT_STREQ(key, "levels/my_level.vb3");
    LevelRecord *a = RECORDS_level(&r, "maps/velba1.vb3", 1);
    ASSERT_NE(a, nullptr);
    a->reached = 0x1000005;
    a->rooms[0] = {412, 7, 2};
    a->rooms[24] = {0, 3, 3};
    RECORDS_level(&r, "levels/x.vb3", 1)->rooms[4] = {1, 1, 0};
    ASSERT_EQ(RECORDS_save("records.txt", &r), 0);
    ASSERT_EQ(RECORDS_load("records.txt", &records), RECORDS_LOADED);
    EXPECT_EQ(memcmp(&r, &records, sizeof r), 0);
    for (int i = 2; i < RECORDS_LEVELS; i++)
        RECORDS_level(&r, ("l" + std::to_string(i)).c_str(), 1);
    EXPECT_EQ(RECORDS_level(&r, "one too many", 1), nullptr);
    EXPECT_EQ(RECORDS_load("missing.txt", &records), RECORDS_LOADED);
    EXPECT_EQ(records.count, 0);
    const std::string v1 = "velumbrina records 1\n", lv = v1 + "level a reached 1\n",
                      older = v1 + "ghost off\nlevel a reached 1\n"; // OPTIONS has it now
    EXPECT_TRUE(RECORDS_parse(older.data(), older.size(), &records, why, sizeof why)) << why;
    EXPECT_TRUE(records.ghost_off);
    for (const std::string &bad :
         {v1 + "room 1 best 1 attempts 1 deaths 1\n", lv + "room 26 best 1 attempts 1 deaths 1\n",
          lv + "room 1 best -1 attempts 1 deaths 1\n", lv + "room 1 best 1 attempts 1\n",
          v1 + "level a reached zz\n", lv + "level a reached 1\n", v1 + "ghost maybe\n",
          v1 + "what\n", std::string("velumbrina records\n"), std::string()}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(RECORDS_parse(bad.data(), bad.size(), &records, why, sizeof why));
        EXPECT_EQ(records.count, 0);
    }
    // Damaged twice: each copy is kept under its own name, and the records start afresh.
    vbtest_write("records.txt", "velumbrina records 1\nlevel a reached\n");
    vbtest_write("records.txt.damaged", "an earlier one");
    EXPECT_EQ(RECORDS_load("records.txt", &records), RECORDS_SET_ASIDE);
    EXPECT_EQ(records.count, 0);
    EXPECT_NE(access("records.txt", F_OK), 0);
    EXPECT_EQ(vbtest_read("records.txt.damaged"), "an earlier one");
    EXPECT_EQ(vbtest_read("records.txt.damaged2"), "velumbrina records 1\nlevel a reached\n");
    // A later version's file, and one in a folder that cannot be changed, stay where they are.
    vbtest_write("later.txt", "velumbrina records 2\nsomething new\n");
    EXPECT_EQ(RECORDS_load("later.txt", &records), RECORDS_KEPT);
    EXPECT_EQ(vbtest_read("later.txt"), "velumbrina records 2\nsomething new\n");
    mkdir("ro", 0755);
    vbtest_write("ro/records.txt", "garbage");
    chmod("ro", 0555);
    if (access("ro/x", F_OK) != 0 && geteuid() != 0) {
        EXPECT_EQ(RECORDS_load("ro/records.txt", &records), RECORDS_KEPT);
        EXPECT_EQ(vbtest_read("ro/records.txt"), "garbage");
    }
    chmod("ro", 0755);
}
