// tests/shell/display_check_test.cpp: which screens the game accepts, the size it chooses,
// and the message (and exit code 0) for those it refuses.
#include <gtest/gtest.h>

#include <string>

#include "setup/layout_scale.h"
#include "tests/support/game_on_test_host.h"

namespace {

constexpr const char* kColour =
    "Tidewrack requires a screen mode with at least 16-bit High Color.\n"
    "Please change your screen mode and try again.";
constexpr const char* kSize =
    "Tidewrack requires a screen size of at least 640 by 480 pixels.\n"
    "Please change your screen mode and try again.";

struct Screen {
    int width, height, bitsPerPixel;
    int chosenWidth, chosenHeight;  // 0: refused
    const char* message;
};

class DisplayCheck : public ::testing::TestWithParam<Screen> {};

TEST_P(DisplayCheck, ChoosesTheLargestSizeThatFitsOrRefusesWithItsMessage) {
    const Screen& screen = GetParam();
    platform::ScreenFacts facts;
    facts.width = screen.width;
    facts.height = screen.height;
    facts.bitsPerPixel = screen.bitsPerPixel;
    testing_support::GameOnTestHost game(facts);
    setup::Layout.ScreenWidth = 0;
    setup::Layout.ScreenHeight = 0;
    EXPECT_EQ(game.Run(), 0);
    if (screen.message == nullptr) {
        EXPECT_EQ(setup::Layout.ScreenWidth, screen.chosenWidth);
        EXPECT_EQ(setup::Layout.ScreenHeight, screen.chosenHeight);
        for (const auto& box : game.host.MessageBoxes()) {
            EXPECT_EQ(box.text.find("Tidewrack requires"), std::string::npos);
        }
    } else {
        ASSERT_EQ(game.host.MessageBoxes().size(), 1u);
        EXPECT_EQ(game.host.MessageBoxes()[0].text, screen.message);
        EXPECT_TRUE(platform::TopLevelWindows().empty()) << "no window before the test passes";
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, DisplayCheck,
                         ::testing::Values(Screen{1280, 1024, 32, 1024, 768, nullptr},
                                           Screen{1152, 864, 16, 1024, 768, nullptr},
                                           Screen{1024, 700, 24, 800, 600, nullptr},
                                           Screen{640, 480, 32, 640, 480, nullptr},
                                           Screen{600, 800, 32, 0, 0, kSize},
                                           Screen{1024, 768, 8, 0, 0, kColour},
                                           Screen{600, 400, 8, 0, 0, kColour}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             const Screen& s = info.param;
                             return std::to_string(s.width) + "x" + std::to_string(s.height) + "x" +
                                    std::to_string(s.bitsPerPixel);
                         });

}  // namespace
