# userlevels.sh -- USER LEVEL lists the bonus level first, then a folder's levels built by
# velumbrina-level: one whose proofs play (VERIFIED), one whose proof was made before a room
# changed (UNVERIFIED, naming the room), a damaged file (DAMAGED, its reason shown on Enter), no
# named pipe (counted as skipped); the folder's path is on the screen and F hands it to xdg-open;
# Right picks the third room, where play starts; a third room crowded with enemies ends in GAME
# OVER naming it, then the list again; nothing in the folder is written.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

levels="$VB_RUN/levels"
mkdir -p "$levels" "$VB_RUN/text" "$VB_RUN/bin"
level_text() { # name, room 2's lever column, enemies at room 3's start: three rooms, each a
    # floor with its lever on it
    printf 'name %s\ntile = back=w1 solid\n' "$1"
    for room in 0 1 2; do
        printf 'room %s\nstart 1 7 right\nmap\n' $room
        printf '...............\n%.0s' 1 2 3 4 5 6 7 8
        printf '===============\nlever %s 7\n' "$([ $room = 1 ] && echo "$2" || echo 13)"
        [ $room = 2 ] && [ "$3" -gt 0 ] && printf 'enemy 1 7 2 7 1 3\n%.0s' $(seq "$3")
        printf 'end\n'
    done
}
level_text "Three rooms" 7 0 >"$VB_RUN/text/three.txt"
level_text "Moved lever" 13 20 >"$VB_RUN/text/moved.txt"
for name in three moved; do
    (cd "$VB_RUN/text" && VELUMBRINA_DATA="$VB_DATA_DIR" VELUMBRINA_LEVELS="$levels" \
        "$VB_TOOLS/velumbrina-level" build $name.txt --force) >"$VB_RUN/maker.txt" 2>&1 ||
        vb_fail "velumbrina-level could not build $name: $(tail -n 3 "$VB_RUN/maker.txt")"
done
cp "$levels/three.proof" "$levels/moved.proof" # proofs made before room 2's lever moved
head -c 5000 "$levels/three.vb3" >"$levels/broken.vb3"
mkfifo "$levels/pipe.vb3"
printf '#!/bin/sh\nprintf "%%s" "$1" >"%s/opened.txt"\n' "$VB_RUN" >"$VB_RUN/bin/xdg-open"
chmod +x "$VB_RUN/bin/xdg-open"
folder_state() { (cd "$levels" && ls -l --time-style=full-iso && md5sum three.* moved.* broken.vb3); }
folder_state >"$VB_RUN/before.txt"

vb_write_cfg 1 0 16 127 127 44100
vb_start PATH="$VB_RUN/bin:$PATH" || vb_fail "no game window"
vb_to_menu
vb_steps Down "PASSWORD 100" "USER LEVEL 112"
vb_key Return
# The bonus level first, selected; the levels' names, rooms and states; the folder; the pipe
# counted as skipped.
vb_wait_lit "The Long Way" 88
for e in "DAMAGED 97" "Moved lever 106" "3 106" "Three rooms 115" "3 115" "VERIFIED 115" \
    "1 SKIPPED: NOT A PLAIN FILE 124" "FOLDER 154"; do
    vb_text "${e% *}" "${e##* }" >/dev/null || vb_fail "no '${e% *}' on row ${e##* } of the list"
done
vb_lit "${levels:0:27}" 163 >/dev/null || vb_fail "the folder $levels is not on the screen"
vb_key f
vb_wait_lit "OPENED" 154
vb_poll 60 eval '[ "$(cat "$VB_RUN/opened.txt" 2>/dev/null)" = "$levels" ]' ||
    vb_fail "xdg-open was not given the folder: $(cat "$VB_RUN/opened.txt" 2>&1)"

vb_steps Down "broken 97"
vb_wait_lit "PACKED LEVEL IS TRUNCATED" 134
vb_steps Return "IT CANNOT BE PLAYED 144"
vb_wait_lit "DAMAGED: broken.vb3" 78
vb_steps Return "broken 97"
vb_steps Down "UNVERIFIED 106"
vb_wait_lit "ROOM 2: PROOF FAILS" 134
vb_steps Down "VERIFIED 115"
vb_wait_lit "EVERY ROOM'S PROOF PLAYS" 134
vb_wait_lit "START AT ROOM 1  < >" 144
vb_steps Right "START AT ROOM 2  < > 144"
vb_steps Right "START AT ROOM 3  < > 144"
vb_press Return "LEVEL U - 3 88"
vb_steps Escape "Three rooms 115" # Escape on the card leaves play
vb_steps Up "UNVERIFIED 106"
vb_steps Right "START AT ROOM 2  < > 144"
vb_steps Right "START AT ROOM 3  < > 144"
vb_press Return "LEVEL U - 3 88"
vb_press Return "GAME OVER 72" # the enemies at the start take all the energy
vb_text "LEVEL U - 3" 88 >/dev/null || vb_fail "GAME OVER does not name the room"
vb_steps Return "UNVERIFIED 106"
vb_steps Escape "USER LEVEL 112"
vb_close 0

folder_state >"$VB_RUN/after.txt"
cmp -s "$VB_RUN/before.txt" "$VB_RUN/after.txt" || vb_fail "the levels folder changed"
vb_pass
