// main.cpp -- velumbrina-level: makes a starter level text, builds a level text into the player's
// levels folder once every room has been shown to be finishable, checks a compiled level.
//
// Usage: velumbrina-level new NAME                 writes NAME.txt, a starter level
//        velumbrina-level build FILE.txt [--force]  compiles, checks, installs levels/FILE.vb3
//        velumbrina-level check FILE.vb3           checks every room of a compiled level
//
// The game's data (its level file lends the pictures) is $VELUMBRINA_DATA, else the build's data
// directory beside this program's folder; the levels folder is $VELUMBRINA_LEVELS, else the data
// directory's levels/. The installed command sets both.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <csignal>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <allegro.h>

#include "level/mapfile.h"
#include "platform/fileio.h"
#include "tools/levellib/leveltext.h"
#include "tools/levellib/pictures.h"
#include "tools/player/velumbrina-level/maker.h"

namespace {

const char ME[] = "velumbrina-level";

LevelSource src;
Level lender; // the shipped level, read only for its pictures

int usage(void) {
    fprintf(stderr,
            "usage: %s new NAME                 write NAME.txt, a starter level to edit\n"
            "       %s build FILE.txt [--force]  compile it, check every room and install it\n"
            "       %s check FILE.vb3           check every room of a compiled level\n",
            ME, ME, ME);
    return 2;
}

std::string data_dir(const char *argv0) {
    const char *env = getenv("VELUMBRINA_DATA");
    if (env && *env) return env;
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string exe = n > 0 ? std::string(self, (size_t)n) : std::string(argv0);
    size_t slash = exe.rfind('/');
    std::string dir = slash == std::string::npos ? "." : exe.substr(0, slash);
    return dir + "/../data";
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

int cmd_new(const char *name) {
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
char scratch[PATH_MAX], scratch_level[PATH_MAX + 256], scratch_log[PATH_MAX + 16];

void remove_scratch(void) {
    if (scratch_level[0]) unlink(scratch_level);
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

std::string absolute(const std::string &path) {
    if (path.empty() || path[0] == '/') return path;
    char cwd[PATH_MAX];
    return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" + path : path;
}

int cmd_build(const char *file, bool force, const std::string &data) {
    std::string name = stem(file, ".txt");
    if (!LT_read_rooms(file, &src)) {
        fprintf(stderr, "%s: %s\n", ME, src.error);
        return 1;
    }
    std::string levels = absolute(levels_dir(data)), data_abs = absolute(data);
    if (!start_allegro()) return 2;
    Level *lv = &src.level;
    if (!MAP_create_pictures(lv)) {
        fprintf(stderr, "%s: out of memory\n", ME);
        return 2;
    }
    lend_pictures(data_abs, lv);
    lv->flags = MAP_COMPRESSED | MAP_PLAYABLE;
    lv->effect = -1;
    if (!enter_scratch()) {
        fprintf(stderr, "%s: cannot make a scratch folder\n", ME);
        return 2;
    }
    std::string compiled = name + ".vb3";
    snprintf(scratch_level, sizeof scratch_level, "%s/%s", scratch, compiled.c_str());
    hold_signals(true); // no temporary file of the writer's left in the scratch folder
    int wrote = MAP_write(compiled.c_str(), lv);
    hold_signals(false);
    if (!wrote) {
        fprintf(stderr, "%s: cannot write the compiled level\n", ME);
        return 2;
    }
    MAP_destroy_pictures(lv);
    printf("compiled %s: checking every room with the game's own play\n", file);
    int playable;
    char refused[128];
    int bad = MAKER_check_rooms(compiled.c_str(), &playable, refused, sizeof refused);
    if (playable <= 0) {
        fprintf(stderr, "%s: not installed: no room of %s can be played\n", ME, file);
        return 1;
    }
    if (bad && !force) {
        fprintf(stderr,
                "%s: not installed: room%s %s cannot be finished (--force installs it anyway)\n",
                ME, bad == 1 ? "" : "s", refused);
        return 1;
    }
    if (!make_dirs(levels)) {
        fprintf(stderr, "%s: cannot make %s: %s\n", ME, levels.c_str(), strerror(errno));
        return 1;
    }
    if (!install(compiled, levels, compiled)) return 1;
    MAKER_write_par((levels + "/" + name + ".par").c_str()); // time attack's par and routes
    printf("installed %s/%s.vb3: choose USER LEVEL in the game's menu to play it\n", levels.c_str(),
           name.c_str());
    return 0;
}

int cmd_check(const char *file) {
    std::string path = absolute(file);
    FioData d;
    int result = FIO_check(path.c_str(), 64 << 20, &d);
    if (result != FIO_OK) {
        char why[120];
        fprintf(stderr, "%s: %s %s\n", ME, file,
                result == FIO_MISSING ? "is missing"
                                      : FIO_why(result, &d, 64 << 20, why, sizeof why));
        return 2;
    }
    if (!start_allegro()) return 2;
    if (!enter_scratch()) {
        fprintf(stderr, "%s: cannot make a scratch folder\n", ME);
        return 2;
    }
    int playable;
    char refused[128];
    int bad = MAKER_check_rooms(path.c_str(), &playable, refused, sizeof refused);
    if (playable < 0) return 2;
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
    if ((argc == 3 || argc == 4) && strcmp(argv[1], "build") == 0) {
        bool force = argc == 4 && strcmp(argv[3], "--force") == 0;
        if (argc == 4 && !force) return usage();
        return cmd_build(argv[2], force, data_dir(argv[0]));
    }
    if (argc == 3 && strcmp(argv[1], "check") == 0) return cmd_check(argv[2]);
    return usage();
}
