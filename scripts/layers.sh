#!/usr/bin/env bash
# layers.sh -- the include rule of docs/ARCHITECTURE.md: no file includes a header from a higher
# layer and no two folders lean on each other. Prints the include arrows between folders; exit 1
# when the rule is broken. Usage: scripts/layers.sh [SOURCE_DIR]
# SPDX-License-Identifier: MIT
set -u
src=${1:-$(dirname "$0")/..}
cd "$src" || exit 2

# The layer of each folder, from the table of the architecture page: "| N | folder, folder | ...".
declare -A layer
while read -r n folder; do layer[$folder]=$n; done < <(awk -F'|' '
    /^\| *[0-9]+ *\|/ { n = $2 + 0; gsub(/[ `]/, "", $3); k = split($3, f, ",");
                        for (i = 1; i <= k; i++) print n, f[i] }' docs/ARCHITECTURE.md)
[ ${#layer[@]} -gt 0 ] || { echo "layers.sh: no layer table in docs/ARCHITECTURE.md" >&2; exit 2; }

# Every include of a header in another layered folder, as "from to file".
arrows=$(for from in "${!layer[@]}"; do
    [ -d "$from" ] || { echo "layers.sh: no folder $from" >&2; continue; }
    grep -rHoE '^#include "[a-z0-9_]+/' --include='*.cpp' --include='*.h' "$from" |
        sed -E 's#^([^:]+):\#include "([a-z0-9_]+)/$#\2 \1#' |
        while read -r to file; do
            [ "$to" != "$from" ] && [ -n "${layer[$to]:-}" ] && echo "$from $to $file"
        done
done | sort)

bad=0
while read -r from to file; do
    [ -n "$from" ] || continue
    if [ "${layer[$to]}" -gt "${layer[$from]}" ]; then
        echo "layers.sh: $file (layer ${layer[$from]}) includes $to/ (layer ${layer[$to]})" >&2
        bad=1
    fi
done <<<"$arrows"
pairs=$(echo "$arrows" | awk 'NF { print $1, $2 }' | sort -u)
if ! echo "$pairs" | tsort >/dev/null 2>"${TMPDIR:-/tmp}/layers.$$"; then
    echo "layers.sh: folders include each other: $(cat "${TMPDIR:-/tmp}/layers.$$")" >&2
    bad=1
fi
rm -f "${TMPDIR:-/tmp}/layers.$$"
echo "$(echo "$pairs" | grep -c .) include arrows between folders:"
echo "$pairs" | awk 'NF { printf "  %s -> %s\n", $1, $2 }'
exit $bad
