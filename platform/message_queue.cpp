// platform/message_queue.cpp: the thread's message queue. Posted messages come first in the order
// they were posted; then a paint request for a window with a marked area; then a due timer.
#include <algorithm>
#include <optional>

#include "platform/core_state.h"
#include "platform/messages.h"
#include "platform/timers.h"

namespace platform {

using core::Core;
using core::IsLive;

namespace {

bool IsSelfOrDescendant(const Window* candidate, const Window* ancestor) {
    for (const Window* w = candidate; w != nullptr;
         w = (w->style & WS_CHILD) ? w->parent : nullptr) {
        if (w == ancestor) return true;
    }
    return false;
}

bool InRange(std::uint32_t message, std::uint32_t first, std::uint32_t last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

// The quit request matches every filter, so no nested fetch can hide it from the main loop.
bool Matches(const Message& m, const Window* window, std::uint32_t first, std::uint32_t last) {
    if (m.message == WM_QUIT) return true;
    if (window != nullptr && !IsSelfOrDescendant(m.window, window)) return false;
    return InRange(m.message, first, last);
}

bool IsShown(const Window* window) {
    for (const Window* w = window; w != nullptr; w = (w->style & WS_CHILD) ? w->parent : nullptr) {
        if (!w->visible) return false;
    }
    return true;
}

std::optional<Message> TakeFrom(std::deque<Message>& queue, const Window* window,
                                std::uint32_t first, std::uint32_t last, bool remove) {
    auto found = std::find_if(queue.begin(), queue.end(),
                              [&](const Message& m) { return Matches(m, window, first, last); });
    if (found == queue.end()) return std::nullopt;
    Message m = *found;
    if (remove) queue.erase(found);
    return m;
}

std::optional<Message> TakePosted(const Window* window, std::uint32_t first, std::uint32_t last,
                                  bool remove) {
    if (auto m = TakeFrom(Core().queue, window, first, last, remove)) return m;
    return TakeFrom(Core().input, window, first, last, remove);
}

// A paint request is produced once per marked area: one that is fetched and dropped (as the
// carry loop does) is produced again only after the area changes or a message is dispatched, so
// a loop that drops paint requests waits for input instead of spinning.
std::optional<Message> TakePaint(const Window* window, std::uint32_t first, std::uint32_t last,
                                 bool remove) {
    if (!InRange(WM_PAINT, first, last)) return std::nullopt;
    for (Window* top : Core().topLevel) {
        if (!IsLive(top) || top->updateArea.IsEmpty() || top->paintRequested || !IsShown(top)) {
            continue;
        }
        if (window != nullptr && !IsSelfOrDescendant(top, window)) continue;
        if (remove) top->paintRequested = true;
        return Message{top, WM_PAINT, 0, 0, CurrentHost().TickMilliseconds()};
    }
    return std::nullopt;
}

std::optional<Message> TakeTimer(const Window* window, std::uint32_t first, std::uint32_t last,
                                 bool remove) {
    if (!InRange(WM_TIMER, first, last)) return std::nullopt;
    const std::uint64_t now = CurrentHost().TickMilliseconds();
    for (core::Timer& timer : Core().timers) {
        if (timer.due > now) continue;
        if (window != nullptr && !IsSelfOrDescendant(timer.window, window)) continue;
        if (remove) timer.due = now + timer.period;
        return Message{timer.window, WM_TIMER, timer.id, 0, now};
    }
    return std::nullopt;
}

std::optional<Message> Take(const Window* window, std::uint32_t first, std::uint32_t last,
                            bool remove) {
    if (auto m = TakePosted(window, first, last, remove)) return m;
    if (auto m = TakePaint(window, first, last, remove)) return m;
    return TakeTimer(window, first, last, remove);
}

std::optional<std::uint64_t> NextTimerDue(const Window* window, std::uint32_t first,
                                          std::uint32_t last) {
    if (!InRange(WM_TIMER, first, last)) return std::nullopt;
    std::optional<std::uint64_t> next;
    for (const core::Timer& timer : Core().timers) {
        if (window != nullptr && !IsSelfOrDescendant(timer.window, window)) continue;
        if (!next || timer.due < *next) next = timer.due;
    }
    return next;
}

LRESULT CallProcedure(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (!IsLive(window) || window->procedure == nullptr) return 0;
    ++Core().dispatchDepth;
    const LRESULT result = window->procedure(window, message, wParam, lParam);
    --Core().dispatchDepth;
    return result;
}

}  // namespace

bool GetMessage(Message* message, Window* window, std::uint32_t first, std::uint32_t last) {
    for (;;) {
        core::CollectDestroyedWindows();
        auto taken = Take(window, first, last, true);
        if (!taken) {
            CurrentHost().PollInput();
            taken = Take(window, first, last, true);
        }
        if (taken) {
            *message = *taken;
            return message->message != WM_QUIT;
        }
        CurrentHost().WaitForInput(NextTimerDue(window, first, last));
    }
}

bool PeekMessage(Message* message, Window* window, std::uint32_t first, std::uint32_t last,
                 std::uint32_t remove) {
    core::CollectDestroyedWindows();
    CurrentHost().PollInput();
    auto taken = Take(window, first, last, (remove & PM_REMOVE) != 0);
    if (!taken) return false;
    *message = *taken;
    return true;
}

LRESULT DispatchMessage(const Message* message) {
    if (message == nullptr || message->message == WM_QUIT) return 0;
    for (Window* top : Core().topLevel) top->paintRequested = false;
    return CallProcedure(message->window, message->message, message->wParam, message->lParam);
}

bool PostMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && !IsLive(window)) return false;
    const std::uint64_t now = core::HostOrNull() ? CurrentHost().TickMilliseconds() : 0;
    Core().queue.push_back(Message{window, message, wParam, lParam, now});
    return true;
}

LRESULT SendMessage(Window* window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
    return CallProcedure(window, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    PostMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}

bool IsMessageWaiting(bool (*matches)(const Message& message)) {
    for (const std::deque<Message>* queue : {&Core().queue, &Core().input}) {
        if (std::any_of(queue->begin(), queue->end(), matches)) return true;
    }
    return false;
}

namespace core {

void ForgetMessagesFor(const Window* window) {
    for (std::deque<Message>* queue : {&Core().queue, &Core().input}) {
        queue->erase(std::remove_if(queue->begin(), queue->end(),
                                    [window](const Message& m) { return m.window == window; }),
                     queue->end());
    }
}

void QueueInput(const Message& message) {
    if (message.window != nullptr && !IsLive(message.window)) return;
    auto& input = Core().input;
    // Moves are folded together, as a burst of them says no more than the last one.
    if (message.message == WM_MOUSEMOVE && !input.empty() && input.back().message == WM_MOUSEMOVE &&
        input.back().window == message.window) {
        input.pop_back();
    }
    input.push_back(message);
}

}  // namespace core

bool SetTimer(Window* window, std::uintptr_t id, std::uint32_t milliseconds) {
    if (!IsLive(window)) return false;
    KillTimer(window, id);
    const std::uint64_t now = CurrentHost().TickMilliseconds();
    Core().timers.push_back(core::Timer{window, id, milliseconds, now + milliseconds});
    return true;
}

bool KillTimer(Window* window, std::uintptr_t id) {
    auto& timers = Core().timers;
    const auto before = timers.size();
    timers.erase(
        std::remove_if(timers.begin(), timers.end(),
                       [&](const core::Timer& t) { return t.window == window && t.id == id; }),
        timers.end());
    return timers.size() != before;
}

void ResetMessageQueue() {
    core::State& state = Core();
    for (Window* top : std::vector<Window*>(state.topLevel)) DestroyWindow(top);
    state.queue.clear();
    state.input.clear();
    state.timers.clear();
    state.capture = nullptr;
    state.lastLeftPress = core::LastPress{};
    state.classes.clear();
    state.dispatchDepth = 0;
    state.destroyed.clear();
}

}  // namespace platform
