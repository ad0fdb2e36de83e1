# controls.sh -- OPTIONS, CONTROLS: HIGH JUMP bound to W, and RETRY to O, which says that LEFT got R
# in its place, are saved after the seven values; the first card shows the keys as bound; in play
# W jumps (the player is seen above her start), Up, the old first key, no longer does, and Q, a
# kept second key, still does; O asks for a retry.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

vb_player_start
# True when the player's cell or the two cells above it differ from the start in frame $1 (the
# latest when not given).
jumped() { vb_differs "$VB_RUN/start.bmp" $VB_PX $((VB_PY - 32)) 16 48 "$@"; }
# True when a frame presented from number $next on shows a jump; each frame is looked at once.
jumped_since_next() {
    local f
    vb_dump || return 1
    for f in $(vb_frames_since "$next"); do jumped "$f" && return 0; done
    next=$((VB_FRAME + 1))
    return 1
}

vb_start || vb_fail "no game window"
vb_to_menu
vb_to_options 2X
vb_to_high_jump
vb_steps Return "HIGH JUMP  PRESS A KEY 106"
vb_steps w "HIGH JUMP  W,Q,Z 106"
vb_steps Down "LONG JUMP  DOWN,A,LEFT SHIFT 116" "RETRY      R 126"
vb_steps Return "RETRY      PRESS A KEY 126"
vb_steps o "RETRY      O 126"
vb_text "O WAS LEFT'S: LEFT NOW HAS R" 182 >/dev/null || vb_fail "no word of what moved"
vb_steps Escape "CONTROLS 149" "OPTIONS 124"
# The seven values, the bindings' version 1, then LEFT (Left, R), RIGHT, HIGH JUMP (W, Q, Z), ...,
# RETRY (O) as key codes.
vb_poll 60 eval '[ "$(vb_cfg)" = " 1 1 16 127 127 44100 2 1 82 18 0 83 16 0 23 17 26 85 1 115 15 0 0 67 0 0 118 0 0 " ]' ||
    vb_fail "the file holds:$(vb_cfg)"

vb_steps Up "USER LEVEL 112" "PASSWORD 100" "PLAY 88"
vb_press Return "LEVEL 1 - 1 88"
for e in "WALK LEFT  LEFT,R 122" "HIGH JUMP  W,Q,Z 140" "RETRY      O                   Y 167"; do
    vb_text "${e% *}" "${e##* }" >/dev/null || vb_fail "the first card does not show '${e% *}'"
done
vb_press Return "LEVEL 1 - 1 176"
vb_frame "$VB_RUN/start.bmp" || vb_fail "no frame of the room"

# Up held while 40 frames are presented (a jump takes 33): none of them shows a jump. Every frame
# is looked at: the kit asks for them as they come.
timeout 10 xdotool keydown Up
from=$((VB_FRAME + 1))
vb_poll 60 eval 'vb_dump && [ "$VB_FRAME" -ge $((from + 40)) ]' || vb_fail "no frames while Up was held"
timeout 10 xdotool keyup Up
next=$from
jumped_since_next && vb_fail "Up still jumps"

# W taps a jump; a retry puts the player back at her start, where Q does.
vb_dump
next=$VB_FRAME
vb_key w
vb_poll 60 jumped_since_next || vb_fail "W did not jump"
vb_press o "SURE MY DARLING? 80"
vb_key Left
vb_press Return "LEVEL 1 - 1 88" "RETRY x 4 168"
vb_wait_shot 60 eval '! jumped' || vb_fail "the player is not back at her start"
vb_dump
next=$VB_FRAME
vb_key q
vb_poll 60 jumped_since_next || vb_fail "Q did not jump"
vb_steps Escape "PLAY 88"
vb_close 0
vb_pass
