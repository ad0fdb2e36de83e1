# lib_sweep.sh -- the missing-file sweep: every file the program opens (the names are taken from
# the code) is removed in turn, and the game must still reach the menu and play, or end with a
# clear message on standard error; it never crashes, and its log names the missing file.
. "$VB_SRC/tests/e2e/lib_front.sh"

# Every file name the code opens, relative to the data directory.
vbs_names() {
    (cd "$VB_SRC" && grep -rohE '"(resources|Resources|RESOURCES)/[^"%]+"' shell gfx frontend game render |
        tr -d '"'
        echo maps/velba1.vb3
        echo resources/velba1.xm) | sort -u
}

# Runs the game once with $1 removed from its scratch directory and checks what it does.
vbs_without() {
    local name=$1 real
    vb_log "--- without $name"
    real=$(cd "$VB_RUN" && readlink -f "$name")
    [ -f "$real" ] || vb_fail "$name is not in the data directory"
    mv "$real" "$real.away"
    rm -f "$VB_RUN/log.txt"
    vb_write_cfg 1 1 16 127 127 44100 # sound on, so every sample is loaded
    vb_start
    if ! vb_wait_window 60; then
        vb_wait_exit 10 || vb_fail "without $name: no window and still running"
        [ "$VB_STATUS" != 0 ] && [ -s "$VB_RUN/stderr.txt" ] ||
            vb_fail "without $name: ended ($VB_STATUS) with no message on standard error"
        vb_log "without $name the game ends with: $(head -n 1 "$VB_RUN/stderr.txt")"
    elif [ "$name" = RESOURCES/ATARI.8x8 ]; then
        # No font, no text to look for: the intro still waits, and the close button still ends
        # the game normally.
        sleep 3
        vb_running || vb_fail "without the font the game ended by itself"
        vb_close
        vb_wait_exit 30 || vb_fail "without the font the close button did not end the game"
        [ "$VB_STATUS" = 0 ] || vb_fail "without the font: exit status $VB_STATUS"
    else
        vbs_play "$name"
    fi
    LC_ALL=C grep -aqF "$(basename "$name")" "$VB_RUN/log.txt" ||
        vb_fail "the log does not name the missing $name"
    mv "$real.away" "$real"
}

# Intro, menu, PLAY, a moment of play with the retry dialog, back to the menu, EXIT.
vbs_play() {
    vbf_to_menu
    case "$1" in
    # Read before the title menu: the menu itself is their test.
    RESOURCES/* | Resources/* | */splash* | */mirthwave* | */title.pcx | */MENU_She.pcx | */back.wav | */go.wav | */ting.wav) ;;
    *) vbs_play_room "$1" ;;
    esac
    vb_key Up
    vbf_wait_lit "EXIT" 136
    vb_key Return
    vb_wait_exit 30 || vb_fail "without $1: EXIT did not end the game"
    [ "$VB_STATUS" = 0 ] || vb_fail "without $1: exit status $VB_STATUS"
}

# PLAY, the first room (and the retry dialog when its pictures are the missing ones), back to
# the menu.
vbs_play_room() {
    vb_key Return
    if [ "$1" = maps/velba1.vb3 ]; then
        vb_wait_log "Cargando fase:" 30 || vb_fail "PLAY did not try to load the level"
        sleep 1
        vb_shot
        vbf_lit "PLAY" 88 >/dev/null || vb_fail "without the level PLAY did not return to the menu"
    else
        vbf_wait_text "LEVEL 1 - 1" 88
        vb_key Return
        vbf_wait_text "LEVEL 1 - 1" 176
        case "$1" in
        */GUI_sure.pcx | */BUT_*)
            vb_key r
            sleep 1
            vb_key Return
            vb_wait_shot 30 eval '! vbf_text "SURE MY DARLING?" 80' || vb_fail "the dialog stayed open"
            ;;
        esac
        vb_key Escape
        vbf_wait_lit "PLAY" 88
    fi
}

# Runs the sweep over the names whose position in the list, modulo $2, is $1: the sweep is
# split over several tests so CTest can run them side by side.
vbs_sweep() {
    local i=0 name
    for name in $(vbs_names); do
        [ $((i % $2)) = "$1" ] && vbs_without "$name"
        i=$((i + 1))
    done
    vb_pass
}
