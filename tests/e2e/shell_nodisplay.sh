# shell_nodisplay.sh -- with no display to open a window on, --help and --version still answer
# on standard output (an unknown argument gets the usage on standard error, status 2) and write
# nothing; started to play, the game says on standard error that there is no display and ends
# with status 1 instead of crashing, and writes no configuration. A copy of the program finds
# the data beside it from any directory; with a file of it missing, or none beside it, it says
# what is missing and where it looked, ends with status 1 and writes nothing.
# SPDX-License-Identifier: MIT
. "$VB_SRC/tests/e2e/lib.sh"

# run ARGS...: the program without a display in $VB_RUN (with $PROGRAM, from $VB_RUN/elsewhere);
# its status in $status.
run() {
    (cd "$VB_RUN" && exec env -u DISPLAY SDL_AUDIODRIVER=dummy VELUMBRINA_DATA="$VB_RUN" timeout 60 "$VB_BIN" "$@" \
        </dev/null >"$VB_RUN/stdout.txt" 2>"$VB_RUN/stderr.txt")
    status=$?
}
run_copy() {
    (cd "$VB_RUN/elsewhere" && exec env -u DISPLAY -u VELUMBRINA_DATA SDL_AUDIODRIVER=dummy timeout 60 "$PROGRAM" \
        </dev/null >"$VB_RUN/stdout.txt" 2>"$VB_RUN/stderr.txt")
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
[ ! -e "$VB_RUN/Velumbrina.Cfg" ] || vb_fail "a configuration was written with no graphics"

# A build's program with its data/ beside it (here, this test's copy), started from elsewhere.
mkdir -p "$VB_RUN/prog" "$VB_RUN/elsewhere"
PROGRAM="$VB_RUN/prog/velumbrina"
cp "$VB_BIN" "$PROGRAM"
ln -s "$VB_RUN" "$VB_RUN/prog/data"
rm -f "$VB_RUN/log.txt"
run_copy
grep -q "cannot start the graphics library: no display" "$VB_RUN/stderr.txt" ||
    vb_fail "the program beside its data did not find it: $(head -n 3 "$VB_RUN/stderr.txt")"
mv "$VB_RUN/resources/title.pcx" "$VB_RUN/title.away"
mv "$VB_RUN/maps/velba1.vb3" "$VB_RUN/level.away"
run_copy
[ "$status" = 1 ] || vb_fail "exit status $status with pictures missing"
for missing in resources/title.pcx maps/velba1.vb3; do
    grep -q "^Velumbrina: $missing is missing: the game's data in $VB_RUN/prog/data is not whole" "$VB_RUN/stderr.txt" ||
        vb_fail "no line for the missing $missing: $(head -n 3 "$VB_RUN/stderr.txt")"
done
rm "$VB_RUN/prog/data"
run_copy
[ "$status" = 1 ] && grep -q "cannot find the game's data: looked for the folder $VB_RUN/prog/data and " "$VB_RUN/stderr.txt" ||
    vb_fail "no data, status $status: $(head -n 3 "$VB_RUN/stderr.txt")"
[ -z "$(ls -A "$VB_RUN/elsewhere")" ] && [ ! -e "$VB_RUN/Velumbrina.Cfg" ] && [ ! -e "$VB_RUN/log.txt" ] ||
    vb_fail "a program that found no whole data wrote files"
vb_pass
