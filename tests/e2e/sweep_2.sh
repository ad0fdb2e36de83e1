# sweep_2.sh -- the missing-file sweep, part 3 of 4 (see lib_sweep.sh).
. "$VB_SRC/tests/e2e/lib_sweep.sh"
vbf_need_level
vbs_sweep 2 4
