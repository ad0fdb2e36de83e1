// slack.h -- how forgiving a room is: every jump of its route started a few frames earlier or
// later, and a search for a way on from there.
// SPDX-License-Identifier: MIT
#pragma once
#include <string>
#include <vector>

enum { SLACK_MAX_SHIFT = 6 }; // frames tried either side of each jump

// Measures every jump of route in room (index 0..24) of the loaded level: for each, in route order,
// its window, the consecutive start frames (of the 2 * SLACK_MAX_SHIFT + 1 tried around it, the
// route's own included) that still lead to the lever taking every item within the declared damage.
std::vector<int> SLACK_measure(int room, const std::string &route);
