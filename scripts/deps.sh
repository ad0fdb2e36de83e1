#!/usr/bin/env bash
# deps.sh -- installs the Debian packages that are missing: what the game needs to build and run
# (vb_install_deps play) or everything the tests need too (vb_install_deps test). Sourced by
# play.sh and test.sh; uses sudo when not root.
# SPDX-License-Identifier: MIT
VB_PLAY_PACKAGES="build-essential cmake pkg-config liballegro4-dev libsdl2-mixer-dev libsdl2-dev
 libzstd-dev libsodium-dev"
VB_TEST_PACKAGES="$VB_PLAY_PACKAGES libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-apps
 imagemagick openbox clang libclang-rt-14-dev desktop-file-utils x11-utils lintian man-db
 groff-base"

vb_install_deps() {
    local wanted=$VB_PLAY_PACKAGES missing="" p sudo=""
    [ "${1:-play}" = test ] && wanted=$VB_TEST_PACKAGES
    [ "${1:-play}" = play ] && [ -z "${DISPLAY:-}" ] && wanted="$wanted xvfb xauth"
    for p in $wanted; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing:$missing"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}
