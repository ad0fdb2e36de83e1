# shell_password.sh -- the password of the last room (level 1, room 25) typed at the title menu
# starts play in that room; Escape leaves play, and Escape at the menu leaves the program with 0.
. "$VB_SRC/tests/e2e/lib.sh"

probe="$VB_TOOLS/vbprobe"
code=$("$VB_TOOLS/vbclave" 1 25) || vb_fail "no password for level 1, room 25"
vb_start
vb_wait_window 60 || vb_fail_unless_placeholder "no window appeared"
vb_to_menu

vb_key Down
vb_wait_shot 30 "$probe" text "$VB_SHOT" "PASSWORD" 104 || vb_fail "PASSWORD is not selected"
vb_key Return
vb_wait_shot 30 "$probe" text "$VB_SHOT" "ENTER PASSWORD" 88 || vb_fail "no password entry screen"
for ((i = 0; i < ${#code}; i++)); do
    vb_key "${code:i:1}"
    sleep 0.2
done
vb_key Return
vb_wait_shot 60 "$probe" text "$VB_SHOT" "LEVEL 1 - 25" 88 ||
    vb_fail "password $code did not start room 25 of level 1"

timeout 10 xdotool keydown Escape
sleep 2
timeout 10 xdotool keyup Escape
vb_wait_shot 60 "$probe" text "$VB_SHOT" "PASSWORD" 104 || vb_fail "the menu did not come back"
vb_running || vb_fail "the game quit after leaving play with Escape held"

vb_key Escape
vb_wait_exit 60 || vb_fail "Escape at the menu did not leave the program"
[ "$VB_STATUS" = 0 ] || vb_fail "exit status $VB_STATUS after Escape at the menu"
vb_pass
