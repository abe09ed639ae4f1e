// shell/fleet_memory_file.h: the Expert's memory of the player's fleets, kept between runs in a
// file of its own beside the record of play (fleets.ini), so a damaged memory never costs the
// record.
#pragma once

#include "opponent/fleet_memory.h"

namespace shell {

// The fleets as kept; none when the file is missing, or set aside as damaged when it holds
// anything but fleets.
opponent::FleetMemory ReadFleetMemoryFile();

// Replaces the kept fleets with `memory`, under the profile's lock; a file that cannot be written
// is told on standard error, and the game goes on with the memory it holds.
void KeepFleetMemory(const opponent::FleetMemory& memory);

}  // namespace shell
