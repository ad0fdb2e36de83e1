// level_id.cpp -- which level a replay belongs to: the SHA-256 of its file (libsodium) and its
// names.
// SPDX-License-Identifier: MIT
#include <sodium.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "platform/fileio.h"
#include "replay/replay_fields.h"

void REPLAY_sha256(const void *data, size_t n, unsigned char out[32]) {
    crypto_hash_sha256(out, (const unsigned char *)data, n);
}

// Copies at most REPLAY_NAME_MAX bytes of from (n of them, stopping at a zero) as printable text.
static void printable(char *to, const unsigned char *from, size_t n) {
    size_t k = 0;
    for (; k < n && k < REPLAY_NAME_MAX && from[k]; k++)
        to[k] = from[k] >= 32 && from[k] <= 126 ? (char)from[k] : '?';
    to[k] = 0;
}

int REPLAY_file_sha256(const char *path, unsigned char out[32], char *why, size_t why_size) {
    FioData d;
    int res = FIO_read(path, REPLAY_LEVEL_FILE_MAX, &d);
    if (res != FIO_OK) {
        char buf[120];
        snprintf(why, why_size, "%s %s", path,
                 FIO_why(res, &d, REPLAY_LEVEL_FILE_MAX, buf, sizeof buf));
        return 0;
    }
    REPLAY_sha256(d.data, d.size, out);
    free(d.data);
    return 1;
}

int REPLAY_level_id(const char *path, const Level *lv, ReplayLevelId *id, char *why,
                    size_t why_size) {
    memset(id, 0, sizeof *id);
    if (!REPLAY_file_sha256(path, id->sha256, why, why_size)) return 0;
    printable(id->name, lv->header.name, sizeof lv->header.name);
    const char *slash = strrchr(path, '/');
    const char *base = slash ? slash + 1 : path;
    printable(id->file, (const unsigned char *)base, strlen(base));
    return 1;
}
