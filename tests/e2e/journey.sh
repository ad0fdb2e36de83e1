# journey.sh -- a player's whole first session: with no configuration file the game makes one
# with the defaults; the splash screens wait for Enter; the title menu with PLAY selected; PLAY,
# the card of room 1 with a password, the room; R asks "SURE MY DARLING?" and Enter keeps
# playing; Right Control saves CAP.PCX; a jump shows above the player's start, and walking on
# reaches the card of room 2; Escape goes back to the menu; the password screen takes small
# letters and refuses a wrong code, and room 7's password starts play there;
# Escape held out of play leaves the menu up, and Escape pressed there ends the game with status 0.
. "$VB_SRC/tests/e2e/lib.sh"

vb_start || vb_fail "no game window"
[ "$(vb_cfg)" = " 1 1 16 127 127 44100 2 " ] ||
    vb_fail "the configuration file was not made with the defaults"
vb_to_menu
vb_lit "EXIT" 152 >/dev/null && vb_fail "EXIT drawn as selected while PLAY is"

vb_key Return # PLAY
vb_wait_text "LEVEL 1 - 1" 88
# The card shows one of room 1's four passwords: all four share their last three characters.
code=$("$VB_TOOLS/vbclave" 1 1) || vb_fail "vbclave failed"
vb_text "${code:1:3}" >/dev/null || vb_fail "the card shows no password of room 1"
vb_key Return
vb_wait_text "LEVEL 1 - 1" 176

# The retry dialog, answered "No" with Enter at once: play goes on.
vb_key r
vb_wait_text "SURE MY DARLING?" 80
vb_key Return
vb_wait_shot 30 eval '! vb_text "SURE MY DARLING?" 80' || vb_fail "the dialog stayed open"
vb_wait_text "RETRY x 5" 168

vb_key Control_R 0.5
vb_wait_file "$VB_RUN/CAP.PCX" 10 || vb_fail "Right Control wrote no CAP.PCX"

# Where the player stands, in pixels of the 2X window.
vb_player_start
px=$((2 * VB_PX))
py=$((2 * VB_PY))
vb_shot "$VB_RUN/standing.ppm"
# True when the 32x32 window square above the player differs from the standing picture.
changed_above() { [ "$("$VB_TOOLS/vbprobe" diff "$VB_RUN/standing.ppm" "$VB_SHOT" $px $((py - 32)) 32 32)" -gt 40 ]; }

xdotool keydown Up # a high jump shows above the player
vb_wait_shot 10 changed_above || vb_fail "the jump did not show above the player"
xdotool keyup Up
xdotool keydown Right # walking from the start reaches the lever
vb_wait_shot 60 vb_text "LEVEL 1 - 2" 88 || vb_fail "walking right never reached the card of room 2"
xdotool keyup Right

vb_key Escape
vb_wait_lit "PLAY" 88
vb_wait_log "Destruyendo bitmaps" 30 || vb_fail "play did not tear down"

# A wrong password says WRONG PASSWORD and the menu comes back (the field's keys have their unit
# test).
right=$("$VB_TOOLS/vbclave" 1 7) || vb_fail "vbclave could not make a password"
# The same code with its last character changed can never be right.
if [ "${right:3:1}" = A ]; then wrong="${right:0:3}B"; else wrong="${right:0:3}A"; fi
vb_key Down
vb_wait_lit "PASSWORD" 104
vb_key Return
vb_wait_text "ENTER PASSWORD" 88
vb_type "$wrong"
vb_key Return
vb_wait_text "WRONG PASSWORD" 88
vb_key Return
vb_wait_lit "PASSWORD" 104 # back at the menu, the entry still selected
vb_key Return
vb_wait_text "ENTER PASSWORD" 88
vb_type "$right"
vb_key Return
vb_wait_text "LEVEL 1 - 7" 88
vb_key Return
vb_wait_text "LEVEL 1 - 7" 176
timeout 10 xdotool keydown Escape # leaves play, and is still held after it
vb_poll 30 eval '[ "$(LC_ALL=C grep -ac "FINE" "$VB_RUN/log.txt")" = 2 ]' || vb_fail "Escape did not end play"
timeout 10 xdotool keyup Escape
vb_wait_lit "PASSWORD" 104
vb_running || vb_fail "the game quit after leaving play with Escape held"
vb_key Escape
vb_wait_exit 0

vb_pass
