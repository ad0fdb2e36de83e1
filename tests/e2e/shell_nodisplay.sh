# shell_nodisplay.sh -- with no display to open a window on, --help and --version still answer
# on standard output (an unknown argument gets the usage on standard error, status 2) and write
# nothing; started to play, the game says on standard error that there is no display and ends
# with status 1 instead of crashing; it still leaves its default configuration file.
. "$VB_SRC/tests/e2e/lib.sh"

# run ARGS...: the program without a display in $VB_RUN; its status in $status.
run() {
    (cd "$VB_RUN" && exec env -u DISPLAY SDL_AUDIODRIVER=dummy timeout 60 "$VB_BIN" "$@" </dev/null \
        >"$VB_RUN/stdout.txt" 2>"$VB_RUN/stderr.txt")
    status=$?
}

run --help
[ "$status" = 0 ] || vb_fail "--help ended with status $status"
grep -q '^usage: velumbrina \[--help | --version\]$' "$VB_RUN/stdout.txt" && grep -q -- '--version' "$VB_RUN/stdout.txt" ||
    vb_fail "--help printed no usage on standard output"
run --version
[ "$status" = 0 ] && grep -Eqx 'velumbrina [0-9]+\.[0-9]+\.[0-9]+' "$VB_RUN/stdout.txt" ||
    vb_fail "--version printed '$(cat "$VB_RUN/stdout.txt")', status $status"
[ ! -s "$VB_RUN/stderr.txt" ] || vb_fail "--version wrote on standard error"
for args in "--jump" "--help --version"; do
    run $args
    [ "$status" = 2 ] || vb_fail "'$args' ended with status $status, not 2"
    [ ! -s "$VB_RUN/stdout.txt" ] && grep -q '^usage: velumbrina' "$VB_RUN/stderr.txt" ||
        vb_fail "'$args' did not print the usage on standard error alone"
done
[ ! -e "$VB_RUN/Velumbrina.Cfg" ] && [ ! -e "$VB_RUN/log.txt" ] ||
    vb_fail "answering the command line wrote the configuration or the log"

run
[ "$status" = 1 ] || vb_fail "exit status $status without a display"
grep -q "Velumbrina: cannot start the graphics library: no display" "$VB_RUN/stderr.txt" ||
    vb_fail "no clear message on standard error"
[ "$(stat -c %s "$VB_RUN/Velumbrina.Cfg")" = 28 ] || vb_fail "no default configuration file"
vb_pass
