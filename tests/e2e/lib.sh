# lib.sh -- the window-test kit: a private X server (screen VB_SCREEN, default 800x600x24), the
# game playing a scratch copy of the data directory ($VB_RUN, kept when VB_KEEP=1; its files land
# there too, as a build's do beside its data), keys pressed with
# xdotool, screenshots read with the probe (tests/e2e/probe). CTest gives each tests/e2e/*.sh
# VB_BIN, VB_DATA_DIR, VB_TOOLS (build/tools), VB_PROBE and VB_WMCLOSE (the probe and the close
# message's sender, in build/tests), VB_SRC and VB_BUILD. A script sources this file, then for
# instance: vb_start; vb_to_menu; vb_press Return "LEVEL 1 - 1 88"; vb_close 0; vb_pass. The game
# keeps its last presented frames for the kit (docs/WINDOW_TESTS.md): vb_wait_frame compares the
# window with the frames presented around each screenshot, vb_frame saves the latest, and VB_FRAME
# numbers frames so a test can ask what was presented since. Every wait polls.
# SPDX-License-Identifier: MIT

set -u

VB_RUN=$(mktemp -d "${TMPDIR:-/tmp}/vb-e2e.XXXXXX")
VB_SHOT="$VB_RUN/shot.bmp" # the latest screenshot of the game window
VB_FRAMES="$VB_RUN/frames" # where the game writes the frames it kept when the kit asks
VB_FRAME=0                 # the number of the last frame it presented, as of the last vb_dump
VB_PID=""    # the game's process id while it runs
VB_WIN=""    # its window id once vb_start found it
VB_STATUS="" # its exit status once vb_wait_exit saw it end
VB_XPID=""   # this test's X server

vb_log() { echo "[$(date +%T)] $*" >&2; }

# Ends the game and the X server and removes the scratch directory.
vb_cleanup() {
    [ -n "$VB_PID" ] && kill "$VB_PID" 2>/dev/null && wait "$VB_PID" 2>/dev/null
    [ -n "$VB_XPID" ] && kill "$VB_XPID" 2>/dev/null
    chmod u+w "$VB_RUN" # a test may have left it read-only
    if [ "${VB_KEEP:-0}" = 1 ]; then vb_log "kept $VB_RUN"; else rm -rf "$VB_RUN"; fi
}
trap vb_cleanup EXIT

vb_fail() {
    local keep
    vb_log "FAIL: $*"
    if [ -f "$VB_SHOT" ] && [ -n "${VB_BUILD:-}" ]; then # the last screenshot, for a rare failure
        keep="$VB_BUILD/e2e-failures/$(basename "$0" .sh)-$(date +%H%M%S).png"
        mkdir -p "${keep%/*}" && convert "$VB_SHOT" "$keep" 2>/dev/null && vb_log "last screenshot: $keep"
    fi
    vb_running && vb_dump # the game writes the keys it saw beside the frames
    if [ -f "$VB_FRAMES/keys" ]; then
        echo "--- the last keys the game saw (D pressed, U let go, R repeat, r its release, T taken)" >&2
        tr '\n' ' ' <"$VB_FRAMES/keys" >&2 && echo >&2
    fi
    [ -f "$VB_RUN/log.txt" ] && { echo "--- log.txt" >&2; tail -n 20 "$VB_RUN/log.txt" >&2; }
    [ -s "$VB_RUN/stderr.txt" ] && { echo "--- stderr" >&2; tail -n 20 "$VB_RUN/stderr.txt" >&2; }
    exit 1
}
vb_pass() { vb_log "PASS"; exit 0; }

# Writes Velumbrina.Cfg: scanlines, sound on, depth, music and effect volume, rate, window size.
vb_write_cfg() { perl -e 'print pack("l<*", @ARGV)' "$@" >"$VB_RUN/Velumbrina.Cfg"; }

# True while the game runs (a finished game not yet waited for is a zombie: not running).
vb_running() {
    local state
    [ -n "$VB_PID" ] || return 1
    state=$(ps -o stat= -p "$VB_PID" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "${state#Z}" = "$state" ]
}

# Starts the game in $VB_RUN (or $VB_CWD when set), its data and files in $VB_RUN (arguments:
# NAME=VALUE settings, VELUMBRINA_DATA= for the data the program finds itself, then a command to
# run it under; sound to SDL's dummy driver by default), waits up to 60 s for its window and puts the pointer
# over it so that keys reach it. Returns 1 when the game ends first.
vb_start() {
    local t
    rm -rf "$VB_FRAMES"
    mkdir -m 777 "$VB_FRAMES" # the game may run as another user
    VB_FRAME=0
    (cd "${VB_CWD:-$VB_RUN}" && exec env SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" VB_DUMP_FRAMES="$VB_FRAMES" \
        VELUMBRINA_DATA="$VB_RUN" "$@" "$VB_BIN" >"$VB_RUN/stdout.txt" 2>"$VB_RUN/stderr.txt") &
    VB_PID=$!
    vb_log "started the game, pid $VB_PID"
    for ((t = 0; t < 300; t++)); do
        vb_running || return 1
        VB_WIN=$(timeout 10 xdotool search --onlyvisible --classname velumbrina 2>/dev/null | head -n 1)
        [ -n "$VB_WIN" ] && break
        sleep 0.2
    done
    [ -n "$VB_WIN" ] || return 1
    timeout 10 xdotool mousemove --window "$VB_WIN" 256 192 || true
}

# Taps a key (xdotool name: Return, Escape, Up, alt+Return, a, ...): down and up at once, one
# press however busy the machine (the game counts a tap it saw between two polls). A key that must
# stay down for a while is held with vb_hold_frames or vb_hold.
vb_key() {
    timeout 10 xdotool mousemove --window "$VB_WIN" 256 192
    timeout 10 xdotool key --delay 0 "$1"
}

# vb_hold_frames KEY N: holds KEY until the game has presented N more frames (so play read it
# held, however slow the machine), then lets it go; false when the frames did not come in 60 s.
vb_hold_frames() {
    local from ok=0
    vb_dump || return 1
    from=$VB_FRAME
    timeout 10 xdotool mousemove --window "$VB_WIN" 256 192
    timeout 10 xdotool keydown "$1"
    vb_poll 60 eval 'vb_dump && [ "$VB_FRAME" -ge '"$((from + $2))"' ]' || ok=1
    timeout 10 xdotool keyup "$1"
    return $ok
}

# Takes a screenshot of the game window into $1 (default $VB_SHOT) as a 24-bit BMP.
vb_shot() {
    local out=${1:-$VB_SHOT}
    vb_running || return 1 # importing a window that is gone would hang
    timeout 20 import -window "$VB_WIN" -depth 8 "bmp3:$out.part" 2>/dev/null && mv "$out.part" "$out"
}

# Takes screenshots until the command (which may read $VB_SHOT) succeeds; waits at most $1 s.
vb_wait_shot() {
    local end=$(($(date +%s) + $1))
    shift
    while [ "$(date +%s)" -lt "$end" ]; do
        vb_running || return 1
        if vb_shot && "$@" >"$VB_RUN/probe.txt" 2>&1; then return 0; fi
        sleep 0.3
    done
    vb_log "gave up waiting: $(cat "$VB_RUN/probe.txt" 2>/dev/null)"
    return 1
}

# Asks the game for the frames it kept and waits until it wrote them; VB_FRAME is then the number
# of the last frame it presented. Frame N is "$(vb_frame_file N)".
vb_dump() {
    local answers=0 n
    [ -f "$VB_FRAMES/latest" ] && read -r answers n <"$VB_FRAMES/latest"
    vb_running && kill -USR1 "$VB_PID" 2>/dev/null || return 1
    vb_poll 60 eval '[ -f "$VB_FRAMES/latest" ] && read -r a n <"$VB_FRAMES/latest" && [ "$a" -gt '"$answers"' ]' ||
        return 1
    read -r answers VB_FRAME <"$VB_FRAMES/latest"
}
vb_frame_file() { printf '%s/%08d.bmp' "$VB_FRAMES" "$1"; }
# Saves the latest presented frame as $1.
vb_frame() { vb_dump && [ "$VB_FRAME" -gt 0 ] && cp "$(vb_frame_file "$VB_FRAME")" "$1"; }
# vb_differs REF X Y W H [FRAME]: true when more than 10 pixels of the region of the logical
# frame differ between the picture REF and FRAME (default: the latest presented frame).
vb_differs() {
    local frame=${6:-$VB_RUN/latest.bmp}
    [ $# -ge 6 ] || vb_frame "$frame" || return 1
    [ "$("$VB_PROBE" diff "$1" "$frame" "$2" "$3" "$4" "$5")" -gt 10 ]
}
# The frames presented from number $1 on that are still on disk, as file names.
vb_frames_since() {
    local n
    for ((n = $1; n <= VB_FRAME; n++)); do
        [ -f "$(vb_frame_file $n)" ] && vb_frame_file $n && echo
    done
}

# vb_frame_text FROM TEXT ROW: true when a frame presented from number FROM on shows the text at
# logical row ROW (a message shown for a moment is seen however late the check comes).
vb_frame_text() {
    local f
    vb_dump || return 1
    for f in $(vb_frames_since "$1"); do "$VB_PROBE" text "$f" "$2" "$3" >/dev/null && return 0; done
    return 1
}

# vb_wait_frame SECONDS on|off [W H]: takes screenshots until one shows a frame presented about
# the moment it was taken, scaled, with scanlines on or off (and the window W by H); fails after
# SECONDS. The game numbers its frames, so the comparison knows which frames can be on the screen.
vb_wait_frame() {
    local end=$(($(date +%s) + $1)) scan=$2 size=${3:-} from frames
    while [ "$(date +%s)" -lt "$end" ]; do
        vb_running || return 1
        if vb_dump && from=$VB_FRAME && vb_shot && vb_dump; then
            if [ -n "$size" ] && ! vb_size_is "$size"; then
                echo "the window is $("$VB_PROBE" size "$VB_SHOT"), not $size" >"$VB_RUN/probe.txt"
            else
                mapfile -t frames < <(vb_frames_since "$from")
                "$VB_PROBE" frame "$VB_SHOT" "$scan" "${frames[@]}" >"$VB_RUN/probe.txt" 2>&1 && return 0
            fi
        fi
        sleep 0.3
    done
    vb_log "gave up waiting: $(cat "$VB_RUN/probe.txt" 2>/dev/null)"
    return 1
}

# True when the latest screenshot shows the text (at logical row ROW when given).
vb_text() { "$VB_PROBE" text "$VB_SHOT" "$@"; }
# True when it shows the text at full white at logical row ROW: the menu's selected entry.
vb_lit() { "$VB_PROBE" lit "$VB_SHOT" "$@"; }
# True while the window shows nothing but black.
vb_black() { [ "$(convert "$VB_SHOT" -format '%[fx:maxima]' info: 2>/dev/null)" = 0 ]; }
# Wait up to 60 s for the text (at row ROW when given), or for it drawn as selected, or fail.
vb_wait_text() { vb_wait_shot 60 vb_text "$@" || vb_fail "'$1' did not appear"; }
vb_wait_lit() { vb_wait_shot 60 vb_lit "$@" || vb_fail "'$1' was not drawn as selected"; }
# vb_steps KEY "TEXT ROW"...: for each pair, presses KEY and waits for TEXT lit on ROW; vb_press
# KEY "TEXT ROW"... waits for TEXT shown on ROW, lit or not.
vb_steps() { vb_each vb_wait_lit "$@"; }
vb_press() { vb_each vb_wait_text "$@"; }
vb_each() {
    local wait=$1 key=$2 e
    shift 2
    for e in "$@"; do
        vb_key "$key"
        $wait "${e% *}" "${e##* }"
    done
}

# vb_hold KEY SECONDS MESSAGE COMMAND...: holds KEY while waiting for the command as vb_wait_shot
# does, then lets it go; fails with MESSAGE when the command never succeeded.
vb_hold() {
    local ok=0
    timeout 10 xdotool keydown "$1"
    vb_wait_shot "$2" "${@:4}" || ok=1
    timeout 10 xdotool keyup "$1"
    [ "$ok" = 0 ] || vb_fail "$3"
}

# Past the splash screens (Enter on each once it shows) and the title into the menu, PLAY lit.
vb_to_menu() {
    if [ -f "$VB_RUN/resources/splashpixelmeet.pcx" ]; then
        vb_wait_shot 60 eval '! vb_black' || vb_fail "the first splash screen stayed black"
        vb_key Return
    fi
    if [ -f "$VB_RUN/resources/mirthwave-logo.pcx" ]; then # the first frame the game presents
        vb_poll 60 eval 'vb_dump && [ "$VB_FRAME" -ge 1 ]' || vb_fail "the second splash screen did not show"
        vb_key Return
    fi
    vb_wait_text "PRESS ENTER" 184
    vb_steps Return "PLAY 88"
}

# Types the code into the empty password field in small letters, waiting for each to show.
vb_type() {
    local i shown
    for ((i = 0; i < ${#1}; i++)); do
        vb_key "$(echo "${1:i:1}" | tr 'A-Z' 'a-z')"
        shown=$(echo "${1:0:i+1}" | tr 'a-z' 'A-Z')....
        vb_wait_text "${shown:0:4}" 100
    done
}

# From the menu with PLAY selected, enters the password of room $1 of level 1; waits for its card.
vb_password() {
    local code
    code=$("$VB_TOOLS/vbclave" 1 "$1") || vb_fail "vbclave could not make a password for room $1"
    vb_steps Down "PASSWORD 100"
    vb_press Return "ENTER PASSWORD 88"
    vb_type "$code"
    vb_press Return "LEVEL 1 - $1 88"
}

# The loudest sample of the last half second of the game's sound, when it was started with
# SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$VB_RUN/audio.raw" (16-bit stereo at 44100 Hz).
vb_loudness() {
    tail -c 88200 "$VB_RUN/audio.raw" | od -An -v -td2 -w2 |
        awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}
# What the sound device received lately, for a failure's message: the file's size and the loudest
# sample of each of the last ten tenths of a second, oldest first.
vb_audio_report() {
    local size
    size=$(stat -c %s "$VB_RUN/audio.raw" 2>/dev/null) || { echo "no sound file"; return; }
    echo "$size bytes, loudest per tenth: $(tail -c 176400 "$VB_RUN/audio.raw" | od -An -v -td2 -w2 |
        awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } NR % 8820 == 0 { printf "%d ", m; m = 0 }')"
}

# Runs the command until it succeeds; at most $1 s.
vb_poll() {
    local end=$(($(date +%s) + $1))
    shift
    until "$@"; do
        [ "$(date +%s)" -lt "$end" ] || return 1
        sleep 0.2
    done
}
# Waits at most $2 s (default 60) for log.txt to hold a line containing the text.
vb_wait_log() { vb_poll "${2:-60}" env LC_ALL=C grep -aqF -- "$1" "$VB_RUN/log.txt" 2>/dev/null; }

# The configuration file's values, as " 1 1 16 ... ".
vb_cfg() { od -An -v -td4 "$VB_RUN/Velumbrina.Cfg" | tr -s ' \n' ' '; }
# True when the latest screenshot is "W H".
vb_size_is() { [ "$("$VB_PROBE" size "$VB_SHOT")" = "$1" ]; }

# The player's start in room 1 of level 1, in logical pixels of the frame: VB_PX, VB_PY.
vb_player_start() {
    local col row
    read -r col row < <("$VB_TOOLS/vbmap" info "$VB_DATA_DIR/maps/velba1.vb3" |
        awk '$1 == "1" { split($4, c, ","); print c[1], c[2] }')
    [ -n "$col" ] || vb_fail "no start cell for room 1"
    VB_PX=$((8 + 16 * col))
    VB_PY=$((16 + 16 * row))
}

# Starts openbox and waits until it answers.
vb_window_manager() {
    openbox >/dev/null 2>&1 &
    vb_poll 60 eval 'timeout 5 xdotool get_num_desktops >/dev/null 2>&1' ||
        vb_fail "the window manager did not start"
}

# From the menu with PLAY selected into the options, WINDOW ($1) selected.
vb_to_options() {
    vb_steps Down "PASSWORD 100" "USER LEVEL 112" "OPTIONS 124"
    vb_steps Return "WINDOW      $1 86"
}

# From the options with WINDOW selected to the CONTROLS screen's HIGH JUMP line.
vb_to_high_jump() {
    vb_steps Up "BACK 167" "ASSIST 158" "CONTROLS 149"
    vb_steps Return "LEFT       LEFT,O 86"
    vb_steps Down "RIGHT      RIGHT,P 96" "HIGH JUMP  UP,Q,Z 106"
}

# Sends the window's close message, as the title bar's close button would; with an argument,
# waits for the game to end with that status.
vb_close() {
    timeout 10 "$VB_WMCLOSE" "$VB_WIN" || vb_fail "could not send the close message"
    [ $# = 0 ] || vb_wait_exit "$1"
}

# Waits at most 60 s for the game to end, its status left in VB_STATUS; with an argument, fails
# unless the game ended with that status.
vb_wait_exit() {
    vb_poll 60 eval '! vb_running' || { [ $# = 0 ] || vb_fail "the game did not end"; return 1; }
    if wait "$VB_PID"; then VB_STATUS=0; else VB_STATUS=$?; fi
    VB_PID=""
    vb_log "the game ended with status $VB_STATUS"
    [ $# -eq 0 ] || [ "$VB_STATUS" = "$1" ] || vb_fail "exit status $VB_STATUS, expected $1"
}

# An X server of this test's own: Xvfb picks a free display number and writes it once it is
# ready, so servers started side by side never race for one.
Xvfb -displayfd 3 -screen 0 "${VB_SCREEN:-800x600x24}" -nolisten tcp -noreset 3>"$VB_RUN/display" >/dev/null 2>&1 &
VB_XPID=$!
vb_poll 60 test -s "$VB_RUN/display" || vb_fail "the X server gave no display number in 60 s"
export DISPLAY=":$(head -n 1 "$VB_RUN/display")"

# The data directory (symlinks kept) without what an earlier run may have left.
cp -r "$VB_DATA_DIR"/. "$VB_RUN"/
rm -f "$VB_RUN/Velumbrina.Cfg" "$VB_RUN/log.txt" "$VB_RUN/CAP.PCX"
