#!/usr/bin/env bash
# test.sh -- installs what is missing, builds, and runs every test: unit tests, the sanitizer build
# of the unit tests, the fuzz targets, the level checker and the window tests under Xvfb.
# SPDX-License-Identifier: MIT
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
vb_install_deps test

jobs=$(nproc)
# The game, its content, tools, tests and benchmarks.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVB_TESTS=ON -DVB_TOOLS=ON \
    -DVB_ASAN_DIR="$PWD/build-asan" -DVB_FUZZ_DIR="$PWD/build-fuzz" >/dev/null
cmake --build build -j"$jobs"
# Sanitizer build of the unit tests, with clang (it compiles them about four times faster than
# g++ does with the sanitizers); it reads the content of the main build.
CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVB_SANITIZE=ON -DVB_CONTENT=OFF -DVB_TOOLS=OFF \
    -DVB_DATA_DIR="$PWD/build/data" >/dev/null
cmake --build build-asan -j"$jobs"
# Fuzz targets, built with clang and libFuzzer.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVB_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs"
# One CTest run covers everything: the main build's tests, the sanitizer build's unit tests and
# the fuzz targets. The window tests mostly wait for the game, so twice as many tests as cores run
# side by side.
cd build
ctest --output-on-failure -j"$((jobs * 2))"
