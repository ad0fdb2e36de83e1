# lib_front.sh -- helpers of the front end's window tests: start the game in a scratch copy of the
# data directory, press keys as a player does, and wait for texts on the screen.
# Needs VB_BIN, VB_DATA_DIR, VB_TOOLS (set by CTest) and an X display (xvfb-run).
set -u
: "${VB_BIN:?}" "${VB_DATA_DIR:?}" "${VB_TOOLS:?}"

VBF_DIR=$(mktemp -d /tmp/vbfront.XXXXXX)
VBF_PID=
VBF_WIN=
VBF_X=0
VBF_Y=0
VBF_FONT="$VB_DATA_DIR/resources/ATARI.8x8"

vbf_cleanup() {
    if [ -n "$VBF_PID" ] && kill -0 "$VBF_PID" 2>/dev/null; then kill "$VBF_PID"; fi
    rm -rf "$VBF_DIR"
}
trap vbf_cleanup EXIT

# Ends the test as failed, with the game's output and log for the reader.
vbf_fail() {
    echo "FAIL: $*" >&2
    echo "--- game output:" >&2
    cat "$VBF_DIR/out.txt" >&2 2>/dev/null
    echo "--- log.txt:" >&2
    tail -20 "$VBF_DIR/data/log.txt" >&2 2>/dev/null
    [ -f "$VBF_DIR/shot.ppm" ] && cp "$VBF_DIR/shot.ppm" "/tmp/vbfront_last_failure.ppm" &&
        echo "last screenshot: /tmp/vbfront_last_failure.ppm" >&2
    exit 1
}

# Skips the test (CTest status 77) when the level file is not built yet.
vbf_need_level() {
    if [ ! -f "$VB_DATA_DIR/maps/velba1.vb3" ]; then
        echo "SKIP: no level file $VB_DATA_DIR/maps/velba1.vb3"
        exit 77
    fi
}

# Starts the game silently in a scratch copy of the data directory and waits for its window.
vbf_start() {
    [ -f "$VBF_FONT" ] || { echo "SKIP: no font $VBF_FONT"; exit 77; }
    cp -a "$VB_DATA_DIR" "$VBF_DIR/data"
    (cd "$VBF_DIR/data" && SDL_AUDIODRIVER=dummy exec "$VB_BIN" >"$VBF_DIR/out.txt" 2>&1) &
    VBF_PID=$!
    local i
    for i in $(seq 1 300); do
        VBF_WIN=$(xdotool search --name '^velumbrina$' 2>/dev/null | head -1)
        if [ -n "$VBF_WIN" ]; then
            eval "$(xdotool getwindowgeometry --shell "$VBF_WIN")"
            VBF_X=$X
            VBF_Y=$Y
            xdotool mousemove $((VBF_X + 256)) $((VBF_Y + 192))
            return 0
        fi
        kill -0 "$VBF_PID" 2>/dev/null || vbf_fail "the game ended before opening its window"
        sleep 0.2
    done
    vbf_fail "no game window after 60 s"
}

# Holds a key down a while, as a player would (a press inside one poll is never seen).
vbf_key() {
    xdotool mousemove $((VBF_X + 256)) $((VBF_Y + 192))
    xdotool keydown "$1"
    sleep "${2:-0.25}"
    xdotool keyup "$1"
    sleep 0.1
}

# Takes a screenshot of the window's 512x384 into $VBF_DIR/shot.ppm.
vbf_shot() {
    import -window root -crop "512x384+${VBF_X}+${VBF_Y}" +repage -depth 8 "ppm:$VBF_DIR/shot.ppm" \
        2>/dev/null
}

# True when the text is on the screen at full white (at logical row ROW when given).
vbf_sees() {
    vbf_shot && "$VB_TOOLS/vbtexto" "$VBF_FONT" "$VBF_DIR/shot.ppm" "$@" >/dev/null
}

# Waits up to 60 s for the text (at logical row ROW when given), or fails the test.
vbf_wait_text() {
    local i
    for i in $(seq 1 150); do
        vbf_sees "$@" && return 0
        kill -0 "$VBF_PID" 2>/dev/null || vbf_fail "the game ended while waiting for '$1'"
        sleep 0.4
    done
    vbf_fail "'$1' did not appear"
}

# Waits up to 60 s for the text to leave the screen, or fails the test.
vbf_wait_gone() {
    local i
    for i in $(seq 1 150); do
        vbf_sees "$@" || return 0
        sleep 0.4
    done
    vbf_fail "'$1' stayed on the screen"
}

# Waits up to 60 s for the game to end and leaves its exit status in VBF_STATUS.
VBF_STATUS=
vbf_wait_exit() {
    local i
    for i in $(seq 1 300); do
        if ! kill -0 "$VBF_PID" 2>/dev/null; then
            VBF_STATUS=0
            wait "$VBF_PID" || VBF_STATUS=$?
            VBF_PID=
            return 0
        fi
        sleep 0.2
    done
    vbf_fail "the game did not end"
}

# Gets past the splash screens (pressing Enter on each one that has its picture) to the title's
# "PRESS ENTER", then into the menu with "PLAY" selected.
vbf_to_menu() {
    local pic
    for pic in splashpixelmeet mirthwave-logo; do
        if [ -f "$VB_DATA_DIR/resources/$pic.pcx" ]; then
            vbf_wait_screen_not_black
            vbf_key Return
        fi
    done
    vbf_wait_text "PRESS ENTER" 184
    vbf_key Return
    vbf_wait_text "PLAY" 88
}

# Waits until the window shows something other than black (a splash picture), or fails.
vbf_wait_screen_not_black() {
    local i
    for i in $(seq 1 150); do
        vbf_shot
        if [ "$(convert "$VBF_DIR/shot.ppm" -format '%[fx:maxima]' info: 2>/dev/null)" != "0" ]; then
            return 0
        fi
        sleep 0.4
    done
    vbf_fail "the window stayed black"
}
