// bench/game_bench.cpp: the battle's costs on the test host: PaintBoard at 1024 by 768 with every
// ship shown and 100 marks on the boards, beside a plain copy of the same frame; PaintBoard of a
// marked rectangle from 1% to all of the frame; and the time from a click on the enemy board to
// the end of its paint, with sound off; the full paint, its copy and the salvo's click again on a
// screen of twice the pixels (a device pixel ratio of 2, the double picture set). Compare the CPU
// column: on a busy machine the wall clock also counts the time other programs held the core, and a
// memory-bound copy suffers most.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "battle/salvo.h"
#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "platform/sound.h"
#include "platform/test/fake_audio.h"
#include "platform/test/test_host.h"
#include "resources/program_resources.h"
#include "rules/game.h"
#include "setup/new_game.h"
#include "setup/ship_placement.h"
#include "shell/board_painting.h"
#include "shell/display_check.h"
#include "shell/main_window.h"
#include "shell/session.h"
#include "sound/sound_effects.h"
#include "tests/scenarios/fixture_pictures.h"
#include "windows/program_handles.h"

namespace {

// The game in the main window.
rules::Game& GameState = shell::TheSession.game;

// The program started on the test host with our own pictures, its queue run by hand.
class RunningGame {
  public:
    explicit RunningGame(double scale = 1.0) : host_(ScreenAt(scale)) {
        platform::SetHost(&host_);
        platform::SetAudioDevice(&audio_);
        folder_ = fixtures::MakeFixturePictureFolder(scale != 1.0);
        shell::CheckDisplay();
        shell::InitInstance(&resources::ProgramResources(), platform::SW_SHOWNORMAL);
        sound::SoundOn = 0;
        RunQueue();
    }
    ~RunningGame() {
        platform::ResetMessageQueue();
        platform::SetAudioDevice(nullptr);
        platform::SetHost(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Hands every waiting message to its window; paint requests come last, once nothing else
    // waits, as in the main loop.
    static void RunQueue() {
        platform::Message message;
        while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
            platform::DispatchMessage(&message);
        }
    }

    // A fresh game with the player's fleet placed at random and the battle started.
    static void NewBattle() {
        shell::Session& session = shell::TheSession;
        setup::NewGame(windows::App.MainWindow, session.game, session.chosenLevel);
        setup::PlaceFleetRandomly(windows::App.MainWindow, session.game, session.random);
        battle::StartBattle(windows::App.MainWindow, session.game, session.random);
        RunQueue();
    }

  private:
    static platform::ScreenFacts ScreenAt(double scale) {
        platform::ScreenFacts screen;
        screen.pixelRatio = scale;
        return screen;
    }

    platform::TestHost host_;
    platform::FakeAudio audio_{host_.Clock()};
    std::string folder_;
};

// Both buffers are written before the timing starts: a frame never painted, or a target never
// touched, would be measured with the kernel's page faults (or its shared zero page) in it.
void FrameMemcpy(benchmark::State& state, double scale) {
    RunningGame game(scale);
    platform::InvalidateRect(windows::App.MainWindow, nullptr, false);
    shell::PaintBoard(windows::App.MainWindow);
    const std::vector<platform::Pixel>& frame = windows::App.MainWindow->surface.pixels;
    std::vector<platform::Pixel> to(frame.size());
    std::fill(to.begin(), to.end(), platform::Pixel{0x00808080});
    for (auto _ : state) {
        std::memcpy(to.data(), frame.data(), frame.size() * sizeof(platform::Pixel));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(frame.size());
}
void BM_FrameMemcpy(benchmark::State& state) { FrameMemcpy(state, 1.0); }
BENCHMARK(BM_FrameMemcpy)->Unit(benchmark::kMicrosecond);
void BM_FrameMemcpyAtScale2(benchmark::State& state) { FrameMemcpy(state, 2.0); }
BENCHMARK(BM_FrameMemcpyAtScale2)->Unit(benchmark::kMicrosecond);

// Five aim marks and 95 miss and hit marks spread over both boards; returns how many.
int MarkTheBoards() {
    int marks = 0;
    for (int slot = 0; slot < rules::SalvoSize; slot += 2) {
        GameState.salvo[slot] = rules::Shot{rules::Enemy, slot, 11};
        ++marks;
    }
    for (int side = rules::Player; side <= rules::Enemy; ++side) {
        for (int x = 0; x < rules::BoardSize && marks < 100; ++x) {
            for (int y = x % 2; y < 11 && marks < 100; y += 2) {
                std::int32_t& code = GameState.boards[side][x][y];
                code = code == rules::Water ? rules::Miss : code + rules::HitStage;
                ++marks;
            }
        }
    }
    return marks;
}

// Every ship shown and 100 marks.
void PaintBoardFullFrame(benchmark::State& state, double scale) {
    RunningGame game(scale);
    RunningGame::NewBattle();
    for (fleet::Ship& ship : fleet::Ships) ship.SetVisible(1, nullptr);
    const int marks = MarkTheBoards();
    for (auto _ : state) {
        platform::InvalidateRect(windows::App.MainWindow, nullptr, false);
        shell::PaintBoard(windows::App.MainWindow);
    }
    state.counters["marks"] = marks;
}
void BM_PaintBoardFullFrame(benchmark::State& state) { PaintBoardFullFrame(state, 1.0); }
BENCHMARK(BM_PaintBoardFullFrame)->Unit(benchmark::kMicrosecond);
void BM_PaintBoardFullFrameAtScale2(benchmark::State& state) { PaintBoardFullFrame(state, 2.0); }
BENCHMARK(BM_PaintBoardFullFrameAtScale2)->Unit(benchmark::kMicrosecond);

// A rectangle of the given percentage of the frame's area marked, centred, and painted, over the
// 100 marks. The ships are hidden here: a shown ship marks its own rectangle on every paint,
// which would add its area to every size.
void BM_PaintBoardArea(benchmark::State& state) {
    RunningGame game;
    RunningGame::NewBattle();
    for (fleet::Ship& ship : fleet::Ships) ship.SetVisible(0, nullptr);
    MarkTheBoards();
    platform::Rect client;
    platform::GetClientRect(windows::App.MainWindow, &client);
    const double side = std::sqrt(static_cast<double>(state.range(0)) / 100.0);
    const int width = static_cast<int>(client.right * side);
    const int height = static_cast<int>(client.bottom * side);
    const int left = (client.right - width) / 2;
    const int top = (client.bottom - height) / 2;
    const platform::Rect marked{left, top, left + width, top + height};
    for (auto _ : state) {
        platform::InvalidateRect(windows::App.MainWindow, &marked, false);
        shell::PaintBoard(windows::App.MainWindow);
    }
    state.counters["painted_pixels"] = static_cast<double>(width) * height;
    state.counters["frame_pixels"] = static_cast<double>(client.right) * client.bottom;
}
BENCHMARK(BM_PaintBoardArea)
    ->Arg(1)
    ->Arg(2)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Arg(35)
    ->Arg(50)
    ->Arg(75)
    ->Arg(100)
    ->Unit(benchmark::kMicrosecond);

// The client point of every untouched cell of the enemy board.
std::vector<platform::LPARAM> UntouchedEnemyCells() {
    const imaging::Picture& board = fleet::Pictures.BoardPictures[rules::Enemy];
    const int width = board.GetRight() - board.GetLeft();
    const int height = board.GetBottom() - board.GetTop();
    std::vector<platform::LPARAM> cells;
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            if (!rules::IsUntouched(GameState.boards[rules::Enemy][x][y])) continue;
            cells.push_back(platform::MakePointParam(board.GetLeft() + width * (2 * x + 1) / 24,
                                                     board.GetTop() + height * (2 * y + 1) / 24));
        }
    }
    return cells;
}

void Click(platform::LPARAM at) {
    platform::PostMessage(windows::App.MainWindow, platform::WM_LBUTTONUP, 0, at);
}

// Brings the salvo, by clicks that are not measured, to where the next click leaves `shotsAfter`
// shots; a new battle when the game has ended or the salvo is already past that point.
platform::LPARAM PrepareClick(int shotsAfter) {
    for (;;) {
        if (GameState.phase != rules::Firing || GameState.shotsLeft <= shotsAfter) {
            RunningGame::NewBattle();
        }
        const std::vector<platform::LPARAM> cells = UntouchedEnemyCells();
        std::size_t next = 0;
        while (GameState.phase == rules::Firing && GameState.shotsLeft > shotsAfter + 1 &&
               next < cells.size()) {
            Click(cells[next++]);
            RunningGame::RunQueue();
        }
        if (GameState.phase == rules::Firing && GameState.shotsLeft == shotsAfter + 1 &&
            next < cells.size()) {
            return cells[next];
        }
    }
}

// A click that aims one shot (leaving more to aim) or one that completes the salvo and has it
// resolved, each up to the end of the paint it leads to.
void ClickToPaint(benchmark::State& state, bool completingSalvo, double scale = 1.0) {
    RunningGame game(scale);
    RunningGame::NewBattle();
    for (auto _ : state) {
        state.PauseTiming();
        const platform::LPARAM at = PrepareClick(completingSalvo ? 0 : 1);
        state.ResumeTiming();
        Click(at);
        RunningGame::RunQueue();
    }
}

void BM_ClickAimsAShot(benchmark::State& state) { ClickToPaint(state, false); }
BENCHMARK(BM_ClickAimsAShot)->Unit(benchmark::kMicrosecond);

void BM_ClickCompletesAndResolvesTheSalvo(benchmark::State& state) { ClickToPaint(state, true); }
BENCHMARK(BM_ClickCompletesAndResolvesTheSalvo)->Unit(benchmark::kMicrosecond);

void BM_ClickCompletesAndResolvesTheSalvoAtScale2(benchmark::State& state) {
    ClickToPaint(state, true, 2.0);
}
BENCHMARK(BM_ClickCompletesAndResolvesTheSalvoAtScale2)->Unit(benchmark::kMicrosecond);

}  // namespace
