# lib_front.sh -- the front end's window-test helpers on top of the kit (lib.sh): getting to the
# title menu, and waiting for texts, including "drawn at full strength" for the menu selection.
. "$VB_SRC/tests/e2e/lib.sh"

VBF_FONT="$VB_DATA_DIR/resources/ATARI.8x8"

# Skips the test when the level file is not built yet.
vbf_need_level() {
    [ -f "$VB_DATA_DIR/maps/velba1.vb3" ] || vb_skip "no level file $VB_DATA_DIR/maps/velba1.vb3"
}

# True when the latest screenshot shows the text (at logical row ROW when given).
vbf_text() { "$VB_TOOLS/vbprobe" text "$VB_SHOT" "$@"; }
# True when the latest screenshot shows the text at full white: the menu's selected entry.
vbf_lit() { "$VB_TOOLS/vbtexto" "$VBF_FONT" "$VB_SHOT" "$@"; }

# Waits up to 60 s for the text on the screen (at logical row ROW when given), or fails.
vbf_wait_text() { vb_wait_shot 60 vbf_text "$@" || vb_fail "'$1' did not appear"; }
# Waits up to 60 s for the text at full white at logical row ROW, or fails.
vbf_wait_lit() { vb_wait_shot 60 vbf_lit "$@" || vb_fail "'$1' was not drawn as selected"; }

# Starts the game silently and waits for its window.
vbf_start() {
    vb_write_cfg 1 0 16 127 127 44100
    vb_start
    vb_wait_window || vb_fail "no game window"
}

# True while the window shows nothing but black.
vbf_black() { [ "$(convert "$VB_SHOT" -format '%[fx:maxima]' info: 2>/dev/null)" = 0 ]; }

# Gets past the splash screens (Enter on each one whose picture the game has) and the title's
# "PRESS ENTER" into the menu, where "PLAY" is selected.
vbf_to_menu() {
    local pic
    for pic in splashpixelmeet mirthwave-logo; do
        if [ -f "$VB_RUN/resources/$pic.pcx" ]; then
            vb_wait_shot 60 eval '! vbf_black' || vb_fail "the splash screen $pic stayed black"
            vb_key Return
        fi
    done
    vbf_wait_text "PRESS ENTER" 184
    vb_key Return
    vbf_wait_lit "PLAY" 88
}

# Types a password as small letters and digits, each key held like a player's.
vbf_type() {
    local i
    for ((i = 0; i < ${#1}; i++)); do
        vb_key "$(echo "${1:i:1}" | tr 'A-Z' 'a-z')"
        sleep 0.1
    done
}

# From the menu with "PLAY" selected: "PASSWORD", the password of room $1 of level 1 made by the
# game's own codec, Enter; waits for the room's level card.
vbf_password() {
    local code
    code=$("$VB_TOOLS/vbclave" 1 "$1") || vb_fail "vbclave could not make a password for room $1"
    vb_key Down
    vbf_wait_lit "PASSWORD" 104
    vb_key Return
    vbf_wait_text "ENTER PASSWORD" 88
    vbf_type "$code"
    vbf_wait_text "$code" 100
    vb_key Return
    vbf_wait_text "LEVEL 1 - $1" 88
}
