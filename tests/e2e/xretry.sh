# xretry.sh -- an X server that turns the first connections away (as it does when many clients
# start at the same moment) costs the game a few tries, not its start; one that never takes a
# connection ends it with status 1 and a message saying what the server answered.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

gates=""
trap 'for g in $gates; do kill "$g" 2>/dev/null; done; vb_cleanup' EXIT
# Starts a stand-in display that closes the first $1 connections; its number in $gate_display.
gate() {
    "$VB_XGATE" "$1" >"$VB_RUN/gate$1.txt" 2>&1 &
    gates="$gates $!"
    vb_poll 60 test -s "$VB_RUN/gate$1.txt" || vb_fail "xgate did not start"
    gate_display=":$(head -n 1 "$VB_RUN/gate$1.txt")"
}

gate 3
vb_start DISPLAY="$gate_display" || vb_fail "no window through a display that turned 3 connections away"
grep -q "the X server of $gate_display took the connection at try [2-7] (before: it " "$VB_RUN/log.txt" ||
    vb_fail "no log line about the tries"
vb_close 0

gate 1000000
(cd "$VB_RUN" && exec env DISPLAY="$gate_display" SDL_AUDIODRIVER=dummy VELUMBRINA_DATA="$VB_RUN" timeout 60 "$VB_BIN" \
    </dev/null >"$VB_RUN/stdout.txt" 2>"$VB_RUN/stderr.txt")
status=$?
[ "$status" = 1 ] || vb_fail "exit status $status with a display that takes no connection"
# Closed before or after the game's request reached it: a reset, a broken pipe or an end.
grep -qE "cannot start the graphics library: the X server of $gate_display (closed|dropped) the connection.*; 7 tries over 1.1 s" \
    "$VB_RUN/stderr.txt" || vb_fail "the message does not say what the server answered"
vb_pass
