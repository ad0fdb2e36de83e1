# worlds.sh -- a room of each world, reached by its password with sound on: the log names no
# missing file, each room shows on screen, and the sound device receives more than silence.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

vb_write_cfg 1 1 16 127 127 22050 2
vb_start SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$VB_RUN/sound.raw" || vb_fail "no game window"
vb_to_menu
for room in 1 6 11 16 21 25; do
    vb_password $room
    vb_press Return "LEVEL 1 - $room 176"
    vb_key Up # a jump and a few steps, with their sounds
    vb_hold_frames Right 8
    vb_shot
    [ "$("$VB_PROBE" rows "$VB_SHOT")" != dark ] || vb_fail "room $room shows nothing"
    vb_steps Escape "PASSWORD 100"
    vb_steps Up "PLAY 88"
done
vb_close 0

if LC_ALL=C grep -aE "No se pudo|missing|cannot" "$VB_RUN/log.txt"; then
    vb_fail "the log names missing files"
fi
[ "$(LC_ALL=C grep -ac "Fase cargada OK" "$VB_RUN/log.txt")" = 6 ] || vb_fail "not six games in the log"
[ -s "$VB_RUN/sound.raw" ] || vb_fail "the sound device received nothing"
[ "$(tr -d '\0' <"$VB_RUN/sound.raw" | head -c 1 | wc -c)" = 1 ] || vb_fail "the game was silent"
vb_pass
