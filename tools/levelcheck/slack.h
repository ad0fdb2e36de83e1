// slack.h -- how forgiving a room is: every jump of its route started a few frames earlier or
// later, and a search for a way on from there.
#pragma once
#include <string>
#include <vector>

enum { SLACK_MAX_SHIFT = 6 }; // frames tried either side of each jump

// One jump of the route: where it starts and how many start frames (of the 2 * SLACK_MAX_SHIFT + 1
// tried around it) still lead to the lever taking every item within the declared damage.
struct JumpSlack {
    int frame;  // the jump's start in the route, from 1
    int x, y;   // the player's pixel position there
    int window; // consecutive start frames that work, the route's own included
};

// Measures every jump of route in room (index 0..24) of the loaded level. Called by the level
// checker for --slack.
std::vector<JumpSlack> SLACK_measure(int room, const std::string &route);
