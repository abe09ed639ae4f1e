// bench/opponent_bench.cpp: the computer's shot choice, a random fleet layout, and a whole
// headless game (both fleets laid out, salvos until one fleet is sunk, the player firing at
// random untouched cells).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <utility>

#include "opponent/level.h"
#include "opponent/random_numbers.h"
#include "tools/opponent_strength/headless_game.h"

namespace {

using battle::GameState;

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
            x = static_cast<int>(Next() % battle::BoardSize);
            y = static_cast<int>(Next() % battle::BoardSize);
        } while (!battle::IsUntouched(GameState.boards[battle::Enemy][x][y]));
        GameState.boards[battle::Enemy][x][y] += battle::AimedStage;
        GameState.salvo[GameState.salvoSlot] = {battle::Enemy, x, y};
    }
};

// One shot from a fixed board, undone afterwards so every iteration sees the same position;
// the random draws still move on, so the chosen cells vary as in play.
void ChooseFrom(benchmark::State& state, std::int32_t counter) {
    const battle::Board board = GameState.boards[battle::Player];
    GameState.salvoSlot = 1;
    for (auto _ : state) {
        opponent::aiShotCounter = counter;
        opponent::ChooseEnemyShot();
        const battle::Shot shot = GameState.salvo[1];
        GameState.boards[battle::Player][shot.x][shot.y] -= battle::AimedStage;
    }
    benchmark::DoNotOptimize(GameState.boards[battle::Player]);
    GameState.boards[battle::Player] = board;
}

void BM_ChooseEnemyShot_Hunting(benchmark::State& state) {
    headless::NewHeadlessGame();
    opponent::srand(1);
    opponent::PlaceFleetAtRandom(battle::Player, nullptr);
    ChooseFrom(state, 0);
}
BENCHMARK(BM_ChooseEnemyShot_Hunting);

void BM_ChooseEnemyShot_BlockedLine(benchmark::State& state) {
    headless::NewHeadlessGame();
    opponent::srand(1);
    battle::Board& board = GameState.boards[battle::Player];
    // A two-cell line blocked at both ends, late in the scan: probe or random shot by counter.
    board[8][9] = 22;
    board[9][9] = 22;
    board[7][9] = battle::Miss;
    board[10][9] = battle::Miss;
    ChooseFrom(state, 1);
}
BENCHMARK(BM_ChooseEnemyShot_BlockedLine);

// The Expert choice, one shot at a time from a fixed position: a fresh board (the widest search),
// and mid-game with misses, a sunk ship and two hits to finish.
void BM_ChooseExpertShot_Opening(benchmark::State& state) {
    headless::NewHeadlessGame();
    opponent::srand(1);
    opponent::GameLevel = opponent::Level::Expert;
    ChooseFrom(state, 0);
    opponent::GameLevel = opponent::Level::Standard;
}
BENCHMARK(BM_ChooseExpertShot_Opening)->Unit(benchmark::kMicrosecond);

void BM_ChooseExpertShot_MidGame(benchmark::State& state) {
    headless::NewHeadlessGame();
    opponent::srand(1);
    battle::Board& board = GameState.boards[battle::Player];
    for (int i = 0; i < battle::BoardSize; i += 2)
        board[i][(i * 5) % battle::BoardSize] = battle::Miss;
    board[0][0] = board[0][1] = battle::SunkStage + 5;
    board[6][6] = board[7][6] = 23;
    opponent::GameLevel = opponent::Level::Expert;
    ChooseFrom(state, 0);
    opponent::GameLevel = opponent::Level::Standard;
}
BENCHMARK(BM_ChooseExpertShot_MidGame)->Unit(benchmark::kMicrosecond);

// The last shot of a salvo, four already aimed around two hits: the layouts are sorted by all
// sixteen outcomes of the aimed shots.
void BM_ChooseExpertShot_SalvoEnd(benchmark::State& state) {
    headless::NewHeadlessGame();
    opponent::srand(1);
    battle::Board& board = GameState.boards[battle::Player];
    for (int i = 0; i < battle::BoardSize; i += 2)
        board[i][(i * 5) % battle::BoardSize] = battle::Miss;
    board[6][6] = board[7][6] = 23;
    for (auto [x, y] : {std::pair{5, 6}, std::pair{8, 6}, std::pair{6, 5}, std::pair{6, 7}})
        board[x][y] += battle::AimedStage;
    opponent::GameLevel = opponent::Level::Expert;
    ChooseFrom(state, 0);
    opponent::GameLevel = opponent::Level::Standard;
}
BENCHMARK(BM_ChooseExpertShot_SalvoEnd)->Unit(benchmark::kMicrosecond);

void BM_PlaceFleetAtRandom(benchmark::State& state) {
    headless::NewHeadlessGame();
    opponent::srand(1);
    for (auto _ : state) {
        for (auto& column : GameState.boards[battle::Enemy]) column.fill(battle::Water);
        opponent::PlaceFleetAtRandom(battle::Enemy, nullptr);
    }
    benchmark::DoNotOptimize(GameState.boards[battle::Enemy]);
}
BENCHMARK(BM_PlaceFleetAtRandom);

void BM_WholeHeadlessGame(benchmark::State& state) {
    headless::LoadHeadlessShips();
    std::uint32_t seed = 1;
    std::int64_t salvos = 0;
    for (auto _ : state) {
        headless::StartHeadlessGame();
        seed += 2654435761u;
        opponent::srand(seed);
        opponent::PlaceFleetAtRandom(battle::Player, nullptr);
        opponent::PlaceFleetAtRandom(battle::Enemy, nullptr);
        PlayerAim player{seed | 1u};
        while (battle::ShipsAfloat(battle::Player) > 0 && battle::ShipsAfloat(battle::Enemy) > 0) {
            headless::PlayHeadlessSalvo(player);
            ++salvos;
        }
    }
    state.counters["salvos/game"] =
        benchmark::Counter(static_cast<double>(salvos), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeHeadlessGame);

}  // namespace
