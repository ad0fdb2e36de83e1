# shell_menu.sh -- the menu loop: PLAY starts the first room at its level card; leaving play with
# Escape still held brings the title menu back instead of quitting; the window's close button at
# the menu ends the program through its normal shut-down with status 0.
. "$VB_SRC/tests/e2e/lib.sh"

probe="$VB_TOOLS/vbprobe"
vb_write_cfg 1 0 16 127 127 44100 # effects off: the menu works silently
vb_start
vb_wait_window 60 || vb_fail_unless_placeholder "no window appeared"

vb_to_menu
vb_wait_shot 30 "$probe" text "$VB_SHOT" "PLAY" 88 || vb_fail "PLAY is not selected"

vb_key Return # PLAY
vb_wait_shot 60 "$probe" text "$VB_SHOT" "LEVEL 1 - 1" 88 || vb_fail "no level card for room 1"

# Escape ends the card and the game; held on, it must not quit the menu that follows.
timeout 10 xdotool keydown Escape
sleep 2
timeout 10 xdotool keyup Escape
vb_wait_shot 60 "$probe" text "$VB_SHOT" "PLAY" 88 || vb_fail "the menu did not come back after play"
vb_running || vb_fail "the game quit after leaving play with Escape held"

vb_close || vb_fail "could not send the close message"
vb_wait_exit 30 || vb_fail "the close button did not end the game at the menu"
[ "$VB_STATUS" = 0 ] || vb_fail "exit status $VB_STATUS after the close button"
grep -q "Cargando fase" "$VB_RUN/log.txt" || vb_fail "play did not log loading the level"
vb_pass
