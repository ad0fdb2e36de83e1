# passwords.sh -- the password screen: small letters show as capitals, Backspace takes one back,
# Enter with fewer than four does nothing, a wrong code says WRONG PASSWORD and the menu comes back;
# the password of the last room starts play there; leaving play with Escape held brings the menu
# back instead of quitting, and Escape pressed at the menu then ends the program with status 0.
. "$VB_SRC/tests/e2e/lib.sh"

right=$("$VB_TOOLS/vbclave" 1 25) || vb_fail "vbclave could not make a password"
# The same code with its last character changed can never be right.
if [ "${right:3:1}" = A ]; then wrong="${right:0:3}B"; else wrong="${right:0:3}A"; fi

vb_write_cfg 1 0 16 127 127 44100 2
vb_start || vb_fail "no game window"
vb_to_menu
vb_key Down
vb_wait_lit "PASSWORD" 104
vb_key Return
vb_wait_text "ENTER PASSWORD" 88
vb_wait_text "...." 100
vb_type q7
vb_key BackSpace
vb_wait_text "Q..." 100
vb_key BackSpace
vb_wait_text "...." 100
vb_key Return # fewer than four characters: nothing happens, typing goes on
vb_type "$wrong"
vb_key Return
vb_wait_text "WRONG PASSWORD" 88
vb_key Return
vb_wait_lit "PASSWORD" 104 # back at the menu, the entry still selected

vb_key Return
vb_wait_text "ENTER PASSWORD" 88
vb_type "$right"
vb_key Return
vb_wait_text "LEVEL 1 - 25" 88
timeout 10 xdotool keydown Escape # ends the card and the game, and is still held after it
vb_wait_log $'\xb7FINE\xb7' 30 || vb_fail "Escape did not end play"
timeout 10 xdotool keyup Escape
vb_wait_lit "PASSWORD" 104
vb_running || vb_fail "the game quit after leaving play with Escape held"
vb_key Escape
vb_wait_exit 0
vb_pass
