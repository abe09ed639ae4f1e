// opponent/targeting.cpp: the computer's choice of target. Every random draw is taken in a fixed
// order (one per line direction, one per probe attempt, two per random-cell attempt), so the same
// seed and the same player actions give the same shots.
#include "opponent/targeting.h"

#include "battle/game_state.h"
#include "opponent/expert_targeting.h"
#include "opponent/level.h"
#include "opponent/random_numbers.h"

namespace opponent {

std::int32_t focusX = 0;
std::int32_t focusY = 0;
std::int32_t aiShotCounter = 0;

namespace {

constexpr int LastIndex = battle::BoardSize - 1;

battle::Board& PlayerBoard() { return battle::GameState.boards[battle::Player]; }

bool OnBoard(int i) { return i >= 0 && i <= LastIndex; }

// A neighbour that continues a line: a hit cell or a cell of a sunk ship, never the edge.
bool IsLineMark(std::int32_t code) { return battle::IsHitOrSunk(code) && code != battle::OffBoard; }

bool AnyUntouched(const std::array<std::int32_t, 4>& codes) {
    for (std::int32_t code : codes) {
        if (battle::IsUntouched(code)) return true;
    }
    return false;
}

bool AnyUntouchedCell() {
    for (const auto& column : PlayerBoard()) {
        for (std::int32_t code : column) {
            if (battle::IsUntouched(code)) return true;
        }
    }
    return false;
}

// Step 1 of the choice: the first hit cell of a ship afloat, column by column, that still has an
// untouched neighbour.
bool FindFocus(std::array<std::int32_t, 4>* neighbours) {
    for (int x = 0; x <= LastIndex; ++x) {
        for (int y = 0; y <= LastIndex; ++y) {
            if (!battle::IsHitShipAfloat(PlayerBoard()[x][y])) continue;
            *neighbours = ReadNeighbours(x, y);
            if (AnyUntouched(*neighbours)) {
                focusX = x;
                focusY = y;
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
    } while (OnBoard(i) && battle::IsHitOrSunk(codeAt(i)));
    return i;
}

// The shared body of ExtendAlongX and ExtendAlongY: `codeAt` reads the line, `queue` aims at it.
template <typename CodeAt, typename Queue>
bool ExtendLine(int from, CodeAt codeAt, Queue queue) {
    int step = RandomBelow(2) == 0 ? 1 : -1;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int i = WalkLine(from, step, codeAt);
        if (OnBoard(i) && battle::IsUntouched(codeAt(i))) {
            queue(i);
            return true;
        }
        step = -step;
    }
    return false;
}

}  // namespace

std::array<std::int32_t, 4> ReadNeighbours(int x, int y) {
    const battle::Board& board = PlayerBoard();
    return {
        x - 1 < 0 ? battle::OffBoard : board[x - 1][y],
        y - 1 < 0 ? battle::OffBoard : board[x][y - 1],
        x + 1 > LastIndex ? battle::OffBoard : board[x + 1][y],
        y + 1 > LastIndex ? battle::OffBoard : board[x][y + 1],
    };
}

void QueueEnemyShot(int x, int y) {
    PlayerBoard()[x][y] += battle::AimedStage;
    battle::GameState.salvo[battle::GameState.salvoSlot] = {battle::Player, x, y};
}

bool FireAtRandom() {
    // Late in a long game every cell may already be shot at or aimed: drawing until an untouched
    // cell turns up would never end, so the slot stays empty instead.
    if (!AnyUntouchedCell()) return false;
    int x = 0;
    int y = 0;
    do {
        x = RandomBelow(battle::BoardSize);
        y = RandomBelow(battle::BoardSize);
    } while (!battle::IsUntouched(PlayerBoard()[x][y]));
    QueueEnemyShot(x, y);
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
        if (OnBoard(nx) && OnBoard(ny) && battle::IsUntouched(PlayerBoard()[nx][ny])) {
            QueueEnemyShot(nx, ny);
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
        x, [y](int i) { return PlayerBoard()[i][y]; }, [y](int i) { QueueEnemyShot(i, y); });
}

bool ExtendAlongY(int x, int y) {
    return ExtendLine(
        y, [x](int j) { return PlayerBoard()[x][j]; }, [x](int j) { QueueEnemyShot(x, j); });
}

void ChooseEnemyShot() {
    if (GameLevel == Level::Expert) {
        ChooseExpertShot();
        return;
    }
    std::array<std::int32_t, 4> neighbours{};  // left, up, right, down of the focus
    if (!FindFocus(&neighbours)) {
        focusX = 0;
        focusY = 0;
        FireAtRandom();
    } else {
        const bool lineY = IsLineMark(neighbours[1]) || IsLineMark(neighbours[3]);
        const bool lineX = IsLineMark(neighbours[0]) || IsLineMark(neighbours[2]);
        bool done = false;
        if (lineY) done = ExtendAlongY(focusX, focusY);
        if (lineX && !done) done = ExtendAlongX(focusX, focusY);
        if ((lineX || lineY) && !done && aiShotCounter > 1) done = FireAtRandom();
        // The focus has an untouched neighbour on the board, so the probe always finds one.
        if (!done) ProbeAround(focusX, focusY);
    }
    ++aiShotCounter;
    if (battle::ShipsAfloat(battle::Enemy) < aiShotCounter) aiShotCounter = 0;
}

}  // namespace opponent
