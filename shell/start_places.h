// start_places.h -- start-up's places: the game's data found and checked, the player's folders
// made and their files moved from where earlier versions kept them.
// SPDX-License-Identifier: MIT
#pragma once
#include <stdio.h>

// The files the game cannot play without: every picture, the font and the level, relative to
// the data folder; a null ends the list.
extern const char *const START_needed[];

// Writes to err one line for each needed file that is not a readable regular file in the data
// folder, naming it and the folder; returns how many.
int START_check_data(const char *data_dir, FILE *err);

// Finds the data beside the program (installed_data: the installed layout's data folder relative
// to the program's) and checks it, sets the places of the player's files, makes their folders,
// moves old files (config_name, the log) to the new places, and makes the data folder the
// working one, where the game opens its data by relative names. Returns 0, or 1 after saying on
// standard error what is missing and where it was looked for; nothing is written then.
int START_places(const char *installed_data, const char *config_name);
