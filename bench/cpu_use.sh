#!/usr/bin/env bash
# cpu_use.sh -- the processor the game takes, measured from /proc over ten seconds at the title
# menu and ten seconds of play, at every window size (2X, 3X, 4X), in an X server of its own (the
# window-test kit). About 3% of one core on a quiet machine; it fails at 15%, where a wait that
# spins or a presentation gone slow would land. Run after a build: bench/cpu_use.sh [BUILD-DIR].
# SPDX-License-Identifier: MIT
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd) || exit 1
export VB_SRC=$(cd "$(dirname "$0")/.." && pwd) VB_BIN="$build/velumbrina" VB_DATA_DIR="$build/data"
export VB_TOOLS="$build/tools" VB_PROBE="$build/tests/vbprobe" VB_WMCLOSE="$build/tests/wmclose"
export VB_BUILD="$build"
VB_SCREEN=1280x1024x24 # room for the 4X window
. "$VB_SRC/tests/e2e/lib.sh"

hz=$(getconf CLK_TCK)
# Process CPU time (user + system) in clock ticks, from /proc.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$VB_PID/stat"; }

# Logs the processor ten seconds of what the game is doing now use; fails at 15% of one core.
check_ten_seconds() {
    local before after used permille
    before=$(cpu_ticks)
    sleep 10 # the measured span itself, not a wait for something to happen
    after=$(cpu_ticks)
    used=$((after - before))
    permille=$((used * 1000 / (10 * hz)))
    vb_log "$1: $used clock ticks of CPU in 10 s, $((permille / 10)).$((permille % 10))% of one core"
    [ $((used * 100)) -lt $((15 * 10 * hz)) ] || vb_fail "$1 used 15% of one core or more"
}

for size in 2 3 4; do
    vb_write_cfg 1 1 16 127 127 44100 "$size"
    vb_start || vb_fail "no game window"
    vb_to_menu
    check_ten_seconds "the title menu at ${size}X"
    vb_key Return # PLAY
    vb_wait_text "LEVEL 1 - 1" 88
    vb_key Return
    vb_wait_text "LEVEL 1 - 1" 176
    check_ten_seconds "play at ${size}X"
    vb_close
    vb_wait_exit 0
done
vb_pass
