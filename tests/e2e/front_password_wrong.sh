# front_password_wrong.sh -- typing at the password screen: small letters show as capitals,
# Backspace takes one back, a wrong code says WRONG PASSWORD and the menu comes back.
. "$VB_SRC/tests/e2e/lib_front.sh"

right=$("$VB_TOOLS/vbclave" 1 7) || vb_fail "vbclave could not make a password"
# The same code with its last character changed can never be right.
if [ "${right:3:1}" = A ]; then wrong="${right:0:3}B"; else wrong="${right:0:3}A"; fi

vbf_start
vbf_to_menu
vb_key Down
vbf_wait_lit "PASSWORD" 104
vb_key Return
vbf_wait_text "ENTER PASSWORD" 88
vbf_wait_text "...." 100
vbf_type q7
vbf_wait_text "Q7.." 100
vb_key BackSpace
vbf_wait_text "Q..." 100
vb_key BackSpace
vbf_wait_text "...." 100
vb_key Return # fewer than four characters: nothing happens
sleep 1
vb_shot
vbf_text "ENTER PASSWORD" 88 >/dev/null || vb_fail "Enter on an empty field left the screen"
vbf_type "$wrong"
vbf_wait_text "$wrong" 100
vb_key Return
vbf_wait_text "WRONG PASSWORD" 88
vb_key Return
vbf_wait_lit "PASSWORD" 104 # back at the menu, the entry still selected
vb_key Escape
vb_wait_exit 30 || vb_fail "Escape did not end the program"
[ "$VB_STATUS" = 0 ] || vb_fail "the program ended with status $VB_STATUS"
vb_pass
