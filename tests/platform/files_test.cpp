// files_test.cpp -- files read and written with care: links, pipes, devices, sizes, full disks.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/fileio.h"
#include "support/vbtest.h"

using Files = ScratchDir;

static long open_descriptors(void) {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
}

static std::string why(int result, const FioData &d, size_t max) {
    char buf[120];
    return FIO_why(result, &d, max, buf, sizeof buf);
}

// A replace takes a link's place, a create goes over nothing, a failed write leaves no trace;
// reads refuse all but a regular file within the limit, links when asked. No descriptor stays open.
TEST_F(Files, WritesNeverFollowLinksAndLandWholeOrNotAtAllReadsRefuseWhatIsNotAFileOrTooBig) {
    long descriptors = open_descriptors();
    vbtest_write("victim", "keep");
    ASSERT_EQ(symlink("victim", "link"), 0);
    ASSERT_EQ(symlink("nowhere", "dangling"), 0);
    EXPECT_EQ(FIO_replace("link", "new", 3, 0640), 0);
    EXPECT_EQ(vbtest_read("victim"), "keep");
    EXPECT_EQ(vbtest_read("link"), "new");

    for (const char *taken : {"victim", "link", "dangling"})
        EXPECT_EQ(FIO_create(taken, "x", 1, FIO_NEW_FILE), EEXIST) << taken;
    EXPECT_EQ(FIO_create("fresh", "abc", 3, FIO_NEW_FILE), 0);
    EXPECT_EQ(vbtest_read("fresh"), "abc");

    ASSERT_EQ(mkdir("folder", 0755), 0);
    EXPECT_NE(FIO_replace("folder", "x", 1, FIO_NEW_FILE), 0);
    struct rlimit old, tiny;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    tiny = {1000, old.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    std::string big(5000, 'b');
    int err = FIO_replace("fresh", big.data(), big.size(), FIO_NEW_FILE);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(err, EFBIG);
    EXPECT_EQ(vbtest_read("fresh"), "abc");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 5); // no stray file

    ASSERT_EQ(mkfifo("pipe", 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", "zero"), 0);
    int fd = open("huge", O_WRONLY | O_CREAT, 0644); // 4 GB, as a sparse file
    ASSERT_EQ(ftruncate(fd, 4LL << 30), 0);
    close(fd);
    vbtest_write("text", "hello");
    ASSERT_EQ(symlink("text", "to-text"), 0);
    struct Case {
        const char *path;
        int result;
        const char *why;
    } cases[] = {
        {"pipe", FIO_NOT_REGULAR, "is a named pipe, not a file"},
        {"folder", FIO_NOT_REGULAR, "is a folder, not a file"},
        {"zero", FIO_NOT_REGULAR, "is a device, not a file"},
        {"huge", FIO_TOO_BIG, "is larger than 100 bytes (4294967296)"},
        {"absent", FIO_MISSING, "is missing"},
    };
    for (const Case &c : cases) {
        FioData d;
        EXPECT_EQ(FIO_read(c.path, 100, &d), c.result) << c.path;
        EXPECT_EQ(d.data, nullptr);
        EXPECT_EQ(why(c.result, d, 100), c.why);
        EXPECT_EQ(FIO_check(c.path, 100, nullptr), c.result) << c.path;
    }
    FioData d;
    ASSERT_EQ(FIO_read("to-text", 5, &d), FIO_OK);
    EXPECT_EQ(std::string((char *)d.data), "hello") << "ends with a zero";
    free(d.data);
    EXPECT_EQ(FIO_read("text", 4, &d), FIO_TOO_BIG);
    EXPECT_EQ(FIO_read_at(AT_FDCWD, "to-text", 5, 1, &d), FIO_NOT_REGULAR);
    EXPECT_EQ(why(FIO_NOT_REGULAR, d, 5), "is a link, which is not followed");
    if (geteuid() != 0) { // the superuser reads anything
        chmod("text", 0);
        EXPECT_EQ(FIO_read("text", 5, &d), FIO_UNREADABLE);
        EXPECT_EQ(why(FIO_UNREADABLE, d, 5), "cannot be read (Permission denied)");
    }
    EXPECT_EQ(open_descriptors(), descriptors);
}
