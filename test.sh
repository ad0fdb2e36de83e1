#!/usr/bin/env bash
# test.sh -- installs what is missing, builds, and runs every test: unit tests, the sanitizer build
# of the unit tests, the fuzz targets, the level checker and the window tests under Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
vb_install_deps

jobs=$(nproc)
# Sanitizer build of the unit tests (no content, no window tests).
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVB_SANITIZE=ON -DVB_CONTENT=OFF >/dev/null
cmake --build build-asan -j"$jobs"
# Fuzz targets, built with clang and libFuzzer.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVB_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs"
# The game, its content, tools, tests and benchmarks; its CTest run includes the two builds above.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVB_ASAN_DIR="$PWD/build-asan" -DVB_FUZZ_DIR="$PWD/build-fuzz" >/dev/null
cmake --build build -j"$jobs"
cd build
ctest --output-on-failure -j"$jobs"
