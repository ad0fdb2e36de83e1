# level_tools.sh -- the level compiler, the checker, the players' level maker and vbclave, run on
# bad input. Arguments: levelc levelcheck shipped-source art-dir shipped-file velumbrina-level vbclave.
# SPDX-License-Identifier: MIT
set -u
levelc=$1 levelcheck=$2 source=$3 art=$4 shipped=$5 maker=$6 vbclave=$7
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

# Both shipped levels (the bonus level's beside the first's) compile again to the shipped bytes.
for level in "$source" "$(dirname "$source")/../level2/velba2.txt"; do
    name=$(basename "$level" .txt)
    "$levelc" "$level" "$work/$name.vb3" "$art" >/dev/null || fail "$name did not compile"
    cmp -s "$work/$name.vb3" "$(dirname "$shipped")/$name.vb3" || fail "$name: the compile differs from the shipped file"
done

# The checker names a room whose lever is walled in, passes the others and ends with a summary.
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

# Undeclared damage, an item out of reach and a room that can get stuck are refused.
check undeclared_damage 1 2
grep -qE '^room 1: needs [0-9]+ damage, declares 0$' "$work/report.txt" || fail "undeclared damage: $(cat "$work/report.txt")"
grep -qx '1/1 rooms pass (routes: [0-9]* frames)' "$work/report.txt" || fail "declared damage refused"
check unreachable_item 1
grep -qx 'room 1: energy item at 7,3 cannot be reached' "$work/report.txt" || fail "unreachable item: $(cat "$work/report.txt")"
check gets_stuck 1
grep -qE '^room 1: can get stuck: holding Right [0-9]+ frames from the start leaves the player at 5,7' "$work/report.txt" || fail "stuck: $(cat "$work/report.txt")"
# The level maker, with the shipped level lending its pictures and a levels folder of its own.
export VELUMBRINA_DATA=$(dirname "$(dirname "$shipped")") VELUMBRINA_LEVELS="$work/levels"
mkdir -p "$work/maker" && cd "$work/maker" || fail "no scratch folder"
"$maker" new first.txt >/dev/null || fail "new failed"
[ "$(ls)" = first.txt ] || fail "new first.txt wrote $(ls)"
"$maker" new first 2>/dev/null && fail "new wrote over first.txt"
"$maker" build ../maker/first.txt >"$work/out.txt" 2>&1 || fail "the starter was refused: $(cat "$work/out.txt")"
[ "$(grep -c '^room [123]: can be finished' "$work/out.txt")" = 3 ] || fail "not rooms 1-3: $(cat "$work/out.txt")"
grep -q '/\.\./' "$work/out.txt" && fail "a path with ..: $(cat "$work/out.txt")"
"$maker" check "$work/levels/first.vb3" >"$work/out.txt" || fail "check failed"
grep -qx 'all 3 rooms can be finished' "$work/out.txt" || fail "check: $(cat "$work/out.txt")"
grep -q '^VERIFIED: ' "$work/out.txt" || fail "the proofs did not play: $(cat "$work/out.txt")"

# Messages: the file and the system's reason; help on standard output; a wrong argument refused.
for cmd in build check; do
    "$maker" $cmd nothing.txt 2>"$work/err.txt" && fail "$cmd of a missing file passed"
    grep -qx "velumbrina-level: $PWD/nothing.txt: cannot be opened (No such file or directory)" \
        "$work/err.txt" || fail "$cmd: $(cat "$work/err.txt")"
done
"$maker" --help 2>/dev/null | grep -q '^usage: velumbrina-level new' || fail "--help on standard output"
for args in "frobnicate" "build first.txt --forse" "new"; do
    "$maker" $args >/dev/null 2>"$work/err.txt"
    [ $? = 2 ] && grep -q '^usage:' "$work/err.txt" || fail "'$args' was not refused with the usage"
done
"$vbclave" 1 25 | grep -qx '[0-9A-Z]\{4\}' || fail "vbclave 1 25 made no password"
for args in "1 26" "1 0" "2 1" "1 x" "1 3x"; do
    "$vbclave" $args >/dev/null 2>&1
    [ $? = 2 ] || fail "vbclave $args was not refused"
done
# The checker takes a level outside a maps/ folder.
"$levelcheck" "$work/levels/first.vb3" --room 2 >"$work/out.txt" 2>&1 || fail "levelcheck: $(cat "$work/out.txt")"

cp "$faults/user_walled.txt" "$faults/user_typo.txt" .
"$maker" build user_walled.txt >"$work/out.txt" 2>&1 && fail "a level with a walled-in lever was built"
grep -q '^room 2: CANNOT be finished' "$work/out.txt" || fail "room 2 not reported: $(cat "$work/out.txt")"
grep -q 'not installed: room 2 cannot be finished' "$work/out.txt" || fail "room 2 not named"
[ -e "$work/levels/user_walled.vb3" ] && fail "the refused level was installed"
"$maker" build user_walled.txt --force >/dev/null 2>&1 || fail "--force did not install it"
"$maker" build user_typo.txt 2>"$work/err.txt" && fail "a text with a fault was built"
grep -qF "user_typo.txt:6: unknown word 'levr' in a room" "$work/err.txt" || fail "no line: $(cat "$work/err.txt")"

mkfifo pipe.vb3 pipe.txt
timeout 20 "$maker" check pipe.vb3 >/dev/null 2>&1
[ $? = 2 ] || fail "check of a named pipe did not refuse it at once"
for text in pipe.txt /dev/zero; do
    timeout 20 "$maker" build "$text" 2>"$work/err.txt"
    [ $? = 1 ] || fail "build of $text did not refuse it at once"
done
grep -qx "velumbrina-level: /dev/zero: is a device, not a file" "$work/err.txt" || fail "$(cat "$work/err.txt")"

# A link where the level goes is replaced by the level; what it pointed to is left alone. Both
# levels (the walled one by --force) are installed with their par and proof files, nothing else.
echo keep >"$work/outside"
rm "$work/levels/first.vb3" && ln -s "$work/outside" "$work/levels/first.vb3"
"$maker" build first.txt >/dev/null 2>&1 || fail "first.txt was not built again"
[ -f "$work/levels/first.vb3" ] && [ ! -L "$work/levels/first.vb3" ] || fail "the link was kept"
[ "$(cat "$work/outside")" = keep ] || fail "the build wrote through the link"
[ "$(ls -A "$work/levels" | tr '\n' ' ')" = "first.par first.proof first.vb3 user_walled.par user_walled.proof user_walled.vb3 " ] ||
    fail "left: $(ls -A "$work/levels")"
# Beside each level its par file: the checker's routes, the fastest of room 1 among them.
[ "$(head -n 1 "$work/levels/first.par")" = "velumbrina par 1" ] &&
    grep -Eq '^room 1 fastest [0-9]+ [.LRUDabcd]+$' "$work/levels/first.par" ||
    fail "no par file with room 1's route beside the level: $(head -c 300 "$work/levels/first.par")"
# A proof made for a room that has changed since no longer plays: that room is named.
cp "$work/levels/first.proof" "$work/old.proof"
sed 's/^lever 11 3/lever 11 4/' first.txt >changed.txt && mv changed.txt first.txt
"$maker" build first.txt >/dev/null 2>&1 || fail "the changed level was refused"
cp "$work/old.proof" "$work/levels/first.proof"
"$maker" check "$work/levels/first.vb3" | grep -q '^UNVERIFIED: room 2: proof fails' || fail "the old proof passed"

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
sed 's/^lever 11 4/levr 11 4/' good.txt >first.txt
wait_for 1 "first.txt:[0-9]*: unknown word 'levr' in a room"
cp good.txt first.txt
wait_for 2 '^all 3 rooms can be finished'
kill -INT $pid
wait $pid
[ $? = 130 ] || fail "watch was not ended by Ctrl+C"
[ -z "$(ls -A "$work/tmp")" ] || fail "watch left: $(ls -AR "$work/tmp")"

# A build ended by a signal (the shipped level: its 25 rooms take long to check) leaves no
# scratch folder behind.
cp "$(dirname "$source")"/*.txt .
TMPDIR="$work/tmp" "$maker" build velba1.txt >/dev/null 2>&1 &
pid=$!
for ((i = 0; i < 300; i++)); do [ -n "$(ls -A "$work/tmp")" ] && break; sleep 0.1; done
kill -TERM $pid
wait $pid
status=$?
[ "$status" = 143 ] || fail "the build was not ended by the signal (status $status)"
[ -z "$(ls -A "$work/tmp")" ] || fail "the scratch folder was left: $(ls -AR "$work/tmp")"
echo PASS
