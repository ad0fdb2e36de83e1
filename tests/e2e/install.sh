# install.sh -- the installed `velumbrina` plays from any folder with the data of the prefix,
# writing only in the XDG folders (an old configuration moved once), `velumbrina-level` builds
# into $XDG_DATA_HOME/velumbrina/levels, the desktop entry (its
# Exec the installed command, started from it), icons, window class and icon are right, the
# manual pages render without warnings, --version answers; a first start opens the largest window
# that fits 80% of the screen, a saved size wins; `cpack -G DEB` makes a .deb under
# /usr, commands in /usr/games, with a copyright file, that lintian finds no error in and whose
# launcher plays.
# SPDX-License-Identifier: MIT
VB_SCREEN=1280x1024x24 # a first start opens a 4X window (1024x768) here, the largest in 80%
. "$VB_SRC/tests/e2e/lib.sh"

prefix="$VB_RUN/a prefix" # a blank in the path: the desktop entry must quote the command
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
# The command an entry's Exec line runs, its quoting undone as a desktop's launcher would.
desktop_exec() {
    local line
    line=$(sed -n 's/^Exec=//p' "$1/share/applications/velumbrina.desktop" | sed 's/\\\\/\\/g')
    eval "set -- $line"
    printf '%s\n' "$1"
}
[ "$(desktop_exec "$prefix")" = "$prefix/bin/velumbrina" ] ||
    vb_fail "the desktop entry runs '$(desktop_exec "$prefix")', not the installed command"

# The manual pages render without a warning.
for page in velumbrina velumbrina-level; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man6/$page.6.gz" \
        >"$VB_RUN/man.txt" 2>"$VB_RUN/man-warnings.txt" || vb_fail "man cannot render $page(6)"
    [ ! -s "$VB_RUN/man-warnings.txt" ] || vb_fail "$page(6): $(head -n 3 "$VB_RUN/man-warnings.txt")"
    grep -q "^SYNOPSIS" "$VB_RUN/man.txt" || vb_fail "$page(6) renders no SYNOPSIS"
done

# --version and --help answer at once, without making the player's directory.
version=$(XDG_DATA_HOME="$VB_RUN/answers" "$prefix/bin/velumbrina" --version) ||
    vb_fail "the installed velumbrina --version failed"
XDG_DATA_HOME="$VB_RUN/answers" "$prefix/bin/velumbrina" --help | grep -q '^usage: velumbrina' ||
    vb_fail "the installed velumbrina --help printed no usage"
[ ! -e "$VB_RUN/answers" ] || vb_fail "answering --version or --help made the player's directory"

# The installed game started from an empty folder, as the desktop entry starts it, with the
# XDG folders in scratch places: it plays from the prefix's data and writes only in those
# folders, moving the configuration an earlier version kept in the data folder (and dropping
# the link to the game's levels that version's launcher made there).
xdg() {
    local p="$VB_RUN/${1:-}"
    echo VELUMBRINA_DATA= HOME="${p}home" XDG_CONFIG_HOME="${p}config" XDG_DATA_HOME="${p}data" XDG_STATE_HOME="${p}state"
}
user="$VB_RUN/data/velumbrina"
mkdir -p "$VB_RUN/home" "$user"
perl -e 'print pack("l<7", 0, 1, 16, 100, 127, 44100, 2)' >"$user/Velumbrina.Cfg"
cp "$user/Velumbrina.Cfg" "$VB_RUN/old.cfg"
ln -s "$prefix/share/velumbrina/maps" "$user/maps"
touch "$VB_RUN/before"
VB_BIN=$(desktop_exec "$prefix")
VB_CWD="$VB_RUN/home" vb_start $(xdg) || vb_fail "no game window"
vb_to_menu
vb_press Return "LEVEL 1 - 1 88"
vb_size_is "512 384" || vb_fail "the saved 2X window is $("$VB_PROBE" size "$VB_SHOT")"
xprop -id "$VB_WIN" WM_CLASS | grep -q '"velumbrina", "Velumbrina"' || vb_fail "the window's class is not the entry's"
[ "$(xprop -id "$VB_WIN" -notype 32c _NET_WM_ICON | cut -d' ' -f3-4)" = "32, 32," ] ||
    vb_fail "the window has no icon"
vb_close 0
cmp -s "$VB_RUN/old.cfg" "$VB_RUN/config/velumbrina/Velumbrina.Cfg" && [ ! -e "$user/Velumbrina.Cfg" ] ||
    vb_fail "the old configuration was not moved to \$XDG_CONFIG_HOME/velumbrina"
grep -q "Velumbrina.Cfg moved from $user" "$VB_RUN/state/velumbrina/log.txt" ||
    vb_fail "no log in \$XDG_STATE_HOME/velumbrina saying the configuration moved"
[ ! -L "$user/maps" ] && [ -d "$user/levels" ] || vb_fail "the data folder still links the levels, or has no levels/"
written=$(find "$VB_RUN" -newer "$VB_RUN/before" ! -type d | grep -vE "^$VB_RUN/((config|data|state)/velumbrina/|frames/|(stdout|stderr|probe)\.txt$|shot\.bmp$)")
[ -z "$written" ] || vb_fail "the installed game wrote outside its XDG folders: $written"
(cd "$VB_RUN" && "$prefix/bin/velumbrina-level" new mine >/dev/null &&
    XDG_DATA_HOME="$VB_RUN/data" "$prefix/bin/velumbrina-level" build mine.txt) \
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
for f in games/velumbrina games/velumbrina-level libexec/velumbrina/velumbrina \
    share/velumbrina/maps/velba1.vb3 share/man/man6/velumbrina.6.gz share/doc/velumbrina/copyright; do
    [ -e "$VB_RUN/root/usr/$f" ] || vb_fail "the .deb has no /usr/$f"
done
[ "$version" = "velumbrina $(dpkg-deb -f "$deb" Version)" ] ||
    vb_fail "--version says '$version', the package $(dpkg-deb -f "$deb" Version)"
head -n 1 "$VB_RUN/root/usr/share/doc/velumbrina/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    vb_fail "the copyright file is not in the machine-readable format"
lintian --fail-on error "$deb" >"$VB_RUN/lintian.txt" 2>&1 ||
    vb_fail "lintian: $(grep -E '^E:' "$VB_RUN/lintian.txt" || tail -n 3 "$VB_RUN/lintian.txt")"
desktop_files "$VB_RUN/root/usr"
[ "$(desktop_exec "$VB_RUN/root/usr")" = /usr/games/velumbrina ] ||
    vb_fail "the packaged desktop entry runs '$(desktop_exec "$VB_RUN/root/usr")'"
VB_BIN="$VB_RUN/root/usr/games/velumbrina"
mkdir -p "$VB_RUN/deb-home"
VB_CWD="$VB_RUN/deb-home" vb_start $(xdg deb-) || vb_fail "the unpacked game shows no window"
vb_wait_shot 60 eval '! vb_black' || vb_fail "the unpacked game shows nothing"
vb_size_is "1024 768" || vb_fail "a first start on 1280x1024 opened $("$VB_PROBE" size "$VB_SHOT"), not 4X"
vb_close 0
[ "$(od -An -j24 -N4 -td4 "$VB_RUN/deb-config/velumbrina/Velumbrina.Cfg" | tr -d ' ')" = 4 ] ||
    vb_fail "the first start did not keep the 4X window in the configuration"
vb_pass
