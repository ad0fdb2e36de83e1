# cpu_use.sh -- ten seconds of play in the window use well under a quarter of one core: the frame
# pacing and every other wait give the processor away between polls.
. "$VB_SRC/tests/e2e/lib.sh"

vb_write_cfg 1 0 16 127 127 44100
vb_start || vb_fail "no game window"
vb_to_menu
vb_key Return # PLAY
vb_wait_text "LEVEL 1 - 1" 88
vb_key Return
vb_wait_text "LEVEL 1 - 1" 176

# Process CPU time (user + system) in clock ticks, from /proc.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$VB_PID/stat"; }
hz=$(getconf CLK_TCK)
before=$(cpu_ticks)
sleep 10
after=$(cpu_ticks)
used=$((after - before))
vb_log "10 s of play used $used ticks of CPU at $hz ticks per second"
# A quarter of one core over ten seconds is 2.5 s of CPU.
[ $((used * 4)) -lt $((10 * hz)) ] || vb_fail "play used $used/$hz s of CPU in 10 s"
vb_key Escape
vb_wait_lit "PLAY" 88
vb_pass
