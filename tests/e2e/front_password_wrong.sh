# front_password_wrong.sh -- typing at the password screen: small letters show as capitals,
# Backspace takes one back, a wrong code says WRONG PASSWORD and the menu comes back.
. "$(dirname "$0")/lib_front.sh"

right=$("$VB_TOOLS/vbclave" 1 7) || vbf_fail "vbclave could not make a password"
# The same code with its last character changed can never be right.
last=${right:3:1}
if [ "$last" = "A" ]; then other=B; else other=A; fi
wrong="${right:0:3}$other"

vbf_start
vbf_to_menu
vbf_key Down
vbf_wait_text "PASSWORD" 104
vbf_key Return
vbf_wait_text "ENTER PASSWORD" 88
vbf_wait_text "...." 100
vbf_key q
vbf_key 7
vbf_wait_text "Q7.." 100
vbf_key BackSpace
vbf_wait_text "Q..." 100
vbf_key BackSpace
vbf_wait_text "...." 100
vbf_key Return # fewer than four: nothing happens
vbf_sees "ENTER PASSWORD" 88 || vbf_fail "Enter on an empty field left the screen"
for ((i = 0; i < 4; i++)); do
    c=${wrong:i:1}
    vbf_key "$(echo "$c" | tr 'A-Z' 'a-z')"
done
vbf_wait_text "$wrong" 100
vbf_key Return
vbf_wait_text "WRONG PASSWORD" 88
vbf_key Return
vbf_wait_text "PASSWORD" 104 # back at the menu, the entry still selected
vbf_key Escape
vbf_wait_exit
[ "$VBF_STATUS" = 0 ] || vbf_fail "the program ended with status $VBF_STATUS"
echo "ok"
