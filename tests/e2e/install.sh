# install.sh -- `cmake --install` gives a `velumbrina` command that plays from the player's own
# directory ($XDG_DATA_HOME/velumbrina): the configuration, the log and screenshots land there, the game's
# data is read from the install prefix, and closing the window ends it normally; the installed
# `velumbrina-level` builds a starter level into that directory's levels/.
. "$VB_SRC/tests/e2e/lib.sh"

prefix="$VB_RUN/prefix"
cmake --install "$VB_BUILD" --prefix "$prefix" >"$VB_RUN/install.txt" 2>&1 ||
    vb_fail "cmake --install failed: $(tail -n 3 "$VB_RUN/install.txt")"
[ -x "$prefix/bin/velumbrina" ] || vb_fail "no velumbrina command in $prefix/bin"
[ -f "$prefix/share/velumbrina/maps/velba1.vb3" ] || vb_fail "the level is not installed"

user="$VB_RUN/home-data/velumbrina"
VB_BIN="$prefix/bin/velumbrina"
vb_start XDG_DATA_HOME="$VB_RUN/home-data" || vb_fail "no game window"
vb_wait_shot 60 eval '[ "$("$VB_TOOLS/vbprobe" rows "$VB_SHOT")" != dark ]' ||
    vb_fail "the installed game shows nothing"
[ -s "$user/Velumbrina.Cfg" ] || vb_fail "no configuration in $user"
[ ! -e "$VB_RUN/Velumbrina.Cfg" ] || vb_fail "the configuration landed in the wrong directory"
[ ! -e "$prefix/share/velumbrina/Velumbrina.Cfg" ] || vb_fail "the configuration landed in the prefix"
vb_close
vb_wait_exit 0
[ "$(readlink -f "$user/maps")" = "$(readlink -f "$prefix/share/velumbrina/maps")" ] ||
    vb_fail "the player's directory does not take the levels from the prefix"
[ -d "$user/levels" ] || vb_fail "no levels folder in $user"
(cd "$VB_RUN" && "$prefix/bin/velumbrina-level" new mine >/dev/null &&
    XDG_DATA_HOME="$VB_RUN/home-data" "$prefix/bin/velumbrina-level" build mine.txt) \
    >"$VB_RUN/maker.txt" 2>&1 || vb_fail "the installed level maker failed: $(tail -n 3 "$VB_RUN/maker.txt")"
[ -f "$user/levels/mine.vb3" ] || vb_fail "the level was not put in $user/levels"
grep -q 'drawn pictures' "$VB_RUN/maker.txt" && vb_fail "the installed level maker found no pictures"
vb_pass
