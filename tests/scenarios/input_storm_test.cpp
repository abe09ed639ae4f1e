// tests/scenarios/input_storm_test.cpp: 100,000 random messages against the running game: mouse
// positions anywhere in 0..65535, random command values, double-clicks and right clicks, in every
// phase. The game must never crash, store a cell code outside the listed set, move salvoSlot out
// of 0..10, or stop answering.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/controls.h"
#include "tests/scenarios/battle_scenario.h"
#include "windows/program_handles.h"

namespace {

using namespace scenario;

constexpr int Messages = 100'000;
constexpr int MessagesPerStep = 250;

class Storm {
  public:
    explicit Storm(BattleGame& game) : game_(game) {}

    void Start() {
        game_.Then([this] { Step(); });
    }
    int Sent() const { return sent_; }

  private:
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // Half the positions are anywhere a 16-bit value can say, half land in the client area, where
    // the boards and the docks are, so that games are really played.
    platform::Point Position() {
        if (Below(2) == 0) return platform::Point{Below(65536), Below(65536)};
        return platform::Point{Below(windows::App.MainWindow->clientWidth + 1),
                               Below(windows::App.MainWindow->clientHeight + 1)};
    }

    // Every command the game knows, New and the sizes included, and random values; never Exit,
    // which would end the storm early.
    platform::WPARAM Command() {
        static constexpr platform::WPARAM known[] = {
            setup::ID_START,         setup::ID_PLACE_RANDOM,   setup::ID_ABOUT,
            resources::IDM_SOUND_ON, resources::IDM_SOUND_OFF, resources::IDM_SIZE_640,
            resources::IDM_SIZE_800, resources::IDM_SIZE_1024, resources::IDM_NEW};
        if (Below(3) == 0) {
            const auto value = static_cast<platform::WPARAM>(random_());
            return value == resources::IDM_EXIT ? 0 : value;
        }
        return known[Below(std::size(known))];
    }

    void SendOne() {
        platform::Window* window = windows::App.MainWindow;
        const platform::Point at = Position();
        const platform::LPARAM position = platform::MakePointParam(at.x, at.y);
        const int kind = Below(100);
        if (kind < 40) {
            // Through the host, as the toolkit reports clicks: the mouse goes to a pop-up that
            // holds it, and closes it.
            game_.host.Click(window, at.x, at.y);
        } else if (kind < 60) {
            platform::PostMessage(window, platform::WM_LBUTTONUP, 0, position);
        } else if (kind < 70) {
            game_.host.RightClick(window, at.x, at.y);
        } else if (kind < 78) {
            platform::PostMessage(window, platform::WM_RBUTTONUP, 0, position);
        } else if (kind < 86) {
            game_.host.DoubleClick(window, at.x, at.y);
        } else if (kind < 90) {
            platform::PostMessage(window, platform::WM_LBUTTONDBLCLK, 0, position);
        } else if (kind < 93) {
            platform::PostMessage(window, platform::WM_MOUSEMOVE, 0, position);
        } else {
            platform::PostMessage(window, platform::WM_COMMAND, Command(), 0);
        }
    }

    void ExpectValidState() {
        for (const rules::Board& board : TheGame().boards) {
            for (const auto& column : board) {
                for (std::int32_t code : column) ASSERT_TRUE(IsListedCode(code)) << code;
            }
        }
        ASSERT_GE(TheGame().salvoSlot, 0);
        ASSERT_LE(TheGame().salvoSlot, 10);
    }

    void Step() {
        ExpectValidState();
        if (testing::Test::HasFatalFailure()) return;
        if (sent_ >= Messages) return;
        for (int i = 0; i < MessagesPerStep; ++i) SendOne();
        sent_ += MessagesPerStep;
        game_.Then([this] { Step(); });
    }

    BattleGame& game_;
    std::mt19937 random_{20240611};
    int sent_ = 0;
};

TEST(InputStorm, RandomMessagesNeverBreakTheGame) {
    // The smallest screen keeps the many full-frame paints of the storm cheap.
    platform::ScreenFacts screen;
    screen.width = 640;
    screen.height = 480;
    BattleGame game(screen);
    game.audio.SetDefaultDuration(50);
    Storm storm(game);
    game.Then([&] { game.host.Clock().Advance(5000); });
    storm.Start();
    EXPECT_EQ(game.Run(), 0);
    EXPECT_EQ(storm.Sent(), Messages);
    // The storm did play: clicks landed on the boards and salvos were resolved.
    EXPECT_GT(SoundsStarted(game.audio, "drop.wav"), 0);
}

}  // namespace
