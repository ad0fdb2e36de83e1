# front_escape.sh -- Escape held at the title menu ends the program cleanly.
. "$(dirname "$0")/lib_front.sh"

vbf_start
vbf_to_menu
xdotool keydown Escape
vbf_wait_exit
xdotool keyup Escape
[ "$VBF_STATUS" = 0 ] || vbf_fail "Escape ended the program with status $VBF_STATUS"
echo "ok"
