# front_dialog.sh -- in play, R opens the retry dialog and Enter ("No") goes back to play.
. "$VB_SRC/tests/e2e/lib_front.sh"
vbf_need_level
for pic in GUI_sure BUT_sel BUT_unsel; do
    [ -f "$VB_DATA_DIR/resources/$pic.pcx" ] || vb_skip "no dialog picture $pic.pcx"
done

vbf_start
vbf_to_menu
vb_key Return
vbf_wait_text "LEVEL 1 - 1" 88 # the level card
vb_key Return
vbf_wait_text "LEVEL 1 - 1" 176 # the status line of play
vb_key r
vbf_wait_text "SURE MY DARLING?" 80
vb_key Return
vb_wait_shot 30 eval '! vbf_text "SURE MY DARLING?" 80' || vb_fail "the dialog stayed open"
vbf_text "LEVEL 1 - 1" 176 >/dev/null || vb_fail "play did not come back after No"
vb_pass
