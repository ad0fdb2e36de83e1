# journey.sh -- a player's first session: the configuration file made with the defaults; splash
# screens, title, the menu with PLAY selected; room 1's card with its password labelled and how to
# play in today's keys (room 2's card without them); R and Enter keep
# playing; Right Control saves CAP0001.PCX and CAP.PCX once per press, and says when it cannot;
# a jump shows above the player, walking on reaches room 2;
# Escape back to the menu; a wrong password is refused and room 7's starts play there; Escape held
# out of play leaves the menu up, and Escape there ends the game with status 0.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

vb_start || vb_fail "no game window"
[ "$(vb_cfg)" = " 1 1 16 127 127 44100 2 " ] ||
    vb_fail "the configuration file was not made with the defaults"
vb_to_menu
vb_lit "EXIT" 160 >/dev/null && vb_fail "EXIT drawn as selected while PLAY is"

vb_press Return "LEVEL 1 - 1 88"
# The card shows one of room 1's four passwords: all four share their last three characters.
code=$("$VB_TOOLS/vbclave" 1 1) || vb_fail "vbclave failed"
vb_text "${code:1:3}" 100 >/dev/null || vb_fail "the card shows no password of room 1"
for e in "PASSWORD 100" "HIGH JUMP  UP,Q,Z 140" "PAUSE      ENTER           START 158"; do
    vb_text "${e% *}" "${e##* }" >/dev/null || vb_fail "the first card shows no '${e% *}'"
done
vb_press Return "LEVEL 1 - 1 176"

# The retry dialog, answered "No" with Enter at once: play goes on.
vb_press r "SURE MY DARLING? 80"
vb_key Return
vb_wait_shot 60 eval '! vb_text "SURE MY DARLING?" 80' || vb_fail "the dialog stayed open"
vb_wait_text "RETRY x 5" 168

vb_hold_frames Control_R 8 # held for many frames: one screenshot
vb_poll 60 test -e "$VB_RUN/CAP.PCX" || vb_fail "Right Control wrote no CAP.PCX"
[ "$(cd "$VB_RUN" && echo CAP????.PCX)" = CAP0001.PCX ] || vb_fail "not one numbered screenshot: $(ls "$VB_RUN")"
: >"$VB_RUN/CAP9999.PCX" # no number left: the screenshot fails, and says so for a while
vb_dump
from=$VB_FRAME
vb_key Control_R
vb_poll 60 vb_frame_text "$from" "SCREENSHOT NOT SAVED" 22 || vb_fail "no message for a failed screenshot"

vb_player_start
vb_shot "$VB_RUN/standing.bmp"
# True when the 32x32 square above the player in the 2X window differs from the standing picture.
changed_above() { [ "$("$VB_PROBE" diff "$VB_RUN/standing.bmp" "$VB_SHOT" $((2 * VB_PX)) $((2 * VB_PY - 32)) 32 32)" -gt 40 ]; }
vb_hold Up 60 "the jump did not show above the player" changed_above
vb_hold Right 60 "walking right never reached the card of room 2" vb_text "LEVEL 1 - 2" 88
vb_text "HIGH JUMP" 140 >/dev/null && vb_fail "how to play on a later card"

vb_steps Escape "PLAY 88"
vb_wait_log "Destruyendo bitmaps" 30 || vb_fail "play did not tear down"

# A wrong password (room 7's with its last character changed) says WRONG PASSWORD, and the menu
# comes back with the entry still selected.
right=$("$VB_TOOLS/vbclave" 1 7) || vb_fail "vbclave could not make a password"
if [ "${right:3:1}" = A ]; then wrong="${right:0:3}B"; else wrong="${right:0:3}A"; fi
vb_steps Down "PASSWORD 100"
vb_press Return "ENTER PASSWORD 88"
vb_type "$wrong"
vb_press Return "WRONG PASSWORD 88"
vb_steps Return "PASSWORD 100"
vb_press Return "ENTER PASSWORD 88"
vb_type "$right"
vb_press Return "LEVEL 1 - 7 88" "LEVEL 1 - 7 176"
timeout 10 xdotool keydown Escape # leaves play, and is still held after it
vb_poll 60 eval '[ "$(LC_ALL=C grep -ac "FINE" "$VB_RUN/log.txt")" = 2 ]' || vb_fail "Escape did not end play"
timeout 10 xdotool keyup Escape
vb_wait_lit "PASSWORD" 100
vb_running || vb_fail "the game quit after leaving play with Escape held"
vb_key Escape
vb_wait_exit 0
vb_pass
