// tests/opponent/expert_targeting_test.cpp: the Expert opponent: it sees only what the player's
// board shows (not where unhit ships lie, nor which ship a hit struck), finishes off what it has
// hit, uses the ships known sunk, spreads a salvo, and replays from a seed.
#include "opponent/expert_targeting.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "battle/windowless_game.h"
#include "fleet/fleet.h"
#include "fleet/game_state.h"
#include "opponent/level.h"
#include "opponent/random_numbers.h"
#include "opponent/targeting.h"

namespace {

using fleet::GameState;
using Cell = std::pair<int, int>;

class ExpertTargeting : public testing::Test {
  protected:
    void SetUp() override {
        battle::NewWindowlessGame();
        opponent::Levels.GameLevel = opponent::Level::Expert;
    }
    void TearDown() override { opponent::Levels.GameLevel = opponent::Level::Standard; }

    static fleet::Board& Board() { return GameState.boards[fleet::Player]; }

    // Aims the computer's slots of one salvo, as many as `shots`, without resolving them.
    static std::vector<Cell> AimSalvo(int shots) {
        std::vector<Cell> cells;
        for (int k = 0; k < shots; ++k) {
            GameState.salvoSlot = 2 * k + 1;
            GameState.salvo[GameState.salvoSlot].side = fleet::NoShot;
            opponent::ChooseEnemyShot();
            const fleet::Shot shot = GameState.salvo[GameState.salvoSlot];
            if (shot.side == fleet::NoShot) break;
            cells.push_back({shot.x, shot.y});
        }
        return cells;
    }

    static void Lay(int x, int y, int dx, int dy, int length, std::int32_t code) {
        for (int k = 0; k < length; ++k) Board()[x + k * dx][y + k * dy] = code;
    }
};

// Two fleets laid out differently that have met the same shots with the same outcomes: a miss
// at three cells, a hit at (6, 6) (ship 2 in one, ship 4 in the other), ship 5 sunk at (0, 0)
// and (1, 0). The computer must aim the same salvo at both, with the same draws.
TEST_F(ExpertTargeting, AimsAlikeAtLayoutsThatShowedTheSameOutcomes) {
    auto observe = [] {
        for (Cell miss : {Cell{5, 5}, Cell{7, 7}, Cell{0, 5}}) {
            Board()[miss.first][miss.second] = fleet::Miss;
        }
        Board()[0][0] = Board()[1][0] = fleet::SunkStage + 5;
    };
    auto salvoFor = [&](auto layOut) {
        for (auto& column : Board()) column.fill(fleet::Water);
        layOut();
        observe();
        opponent::srand(4242);
        std::vector<Cell> salvo = AimSalvo(5);
        salvo.push_back({opponent::rand(), -1});  // where the game's sequence stands afterwards
        return salvo;
    };
    const std::vector<Cell> first = salvoFor([] {
        Lay(0, 11, 1, 0, 5, 1);
        Lay(6, 3, 0, 1, 4, 2);
        Board()[6][6] = fleet::HitStage + 2;
        Lay(9, 0, 0, 1, 3, 3);
        Lay(3, 8, 0, 1, 3, 4);
    });
    const std::vector<Cell> second = salvoFor([] {
        Lay(11, 0, 0, 1, 5, 1);
        Lay(2, 2, 0, 1, 4, 2);
        Lay(8, 8, 0, 1, 3, 3);
        Lay(6, 6, 0, 1, 3, 4);
        Board()[6][6] = fleet::HitStage + 4;
    });
    EXPECT_EQ(first, second);
    ASSERT_EQ(first.size(), 6u);
    // The salvo goes around the hit first, each cell once.
    EXPECT_EQ(std::set<Cell>(first.begin(), first.end() - 1).size(), 5u);
    const Cell nearest = first.front();
    EXPECT_EQ(std::abs(nearest.first - 6) + std::abs(nearest.second - 6), 1);
}

struct FinishCase {
    const char* what;
    std::vector<Cell> misses;
    std::vector<Cell> hits;
    std::vector<int> sunkShipIds;  // sunk out of the way, one a row from the top-left corner
    Cell expected;
};

// Positions with one right answer, given the ships known sunk and the misses around the hits.
TEST_F(ExpertTargeting, FinishesWhatItHasHitWithTheShipsLeftAfloat) {
    const FinishCase cases[] = {
        {"a lone hit hemmed in on three sides", {{4, 5}, {6, 5}, {5, 4}}, {{5, 5}}, {}, {5, 6}},
        {"only a three-cell ship is left: the line's open end",
         {{8, 7}},
         {{8, 8}, {8, 9}},
         {1, 2, 4, 5},
         {8, 10}},
        {"a line of three with only the five-cell ship left, blocked at one end",
         {{2, 5}},
         {{2, 6}, {2, 7}, {2, 8}},
         {2, 3, 4, 5},
         {2, 9}},
    };
    for (const FinishCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (auto& column : Board()) column.fill(fleet::Water);
        for (Cell m : c.misses) Board()[m.first][m.second] = fleet::Miss;
        for (Cell h : c.hits) Board()[h.first][h.second] = fleet::HitStage + 1;
        int row = 0;
        for (int shipId : c.sunkShipIds) {
            const int length = fleet::Ships[fleet::ShipIndex(fleet::Player, shipId)].GetLength();
            Lay(0, row++, 1, 0, length, fleet::SunkStage + shipId);
        }
        opponent::srand(7);
        const std::vector<Cell> salvo = AimSalvo(1);
        ASSERT_EQ(salvo.size(), 1u);
        EXPECT_EQ(salvo[0], c.expected);
    }
}

// With nothing seen yet, a salvo's five shots are spread out: no two touch.
TEST_F(ExpertTargeting, SpreadsTheOpeningSalvo) {
    for (std::uint32_t seed : {1u, 99u, 123456u}) {
        for (auto& column : Board()) column.fill(fleet::Water);
        opponent::srand(seed);
        const std::vector<Cell> salvo = AimSalvo(5);
        ASSERT_EQ(salvo.size(), 5u);
        for (std::size_t i = 0; i < salvo.size(); ++i) {
            for (std::size_t j = i + 1; j < salvo.size(); ++j) {
                EXPECT_GT(std::abs(salvo[i].first - salvo[j].first) +
                              std::abs(salvo[i].second - salvo[j].second),
                          1)
                    << "seed " << seed;
            }
        }
    }
}

TEST_F(ExpertTargeting, LeavesTheSlotEmptyWhenNoCellIsLeft) {
    for (auto& column : Board()) column.fill(fleet::Miss);
    Board()[3][3] = fleet::AimedStage;
    EXPECT_TRUE(AimSalvo(1).empty());
}

}  // namespace
