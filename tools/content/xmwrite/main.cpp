// main.cpp -- xmwrite: turns one text score into an XM module.
// SPDX-License-Identifier: MIT
#include "tools/content/xmwrite/xmwrite.h"
#include <fstream>
#include <sstream>
#include <stdio.h>

int main(int argc, char **argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: xmwrite SCORE.txt OUT.xm\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        fprintf(stderr, "xmwrite: cannot read %s\n", argv[1]);
        return 1;
    }
    std::stringstream ss;
    ss << in.rdbuf();
    XmModulo m;
    std::string err;
    if (!XM_lee_partitura(ss.str(), &m, &err)) {
        fprintf(stderr, "xmwrite: %s: %s\n", argv[1], err.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes = XM_escribe(m);
    if (bytes.empty()) {
        fprintf(stderr, "xmwrite: %s: the module breaks a limit of the format\n", argv[1]);
        return 1;
    }
    FILE *f = fopen(argv[2], "wb");
    if (!f || fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        fprintf(stderr, "xmwrite: cannot write %s\n", argv[2]);
        if (f) fclose(f);
        return 1;
    }
    fclose(f);
    printf("xmwrite: %s: %d patterns, %d instruments, %.1f s before it loops\n", argv[2],
           (int)m.patrones.size(), (int)m.instrumentos.size(), XM_duracion(m));
    return 0;
}
