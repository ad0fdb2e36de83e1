# options.sh -- the OPTIONS screen from the title menu: each value changed takes effect at once
# (the window grows to 3X and shows the presented frame, scanlines go off, the title music falls
# silent at volume 0) or, for the colour depth, says it waits for the next start; leaving writes
# the file, which the next start reads. A 24-byte file from before is read with the default
# window and left alone until the player changes something; a read-only directory keeps the
# changes for the run and the log says they could not be saved.
. "$VB_SRC/tests/e2e/lib.sh"

# Selects the next line and presses a key on it; waits for the line's new value, lit.
change() {
    vb_key Down
    vb_wait_lit "$1" "$2"
    vb_key "$3"
    vb_wait_lit "$4" "$2"
}

# A fresh start: every value changed, then Escape back to the menu.
vb_start VB_DUMP_FRAME="$VB_RUN/frame.bmp" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$VB_RUN/audio.raw" ||
    vb_fail "no game window"
vb_to_menu
vb_to_options 2X
vb_key Right
vb_wait_lit "WINDOW      3X" 86
vb_wait_shot 60 "$VB_TOOLS/vbprobe" frame "$VB_SHOT" "$VB_RUN/frame.bmp" on ||
    vb_fail "the 3X window does not show the presented frame"
vb_size_is "768 576" || vb_fail "the window is not 768x576"
change SCANLINES 97 Right "SCANLINES   OFF"
vb_wait_shot 60 "$VB_TOOLS/vbprobe" frame "$VB_SHOT" "$VB_RUN/frame.bmp" off ||
    vb_fail "scanlines are still on"
change COLOURS 108 Right "COLOURS     32 BITS"
vb_wait_lit "NEW COLOURS AT NEXT START" 182
vb_key Down
vb_wait_lit MUSIC 119
vb_wait_shot 20 eval '[ "$(vb_loudness)" -gt 1000 ]' || vb_fail "no title music"
timeout 10 xdotool keydown Left # held: the volume runs down to 0, the music with it
vb_wait_lit "  0" 119
timeout 10 xdotool keyup Left
vb_wait_shot 20 eval '[ "$(vb_loudness)" = 0 ]' || vb_fail "the music plays on at volume 0"
vb_key Right
vb_wait_lit "  8" 119
change EFFECTS 130 Left 119
change SOUND 141 Right "SOUND       OFF"
vb_key Escape
vb_wait_lit "OPTIONS" 136
vb_wait_shot 30 eval '[ "$(vb_cfg)" = " 0 0 32 8 119 44100 3 " ]' || vb_fail "the file holds:$(vb_cfg)"
vb_close
vb_wait_exit 0

# The next start reads them: a 3X window without scanlines.
vb_start VB_DUMP_FRAME="$VB_RUN/frame.bmp" || vb_fail "no game window"
vb_wait_shot 60 vb_size_is "768 576" ||
    vb_fail "the second start is not at 3X"
vb_close
vb_wait_exit 0

# A file from before the window size: the default window; looking changes nothing, a change (to
# full screen and on to 3X, Enter stepping like Right) adds the window size after the six values.
vb_write_cfg 1 1 16 100 90 22050
vb_start || vb_fail "no game window"
vb_to_menu
vb_to_options 2X
vb_key Escape
vb_wait_lit "OPTIONS" 136
[ "$(vb_cfg)" = " 1 1 16 100 90 22050 " ] || vb_fail "looking at the options rewrote the file:$(vb_cfg)"
vb_key Return
vb_wait_lit "WINDOW      2X" 86
vb_key Left
vb_wait_lit "WINDOW      FULL SCREEN" 86
vb_wait_shot 60 vb_size_is "800 600" ||
    vb_fail "full screen does not cover the screen"
vb_key Return
vb_wait_lit "WINDOW      2X" 86
vb_key Right
vb_wait_lit "WINDOW      3X" 86
vb_key Escape
vb_wait_lit "OPTIONS" 136
vb_wait_shot 30 eval '[ "$(vb_cfg)" = " 1 1 16 100 90 22050 3 " ]' || vb_fail "the file holds:$(vb_cfg)"
vb_close
vb_wait_exit 0

# A read-only directory (the game runs as another user when the test runs as root, who may write
# anywhere); the log is a file the game may write. Scanlines go off for the run all the same.
rm -f "$VB_RUN/log.txt"
touch "$VB_RUN/log.txt"
chmod 666 "$VB_RUN/log.txt"
chmod 755 "$VB_RUN"
cp "$VB_RUN/Velumbrina.Cfg" "$VB_RUN/cfg.before"
if [ "$(id -u)" = 0 ]; then
    printf '#!/bin/sh\nexec setpriv --reuid=65534 --regid=65534 --clear-groups %s "$@"\n' "$VB_BIN" \
        >"$VB_RUN/as-nobody"
    chmod 755 "$VB_RUN/as-nobody"
    VB_BIN="$VB_RUN/as-nobody"
fi
chmod 555 "$VB_RUN"
vb_start || { chmod 755 "$VB_RUN"; vb_fail "no game window"; }
vb_to_menu
vb_to_options 3X
change SCANLINES 97 Right "SCANLINES   OFF"
vb_key Escape
vb_wait_lit "OPTIONS" 136
vb_wait_log "Velumbrina.Cfg: could not be saved" || { chmod 755 "$VB_RUN"; vb_fail "no log line"; }
vb_wait_shot 60 eval '[ "$("$VB_TOOLS/vbprobe" rows "$VB_SHOT")" = plain ]' ||
    { chmod 755 "$VB_RUN"; vb_fail "scanlines are on after the failed save"; }
chmod 755 "$VB_RUN"
cmp -s "$VB_RUN/Velumbrina.Cfg" "$VB_RUN/cfg.before" || vb_fail "the file changed"
[ -z "$(ls "$VB_RUN" | grep -i 'cfg.' | grep -vx 'Velumbrina.Cfg\|cfg.before')" ] || vb_fail "a stray file is left"
vb_close
vb_wait_exit 0
vb_pass
