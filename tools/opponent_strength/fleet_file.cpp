// tools/opponent_strength/fleet_file.cpp: each line checked whole before its fleet is kept.
#include "fleet_file.h"

#include <fstream>
#include <sstream>

#include "rules/moves.h"

namespace {

// One "column,row,h|v", nothing around it.
bool ReadShip(const std::string& word, FleetShip* ship) {
    int column = 0;
    int row = 0;
    char way = 0;
    std::istringstream in(word);
    char comma1 = 0;
    char comma2 = 0;
    if (!(in >> column >> comma1 >> row >> comma2 >> way) || comma1 != ',' || comma2 != ',' ||
        (way != 'h' && way != 'v') || in.peek() != std::char_traits<char>::eof()) {
        return false;
    }
    ship->first = {column, row};
    ship->vertical = way == 'v';
    return true;
}

}  // namespace

bool ReadFleetFile(const char* path, std::vector<Fleet>* fleets, std::string* error) {
    fleets->clear();
    std::ifstream file(path);
    if (!file) {
        *error = std::string(path) + ": cannot be read";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        const std::string where = std::string(path) + ":" + std::to_string(number) + ": ";
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::vector<std::string> ships;
        for (std::string word; words >> word;) ships.push_back(word);
        if (ships.empty()) continue;
        if (ships.size() != rules::ShipsPerSide) {
            *error = where + "a fleet is five ships, " + std::to_string(ships.size()) + " given";
            return false;
        }
        Fleet fleet;
        rules::Board taken{};
        for (int k = 0; k < rules::ShipsPerSide; ++k) {
            FleetShip& ship = fleet[k];
            if (!ReadShip(ships[k], &ship)) {
                *error = where + "ship " + std::to_string(k + 1) + " \"" + ships[k] +
                         "\" is not column,row,h or column,row,v";
                return false;
            }
            const int span = rules::ShipLengths[k] - 1;
            const int lastX = ship.first.x + (ship.vertical ? 0 : span);
            const int lastY = ship.first.y + (ship.vertical ? span : 0);
            if (ship.first.x < 0 || ship.first.y < 0 || lastX >= rules::BoardSize ||
                lastY >= rules::BoardSize) {
                *error = where + "ship " + std::to_string(k + 1) + " \"" + ships[k] +
                         "\" lies off the board";
                return false;
            }
            for (int i = 0; i <= span; ++i) {
                std::int32_t& cell = ship.vertical ? taken[ship.first.x][ship.first.y + i]
                                                   : taken[ship.first.x + i][ship.first.y];
                if (cell != 0) {
                    *error = where + "ships " + std::to_string(cell) + " and " +
                             std::to_string(k + 1) + " overlap";
                    return false;
                }
                cell = k + 1;
            }
        }
        fleets->push_back(fleet);
    }
    if (fleets->empty()) {
        *error = std::string(path) + ": no fleet in the file";
        return false;
    }
    return true;
}

void LayFleet(rules::Game& game, const Fleet& fleet) {
    for (int k = 0; k < rules::ShipsPerSide; ++k) {
        game.fleets[rules::Player][k].vertical = fleet[k].vertical;
        rules::PlaceShip(game, rules::Player, k + 1, fleet[k].first);
    }
}
