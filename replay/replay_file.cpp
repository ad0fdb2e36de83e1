// replay_file.cpp -- a replay's file (docs/REPLAYS.md): a short plain header, then the body
// compressed by zstd with its checksum; every field read back is checked before it is used.
// SPDX-License-Identifier: MIT
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <zstd.h>
#include "platform/fileio.h"
#include "replay/replay_fields.h"
#include "util/bytes.h"

enum {
    HEADER_SIZE = 12,      // magic, format, spare, body size
    BODY_MAX = 128 * 1024, // more than the largest body this format can hold
    ZSTD_LEVEL = 19,       // small files, made once per attempt
    PARTICLE_BYTES = 12,
    CHECK_BYTES = 8, // the file's last bytes: the start of the SHA-256 of all before them
};
static const unsigned char MAGIC[4] = {'V', 'B', 'R', 'P'};
static_assert(REPLAY_MAX_FRAMES + REPLAY_MAX_DIGESTS * 4 + PARTICLES * PARTICLE_BYTES +
                      REPLAY_MAX_FIELDS * 70 + 2048 <
                  BODY_MAX,
              "the body's limit holds the largest replay");

// --- writing ---

struct Out {
    unsigned char *p;
    size_t n;
};

static void put_u8(Out *o, int v) {
    o->p[o->n++] = (unsigned char)v;
}

static void put_u16(Out *o, int v) {
    put_u8(o, v & 0xff);
    put_u8(o, v >> 8 & 0xff);
}

static void put_u32(Out *o, uint32_t v) {
    le32_put(o->p + o->n, v);
    o->n += 4;
}

static void put_text(Out *o, const char *s, size_t max) {
    size_t n = strnlen(s, max);
    put_u8(o, (int)n);
    memcpy(o->p + o->n, s, n);
    o->n += n;
}

// The body: everything but the plain header.
static void write_body(const Replay *r, Out *o) {
    put_text(o, r->game_version, REPLAY_VERSION_MAX);
    put_u32(o, (uint32_t)((uint64_t)r->recorded & 0xffffffffu));
    put_u32(o, (uint32_t)((uint64_t)r->recorded >> 32));
    memcpy(o->p + o->n, r->level.sha256, 32);
    o->n += 32;
    put_text(o, r->level.name, REPLAY_NAME_MAX);
    put_text(o, r->level.file, REPLAY_NAME_MAX);
    put_u8(o, r->room);
    put_u8(o, r->ending);
    put_u32(o, (uint32_t)r->frames);
    put_u32(o, (uint32_t)r->energy_left);
    const ReplayStart *s = &r->start;
    put_u8(o, s->field_count);
    for (int i = 0; i < s->field_count; i++) {
        put_text(o, REPLAY_field_name(s->field_index[i]), REPLAY_NAME_MAX);
        put_u32(o, (uint32_t)s->field_value[i]);
    }
    put_u32(o, s->levers_active);
    put_u32(o, s->items_active);
    for (uint32_t w : s->azar.words)
        put_u32(o, w);
    put_u8(o, s->azar.front);
    put_u8(o, s->azar.rear);
    put_u16(o, s->particle_count);
    for (int i = 0; i < s->particle_count; i++) { // REPLAY_particle_fits holds for each
        const ReplayParticle *rp = &s->particles[i];
        const int v[] = {rp->slot, rp->p.x, rp->p.y, rp->p.vx & 0xffff, rp->p.vy & 0xffff};
        for (int x : v)
            put_u16(o, x);
        put_u8(o, rp->p.age);
        put_u8(o, rp->p.state);
    }
    memcpy(o->p + o->n, r->keys, (size_t)r->frames);
    o->n += (size_t)r->frames;
    for (int i = 0; i < REPLAY_digest_count(r->frames); i++)
        put_u32(o, r->digests[i]);
}

int REPLAY_encode(const Replay *r, unsigned char **data, size_t *size) {
    *data = nullptr;
    *size = 0;
    if (r->ending < 0 || r->ending >= REPLAY_ENDINGS || r->too_long || r->frames < 1 ||
        r->frames > REPLAY_MAX_FRAMES)
        return 0;
    Out body = {(unsigned char *)malloc(BODY_MAX), 0};
    size_t cap = HEADER_SIZE + ZSTD_compressBound(BODY_MAX) + CHECK_BYTES;
    unsigned char *file = (unsigned char *)malloc(cap);
    ZSTD_CCtx *cx = ZSTD_createCCtx();
    int ok = 0;
    if (body.p && file && cx) {
        write_body(r, &body);
        memcpy(file, MAGIC, 4);
        file[4] = REPLAY_FORMAT & 0xff;
        file[5] = REPLAY_FORMAT >> 8;
        file[6] = file[7] = 0;
        le32_put(file + 8, (uint32_t)body.n);
        ZSTD_CCtx_setParameter(cx, ZSTD_c_compressionLevel, ZSTD_LEVEL);
        ZSTD_CCtx_setParameter(cx, ZSTD_c_checksumFlag, 1);
        size_t n =
            ZSTD_compress2(cx, file + HEADER_SIZE, cap - HEADER_SIZE - CHECK_BYTES, body.p, body.n);
        if (!ZSTD_isError(n)) {
            unsigned char check[32];
            REPLAY_sha256(file, HEADER_SIZE + n, check);
            memcpy(file + HEADER_SIZE + n, check, CHECK_BYTES);
            *data = file;
            *size = HEADER_SIZE + n + CHECK_BYTES;
            file = nullptr;
            ok = 1;
        }
    }
    ZSTD_freeCCtx(cx);
    free(file);
    free(body.p);
    return ok;
}

// --- reading ---

struct In {
    const unsigned char *p, *end;
    char *why;
    size_t why_size;
    bool bad;
};

static bool refuse(In *in, const char *what) {
    if (!in->bad) snprintf(in->why, in->why_size, "%s", what);
    in->bad = true;
    return false;
}

static bool take(In *in, size_t n) {
    if (in->bad) return false;
    if ((size_t)(in->end - in->p) < n) return refuse(in, "truncated");
    return true;
}

static int get_u8(In *in) {
    if (!take(in, 1)) return 0;
    return *in->p++;
}

static int get_u16(In *in) {
    int lo = get_u8(in);
    return lo | get_u8(in) << 8;
}

static uint32_t get_u32(In *in) {
    if (!take(in, 4)) return 0;
    uint32_t v = le32_get(in->p);
    in->p += 4;
    return v;
}

// A length-prefixed text of at most max printable bytes into out (max + 1 bytes).
static void get_text(In *in, char *out, size_t max, const char *what) {
    out[0] = 0;
    size_t n = (size_t)get_u8(in);
    if (in->bad) return;
    char msg[80];
    snprintf(msg, sizeof msg, "%s is too long", what);
    if (n > max) {
        refuse(in, msg);
        return;
    }
    if (!take(in, n)) return;
    for (size_t i = 0; i < n; i++)
        if (in->p[i] < 32 || in->p[i] > 126) {
            snprintf(msg, sizeof msg, "%s holds a control byte", what);
            refuse(in, msg);
            return;
        }
    memcpy(out, in->p, n);
    out[n] = 0;
    in->p += n;
}

static bool in_range(In *in, long long v, long long lo, long long hi, const char *what) {
    if (in->bad || (v >= lo && v <= hi)) return !in->bad;
    char msg[120];
    snprintf(msg, sizeof msg, "%s %lld is outside %lld..%lld", what, v, lo, hi);
    return refuse(in, msg);
}

static void read_fields(In *in, ReplayStart *s) {
    s->field_count = get_u8(in);
    in_range(in, s->field_count, 0, REPLAY_MAX_FIELDS, "field count");
    for (int i = 0; i < s->field_count && !in->bad; i++) {
        char name[REPLAY_NAME_MAX + 1], msg[120];
        get_text(in, name, REPLAY_NAME_MAX, "a field's name");
        int value = (int)get_u32(in);
        int f = REPLAY_field_find(name, strlen(name));
        if (in->bad) return;
        if (f < 0) {
            snprintf(msg, sizeof msg, "unknown field \"%s\" (made by a newer game?)", name);
            refuse(in, msg);
            return;
        }
        for (int j = 0; j < i; j++)
            if (s->field_index[j] == f) {
                snprintf(msg, sizeof msg, "field \"%s\" given twice", name);
                refuse(in, msg);
                return;
            }
        in_range(in, value, REPLAY_field_min(f), REPLAY_field_max(f), name);
        s->field_index[i] = (signed char)f;
        s->field_value[i] = value;
    }
}

// The particles: slots in increasing order; every value its field can hold is one the effects
// can step without overflowing.
static void read_particles(In *in, ReplayStart *s) {
    s->particle_count = get_u16(in);
    in_range(in, s->particle_count, 0, PARTICLES, "particle count");
    for (int i = 0; i < s->particle_count && !in->bad; i++) {
        ReplayParticle *rp = &s->particles[i];
        rp->slot = get_u16(in);
        rp->p.x = get_u16(in);
        rp->p.y = get_u16(in);
        rp->p.vx = (int16_t)get_u16(in);
        rp->p.vy = (int16_t)get_u16(in);
        rp->p.age = get_u8(in);
        rp->p.state = get_u8(in);
        in_range(in, rp->slot, i ? s->particles[i - 1].slot + 1 : 0, PARTICLES - 1,
                 "particle slot");
    }
}

static void read_body(In *in, Replay *r) {
    get_text(in, r->game_version, REPLAY_VERSION_MAX, "the game's version");
    uint32_t lo = get_u32(in), hi = get_u32(in);
    r->recorded = (int64_t)((uint64_t)hi << 32 | lo);
    if (take(in, 32)) {
        memcpy(r->level.sha256, in->p, 32);
        in->p += 32;
    }
    get_text(in, r->level.name, REPLAY_NAME_MAX, "the level's name");
    get_text(in, r->level.file, REPLAY_NAME_MAX, "the level's file name");
    r->room = get_u8(in);
    in_range(in, r->room, 1, ROOM_COUNT, "room");
    r->ending = get_u8(in);
    in_range(in, r->ending, 0, REPLAY_ENDINGS - 1, "ending");
    r->frames = (int)(get_u32(in) & 0x7fffffff);
    char msg[80];
    snprintf(msg, sizeof msg, "frame count %d is over %d", r->frames, (int)REPLAY_MAX_FRAMES);
    if (!in->bad && r->frames > REPLAY_MAX_FRAMES) refuse(in, msg);
    in_range(in, r->frames, 1, REPLAY_MAX_FRAMES, "frame count");
    r->energy_left = (int)get_u32(in);
    in_range(in, r->energy_left, -32768, 32767, "energy left");
    ReplayStart *s = &r->start;
    read_fields(in, s);
    s->levers_active = get_u32(in);
    s->items_active = get_u32(in);
    if ((s->levers_active | s->items_active) >> PICKUP_SLOTS)
        refuse(in, "pickup bits out of range");
    for (uint32_t &w : s->azar.words)
        w = get_u32(in);
    s->azar.front = get_u8(in);
    s->azar.rear = get_u8(in);
    in_range(in, s->azar.front, 0, AZAR_WORDS - 1, "random generator tap");
    in_range(in, s->azar.rear, 0, AZAR_WORDS - 1, "random generator tap");
    in_range(in, (s->azar.front - s->azar.rear + AZAR_WORDS) % AZAR_WORDS, 3, 3,
             "random generator tap distance");
    read_particles(in, s);
    if (!take(in, (size_t)r->frames)) return;
    memcpy(r->keys, in->p, (size_t)r->frames);
    in->p += r->frames;
    for (int i = 0; i < r->frames; i++)
        if (r->keys[i] & ~REPLAY_KEYS_ALL) {
            snprintf(msg, sizeof msg, "unknown keys in frame %d", i + 1);
            refuse(in, msg);
            return;
        }
    for (int i = 0; i < REPLAY_digest_count(r->frames); i++)
        r->digests[i] = get_u32(in);
    if (!in->bad && in->p != in->end) refuse(in, "bytes after the end");
}

int REPLAY_decode(const unsigned char *data, size_t size, Replay *r, char *why, size_t why_size) {
    In in = {data, data + size, why, why_size, false};
    why[0] = 0;
    memset(r, 0, offsetof(Replay, keys));
    r->too_long = false;
    if (size < HEADER_SIZE || memcmp(data, MAGIC, 4) != 0) return refuse(&in, "not a replay file");
    int format = data[4] | data[5] << 8;
    if (format != REPLAY_FORMAT) {
        char msg[80];
        snprintf(msg, sizeof msg, "replay format %d %s", format,
                 format > REPLAY_FORMAT ? "is from a newer game" : "is not known");
        return refuse(&in, msg);
    }
    r->format = format;
    uint32_t body_size = le32_get(data + 8);
    if (data[6] || data[7] || body_size > BODY_MAX) return refuse(&in, "header is damaged");
    if (size < HEADER_SIZE + CHECK_BYTES) return refuse(&in, "truncated");
    unsigned char check[32];
    REPLAY_sha256(data, size - CHECK_BYTES, check);
    if (memcmp(check, data + size - CHECK_BYTES, CHECK_BYTES) != 0)
        return refuse(&in, "checksum does not match (changed or truncated)");
    const unsigned char *z = data + HEADER_SIZE;
    size_t zn = size - HEADER_SIZE - CHECK_BYTES;
    // A zstd frame: its magic, then a descriptor whose bit 2 says a checksum ends the frame.
    if (zn < 5) return refuse(&in, "truncated");
    if (le32_get(z) != ZSTD_MAGICNUMBER || !(z[4] & 4) ||
        ZSTD_getFrameContentSize(z, zn) != body_size)
        return refuse(&in, "compressed body is damaged");
    size_t frame = ZSTD_findFrameCompressedSize(z, zn);
    if (ZSTD_isError(frame)) return refuse(&in, "truncated");
    if (frame != zn) return refuse(&in, "bytes after the end");
    unsigned char *body = (unsigned char *)malloc(body_size ? body_size : 1);
    if (!body) return refuse(&in, "out of memory");
    size_t got = ZSTD_decompress(body, body_size, z, zn);
    if (ZSTD_isError(got) || got != body_size) {
        free(body);
        return refuse(&in, "compressed body is damaged (checksum)");
    }
    in.p = body;
    in.end = body + body_size;
    read_body(&in, r);
    free(body);
    return !in.bad;
}

int REPLAY_load(const char *path, Replay *r, char *why, size_t why_size) {
    FioData d;
    int res = FIO_read(path, REPLAY_FILE_MAX, &d);
    if (res != FIO_OK) {
        char buf[120];
        snprintf(why, why_size, "the file %s", FIO_why(res, &d, REPLAY_FILE_MAX, buf, sizeof buf));
        return 0;
    }
    int ok = REPLAY_decode(d.data, d.size, r, why, why_size);
    free(d.data);
    return ok;
}
