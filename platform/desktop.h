// desktop.h -- handing a folder to the desktop's file manager.
// SPDX-License-Identifier: MIT
#pragma once

// Starts `xdg-open dir` found on PATH, without a shell and without waiting for it (its output
// goes nowhere; it is reaped by a go-between process, so no zombie is left). Returns 0 when it was
// started, ENOENT when there is no xdg-open on PATH, else the errno of what failed; logs either
// way.
int DESKTOP_open_folder(const char *dir);
