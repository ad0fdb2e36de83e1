// planted_high.cpp -- the higher layer the link check's planted lower layer calls up into.
// SPDX-License-Identifier: MIT
void link_planted_above(void) {}
