# journey.sh -- a player's whole first session: with no configuration file the game makes one
# with the defaults; intro, title menu, PLAY, the card of room 1 with a password, the room;
# walking and jumping change the picture where the player stands, and walking on reaches the
# card of room 2; R asks "SURE MY DARLING?" and
# Enter keeps playing; Right Control saves CAP.PCX; Escape goes back to the menu; the password of
# room 7 starts play on its card; EXIT ends the game with status 0, and log.txt tells the story
# of both games in order.
. "$VB_SRC/tests/e2e/lib_front.sh"
vbf_need_level

rm -f "$VB_RUN/Velumbrina.Cfg" "$VB_RUN/log.txt" "$VB_RUN/CAP.PCX"
vb_start
vb_wait_window || vb_fail "no game window"
[ "$(od -An -v -t d4 "$VB_RUN/Velumbrina.Cfg" | tr -s ' \n' ' ')" = " 1 1 16 127 127 44100 " ] ||
    vb_fail "the configuration file was not made with the defaults"

vbf_to_menu
vb_key Return # PLAY
vbf_wait_text "LEVEL 1 - 1" 88
# The card shows one of room 1's four passwords: all four share their last three characters.
code=$("$VB_TOOLS/vbclave" 1 1) || vb_fail "vbclave failed"
vbf_text "${code:1:3}" >/dev/null || vb_fail "the card shows no password of room 1"
vb_key Return
vbf_wait_text "LEVEL 1 - 1" 176

# The retry dialog, answered "No" with Enter at once: play goes on.
vb_key r
vbf_wait_text "SURE MY DARLING?" 80
vb_key Return
vb_wait_shot 30 eval '! vbf_text "SURE MY DARLING?" 80' || vb_fail "the dialog stayed open"
vbf_wait_text "RETRY x 5" 168

# The screenshot key.
vb_key Control_R 0.5
for _ in $(seq 50); do [ -s "$VB_RUN/CAP.PCX" ] && break; sleep 0.2; done
[ -s "$VB_RUN/CAP.PCX" ] || vb_fail "Right Control wrote no CAP.PCX"

# Where the player stands: the start cell of room 1, in window pixels (the room is at (8, 16)
# of the doubled 256x192 frame).
read -r col row < <("$VB_TOOLS/vbmap" info "$VB_DATA_DIR/maps/velba1.vb3" |
    awk '$1 == "1" { split($4, c, ","); print c[1], c[2] }')
[ -n "$col" ] || vb_fail "no start cell for room 1"
px=$((2 * (8 + 16 * col)))
py=$((2 * (16 + 16 * row)))
vb_shot "$VB_RUN/standing.ppm"

# A high jump: the cell above the player changes while the jump runs.
xdotool keydown Up
changed_above() {
    [ "$("$VB_TOOLS/vbprobe" diff "$VB_RUN/standing.ppm" "$VB_SHOT" $px $((py - 32)) 32 32)" -gt 40 ]
}
vb_wait_shot 10 changed_above || vb_fail "the jump did not show above the player"
xdotool keyup Up
sleep 2

# Walking right: the player's cell changes.
vb_shot "$VB_RUN/before_walk.ppm"
xdotool keydown Right
sleep 0.4
xdotool keyup Right
moved() {
    [ "$("$VB_TOOLS/vbprobe" diff "$VB_RUN/standing.ppm" "$VB_SHOT" $px $py 32 32)" -gt 40 ]
}
vb_wait_shot 10 moved || vb_fail "holding Right did not move the player"

# Walking on reaches room 1's lever: the card of room 2.
xdotool keydown Right
vb_wait_shot 60 vbf_text "LEVEL 1 - 2" 88 || vb_fail "walking right never reached the card of room 2"
xdotool keyup Right

# Escape ends the game and the menu comes back.
vb_key Escape
vbf_wait_lit "PLAY" 88
vb_wait_log "Destruyendo bitmaps" 30 || vb_fail "play did not tear down"

# The password of room 7.
vbf_password 7
vb_key Return
vbf_wait_text "LEVEL 1 - 7" 176
vb_key Escape
vbf_wait_lit "PASSWORD" 104

# EXIT: up twice from PASSWORD.
vb_key Up
vbf_wait_lit "PLAY" 88
vb_key Up
vbf_wait_lit "EXIT" 136
vb_key Return
vb_wait_exit 30 || vb_fail "EXIT did not end the game"
[ "$VB_STATUS" = 0 ] || vb_fail "exit status $VB_STATUS"

# The log: each game's lines in order, twice.
expect=("Empezamos motor :) " "Cargando fase:" "velba1.vb3" "Fase cargada OK" "Cargando sonidos"
    "Creando enemigos y plataformas" "Comenzando el juego 2" "Fin del bucle del juego"
    "Destruyendo bitmaps" $'\xb7FINE\xb7')
games=0
line=0
while :; do
    for text in "${expect[@]}"; do
        next=$(tail -n +$((line + 1)) "$VB_RUN/log.txt" | LC_ALL=C grep -anxF -- "$text" | head -n 1 | cut -d: -f1)
        [ -n "$next" ] || break 2
        line=$((line + next))
    done
    games=$((games + 1))
done
[ "$games" = 2 ] || vb_fail "log.txt holds $games complete games in order, not 2"
vb_pass
