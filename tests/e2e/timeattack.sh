# timeattack.sh -- TIME ATTACK on a player's one-room level: the room played alone shows its time,
# NEW BEST and the par; the next try races the best's ghost, and that frame differs from a frame
# without it only where the ghost stands; SHOW ME names the route it plays while the player still
# moves; after a restart the room's best is still there. Played through USER LEVEL, the retry
# dialog offers SHOW ME from the room's third retry on, and taking it sends the route's ghost.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

levels="$VB_RUN/levels"
mkdir -p "$levels" "$VB_RUN/text"
{ # room 11 (a temple room: nothing in it moves), a floor with the lever four cells on
    printf 'name Quick\ntile = back=w1 solid\nroom 10\nstart 1 7 right\nmap\n'
    printf '...............\n%.0s' 1 2 3 4 5 6 7 8
    printf '===============\nlever 5 7\nend\n'
} >"$VB_RUN/text/quick.txt"
(cd "$VB_RUN/text" && VELUMBRINA_DATA="$VB_DATA_DIR" VELUMBRINA_LEVELS="$levels" \
    "$VB_TOOLS/velumbrina-level" build quick.txt) >"$VB_RUN/maker.txt" 2>&1 ||
    vb_fail "velumbrina-level could not build the level: $(tail -n 3 "$VB_RUN/maker.txt")"
# Frames as the game shows a time: seconds and hundredths at 29.4 frames a second.
seconds() { awk -v f="$1" 'BEGIN { h = int((f * 1000 + 147) / 294); printf "%d.%02d", h / 100, h % 100 }'; }
par=$(awk '$1 == "room" && $2 == 11 && $3 == "fastest" { print $4 }' "$levels/quick.par")
[ -n "$par" ] || vb_fail "no par for room 11 beside the level"
par_text=$(seconds "$par")

# Through the menu to the level's room 11, its best and par under the grid.
to_room() {
    vb_to_menu
    vb_steps Down "PASSWORD 100" "USER LEVEL 112" "OPTIONS 124" "TIME ATTACK 136"
    vb_press Return "VELUMBRINA 28"
    vb_steps Down "The Long Way Round 40" "Quick 52"
    vb_press Return "CHOOSE A ROOM 20"
    vb_steps Down " 6 60" "11 80"
    vb_wait_text "BEST $1  PAR $par_text" 150
}

vb_write_cfg 1 0 16 127 127 44100
vb_start || vb_fail "no game window"
to_room "--"
vb_press Return "PRESS ENTER 124"
vb_press Return "LEVEL U - 11 176" # standing at the start: no ghost before a best
vb_text "TIME" 168 >/dev/null || vb_fail "no timer on the status line"
vb_frame "$VB_RUN/noghost.bmp" || vb_fail "no frame of the room"
vb_hold Right 60 "walking right never reached the lever" vb_text "NEW BEST" 60
vb_wait_log "time attack: room 11 in" || vb_fail "no time in the log"
best=$(LC_ALL=C grep -a "time attack: room 11 in" "$VB_RUN/log.txt" | head -n 1 | awk '{ print $6 }')
best_text=$(seconds "$best")
vb_wait_text "TIME $best_text" 48
vb_text "PAR $par_text" 88 >/dev/null || vb_fail "the result does not show the par"

# The next try: the best's ghost walks to the lever and stays there; the player stands still.
# Only the cells around the lever differ from the frame without a ghost.
vb_key Return
ghost_there() {
    vb_differs "$1" 56 112 48 32 && ! vb_differs "$1" 8 16 48 144 "$VB_RUN/latest.bmp" &&
        ! vb_differs "$1" 104 16 144 144 "$VB_RUN/latest.bmp"
}
vb_poll 60 ghost_there "$VB_RUN/noghost.bmp" || vb_fail "no ghost at the lever, or the frame differs elsewhere"
vb_key Tab
vb_wait_text "SHOW ME: FASTEST" 21
vb_frame "$VB_RUN/showme.bmp" || vb_fail "no frame of SHOW ME"
vb_hold Right 60 "the player did not move in SHOW ME" vb_differs "$VB_RUN/showme.bmp" 8 112 32 32
vb_key Escape
vb_wait_text "CHOOSE A ROOM" 20
vb_close 0
# The walk in SHOW ME may have reached the lever too: the best is the least time logged.
best=$(LC_ALL=C grep -a "time attack: room 11 in" "$VB_RUN/log.txt" | awk '{ print $6 }' | sort -n | head -n 1)
best_text=$(seconds "$best")
LC_ALL=C grep -aq "^room 11 best $best attempts [0-9]* deaths 0$" "$VB_RUN/records.txt" ||
    vb_fail "the best is not in records.txt: $(cat "$VB_RUN/records.txt")"

# After a restart the best is still there.
vb_start || vb_fail "no game window the second time"
to_room "$best_text"

# The level played through: three retries of the room, then the dialog offers SHOW ME; Tab and
# "No" go on playing with the checker's route walking to the lever as a ghost.
vb_steps Escape "Quick 52" "TIME ATTACK 136"
vb_steps Up "OPTIONS 124" "USER LEVEL 112"
vb_steps Return "The Long Way 88"
vb_steps Down "Quick 97"
vb_press Return "LEVEL U - 11 88"
vb_press Return "RETRY x 5 168"
vb_frame "$VB_RUN/played.bmp" || vb_fail "no frame of the room played through"
for left in 4 3 2; do
    vb_press r "SURE MY DARLING? 80"
    ! vb_text "TAB SHOW ME" 126 || vb_fail "SHOW ME offered before the third retry"
    vb_key Left
    vb_press Return "LEVEL U - 11 88"
    vb_press Return "RETRY x $left 168"
done
vb_press r "SURE MY DARLING? 80"
vb_text "TAB SHOW ME" 126 >/dev/null || vb_fail "no SHOW ME in the retry dialog after three retries"
vb_key Tab
vb_key Return
vb_poll 60 ghost_there "$VB_RUN/played.bmp" || vb_fail "SHOW ME from the retry dialog sent no ghost"
vb_close 0
vb_pass
