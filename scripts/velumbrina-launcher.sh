#!/bin/sh
# velumbrina -- runs the installed game. The program finds its data under the install prefix from
# its own place, and keeps the player's files in the XDG base directories (docs/FILES.md).
# SPDX-License-Identifier: MIT
set -e
here=$(cd "$(dirname "$0")" && pwd)
exec "$(dirname "$here")/libexec/velumbrina/velumbrina" "$@"
