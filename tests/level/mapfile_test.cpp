// mapfile_test.cpp -- map files: sizes, round trips, the old form, and files that must be refused.
#include <gtest/gtest.h>
#include <filesystem>
#include <signal.h>
#include <sys/resource.h>
#include "level_fixture.h"

namespace fs = std::filesystem;

class MapFile : public LevelTest {};

// Plain files are the flags byte and the image, with the effect number when the flags say so;
// plain and packed files of every form read back identical and record their depth (16: 0x20).
// The old form (the image alone) reads the effect number only when there is one, and a file of
// any other length is refused.
TEST_F(MapFile, EveryFormReadsBackIdenticalWithTheExactSizeAndRecordedDepth) {
    Level *lv = level_new(16), *in = level_new(16, 0x55);
    level_randomise(lv, 2);
    for (int i = 0; i < 3; i++) // a few smooth pictures too, so packing meets both kinds of data
        for (int y = 0; y < 144; y++)
            for (int x = 0; x < 240; x++)
                putpixel(lv->backgrounds[i], x, y, makecol16(x, y, i * 80));
    for (unsigned char f : {0x08, 0x0A, 0x0B, 0x09, 0x0F}) {
        SCOPED_TRACE(f);
        level_randomise(in, f);
        ASSERT_EQ(level_write("l.vb3", lv, f), 1);
        std::string bytes = vbtest_read("l.vb3");
        if (!(f & 1)) {
            EXPECT_EQ(bytes.size(), 1u + 1211594u + (f & 2 ? 4 : 0));
        }
        EXPECT_EQ((unsigned char)bytes[0], f | 0x20);
        ASSERT_EQ(MAP_read("l.vb3", in), 1);
        EXPECT_EQ(in->flags, f | 0x20);
        EXPECT_TRUE(same_records(lv, in));
        EXPECT_TRUE(same_pixels(lv, in));
        EXPECT_EQ(in->effect, (f & 2) ? lv->effect : -1);
        EXPECT_EQ(estaComprimido(in->flags) + 2 * tieneEfecto(in->flags) +
                      4 * esEditable(in->flags) + 8 * esJugable(in->flags),
                  f & 0x0F);
    }

    ASSERT_EQ(level_write("n.vb3", lv, 0x0A), 1);
    std::string image = vbtest_read("n.vb3").substr(1);
    auto read_old = [in](const std::string &bytes) {
        vbtest_write("x.old", bytes);
        level_randomise(in, 9);
        return cargarMapaFormatoAntiguo("x.old", in->reserved, &in->header, in->rooms, in->levers,
                                        in->energy_items, in->backgrounds, in->tiles, in->sprites,
                                        &in->effect);
    };
    ASSERT_EQ(read_old(image), 1);
    EXPECT_EQ(in->effect, lv->effect);
    EXPECT_TRUE(same_records(lv, in));
    EXPECT_TRUE(same_pixels(lv, in));
    ASSERT_EQ(read_old(image.substr(0, image.size() - 4)), 1);
    EXPECT_EQ(in->effect, -1);
    for (size_t cut : {size_t(5), size_t(1)})
        EXPECT_EQ(read_old(image.substr(0, image.size() - cut)), 0) << cut;
    EXPECT_EQ(read_old(image + "x"), 0);
}

// Reads bytes as a map file into a level that already holds something, and expects a refusal
// that leaves it exactly as it was and says why in the log.
static void expect_refused(const std::string &bytes, const char *why, const Level *before,
                           Level *in) {
    vbtest_write("bad.vb3", bytes);
    fs::remove("log.txt");
    in->effect = 1234;
    EXPECT_EQ(MAP_read("bad.vb3", in), 0);
    EXPECT_EQ(in->effect, -1);
    EXPECT_EQ(in->flags, before->flags);
    EXPECT_TRUE(same_records(before, in));
    EXPECT_TRUE(same_pixels(before, in));
    EXPECT_NE(vbtest_read("log.txt").find(why), std::string::npos) << vbtest_read("log.txt");
}

TEST_F(MapFile, DamagedFilesAreRefusedAndLeaveTheLevelUntouched) {
    Level *lv = level_new(16);
    for (int y = 0; y < 144; y++) // smooth enough to be packed with zstd
        for (int x = 0; x < 240; x++)
            for (int i = 0; i < 5; i++)
                putpixel(lv->backgrounds[i], x, y, makecol16(x, y, 0));
    ASSERT_EQ(level_write("plain.vb3", lv, 0x0A), 1);
    ASSERT_EQ(level_write("packed.vb3", lv, 0x0B), 1);
    std::string plain = vbtest_read("plain.vb3"), packed = vbtest_read("packed.vb3");
    ASSERT_LT(packed.size(), plain.size() / 4);

    Level *before = level_new(16, 0x77), *in = level_new(16, 0x77);
    level_randomise(before, 99);
    level_randomise(in, 99);
    before->flags = in->flags = 0x77;
    EXPECT_EQ(MAP_read("missing.vb3", in), 0);
    EXPECT_TRUE(same_records(before, in));

    auto edit = [](std::string s, size_t at, int value, size_t len = 1) {
        return s.replace(at, len, len, (char)value);
    };
    size_t half = packed.size() / 2;
    const std::pair<std::string, const char *> damaged[] = {
        {"", "empty"},
        {plain.substr(0, 1), "truncated"},
        {plain.substr(0, 28874), "truncated"},
        {plain.substr(0, plain.size() - 1), "truncated"},
        {plain + '\0', "trailing"},
        {edit(plain, 0, plain[0] & ~2), "trailing"}, // says it has no effect, yet has four bytes
        {packed.substr(0, 4), "truncated"},
        {packed.substr(0, 17), "truncated"},
        {packed.substr(0, half), "truncated"},
        {packed.substr(0, packed.size() - 1), "truncated"},
        {packed + '\0', "trailing"},
        {edit(edit(packed, 1, 0x10), 2, 0, 3), "smaller than the level"}, // its size word
        {edit(packed, 4, 0x40), "absurdly large"},
        {edit(packed, half, packed[half] ^ 0x5A), "damaged"},
        {edit(packed, 5, 'X'), "damaged"},
        {edit(packed, 0, packed[0] & ~2),
         "wrong length"}}; // a good block of a level with no effect
    for (auto &d : damaged)
        expect_refused(d.first, d.second, before, in);
}

TEST_F(MapFile, AWriterThatCannotFinishKeepsTheOldFile) {
    Level *lv = level_new(16);
    level_randomise(lv, 5);
    ASSERT_EQ(level_write("keep.vb3", lv, 0x08), 1);
    std::string old = vbtest_read("keep.vb3");

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
    EXPECT_EQ(vbtest_read("keep.vb3"), old);
    EXPECT_NE(vbtest_read("log.txt").find("not written"), std::string::npos);

    // No such directory, a directory in the way, pictures of mixed depths.
    EXPECT_EQ(level_write("nowhere/keep.vb3", lv, 0x08), 0);
    fs::create_directory("taken.vb3");
    EXPECT_EQ(level_write("taken.vb3", lv, 0x08), 0);
    EXPECT_TRUE(fs::is_directory("taken.vb3"));
    BITMAP *odd = lv->tiles[7];
    lv->tiles[7] = create_bitmap_ex(32, CELL, CELL);
    EXPECT_EQ(level_write("keep.vb3", lv, 0x08), 0);
    destroy_bitmap(lv->tiles[7]);
    lv->tiles[7] = odd;
    EXPECT_EQ(vbtest_read("keep.vb3"), old);

    // Nothing but the kept file, the log and the directory is left behind.
    int entries = 0;
    for (auto &e : fs::directory_iterator("."))
        entries += e.path().filename() != "log.txt";
    EXPECT_EQ(entries, 2);
}
