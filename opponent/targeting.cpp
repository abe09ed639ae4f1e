// opponent/targeting.cpp: the Standard choice of target, and the choice by level.
#include "opponent/targeting.h"

#include "opponent/expert_targeting.h"

namespace opponent {

namespace {

using rules::Cell;

constexpr int LastIndex = rules::BoardSize - 1;

bool OnBoard(int i) { return i >= 0 && i <= LastIndex; }

// A neighbour that continues a line: a hit cell or a cell of a sunk ship, never the edge.
bool IsLineMark(std::int32_t code) { return rules::IsHitOrSunk(code) && code != rules::OffBoard; }

bool AnyUntouched(const std::array<std::int32_t, 4>& codes) {
    for (std::int32_t code : codes) {
        if (rules::IsUntouched(code)) return true;
    }
    return false;
}

bool AnyUntouchedCell(const SeenBoard& board) {
    for (int x = 0; x <= LastIndex; ++x) {
        for (int y = 0; y <= LastIndex; ++y) {
            if (rules::IsUntouched(board.At(x, y))) return true;
        }
    }
    return false;
}

// One Standard choice: the board it reads, the memory it keeps and the generator it draws from.
class StandardAim {
  public:
    StandardAim(const SeenBoard& board, TargetingMemory& memory, rules::Random& random)
        : board_(board), memory_(memory), random_(random) {}

    std::optional<Cell> Choose() {
        std::array<std::int32_t, 4> neighbours{};  // left, up, right, down of the focus
        if (!FindFocus(&neighbours)) {
            memory_.focusX = 0;
            memory_.focusY = 0;
            return FireAtRandom();
        }
        const bool lineY = IsLineMark(neighbours[1]) || IsLineMark(neighbours[3]);
        const bool lineX = IsLineMark(neighbours[0]) || IsLineMark(neighbours[2]);
        std::optional<Cell> cell;
        if (lineY) cell = ExtendLine(memory_.focusY, false);
        if (lineX && !cell) cell = ExtendLine(memory_.focusX, true);
        if ((lineX || lineY) && !cell && memory_.aiShotCounter > 1) cell = FireAtRandom();
        // The focus has an untouched neighbour on the board, so the probe always finds one.
        if (!cell) cell = ProbeAround(memory_.focusX, memory_.focusY);
        return cell;
    }

  private:
    // The focus of the choice: the first hit cell of a ship afloat, column by column, that still
    // has an untouched neighbour.
    bool FindFocus(std::array<std::int32_t, 4>* neighbours) {
        for (int x = 0; x <= LastIndex; ++x) {
            for (int y = 0; y <= LastIndex; ++y) {
                if (!rules::IsHitShipAfloat(board_.At(x, y))) continue;
                *neighbours = ReadNeighbours(board_, x, y);
                if (AnyUntouched(*neighbours)) {
                    memory_.focusX = x;
                    memory_.focusY = y;
                    return true;
                }
            }
        }
        return false;
    }

    // The code at index i of the focus's column (along y) or row (along x).
    std::int32_t CodeOnLine(int i, bool alongX) const {
        return alongX ? board_.At(i, memory_.focusY) : board_.At(memory_.focusX, i);
    }

    // From the focus in a random direction along the line, over hit and sunk cells, to the first
    // other cell; the other direction when that one is not untouched.
    std::optional<Cell> ExtendLine(int from, bool alongX) {
        int step = random_.Below(2) == 0 ? 1 : -1;
        for (int attempt = 0; attempt < 2; ++attempt) {
            int i = from;
            do {
                i += step;
            } while (OnBoard(i) && rules::IsHitOrSunk(CodeOnLine(i, alongX)));
            if (OnBoard(i) && rules::IsUntouched(CodeOnLine(i, alongX))) {
                return alongX ? Cell{i, memory_.focusY} : Cell{memory_.focusX, i};
            }
            step = -step;
        }
        return std::nullopt;
    }

    std::optional<Cell> FireAtRandom() {
        // Late in a long game every cell may already be shot at or aimed: drawing until an
        // untouched cell turns up would never end, so the slot stays empty instead.
        if (!AnyUntouchedCell(board_)) return std::nullopt;
        int x = 0;
        int y = 0;
        do {
            x = random_.Below(rules::BoardSize);
            y = random_.Below(rules::BoardSize);
        } while (!rules::IsUntouched(board_.At(x, y)));
        return Cell{x, y};
    }

    std::optional<Cell> ProbeAround(int x, int y) {
        struct Direction {
            int dx;
            int dy;
        };
        Direction directions[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};  // up, right, down, left
        int count = 4;
        while (count > 0) {
            const int i = random_.Below(count);
            const int nx = x + directions[i].dx;
            const int ny = y + directions[i].dy;
            if (OnBoard(nx) && OnBoard(ny) && rules::IsUntouched(board_.At(nx, ny))) {
                return Cell{nx, ny};
            }
            // Drop the direction, keeping the order of the ones behind it: that order decides
            // which direction the next draw names.
            for (int k = i; k + 1 < count; ++k) directions[k] = directions[k + 1];
            --count;
        }
        return std::nullopt;
    }

    const SeenBoard& board_;
    TargetingMemory& memory_;
    rules::Random& random_;
};

}  // namespace

std::array<std::int32_t, 4> ReadNeighbours(const SeenBoard& board, int x, int y) {
    return {
        x - 1 < 0 ? rules::OffBoard : board.At(x - 1, y),
        y - 1 < 0 ? rules::OffBoard : board.At(x, y - 1),
        x + 1 > LastIndex ? rules::OffBoard : board.At(x + 1, y),
        y + 1 > LastIndex ? rules::OffBoard : board.At(x, y + 1),
    };
}

std::optional<Cell> ChooseEnemyShot(const SeenBoard& seen, rules::Level level,
                                    TargetingMemory& memory, rules::Random& random) {
    if (level == rules::Level::Expert)
        return ChooseExpertShot(seen, memory.expertPlan, memory.fleets, random);
    std::optional<Cell> cell = StandardAim(seen, memory, random).Choose();
    ++memory.aiShotCounter;
    if (seen.ComputerShipsAfloat() < memory.aiShotCounter) memory.aiShotCounter = 0;
    return cell;
}

}  // namespace opponent
