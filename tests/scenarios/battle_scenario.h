// tests/scenarios/battle_scenario.h: the real program on the test host with our own picture
// folder, a record of the status line as it reaches the screen, and the moves a test needs to
// play a battle: cells to click, fleets to wreck, the pop-up picture on show.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "battle/salvo.h"
#include "fleet/fleet.h"
#include "fleet/program_objects.h"
#include "platform/drawing/dib.h"
#include "platform/drawing/drawing.h"
#include "platform/messages.h"
#include "platform/repaint.h"
#include "platform/sound.h"
#include "platform/test/fake_audio.h"
#include "platform/test/test_host.h"
#include "platform/window.h"
#include "resources/program_resources.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "setup/status_line.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "tests/scenarios/fixture_pictures.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace scenario {

using testing_support::TheGame;

// What the main window showed on the status line each time it was painted, with the number of
// sounds started by then: two shots with the same message are told apart by their sounds.
struct ShownStatus {
    std::string text;
    std::size_t soundsStarted = 0;
    bool operator==(const ShownStatus&) const = default;
};

class RecordingHost : public platform::TestHost {
  public:
    using TestHost::TestHost;
    void Present(platform::Window& window, const platform::Rect& area) override {
        TestHost::Present(window, area);
        if (&window != windows::App.MainWindow || audio == nullptr) return;
        const ShownStatus now{setup::Status.StatusText, audio->SoundFiles().size()};
        if (shown.empty() || !(shown.back() == now)) shown.push_back(now);
    }
    const platform::FakeAudio* audio = nullptr;
    std::vector<ShownStatus> shown;
};

class BattleGame {
  public:
    // withDoubleSet writes the pictures for scaled screens even when the game starts on a
    // screen of scale 1 (for a window that moves to one).
    explicit BattleGame(platform::ScreenFacts screen = platform::ScreenFacts{},
                        bool withDoubleSet = false)
        : host(screen) {
        host.audio = &audio;
        platform::SetHost(&host);
        platform::SetAudioDevice(&audio);
        folder_ = fixtures::MakeFixturePictureFolder(withDoubleSet || screen.pixelRatio != 1.0);
    }
    ~BattleGame() {
        platform::ResetMessageQueue();
        platform::SetAudioDevice(nullptr);
        platform::SetHost(nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    int Run() { return shell::RunProgram(resources::ProgramResources(), platform::SW_SHOWNORMAL); }
    void Then(std::function<void()> step) { host.Then(std::move(step)); }

    // The start-up picture holds the mouse for its five seconds; let its timer close it, then
    // lay the player's fleet out at random and press START.
    void StartBattle() {
        Then([this] { host.Clock().Advance(5000); });
        // START is enabled by the Place Random command; input to a disabled button is dropped.
        Then([this] { host.ClickControl(windows::App.MainWindow, setup::ID_PLACE_RANDOM); });
        Then([this] { host.ClickControl(windows::App.MainWindow, setup::ID_START); });
    }

    RecordingHost host;
    platform::FakeAudio audio{host.Clock()};

  private:
    std::string folder_;
};

// The centre of cell (x, y) of a side's board, in client pixels.
inline platform::Point CellCentre(int side, int x, int y) {
    const imaging::Picture& board = fleet::Pictures.BoardPictures[side];
    const double w = (board.GetRight() - board.GetLeft()) / 12.0;
    const double h = (board.GetBottom() - board.GetTop()) / 12.0;
    return platform::Point{static_cast<int>(board.GetLeft() + (x + 0.5) * w),
                           static_cast<int>(board.GetTop() + (y + 0.5) * h)};
}

inline void ClickEnemyCell(platform::TestHost& host, int x, int y) {
    const platform::Point at = CellCentre(rules::Enemy, x, y);
    host.Click(windows::App.MainWindow, at.x, at.y);
}

struct Cell {
    int x = 0;
    int y = 0;
};

// Untouched cells of a board, ship cells (codes 1..5) first or water first.
inline std::vector<Cell> UntouchedCells(int side, bool shipsFirst) {
    std::vector<Cell> ships;
    std::vector<Cell> water;
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            const std::int32_t code = TheGame().boards[side][x][y];
            if (!rules::IsUntouched(code)) continue;
            (code == rules::Water ? water : ships).push_back(Cell{x, y});
        }
    }
    std::vector<Cell>& first = shipsFirst ? ships : water;
    std::vector<Cell>& second = shipsFirst ? water : ships;
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Plays salvo after salvo until the game is over, then runs atEnd in a step of its own. Each step
// aims one whole salvo and no more: clicks still waiting when a salvo completes are let through,
// and ignored, during its resolution. It must outlive the game's run.
class SalvoPlayer {
  public:
    SalvoPlayer(BattleGame& game, bool shootShipsFirst, std::function<void()> atEnd)
        : game_(game), shootShipsFirst_(shootShipsFirst), atEnd_(std::move(atEnd)) {}
    void Start() {
        game_.Then([this] { Step(); });
    }

  private:
    void Step() {
        if (TheGame().phase == rules::GameOver) {
            atEnd_();
            return;
        }
        if (--salvosLeft_ < 0) {
            ADD_FAILURE() << "the game did not end";
            return;
        }
        if (TheGame().phase == rules::Firing) {
            const std::vector<Cell> cells = UntouchedCells(rules::Enemy, shootShipsFirst_);
            for (int i = 0; i < TheGame().shotsLeft && i < static_cast<int>(cells.size()); ++i) {
                ClickEnemyCell(game_.host, cells[i].x, cells[i].y);
            }
        }
        game_.Then([this] { Step(); });
    }

    BattleGame& game_;
    bool shootShipsFirst_;
    std::function<void()> atEnd_;
    int salvosLeft_ = 200;
};

inline fleet::Ship& ShipAt(int side, int fleetIndex) {
    return fleet::Ships[side * rules::ShipsPerSide + fleetIndex];
}

// Wrecks a ship where it lies, as a resolution would have: every cell sunk, hits at its length,
// the sunk picture shown.
inline void SinkInPlace(int side, int fleetIndex) {
    fleet::Ship& ship = ShipAt(side, fleetIndex);
    for (auto& column : TheGame().boards[side]) {
        for (std::int32_t& code : column) {
            if (code % 10 == static_cast<std::int32_t>(ship.shipId)) {
                code = rules::SunkStage + static_cast<std::int32_t>(ship.shipId);
            }
        }
    }
    TheGame().fleets[side][fleetIndex].hits = TheGame().fleets[side][fleetIndex].length;
    ship.SetVisible(1, nullptr);
    ship.Sink(nullptr);
}

// Hits every cell of a ship but the last (in board order), which stays untouched.
inline Cell HitAllButOneCell(int side, int fleetIndex) {
    fleet::Ship& ship = ShipAt(side, fleetIndex);
    Cell last;
    int hit = 0;
    for (int x = 0; x < rules::BoardSize; ++x) {
        for (int y = 0; y < rules::BoardSize; ++y) {
            std::int32_t& code = TheGame().boards[side][x][y];
            if (code != static_cast<std::int32_t>(ship.shipId)) continue;
            if (hit == ship.length - 1) {
                last = Cell{x, y};
                continue;
            }
            code += rules::HitStage;
            ++hit;
        }
    }
    TheGame().fleets[side][fleetIndex].hits = hit;
    return last;
}

// Every water cell of the board becomes a miss.
inline void MissAllWater(int side) {
    for (auto& column : TheGame().boards[side]) {
        for (std::int32_t& code : column) {
            if (code == rules::Water) code = rules::Miss;
        }
    }
}

// The pop-up windows open now, oldest first.
inline std::vector<platform::Window*> OpenPopups() {
    std::vector<platform::Window*> popups;
    for (platform::Window* window : platform::TopLevelWindows()) {
        if (window->windowClass != nullptr && window->windowClass->name == "Splash") {
            popups.push_back(window);
        }
    }
    return popups;
}

// Whether the window shows the program's bitmap resource pixel for pixel.
inline bool ShowsResourcePicture(const platform::Window* window, int bitmapId) {
    platform::Bitmap* picture = platform::LoadBitmap(&resources::ProgramResources(), bitmapId);
    if (picture == nullptr) return false;
    const bool same = picture->width == window->surface.width &&
                      picture->height == window->surface.height &&
                      picture->pixels == window->surface.pixels;
    platform::DeleteObject(picture);
    return same;
}

inline bool IsListedCode(std::int32_t code) {
    return (code >= 0 && code <= 5) || (code >= 10 && code <= 15) || (code >= 20 && code <= 25) ||
           (code >= 31 && code <= 35);
}

// Counts of the sounds started so far, by file.
inline int SoundsStarted(const platform::FakeAudio& audio, const std::string& file) {
    int count = 0;
    for (const std::string& played : audio.SoundFiles()) count += played == file;
    return count;
}

}  // namespace scenario
