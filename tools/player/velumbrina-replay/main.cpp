// main.cpp -- velumbrina-replay: says what a replay file holds, and checks replays by playing them
// headless against their level.
//
// Usage: velumbrina-replay info FILE...
//        velumbrina-replay verify FILE... [--level FILE.vb3]
//
// verify prints one line per file: "FILE: ok", "FILE: desync at frame N", "FILE: made for another
// level" or "FILE: damaged: why". Without --level the level is looked for by the file name the
// replay records, in the game's maps/ ($VELUMBRINA_DATA, else the build's data directory beside
// this program's folder) and the player's levels ($VELUMBRINA_LEVELS, else the data's levels/).
// Exit status: 0 every replay ok; 1 one desyncs; 2 wrong use; 3 one is damaged or cannot be read;
// 4 one was made for another level or its level is not there. With several files, the highest.
// SPDX-License-Identifier: MIT
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

#include "level/nivel.h"
#include "replay/replay.h"

namespace {

const char ME[] = "velumbrina-replay";
enum { OK = 0, DESYNC = 1, USAGE = 2, DAMAGED = 3, OTHER_LEVEL = 4 };

const char USAGE_TEXT[] =
    "usage: velumbrina-replay info FILE...                    what each replay holds\n"
    "       velumbrina-replay verify FILE... [--level FILE.vb3] play each one headless\n"
    "verify prints FILE: ok | desync at frame N | made for another level | damaged: WHY\n"
    "exit status: 0 all ok, 1 a desync, 2 wrong use, 3 a file damaged or unreadable,\n"
    "4 a replay for another level or its level not found (the highest of them)\n";

int usage(void) {
    fputs(USAGE_TEXT, stderr);
    return USAGE;
}

std::string exe_dir(void) {
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string exe = n > 0 ? std::string(self, (size_t)n) : std::string(".");
    size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "." : exe.substr(0, slash);
}

std::string absolute(const std::string &path) {
    if (path.empty() || path[0] == '/') return path;
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : path;
}

// Where a replay's level is looked for when no --level is given.
std::vector<std::string> level_folders(void) {
    const char *data = getenv("VELUMBRINA_DATA"), *levels = getenv("VELUMBRINA_LEVELS");
    std::string d = data && *data ? data : exe_dir() + "/../data";
    return {d + "/maps", levels && *levels ? std::string(levels) : d + "/levels"};
}

// The game's code writes its log lines (a level it refuses) to log.txt in the working directory:
// the tool works in a scratch folder of its own, removed at exit.
char scratch[PATH_MAX], scratch_log[PATH_MAX + 16];

void remove_scratch(void) {
    if (scratch_log[0]) unlink(scratch_log);
    if (scratch[0]) rmdir(scratch);
}

void on_signal(int sig) {
    remove_scratch();
    signal(sig, SIG_DFL);
    raise(sig);
}

bool enter_scratch(void) {
    const char *tmp = getenv("TMPDIR");
    snprintf(scratch, sizeof scratch - 32, "%s/velumbrina-replay.XXXXXX",
             tmp && *tmp ? tmp : "/tmp");
    if (!mkdtemp(scratch)) {
        scratch[0] = 0;
        return false;
    }
    snprintf(scratch_log, sizeof scratch_log, "%s/log.txt", scratch);
    atexit(remove_scratch);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
        signal(sig, on_signal);
    return chdir(scratch) == 0;
}

// A level read once for every replay that needs it: its records and its file's SHA-256.
struct LoadedLevel {
    bool ok;
    std::string why;
    Level level;
    ReplayLevelId id;
};

const LoadedLevel &level_at(const std::string &path) {
    static std::map<std::string, std::unique_ptr<LoadedLevel>> cache;
    std::unique_ptr<LoadedLevel> &l = cache[path];
    if (l) return *l;
    l.reset(new LoadedLevel());
    LevelLoad load;
    char why[200];
    if (!LEVEL_load(path.c_str(), MAP_RECORDS, &l->level, &load))
        l->why = path + " cannot be loaded: " + load.why;
    else if (!REPLAY_level_id(path.c_str(), &l->level, &l->id, why, sizeof why))
        l->why = why;
    l->ok = l->why.empty();
    return *l;
}

std::string hex(const unsigned char *b, int n) {
    std::string s;
    char two[3];
    for (int i = 0; i < n; i++) {
        snprintf(two, sizeof two, "%02x", b[i]);
        s += two;
    }
    return s;
}

int info(const char *file, const char *path, Replay *r) {
    char why[200];
    if (!REPLAY_load(path, r, why, sizeof why)) {
        printf("%s: damaged: %s\n", file, why);
        return DAMAGED;
    }
    char when[40] = "an unknown time";
    time_t t = (time_t)r->recorded;
    struct tm tm;
    if (r->recorded > 0 && gmtime_r(&t, &tm))
        strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S UTC", &tm);
    printf("%s: replay format %d, recorded by Velumbrina %s at %s\n", file, r->format,
           r->game_version, when);
    printf("  level \"%s\" (%s), SHA-256 %s\n", r->level.name, r->level.file,
           hex(r->level.sha256, 32).c_str());
    printf("  room %d: %s after %d frames (%.2f s), energy left %d\n", r->room,
           REPLAY_ending_name(r->ending), r->frames, r->frames / 30.0, r->energy_left);
    printf("  start:");
    for (int i = 0; i < r->start.field_count; i++)
        printf(" %s %d", REPLAY_start_field_name(r, i), r->start.field_value[i]);
    printf("\n  %d particles at the start, %d digests\n", r->start.particle_count,
           REPLAY_digest_count(r->frames));
    return OK;
}

int verify(const char *file, const char *replay_path, const std::string &level_path, Replay *r) {
    char why[200];
    if (!REPLAY_load(replay_path, r, why, sizeof why)) {
        printf("%s: damaged: %s\n", file, why);
        return DAMAGED;
    }
    std::string path = level_path;
    for (size_t i = 0; path.empty() && i < level_folders().size(); i++) {
        std::string candidate = level_folders()[i] + "/" + r->level.file;
        if (r->level.file[0] && r->level.file[0] != '.' && !strchr(r->level.file, '/') &&
            access(candidate.c_str(), R_OK) == 0 && level_at(candidate).ok &&
            memcmp(level_at(candidate).id.sha256, r->level.sha256, 32) == 0)
            path = candidate;
    }
    if (path.empty()) {
        printf("%s: made for another level: %s (\"%s\") is not here (give it with --level)\n", file,
               r->level.file, r->level.name);
        return OTHER_LEVEL;
    }
    const LoadedLevel &l = level_at(path);
    if (!l.ok) {
        fprintf(stderr, "%s: %s\n", ME, l.why.c_str());
        return OTHER_LEVEL;
    }
    ReplayVerdict v = REPLAY_verify(r, &l.level, l.id.sha256);
    if (v.result == REPLAY_OK) printf("%s: ok\n", file);
    if (v.result == REPLAY_DESYNC) printf("%s: desync at frame %d\n", file, v.frame);
    if (v.result == REPLAY_OTHER_LEVEL) printf("%s: made for another level\n", file);
    return v.result == REPLAY_OK ? OK : v.result == REPLAY_DESYNC ? DESYNC : OTHER_LEVEL;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
        fputs(USAGE_TEXT, stdout);
        return 0;
    }
    if (argc < 3) return usage();
    std::string command = argv[1], level;
    std::vector<std::string> files, paths; // as given, and from / for after the change of folder
    for (int i = 2; i < argc; i++) {
        if (!strcmp(argv[i], "--level") && command == "verify" && i + 1 < argc && level.empty())
            level = absolute(argv[++i]);
        else if (argv[i][0] == '-' && argv[i][1])
            return usage();
        else {
            files.push_back(argv[i]);
            paths.push_back(absolute(argv[i]));
        }
    }
    if ((command != "info" && command != "verify") || files.empty()) return usage();
    if (command == "verify" && !enter_scratch()) {
        fprintf(stderr, "%s: cannot make a scratch folder\n", ME);
        return DAMAGED;
    }
    std::unique_ptr<Replay> r(new Replay());
    int status = OK;
    for (size_t i = 0; i < files.size(); i++) {
        const char *f = files[i].c_str(), *p = paths[i].c_str();
        int s = command == "info" ? info(f, p, r.get()) : verify(f, p, level, r.get());
        if (s > status) status = s;
        fflush(stdout);
    }
    return status;
}
