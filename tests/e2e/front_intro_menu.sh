# front_intro_menu.sh -- the splash screens wait for Enter, the title says PRESS ENTER, Up from
# PLAY selects EXIT and Enter on EXIT ends the program cleanly.
. "$(dirname "$0")/lib_front.sh"

# A fingerprint of what the window shows now.
shot_sum() { vbf_shot && md5sum <"$VBF_DIR/shot.ppm" | cut -d' ' -f1; }

vbf_start
splash="$VB_DATA_DIR/resources/splashpixelmeet.pcx"
logo="$VB_DATA_DIR/resources/mirthwave-logo.pcx"
if [ -f "$splash" ] && [ -f "$logo" ]; then
    vbf_wait_screen_not_black
    first=$(shot_sum)
    sleep 2
    [ "$(shot_sum)" = "$first" ] || vbf_fail "the first splash screen moved on by itself"
    vbf_sees "PRESS ENTER" 184 && vbf_fail "the title came before the splash screens"
    vbf_key Return
    for i in $(seq 1 100); do
        second=$(shot_sum)
        [ "$second" != "$first" ] && break
        sleep 0.3
    done
    [ "$second" != "$first" ] || vbf_fail "Enter did not leave the first splash screen"
    sleep 2
    vbf_sees "PRESS ENTER" 184 && vbf_fail "the second splash screen did not wait for a key"
    vbf_key Return
else
    echo "splash pictures not built: the intro must skip to the title by itself"
fi
vbf_wait_text "PRESS ENTER" 184
vbf_key Return
vbf_wait_text "PLAY" 88
vbf_sees "EXIT" 136 && vbf_fail "EXIT drawn as selected while PLAY is"
vbf_key Up
vbf_wait_text "EXIT" 136
vbf_sees "PLAY" 88 && vbf_fail "PLAY still drawn as selected"
vbf_key Return
vbf_wait_exit
[ "$VBF_STATUS" = 0 ] || vbf_fail "EXIT ended the program with status $VBF_STATUS"
echo "ok"
