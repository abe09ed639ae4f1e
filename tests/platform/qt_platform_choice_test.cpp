// tests/platform/qt_platform_choice_test.cpp: the X display is asked for only when the player has
// not chosen a platform and one is named.
#include "platform/qt/qt_platform_choice.h"

#include <gtest/gtest.h>

namespace {

TEST(QtPlatformChoice, AnXDisplayIsPreferredOnlyWhenThePlayerChoseNone) {
    struct Case {
        const char* playerChoice;
        const char* xDisplay;
        const char* request;
    };
    const Case cases[] = {
        {nullptr, ":0", "xcb;wayland"},  // a Wayland session with XWayland, or plain X
        {"", ":1", "xcb;wayland"},       // set but empty counts as not set, as Qt reads it
        {"wayland", ":0", ""},           // the player's choice stands
        {"xcb", ":0", ""},
        {nullptr, nullptr, ""},  // no X display: Qt's own choice
        {nullptr, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::QtPlatformToRequest(c.playerChoice, c.xDisplay), c.request)
            << (c.playerChoice ? c.playerChoice : "(unset)") << " / "
            << (c.xDisplay ? c.xDisplay : "(unset)");
    }
}

}  // namespace
