# shell_tick.sh -- the 17 ms tick runs at about 59 per second; it needs Allegro's real timer, so
# the unit test that measures it runs here, inside the X server.
. "$VB_SRC/tests/e2e/lib.sh"

tests_bin="$(dirname "$VB_BIN")/tests/test_shell"
[ -x "$tests_bin" ] || vb_fail "missing $tests_bin"
"$tests_bin" --gtest_filter='Tick.*' --gtest_also_run_disabled_tests >"$VB_RUN/tick.txt" 2>&1 ||
    { cat "$VB_RUN/tick.txt" >&2; vb_fail "the tick test failed"; }
grep -q '\[  PASSED  \] 1 test' "$VB_RUN/tick.txt" || { cat "$VB_RUN/tick.txt" >&2; vb_fail "the tick test did not run"; }
vb_pass
