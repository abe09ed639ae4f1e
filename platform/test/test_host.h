// platform/test/test_host.h: the headless host. The screen is scripted, time is virtual, message
// boxes are recorded and answered at once, and input is injected by the test. Whenever the
// program waits for input with nothing queued, the next step of the test's script runs; with the
// script used up, a due timer is reached by moving the clock, and otherwise the program is asked
// to quit, so a test runs the real program from start to exit with no display and no sleeping.
// Open sockets are real: the host waits for them, bounded in real time, before moving the clock.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/message_box.h"
#include "platform/test/virtual_clock.h"
#include "platform/window.h"

namespace platform {

struct RecordedMessageBox {
    std::string text;
    std::string caption;
    std::uint64_t time = 0;
    unsigned type = 0;  // MB_OK, MB_OKCANCEL or MB_YESNO; a text box is MB_OKCANCEL
};

class TestHost : public Host {
  public:
    explicit TestHost(ScreenFacts screen = ScreenFacts{});

    // Steps run in order, one each time the program waits with nothing to do.
    void Then(std::function<void()> step);
    bool ScriptFinished() const { return nextStep_ >= steps_.size(); }
    // A step that gives a peer on the network real time, and the program what the peer sent, until
    // `ready` holds or the patience is spent; then `then` runs (after a spent patience too: the
    // test's own checks tell what did not come). Virtual time stands still meanwhile.
    void ThenWhen(std::function<bool()> ready, std::function<void()> then,
                  std::uint64_t patienceMilliseconds = 10000);

    // Input, queued at once as the toolkit would report it.
    void Press(Window* window, int x, int y);
    void Release(Window* window, int x, int y);
    void Click(Window* window, int x, int y);
    void DoubleClick(Window* window, int x, int y);
    void RightClick(Window* window, int x, int y);
    void ChooseMenu(Window* window, int commandId);
    // A click on the child control with the id (a push button), as the toolkit reports it.
    void ClickControl(Window* parent, int controlId);
    void RequestClose(Window* window);
    // A key pressed on the window (platform/virtual_keys.h).
    void PressKey(Window* window, WPARAM key);

    VirtualClock& Clock() { return clock_; }
    const std::vector<RecordedMessageBox>& MessageBoxes() const { return messageBoxes_; }
    // Runs when a message box is shown, before it is answered.
    // Boxes are answered at once, unless held: then a box waits until a step of the script
    // answers it, while the program goes on with its timers and paints.
    bool holdMessageBoxes = false;
    // Closes the box with the button `answer`; a text box's text becomes `text`.
    void AnswerMessageBox(int answer = IDOK, std::string text = {}) {
        messageBoxOpen_ = false;
        answer_ = answer;
        boxText_ = std::move(text);
    }
    std::function<void(const RecordedMessageBox&)> onMessageBox;
    int PresentCount() const { return presentCount_; }
    // How often the program waited with nothing left to do and was asked to quit.
    int QuitRequests() const { return quitRequests_; }
    // How long, in real milliseconds, the program may wait for its open sockets (a peer on the
    // loopback address) once the script is used up, before the clock moves to the next timer or,
    // with none, the program is asked to quit. A test that waits on a socket thus never hangs.
    std::uint64_t socketPatienceMilliseconds = 5000;

    ScreenFacts Screen() const override { return screen_; }
    void SetScreen(const ScreenFacts& screen) { screen_ = screen; }
    std::uint64_t TickMilliseconds() override { return clock_.NowMilliseconds(); }
    std::int64_t CalendarSeconds() override { return clock_.CalendarSeconds(); }
    void WaitForInput(std::optional<std::uint64_t> untilTick) override;
    void PollInput() override;
    void WindowCreated(Window&) override {}
    void WindowDestroyed(Window&) override {}
    void WindowChanged(Window&) override {}
    void MenuChanged(Window&) override {}
    void ScrollBarChanged(Window&) override {}
    void Present(Window& window, const Rect& area) override;
    void CaptureChanged(Window*) override {}
    void OpenMessageBox(const std::string& text, const std::string& caption,
                        unsigned type) override;
    void OpenTextBox(const std::string& prompt, const std::string& caption,
                     const std::string& text) override;
    bool MessageBoxOpen() override { return messageBoxOpen_; }
    int MessageBoxAnswer() override { return answer_; }
    std::string TextBoxText() override { return boxText_; }

  private:
    // Waits for the open sockets, if any, in real time; true when they posted a message.
    bool WaitForSockets(std::optional<std::uint64_t> untilTick);

    ScreenFacts screen_;
    VirtualClock clock_;
    std::vector<std::function<void()>> steps_;
    std::size_t nextStep_ = 0;
    std::vector<RecordedMessageBox> messageBoxes_;
    bool messageBoxOpen_ = false;
    int answer_ = IDOK;
    std::string boxText_;
    int presentCount_ = 0;
    int quitRequests_ = 0;
};

}  // namespace platform
