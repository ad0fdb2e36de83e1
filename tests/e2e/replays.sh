# replays.sh -- a room played for a few seconds, paused and left, is listed under REPLAYS and
# watched: every frame of the attempt kept from play and from its playback, matched by the room's
# own frame number (the game tags each presented frame of play and of watching with it), shows the
# same room. Both sides stand still when their frames are asked for (play paused, the playback
# ended), so nothing races.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

# The tagged frames on disk from number $1 on, as "TAG FILE" lines.
tagged() {
    local f
    for f in $(vb_frames_since "$1"); do
        [ -f "${f%.bmp}.txt" ] && echo "$(cat "${f%.bmp}.txt") $f"
    done
}

vb_start || vb_fail "no game window"
vb_to_menu
vb_press Return "LEVEL 1 - 1 88"
vb_hold Return 60 "play did not start" vb_text "LEVEL 1 - 1" 176 # held on into the room
vb_hold_frames Right 40 || vb_fail "play did not go on"
vb_press Return "PAUSED 92"
vb_dump || vb_fail "no frames from play"
mkdir "$VB_RUN/play"
tagged 1 | while read -r tag f; do cp "$f" "$VB_RUN/play/$tag.bmp"; done
played=$VB_FRAME
vb_key Escape
vb_wait_lit "PLAY" 88
vb_wait_log "replay kept: " || vb_fail "the attempt was not kept"

vb_steps Up "EXIT 160" "REPLAYS 148"
vb_press Return "CHOOSE A LEVEL 20" "CHOOSE A ROOM 20" "ROOM 1   * THE BEST 20"
vb_text "LEFT" 36 >/dev/null || vb_fail "the attempt's line does not say it was left"
vb_press Return "END: LEFT 21"
vb_dump || vb_fail "no frames from the playback"

same=0 moved=0 first=""
while read -r tag f; do
    [ -f "$VB_RUN/play/$tag.bmp" ] || continue
    d=$("$VB_PROBE" diff "$VB_RUN/play/$tag.bmp" "$f" 8 16 240 144) || vb_fail "cannot compare frame $tag"
    [ "$d" = 0 ] || vb_fail "room frame $tag: $d pixels differ between play and its replay"
    same=$((same + 1))
    [ -n "$first" ] || first=$f
    [ "$("$VB_PROBE" diff "$first" "$f" 8 16 240 144)" = 0 ] || moved=1
done < <(tagged $((played + 1)))
vb_log "$same frames the same in play and in its replay"
[ "$same" -ge 30 ] || vb_fail "only $same frames of the attempt were seen in both"
[ "$moved" = 1 ] || vb_fail "the frames compared show nothing moving"

vb_key Escape
vb_wait_text "ROOM 1   * THE BEST" 20
vb_close 0
vb_pass
