// platform/test/test_host.cpp: the headless host's script, clock and recordings.
#include "platform/test/test_host.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "platform/input.h"
#include "platform/messages.h"
#include "platform/qt/qt_text.h"
#include "platform/sockets.h"
#include "platform/text_service.h"

namespace platform {

TestHost::TestHost(ScreenFacts screen) : screen_(screen) {
    // The desktop's text, so that what a test sees drawn is what a player sees.
    static QtText text;
    SetTextService(&text);
}

void TestHost::Then(std::function<void()> step) { steps_.push_back(std::move(step)); }

void TestHost::WaitForInput(std::optional<std::uint64_t> untilTick) {
    if (ServiceSockets()) return;
    if (nextStep_ < steps_.size()) {
        // Steps may add steps; take this one out before running it.
        std::function<void()> step = std::move(steps_[nextStep_++]);
        step();
        return;
    }
    if (WaitForSockets(untilTick)) return;
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

void TestHost::PollInput() { ServiceSockets(); }

void TestHost::ThenWhen(std::function<bool()> ready, std::function<void()> then,
                        std::uint64_t patienceMilliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMilliseconds);
    // The step puts itself back in front of the script until it is done; the program takes what
    // the sockets brought between two of its runs.
    // Only the queued steps own it, so nothing is kept once it is done.
    auto step = std::make_shared<std::function<void()>>();
    std::weak_ptr<std::function<void()>> self = step;
    *step = [this, ready = std::move(ready), then = std::move(then), deadline, self] {
        if (ready() || std::chrono::steady_clock::now() >= deadline) {
            then();
            return;
        }
        if (!WaitForSockets(clock_.NowMilliseconds() + 20)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (auto again = self.lock()) {
            steps_.insert(steps_.begin() + static_cast<std::ptrdiff_t>(nextStep_),
                          [again] { (*again)(); });
        }
    };
    Then([step] { (*step)(); });
}

bool TestHost::WaitForSockets(std::optional<std::uint64_t> untilTick) {
    // The peer lives in real time, the program in virtual time: give the peer real time, up to
    // the next timer's distance and never beyond the patience, before moving the clock on.
    std::uint64_t patience = socketPatienceMilliseconds;
    if (untilTick)
        patience = std::min(patience, *untilTick - std::min(*untilTick, clock_.NowMilliseconds()));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patience);
    for (;;) {
        const std::vector<SocketWatch> watches = SocketsToWatch();
        if (watches.empty()) return false;
        std::vector<pollfd> polled;
        for (const SocketWatch& w : watches) {
            polled.push_back(pollfd{
                .fd = w.descriptor,
                .events = static_cast<short>((w.read ? POLLIN : 0) | (w.write ? POLLOUT : 0)),
                .revents = 0});
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        poll(polled.data(), polled.size(), static_cast<int>(left.count()));
        if (ServiceSockets()) return true;
    }
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

void TestHost::OpenMessageBox(const std::string& text, const std::string& caption, unsigned type) {
    RecordedMessageBox box{text, caption, clock_.NowMilliseconds(), type};
    messageBoxes_.push_back(box);
    messageBoxOpen_ = holdMessageBoxes;
    // A box not held is answered with its first button.
    answer_ = type == MB_YESNO ? IDYES : IDOK;
    if (onMessageBox) onMessageBox(box);
}

void TestHost::OpenTextBox(const std::string& prompt, const std::string& caption,
                           const std::string& text) {
    boxText_ = text;
    OpenMessageBox(prompt, caption, MB_OKCANCEL);
}

}  // namespace platform
