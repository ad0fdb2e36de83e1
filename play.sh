#!/usr/bin/env bash
# play.sh -- installs what is missing, builds the game and its data, and plays it from build/data.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/deps.sh
vb_install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cd build/data
if [ -z "${DISPLAY:-}" ]; then
    echo "No display: running the game under Xvfb (virtual screen)."
    exec xvfb-run -a -s "-screen 0 800x600x24" ../velumbrina
fi
exec ../velumbrina
