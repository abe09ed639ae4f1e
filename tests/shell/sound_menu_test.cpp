// Scenario tests of sound in the running program on the test host: the start-up message and menu
// items without a wave output, and the Sound On and Off commands.
#include <gtest/gtest.h>

#include <vector>

#include "platform/menus.h"
#include "resources/program_resources.h"
#include "shell/main_window.h"
#include "sound/sound_effects.h"
#include "tests/support/game_on_test_host.h"
#include "windows/program_handles.h"

namespace {

using resources::IDM_SOUND_OFF;
using resources::IDM_SOUND_ON;

struct SoundItems {
    bool onChecked;
    bool offChecked;
    bool onGrayed;
    bool offGrayed;
};

// The "No Sound" boxes among those shown (a build without its pictures shows others too).
std::vector<platform::RecordedMessageBox> NoSoundBoxes(const platform::TestHost& host) {
    std::vector<platform::RecordedMessageBox> boxes;
    for (const auto& box : host.MessageBoxes()) {
        if (box.caption == "No Sound") boxes.push_back(box);
    }
    return boxes;
}

SoundItems ReadSoundItems() {
    const platform::MenuItem* on = platform::FindMenuItem(windows::App.MainMenu, IDM_SOUND_ON);
    const platform::MenuItem* off = platform::FindMenuItem(windows::App.MainMenu, IDM_SOUND_OFF);
    EXPECT_NE(on, nullptr);
    EXPECT_NE(off, nullptr);
    if (on == nullptr || off == nullptr) return {};
    return {on->checked, off->checked, on->grayed, off->grayed};
}

TEST(SoundMenu, WithoutWaveOutputTellsOnceBeforeTheWindowShowsAndGraysBothItems) {
    sound::SoundOn = 1;  // as at the start of a run
    testing_support::GameOnTestHost game;
    game.audio.SetWaveOutput(false);
    bool windowShownAtMessage = true;
    game.host.onMessageBox = [&](const platform::RecordedMessageBox& box) {
        if (box.caption != "No Sound") return;
        windowShownAtMessage =
            windows::App.MainWindow != nullptr && windows::App.MainWindow->visible;
    };
    SoundItems items{};
    game.Then([&] {
        items = ReadSoundItems();
        // Sound stays off: a new game's siren is not asked for.
        game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_NEW);
    });
    game.Then([&] {});

    EXPECT_EQ(game.Run(), 0);
    const auto boxes = NoSoundBoxes(game.host);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No Sound Device Was Detected.");
    EXPECT_FALSE(windowShownAtMessage);
    EXPECT_EQ(sound::SoundOn, 0);
    EXPECT_FALSE(items.onChecked);
    EXPECT_TRUE(items.offChecked);
    EXPECT_TRUE(items.onGrayed);
    EXPECT_TRUE(items.offGrayed);
    EXPECT_TRUE(game.audio.Calls().empty());
}

TEST(SoundMenu, OnAndOffSwitchFlagAndMarksWithoutStoppingThePlayingSound) {
    sound::SoundOn = 1;  // as at the start of a run
    testing_support::GameOnTestHost game;
    game.audio.SetDuration("siren.wav", 60'000);  // still playing through every step below
    SoundItems atStart{}, afterOff{}, afterOn{};
    std::uint8_t soundAfterOff = 1;
    bool playingAfterOff = false;
    game.Then([&] {
        atStart = ReadSoundItems();
        game.host.ChooseMenu(windows::App.MainWindow, IDM_SOUND_OFF);
    });
    game.Then([&] {
        afterOff = ReadSoundItems();
        soundAfterOff = sound::SoundOn;
        playingAfterOff = game.audio.IsPlaying();
        game.host.ChooseMenu(windows::App.MainWindow, resources::IDM_NEW);  // silent: sound is off
    });
    game.Then([&] { game.host.ChooseMenu(windows::App.MainWindow, IDM_SOUND_ON); });
    game.Then([&] { afterOn = ReadSoundItems(); });

    EXPECT_EQ(game.Run(), 0);
    EXPECT_TRUE(NoSoundBoxes(game.host).empty());
    EXPECT_TRUE(atStart.onChecked);
    EXPECT_FALSE(atStart.offChecked);
    EXPECT_FALSE(atStart.onGrayed);
    EXPECT_FALSE(atStart.offGrayed);

    EXPECT_EQ(soundAfterOff, 0);
    EXPECT_FALSE(afterOff.onChecked);
    EXPECT_TRUE(afterOff.offChecked);
    EXPECT_TRUE(playingAfterOff);

    EXPECT_EQ(sound::SoundOn, 1);
    EXPECT_TRUE(afterOn.onChecked);
    EXPECT_FALSE(afterOn.offChecked);

    // Only the start-up siren was asked for, and it played its whole length.
    ASSERT_EQ(game.audio.Calls().size(), 1u);
    EXPECT_EQ(game.audio.Calls()[0].file, "siren.wav");
    ASSERT_EQ(game.audio.Sounds().size(), 1u);
    EXPECT_EQ(game.audio.Sounds()[0].endMilliseconds - game.audio.Sounds()[0].startMilliseconds,
              60'000u);
}

}  // namespace
