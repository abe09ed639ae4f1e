// tests/scenarios/opponent_level_test.cpp: Options > Opponent on the test host: the level chosen
// is checked in the menu and taken up by the next new game only, and an Expert game is played
// out to its end through the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "resources/resource_ids.h"
#include "rules/game.h"
#include "setup/status_line.h"
#include "sound/sound_effects.h"
#include "tests/scenarios/battle_scenario.h"
#include "windows/program_handles.h"

namespace {

using namespace scenario;
using rules::Level;

bool Checked(int id) {
    const platform::MenuItem* item = platform::FindMenuItem(windows::App.MainMenu, id);
    return item != nullptr && item->checked;
}

TEST(OpponentLevel, TakesEffectAtTheNextNewGameAndAnExpertGamePlaysToItsEnd) {
    BattleGame game;
    game.Then([] {
        EXPECT_TRUE(Checked(resources::IDM_OPPONENT_STANDARD));
        EXPECT_FALSE(Checked(resources::IDM_OPPONENT_EXPERT));
        EXPECT_EQ(TheGame().level, Level::Standard);
    });
    game.Then(
        [&] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_OPPONENT_EXPERT); });
    game.Then([] {
        EXPECT_TRUE(Checked(resources::IDM_OPPONENT_EXPERT));
        EXPECT_FALSE(Checked(resources::IDM_OPPONENT_STANDARD));
        EXPECT_EQ(TheGame().level,
                  Level::Standard);  // the game being laid out keeps its own
    });
    game.Then([&] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_NEW); });
    game.Then([] { EXPECT_EQ(TheGame().level, Level::Expert); });
    game.StartBattle();
    // Back to Standard in the middle of the battle: this game stays Expert to its end.
    game.Then(
        [&] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_OPPONENT_STANDARD); });
    SalvoPlayer player(game, /*shootShipsFirst=*/false, [&] {
        EXPECT_STREQ(setup::Status.StatusText, "YOU LOST!!!");
        EXPECT_EQ(rules::ShipsAfloat(TheGame(), rules::Player), 0);
        EXPECT_EQ(TheGame().level, Level::Expert);
        EXPECT_EQ(shell::TheSession.chosenLevel, Level::Standard);
    });
    player.Start();
    EXPECT_EQ(game.Run(), 0);
}

// A settings file from an earlier run: the first game is Expert, and the sound stays off.
TEST(OpponentLevel, StartsWithTheLevelAndSoundKeptFromTheLastRun) {
    char pattern[] = "/tmp/tidewrack-settings-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string home = pattern;
    std::filesystem::create_directories(home + "/tidewrack");
    std::ofstream(home + "/tidewrack/settings.ini") << "[Options]\nOpponent=Expert\nSound=Off\n";
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    {
        BattleGame game;
        game.Then([] {
            EXPECT_EQ(TheGame().level, Level::Expert);
            EXPECT_TRUE(Checked(resources::IDM_OPPONENT_EXPERT));
            EXPECT_FALSE(Checked(resources::IDM_OPPONENT_STANDARD));
            EXPECT_EQ(sound::SoundOn, 0);
            EXPECT_TRUE(Checked(resources::IDM_SOUND_OFF));
            EXPECT_FALSE(Checked(resources::IDM_SOUND_ON));
        });
        game.Then([&] { game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_EXIT); });
        EXPECT_EQ(game.Run(), 0);
        EXPECT_TRUE(game.audio.SoundFiles().empty());
    }
    std::filesystem::remove_all(home);
}

}  // namespace
