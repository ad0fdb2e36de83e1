# front_escape.sh -- Escape held at the title menu ends the program cleanly.
. "$VB_SRC/tests/e2e/lib_front.sh"

vbf_start
vbf_to_menu
xdotool keydown Escape
vb_wait_exit 30 || vb_fail "Escape did not end the program"
xdotool keyup Escape
[ "$VB_STATUS" = 0 ] || vb_fail "Escape ended the program with status $VB_STATUS"
vb_pass
