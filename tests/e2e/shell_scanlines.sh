# shell_scanlines.sh -- with the default configuration the 512x384 window shows every presented
# frame doubled, odd rows darkened; the default configuration file is written; the window's
# close button ends the game through its normal shut-down with status 0.
. "$VB_SRC/tests/e2e/lib.sh"

vb_start VB_DUMP_FRAME="$VB_RUN/frame.bmp" || vb_fail "no game window"
# The first splash goes straight to the window; the second is presented like every other
# screen and waits for an action key: compare there.
for i in 1 2 3 4 5; do
    vb_wait_file "$VB_RUN/frame.bmp" 6 && break
    vb_running || break
    vb_key Control_L
done

vb_shot || vb_fail "no screenshot"
[ "$("$VB_TOOLS/vbprobe" size "$VB_SHOT")" = "512 384" ] ||
    vb_fail "the window is not 512x384"

vb_wait_shot 60 "$VB_TOOLS/vbprobe" frame "$VB_SHOT" "$VB_RUN/frame.bmp" on ||
    vb_fail "the window does not show the presented frame doubled with scanlines"
[ "$("$VB_TOOLS/vbprobe" rows "$VB_SHOT")" = scanlines ] || vb_fail "odd rows are not darker"

cfg=$(od -An -v -td4 "$VB_RUN/Velumbrina.Cfg" | tr -s ' \n' ' ')
[ "$cfg" = " 1 1 16 127 127 44100 " ] || vb_fail "default configuration file holds:$cfg"

vb_close || vb_fail "could not send the close message"
vb_wait_exit 0
vb_pass
