// mapfile_test.cpp -- map files: sizes, round trips, the old form, and files that must be refused.
#include <gtest/gtest.h>
#include <filesystem>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <unistd.h>
#include "nivel_fixture.h"

namespace fs = std::filesystem;

class MapFile : public ScratchDirTest {};

TEST_F(MapFile, PlainFilesHaveTheExactSizeAndRecordTheirDepth) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 1);
    TestLevel *in = level_new(16);

    ASSERT_EQ(level_write("a.vb3", lv, 0x08), 1);
    std::vector<unsigned char> a = read_file("a.vb3");
    EXPECT_EQ(a.size(), 1u + 1211594u);
    EXPECT_EQ(a[0], 0x28);
    ASSERT_EQ(level_read("a.vb3", in), 1);
    EXPECT_EQ(in->flags, 0x28);
    EXPECT_EQ(in->effect, -1);

    ASSERT_EQ(level_write("b.vb3", lv, 0x0A), 1);
    std::vector<unsigned char> b = read_file("b.vb3");
    EXPECT_EQ(b.size(), 1u + 1211598u);
    EXPECT_EQ(b[0], 0x2A);
    ASSERT_EQ(level_read("b.vb3", in), 1);
    EXPECT_EQ(in->effect, lv->effect);
    EXPECT_EQ(esJugable(in->flags), 1);
    EXPECT_EQ(tieneEfecto(in->flags), 1);
    EXPECT_EQ(estaComprimido(in->flags), 0);
    EXPECT_EQ(esEditable(in->flags), 0);
    level_free(lv);
    level_free(in);
}

TEST_F(MapFile, PlainAndPackedLevelsReadBackIdentical) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 2);
    // A few smooth pictures too, so the packed file holds both kinds of data.
    for (int i = 0; i < 3; i++)
        for (int y = 0; y < 144; y++)
            for (int x = 0; x < 240; x++)
                putpixel(lv->bg[i], x, y, makecol16(x, y, i * 80));
    const unsigned char forms[] = {0x0A, 0x0B, 0x09, 0x0F};
    for (unsigned char f : forms) {
        SCOPED_TRACE(f);
        TestLevel *in = level_new(16, 0x55);
        ASSERT_EQ(level_write("l.vb3", lv, f), 1);
        ASSERT_EQ(level_read("l.vb3", in), 1);
        EXPECT_EQ(in->flags, f | 0x20);
        EXPECT_TRUE(same_records(lv, in));
        EXPECT_TRUE(same_pixels(lv, in));
        EXPECT_EQ(in->effect, (f & 2) ? lv->effect : -1);
        level_free(in);
    }
    level_free(lv);
}

TEST_F(MapFile, OldFormReadsTheEffectNumberOnlyWhenThereIsOne) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 3);
    ASSERT_EQ(level_write("n.vb3", lv, 0x0A), 1);
    std::vector<unsigned char> b = read_file("n.vb3");
    std::vector<unsigned char> with(b.begin() + 1, b.end());
    std::vector<unsigned char> without(b.begin() + 1, b.end() - 4);
    write_file("with.old", with);
    write_file("without.old", without);

    TestLevel *in = level_new(16, 0x55);
    ASSERT_EQ(cargarMapaFormatoAntiguo("with.old", in->reserved, &in->header, in->rooms, in->levers,
                                       in->energy, in->bg, in->tiles, in->sprites, &in->effect),
              1);
    EXPECT_EQ(in->effect, lv->effect);
    EXPECT_TRUE(same_records(lv, in));
    EXPECT_TRUE(same_pixels(lv, in));
    in->effect = 5;
    ASSERT_EQ(cargarMapaFormatoAntiguo("without.old", in->reserved, &in->header, in->rooms,
                                       in->levers, in->energy, in->bg, in->tiles, in->sprites,
                                       &in->effect),
              1);
    EXPECT_EQ(in->effect, -1);
    without.resize(without.size() - 1);
    write_file("short.old", without);
    EXPECT_EQ(cargarMapaFormatoAntiguo("short.old", in->reserved, &in->header, in->rooms,
                                       in->levers, in->energy, in->bg, in->tiles, in->sprites,
                                       &in->effect),
              0);
    level_free(lv);
    level_free(in);
}

// Reads bytes as a map file into a level that already holds something, and expects a refusal
// that leaves it exactly as it was and says why in the log.
static void expect_refused(const std::vector<unsigned char> &bytes, const char *why,
                           const TestLevel *before, TestLevel *in) {
    write_file("bad.vb3", bytes);
    fs::remove("log.txt");
    in->effect = 1234;
    EXPECT_EQ(level_read("bad.vb3", in), 0);
    EXPECT_EQ(in->effect, -1);
    EXPECT_EQ(in->flags, before->flags);
    EXPECT_TRUE(same_records(before, in));
    EXPECT_TRUE(same_pixels(before, in));
    EXPECT_NE(read_log().find(why), std::string::npos) << read_log();
}

TEST_F(MapFile, DamagedFilesAreRefusedAndLeaveTheLevelUntouched) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 4);
    for (int y = 0; y < 144; y++) // smooth enough to be packed with zstd
        for (int x = 0; x < 240; x++)
            for (int i = 0; i < 5; i++)
                putpixel(lv->bg[i], x, y, makecol16(x, y, 0));
    for (int i = 0; i < TILE_COUNT; i++) {
        clear_to_color(lv->tiles[i], i);
        clear_to_color(lv->sprites[i], 3 * i);
    }
    ASSERT_EQ(level_write("plain.vb3", lv, 0x0A), 1);
    ASSERT_EQ(level_write("packed.vb3", lv, 0x0B), 1);
    std::vector<unsigned char> plain = read_file("plain.vb3");
    std::vector<unsigned char> packed = read_file("packed.vb3");
    ASSERT_LT(packed.size(), plain.size() / 4);

    TestLevel *before = level_new(16, 0x77);
    level_randomise(before, 99);
    before->flags = 0x77;
    TestLevel *in = level_new(16, 0x77);
    level_randomise(in, 99);
    in->flags = 0x77;

    EXPECT_EQ(level_read("missing.vb3", in), 0);
    EXPECT_EQ(in->effect, -1);
    EXPECT_TRUE(same_records(before, in));

    expect_refused({}, "empty", before, in);
    const size_t cuts[] = {1, 50, 28874, 600000, plain.size() - 1};
    for (size_t cut : cuts) {
        SCOPED_TRACE(cut);
        expect_refused(std::vector<unsigned char>(plain.begin(), plain.begin() + cut), "truncated",
                       before, in);
    }
    std::vector<unsigned char> longer = plain;
    longer.push_back(0);
    expect_refused(longer, "trailing", before, in);
    std::vector<unsigned char> lying = plain; // says it has no effect number, yet has four bytes
    lying[0] &= ~0x02;
    expect_refused(lying, "trailing", before, in);

    const size_t packed_cuts[] = {1, 4, 17, packed.size() / 2, packed.size() - 1};
    for (size_t cut : packed_cuts) {
        SCOPED_TRACE(cut);
        expect_refused(std::vector<unsigned char>(packed.begin(), packed.begin() + cut),
                       "truncated", before, in);
    }
    longer = packed;
    longer.push_back(0);
    expect_refused(longer, "trailing", before, in);

    std::vector<unsigned char> small = packed; // size word below the level image
    small[1] = 0x10, small[2] = small[3] = small[4] = 0;
    expect_refused(small, "smaller than the level", before, in);
    std::vector<unsigned char> huge = packed;
    huge[4] = 0x40;
    expect_refused(huge, "absurdly large", before, in);
    std::vector<unsigned char> corrupt = packed;
    corrupt[packed.size() / 2] ^= 0x5A;
    expect_refused(corrupt, "damaged", before, in);
    std::vector<unsigned char> header = packed;
    header[5] = 'X';
    expect_refused(header, "damaged", before, in);
    std::vector<unsigned char> wrong = packed; // a good block, but of a level with no effect
    wrong[0] &= ~0x02;
    expect_refused(wrong, "wrong length", before, in);

    level_free(lv);
    level_free(before);
    level_free(in);
}

TEST_F(MapFile, WriterThatCannotFinishKeepsTheOldFile) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 5);
    ASSERT_EQ(level_write("keep.vb3", lv, 0x08), 1);
    std::vector<unsigned char> old = read_file("keep.vb3");

    // A full disk: the file size limit stops the write part way.
    struct rlimit saved, limit;
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = saved;
    limit.rlim_cur = 100000;
    void (*old_handler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    int full = level_write("keep.vb3", lv, 0x0A);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, old_handler);
    EXPECT_EQ(full, 0);
    EXPECT_EQ(read_file("keep.vb3"), old);
    EXPECT_NE(read_log().find("not written"), std::string::npos);

    // No such directory, and a directory in the way of the file.
    EXPECT_EQ(level_write("nowhere/keep.vb3", lv, 0x08), 0);
    fs::create_directory("taken.vb3");
    EXPECT_EQ(level_write("taken.vb3", lv, 0x08), 0);
    EXPECT_TRUE(fs::is_directory("taken.vb3"));

    // Pictures of mixed depths cannot be recorded.
    BITMAP *odd = lv->tiles[7];
    lv->tiles[7] = create_bitmap_ex(32, CELL, CELL);
    EXPECT_EQ(level_write("keep.vb3", lv, 0x08), 0);
    destroy_bitmap(lv->tiles[7]);
    lv->tiles[7] = odd;
    EXPECT_EQ(read_file("keep.vb3"), old);

    // Nothing but the kept file, the log and the directory is left behind.
    int entries = 0;
    for (auto &e : fs::directory_iterator("."))
        entries += e.path().filename() != "log.txt";
    EXPECT_EQ(entries, 2);
    level_free(lv);
}
