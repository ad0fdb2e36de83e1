// contenido.cpp -- helpers for the content tests.
#include "contenido.h"
#include <fstream>
#include <sstream>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

std::string ct_data_dir(void) {
    const char *d = getenv("VB_DATA_DIR");
    return d ? d : "data";
}

std::string ct_resource(const std::string &name) {
    return ct_data_dir() + "/resources/" + name;
}

std::string ct_level_art(const std::string &name) {
    return ct_data_dir() + "/../art/" + name;
}

std::string ct_tool(const std::string &name) {
    return ct_data_dir() + "/../tools/" + name;
}

std::string ct_source_dir(void) {
    std::string f = __FILE__; // .../tests/content/contenido.cpp
    for (int i = 0; i < 3; i++)
        f = f.substr(0, f.find_last_of('/'));
    return f;
}

// Scratch directories made by this run, removed when the test program ends.
static std::vector<std::string> borradores;

static void borra_borradores(void) {
    for (const std::string &d : borradores) {
        std::string cmd = "rm -rf '" + d + "'";
        if (system(cmd.c_str()) != 0) fprintf(stderr, "could not remove %s\n", d.c_str());
    }
}

std::string ct_scratch(const std::string &tag) {
    std::string d = "/tmp/vb_content_" + tag + "_" + std::to_string(getpid());
    mkdir(d.c_str(), 0755);
    if (borradores.empty()) atexit(borra_borradores);
    borradores.push_back(d);
    return d;
}

std::vector<uint8_t> ct_read(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

void ct_write(const std::string &path, const std::string &text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

int ct_run(const std::string &tool, const std::string &in, const std::string &out,
           std::string *errors) {
    std::string log = out + ".log";
    std::string cmd = "'" + ct_tool(tool) + "' '" + in + "' '" + out + "' >'" + log + "' 2>&1";
    int st = system(cmd.c_str());
    if (errors) {
        std::vector<uint8_t> b = ct_read(log);
        *errors = std::string(b.begin(), b.end());
    }
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

uint32_t ct_u32(const std::vector<uint8_t> &b, size_t at) {
    return at + 4 <= b.size() ? (uint32_t)b[at] | (uint32_t)b[at + 1] << 8 |
                                    (uint32_t)b[at + 2] << 16 | (uint32_t)b[at + 3] << 24
                              : 0;
}

uint16_t ct_u16(const std::vector<uint8_t> &b, size_t at) {
    return at + 2 <= b.size() ? (uint16_t)(b[at] | b[at + 1] << 8) : 0;
}
