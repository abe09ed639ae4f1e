// opponent/targeting.cpp: the computer's choice of target. Every random draw is taken in a fixed
// order (one per line direction, one per probe attempt, two per random-cell attempt), so the same
// seed and the same player actions give the same shots.
#include "opponent/targeting.h"

#include "fleet/game_state.h"
#include "opponent/expert_targeting.h"
#include "opponent/level.h"
#include "opponent/random_numbers.h"

namespace opponent {

TargetingMemory Memory;

namespace {

constexpr int LastIndex = fleet::BoardSize - 1;

fleet::Board& PlayerBoard() { return fleet::GameState.boards[fleet::Player]; }

bool OnBoard(int i) { return i >= 0 && i <= LastIndex; }

// A neighbour that continues a line: a hit cell or a cell of a sunk ship, never the edge.
bool IsLineMark(std::int32_t code) { return fleet::IsHitOrSunk(code) && code != fleet::OffBoard; }

bool AnyUntouched(const std::array<std::int32_t, 4>& codes) {
    for (std::int32_t code : codes) {
        if (fleet::IsUntouched(code)) return true;
    }
    return false;
}

bool AnyUntouchedCell() {
    for (const auto& column : PlayerBoard()) {
        for (std::int32_t code : column) {
            if (fleet::IsUntouched(code)) return true;
        }
    }
    return false;
}

// The focus of the choice: the first hit cell of a ship afloat, column by column, that still has an
// untouched neighbour.
bool FindFocus(std::array<std::int32_t, 4>* neighbours) {
    for (int x = 0; x <= LastIndex; ++x) {
        for (int y = 0; y <= LastIndex; ++y) {
            if (!fleet::IsHitShipAfloat(PlayerBoard()[x][y])) continue;
            *neighbours = ReadNeighbours(x, y);
            if (AnyUntouched(*neighbours)) {
                Memory.focusX = x;
                Memory.focusY = y;
                return true;
            }
        }
    }
    return false;
}

// Walks from `from` by `step` over hit and sunk cells; the index where the walk stopped.
template <typename CodeAt>
int WalkLine(int from, int step, CodeAt codeAt) {
    int i = from;
    do {
        i += step;
    } while (OnBoard(i) && fleet::IsHitOrSunk(codeAt(i)));
    return i;
}

// The shared body of ExtendAlongX and ExtendAlongY: `codeAt` reads the line, `queue` aims at it.
template <typename CodeAt, typename Queue>
bool ExtendLine(int from, CodeAt codeAt, Queue queue) {
    int step = RandomBelow(2) == 0 ? 1 : -1;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int i = WalkLine(from, step, codeAt);
        if (OnBoard(i) && fleet::IsUntouched(codeAt(i))) {
            queue(i);
            return true;
        }
        step = -step;
    }
    return false;
}

}  // namespace

std::array<std::int32_t, 4> ReadNeighbours(int x, int y) {
    const fleet::Board& board = PlayerBoard();
    return {
        x - 1 < 0 ? fleet::OffBoard : board[x - 1][y],
        y - 1 < 0 ? fleet::OffBoard : board[x][y - 1],
        x + 1 > LastIndex ? fleet::OffBoard : board[x + 1][y],
        y + 1 > LastIndex ? fleet::OffBoard : board[x][y + 1],
    };
}

namespace {

bool FireAtRandom() {
    // Late in a long game every cell may already be shot at or aimed: drawing until an untouched
    // cell turns up would never end, so the slot stays empty instead.
    if (!AnyUntouchedCell()) return false;
    int x = 0;
    int y = 0;
    do {
        x = RandomBelow(fleet::BoardSize);
        y = RandomBelow(fleet::BoardSize);
    } while (!fleet::IsUntouched(PlayerBoard()[x][y]));
    fleet::QueueShot(fleet::Player, x, y);
    return true;
}

bool ProbeAround(int x, int y) {
    struct Direction {
        int dx;
        int dy;
    };
    Direction directions[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};  // up, right, down, left
    int count = 4;
    while (count > 0) {
        const int i = RandomBelow(count);
        const int nx = x + directions[i].dx;
        const int ny = y + directions[i].dy;
        if (OnBoard(nx) && OnBoard(ny) && fleet::IsUntouched(PlayerBoard()[nx][ny])) {
            fleet::QueueShot(fleet::Player, nx, ny);
            return true;
        }
        // Drop the direction, keeping the order of the ones behind it: that order decides
        // which direction the next draw names.
        for (int k = i; k + 1 < count; ++k) directions[k] = directions[k + 1];
        --count;
    }
    return false;
}

bool ExtendAlongX(int x, int y) {
    return ExtendLine(
        x, [y](int i) { return PlayerBoard()[i][y]; },
        [y](int i) { fleet::QueueShot(fleet::Player, i, y); });
}

bool ExtendAlongY(int x, int y) {
    return ExtendLine(
        y, [x](int j) { return PlayerBoard()[x][j]; },
        [x](int j) { fleet::QueueShot(fleet::Player, x, j); });
}

}  // namespace

void ChooseEnemyShot() {
    if (Levels.GameLevel == Level::Expert) {
        ChooseExpertShot();
        return;
    }
    std::array<std::int32_t, 4> neighbours{};  // left, up, right, down of the focus
    if (!FindFocus(&neighbours)) {
        Memory.focusX = 0;
        Memory.focusY = 0;
        FireAtRandom();
    } else {
        const bool lineY = IsLineMark(neighbours[1]) || IsLineMark(neighbours[3]);
        const bool lineX = IsLineMark(neighbours[0]) || IsLineMark(neighbours[2]);
        bool done = false;
        if (lineY) done = ExtendAlongY(Memory.focusX, Memory.focusY);
        if (lineX && !done) done = ExtendAlongX(Memory.focusX, Memory.focusY);
        if ((lineX || lineY) && !done && Memory.aiShotCounter > 1) done = FireAtRandom();
        // The focus has an untouched neighbour on the board, so the probe always finds one.
        if (!done) ProbeAround(Memory.focusX, Memory.focusY);
    }
    ++Memory.aiShotCounter;
    if (fleet::ShipsAfloat(fleet::Enemy) < Memory.aiShotCounter) Memory.aiShotCounter = 0;
}

}  // namespace opponent
