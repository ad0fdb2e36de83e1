# front_password_room.sh -- the password of room 7, made by the game's own codec, starts play there.
. "$(dirname "$0")/lib_front.sh"
vbf_need_level

code=$("$VB_TOOLS/vbclave" 1 7) || vbf_fail "vbclave could not make a password"
vbf_start
vbf_to_menu
vbf_key Down
vbf_wait_text "PASSWORD" 104
vbf_key Return
vbf_wait_text "ENTER PASSWORD" 88
for ((i = 0; i < 4; i++)); do
    vbf_key "$(echo "${code:i:1}" | tr 'A-Z' 'a-z')"
done
vbf_wait_text "$code" 100
vbf_key Return
vbf_wait_text "LEVEL 1 - 7" 88
echo "ok"
