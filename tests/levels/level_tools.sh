# level_tools.sh -- the level compiler refuses faulty sources naming the fault, compiles the shipped
# level to the same bytes every time, and the checker fails a level with a room that cannot be
# finished, naming the room. Arguments: levelc levelcheck shipped-source art-dir shipped-file.
set -u
levelc=$1 levelcheck=$2 source=$3 art=$4 shipped=$5
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
echo PASS
