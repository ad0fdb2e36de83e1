# front_password_room.sh -- the password of room 7, made by the game's own codec, starts play
# there with the card "LEVEL 1 - 7".
. "$VB_SRC/tests/e2e/lib_front.sh"
vbf_need_level

vbf_start
vbf_to_menu
vbf_password 7
vb_pass
