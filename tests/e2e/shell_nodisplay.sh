# shell_nodisplay.sh -- with no display to open a window on, the game says so on standard error
# and ends with status 1 instead of crashing; it still leaves its default configuration file.
. "$VB_SRC/tests/e2e/lib.sh"

(cd "$VB_RUN" && exec env -u DISPLAY SDL_AUDIODRIVER=dummy timeout 60 "$VB_BIN" </dev/null \
    >"$VB_RUN/stdout.txt" 2>"$VB_RUN/stderr.txt")
status=$?
[ "$status" = 1 ] || vb_fail "exit status $status without a display"
grep -q "Velumbrina: cannot start the graphics library: no display" "$VB_RUN/stderr.txt" ||
    vb_fail "no clear message on standard error"
[ "$(stat -c %s "$VB_RUN/Velumbrina.Cfg")" = 28 ] || vb_fail "no default configuration file"
vb_pass
