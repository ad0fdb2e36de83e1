# level_tools.sh -- the level compiler, the checker and the players' level maker, run on bad input.
# Arguments: levelc levelcheck shipped-source art-dir shipped-file velumbrina-level vbclave.
# SPDX-License-Identifier: MIT
set -u
levelc=$1 levelcheck=$2 shipped=$5 maker=$6
faults="$(dirname "$0")/../data/levels"
work=$(mktemp -d "${TMPDIR:-/tmp}/vb-levels.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

while IFS='|' read -r name message; do
    "$levelc" "$faults/$name.txt" "$work/$name.vb3" 2>"$work/err.txt" && fail "$name was compiled"
    grep -qF "$message" "$work/err.txt" || fail "$name: '$(cat "$work/err.txt")' lacks '$message'"
done <<'EOF'
uneven_path|not a whole number of 5-pixel steps
moving_slot_24|platform slot 24 never moves
two_levers|exactly one lever
too_many_energy_items|more than 25 energy items
solid_start|the start cell is solid
short_map_row|rows are 15 wide
EOF

# The checker names what keeps a room from passing and fails for it.
check() { # level-source room: compiles the source and checks the room into report.txt
    "$levelc" "$faults/$1.txt" "$work/c/maps/velba1.vb3" >/dev/null 2>&1 || fail "$1 did not compile"
    "$levelcheck" "$work/c/maps/velba1.vb3" --room "$2" >"$work/report.txt" 2>/dev/null
}
mkdir -p "$work/c/maps"
check undeclared_damage 1 && fail "the checker passed undeclared damage"
grep -qE '^room 1: needs [0-9]+ damage, declares 0$' "$work/report.txt" || fail "undeclared damage: $(cat "$work/report.txt")"
check undeclared_damage 2 || fail "declared damage refused: $(cat "$work/report.txt")"
check unreachable_item 1
grep -qx 'room 1: energy item at 7,3 cannot be reached' "$work/report.txt" || fail "unreachable item: $(cat "$work/report.txt")"
check gets_stuck 1
grep -qE '^room 1: can get stuck: holding Right [0-9]+ frames from the start leaves the player at 5,7' "$work/report.txt" || fail "stuck: $(cat "$work/report.txt")"

# The level maker, with the shipped level lending its pictures and a levels folder of its own.
export VELUMBRINA_DATA=$(dirname "$(dirname "$shipped")") VELUMBRINA_LEVELS="$work/levels"
mkdir -p "$work/maker" && cd "$work/maker" || fail "no scratch folder"
"$maker" new first.txt >/dev/null || fail "new failed"
"$maker" new first 2>/dev/null && fail "new wrote over first.txt"
"$maker" build ../maker/first.txt >"$work/out.txt" 2>&1 || fail "the starter was refused: $(cat "$work/out.txt")"
"$maker" check "$work/levels/first.vb3" >"$work/out.txt" || fail "check failed"
grep -qx 'all 3 rooms can be finished' "$work/out.txt" || fail "check: $(cat "$work/out.txt")"
grep -q '^VERIFIED: ' "$work/out.txt" || fail "the proofs did not play: $(cat "$work/out.txt")"

# Messages: the file and the system's reason; a wrong argument refused with the usage.
for cmd in build check; do
    "$maker" $cmd nothing.txt 2>"$work/err.txt" && fail "$cmd of a missing file passed"
    grep -qx "velumbrina-level: $PWD/nothing.txt: cannot be opened (No such file or directory)" "$work/err.txt" || fail "$cmd: $(cat "$work/err.txt")"
done
"$maker" build first.txt --forse >/dev/null 2>"$work/err.txt"
[ $? = 2 ] && grep -q '^usage:' "$work/err.txt" || fail "a misspelt --force was not refused with the usage"

# A room that cannot be finished keeps the level out unless forced; a pipe or a device is refused.
cp "$faults/user_walled.txt" .
"$maker" build user_walled.txt >"$work/out.txt" 2>&1 && fail "a level with a walled-in lever was built"
grep -q 'not installed: room 2 cannot be finished' "$work/out.txt" || fail "room 2 not named: $(cat "$work/out.txt")"
[ -e "$work/levels/user_walled.vb3" ] && fail "the refused level was installed"
"$maker" build user_walled.txt --force >/dev/null 2>&1 || fail "--force did not install it"
mkfifo pipe.vb3
timeout 20 "$maker" check pipe.vb3 >/dev/null 2>&1
[ $? = 2 ] || fail "check of a named pipe did not refuse it at once"
timeout 20 "$maker" build /dev/zero 2>"$work/err.txt"
[ $? = 1 ] && grep -qx "velumbrina-level: /dev/zero: is a device, not a file" "$work/err.txt" || fail "/dev/zero: $(cat "$work/err.txt")"

# A link where the level goes is replaced by the level; what it pointed to is left alone. Both
# levels (the walled one by --force) are installed with their par and proof files, nothing else.
echo keep >"$work/outside"
rm "$work/levels/first.vb3" && ln -s "$work/outside" "$work/levels/first.vb3"
"$maker" build first.txt >/dev/null 2>&1 || fail "first.txt was not built again"
[ -f "$work/levels/first.vb3" ] && [ ! -L "$work/levels/first.vb3" ] || fail "the link was kept"
[ "$(cat "$work/outside")" = keep ] || fail "the build wrote through the link"
[ "$(ls -A "$work/levels" | tr '\n' ' ')" = "first.par first.proof first.vb3 user_walled.par user_walled.proof user_walled.vb3 " ] ||
    fail "left: $(ls -A "$work/levels")"

# watch checks the text again once it is saved, and Ctrl+C ends it with its scratch folder gone.
mkdir "$work/tmp"
wait_for() { # count pattern: polls the watch's output for up to two minutes
    for ((i = 0; i < 1200; i++)); do
        [ "$(grep -c "$2" "$work/watch.txt")" -ge "$1" ] && return 0
        sleep 0.1
    done
    fail "watch never printed '$2' $1 times: $(cat "$work/watch.txt")"
}
TMPDIR="$work/tmp" "$maker" watch first.txt >"$work/watch.txt" 2>&1 &
pid=$!
wait_for 1 '^all 3 rooms can be finished'
cp first.txt good.txt
sed '0,/^lever /s//levr /' good.txt >first.txt
wait_for 1 "first.txt:[0-9]*: unknown word 'levr' in a room"
kill -INT $pid
wait $pid
[ $? = 130 ] || fail "watch was not ended by Ctrl+C"
[ -z "$(ls -A "$work/tmp")" ] || fail "watch left: $(ls -AR "$work/tmp")"

echo PASS
