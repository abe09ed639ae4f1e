// platform/test/test_host.cpp: the headless host's script, clock and recordings.
#include "platform/test/test_host.h"

#include <cstdio>
#include <cstdlib>

#include "platform/input.h"
#include "platform/messages.h"

namespace platform {

TestHost::TestHost(ScreenFacts screen) : screen_(screen) {}

void TestHost::Then(std::function<void()> step) { steps_.push_back(std::move(step)); }

void TestHost::WaitForInput(std::optional<std::uint64_t> untilTick) {
    if (nextStep_ < steps_.size()) {
        // Steps may add steps; take this one out before running it.
        std::function<void()> step = std::move(steps_[nextStep_++]);
        step();
        return;
    }
    if (untilTick) {
        clock_.AdvanceTo(*untilTick);
        return;
    }
    // Nothing more will happen: ask the program to end. A program that keeps waiting after many
    // such requests would never end, which is a fault worth stopping the test for.
    if (++quitRequests_ > 1000) {
        std::fputs("TestHost: the program keeps waiting after being asked to quit\n", stderr);
        std::abort();
    }
    PostQuitMessage(0);
}

void TestHost::Press(Window* window, int x, int y) {
    QueueMouseInput(window, MouseAction::LeftDown, x, y);
}

void TestHost::Release(Window* window, int x, int y) {
    QueueMouseInput(window, MouseAction::LeftUp, x, y);
}

// Separate clicks are a player's pace apart, so two at one point never make a double-click.
constexpr std::uint64_t kBetweenClicks = 700;

void TestHost::Click(Window* window, int x, int y) {
    clock_.Advance(kBetweenClicks);
    Press(window, x, y);
    Release(window, x, y);
}

void TestHost::DoubleClick(Window* window, int x, int y) {
    Click(window, x, y);
    Press(window, x, y);
    Release(window, x, y);
}

void TestHost::RightClick(Window* window, int x, int y) {
    clock_.Advance(kBetweenClicks);
    QueueMouseInput(window, MouseAction::RightDown, x, y);
    QueueMouseInput(window, MouseAction::RightUp, x, y);
}

void TestHost::ChooseMenu(Window* window, int commandId) { QueueMenuCommand(window, commandId); }

void TestHost::ClickControl(Window* parent, int controlId) {
    if (parent == nullptr) return;
    for (Window* child : parent->children) {
        if (child->id == controlId) {
            Click(child, child->rect.Width() / 2, child->rect.Height() / 2);
            return;
        }
    }
}

void TestHost::RequestClose(Window* window) { QueueCloseRequest(window); }

void TestHost::PressKey(Window* window, WPARAM key) { QueueKeyInput(window, key); }

void TestHost::Present(Window&, const Rect&) { ++presentCount_; }

void TestHost::OpenMessageBox(const std::string& text, const std::string& caption) {
    RecordedMessageBox box{text, caption, clock_.NowMilliseconds()};
    messageBoxes_.push_back(box);
    messageBoxOpen_ = holdMessageBoxes;
    if (onMessageBox) onMessageBox(box);
}

}  // namespace platform
