// platform/core_state.h: the core's own bookkeeping (windows, classes, the queue, timers,
// capture), shared by the core's files and by no one else.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace platform::core {

struct Timer {
    Window* window = nullptr;
    std::uintptr_t id = 0;
    std::uint32_t period = 0;
    std::uint64_t due = 0;
};

struct LastPress {
    Window* window = nullptr;
    std::uint64_t time = 0;
    int x = 0;
    int y = 0;
};

struct State {
    std::map<std::string, std::unique_ptr<WindowClass>> classes;
    std::set<const Window*> live;
    std::vector<Window*> topLevel;  // in creation order
    // Destroyed windows are kept until no procedure can still be running with their address, so a
    // handler that goes on after its window was destroyed never touches freed memory.
    std::vector<std::unique_ptr<Window>> destroyed;
    // Posted messages come before input, as on the classic desktop: a message that a nested loop
    // posts again is seen before the input that was already waiting behind it.
    std::deque<Message> queue;
    std::deque<Message> input;
    std::vector<Timer> timers;
    Window* capture = nullptr;
    // Message boxes waiting for the player: while one is up, no window takes the capture from it.
    int messageBoxesOpen = 0;
    LastPress lastLeftPress;
    int dispatchDepth = 0;
    std::vector<std::unique_ptr<Menu>> menus;
};

State& Core();
bool IsLive(const Window* window);
Host* HostOrNull();

// The frame around a top-level window's client area: left/right border, top (caption, menu and
// border) and bottom border, from its style and the host's metrics.
struct FrameSizes {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
FrameSizes FrameOf(const Window& window);
// Recomputes the client size from the outer rectangle and resizes the backing surface.
void UpdateClientArea(Window& window);
// Makes the backing surface the client size at this scale, keeping what fits of its pixels.
void ResizeSurface(Window& window, double scale);
// A pixel ratio a surface can take: 1 to 4, 1 for anything senseless.
double ClampedRatio(double ratio);
// Where the client area's origin lies on the screen.
Point ClientOriginOnScreen(const Window& window);

// Frees destroyed windows once no message is being handled.
void CollectDestroyedWindows();
void ForgetMessagesFor(const Window* window);
// Queues a message from the toolkit's input, behind the other input and after every posted one.
void QueueInput(const Message& message);

}  // namespace platform::core
