// platform/qt/qt_host.h: the real host. Windows are Qt widgets that show their backing surface;
// the main window carries a QMenuBar built from the menu model and real QPushButton and QFrame
// children; message boxes are QMessageBox. Qt's events only become queued messages: no Qt
// handler ever calls game code.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "platform/host.h"

class QWidget;

namespace platform {

class ModuleResources;
class ScreenGrab;

class QtHost : public Host {
  public:
    // A QApplication must exist for the whole life of the host.
    QtHost();
    ~QtHost() override;

    ScreenFacts Screen() const override;
    std::uint64_t TickMilliseconds() override;
    std::int64_t CalendarSeconds() override;
    void WaitForInput(std::optional<std::uint64_t> untilTick) override;
    void PollInput() override;
    void WindowCreated(Window& window) override;
    void WindowDestroyed(Window& window) override;
    void WindowChanged(Window& window) override;
    void MenuChanged(Window& window) override;
    void ScrollBarChanged(Window& window) override;
    void Present(Window& window, const Rect& area) override;
    void CaptureChanged(Window* window) override;
    void OpenMessageBox(const std::string& text, const std::string& caption,
                        unsigned type) override;
    void OpenTextBox(const std::string& prompt, const std::string& caption,
                     const std::string& text) override;
    bool MessageBoxOpen() override;
    int MessageBoxAnswer() override { return answer_; }
    std::string TextBoxText() override { return boxText_; }

  private:
    void GrabIfShown();
    // Arms a notifier for every socket descriptor the core waits on, so that a wait in Qt's
    // event loop also ends when a socket is ready; the core then does the socket's work.
    void WatchSockets();
    const QIcon& IconOf(const ModuleResources& instance, int iconId);

    ScreenFacts facts_;
    QElapsedTimer clock_;
    QTimer wakeUp_;
    void ShowBox(QDialog* box);

    QPointer<QDialog> messageBox_;  // the box waiting for the player, if any
    int answer_ = 0;
    std::string boxText_;
    Window* capture_ = nullptr;
    std::map<std::pair<const ModuleResources*, int>, QIcon> icons_;
    std::unique_ptr<ScreenGrab> grab_;  // held while the capture's window is shown
    struct SocketNotifiers {
        std::unique_ptr<QSocketNotifier> read;
        std::unique_ptr<QSocketNotifier> write;
    };
    std::map<int, SocketNotifiers> socketNotifiers_;  // by descriptor
};

}  // namespace platform
