# replay_tool.sh -- velumbrina-replay on the checker's routes of level 1, written as replays by the
# build, and on wrong use, a damaged file and a replay for another level.
# Arguments: velumbrina-replay, the build's replays folder, the data directory.
# SPDX-License-Identifier: MIT
set -u
tool=$1 replays=$2 data=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/vb-replays.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
run() { "$@" >"$work/out" 2>"$work/err"; echo $?; }

# A replay finds its level by name.
[ "$(VELUMBRINA_DATA=$data run "$tool" verify "$replays/velba1/room03.vbr")" = 0 ] ||
    fail "the level was not found by its name: $(cat "$work/out")"

# A replay of level 1 against level 2, a damaged one, and the highest status of them all.
head -c 40 "$replays/velba1/room01.vbr" >"$work/cut.vbr"
[ "$(run "$tool" verify "$replays/velba1/room01.vbr" --level "$data/maps/velba2.vb3")" = 4 ] ||
    fail "another level's replay: $(cat "$work/out")"
grep -qx ".*room01.vbr: made for another level" "$work/out" || fail "$(cat "$work/out")"
[ "$(run "$tool" verify "$work/cut.vbr" "$replays/velba1/room02.vbr" --level "$data/maps/velba1.vb3")" = 3 ] ||
    fail "a damaged replay: $(cat "$work/out")"
grep -qx ".*cut.vbr: damaged: checksum does not match (changed or truncated)" "$work/out" || fail "$(cat "$work/out")"
grep -qx ".*room02.vbr: ok" "$work/out" || fail "the good replay after the damaged one: $(cat "$work/out")"

# Wrong use.
[ "$(run "$tool" verify)" = 2 ] && grep -q "^usage:" "$work/err" || fail "no file"
exit 0
