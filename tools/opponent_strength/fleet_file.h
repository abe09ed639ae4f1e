// tools/opponent_strength/fleet_file.h: fleets read from a file, one a line: the five ships in the
// fleet's order, each "column,row,h" or "column,row,v" for its first cell, "#" starting a comment.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "rules/game.h"

struct FleetShip {
    rules::Cell first;
    bool vertical = false;
};
using Fleet = std::array<FleetShip, rules::ShipsPerSide>;

// False, with a message naming the file and the line, for a line that is no fleet, a ship off the
// board, two ships overlapping, or a file with no fleet or that cannot be read.
bool ReadFleetFile(const char* path, std::vector<Fleet>* fleets, std::string* error);

// Lays the player's fleet out as given, in a game still being placed.
void LayFleet(rules::Game& game, const Fleet& fleet);
