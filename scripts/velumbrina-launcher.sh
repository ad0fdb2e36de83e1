#!/bin/sh
# velumbrina -- runs the installed game from the player's own directory, which holds the
# configuration, the log, screenshots and the player's levels/ (made on the first run); the
# game's data stays under the install prefix.
set -e
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(dirname "$here")
data="$prefix/share/velumbrina"
program="$prefix/libexec/velumbrina/velumbrina"
# With an argument the program only answers (--help, --version, the usage) and plays nothing:
# no player's directory is needed for that.
[ $# -eq 0 ] || exec "$program" "$@"
user="${XDG_DATA_HOME:-$HOME/.local/share}/velumbrina"
mkdir -p "$user" "$user/levels"
# The program opens maps/ and resources/ (spelled three ways) relative to its working directory.
for entry in maps resources RESOURCES Resources; do
    if [ ! -e "$user/$entry" ] || [ -L "$user/$entry" ]; then
        ln -sfn "$data/$entry" "$user/$entry"
    fi
done
cd "$user"
exec "$program" "$@"
