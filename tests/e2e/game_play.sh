# game_play.sh -- PLAY shows the card of room 1, the room plays in the window, right Control
# writes CAP.PCX, Escape ends play through the whole teardown and the title menu comes back.
. "$VB_SRC/tests/e2e/lib_front.sh"
vbf_need_level

vbf_start
vbf_to_menu
vb_key Return
vbf_wait_text "LEVEL 1 - 1" 88
vb_key Return
vb_wait_log "Comenzando el juego 2" || vb_fail "the room did not start"
vb_key Right 1
vb_key Control_R 0.5
for _ in $(seq 1 50); do [ -s "$VB_RUN/CAP.PCX" ] && break; sleep 0.2; done
[ -s "$VB_RUN/CAP.PCX" ] || vb_fail "no screenshot CAP.PCX"
vb_key Escape
vb_wait_log "$(printf '\267FINE\267')" || vb_fail "play did not end"
grep -qF "Destruyendo bitmaps" "$VB_RUN/log.txt" || vb_fail "no teardown in the log"
vbf_wait_lit "PLAY" 88
vb_close
vb_wait_exit 30 || vb_fail "still running"
vb_pass
