// tests/opponent/targeting_test.cpp: where the computer aims from a given player board: the focus
// scan, following a line of hits, probing around a hit, the shot counter that swaps a blocked
// line's probe for a random shot, and the order of its random draws.
#include "opponent/targeting.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <set>
#include <utility>

#include "fleet/fleet.h"
#include "fleet/game_state.h"
#include "opponent/random_numbers.h"

namespace {

using fleet::GameState;
using Cell = std::pair<int, int>;
using Cells = std::set<Cell>;

struct Mark {
    Cell cell;
    std::int32_t code;
};

class Targeting : public ::testing::Test {
  protected:
    void SetUp() override {
        fleet::ResetGameState();
        static constexpr std::int32_t lengths[] = {5, 4, 3, 3, 2};
        for (int i = 0; i < fleet::ShipCount; ++i) {
            fleet::Ships[i].SetIdentity(lengths[i % 5], i % 5 + 1);
            fleet::Ships[i].hits = 0;
        }
        opponent::Memory.aiShotCounter = 0;
        GameState.salvoSlot = 1;
    }

    static void Apply(std::initializer_list<Mark> marks) {
        for (const Mark& m : marks) {
            GameState.boards[fleet::Player][m.cell.first][m.cell.second] = m.code;
        }
    }

    // Every cell that one computer shot goes to from this board and counter, over many seeds.
    // Each shot must fill the slot for the player's board and turn an untouched cell aimed.
    static Cells Outcomes(int counter, Cell* focus = nullptr) {
        const fleet::GameStateRecord before = GameState;
        Cells cells;
        for (std::uint32_t i = 0; i < 200; ++i) {
            GameState = before;
            opponent::Memory.aiShotCounter = counter;
            // Spread the seeds: neighbouring seeds give nearly the same first draw.
            opponent::srand(i * 2654435761u);
            opponent::ChooseEnemyShot();
            const fleet::Shot shot = GameState.salvo[1];
            EXPECT_EQ(shot.side, fleet::Player);
            const std::int32_t old = before.boards[fleet::Player][shot.x][shot.y];
            EXPECT_TRUE(fleet::IsUntouched(old));
            EXPECT_EQ(GameState.boards[fleet::Player][shot.x][shot.y], old + 10);
            cells.insert({shot.x, shot.y});
            if (focus != nullptr) *focus = {opponent::Memory.focusX, opponent::Memory.focusY};
        }
        GameState = before;
        return cells;
    }

    static Cells Neighbours(Cell c) {
        return {{c.first, c.second - 1},
                {c.first + 1, c.second},
                {c.first, c.second + 1},
                {c.first - 1, c.second}};
    }
};

TEST_F(Targeting, ChoosesTheFocusAndTheShot) {
    struct Case {
        const char* what;
        std::initializer_list<Mark> marks;
        int counter;
        Cell focus;
        Cells shots;
    };
    // clang-format off
    const Case cases[] = {
        {"the scan goes column by column",
         {{{5, 2}, 22}, {{3, 9}, 22}}, 0, {3, 9}, Neighbours({3, 9})},
        {"a hit with no untouched neighbour is passed over",
         {{{0, 0}, 21}, {{1, 0}, 20}, {{0, 1}, 13}, {{4, 4}, 22}}, 0, {4, 4}, Neighbours({4, 4})},
        {"the probe discards off-board and shot neighbours",
         {{{0, 0}, 21}, {{1, 0}, 20}}, 0, {0, 0}, {{0, 1}}},
        {"a line is extended at either end",
         {{{4, 6}, 22}, {{5, 6}, 22}}, 0, {4, 6}, {{6, 6}, {3, 6}}},
        {"a line blocked at one end takes the other",
         {{{4, 6}, 22}, {{5, 6}, 22}, {{3, 6}, 20}}, 0, {4, 6}, {{6, 6}}},
        {"a cell aimed in this salvo blocks a line too",
         {{{7, 3}, 23}, {{7, 4}, 23}, {{7, 5}, 23}, {{7, 6}, 13}}, 0, {7, 3}, {{7, 2}}},
        {"a line along the column is tried before one along the row",
         {{{4, 6}, 22}, {{5, 6}, 22}, {{4, 7}, 23}}, 0, {4, 6}, {{4, 5}, {4, 8}}},
        {"a blocked column falls back to the row",
         {{{4, 6}, 22}, {{5, 6}, 22}, {{4, 7}, 23}, {{4, 5}, 20}, {{4, 8}, 20}}, 0, {4, 6},
         {{6, 6}, {3, 6}}},
        {"a line blocked at both ends is probed while the counter is below 2",
         {{{4, 6}, 22}, {{5, 6}, 22}, {{3, 6}, 20}, {{6, 6}, 20}}, 1, {4, 6}, {{4, 5}, {4, 7}}},
        {"sunk cells are line marks, and the walk crosses them",
         {{{2, 3}, 31}, {{3, 3}, 31}, {{4, 3}, 22}, {{5, 3}, 20}}, 0, {4, 3}, {{1, 3}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SetUp();
        Apply(c.marks);
        Cell focus;
        EXPECT_EQ(Outcomes(c.counter, &focus), c.shots) << c.what;
        EXPECT_EQ(focus, c.focus) << c.what;
    }
}

TEST_F(Targeting, FiresAtRandomWithoutAFocusOrWhenABlockedLineMeetsTheCounter) {
    // Sunk cells are never a focus: with nothing else hit, every shot is random.
    Apply({{{2, 3}, 31}, {{3, 3}, 31}});
    Cell focus;
    const Cells random = Outcomes(0, &focus);
    EXPECT_EQ(focus, Cell(0, 0));
    EXPECT_GT(random.size(), 50u);
    EXPECT_EQ(random.count({2, 3}) + random.count({3, 3}), 0u);

    SetUp();
    Apply({{{4, 6}, 22}, {{5, 6}, 22}, {{3, 6}, 20}, {{6, 6}, 20}});
    const Cells blocked = Outcomes(2);
    EXPECT_GT(blocked.size(), 50u);
    for (const Cell& touched : {Cell(4, 6), Cell(5, 6), Cell(3, 6), Cell(6, 6)}) {
        EXPECT_EQ(blocked.count(touched), 0u);
    }
}

TEST_F(Targeting, ShotsOfOneSalvoProbeDifferentNeighbours) {
    Apply({{{5, 5}, 21}});
    opponent::srand(7);
    Cells shots;
    for (int slot : {1, 3, 5, 7}) {
        GameState.salvoSlot = slot;
        opponent::ChooseEnemyShot();
        shots.insert({GameState.salvo[slot].x, GameState.salvo[slot].y});
    }
    EXPECT_EQ(shots, Neighbours({5, 5}));
    for (const Cell& c : shots) EXPECT_EQ(GameState.boards[fleet::Player][c.first][c.second], 10);
}

TEST_F(Targeting, CounterRunsThroughTheShipsAfloatAndBackToZero) {
    struct Case {
        int shipsSunk;
        int start;
        std::initializer_list<int> sequence;
    };
    const Case cases[] = {
        {0, 0, {1, 2, 3, 4, 5, 0, 1}},
        {4, 0, {1, 0, 1, 0}},
        {4, 3, {0, 1, 0, 1}},  // a counter left high by a larger fleet resets at once
    };
    for (const Case& c : cases) {
        SetUp();
        for (int k = 0; k < c.shipsSunk; ++k) {
            fleet::Ships[fleet::ShipsPerSide + k].hits = fleet::Ships[k].GetLength();
        }
        opponent::Memory.aiShotCounter = c.start;
        for (int expected : c.sequence) {
            opponent::ChooseEnemyShot();
            EXPECT_EQ(opponent::Memory.aiShotCounter, expected) << c.shipsSunk << " sunk";
        }
    }
}

TEST_F(Targeting, TakesItsRandomDrawsInTheStatedOrder) {
    struct Case {
        const char* what;
        std::initializer_list<Mark> marks;
        int draws;
    };
    const Case cases[] = {
        {"a random shot on an empty board: column and row", {}, 2},
        {"an open line: one direction", {{{4, 6}, 22}, {{5, 6}, 22}}, 1},
        {"a column line: one direction, the row is never tried",
         {{{4, 6}, 22}, {{5, 6}, 22}, {{4, 7}, 23}},
         1},
    };
    for (const Case& c : cases) {
        for (std::uint32_t seed : {1u, 99u, 12345u}) {
            SetUp();
            Apply(c.marks);
            opponent::srand(seed);
            opponent::ChooseEnemyShot();
            const int next = opponent::rand();
            opponent::srand(seed);
            for (int i = 0; i < c.draws; ++i) opponent::rand();
            EXPECT_EQ(next, opponent::rand()) << c.what << ", seed " << seed;
        }
    }
}

TEST_F(Targeting, LeavesTheSlotEmptyWhenNoCellIsLeft) {
    for (auto& column : GameState.boards[fleet::Player]) column.fill(fleet::Miss);
    GameState.boards[fleet::Player][11][11] = 15;  // aimed earlier in this salvo
    const fleet::Board before = GameState.boards[fleet::Player];
    opponent::ChooseEnemyShot();
    EXPECT_EQ(GameState.salvo[1].side, fleet::NoShot);
    EXPECT_EQ(GameState.boards[fleet::Player], before);
    EXPECT_EQ(opponent::Memory.aiShotCounter, 1);

    // One untouched cell left is found, however long the drawing takes.
    GameState.boards[fleet::Player][11][11] = 5;
    opponent::ChooseEnemyShot();
    EXPECT_EQ(GameState.salvo[1].side, fleet::Player);
    EXPECT_EQ(GameState.boards[fleet::Player][11][11], 15);
}

TEST_F(Targeting, ReadsNeighboursLeftUpRightDownWithTheEdgeOffBoard) {
    Apply({{{0, 1}, 3}, {{1, 0}, 20}, {{10, 11}, 25}});
    EXPECT_EQ(opponent::ReadNeighbours(0, 0),
              (std::array<std::int32_t, 4>{fleet::OffBoard, fleet::OffBoard, 20, 3}));
    EXPECT_EQ(opponent::ReadNeighbours(11, 11),
              (std::array<std::int32_t, 4>{25, 0, fleet::OffBoard, fleet::OffBoard}));
}

}  // namespace
