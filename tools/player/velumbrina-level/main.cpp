// main.cpp -- velumbrina-level: makes a starter level text, builds a level text into the player's
// levels folder once every room has been shown to be finishable, checks a compiled level.
//
// Usage: velumbrina-level new NAME                 writes NAME.txt, a starter level
//        velumbrina-level build FILE.txt [--force] [--proof REPLAY]...
//                                                  compiles, checks, installs levels/FILE.vb3 and
//                                                  its proofs levels/FILE.proof
//        velumbrina-level check FILE.vb3           checks every room of a compiled level
//        velumbrina-level watch FILE.txt           builds and checks it again on every save
//
// The game's data (its level file lends the pictures) is $VELUMBRINA_DATA, else the build's data
// directory beside this program's folder; the levels folder is $VELUMBRINA_LEVELS, else the data
// directory's levels/. The installed command sets both.
// SPDX-License-Identifier: MIT
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <csignal>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include <allegro.h>

#include "level/mapfile.h"
#include "platform/fileio.h"
#include "replay/proof.h"
#include "tools/levellib/leveltext.h"
#include "tools/levellib/pictures.h"
#include "tools/player/velumbrina-level/maker.h"

namespace {

const char ME[] = "velumbrina-level";

LevelSource src;
Level lender; // the shipped level, read only for its pictures

// The usage, on standard output when asked for (status 0), else on standard error (status 2).
int usage(bool asked) {
    fprintf(asked ? stdout : stderr,
            "usage: %s new NAME           write NAME.txt, a starter level to edit\n"
            "       %s build FILE.txt [--force] [--proof REPLAY]...\n"
            "           compile it, check every room, install it and its proofs in the levels\n"
            "           folder (--force: even with a room that cannot be finished; --proof: your\n"
            "           replay of a room, recorded in TIME ATTACK, is that room's proof)\n"
            "       %s check FILE.vb3     check every room of a compiled level\n"
            "       %s watch FILE.txt     check it again every time it is saved (Ctrl+C ends)\n"
            "Rooms are numbered as the level card shows them: the text's room 0 is room 1.\n",
            ME, ME, ME, ME);
    return asked ? 0 : 2;
}

// The path from the root, without "." or ".." parts and without doubled slashes: a folder that
// is there is resolved through its links, one that is not yet is tidied as written.
std::string absolute(const std::string &path) {
    char cwd[PATH_MAX], real[PATH_MAX];
    if (realpath(path.c_str(), real)) return real;
    std::string full = path;
    if (path.empty() || path[0] != '/')
        full = std::string(getcwd(cwd, sizeof cwd) ? cwd : ".") + "/" + path;
    std::vector<std::string> parts;
    for (size_t at = 0; at <= full.size();) {
        size_t end = full.find('/', at);
        if (end == std::string::npos) end = full.size();
        std::string part = full.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string out;
    for (const std::string &part : parts)
        out += "/" + part;
    return out.empty() ? "/" : out;
}

// A wrong argument: named, then the usage.
int wrong(const char *arg) {
    if (arg) fprintf(stderr, "%s: unexpected argument '%s'\n", ME, arg);
    return usage(false);
}

std::string data_dir(const char *argv0) {
    const char *env = getenv("VELUMBRINA_DATA");
    if (env && *env) return absolute(env);
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string exe = n > 0 ? std::string(self, (size_t)n) : std::string(argv0);
    size_t slash = exe.rfind('/');
    std::string dir = slash == std::string::npos ? "." : exe.substr(0, slash);
    return absolute(dir + "/../data");
}

std::string levels_dir(const std::string &data) {
    const char *env = getenv("VELUMBRINA_LEVELS");
    return env && *env ? std::string(env) : data + "/levels";
}

// The file's name without its folder and without the suffix given.
std::string stem(const char *path, const char *suffix) {
    std::string s = path;
    size_t slash = s.rfind('/');
    if (slash != std::string::npos) s = s.substr(slash + 1);
    size_t n = strlen(suffix);
    if (s.size() > n && s.compare(s.size() - n, n, suffix) == 0) s.resize(s.size() - n);
    return s;
}

bool sane_name(const std::string &name) {
    if (name.empty() || name.size() > 40 || name[0] == '.' || name[0] == '-') return false;
    for (char c : name)
        if (!isalnum((unsigned char)c) && c != '_' && c != '-' && c != '.') return false;
    return true;
}

int cmd_new(const char *arg) {
    std::string given = arg;
    if (given.size() > 4 && given.compare(given.size() - 4, 4, ".txt") == 0)
        given.resize(given.size() - 4);
    const char *name = given.c_str(); // "NAME" and "NAME.txt" both write NAME.txt
    if (!sane_name(name)) {
        fprintf(stderr, "%s: a level's name is letters, digits, '-', '_' and '.' (up to 40)\n", ME);
        return 2;
    }
    std::string file = std::string(name) + ".txt";
    int n = snprintf(nullptr, 0, MAKER_STARTER, name, name, name);
    std::string text((size_t)n + 1, '\0');
    snprintf(&text[0], text.size(), MAKER_STARTER, name, name, name);
    int err = FIO_create(file.c_str(), text.data(), (size_t)n, FIO_NEW_FILE); // never over a file
    if (err) {
        fprintf(stderr, "%s: cannot write %s: %s\n", ME, file.c_str(), strerror(err));
        return 1;
    }
    printf("wrote %s: a level of three rooms. Edit it, then: %s build %s\n", file.c_str(), ME,
           file.c_str());
    return 0;
}

int start_allegro(void) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "%s: cannot start Allegro\n", ME);
        return 0;
    }
    set_color_depth(16);
    set_color_conversion(COLORCONV_TOTAL);
    return 1;
}

// A scratch folder for the compiled level and the log the game's code writes; removed at exit
// and when a signal ends the tool. The paths are kept as plain text for the signal handler.
char scratch[PATH_MAX], scratch_level[PATH_MAX + 256], scratch_proof[PATH_MAX + 256],
    scratch_log[PATH_MAX + 16];

void remove_scratch(void) {
    if (scratch_level[0]) unlink(scratch_level);
    if (scratch_proof[0]) unlink(scratch_proof);
    if (scratch_log[0]) unlink(scratch_log);
    if (scratch[0]) rmdir(scratch);
}

// The signals that end the tool: the scratch folder goes first, then the signal does its work.
const int ENDING[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

void on_signal(int sig) {
    remove_scratch(); // unlink and rmdir are safe in a handler
    signal(sig, SIG_DFL);
    raise(sig);
}

// Holds the ending signals off (block) or lets them in: a signal that comes while the level is
// being installed waits until its temporary file is renamed into place or removed.
void hold_signals(bool block) {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : ENDING)
        sigaddset(&set, sig);
    sigprocmask(block ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

int enter_scratch(void) {
    const char *tmp = getenv("TMPDIR");
    if (snprintf(scratch, sizeof scratch, "%s/velumbrina-level.XXXXXX",
                 tmp && *tmp ? tmp : "/tmp") >= (int)sizeof scratch - 32)
        return 0;
    hold_signals(true);
    bool made = mkdtemp(scratch) != nullptr;
    if (!made) scratch[0] = 0;
    snprintf(scratch_log, sizeof scratch_log, "%s/log.txt", scratch);
    atexit(remove_scratch);
    for (int sig : ENDING)
        signal(sig, on_signal);
    hold_signals(false);
    return made && chdir(scratch) == 0;
}
// The pictures of the game's own level; drawn stand-ins when it cannot be read.
void lend_pictures(const std::string &data, Level *lv) {
    memcpy(lender.backgrounds, lv->backgrounds, sizeof lender.backgrounds);
    memcpy(lender.tiles, lv->tiles, sizeof lender.tiles);
    memcpy(lender.sprites, lv->sprites, sizeof lender.sprites);
    std::string own = data + "/maps/velba1.vb3";
    if (MAP_read(own.c_str(), &lender)) return;
    fprintf(stderr, "%s: note: %s cannot be read: the level gets plain drawn pictures\n", ME,
            own.c_str());
    PIC_load(nullptr, lv->tiles, lv->sprites, lv->backgrounds);
}

// Copies the file into the folder as name, through a temporary file renamed into place (a link
// of that name is replaced, never written through).
int install(const std::string &from, const std::string &dir, const std::string &name) {
    std::string to = dir + "/" + name;
    FioData d;
    int result = FIO_read(from.c_str(), 64 << 20, &d), err = result == FIO_OK ? 0 : EIO;
    hold_signals(true);
    if (!err) err = FIO_replace(to.c_str(), d.data, d.size, FIO_NEW_FILE);
    hold_signals(false);
    free(d.data);
    if (err) fprintf(stderr, "%s: cannot write %s: %s\n", ME, to.c_str(), strerror(err));
    return !err;
}

// Makes the folder and the ones above it.
int make_dirs(const std::string &dir) {
    for (size_t at = 1; at <= dir.size(); at++)
        if (at == dir.size() || dir[at] == '/') {
            std::string part = dir.substr(0, at);
            if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return 0;
        }
    return 1;
}

// Compiles the level text at file (a path from the root) into the scratch folder as NAME.vb3,
// with the game's level lending its pictures. Returns 0 with *compiled set to the file's name in
// the scratch folder, 1 when the text has a fault (printed), 2 when the tool cannot go on.
int compile(const std::string &file, const std::string &data, std::string *compiled) {
    if (!LT_read_rooms(file.c_str(), &src)) {
        fprintf(stderr, "%s: %s\n", ME, src.error);
        return 1;
    }
    Level *lv = &src.level;
    if (!MAP_create_pictures(lv)) {
        fprintf(stderr, "%s: out of memory\n", ME);
        return 2;
    }
    lend_pictures(data, lv);
    lv->flags = MAP_COMPRESSED | MAP_PLAYABLE;
    lv->effect = -1;
    *compiled = stem(file.c_str(), ".txt") + ".vb3";
    snprintf(scratch_level, sizeof scratch_level, "%s/%s", scratch, compiled->c_str());
    hold_signals(true); // no temporary file of the writer's left in the scratch folder
    int wrote = MAP_write(compiled->c_str(), lv);
    hold_signals(false);
    MAP_destroy_pictures(lv);
    if (!wrote) {
        fprintf(stderr, "%s: cannot write the compiled level in %s\n", ME, scratch);
        return 2;
    }
    return 0;
}

// Starts Allegro and moves into a scratch folder of the tool's own.
int start_work(void) {
    if (!start_allegro()) return 0;
    if (enter_scratch()) return 1;
    fprintf(stderr, "%s: cannot make a scratch folder: %s\n", ME, strerror(errno));
    return 0;
}

int cmd_build(const char *file, bool force, const std::vector<std::string> &authors,
              const std::string &data) {
    std::string text = absolute(file), levels = absolute(levels_dir(data)), compiled;
    if (!start_work()) return 2;
    int made = compile(text, data, &compiled);
    if (made) return made;
    printf("compiled %s: checking every room with the game's own play\n", text.c_str());
    int playable;
    char refused[128];
    std::vector<RoomCheck> checks;
    int bad = MAKER_check_rooms(compiled.c_str(), &playable, refused, sizeof refused, &checks);
    if (playable <= 0) {
        fprintf(stderr, "%s: not installed: no room of %s can be played\n", ME, text.c_str());
        return 1;
    }
    if (bad && !force) {
        fprintf(stderr,
                "%s: not installed: room%s %s cannot be finished (--force installs it anyway)\n",
                ME, bad == 1 ? "" : "s", refused);
        return 1;
    }
    std::string proof = stem(compiled.c_str(), ".vb3") + ".proof";
    snprintf(scratch_proof, sizeof scratch_proof, "%s/%s", scratch, proof.c_str());
    hold_signals(true);
    int proved = MAKER_write_proofs(compiled.c_str(), checks, authors, proof.c_str());
    hold_signals(false);
    if (!proved) return 1;
    if (!make_dirs(levels)) {
        fprintf(stderr, "%s: cannot make %s: %s\n", ME, levels.c_str(), strerror(errno));
        return 1;
    }
    // The proofs go first: a level is never there with proofs of an older one for long.
    if (!install(proof, levels, proof) || !install(compiled, levels, compiled)) return 1;
    MAKER_write_par((levels + "/" + stem(compiled.c_str(), ".vb3") + ".par")
                        .c_str()); // time attack's par and routes
    printf("installed %s/%s and its proofs %s: choose USER LEVEL in the game's menu to play it\n",
           levels.c_str(), compiled.c_str(), proof.c_str());
    return 0;
}

// One build of the watched text: compiled and every room checked, nothing installed.
std::string watch_data;
bool watch_once(const char *file) {
    std::string compiled;
    int made = compile(file, watch_data, &compiled);
    if (made == 2) return false;
    if (made == 0) {
        int playable;
        char refused[128];
        int bad = MAKER_check_rooms(compiled.c_str(), &playable, refused, sizeof refused);
        if (playable == 0)
            printf("no room can be played\n");
        else if (bad)
            printf("room%s %s cannot be finished\n", bad == 1 ? "" : "s", refused);
        else if (playable > 0)
            printf("all %d room%s can be finished\n", playable, playable == 1 ? "" : "s");
        unlink(compiled.c_str());
    }
    return true;
}

int cmd_watch(const char *file, const std::string &data) {
    std::string text = absolute(file);
    watch_data = data;
    if (!start_work()) return 2;
    return MAKER_watch(text.c_str(), watch_once);
}

// Says whether the proofs beside the level (loaded in play_level) play, as USER LEVEL will.
void tell_proofs(const std::string &path, const std::vector<RoomCheck> &checks) {
    static LevelEntry e;
    snprintf(e.path, sizeof e.path, "%s", path.c_str());
    e.rooms = 0;
    for (const RoomCheck &c : checks)
        e.rooms |= 1u << (c.number - 1);
    PROOF_check_entry(&e, &play_level);
    char proof[LEVEL_PATH_MAX + 8];
    PROOF_path(e.path, proof, sizeof proof);
    if (e.proof == PROOF_VERIFIED)
        printf("VERIFIED: every room's proof in %s plays to its lever\n", proof);
    else if (e.proof == PROOF_FAILS)
        printf("UNVERIFIED: room %d: %s (%s)\n", e.proof_room, e.why, proof);
    else
        printf("UNVERIFIED: no proofs: %s is not there\n", proof);
}

int cmd_check(const char *file) {
    std::string path = absolute(file);
    FioData d;
    int result = FIO_check(path.c_str(), 64 << 20, &d);
    if (result != FIO_OK) {
        char why[120];
        if (result == FIO_MISSING)
            snprintf(why, sizeof why, "cannot be opened (%s)", strerror(ENOENT));
        fprintf(stderr, "%s: %s: %s\n", ME, path.c_str(),
                result == FIO_MISSING ? why : FIO_why(result, &d, 64 << 20, why, sizeof why));
        return 2;
    }
    if (!start_allegro()) return 2;
    if (!enter_scratch()) {
        fprintf(stderr, "%s: cannot make a scratch folder\n", ME);
        return 2;
    }
    int playable;
    char refused[128];
    std::vector<RoomCheck> checks;
    int bad = MAKER_check_rooms(path.c_str(), &playable, refused, sizeof refused, &checks);
    if (playable < 0) return 2;
    tell_proofs(path, checks);
    if (playable == 0) {
        printf("no room can be played\n");
        return 1;
    }
    if (bad) {
        printf("room%s %s cannot be finished\n", bad == 1 ? "" : "s", refused);
        return 1;
    }
    printf("all %d room%s can be finished\n", playable, playable == 1 ? "" : "s");
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 3 && strcmp(argv[1], "new") == 0) return cmd_new(argv[2]);
    if (argc >= 3 && strcmp(argv[1], "build") == 0) {
        bool force = false;
        std::vector<std::string> authors;
        for (int i = 3; i < argc; i++) {
            if (strcmp(argv[i], "--force") == 0)
                force = true;
            else if (strcmp(argv[i], "--proof") == 0 && i + 1 < argc)
                authors.push_back(absolute(argv[++i]));
            else
                return wrong(argv[i]);
        }
        return cmd_build(argv[2], force, authors, data_dir(argv[0]));
    }
    if (argc == 3 && strcmp(argv[1], "watch") == 0) return cmd_watch(argv[2], data_dir(argv[0]));
    if (argc == 2 && (strcmp(argv[1], "--help") == 0 || strcmp(argv[1], "-h") == 0))
        return usage(true);
    if (argc == 3 && strcmp(argv[1], "check") == 0) return cmd_check(argv[2]);
    return wrong(argc > 1 ? argv[1] : nullptr);
}
