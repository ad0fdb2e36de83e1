// flashes.h -- how much a run of frames flashes, frame by frame: a change is a frame in which a
// quarter of the picture or more gets lighter, or darker, by at least a tenth of the full relative
// luminance (the darker of the two below 0.8); a flash is a change the other way from one less
// than a second before. The flashing test and flashcheck count with it.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <deque>
#include <string>
#include <vector>

enum { FLASH_SECOND = 30 }; // frames: a second at 29.4 frames a second, rounded up

// The count so far: every flash, the worst second, and the largest share of the picture one
// frame changed, each with where it was (the scene's name and its frame).
struct FlashMeter {
    std::vector<float> before; // the frame before, relative luminance per pixel
    int frame = 0, last_dir = 0, last_at = 0;
    std::deque<int> flashes; // frames of the flashes in the last second
    int total = 0, worst = 0;
    int most = 0; // thousandths of the picture
    std::string where, worst_where, most_where;
};

// Starts a scene: its first frame is compared with nothing.
void FLASH_scene(FlashMeter *m, const std::string &where);
// Takes the scene's next frame (any size and colour depth).
void FLASH_frame(FlashMeter *m, BITMAP *frame);
// One line: the worst second with where it was, the flashes in all, the largest change.
std::string FLASH_report(const FlashMeter &m);
