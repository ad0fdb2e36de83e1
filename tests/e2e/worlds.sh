# worlds.sh -- a room of each world, reached by its password with sound on: every picture,
# sample and tune the game asks for is there (the log names no missing file), each room shows
# on screen, and what the sound device receives is not silence.
. "$VB_SRC/tests/e2e/lib_front.sh"
vbf_need_level

vb_write_cfg 1 1 16 127 127 22050
vb_start SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$VB_RUN/sound.raw"
vb_wait_window || vb_fail "no game window"
vbf_to_menu
for room in 1 6 11 16 21 25; do
    vbf_password $room
    vb_key Return
    vbf_wait_text "LEVEL 1 - $room" 176
    # A moment of play: a jump and a few steps, with their sounds.
    vb_key Up
    vb_key Right 0.5
    vb_shot
    [ "$("$VB_TOOLS/vbprobe" rows "$VB_SHOT")" != dark ] || vb_fail "room $room shows nothing"
    vb_key Escape
    vbf_wait_lit "PASSWORD" 104
    vb_key Up
    vbf_wait_lit "PLAY" 88
done
vb_key Up
vbf_wait_lit "EXIT" 136
vb_key Return
vb_wait_exit 30 || vb_fail "EXIT did not end the game"
[ "$VB_STATUS" = 0 ] || vb_fail "exit status $VB_STATUS"

if LC_ALL=C grep -aE "No se pudo|missing|cannot" "$VB_RUN/log.txt"; then
    vb_fail "the log names missing files"
fi
[ "$(LC_ALL=C grep -ac "Fase cargada OK" "$VB_RUN/log.txt")" = 6 ] || vb_fail "not six games in the log"
[ -s "$VB_RUN/sound.raw" ] || vb_fail "the sound device received nothing"
[ "$(tr -d '\0' <"$VB_RUN/sound.raw" | head -c 1 | wc -c)" = 1 ] || vb_fail "the game was silent"
vb_pass
