// loga.h -- the append-only progress log "log.txt".
// SPDX-License-Identifier: MIT
#pragma once

// Appends the message and a newline to log.txt, opening and closing the file each time; only a
// regular file is written, never one reached through a link. When the line cannot be written it is
// lost, and the first such loss of a run says so on standard error.
void loga(const char *message);
