// loga.h -- the append-only progress log "log.txt".
#pragma once

// Appends the message and a newline to log.txt, opening and closing the file each time; when the
// file cannot be opened the line is skipped.
void loga(const char *message);
