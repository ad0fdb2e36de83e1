// contenido.h -- helpers for the content tests: where the built data and tools are, running a
// tool on a scratch source, reading files.
#pragma once
#include <stdint.h>
#include <string>
#include <vector>

// The built data directory (build/data), from VB_DATA_DIR.
std::string ct_data_dir(void);
// build/data/resources/<name>.
std::string ct_resource(const std::string &name);
// build/art/<name>: the level's sheets and backgrounds.
std::string ct_level_art(const std::string &name);
// build/tools/<name>.
std::string ct_tool(const std::string &name);
// The source tree's root.
std::string ct_source_dir(void);
// A fresh scratch directory for one test.
std::string ct_scratch(const std::string &tag);
// The whole file, or an empty vector when it cannot be read.
std::vector<uint8_t> ct_read(const std::string &path);
void ct_write(const std::string &path, const std::string &text);
// Runs a tool with two arguments; returns its exit status and keeps its error output.
int ct_run(const std::string &tool, const std::string &in, const std::string &out,
           std::string *errors);
// Little-endian readers over a byte vector (0 beyond its end).
uint32_t ct_u32(const std::vector<uint8_t> &b, size_t at);
uint16_t ct_u16(const std::vector<uint8_t> &b, size_t at);
