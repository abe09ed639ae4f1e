// tests/opponent/targeting_test.cpp: where the computer aims from a given player board: the focus
// scan, following a line of hits, probing around a hit, the shot counter that swaps a blocked
// line's probe for a random shot, and the order of its random draws.
#include "opponent/targeting.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <optional>
#include <set>
#include <utility>

#include "rules/game.h"
#include "rules/random.h"

namespace {

using Cell = std::pair<int, int>;
using Cells = std::set<Cell>;

struct Mark {
    Cell cell;
    std::int32_t code;
};

class Targeting : public ::testing::Test {
  protected:
    void SetUp() override {
        game = rules::NewGame(rules::Level::Standard);
        memory = opponent::TargetingMemory{};
    }

    void Apply(std::initializer_list<Mark> marks) {
        for (const Mark& m : marks) {
            game.boards[rules::Player][m.cell.first][m.cell.second] = m.code;
        }
    }

    // One Standard choice from what the computer sees of the game; the cell is marked aimed, as
    // the salvo would mark it.
    std::optional<rules::Cell> Choose(rules::Random& random) {
        const std::optional<rules::Cell> cell = opponent::ChooseEnemyShot(
            opponent::SeenBoard(game), rules::Level::Standard, memory, random);
        if (cell) game.boards[rules::Player][cell->x][cell->y] += rules::AimedStage;
        return cell;
    }

    // Every cell that one computer shot goes to from this board and counter, over many seeds.
    // Each shot must be an untouched cell.
    Cells Outcomes(int counter, Cell* focus = nullptr) {
        Cells cells;
        for (std::uint32_t i = 0; i < 200; ++i) {
            memory.aiShotCounter = counter;
            // Spread the seeds: neighbouring seeds give nearly the same first draw.
            rules::Random random(i * 2654435761u);
            const std::optional<rules::Cell> cell = opponent::ChooseEnemyShot(
                opponent::SeenBoard(game), rules::Level::Standard, memory, random);
            EXPECT_TRUE(cell.has_value());
            if (!cell) continue;
            EXPECT_TRUE(rules::IsUntouched(game.boards[rules::Player][cell->x][cell->y]));
            cells.insert({cell->x, cell->y});
            if (focus != nullptr) *focus = {memory.focusX, memory.focusY};
        }
        return cells;
    }

    static Cells Neighbours(Cell c) {
        return {{c.first, c.second - 1},
                {c.first + 1, c.second},
                {c.first, c.second + 1},
                {c.first - 1, c.second}};
    }

    rules::Game game;
    opponent::TargetingMemory memory;
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
    rules::Random random(7);
    Cells shots;
    for (int k = 0; k < 4; ++k) {
        const std::optional<rules::Cell> cell = Choose(random);
        ASSERT_TRUE(cell.has_value());
        shots.insert({cell->x, cell->y});
    }
    EXPECT_EQ(shots, Neighbours({5, 5}));
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
            game.fleets[rules::Enemy][k].hits = game.fleets[rules::Enemy][k].length;
        }
        memory.aiShotCounter = c.start;
        rules::Random random(1);
        for (int expected : c.sequence) {
            Choose(random);
            EXPECT_EQ(memory.aiShotCounter, expected) << c.shipsSunk << " sunk";
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
            rules::Random random(seed);
            Choose(random);
            const int next = random.Next();
            rules::Random counted(seed);
            for (int i = 0; i < c.draws; ++i) counted.Next();
            EXPECT_EQ(next, counted.Next()) << c.what << ", seed " << seed;
        }
    }
}

TEST_F(Targeting, LeavesTheSlotEmptyWhenNoCellIsLeft) {
    for (auto& column : game.boards[rules::Player]) column.fill(rules::Miss);
    game.boards[rules::Player][11][11] = 15;  // aimed earlier in this salvo
    rules::Random random(1);
    EXPECT_FALSE(Choose(random).has_value());
    EXPECT_EQ(memory.aiShotCounter, 1);

    // One untouched cell left is found, however long the drawing takes.
    game.boards[rules::Player][11][11] = 5;
    EXPECT_EQ(Choose(random), (rules::Cell{11, 11}));
}

TEST_F(Targeting, SeesOutcomesButNeverAnUnhitShipNorWhichShipWasHit) {
    const std::pair<std::int32_t, std::int32_t> seen[] = {
        {0, 0}, {3, 0}, {10, 10}, {13, 10}, {20, 20}, {21, 21}, {24, 21}, {32, 32}, {35, 35}};
    for (const auto& [code, expected] : seen) {
        game.boards[rules::Player][4][7] = code;
        EXPECT_EQ(opponent::SeenBoard(game).At(4, 7), expected) << code;
    }
}

TEST_F(Targeting, ReadsNeighboursLeftUpRightDownWithTheEdgeOffBoard) {
    // As the computer sees them: an aimed cell reads 10, a sunk ship's cell names the ship.
    Apply({{{0, 1}, 13}, {{1, 0}, 20}, {{10, 11}, 35}});
    const opponent::SeenBoard board(game);
    EXPECT_EQ(opponent::ReadNeighbours(board, 0, 0),
              (std::array<std::int32_t, 4>{rules::OffBoard, rules::OffBoard, 20, 10}));
    EXPECT_EQ(opponent::ReadNeighbours(board, 11, 11),
              (std::array<std::int32_t, 4>{35, 0, rules::OffBoard, rules::OffBoard}));
}

}  // namespace
