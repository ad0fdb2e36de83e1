// zz.h -- the level block compressor: packs a level image in place, unpacks it in place.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>

// A block, as ZzCompressBlock leaves it at the start of the buffer (all words little-endian):
//
//   offset 0   u32  buffer size ZzUncompressBlock needs for this block (>= the image length)
//   offset 4   u8   'V'
//   offset 5   u8   'Z'
//   offset 6   u8   block format version, 1
//   offset 7   u8   method: 0 = stored, 1 = zstd
//   offset 8   u32  image length in bytes
//   offset 12  u32  stored: Adler-32 of the image; zstd: length of the zstd frame that follows
//   offset 16  ...  stored: the image itself; zstd: one zstd frame with its content checksum
//
// The image is stored whenever zstd would not make it smaller, so a block is never longer than
// the image plus ZZ_HEADER_SIZE bytes and compressing never runs out of room.
enum {
    ZZ_HEADER_SIZE = 16,
    ZZ_SLACK = 16,                  // bytes the caller leaves free after the image
    ZZ_MAX_IMAGE = 64 * 1024 * 1024 // larger images are refused
};

// Compresses the first length bytes of buffer in place (buffer holds length + ZZ_SLACK bytes);
// effort 0 is fastest, 1 the normal level, 2 or more the smallest. reserved must be 0. Returns the
// block's length, -1 for bad arguments, -2 when the compressor fails.
int ZzCompressBlock(unsigned char *buffer, int length, int effort, int reserved);

// Unpacks the block at the start of buffer in place; buffer holds at least as many bytes as the
// block's first word says, and nothing beyond that is touched. Returns the image length, now at the
// buffer's start, or -1 when the block is damaged.
int ZzUncompressBlock(unsigned char *buffer);

// The length in bytes the block at the start of buffer says it has (header included), or -1 when
// its header is damaged; available is how many bytes of it can be looked at.
long ZzBlockLength(const unsigned char *buffer, size_t available);
