#!/usr/bin/env bash
# screenshots.sh -- plays the real game under Xvfb and saves pictures for the README into docs/:
# the title menu, the options and controls screens, a level card, and a room of each of the five
# worlds (PNG).
#
# Usage: scripts/screenshots.sh [BUILD_DIR]   (default build; the game and its data must be built)
# Needs Xvfb, xdotool and ImageMagick (scripts/deps.sh installs them).
# SPDX-License-Identifier: MIT
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$src/build}" && pwd)

export VB_SRC="$src" VB_BIN="$build/velumbrina" VB_DATA_DIR="$build/data" VB_TOOLS="$build/tools"
export VB_PROBE="$build/tests/vbprobe" VB_WMCLOSE="$build/tests/wmclose"
[ -x "$VB_BIN" ] || { echo "screenshots: build the game first ($VB_BIN)" >&2; exit 1; }
[ -f "$VB_DATA_DIR/maps/velba1.vb3" ] || { echo "screenshots: the level is not built" >&2; exit 1; }
docs="$src/docs"
mkdir -p "$docs"

# Each picture comes from a fresh game in its own scratch directory (the kit removes it).
# save NAME: the latest screenshot as docs/NAME.png, the window's doubled 512x384 view.
shoot_one() {
    local what=$1
    (
        set +e # the kit tests its own statuses; a failure leaves through vb_fail
        . "$VB_SRC/tests/e2e/lib.sh" # a virtual screen of its own
        save() { vb_shot && convert "$VB_SHOT" "$docs/$1.png" && vb_log "saved docs/$1.png"; }
        # Waits for the room after its card: the card's text gone, then a moment of play.
        play_room() {
            vb_key Return
            vb_wait_shot 60 eval "! vb_text 'LEVEL 1 - $1' 88" || vb_fail "room $1 did not start"
            local end=$(($(date +%s) + 3))
            while [ "$(date +%s)" -lt "$end" ]; do vb_running || break; sleep 0.2; done
        }
        vb_start || vb_fail "no game window"
        vb_to_menu
        case $what in
        title)
            save title
            ;;
        options)
            vb_to_options 2X
            vb_steps Down "SCANLINES   ON 95" "COLOURS     16 BITS 104" "MUSIC 113"
            save options
            vb_key Escape
            ;;
        controls)
            vb_to_options 2X
            vb_to_high_jump
            save controls
            vb_key Escape
            vb_key Escape
            ;;
        card)
            vb_key Return
            vb_wait_text "LEVEL 1 - 1" 88
            save card
            play_room 1
            save world0
            ;;
        world*)
            n=${what#world}
            room=$((n * 5 + $(printf '%s' "$ROOMS" | cut -d' ' -f$((n + 1)))))
            vb_password "$room"
            play_room "$room"
            save "$what"
            ;;
        esac
        vb_key Escape
        vb_pass
    )
}

# Which room of each world to show, counted from the world's first room (1..5).
ROOMS="1 4 5 5 5"
export ROOMS docs
shoot_one title
shoot_one options
shoot_one controls
shoot_one card
for w in 1 2 3 4; do shoot_one world$w; done
ls -l "$docs"/*.png
