# front_password_room.sh -- the password of room 7, made by the game's own codec, starts play
# there with the card "LEVEL 1 - 7".
. "$VB_SRC/tests/e2e/lib_front.sh"
vbf_need_level

code=$("$VB_TOOLS/vbclave" 1 7) || vb_fail "vbclave could not make a password"
vbf_start
vbf_to_menu
vb_key Down
vbf_wait_lit "PASSWORD" 104
vb_key Return
vbf_wait_text "ENTER PASSWORD" 88
vbf_type "$code"
vbf_wait_text "$code" 100
vb_key Return
vbf_wait_text "LEVEL 1 - 7" 88
vb_pass
