// zz_test.cpp -- the block compressor: in place within its slack, size word, damage detection.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <stdint.h>
#include <vector>
#include "level/zz.h"

static uint32_t size_word(const std::vector<unsigned char> &b) {
    return b[0] | b[1] << 8 | b[2] << 16 | (uint32_t)b[3] << 24;
}

// Packs image in place within its slack, unpacks it within the size word's length; the block.
static std::vector<unsigned char> pack_and_check(const std::vector<unsigned char> &image) {
    std::vector<unsigned char> buf(image);
    buf.resize(image.size() + ZZ_SLACK);
    int n = ZzCompressBlock(buf.data(), (int)image.size(), 1, 0);
    EXPECT_TRUE(n > 0 && n <= (int)image.size() + ZZ_SLACK) << n;
    EXPECT_TRUE(ZzBlockLength(buf.data(), (size_t)n) == n && size_word(buf) >= image.size());
    std::vector<unsigned char> block(buf.begin(), buf.begin() + n), room(block);
    room.resize(size_word(buf));
    EXPECT_EQ(ZzUncompressBlock(room.data()), (int)image.size());
    room.resize(image.size());
    EXPECT_EQ(room, image);
    return block;
}

// Smooth images shrink, noise is stored; damage and a size word too small are refused.
TEST(ZzBlock, PacksSmoothImagesStoresNoiseAndRefusesDamage) {
    std::vector<unsigned char> smooth(300000), noise(5000);
    uint32_t s = 7;
    for (size_t i = 0; i < smooth.size(); i++)
        smooth[i] = (unsigned char)(i / 97 + (i % 4 == 0 ? i / 4 % 7 : 0));
    for (size_t i = 0; i < noise.size(); i++)
        noise[i] = (unsigned char)((s = s * 1664525u + 1013904223u) >> 24);
    const std::vector<unsigned char> blocks[] = {pack_and_check(smooth), pack_and_check(noise)};
    EXPECT_LT(blocks[0].size(), smooth.size() / 10);
    EXPECT_EQ(blocks[1].size(), noise.size() + ZZ_SLACK);
    pack_and_check(std::vector<unsigned char>(1, 42));
    for (const std::vector<unsigned char> &block : blocks) {
        for (size_t at : {(size_t)4, (size_t)7, (size_t)9, block.size() / 2, block.size() - 1}) {
            std::vector<unsigned char> bad(block);
            bad.resize(size_word(block));
            bad[at] ^= 0x21;
            EXPECT_EQ(ZzUncompressBlock(bad.data()), -1) << at;
        }
        std::vector<unsigned char> tight(block);
        tight[0] = 20, tight[1] = tight[2] = tight[3] = 0;
        EXPECT_EQ(ZzBlockLength(tight.data(), tight.size()), -1);
        EXPECT_EQ(ZzUncompressBlock(tight.data()), -1);
        EXPECT_EQ(ZzBlockLength(block.data(), 15), -1);
    }
}
