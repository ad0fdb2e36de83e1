// starter.cpp -- the starter level that `velumbrina-level new` writes: three commented rooms.
// SPDX-License-Identifier: MIT
#include "tools/player/velumbrina-level/maker.h"

// %s: the level's name.
const char MAKER_STARTER[] = R"(# %s -- a level of your own for Velumbrina.
#
# Build it and put it in the game's USER LEVEL list with
#     velumbrina-level build %s.txt
# which also plays every room with the game's own physics and tells you whether its lever can be
# reached. '#' starts a comment (but inside a room's map rows only after the 15 characters).

name %s

# The map has 25 rooms, numbered map row * 5 + map column: room 0 is top left, room 4 top right,
# room 5 starts the second row. The map row is the world and sets the look: 0 meadow, 1 sky
# cliffs, 2 temple, 3 cavern, 4 depths (with a creeping slime: hard). Play goes through the rooms
# in number order and passes over rooms that are not in the text.

# The exit door, a picture only: map column, map row, then the cell of its upper half.
door 2 0 12 6

# What the characters of a room's map mean. back= is the tile behind the player, front= one drawn
# over it: '-' none, wN tile N of the room's world (0 wall, 1 ground, 2 another wall, 3 ledge,
# 4/5 belts, 6 spikes, 7..11 decorations behind, 12..15 in front), or a tile number 0..239. Then
# what the cell does: solid, ledge (stand on it, jump up through it), hurts, belt_right, belt_left.
tile . back=-
tile # back=w0 solid
tile = back=w1 solid
tile - back=w3 ledge
tile ^ back=w6 hurts
tile > back=w4 solid belt_right
tile < back=w5 solid belt_left
tile d back=w7
tile f front=w12

# Room 0: a walk, a step up and an energy item. Cells are counted from 0: columns 0..14 from the
# left, rows 0..8 from the top.
room 0
start 1 7 right       # the player's cell and the way it looks
map
...............
...............
...............
...............
...............
...............
.....d.........
........=======
===============
energy 5 7            # 25 energy; up to 25 items in the level
lever 13 6            # every room has exactly one lever: touching it ends the room
end

# Room 1: ledges to climb (a high jump is about two cells), and an enemy that walks to and fro.
room 1
start 1 7 right
map
...............
...............
...............
...............
.........----..
...............
.....----......
...............
===============
# enemy X1 Y1 X2 Y2 SPEED KIND: it walks between two cells at SPEED pixels a frame (a cell is
# 16 pixels: the distance must be a whole number of steps); KIND 3..12 picks its look.
enemy 10 7 13 7 1 4
lever 11 3
end

# Room 2: spikes that hurt, and a platform to ride over them.
room 2
start 1 7 right
map
...............
...............
...............
...............
...............
...............
...............
...^^^^^^^^^...
===============
# platform X1 Y1 X2 Y2 SPEED KIND: KIND 13..22 picks its look, 23 is a block you can push.
platform 3 6 11 6 1 13
lever 13 7
end
)";
