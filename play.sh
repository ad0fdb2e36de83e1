#!/usr/bin/env bash
# play.sh -- installs what the game needs (Debian packages), builds the game and its content
# (nothing of the developers': no tests, benchmarks or test helpers), and plays it: the program
# reads build/data beside it and keeps the player's files there.
# SPDX-License-Identifier: MIT
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
vb_install_deps play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVB_TESTS=OFF -DVB_TOOLS=OFF >/dev/null
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: running the game under Xvfb (virtual screen)."
    exec xvfb-run -a -s "-screen 0 800x600x24" build/velumbrina
fi
exec build/velumbrina
