#!/usr/bin/env bash
# link_check.sh -- the layers of docs/ARCHITECTURE.md as the linker sees them: no layer's objects
# refer to a symbol that a higher layer's library defines, and the headless layer's objects refer to
# no symbol of the libraries named with --not (the window, the sound, the X server). Prints every
# reference that breaks the rule; exit 1 when there is one, 2 when the check itself cannot run.
# Usage: scripts/link_check.sh [--headless LIB.a --not "SHARED.so ..."] LAYER.a...  (lowest first)
# SPDX-License-Identifier: MIT
set -u -o pipefail

usage() {
    echo "usage: $0 [--headless LIB.a --not \"SHARED.so ...\"] LAYER.a... (lowest layer first)" >&2
    exit 2
}
headless="" forbidden=()
while [ $# -gt 0 ]; do
    case $1 in
    --headless) [ $# -ge 2 ] || usage; headless=$2; shift 2 ;;
    --not) [ $# -ge 2 ] || usage; read -ra forbidden <<<"$2"; shift 2 ;;
    -*) usage ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || usage
[ -z "$headless" ] || [ ${#forbidden[@]} -gt 0 ] || usage
tmp=$(mktemp -d) || exit 2
trap 'rm -rf "$tmp"' EXIT

# nm in the portable format, one line per symbol: "ARCHIVE[MEMBER]: NAME TYPE ...".
symbols() {
    nm -A -P "$@" 2>"$tmp/nm.err" || { cat "$tmp/nm.err" >&2; echo "link_check.sh: nm failed" >&2; exit 2; }
}

# Every symbol the layers define for good, with the layer's number (0 the lowest). Weak definitions
# (inline functions, templates) are anyone's and do not count.
layer=0
for lib in "$@"; do
    symbols --defined-only -g "$lib" | awk -v n=$layer '$3 ~ /^[TDBRC]$/ { print $2, n }' || exit 2
    layer=$((layer + 1))
done >"$tmp/defined"
[ -s "$tmp/defined" ] || { echo "link_check.sh: the layers define nothing" >&2; exit 2; }

# What each layer's objects refer to that a higher layer defines.
layer=0
for lib in "$@"; do
    symbols -u "$lib" | awk -v n=$layer -v lib="${lib##*/}" '
        NR == FNR { if (!($1 in up) || $2 > up[$1]) up[$1] = $2; next }
        ($2 in up) && up[$2] > n { sub(/^.*\[/, "", $1); sub(/\]:$/, "", $1);
                                   print lib ": " $1 " refers to " $2 ", of a higher layer" }
    ' "$tmp/defined" - >>"$tmp/bad" || exit 2
    layer=$((layer + 1))
done

# What the headless layer's objects refer to that the forbidden libraries define.
if [ -n "$headless" ]; then
    for so in "${forbidden[@]}"; do
        nm -D -P --defined-only "$so" 2>/dev/null | awk '{ sub(/@.*/, "", $1); print $1 }'
    done | sort -u >"$tmp/forbidden"
    [ "$(wc -l <"$tmp/forbidden")" -gt 100 ] ||
        { echo "link_check.sh: too few symbols in ${forbidden[*]}" >&2; exit 2; }
    symbols -u "$headless" | awk -v lib="${headless##*/}" '
        NR == FNR { bad[$1] = 1; next }
        $2 in bad { sub(/^.*\[/, "", $1); sub(/\]:$/, "", $1);
                    print lib ": " $1 " refers to " $2 ", which a headless layer must not" }
    ' "$tmp/forbidden" - >>"$tmp/bad" || exit 2
fi

if [ -s "$tmp/bad" ]; then
    c++filt <"$tmp/bad" | sed 's/^/link_check.sh: /' >&2
    exit 1
fi
echo "link check: $# layers refer to no symbol above them${headless:+; ${headless##*/} to none of ${#forbidden[@]} libraries}"
