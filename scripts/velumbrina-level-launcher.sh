#!/bin/sh
# velumbrina-level -- runs the installed level maker with the game's data under the install prefix
# (the game's own level lends its pictures) and the player's levels folder, the one the installed
# `velumbrina` command lists under USER LEVEL. Installed as velumbrina-replay too, it runs the
# replay tool, which looks for a replay's level in the same places.
# SPDX-License-Identifier: MIT
set -e
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(dirname "$here")
VELUMBRINA_DATA="$prefix/share/velumbrina"
case "${XDG_DATA_HOME:-}" in
/*) base=$XDG_DATA_HOME ;;
*) base="$HOME/.local/share" ;; # unset, empty or not a full path, as the game takes it
esac
VELUMBRINA_LEVELS="$base/velumbrina/levels"
export VELUMBRINA_DATA VELUMBRINA_LEVELS
exec "$prefix/libexec/velumbrina/$(basename "$0")" "$@"
