# install.sh -- the installed `velumbrina` plays from $XDG_DATA_HOME/velumbrina (its files there,
# the data from the prefix), `velumbrina-level` builds into its levels/, the desktop entry, icons,
# window class and icon are right; `cpack -G DEB` makes a .deb under /usr whose launcher plays.
. "$VB_SRC/tests/e2e/lib.sh"

prefix="$VB_RUN/prefix"
cmake --install "$VB_BUILD" --prefix "$prefix" >"$VB_RUN/install.txt" 2>&1 ||
    vb_fail "cmake --install failed: $(tail -n 3 "$VB_RUN/install.txt")"
[ -f "$prefix/share/velumbrina/maps/velba1.vb3" ] || vb_fail "the level is not installed"

# The desktop entry passes the validator; the icons are PNG pictures of their sizes.
desktop_files() {
    local size
    desktop-file-validate "$1/share/applications/velumbrina.desktop" ||
        vb_fail "the desktop entry under $1 is not valid"
    for size in 16 32 48 64 128 256; do
        [ "$(identify -format '%m %wx%h' "$1/share/icons/hicolor/${size}x$size/apps/velumbrina.png")" = "PNG ${size}x$size" ] ||
            vb_fail "no ${size}x$size icon under $1"
    done
}
desktop_files "$prefix"

user="$VB_RUN/home-data/velumbrina"
VB_BIN="$prefix/bin/velumbrina"
vb_start XDG_DATA_HOME="$VB_RUN/home-data" || vb_fail "no game window"
vb_wait_shot 60 eval '[ "$("$VB_TOOLS/vbprobe" rows "$VB_SHOT")" != dark ]' ||
    vb_fail "the installed game shows nothing"
[ -s "$user/Velumbrina.Cfg" ] || vb_fail "no configuration in $user"
[ ! -e "$VB_RUN/Velumbrina.Cfg" ] || vb_fail "the configuration landed in the wrong directory"
[ ! -e "$prefix/share/velumbrina/Velumbrina.Cfg" ] || vb_fail "the configuration landed in the prefix"
xprop -id "$VB_WIN" WM_CLASS | grep -q '"velumbrina", "Velumbrina"' || vb_fail "the window's class is not the entry's"
[ "$(xprop -id "$VB_WIN" -notype 32c _NET_WM_ICON | cut -d' ' -f3-4)" = "32, 32," ] ||
    vb_fail "the window has no icon"
vb_close 0
[ "$(readlink -f "$user/maps")" = "$(readlink -f "$prefix/share/velumbrina/maps")" ] ||
    vb_fail "the player's directory does not take the levels from the prefix"
[ -d "$user/levels" ] || vb_fail "no levels folder in $user"
(cd "$VB_RUN" && "$prefix/bin/velumbrina-level" new mine >/dev/null &&
    XDG_DATA_HOME="$VB_RUN/home-data" "$prefix/bin/velumbrina-level" build mine.txt) \
    >"$VB_RUN/maker.txt" 2>&1 || vb_fail "the installed level maker failed: $(tail -n 3 "$VB_RUN/maker.txt")"
[ -f "$user/levels/mine.vb3" ] || vb_fail "the level was not put in $user/levels"
grep -q 'drawn pictures' "$VB_RUN/maker.txt" && vb_fail "the installed level maker found no pictures"

# The .deb: everything under /usr; unpacked, its launcher plays from the unpacked data.
(cd "$VB_BUILD" && cpack -G DEB -B "$VB_RUN/pkg") >"$VB_RUN/cpack.txt" 2>&1 ||
    vb_fail "cpack failed: $(tail -n 3 "$VB_RUN/cpack.txt")"
deb=$(ls "$VB_RUN"/pkg/velumbrina_*.deb) || vb_fail "no .deb made"
dpkg-deb -f "$deb" Depends | grep -q liballegro4 || vb_fail "the package does not name its libraries"
dpkg-deb -x "$deb" "$VB_RUN/root" || vb_fail "the .deb does not unpack"
[ -z "$(ls "$VB_RUN/root" | grep -vx usr)" ] || vb_fail "the .deb installs outside /usr"
for f in bin/velumbrina bin/velumbrina-level libexec/velumbrina/velumbrina share/velumbrina/maps/velba1.vb3; do
    [ -e "$VB_RUN/root/usr/$f" ] || vb_fail "the .deb has no /usr/$f"
done
desktop_files "$VB_RUN/root/usr"
VB_BIN="$VB_RUN/root/usr/bin/velumbrina"
vb_start XDG_DATA_HOME="$VB_RUN/deb-home" || vb_fail "the unpacked game shows no window"
vb_wait_shot 60 eval '! vb_black' || vb_fail "the unpacked game shows nothing"
[ "$(readlink -f "$VB_RUN/deb-home/velumbrina/maps")" = "$(readlink -f "$VB_RUN/root/usr/share/velumbrina/maps")" ] ||
    vb_fail "the unpacked game does not read its own data"
vb_close 0
vb_pass
