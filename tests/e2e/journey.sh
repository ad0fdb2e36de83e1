# journey.sh -- a player's whole first session: with no configuration file the game makes one
# with the defaults; the splash screens wait for Enter; the title menu with PLAY selected; PLAY,
# the card of room 1 with a password, the room; R asks "SURE MY DARLING?" and Enter keeps
# playing; Right Control saves CAP.PCX; a jump shows above the player's start, and walking on
# reaches the card of room 2; Escape goes back to the menu; the password of
# room 7 starts play there; Up twice and EXIT end the game with status 0, and log.txt tells the
# story of both games in order.
. "$VB_SRC/tests/e2e/lib.sh"

vb_start || vb_fail "no game window"
[ "$(od -An -v -t d4 "$VB_RUN/Velumbrina.Cfg" | tr -s ' \n' ' ')" = " 1 1 16 127 127 44100 2 " ] ||
    vb_fail "the configuration file was not made with the defaults"
vb_to_menu
vb_lit "EXIT" 152 >/dev/null && vb_fail "EXIT drawn as selected while PLAY is"

vb_key Return # PLAY
vb_wait_text "LEVEL 1 - 1" 88
# The card shows one of room 1's four passwords: all four share their last three characters.
code=$("$VB_TOOLS/vbclave" 1 1) || vb_fail "vbclave failed"
vb_text "${code:1:3}" >/dev/null || vb_fail "the card shows no password of room 1"
vb_key Return
vb_wait_text "LEVEL 1 - 1" 176

# The retry dialog, answered "No" with Enter at once: play goes on.
vb_key r
vb_wait_text "SURE MY DARLING?" 80
vb_key Return
vb_wait_shot 30 eval '! vb_text "SURE MY DARLING?" 80' || vb_fail "the dialog stayed open"
vb_wait_text "RETRY x 5" 168

vb_key Control_R 0.5
vb_wait_file "$VB_RUN/CAP.PCX" 10 || vb_fail "Right Control wrote no CAP.PCX"

# Where the player stands: the start cell of room 1, in window pixels (the room is at (8, 16)
# of the doubled 256x192 frame).
read -r col row < <("$VB_TOOLS/vbmap" info "$VB_DATA_DIR/maps/velba1.vb3" |
    awk '$1 == "1" { split($4, c, ","); print c[1], c[2] }')
[ -n "$col" ] || vb_fail "no start cell for room 1"
px=$((2 * (8 + 16 * col)))
py=$((2 * (16 + 16 * row)))
vb_shot "$VB_RUN/standing.ppm"
# True when the 32x32 window square above the player differs from the standing picture.
changed_above() { [ "$("$VB_TOOLS/vbprobe" diff "$VB_RUN/standing.ppm" "$VB_SHOT" $px $((py - 32)) 32 32)" -gt 40 ]; }

xdotool keydown Up # a high jump shows above the player
vb_wait_shot 10 changed_above || vb_fail "the jump did not show above the player"
xdotool keyup Up
xdotool keydown Right # walking from the start reaches the lever
vb_wait_shot 60 vb_text "LEVEL 1 - 2" 88 || vb_fail "walking right never reached the card of room 2"
xdotool keyup Right

vb_key Escape
vb_wait_lit "PLAY" 88
vb_wait_log "Destruyendo bitmaps" 30 || vb_fail "play did not tear down"

vb_password 7
vb_key Return
vb_wait_text "LEVEL 1 - 7" 176
vb_key Escape
vb_wait_lit "PASSWORD" 104
vb_key Up
vb_wait_lit "PLAY" 88
vb_key Up
vb_wait_lit "EXIT" 152
vb_lit "PLAY" 88 >/dev/null && vb_fail "PLAY still drawn as selected"
vb_key Return
vb_wait_exit 0

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
