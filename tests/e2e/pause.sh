# pause.sh -- under a window manager, Enter pauses play (not the Enter held on from the card):
# PAUSED over a still picture with how to go on in the bound keys, no music, held keys move
# nothing, Enter goes on; another window taking the focus pauses, F11 to full screen and back does
# not; Escape leaves from the pause, and the attempt's replay plays back the same.
# SIGTERM ends the game normally, and it is gone at once when the X server goes with a SIGHUP.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

vb_player_start

# Taps key $1 (play reads a tap as one frame of the key held), then checks that the player is not
# where frame $2 has her. A tap a try keeps her near her start however slowly the test runs: a key
# held for "a few frames" while the test waits for frames walked her to the lever on a busy machine.
step() { vb_key "$1" && vb_differs "$2" $((VB_PX - 8)) $((VB_PY - 8)) 96 64; }
pauses() { LC_ALL=C grep -ac "^paused" "$VB_RUN/log.txt"; }
vb_window_manager

vb_start SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$VB_RUN/audio.raw" ||
    vb_fail "no game window"
vb_to_menu
vb_press Return "LEVEL 1 - 1 88"
vb_hold Return 60 "play did not start" vb_text "LEVEL 1 - 1" 176 # held on into the room
vb_frame "$VB_RUN/start.bmp" || vb_fail "no frame of the room"
vb_poll 60 step Right "$VB_RUN/start.bmp" || vb_fail "the player did not move after the card"
[ "$(pauses)" = 0 ] || vb_fail "the Enter that ended the card paused play"
vb_poll 60 eval '[ "$(vb_loudness)" -gt 1000 ]' || vb_fail "no music before the pause"

vb_press Return "PAUSED 92"
vb_text "ENTER TO GO ON, ESC TO LEAVE" 102 >/dev/null || vb_fail "the pause does not say how to go on"
vb_poll 60 eval '[ "$(vb_loudness)" = 0 ]' || vb_fail "the music plays on in the pause: $(vb_audio_report)"
cp "$VB_SHOT" "$VB_RUN/paused-shot.bmp"
vb_frame "$VB_RUN/paused.bmp" || vb_fail "no frame of the pause"
paused_at=$VB_FRAME
timeout 10 xdotool keydown Left # screenshots for two seconds, a key held all along: all alike
vb_poll 2 eval 'vb_shot && ! cmp -s "$VB_SHOT" "$VB_RUN/paused-shot.bmp"' && vb_fail "the picture changed in the pause"
timeout 10 xdotool keyup Left
vb_dump && [ "$VB_FRAME" = "$paused_at" ] || vb_fail "frames were presented in the pause"
vb_key Return
vb_wait_log "play goes on" || vb_fail "Enter did not end the pause"
vb_poll 60 eval 'vb_frame "$VB_RUN/resumed.bmp" && [ "$VB_FRAME" -gt '"$((paused_at + 1))"' ]' ||
    vb_fail "no frame after the pause"
vb_poll 60 step Right "$VB_RUN/resumed.bmp" || vb_fail "the player does not move after the pause"
vb_poll 60 eval '[ "$(vb_loudness)" -gt 1000 ]' || vb_fail "no music after the pause"

# F11 to full screen and back moves the focus for a moment: play goes on.
vb_key F11
vb_wait_shot 60 vb_size_is "800 600" || vb_fail "F11 did not go full screen"
vb_key F11
vb_wait_shot 60 vb_size_is "512 384" || vb_fail "F11 did not come back to the window"
vb_frame "$VB_RUN/switched.bmp" || vb_fail "no frame after F11"
vb_poll 60 step Right "$VB_RUN/switched.bmp" || vb_fail "the player does not move after F11"
[ "$(pauses)" = 1 ] || vb_fail "the switch of window paused play"

# Another window takes the keyboard focus: play pauses; back in the game window, Enter goes on.
xlogo -geometry 64x64+700+500 >/dev/null 2>&1 &
other=$!
vb_poll 60 eval 'other_win=$(timeout 5 xdotool search --onlyvisible --class xlogo | head -n 1); [ -n "$other_win" ]' ||
    vb_fail "the other window did not show"
# The window manager may not take a request made while it is still busy with the new window: ask
# again until the game says it lost the focus.
vb_poll 60 eval 'timeout 10 xdotool windowactivate "$other_win" >/dev/null 2>&1
    vb_wait_log "paused: the window lost the keyboard focus" 3' || vb_fail "losing the focus did not pause"
vb_wait_text "PAUSED" 92
kill "$other"
vb_poll 60 eval 'timeout 10 xdotool windowactivate "$VB_WIN" >/dev/null 2>&1
    [ "$(timeout 5 xdotool getwindowfocus 2>/dev/null)" = "$VB_WIN" ]' ||
    vb_fail "the game window did not get the focus back"
vb_key Return
vb_poll 60 eval '[ "$(LC_ALL=C grep -ac "play goes on" "$VB_RUN/log.txt")" = 2 ]' ||
    vb_fail "Enter did not end the pause"

# Escape from the pause leaves the game.
vb_press Return "PAUSED 92"
vb_steps Escape "PLAY 88"

# The attempt was recorded as played, its pauses and switches of window left out: the replay
# tool plays it back the same, and it ended with leaving.
vb_wait_log "replay kept: " || vb_fail "the attempt was not kept"
replay=$(ls "$VB_RUN"/replays/velba1-*/room01-2*.vbr)
"$VB_TOOLS/velumbrina-replay" verify "$replay" --level "$VB_RUN/maps/velba1.vb3" >"$VB_RUN/verify.txt" ||
    vb_fail "the attempt does not play back: $(cat "$VB_RUN/verify.txt")"
"$VB_TOOLS/velumbrina-replay" info "$replay" | grep -q "room 1: left after" ||
    vb_fail "the attempt did not end by leaving"

# SIGTERM: the orderly shut-down, status 0.
kill -TERM "$VB_PID"
vb_wait_exit 0

# The X server gone together with a SIGHUP: the game is gone within a few seconds.
vb_start || vb_fail "no game window"
vb_wait_shot 60 eval '! vb_black' || vb_fail "the splash stayed black"
kill -HUP "$VB_PID"
kill "$VB_XPID"
VB_XPID=""
vb_poll 60 eval '! vb_running' || vb_fail "the game hangs after the X server went away"
vb_wait_exit
vb_pass
