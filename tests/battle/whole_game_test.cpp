// tests/battle/whole_game_test.cpp: many whole games of the computer against a player firing at
// random, on the real game state: the boards only ever hold the listed codes, no cell is aimed at
// twice, every game ends, and a seed with the same player actions replays the computer's shots.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

#include "battle/windowless_game.h"
#include "fleet/fleet.h"
#include "fleet/game_state.h"
#include "opponent/level.h"
#include "opponent/random_numbers.h"
#include "opponent/random_placement.h"

namespace {

using fleet::GameState;
using Cell = std::pair<int, int>;

bool IsListedCode(std::int32_t code) {
    return (code >= 0 && code <= 5) || (code >= 10 && code <= 15) || (code >= 20 && code <= 25) ||
           (code >= 31 && code <= 35);
}

// A player who fires at a uniformly chosen untouched cell of the enemy board.
class RandomPlayer {
  public:
    explicit RandomPlayer(std::uint32_t seed) : engine_(seed) {}

    void operator()() {
        std::vector<Cell> untouched;
        for (int x = 0; x < fleet::BoardSize; ++x) {
            for (int y = 0; y < fleet::BoardSize; ++y) {
                if (fleet::IsUntouched(GameState.boards[fleet::Enemy][x][y])) {
                    untouched.push_back({x, y});
                }
            }
        }
        if (untouched.empty()) return;
        std::uniform_int_distribution<std::size_t> pick(0, untouched.size() - 1);
        const Cell c = untouched[pick(engine_)];
        EXPECT_TRUE(battle::AimShot(c.first, c.second));
    }

  private:
    std::mt19937 engine_;
};

void ExpectOnlyListedCodes(bool resolved) {
    for (const fleet::Board& board : GameState.boards) {
        for (const auto& column : board) {
            for (std::int32_t code : column) {
                ASSERT_TRUE(IsListedCode(code)) << code;
                if (resolved) {
                    ASSERT_FALSE(code >= 10 && code <= 15) << code;
                }
            }
        }
    }
}

// Plays a game from the seed; returns the computer's shots in order.
std::vector<Cell> PlayGame(std::uint32_t seed) {
    battle::NewWindowlessGame();
    opponent::srand(seed);
    opponent::PlaceFleetAtRandom(fleet::Player, nullptr);
    opponent::PlaceFleetAtRandom(fleet::Enemy, nullptr);
    RandomPlayer player(seed);
    std::vector<Cell> computerShots;
    std::set<Cell> aimedByComputer;
    int salvos = 0;
    while (fleet::ShipsAfloat(fleet::Player) > 0 && fleet::ShipsAfloat(fleet::Enemy) > 0) {
        EXPECT_LT(++salvos, fleet::BoardSize * fleet::BoardSize) << "seed " << seed;
        if (salvos >= fleet::BoardSize * fleet::BoardSize) break;

        const fleet::Board before = GameState.boards[fleet::Player];
        do {
            if (!battle::PlayerSlotPassed()) player();
        } while (!battle::FillComputerSlots());
        ExpectOnlyListedCodes(false);
        for (int slot = 1; slot < fleet::SalvoSize; slot += 2) {
            const fleet::Shot shot = GameState.salvo[slot];
            if (shot.side == fleet::NoShot) continue;
            EXPECT_EQ(shot.side, fleet::Player);
            EXPECT_TRUE(fleet::IsUntouched(before[shot.x][shot.y])) << "seed " << seed;
            EXPECT_TRUE(aimedByComputer.insert({shot.x, shot.y}).second)
                << "seed " << seed << ": aimed twice at " << shot.x << ", " << shot.y;
            computerShots.push_back({shot.x, shot.y});
        }
        battle::SettleSalvo();
        ExpectOnlyListedCodes(true);
    }
    return computerShots;
}

TEST(WholeGames, KeepTheBoardsSoundAndAlwaysEnd) {
    for (std::uint32_t i = 1; i <= 300; ++i) {
        const std::uint32_t seed = i * 14316557u;  // spread: neighbouring seeds start alike
        PlayGame(seed);
        if (HasFailure()) FAIL() << "seed " << seed;
        // Damage agrees with the boards: a ship's hits are its hit or sunk cells, all sunk once
        // it is sunk.
        for (int side = 0; side < 2; ++side) {
            for (std::uint32_t shipId = 1; shipId <= fleet::ShipsPerSide; ++shipId) {
                const fleet::Ship& ship = fleet::Ships[fleet::ShipIndex(fleet::Side(side), shipId)];
                int hit = 0, sunk = 0;
                for (const auto& column : GameState.boards[side]) {
                    for (std::int32_t code : column) {
                        hit += code == fleet::HitStage + std::int32_t(shipId);
                        sunk += code == fleet::SunkStage + std::int32_t(shipId);
                    }
                }
                EXPECT_EQ(hit + sunk, ship.hits) << "seed " << seed;
                EXPECT_EQ(sunk, ship.IsSunk() ? ship.length : 0) << "seed " << seed;
            }
        }
    }
}

TEST(WholeGames, ASeedAndTheSamePlayerActionsReplayTheComputer) {
    for (std::uint32_t seed : {3u, 77u, 1800000000u}) {
        const std::vector<Cell> first = PlayGame(seed);
        EXPECT_GT(first.size(), 17u);
        EXPECT_EQ(PlayGame(seed), first) << "seed " << seed;
    }
}

TEST(WholeGames, ExpertGamesKeepTheBoardsSoundEndAndReplay) {
    opponent::Levels.GameLevel = opponent::Level::Expert;
    for (std::uint32_t i = 1; i <= 20; ++i) {
        const std::uint32_t seed = i * 14316557u;
        const std::vector<Cell> first = PlayGame(seed);
        if (HasFailure()) FAIL() << "seed " << seed;
        EXPECT_EQ(PlayGame(seed), first) << "seed " << seed;
    }
    opponent::Levels.GameLevel = opponent::Level::Standard;
}

// The Standard opponent's shots, game after game, as they were when the Expert opponent was
// added beside it: a fingerprint of every computer shot of twenty seeded games. (Taken again when
// the player's random draws stopped restarting at every salvo; the opponent gave the same shots
// as before for the same player.)
TEST(WholeGames, StandardOpponentPlaysTheShotsItAlwaysHas) {
    std::uint64_t fingerprint = 14695981039346656037u;  // FNV-1a over (x, y) pairs
    std::size_t shots = 0;
    for (std::uint32_t i = 1; i <= 20; ++i) {
        for (const Cell& c : PlayGame(i * 2654435761u)) {
            for (int v : {c.first, c.second}) {
                fingerprint = (fingerprint ^ static_cast<std::uint64_t>(v)) * 1099511628211u;
            }
            ++shots;
        }
    }
    EXPECT_EQ(shots, 1688u);
    EXPECT_EQ(fingerprint, 306444890135293679u);
}

}  // namespace
