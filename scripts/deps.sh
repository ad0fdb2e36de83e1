#!/usr/bin/env bash
# deps.sh -- installs the Debian packages the game, its tools and its tests need, when missing.
# Sourced by play.sh and test.sh; uses sudo when not root.
VB_PACKAGES="build-essential cmake pkg-config liballegro4-dev libsdl2-mixer-dev libzstd-dev
 libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-apps imagemagick openbox clang libclang-rt-14-dev"

vb_install_deps() {
    local missing=""
    for p in $VB_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing:$missing"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}
