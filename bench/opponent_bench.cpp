// bench/opponent_bench.cpp: the computer's shot choice, a random fleet layout, and a whole
// headless game (both fleets laid out, salvos until one fleet is sunk, the player firing at
// random untouched cells).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "battle/salvo_driver.h"
#include "battle/windowless_game.h"
#include "opponent/board_view.h"
#include "opponent/fleet_memory.h"
#include "opponent/salvo_plan.h"
#include "opponent/seen_board.h"
#include "opponent/targeting.h"
#include "rules/game.h"
#include "rules/moves.h"
#include "rules/random.h"

namespace {

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

    std::optional<rules::Cell> operator()(const rules::Game& game) {
        int x = 0;
        int y = 0;
        do {
            x = static_cast<int>(Next() % rules::BoardSize);
            y = static_cast<int>(Next() % rules::BoardSize);
        } while (!rules::IsUntouched(game.boards[rules::Enemy][x][y]));
        return rules::Cell{x, y};
    }
};

// A game in its firing phase with the player's fleet laid out from seed 1.
rules::Game BattleFromSeedOne(rules::Level level, rules::Random& random) {
    rules::Game game = rules::NewGame(level);
    random.Seed(1);
    rules::PlaceFleetAtRandom(game, rules::Player, random);
    game.phase = rules::Firing;
    return game;
}

// One shot from a fixed position; the random draws move on, so the chosen cells vary as in play.
void ChooseFrom(benchmark::State& state, const rules::Game& game, rules::Random& random,
                std::int32_t counter) {
    const opponent::SeenBoard seen = opponent::SeenBoard(game);
    opponent::TargetingMemory memory;
    for (auto _ : state) {
        memory.aiShotCounter = counter;
        benchmark::DoNotOptimize(opponent::ChooseEnemyShot(seen, game.level, memory, random));
    }
}

void BM_ChooseEnemyShot_Hunting(benchmark::State& state) {
    rules::Random random;
    const rules::Game game = BattleFromSeedOne(rules::Level::Standard, random);
    ChooseFrom(state, game, random, 0);
}
BENCHMARK(BM_ChooseEnemyShot_Hunting);

void BM_ChooseEnemyShot_BlockedLine(benchmark::State& state) {
    rules::Random random(1);
    rules::Game game = rules::NewGame(rules::Level::Standard);
    rules::Board& board = game.boards[rules::Player];
    // A two-cell line blocked at both ends, late in the scan: probe or random shot by counter.
    board[8][9] = 22;
    board[9][9] = 22;
    board[7][9] = rules::Miss;
    board[10][9] = rules::Miss;
    ChooseFrom(state, game, random, 1);
}
BENCHMARK(BM_ChooseEnemyShot_BlockedLine);

// A whole Expert salvo's choice, five shots planned together, from a fixed position: a fresh
// board (the widest search), mid-game with misses, a sunk ship and two hits to finish, and late
// with a fifth of the board shot at, two ships sunk and a hit to follow.
void PlanFrom(benchmark::State& state, const rules::Game& game,
              const opponent::FleetMemory& fleets = {}) {
    rules::Random random(1);
    const opponent::PlayerBoardView view = opponent::ViewPlayerBoard(opponent::SeenBoard(game));
    for (auto _ : state) {
        benchmark::DoNotOptimize(opponent::PlanSalvo(
            view, rules::ShipsPerSide, [&random](int n) { return random.Below(n); }, fleets));
    }
}

void BM_PlanExpertSalvo_Opening(benchmark::State& state) {
    PlanFrom(state, rules::NewGame(rules::Level::Expert));
}
BENCHMARK(BM_PlanExpertSalvo_Opening)->Unit(benchmark::kMillisecond);

void BM_PlanExpertSalvo_MidGame(benchmark::State& state) {
    rules::Game game = rules::NewGame(rules::Level::Expert);
    rules::Board& board = game.boards[rules::Player];
    for (int i = 0; i < rules::BoardSize; i += 2)
        board[i][(i * 5) % rules::BoardSize] = rules::Miss;
    board[0][0] = board[0][1] = rules::SunkStage + 5;
    board[6][6] = board[7][6] = 23;
    PlanFrom(state, game);
}
BENCHMARK(BM_PlanExpertSalvo_MidGame)->Unit(benchmark::kMillisecond);

// The same with the memory full: eight earlier fleets, each weighed against every layout drawn.
void BM_PlanExpertSalvo_MidGameRemembering(benchmark::State& state) {
    rules::Game game = rules::NewGame(rules::Level::Expert);
    rules::Board& board = game.boards[rules::Player];
    for (int i = 0; i < rules::BoardSize; i += 2)
        board[i][(i * 5) % rules::BoardSize] = rules::Miss;
    board[0][0] = board[0][1] = rules::SunkStage + 5;
    board[6][6] = board[7][6] = 23;
    opponent::FleetMemory fleets;
    opponent::ReadFleetMemory(
        "5:0,3,h 4:7,7,h 3:4,1,h 3:1,1,h 2:5,10,h\n"
        "5:2,3,h 4:6,5,h 3:7,6,h 3:10,0,v 2:7,4,h\n"
        "5:6,10,h 4:10,0,v 3:1,8,v 3:11,0,v 2:5,6,h\n"
        "5:1,1,h 4:3,5,h 3:11,6,v 3:11,0,v 2:1,8,h\n"
        "5:2,10,h 4:5,1,v 3:8,10,h 3:7,2,v 2:2,6,v\n"
        "5:6,4,v 4:2,5,h 3:5,0,v 3:11,2,v 2:4,9,v\n"
        "5:10,1,v 4:5,2,h 3:11,6,v 3:4,0,h 2:1,2,v\n"
        "5:4,3,h 4:0,5,h 3:1,7,v 3:2,7,v 2:7,10,v\n",
        &fleets);
    PlanFrom(state, game, fleets);
}
BENCHMARK(BM_PlanExpertSalvo_MidGameRemembering)->Unit(benchmark::kMillisecond);

void BM_PlanExpertSalvo_Late(benchmark::State& state) {
    rules::Game game = rules::NewGame(rules::Level::Expert);
    rules::Board& board = game.boards[rules::Player];
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            if ((x + 2 * y) % 5 == 0) board[x][y] = rules::Miss;
        }
    }
    for (int y = 0; y < 5; ++y) board[0][y] = rules::SunkStage + 1;
    for (int y = 0; y < 4; ++y) board[11][y + 4] = rules::SunkStage + 2;
    board[5][6] = 23;
    PlanFrom(state, game);
}
BENCHMARK(BM_PlanExpertSalvo_Late)->Unit(benchmark::kMillisecond);

// Every slot of a salvo through the game's own call, planned at the first and handed out after.
void BM_ChooseExpertSalvo_MidGame(benchmark::State& state) {
    rules::Random random(1);
    rules::Game game = rules::NewGame(rules::Level::Expert);
    rules::Board& board = game.boards[rules::Player];
    for (int i = 0; i < rules::BoardSize; i += 2)
        board[i][(i * 5) % rules::BoardSize] = rules::Miss;
    board[6][6] = board[7][6] = 23;
    const rules::Board before = board;
    opponent::TargetingMemory memory;
    for (auto _ : state) {
        for (int k = 0; k < rules::ShipsPerSide; ++k) {
            const std::optional<rules::Cell> cell =
                opponent::ChooseEnemyShot(opponent::SeenBoard(game), game.level, memory, random);
            if (cell) board[cell->x][cell->y] += rules::AimedStage;
        }
        board = before;
    }
}
BENCHMARK(BM_ChooseExpertSalvo_MidGame)->Unit(benchmark::kMillisecond);

void BM_PlaceFleetAtRandom(benchmark::State& state) {
    rules::Random random(1);
    rules::Game game = rules::NewGame(rules::Level::Standard);
    for (auto _ : state) {
        for (auto& column : game.boards[rules::Enemy]) column.fill(rules::Water);
        rules::PlaceFleetAtRandom(game, rules::Enemy, random);
    }
    benchmark::DoNotOptimize(game.boards[rules::Enemy]);
}
BENCHMARK(BM_PlaceFleetAtRandom);

void BM_WholeWindowlessGame(benchmark::State& state) {
    std::uint32_t seed = 1;
    std::int64_t salvos = 0;
    battle::SilentPresenter silent;
    for (auto _ : state) {
        battle::WindowlessGame play;
        play.game = rules::NewGame(rules::Level::Standard);
        seed += 2654435761u;
        play.random.Seed(seed);
        rules::PlaceFleetAtRandom(play.game, rules::Player, play.random);
        rules::StartBattle(play.game, play.random);
        PlayerAim player{seed | 1u};
        while (!battle::PlaySalvo(play.game, player, play.computer(), silent)) ++salvos;
        ++salvos;
    }
    state.counters["salvos/game"] =
        benchmark::Counter(static_cast<double>(salvos), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_WholeWindowlessGame);

}  // namespace
