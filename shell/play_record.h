// shell/play_record.h: the record of play kept between runs in record.ini: games won, lost and
// tied at each opponent level, the fewest salvos in a win, and the games against friends over the
// network.
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

// Games against a friend over the network, in a section of their own.
struct NetworkRecord {
    int won = 0;
    int lost = 0;
    int tied = 0;
    int left = 0;      // ended before their end: either player left, or the connection was lost
    int cheating = 0;  // the friend's reports did not match the fleet they committed to
};
enum class NetworkEnd { Won, Lost, Tied, Left, Cheating };

// The record as kept; all zeros when there is none. A record with a count out of range is set
// aside as damaged and reads as a fresh one.
PlayRecord ReadPlayRecord();

// Adds one finished game, merged with what other games running at the same time have added. A
// result that cannot be saved (a read-only folder, a full disk) leaves the file as it was and is
// told to the player in a box, the first time only.
void AddGameToRecord(rules::Level level, GameOutcome outcome, int salvos);

// The network games as kept, read as the rest of the record is.
NetworkRecord ReadNetworkRecord();
void AddNetworkGameToRecord(NetworkEnd end);
// The record as the Statistics window shows it; the network games once there are any, and a word
// that the figures may be out of date once a result of this run could not be saved.
std::string DescribePlayRecord(const PlayRecord& record, const NetworkRecord& network = {});

}  // namespace shell
