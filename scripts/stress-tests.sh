#!/usr/bin/env bash
# stress-tests.sh [ROUNDS] [BUSY] [REGEX] -- runs the window tests ROUNDS times (default 10) with
# BUSY processes (default 2, one per core) spinning beside them at normal priority, as a loaded
# machine would, and prints how often each test failed. Needs a build (./test.sh or the cmake
# line of the README) in build/; the failures' output is kept in build/stress/. Not run by
# ./test.sh: it takes ROUNDS times the window tests' time.
# SPDX-License-Identifier: MIT
set -u
cd "$(dirname "$0")/.."
rounds=${1:-10} busy=${2:-2} regex=${3:-}
[ -d build ] || { echo "stress-tests.sh: no build/ (run ./test.sh first)" >&2; exit 2; }
out=build/stress
rm -rf "$out" && mkdir -p "$out"

pids=()
stop_busy() { [ ${#pids[@]} = 0 ] || kill "${pids[@]}" 2>/dev/null; }
trap stop_busy EXIT
for ((i = 0; i < busy; i++)); do
    (while :; do :; done) &
    pids+=($!)
done

declare -A failed
filter=(-L e2e)
[ -n "$regex" ] && filter+=(-R "$regex")
start=$(date +%s)
for ((r = 1; r <= rounds; r++)); do
    t=$(date +%s)
    ctest --test-dir build "${filter[@]}" -j"$(($(nproc) * 2))" --output-on-failure \
        >"$out/round$r.txt" 2>&1
    names=$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*$/\1/p' "$out/round$r.txt")
    for n in $names; do failed[$n]=$((${failed[$n]:-0} + 1)); done
    echo "round $r: $(($(date +%s) - t)) s, failed: ${names:-none}" | tr '\n' ' '
    echo
    [ -z "$names" ] && rm -f "$out/round$r.txt"
done

echo "$rounds rounds, $busy busy processes, $(($(date +%s) - start)) s in all"
all=$(ctest --test-dir build "${filter[@]}" -N | sed -n 's/^ *Test *#[0-9]*: //p')
status=0
for n in $all; do
    printf '%-24s %d of %d failed\n' "$n" "${failed[$n]:-0}" "$rounds"
    [ "${failed[$n]:-0}" = 0 ] || status=1
done
exit $status
