// tests/opponent/expert_targeting_test.cpp: the Expert opponent: it sees only what the player's
// board shows (not where unhit ships lie, nor which ship a hit struck), finishes off what it has
// hit, uses the ships known sunk, spreads a salvo, and replays from a seed, over whole games.
#include "opponent/expert_targeting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "opponent/fleet_memory.h"
#include "opponent/targeting.h"
#include "rules/game.h"
#include "rules/moves.h"
#include "rules/random.h"

namespace {

using Cell = std::pair<int, int>;

class ExpertTargeting : public testing::Test {
  protected:
    rules::Board& Board() { return game.boards[rules::Player]; }

    // Aims the computer's slots of one salvo, as many as `shots`, without resolving them: each
    // cell is marked aimed before the next is chosen, as the salvo marks it.
    std::vector<Cell> AimSalvo(int shots) {
        std::vector<Cell> cells;
        for (int k = 0; k < shots; ++k) {
            const std::optional<rules::Cell> cell = opponent::ChooseEnemyShot(
                opponent::SeenBoard(game), rules::Level::Expert, memory, random);
            if (!cell) break;
            Board()[cell->x][cell->y] += rules::AimedStage;
            cells.push_back({cell->x, cell->y});
        }
        return cells;
    }

    void Lay(int x, int y, int dx, int dy, int length, std::int32_t code) {
        for (int k = 0; k < length; ++k) Board()[x + k * dx][y + k * dy] = code;
    }

    rules::Game game = rules::NewGame(rules::Level::Expert);
    opponent::TargetingMemory memory;
    rules::Random random;
};

// Two fleets laid out differently that have met the same shots with the same outcomes: a miss
// at three cells, a hit at (6, 6) (ship 2 in one, ship 4 in the other), ship 5 sunk at (0, 0)
// and (1, 0). The computer must aim the same salvo at both, with the same draws.
TEST_F(ExpertTargeting, AimsAlikeAtLayoutsThatShowedTheSameOutcomes) {
    auto observe = [this] {
        for (Cell miss : {Cell{5, 5}, Cell{7, 7}, Cell{0, 5}}) {
            Board()[miss.first][miss.second] = rules::Miss;
        }
        Board()[0][0] = Board()[1][0] = rules::SunkStage + 5;
    };
    auto salvoFor = [&](auto layOut) {
        for (auto& column : Board()) column.fill(rules::Water);
        layOut();
        observe();
        random.Seed(4242);
        std::vector<Cell> salvo = AimSalvo(5);
        salvo.push_back({random.Next(), -1});  // where the game's sequence stands afterwards
        return salvo;
    };
    const std::vector<Cell> first = salvoFor([this] {
        Lay(0, 11, 1, 0, 5, 1);
        Lay(6, 3, 0, 1, 4, 2);
        Board()[6][6] = rules::HitStage + 2;
        Lay(9, 0, 0, 1, 3, 3);
        Lay(3, 8, 0, 1, 3, 4);
    });
    const std::vector<Cell> second = salvoFor([this] {
        Lay(11, 0, 0, 1, 5, 1);
        Lay(2, 2, 0, 1, 4, 2);
        Lay(8, 8, 0, 1, 3, 3);
        Lay(6, 6, 0, 1, 3, 4);
        Board()[6][6] = rules::HitStage + 4;
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
        for (auto& column : Board()) column.fill(rules::Water);
        for (Cell m : c.misses) Board()[m.first][m.second] = rules::Miss;
        for (Cell h : c.hits) Board()[h.first][h.second] = rules::HitStage + 1;
        int row = 0;
        for (int shipId : c.sunkShipIds) {
            const int length = rules::ShipLengths[shipId - 1];
            Lay(0, row++, 1, 0, length, rules::SunkStage + shipId);
        }
        random.Seed(7);
        const std::vector<Cell> salvo = AimSalvo(1);
        ASSERT_EQ(salvo.size(), 1u);
        EXPECT_EQ(salvo[0], c.expected);
    }
}

// With nothing seen yet, a salvo's five shots are spread out: five cells apart, and none beside
// more than one other. (Two side by side may promise a little more over this salvo and the next;
// a clump never does.)
TEST_F(ExpertTargeting, SpreadsTheOpeningSalvo) {
    for (std::uint32_t seed : {1u, 99u, 123456u}) {
        for (auto& column : Board()) column.fill(rules::Water);
        random.Seed(seed);
        const std::vector<Cell> salvo = AimSalvo(5);
        ASSERT_EQ(salvo.size(), 5u);
        EXPECT_EQ(std::set<Cell>(salvo.begin(), salvo.end()).size(), 5u);
        for (const Cell& shot : salvo) {
            int beside = 0;
            for (const Cell& other : salvo) {
                const int apart =
                    std::abs(shot.first - other.first) + std::abs(shot.second - other.second);
                beside += apart == 1 ? 1 : 0;
            }
            EXPECT_LE(beside, 1) << "seed " << seed;
        }
    }
}

// The player's board with everything the computer cannot see taken out: no unhit ship anywhere,
// every hit on a ship afloat put down to ship 1. Aimed at, it must draw the very same salvo.
rules::Game WithHiddenCellsErased(const rules::Game& game) {
    rules::Game twin = game;
    for (auto& column : twin.boards[rules::Player]) {
        for (std::int32_t& code : column) {
            if (rules::IsUntouched(code)) {
                code = rules::Water;
            } else if (code < rules::Miss) {
                code = rules::AimedStage;
            } else if (rules::IsHitShipAfloat(code)) {
                code = rules::HitStage + 1;
            }
        }
    }
    return twin;
}

// The aimed cells of the player's board settled as the game settles them, ships sunk included.
void SettleComputerShots(rules::Game& game) {
    rules::Board& board = game.boards[rules::Player];
    for (auto& column : board) {
        for (std::int32_t& code : column) {
            if (code == rules::AimedStage) {
                code = rules::Miss;
            } else if (code > rules::AimedStage && code < rules::Miss) {
                const std::int32_t shipId = code - rules::AimedStage;
                code = rules::HitStage + shipId;
                game.ShipOf(rules::Player, shipId).hits += 1;
            }
        }
    }
    for (auto& column : board) {
        for (std::int32_t& code : column) {
            if (rules::IsHitShipAfloat(code) &&
                game.ShipOf(rules::Player, code - rules::HitStage).IsSunk()) {
                code = code - rules::HitStage + rules::SunkStage;
            }
        }
    }
}

// Over whole games played as one sitting, at every salvo: a player's board that shows the computer
// the same outcomes but hides nothing else (no unhit ship, no ship named by a hit) gets the same
// salvo, and leaves the generator where the real board leaves it. What the computer remembers of a
// game at its end is the same from both boards, so the games after it are aimed alike too; the
// second game ends with ships never hit, which it must not remember. The computer has four ships
// afloat, then one, so the salvo's size changes as well.
TEST_F(ExpertTargeting, AimsEverySalvoOfASittingFromWhatItHasSeenAlone) {
    memory = opponent::TargetingMemory{};
    // The twin keeps a memory and a generator of its own for the whole sitting, so nothing the
    // computer kept from the real boards can reach it.
    opponent::TargetingMemory twinMemory;
    int games = 0;
    for (std::uint32_t seed : {3u, 1234u, 987654u, 55u}) {
        ++games;
        game = rules::NewGame(rules::Level::Expert);
        random.Seed(seed);
        rules::PlaceFleetAtRandom(game, rules::Player, random);
        rules::Random enemyLayout(~seed);
        rules::StartBattle(game, enemyLayout);
        game.fleets[rules::Enemy][0].hits = game.fleets[rules::Enemy][0].length;
        rules::Random twinRandom = random;
        int salvos = 0;
        while (rules::ShipsAfloat(game, rules::Player) > 0 && !(games == 2 && salvos == 8)) {
            ASSERT_LE(++salvos, rules::BoardSize * rules::BoardSize) << "seed " << seed;
            if (salvos == 10) {
                for (int k = 1; k < rules::ShipsPerSide - 1; ++k) {
                    game.fleets[rules::Enemy][k].hits = game.fleets[rules::Enemy][k].length;
                }
            }
            rules::Game twin = WithHiddenCellsErased(game);
            const int shots = rules::ShipsAfloat(game, rules::Enemy);
            for (int k = 0; k < shots; ++k) {
                const std::optional<rules::Cell> cell = opponent::ChooseEnemyShot(
                    opponent::SeenBoard(game), rules::Level::Expert, memory, random);
                const std::optional<rules::Cell> twinCell = opponent::ChooseEnemyShot(
                    opponent::SeenBoard(twin), rules::Level::Expert, twinMemory, twinRandom);
                ASSERT_TRUE(cell && twinCell) << "seed " << seed << ", salvo " << salvos;
                ASSERT_EQ(std::pair(cell->x, cell->y), std::pair(twinCell->x, twinCell->y))
                    << "seed " << seed << ", salvo " << salvos << ", shot " << k;
                ASSERT_EQ(random, twinRandom);
                ASSERT_TRUE(rules::IsUntouched(Board()[cell->x][cell->y]));
                Board()[cell->x][cell->y] += rules::AimedStage;
                twin.boards[rules::Player][cell->x][cell->y] += rules::AimedStage;
            }
            SettleComputerShots(game);
        }
        opponent::RememberFleet(opponent::SeenBoard(game), memory.fleets);
        opponent::RememberFleet(opponent::SeenBoard(WithHiddenCellsErased(game)),
                                twinMemory.fleets);
        ASSERT_EQ(memory.fleets, twinMemory.fleets) << "seed " << seed;
        // Every game here sinks a ship at least; the short one leaves some afloat, not kept.
        ASSERT_EQ(memory.fleets.count, games);
        const int sunk = rules::ShipsPerSide - rules::ShipsAfloat(game, rules::Player);
        EXPECT_EQ(memory.fleets.fleets[games - 1].count, sunk);
        if (games == 2) {
            EXPECT_LT(sunk, rules::ShipsPerSide);
        }
    }
}

TEST_F(ExpertTargeting, LeavesTheSlotEmptyWhenNoCellIsLeft) {
    for (auto& column : Board()) column.fill(rules::Miss);
    Board()[3][3] = rules::AimedStage;
    EXPECT_TRUE(AimSalvo(1).empty());
}

}  // namespace
