# level_tools.sh -- the level compiler refuses faulty sources naming the fault, compiles the shipped
# levels to the same bytes every time, and the checker fails a room that cannot be finished, needs
# damage it does not declare, shows an item out of reach or can get stuck, naming the room.
# Arguments: levelc levelcheck shipped-source art-dir shipped-file (the first level's).
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

# Both shipped levels (the bonus level's text and map lie beside the first's) compile to the same
# bytes every time, and to the shipped files.
mkdir -p "$work/a/maps" "$work/b/maps"
for level in "$source" "$(dirname "$source")/../level2/velba2.txt"; do
    name=$(basename "$level" .txt)
    "$levelc" "$level" "$work/a/maps/$name.vb3" "$art" >/dev/null || fail "$name did not compile"
    "$levelc" "$level" "$work/b/maps/$name.vb3" "$art" >/dev/null || fail "$name: the second compile failed"
    cmp -s "$work/a/maps/$name.vb3" "$work/b/maps/$name.vb3" || fail "$name: two compiles differ"
    cmp -s "$work/a/maps/$name.vb3" "$(dirname "$shipped")/$name.vb3" || fail "$name: the compile differs from the shipped file"
done

# The checker: a room whose lever is walled in fails, named as on the level card, the others
# pass, and one summary line ends the report.
check() { # level-source room...: compiles the source and checks the rooms into $work/report.txt
    local src=$1
    shift
    mkdir -p "$work/c/maps"
    "$levelc" "$faults/$src.txt" "$work/c/maps/velba1.vb3" >/dev/null 2>&1 || fail "$src did not compile"
    : >"$work/report.txt"
    status=0
    for room in "$@"; do
        "$levelcheck" "$work/c/maps/velba1.vb3" ${room:+--room $room} >>"$work/report.txt" 2>/dev/null ||
            status=1
    done
}
check unreachable_lever ""
grep -q '^room 1: the lever cannot be reached' "$work/report.txt" || fail "room 1 not named: $(cat "$work/report.txt")"
[ "$(grep -c '^room 2:' "$work/report.txt")" = 1 ] || fail "room 2 not passed"
grep -q '^24/25 rooms pass' "$work/report.txt" || fail "no summary line"
[ "$status" = 1 ] || fail "the checker passed it"

# Damage a room does not declare, an item out of reach and a room that can get stuck are refused;
# a room declaring what it costs passes.
check undeclared_damage 1 2
grep -qE '^room 1: needs [0-9]+ damage, declares 0$' "$work/report.txt" || fail "undeclared damage: $(cat "$work/report.txt")"
grep -qx '1/1 rooms pass (routes: [0-9]* frames)' "$work/report.txt" || fail "declared damage refused"
check unreachable_item 1
grep -qx 'room 1: energy item at 7,3 cannot be reached' "$work/report.txt" || fail "unreachable item: $(cat "$work/report.txt")"
check gets_stuck 1
grep -qE '^room 1: can get stuck: holding Right [0-9]+ frames from the start leaves the player at 5,7' "$work/report.txt" || fail "stuck: $(cat "$work/report.txt")"
echo PASS
