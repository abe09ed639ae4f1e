// opponent/fleet_memory.cpp: the sunk ships read off a finished game's board, and the memory's
// text.
#include "opponent/fleet_memory.h"

#include <cstdio>
#include <sstream>

namespace opponent {

namespace {

bool FitsAndApart(const SeenFleet& fleet) {
    std::array<std::array<bool, rules::BoardSize>, rules::BoardSize> taken{};
    std::array<int, rules::BoardSize + 1> ofLength{};
    std::array<int, rules::BoardSize + 1> allowed{};
    for (std::int32_t length : rules::ShipLengths) ++allowed[length];
    for (int k = 0; k < fleet.count; ++k) {
        const SeenShip& ship = fleet.ships[k];
        if (ship.length < 1 || ship.length > rules::BoardSize) return false;
        if (++ofLength[ship.length] > allowed[ship.length]) return false;
        const int endX = ship.x + (ship.vertical ? 0 : ship.length - 1);
        const int endY = ship.y + (ship.vertical ? ship.length - 1 : 0);
        if (ship.x < 0 || ship.y < 0 || endX >= rules::BoardSize || endY >= rules::BoardSize) {
            return false;
        }
        for (int i = 0; i < ship.length; ++i) {
            bool& cell =
                taken[ship.vertical ? ship.x : ship.x + i][ship.vertical ? ship.y + i : ship.y];
            if (cell) return false;
            cell = true;
        }
    }
    return true;
}

}  // namespace

void RememberFleet(const SeenBoard& seen, FleetMemory& memory) {
    SeenFleet fleet;
    for (int id = 1; id <= rules::ShipsPerSide; ++id) {
        int length = 0;
        SeenShip ship;
        for (int x = 0; x < rules::BoardSize; ++x) {
            for (int y = 0; y < rules::BoardSize; ++y) {
                if (seen.At(x, y) != rules::SunkStage + id) continue;
                if (length == 0) {
                    ship.x = static_cast<std::int8_t>(x);
                    ship.y = static_cast<std::int8_t>(y);
                }
                ship.vertical = x == ship.x && length > 0;
                ++length;
            }
        }
        if (length == 0) continue;
        ship.length = static_cast<std::int8_t>(length);
        fleet.ships[fleet.count++] = ship;
    }
    if (fleet.count == 0 || !FitsAndApart(fleet)) return;
    if (memory.count == FleetMemory::MostFleets) {
        for (int k = 1; k < memory.count; ++k) memory.fleets[k - 1] = memory.fleets[k];
        --memory.count;
    }
    memory.fleets[memory.count++] = fleet;
}

std::string WriteFleetMemory(const FleetMemory& memory) {
    std::string text;
    for (int f = 0; f < memory.count; ++f) {
        const SeenFleet& fleet = memory.fleets[f];
        for (int k = 0; k < fleet.count; ++k) {
            const SeenShip& ship = fleet.ships[k];
            if (k > 0) text += ' ';
            text += std::to_string(ship.length) + ':' + std::to_string(ship.x) + ',' +
                    std::to_string(ship.y) + ',' + (ship.vertical ? 'v' : 'h');
        }
        text += '\n';
    }
    return text;
}

bool ReadFleetMemory(const std::string& text, FleetMemory* memory) {
    *memory = FleetMemory{};
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (memory->count == FleetMemory::MostFleets) return (*memory = FleetMemory{}), false;
        SeenFleet fleet;
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            int length = 0;
            int x = 0;
            int y = 0;
            char way = 0;
            int used = 0;
            if (fleet.count == rules::ShipsPerSide ||
                std::sscanf(word.c_str(), "%2d:%2d,%2d,%c%n", &length, &x, &y, &way, &used) != 4 ||
                used != static_cast<int>(word.size()) || (way != 'h' && way != 'v') || x < 0 ||
                y < 0 || length < 0) {
                return (*memory = FleetMemory{}), false;
            }
            fleet.ships[fleet.count++] = {static_cast<std::int8_t>(length),
                                          static_cast<std::int8_t>(x), static_cast<std::int8_t>(y),
                                          way == 'v'};
        }
        if (fleet.count == 0 || !FitsAndApart(fleet)) return (*memory = FleetMemory{}), false;
        memory->fleets[memory->count++] = fleet;
    }
    return true;
}

}  // namespace opponent
