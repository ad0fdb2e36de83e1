# lib.sh -- the window-test kit: run the real game under Xvfb, press keys, look at the window.
#
# Source it from a tests/e2e/*.sh script (CTest runs each script under xvfb-run with VB_BIN, the
# program; VB_DATA_DIR, the built data directory; VB_TOOLS, build/tools; VB_SRC, the sources):
#
#     . "$VB_SRC/tests/e2e/lib.sh"
#     vb_write_cfg 1 0 16 127 127 44100   # optional: scanlines, sound, depth, volumes, rate
#     vb_start                            # the game, in a scratch copy of the data directory
#     vb_wait_window || vb_fail "no window"
#     vb_key Return                       # hold a key for 0.2 s (the pointer is over the window)
#     vb_wait_shot 60 "$VB_TOOLS/vbprobe" text "$VB_SHOT" "PRESS ENTER" || vb_fail "no title"
#     vb_close                            # the window's close button (WM_DELETE_WINDOW)
#     vb_wait_exit 30 || vb_fail "still running"
#     [ "$VB_STATUS" = 0 ] || vb_fail "exit status $VB_STATUS"
#     vb_pass
#
# Everything the game writes (Velumbrina.Cfg, log.txt, CAP.PCX) lands in $VB_RUN, removed at the
# end unless VB_KEEP=1. Screenshots are binary PPM files that tools/vbprobe reads. A script that
# cannot test what it is for (for example a screen that has not landed yet) calls vb_skip, which
# exits with 77 so CTest reports it as skipped. Waits poll with a timeout instead of sleeping.

set -u

VB_RUN=$(mktemp -d "${TMPDIR:-/tmp}/vb-e2e.XXXXXX")
VB_SHOT="$VB_RUN/shot.ppm" # the latest screenshot of the game window
VB_PID=""                  # the game's process id while it runs
VB_WIN=""                  # its window id once vb_wait_window found it
VB_STATUS=""               # its exit status once vb_wait_exit saw it end

# Copies the data directory (symlinks kept) into the scratch directory the game runs in.
cp -r "$VB_DATA_DIR"/. "$VB_RUN"/

vb_log() { echo "[$(date +%T)] $*" >&2; }

# Ends the game if it still runs and removes the scratch directory.
vb_cleanup() {
    if [ -n "$VB_PID" ] && kill -0 "$VB_PID" 2>/dev/null; then
        kill "$VB_PID" 2>/dev/null
        wait "$VB_PID" 2>/dev/null
    fi
    if [ "${VB_KEEP:-0}" = 1 ]; then
        vb_log "kept $VB_RUN"
    else
        rm -rf "$VB_RUN"
    fi
}
trap vb_cleanup EXIT

vb_fail() {
    vb_log "FAIL: $*"
    [ -f "$VB_RUN/log.txt" ] && { echo "--- log.txt" >&2; tail -n 20 "$VB_RUN/log.txt" >&2; }
    [ -s "$VB_RUN/stderr.txt" ] && { echo "--- stderr" >&2; tail -n 20 "$VB_RUN/stderr.txt" >&2; }
    exit 1
}
# Skips the test when the game has already left by itself with status 0 (the title menu is still
# a placeholder that chooses EXIT at once); otherwise fails with the message.
vb_fail_unless_placeholder() {
    if ! vb_running && vb_wait_exit 5 && [ "$VB_STATUS" = 0 ]; then
        vb_skip "the game left at once by itself: the intro and title menu are still placeholders"
    fi
    vb_fail "$@"
}
vb_skip() {
    vb_log "SKIP: $*"
    exit 77
}
vb_pass() {
    vb_log "PASS"
    exit 0
}

# Writes Velumbrina.Cfg: scanlines, sound on, depth, music volume, effect volume, sample rate.
vb_write_cfg() {
    perl -e 'print pack("l<6", @ARGV)' "$@" >"$VB_RUN/Velumbrina.Cfg"
}

# Starts the game in $VB_RUN (extra environment as NAME=VALUE arguments). Sound goes to SDL's
# dummy driver unless SDL_AUDIODRIVER says otherwise.
vb_start() {
    (cd "$VB_RUN" && exec env SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" "$@" "$VB_BIN" \
        >"$VB_RUN/stdout.txt" 2>"$VB_RUN/stderr.txt") &
    VB_PID=$!
    vb_log "started the game, pid $VB_PID"
}

# True while the game runs (a finished game that was not waited for yet is a zombie: not running).
vb_running() {
    local state
    [ -n "$VB_PID" ] || return 1
    state=$(ps -o stat= -p "$VB_PID" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "${state#Z}" = "$state" ]
}

# Waits (default 60 s) for the game's window, then moves the pointer over it so key presses
# reach it. Fails when the game ends first.
vb_wait_window() {
    local timeout=${1:-60} t=0 id
    while [ "$t" -lt $((timeout * 5)) ]; do
        vb_running || return 1
        id=$(timeout 10 xdotool search --onlyvisible --classname allegro 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            VB_WIN=$id
            timeout 10 xdotool mousemove --window "$VB_WIN" 256 192
            vb_log "window $VB_WIN"
            return 0
        fi
        sleep 0.2
        t=$((t + 1))
    done
    return 1
}

# Holds a key (xdotool name: Return, Escape, Up, a, ...) for a while (default 0.2 s).
vb_key() {
    timeout 10 xdotool mousemove --window "$VB_WIN" 256 192
    timeout 10 xdotool keydown "$1"
    sleep "${2:-0.2}"
    timeout 10 xdotool keyup "$1"
}

# Takes a screenshot of the game window into $1 (default $VB_SHOT) as binary PPM.
vb_shot() {
    local out=${1:-$VB_SHOT}
    vb_running || return 1 # importing a window that is gone would hang
    timeout 20 import -window "$VB_WIN" -depth 8 "ppm:$out.part" 2>/dev/null && mv "$out.part" "$out"
}

# Takes screenshots until the command (which may read $VB_SHOT) succeeds; waits at most $1 s.
vb_wait_shot() {
    local timeout=$1 end
    shift
    end=$(($(date +%s) + timeout))
    while [ "$(date +%s)" -lt "$end" ]; do
        vb_running || return 1
        if vb_shot && "$@" >"$VB_RUN/probe.txt" 2>&1; then return 0; fi
        sleep 0.3
    done
    vb_log "gave up waiting: $(cat "$VB_RUN/probe.txt" 2>/dev/null)"
    return 1
}

# Waits until log.txt holds a line containing the text; at most $2 s (default 60).
vb_wait_log() {
    local end=$(($(date +%s) + ${2:-60}))
    while [ "$(date +%s)" -lt "$end" ]; do
        grep -qF -- "$1" "$VB_RUN/log.txt" 2>/dev/null && return 0
        sleep 0.3
    done
    return 1
}

# Sends the window's close message, as the title bar's close button would.
vb_close() { timeout 10 "$VB_TOOLS/wmclose" "$VB_WIN"; }

# Waits at most $1 s (default 30) for the game to end; its status is left in VB_STATUS.
vb_wait_exit() {
    local end=$(($(date +%s) + ${1:-30}))
    while vb_running && [ "$(date +%s)" -lt "$end" ]; do
        sleep 0.2
    done
    vb_running && return 1
    if wait "$VB_PID"; then VB_STATUS=0; else VB_STATUS=$?; fi
    VB_PID=""
    vb_log "the game ended with status $VB_STATUS"
    return 0
}
