// opponent/fleet_memory.h: the player's fleets of earlier games as the computer saw them (the ships
// it sank, where they lay), a few games back, and their text for keeping between runs.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "opponent/seen_board.h"
#include "rules/game.h"

namespace opponent {

// One ship seen sunk: its length, its first cell (leftmost, or topmost when upright) and way.
struct SeenShip {
    std::int8_t length = 0;
    std::int8_t x = 0;
    std::int8_t y = 0;
    bool vertical = false;

    bool operator==(const SeenShip&) const = default;
};

// The ships one game showed sunk, in the fleet's order; a game the player won shows fewer.
struct SeenFleet {
    std::array<SeenShip, rules::ShipsPerSide> ships{};
    int count = 0;

    bool operator==(const SeenFleet&) const = default;
};

// The latest games' fleets, oldest first. A human opponent remembers the last few games, not
// every game ever played, and the prior built from these is weighed at every salvo.
struct FleetMemory {
    static constexpr int MostFleets = 8;
    std::array<SeenFleet, MostFleets> fleets{};
    int count = 0;

    bool operator==(const FleetMemory&) const = default;
};

// Adds what the finished game on `seen` showed: the ships sunk, never an unhit one. A game that
// showed no ship sunk is not kept; the oldest fleet goes when the memory is full.
void RememberFleet(const SeenBoard& seen, FleetMemory& memory);

// One fleet a line, ships written "length:x,y,h" or "length:x,y,v" apart by spaces.
std::string WriteFleetMemory(const FleetMemory& memory);
// False, and `memory` emptied, when the text is not one WriteFleetMemory could have written: a
// ship off the board, two ships of a fleet overlapping, a length not in the fleet, too many.
bool ReadFleetMemory(const std::string& text, FleetMemory* memory);

}  // namespace opponent
