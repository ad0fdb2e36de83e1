# userlevels.sh -- USER LEVEL lists the bonus level first, then a folder's level built by
# velumbrina-level, a damaged file (DAMAGED, cannot be started) and no named pipe (counted as
# skipped); the level plays from room 1's card (no password) to room 2's, where enemies take the
# player's energy at once: GAME OVER names room 2, then Enter goes back to the list and Escape to
# the menu; nothing in the folder is written.
. "$VB_SRC/tests/e2e/lib.sh"

levels="$VB_RUN/levels"
mkdir -p "$levels" "$VB_RUN/text"
{ # two rooms, each a floor with the lever at its far end; the second's start crowded with enemies
    printf 'name Two rooms\ntile = back=w1 solid\n'
    for room in 0 1; do
        printf 'room %s\nstart 1 7 right\nmap\n' $room
        printf '...............\n%.0s' 1 2 3 4 5 6 7 8
        printf '===============\nlever 13 7\n'
        [ $room = 1 ] && printf 'enemy 1 7 2 7 1 3\n%.0s' $(seq 20)
        printf 'end\n'
    done
} >"$VB_RUN/text/two.txt"
(cd "$VB_RUN/text" && VELUMBRINA_DATA="$VB_DATA_DIR" VELUMBRINA_LEVELS="$levels" \
    "$VB_TOOLS/velumbrina-level" build two.txt --force) >"$VB_RUN/maker.txt" 2>&1 ||
    vb_fail "velumbrina-level could not build the level: $(tail -n 3 "$VB_RUN/maker.txt")"
head -c 5000 "$levels/two.vb3" >"$levels/broken.vb3"
mkfifo "$levels/pipe.vb3"
folder_state() { (cd "$levels" && ls -l --time-style=full-iso && md5sum two.vb3 broken.vb3); }
folder_state >"$VB_RUN/before.txt"

vb_write_cfg 1 0 16 127 127 44100
vb_start || vb_fail "no game window"
vb_to_menu
vb_steps Down "PASSWORD 104" "USER LEVEL 120"
vb_press Return "USER LEVEL 8"
vb_wait_lit "The Long Way Round" 28 # the bonus level first, selected
# The rooms of each level, the damaged file marked, the level's name, three levels in all.
# Under the list: the chosen level's file, and the pipe counted as skipped.
for e in "25 ROOMS 28" "DAMAGED 40" "Two rooms 52" "2 ROOMS 52" "velba2.vb3 148" \
    "1 SKIPPED: NOT A PLAIN FILE 158" "1/3  ENTER PLAY  ESC BACK 176"; do
    vb_text "${e% *}" "${e##* }" >/dev/null || vb_fail "no '${e% *}' on row ${e##* } of the list"
done
vb_text "pipe" >/dev/null && vb_fail "the named pipe is listed"

vb_steps Down "broken 40" # then the player's, sorted by name
vb_key Return # a damaged level cannot be started
vb_steps Down "Two rooms 52"
vb_lit "broken" 40 >/dev/null && vb_fail "the damaged file is still selected"
vb_press Return "LEVEL U - 1 88"
vb_text "LEVEL U - 1" 100 >/dev/null && vb_fail "a password line under the card"
vb_press Return "LEVEL U - 1 176"
vb_hold Right 60 "walking right never reached room 2's card" vb_text "LEVEL U - 2" 88
vb_press Return "GAME OVER 72"
vb_text "LEVEL U - 2" 88 >/dev/null || vb_fail "GAME OVER does not name the room"
vb_steps Return "Two rooms 52"
vb_steps Escape "USER LEVEL 120"
vb_close 0

folder_state >"$VB_RUN/after.txt"
cmp -s "$VB_RUN/before.txt" "$VB_RUN/after.txt" || vb_fail "the levels folder changed"
vb_pass
