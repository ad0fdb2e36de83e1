# userlevels.sh -- USER LEVEL: the game's bonus level first, then a levels folder with a level
# built by velumbrina-level, a damaged file and a named pipe; the screen lists the level and
# DAMAGED and leaves the pipe out, a damaged file cannot be started, the level plays from its
# first room's card ("LEVEL U - 1", no password) to its second's, Escape goes back to the list and Escape again to the menu, and nothing in the
# folder was written.
. "$VB_SRC/tests/e2e/lib.sh"

levels="$VB_RUN/levels"
mkdir -p "$levels" "$VB_RUN/text"
{ # two rooms, each a floor with the lever at its far end
    printf 'name Two rooms\ntile = back=w1 solid\n'
    for room in 0 1; do
        printf 'room %s\nstart 1 7 right\nmap\n' $room
        printf '...............\n%.0s' 1 2 3 4 5 6 7 8
        printf '===============\nlever 13 7\nend\n'
    done
} >"$VB_RUN/text/two.txt"
(cd "$VB_RUN/text" && VELUMBRINA_DATA="$VB_DATA_DIR" VELUMBRINA_LEVELS="$levels" \
    "$VB_TOOLS/velumbrina-level" build two.txt) >"$VB_RUN/maker.txt" 2>&1 ||
    vb_fail "velumbrina-level could not build the level: $(tail -n 3 "$VB_RUN/maker.txt")"
head -c 5000 "$levels/two.vb3" >"$levels/broken.vb3"
mkfifo "$levels/pipe.vb3"
folder_state() { (cd "$levels" && ls -l --time-style=full-iso && md5sum two.vb3 broken.vb3); }
folder_state >"$VB_RUN/before.txt"

vb_write_cfg 1 0 16 127 127 44100
vb_start || vb_fail "no game window"
vb_to_menu
vb_steps Down "PASSWORD 104" "USER LEVEL 120"
vb_key Return
vb_wait_text "USER LEVEL" 8
vb_wait_lit "The Long Way Round" 28 # the bonus level first, selected
vb_text "25 ROOMS" 28 >/dev/null || vb_fail "the bonus level's rooms are not shown"
vb_text "DAMAGED" 40 >/dev/null || vb_fail "the damaged file is not marked DAMAGED"
vb_text "Two rooms" 52 >/dev/null || vb_fail "the level is not listed under its name"
vb_text "2 ROOMS" 52 >/dev/null || vb_fail "the level's playable rooms are not shown"
vb_text "1/3  ENTER PLAY  ESC BACK" 176 >/dev/null || vb_fail "more than three levels listed"
vb_text "pipe" >/dev/null && vb_fail "the named pipe is listed"

vb_key Down
vb_wait_lit "broken" 40 # then the player's, sorted by name
vb_key Return # a damaged level cannot be started
vb_key Down
vb_wait_lit "Two rooms" 52
vb_lit "broken" 40 >/dev/null && vb_fail "the damaged file is still selected"
vb_key Return
vb_wait_text "LEVEL U - 1" 88
vb_text "LEVEL U - 1" 100 >/dev/null && vb_fail "a password line under the card"
vb_key Return
vb_wait_text "LEVEL U - 1" 176
xdotool keydown Right
vb_wait_shot 60 vb_text "LEVEL U - 2" 88 || vb_fail "walking right never reached room 2's card"
xdotool keyup Right
vb_key Escape # leaves the card, then play
vb_wait_lit "Two rooms" 52
vb_key Escape
vb_wait_lit "USER LEVEL" 120
vb_running || vb_fail "the game quit instead of going back to the menu"
vb_close
vb_wait_exit 0

folder_state >"$VB_RUN/after.txt"
cmp -s "$VB_RUN/before.txt" "$VB_RUN/after.txt" || vb_fail "the levels folder changed"
vb_pass
