# front_intro_menu.sh -- the splash screens wait for Enter, the title says PRESS ENTER, Up from
# PLAY selects EXIT and Enter on EXIT ends the program cleanly.
. "$VB_SRC/tests/e2e/lib_front.sh"

vbf_start
if [ -f "$VB_DATA_DIR/resources/splashpixelmeet.pcx" ] &&
    [ -f "$VB_DATA_DIR/resources/mirthwave-logo.pcx" ]; then
    vb_wait_shot 60 eval '! vbf_black' || vb_fail "the first splash screen stayed black"
    first=$(md5sum <"$VB_SHOT")
    sleep 2
    vb_shot
    [ "$(md5sum <"$VB_SHOT")" = "$first" ] || vb_fail "the first splash screen moved on by itself"
    vb_key Return
    vb_wait_shot 30 eval '[ "$(md5sum <"$VB_SHOT")" != "$first" ]' ||
        vb_fail "Enter did not leave the first splash screen"
    sleep 2
    vb_shot
    vbf_text "PRESS ENTER" 184 >/dev/null && vb_fail "the second splash screen did not wait"
    vb_key Return
else
    vb_log "splash pictures not built: the intro must go to the title by itself"
fi
vbf_wait_text "PRESS ENTER" 184
vb_key Return
vbf_wait_lit "PLAY" 88
vbf_lit "EXIT" 136 >/dev/null && vb_fail "EXIT drawn as selected while PLAY is"
vb_key Up
vbf_wait_lit "EXIT" 136
vbf_lit "PLAY" 88 >/dev/null && vb_fail "PLAY still drawn as selected"
vb_key Return
vb_wait_exit 30 || vb_fail "EXIT did not end the program"
[ "$VB_STATUS" = 0 ] || vb_fail "EXIT ended the program with status $VB_STATUS"
vb_pass
