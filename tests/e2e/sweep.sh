# sweep.sh PART PARTS -- each file the code opens is removed in turn: without a picture, the font
# or the level the game ends at once, naming it on standard error and writing no configuration;
# without any other it still reaches the menu and plays (or ends with a message on standard
# error), its log naming the missing file. This
# part takes the names at PART modulo PARTS, so that CTest runs the parts side by side.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

# Every file name the code opens, relative to the data directory.
names() {
    (cd "$VB_SRC" && grep -rohE '"(resources|Resources|RESOURCES)/[^"%]+"' platform gfx frontend game render shell |
        tr -d '"'
        printf '%s\n' maps/velba1.vb3 resources/velba1.xm) | sort -u
}

# PLAY, the first room (and the retry dialog when its pictures are the missing ones), back to
# the menu.
play_room() {
    vb_key Return
    vb_wait_text "LEVEL 1 - 1" 88
    vb_press Return "LEVEL 1 - 1 176"
    case "$1" in
    */GUI_sure.pcx | */BUT_*)
        vb_press r "SURE MY DARLING? 80"
        vb_key Return
        vb_wait_shot 60 eval '! vb_text "SURE MY DARLING?" 80' || vb_fail "the dialog stayed open"
        ;;
    esac
    vb_steps Escape "PLAY 88"
}

# Runs the game once with $1 removed from its scratch directory and checks what it does.
without() {
    local name=$1 real
    vb_log "--- without $name"
    real=$(cd "$VB_RUN" && readlink -f "$name")
    [ -f "$real" ] || vb_fail "$name is not in the data directory"
    mv "$real" "$real.away"
    rm -f "$VB_RUN/log.txt" "$VB_RUN/Velumbrina.Cfg"
    case "$name" in
    # Without a picture, the font or the level the game does not start: it names the file.
    *.pcx | *.PCX | RESOURCES/ATARI.8x8 | maps/*)
        ! vb_start || vb_fail "without $name the game opened its window"
        vb_wait_exit 1
        grep -qF "$name is missing" "$VB_RUN/stderr.txt" ||
            vb_fail "without $name: '$(head -n 1 "$VB_RUN/stderr.txt")' does not name it"
        [ ! -e "$VB_RUN/Velumbrina.Cfg" ] || vb_fail "without $name a configuration was written"
        mv "$real.away" "$real"
        return
        ;;
    esac
    vb_write_cfg 1 1 16 127 127 44100 2 # sound on, so every sample is loaded
    if ! vb_start; then
        vb_wait_exit
        [ "$VB_STATUS" != 0 ] && [ -s "$VB_RUN/stderr.txt" ] ||
            vb_fail "without $name: ended ($VB_STATUS) with no message on standard error"
        vb_log "without $name the game ends with: $(head -n 1 "$VB_RUN/stderr.txt")"
    else
        vb_to_menu
        case "$name" in
        # Read before the title menu: the menu itself is their test.
        RESOURCES/* | Resources/* | */splash* | */mirthwave* | */title.pcx | */MENU_She.pcx | */back.wav | */go.wav | */ting.wav) ;;
        *) play_room "$name" ;;
        esac
        vb_steps Up "EXIT 160"
        vb_key Return
        vb_wait_exit 0
    fi
    LC_ALL=C grep -aqF "$(basename "$name")" "$VB_RUN/log.txt" ||
        vb_fail "the log does not name the missing $name"
    mv "$real.away" "$real"
}

i=0
for name in $(names); do
    [ $((i % $2)) = "$1" ] && without "$name"
    i=$((i + 1))
done
vb_pass
