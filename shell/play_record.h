// shell/play_record.h: the record of play kept between runs in record.ini: games won, lost and
// tied at each opponent level, and the fewest salvos in a win.
#pragma once

#include <array>
#include <string>

#include "rules/game.h"

namespace shell {

using rules::GameOutcome;

struct LevelRecord {
    int won = 0;
    int lost = 0;
    int tied = 0;
    int fewestSalvos = 0;  // in a win; 0 before the first win
};

// Indexed by rules::Level.
using PlayRecord = std::array<LevelRecord, 2>;

// The record as kept; all zeros when there is none. A record with a count out of range is set
// aside as damaged and reads as a fresh one.
PlayRecord ReadPlayRecord();

// Adds one finished game, merged with what other games running at the same time have added.
void AddGameToRecord(rules::Level level, GameOutcome outcome, int salvos);

// The record as the Statistics window shows it.
std::string DescribePlayRecord(const PlayRecord& record);

}  // namespace shell
