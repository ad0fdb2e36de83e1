# options.sh -- OPTIONS: each value changed takes effect at once (a 3X window showing the presented
# frame; after F11 the line names full screen in use and 3X saved; scanlines off, title music
# silent at volume 0) or, for the colours, at the next start, which reads the file written on
# leaving, the assists too. A 24-byte file from before is read with the default window and left
# alone until something changes; in a read-only directory the changes hold for the run and the
# log says they could not be saved.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

# Selects the next line ($1 on row $2) and presses $3 on it; waits for the new value $4, lit.
change() { vb_steps Down "$1 $2" && vb_steps "$3" "$4 $2"; }

# A fresh start: every value changed, then Escape back to the menu.
vb_start SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$VB_RUN/audio.raw" ||
    vb_fail "no game window"
vb_to_menu
vb_to_options 2X
vb_steps Right "WINDOW      3X 86"
vb_wait_frame 60 on "768 576" || vb_fail "the 3X window does not show the presented frame"
vb_key F11
vb_wait_lit "WINDOW      FULL, SAVED 3X" 86
vb_key F11
vb_wait_shot 60 vb_size_is "768 576" || vb_fail "F11 did not come back to the 3X window"
vb_wait_lit "WINDOW      3X" 86
change SCANLINES 95 Right "SCANLINES   OFF"
vb_wait_frame 60 off || vb_fail "scanlines are still on"
change COLOURS 104 Right "COLOURS     32 BITS"
vb_wait_lit "NEW COLOURS AT NEXT START" 182
vb_steps Down "MUSIC 113"
vb_poll 60 eval '[ "$(vb_loudness)" -gt 1000 ]' || vb_fail "no title music"
vb_hold Left 60 "the music volume did not run down to 0" vb_lit " 0" 113
vb_poll 60 eval '[ "$(vb_loudness)" = 0 ]' || vb_fail "the music plays on at volume 0: $(vb_audio_report)"
vb_steps Right " 8 113"
change EFFECTS 122 Left 119
change SOUND 131 Right "SOUND       OFF"
vb_steps Escape "OPTIONS 124"
vb_poll 60 eval '[ "$(vb_cfg)" = " 0 0 32 8 119 44100 3 " ]' || vb_fail "the file holds:$(vb_cfg)"
vb_close 0

# The next start reads them: a 3X window; and the assists (ASSIST saves them: assist.sh), added
# after today's keys by a version without the ghost's switch, which reads as on; switched off, it
# joins them in the file.
perl -e 'print pack("l<*", @ARGV)' 1 82 15 0 83 16 0 84 17 26 85 1 115 18 0 0 67 0 0 118 0 0 \
    5 80 0 0 0 1 >>"$VB_RUN/Velumbrina.Cfg"
vb_start || vb_fail "no game window"
vb_wait_shot 60 vb_size_is "768 576" || vb_fail "the second start is not at 3X"
vb_to_menu
vb_to_options 3X
vb_steps Up "BACK 167" "ASSIST 158" "CONTROLS 149" "GHOST       ON 140" # not in the file: on
vb_steps Right "GHOST       OFF 140"
vb_steps Down "CONTROLS 149" "ASSIST 158"
vb_steps Return "GAME SPEED        80% 86"
vb_steps Up "BACK 141" "SHOW TIMER        ON 130"
vb_steps Escape "ASSIST 158" "OPTIONS 124"
vb_poll 60 eval '[[ "$(vb_cfg)" == *" 118 0 0 6 80 0 0 0 1 0 " ]]' || vb_fail "the file holds:$(vb_cfg)"
vb_close 0

# A file from before the window size: the default window; looking changes nothing, a change (to
# full screen and on to 3X, Enter stepping like Right) adds the window size after the six values.
vb_write_cfg 1 1 16 100 90 22050
vb_start || vb_fail "no game window"
vb_to_menu
vb_to_options 2X
vb_steps Escape "OPTIONS 124"
[ "$(vb_cfg)" = " 1 1 16 100 90 22050 " ] || vb_fail "looking at the options rewrote the file:$(vb_cfg)"
vb_steps Return "WINDOW      2X 86"
vb_steps Left "WINDOW      FULL SCREEN 86"
vb_wait_shot 60 vb_size_is "800 600" || vb_fail "full screen does not cover the screen"
vb_steps Return "WINDOW      2X 86"
vb_steps Right "WINDOW      3X 86"
vb_steps Escape "OPTIONS 124"
vb_poll 60 eval '[ "$(vb_cfg)" = " 1 1 16 100 90 22050 3 " ]' || vb_fail "the file holds:$(vb_cfg)"
vb_close 0

# A read-only directory (as root, who may write anywhere, the game runs as nobody); the log is a
# file the game may write. Scanlines go off for the run all the same.
install -m 666 /dev/null "$VB_RUN/log.txt"
chmod 755 "$VB_RUN"
cp "$VB_RUN/Velumbrina.Cfg" "$VB_RUN/cfg.before"
as_nobody=()
[ "$(id -u)" = 0 ] && as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
# The program knows it is a build by the data folder beside it; a build in a folder closed to other
# users (a checkout in a 0700 scratch folder) is an installed game to nobody, with its files
# elsewhere, so this part says why it cannot run there instead of failing.
if [ ${#as_nobody[@]} -gt 0 ] && ! "${as_nobody[@]}" test -d "${VB_BIN%/*}/data"; then
    vb_log "SKIPPED the read-only run: nobody cannot reach ${VB_BIN%/*}/data"
    vb_pass
fi
chmod 555 "$VB_RUN"
vb_start "${as_nobody[@]}" || vb_fail "no game window"
vb_to_menu
vb_to_options 3X
change SCANLINES 95 Right "SCANLINES   OFF"
vb_steps Escape "OPTIONS 124"
vb_wait_log "Velumbrina.Cfg: could not be saved" || vb_fail "no log line"
vb_wait_shot 60 eval '[ "$("$VB_PROBE" rows "$VB_SHOT")" = plain ]' ||
    vb_fail "scanlines are on after the failed save"
cmp -s "$VB_RUN/Velumbrina.Cfg" "$VB_RUN/cfg.before" || vb_fail "the file changed"
[ -z "$(ls "$VB_RUN" | grep -i 'cfg.' | grep -vx 'Velumbrina.Cfg\|cfg.before')" ] || vb_fail "a stray file is left"
vb_close 0
vb_pass
