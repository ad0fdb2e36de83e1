# level_tools.sh -- the level compiler refuses faulty sources naming the fault, compiles the shipped
# level to the same bytes every time, and the checker fails a level with a room that cannot be
# finished, naming the room; the players' level maker builds its own starter level, refuses a
# level with a room that cannot be finished naming the room, names the line of a fault, and
# never waits on a named pipe. Arguments: levelc levelcheck shipped-source art-dir shipped-file
# velumbrina-level.
set -u
levelc=$1 levelcheck=$2 source=$3 art=$4 shipped=$5 maker=$6
faults="$(dirname "$0")/../data/levels"
work=$(mktemp -d "${TMPDIR:-/tmp}/vb-levels.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

while IFS='|' read -r name message; do
    "$levelc" "$faults/$name.txt" "$work/$name.vb3" 2>"$work/err.txt" && fail "$name was compiled"
    grep -qF "$message" "$work/err.txt" || fail "$name: '$(cat "$work/err.txt")' lacks '$message'"
done <<'EOF'
uneven_path|not a whole number of 5-pixel steps
moving_slot_24|platform slot 24 never moves
two_levers|exactly one lever
missing_room|room 1 is missing
unknown_cell|map character 'x' has no tile entry
too_many_energy_items|more than 25 energy items
solid_start|the start cell is solid
short_map_row|rows are 15 wide
bad_kind|kind: 23 is outside 3..12
EOF

mkdir -p "$work/a/maps" "$work/b/maps"
"$levelc" "$source" "$work/a/maps/velba1.vb3" "$art" >/dev/null || fail "the shipped level did not compile"
"$levelc" "$source" "$work/b/maps/velba1.vb3" "$art" >/dev/null || fail "the second compile failed"
cmp -s "$work/a/maps/velba1.vb3" "$work/b/maps/velba1.vb3" || fail "two compiles differ"
cmp -s "$work/a/maps/velba1.vb3" "$shipped" || fail "the compile differs from the shipped file"

mkdir -p "$work/u/maps"
"$levelc" "$faults/unreachable_lever.txt" "$work/u/maps/velba1.vb3" >/dev/null || fail "no test level"
"$levelcheck" "$work/u/maps/velba1.vb3" >"$work/report.txt" 2>/dev/null && fail "the checker passed it"
grep -qx 'room 0: NOT completable' "$work/report.txt" || fail "room 0 not named: $(cat "$work/report.txt")"
grep -q '^room 1: completable in' "$work/report.txt" || fail "room 1 not passed"
grep -qx '24/25 rooms completable' "$work/report.txt" || fail "no summary line"

# The level maker, with the shipped level lending its pictures and a levels folder of its own.
export VELUMBRINA_DATA=$(dirname "$(dirname "$shipped")") VELUMBRINA_LEVELS="$work/levels"
mkdir -p "$work/maker" && cd "$work/maker" || fail "no scratch folder"
"$maker" new first >/dev/null || fail "new failed"
"$maker" new first 2>/dev/null && fail "new wrote over first.txt"
"$maker" build first.txt >"$work/out.txt" 2>&1 || fail "the starter was refused: $(cat "$work/out.txt")"
[ "$(grep -c ': can be finished' "$work/out.txt")" = 3 ] || fail "not three rooms: $(cat "$work/out.txt")"
"$maker" check "$work/levels/first.vb3" | grep -qx 'all 3 rooms can be finished' || fail "check failed"

cp "$faults/user_walled.txt" "$faults/user_typo.txt" .
"$maker" build user_walled.txt >"$work/out.txt" 2>&1 && fail "a level with a walled-in lever was built"
grep -q '^room 1: CANNOT be finished' "$work/out.txt" || fail "room 1 not reported: $(cat "$work/out.txt")"
grep -q 'not installed: room 1 cannot be finished' "$work/out.txt" || fail "room 1 not named"
[ -e "$work/levels/user_walled.vb3" ] && fail "the refused level was installed"
"$maker" build user_walled.txt --force >/dev/null 2>&1 || fail "--force did not install it"
[ -f "$work/levels/user_walled.vb3" ] || fail "--force installed nothing"
"$maker" build user_typo.txt 2>"$work/err.txt" && fail "a text with a fault was built"
grep -qF "user_typo.txt:6: unknown word 'levr' in a room" "$work/err.txt" || fail "no line: $(cat "$work/err.txt")"

mkfifo pipe.vb3
timeout 20 "$maker" check pipe.vb3 >/dev/null 2>&1
[ $? = 2 ] || fail "check of a named pipe did not refuse it at once"
echo PASS
