# front_dialog.sh -- in play, R opens the retry dialog and Enter ("No") goes back to play.
. "$(dirname "$0")/lib_front.sh"
vbf_need_level
for pic in GUI_sure BUT_sel BUT_unsel; do
    if [ ! -f "$VB_DATA_DIR/resources/$pic.pcx" ]; then
        echo "SKIP: no dialog picture $pic.pcx"
        exit 77
    fi
done

vbf_start
vbf_to_menu
vbf_key Return
vbf_wait_text "LEVEL 1 - 1" 88 # the level card
vbf_key Return
vbf_wait_text "LEVEL 1 - 1" 176 # the status line of play
vbf_key r
vbf_wait_text "SURE MY DARLING?" 80
vbf_key Return
vbf_wait_gone "SURE MY DARLING?" 80
vbf_sees "LEVEL 1 - 1" 176 || vbf_fail "play did not come back after No"
echo "ok"
