// bench/opponent_bench.cpp: the computer's shot choice, a random fleet layout, and a whole
// headless game (both fleets laid out, salvos until one fleet is sunk, the player firing at
// random untouched cells).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <utility>

#include "battle/windowless_game.h"
#include "fleet/game_state.h"
#include "opponent/level.h"
#include "opponent/random_numbers.h"
#include "opponent/random_placement.h"
#include "opponent/targeting.h"

namespace {

using fleet::GameState;

// The player's shots come from a generator of their own, so the game's sequence is the
// computer's alone, as in play.
struct PlayerAim {
    std::uint32_t state;

    std::uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }

    void operator()() {
        int x = 0;
        int y = 0;
        do {
            x = static_cast<int>(Next() % fleet::BoardSize);
            y = static_cast<int>(Next() % fleet::BoardSize);
        } while (!fleet::IsUntouched(GameState.boards[fleet::Enemy][x][y]));
        battle::AimShot(x, y);
    }
};

// One shot from a fixed board, undone afterwards so every iteration sees the same position;
// the random draws still move on, so the chosen cells vary as in play.
void ChooseFrom(benchmark::State& state, std::int32_t counter) {
    const fleet::Board board = GameState.boards[fleet::Player];
    GameState.salvoSlot = 1;
    for (auto _ : state) {
        opponent::Memory.aiShotCounter = counter;
        opponent::ChooseEnemyShot();
        const fleet::Shot shot = GameState.salvo[1];
        GameState.boards[fleet::Player][shot.x][shot.y] -= fleet::AimedStage;
    }
    benchmark::DoNotOptimize(GameState.boards[fleet::Player]);
    GameState.boards[fleet::Player] = board;
}

void BM_ChooseEnemyShot_Hunting(benchmark::State& state) {
    battle::NewWindowlessGame();
    opponent::srand(1);
    opponent::PlaceFleetAtRandom(fleet::Player, nullptr);
    ChooseFrom(state, 0);
}
BENCHMARK(BM_ChooseEnemyShot_Hunting);

void BM_ChooseEnemyShot_BlockedLine(benchmark::State& state) {
    battle::NewWindowlessGame();
    opponent::srand(1);
    fleet::Board& board = GameState.boards[fleet::Player];
    // A two-cell line blocked at both ends, late in the scan: probe or random shot by counter.
    board[8][9] = 22;
    board[9][9] = 22;
    board[7][9] = fleet::Miss;
    board[10][9] = fleet::Miss;
    ChooseFrom(state, 1);
}
BENCHMARK(BM_ChooseEnemyShot_BlockedLine);

// The Expert choice, one shot at a time from a fixed position: a fresh board (the widest search),
// and mid-game with misses, a sunk ship and two hits to finish.
void BM_ChooseExpertShot_Opening(benchmark::State& state) {
    battle::NewWindowlessGame();
    opponent::srand(1);
    opponent::Levels.GameLevel = opponent::Level::Expert;
    ChooseFrom(state, 0);
    opponent::Levels.GameLevel = opponent::Level::Standard;
}
BENCHMARK(BM_ChooseExpertShot_Opening)->Unit(benchmark::kMicrosecond);

void BM_ChooseExpertShot_MidGame(benchmark::State& state) {
    battle::NewWindowlessGame();
    opponent::srand(1);
    fleet::Board& board = GameState.boards[fleet::Player];
    for (int i = 0; i < fleet::BoardSize; i += 2)
        board[i][(i * 5) % fleet::BoardSize] = fleet::Miss;
    board[0][0] = board[0][1] = fleet::SunkStage + 5;
    board[6][6] = board[7][6] = 23;
    opponent::Levels.GameLevel = opponent::Level::Expert;
    ChooseFrom(state, 0);
    opponent::Levels.GameLevel = opponent::Level::Standard;
}
BENCHMARK(BM_ChooseExpertShot_MidGame)->Unit(benchmark::kMicrosecond);

// The last shot of a salvo, four already aimed around two hits: the layouts are sorted by all
// sixteen outcomes of the aimed shots.
void BM_ChooseExpertShot_SalvoEnd(benchmark::State& state) {
    battle::NewWindowlessGame();
    opponent::srand(1);
    fleet::Board& board = GameState.boards[fleet::Player];
    for (int i = 0; i < fleet::BoardSize; i += 2)
        board[i][(i * 5) % fleet::BoardSize] = fleet::Miss;
    board[6][6] = board[7][6] = 23;
    for (auto [x, y] : {std::pair{5, 6}, std::pair{8, 6}, std::pair{6, 5}, std::pair{6, 7}})
        board[x][y] += fleet::AimedStage;
    opponent::Levels.GameLevel = opponent::Level::Expert;
    ChooseFrom(state, 0);
    opponent::Levels.GameLevel = opponent::Level::Standard;
}
BENCHMARK(BM_ChooseExpertShot_SalvoEnd)->Unit(benchmark::kMicrosecond);

void BM_PlaceFleetAtRandom(benchmark::State& state) {
    battle::NewWindowlessGame();
    opponent::srand(1);
    for (auto _ : state) {
        for (auto& column : GameState.boards[fleet::Enemy]) column.fill(fleet::Water);
        opponent::PlaceFleetAtRandom(fleet::Enemy, nullptr);
    }
    benchmark::DoNotOptimize(GameState.boards[fleet::Enemy]);
}
BENCHMARK(BM_PlaceFleetAtRandom);

void BM_WholeWindowlessGame(benchmark::State& state) {
    battle::LoadWindowlessShips();
    std::uint32_t seed = 1;
    std::int64_t salvos = 0;
    for (auto _ : state) {
        battle::StartWindowlessGame();
        seed += 2654435761u;
        opponent::srand(seed);
        opponent::PlaceFleetAtRandom(fleet::Player, nullptr);
        opponent::PlaceFleetAtRandom(fleet::Enemy, nullptr);
        PlayerAim player{seed | 1u};
        while (fleet::ShipsAfloat(fleet::Player) > 0 && fleet::ShipsAfloat(fleet::Enemy) > 0) {
            battle::PlayWindowlessSalvo(player);
            ++salvos;
        }
    }
    state.counters["salvos/game"] =
        benchmark::Counter(static_cast<double>(salvos), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeWindowlessGame);

}  // namespace
