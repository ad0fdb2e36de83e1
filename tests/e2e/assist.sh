# assist.sh -- ASSIST in one run: room 3 at full speed, the player in its thorn pit losing energy;
# then GAME SPEED 40%, NO DAMAGE and SHOW TIMER chosen, saved, and the same pit at about 40% of the
# frames a second with the energy bar as it was, the room's time on the status line.
. "$VB_SRC/tests/e2e/lib.sh"

FULL_RATE=294 # tenths of a frame a second at full speed
PIT="72 144 48 16"     # the thorns of room 3, cells 4..6 of its floor row, in the frame
BAR="8 168 128 16"     # the energy bar

# Plays room 3 from its card, walking right into the thorns; leaves in VB_RATE the frames a second
# (in tenths) while she stands in them, and in VB_HURT 1 when the energy bar changed meanwhile.
pit_run() {
    vb_password 3
    vb_hold Return 60 "play did not start" vb_text "LEVEL 1 - 3" 176
    vb_frame "$VB_RUN/start.bmp" || vb_fail "no frame of the room"
    timeout 10 xdotool keydown Right
    vb_poll 60 vb_differs "$VB_RUN/start.bmp" $PIT || vb_fail "the player did not reach the thorns"
    local from=$VB_FRAME t0 t1
    t0=$(date +%s%N)
    vb_poll 60 eval 'vb_dump && [ $((VB_FRAME - from)) -ge 45 ]' || vb_fail "play stopped"
    t1=$(date +%s%N)
    timeout 10 xdotool keyup Right
    VB_RATE=$(((VB_FRAME - from) * 10000000000 / (t1 - t0)))
    VB_HURT=0
    vb_differs "$VB_RUN/start.bmp" $BAR "$(vb_frame_file "$VB_FRAME")" && VB_HURT=1
    vb_log "$((VB_FRAME - from)) frames in $(((t1 - t0) / 1000000)) ms: $VB_RATE tenths a second"
}

vb_start || vb_fail "no game window"
vb_to_menu
pit_run
[ "$VB_HURT" = 1 ] || vb_fail "the thorns did not hurt without NO DAMAGE"
full=$VB_RATE
vb_key Escape
vb_wait_lit "PASSWORD" 104

vb_steps Down "USER LEVEL 120" "OPTIONS 136"
vb_steps Return "WINDOW      2X 86"
vb_steps Up "BACK 166" "ASSIST 156"
vb_steps Return "GAME SPEED        100% 86"
vb_steps Left "GAME SPEED        40% 86"
vb_steps Down "NO DAMAGE         OFF 97"
vb_steps Right "NO DAMAGE         ON 97"
vb_steps Down "ENDLESS RETRIES   OFF 108" "REDUCED FLASHING  OFF 119" "SHOW TIMER        OFF 130"
vb_steps Right "SHOW TIMER        ON 130"
vb_steps Escape "ASSIST 156"
vb_steps Escape "OPTIONS 136"
vb_poll 60 eval '[ "$(vb_cfg | awk "{ print \$30, \$31, \$32, \$33, \$34, \$35 }")" = "5 40 1 0 0 1" ]' ||
    vb_fail "the file holds:$(vb_cfg)"
vb_steps Up "USER LEVEL 120" "PASSWORD 104" "PLAY 88"

pit_run
vb_wait_log "assisted game: speed 40%, no damage" || vb_fail "the game was not started assisted"
[ "$VB_HURT" = 0 ] || vb_fail "the energy bar changed with NO DAMAGE"
vb_wait_text "TIME" 184
# The pacing cannot run faster than asked: at most 55% of the full rate, and it does run.
[ "$VB_RATE" -le $((FULL_RATE * 55 / 100)) ] && [ "$VB_RATE" -ge $((FULL_RATE * 20 / 100)) ] ||
    vb_fail "at 40% the game made $VB_RATE tenths of a frame a second ($full at 100%)"
vb_log "40%: $VB_RATE against $full tenths of a frame a second at 100%"
vb_close 0
vb_pass
