// platform/qt/qt_host.cpp: screen facts from QScreen and the style, waiting in Qt's event loop,
// windows shown as widgets, message boxes as QMessageBox.
#include "platform/qt/qt_host.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QStyle>
#include <QWindow>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/module_resources.h"
#include "platform/qt/qt_core_x_message_box.h"
#include "platform/qt/qt_font.h"
#include "platform/qt/qt_frame_extents.h"
#include "platform/qt/qt_window_widgets.h"
#include "platform/sockets.h"

namespace platform {

namespace {

TopLevelWidget* TopLevelOf(Window& window) {
    return (window.style & WS_CHILD) == 0 ? static_cast<TopLevelWidget*>(window.hostData) : nullptr;
}

QWidget* WidgetOf(Window& window) { return static_cast<QWidget*>(window.hostData); }

// Where a child control's widget goes: onto its parent's client surface.
QWidget* ClientSurfaceOf(Window* parent) {
    if (parent == nullptr) return nullptr;
    if (TopLevelWidget* top = TopLevelOf(*parent)) return top->Surface();
    return WidgetOf(*parent);
}

// A button's caption: in the font the game gave it, the very one its text is measured in, or
// the toolkit's own; its mnemonic letter marked as Qt marks one (an ampersand before it, which Qt
// shows as an underline and binds to Alt with the letter).
void ApplyCaption(QPushButton* button, const Window& window) {
    button->setFont(window.font ? QtFontOf(*window.font) : QApplication::font(button));
    QString caption = QString::fromStdString(window.text).replace("&", "&&");
    if (window.mnemonic != 0) {
        const int at = caption.indexOf(QChar(window.mnemonic), 0, Qt::CaseInsensitive);
        if (at >= 0) caption.insert(at, '&');
    }
    button->setText(caption);
}

// The caption the main window's height is laid out around, in logical pixels. The window manager
// draws it in screen pixels whatever the scale, and without one there is none: the style's guess
// would leave a strip of the screen bare below the window (27 pixels at a scale of 2). Rounded
// down, so that the window reaches the screen's bottom rather than stopping short of it.
int CaptionHeight(double pixelRatio) {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        if (const std::optional<int> drawn = AskCaptionHeight()) {
            return static_cast<int>(*drawn / (pixelRatio > 0 ? pixelRatio : 1.0));
        }
    }
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

Qt::WindowFlags FlagsFor(const Window& window) {
    if ((window.style & WS_CAPTION) != WS_CAPTION) {
        return Qt::Window | Qt::FramelessWindowHint;
    }
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (window.style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (window.style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    if (window.style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

QWidget* CreateControl(Window& window) {
    QWidget* parent = ClientSurfaceOf(window.parent);
    const std::string& className = window.windowClass->name;
    QWidget* widget = nullptr;
    if (className == "BUTTON") {
        auto* button = new FocusButton(parent);
        ApplyCaption(button, window);
        Window* target = &window;
        // A click becomes the press and release the core turns into the button's command, and the
        // keyboard goes back to the board: Space and Return there aim and place, not press the
        // button again.
        QObject::connect(button, &QPushButton::clicked, button, [target, parent] {
            const int x = target->rect.Width() / 2;
            const int y = target->rect.Height() / 2;
            QueueMouseInput(target, MouseAction::LeftDown, x, y);
            QueueMouseInput(target, MouseAction::LeftUp, x, y);
            if (parent != nullptr) parent->setFocus(Qt::OtherFocusReason);
        });
        widget = button;
    } else {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(2);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        widget = frame;
    }
    widget->setGeometry(window.rect.left, window.rect.top, window.rect.Width(),
                        window.rect.Height());
    widget->setEnabled(window.enabled);
    widget->setVisible(window.visible);
    return widget;
}

}  // namespace

// Holds the pointer for a widget on the whole screen, so that a release over the window manager's
// frames, the desktop or another program reaches it too. On X11 that takes a pointer grab of our
// own: the toolkit's grab does not check the display's answer, and the display refuses a grab on a
// window that is not on the screen yet (a window shown a moment ago may not be). A refused grab
// is tried again when the window is exposed, and a few times more for a second or two. A window
// that takes no input (the start-up picture) gets the toolkit's grab alone: holding the whole
// screen for it would only leave the desktop dead while it is up.
class ScreenGrab : public QObject {
  public:
    ScreenGrab(QWidget* widget, bool wholeScreen) : widget_(widget), wholeScreen_(wholeScreen) {
        widget->grabMouse();  // the toolkit's own routing of mouse events to the widget
        window_ = widget->windowHandle();
        x11_ = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!wholeScreen || window_ == nullptr || x11_ == nullptr || TryGrab()) return;
        window_->installEventFilter(this);
        retry_.setInterval(RetryMilliseconds);
        QObject::connect(&retry_, &QTimer::timeout, this, [this] {
            if (TryGrab() || ++retries_ >= MaxRetries) retry_.stop();
        });
        retry_.start();
    }
    ~ScreenGrab() override {
        if (grabbed_ && x11_ != nullptr) {
            xcb_ungrab_pointer(x11_->connection(), XCB_CURRENT_TIME);
            xcb_flush(x11_->connection());
        }
        if (widget_ != nullptr) widget_->releaseMouse();
    }
    QWidget* Widget() const { return widget_; }
    bool WholeScreen() const { return wholeScreen_; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Expose && !grabbed_ && TryGrab()) retry_.stop();
        return false;
    }

  private:
    static constexpr int RetryMilliseconds = 50;
    static constexpr int MaxRetries = 40;

    // Events over our own windows still go to them (the toolkit hands them to the widget);
    // all others come to the grabbing window.
    bool TryGrab() {
        if (grabbed_) return true;
        if (window_ == nullptr || !window_->isExposed()) return false;
        xcb_connection_t* connection = x11_->connection();
        const std::uint16_t events = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                     XCB_EVENT_MASK_POINTER_MOTION;
        const xcb_grab_pointer_cookie_t cookie = xcb_grab_pointer(
            connection, 1, static_cast<xcb_window_t>(window_->winId()), events, XCB_GRAB_MODE_ASYNC,
            XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE, XCB_CURRENT_TIME);
        xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(connection, cookie, nullptr);
        grabbed_ = reply != nullptr && reply->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(reply);
        if (grabbed_) window_->removeEventFilter(this);
        return grabbed_;
    }

    QPointer<QWidget> widget_;  // a widget deleted under the grab has let go of it already
    QPointer<QWindow> window_;
    bool wholeScreen_ = false;
    QNativeInterface::QX11Application* x11_ = nullptr;
    QTimer retry_;
    int retries_ = 0;
    bool grabbed_ = false;
};

QtHost::QtHost() {
    clock_.start();
    wakeUp_.setSingleShot(true);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        facts_.width = screen->geometry().width();
        facts_.height = screen->geometry().height();
        facts_.bitsPerPixel = screen->depth();
        facts_.logicalDpiX = static_cast<int>(screen->logicalDotsPerInchX());
        facts_.logicalDpiY = static_cast<int>(screen->logicalDotsPerInchY());
        facts_.widthMillimetres = static_cast<int>(screen->physicalSize().width());
        facts_.heightMillimetres = static_cast<int>(screen->physicalSize().height());
        facts_.pixelRatio = screen->devicePixelRatio();
    }
    facts_.planes = 1;
    facts_.frameX = 0;
    facts_.frameY = 0;
    facts_.captionHeight = CaptionHeight(facts_.pixelRatio);
    QMenuBar probe;
    probe.addMenu("File");
    facts_.menuHeight = probe.sizeHint().height();
    facts_.verticalScrollWidth = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    facts_.doubleClickMilliseconds = QApplication::doubleClickInterval();
    facts_.desktopColour = Rgb(58, 110, 165);
}

QtHost::~QtHost() = default;  // here, where ScreenGrab is complete

ScreenFacts QtHost::Screen() const { return facts_; }

std::uint64_t QtHost::TickMilliseconds() { return static_cast<std::uint64_t>(clock_.elapsed()); }

std::int64_t QtHost::CalendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

void QtHost::WaitForInput(std::optional<std::uint64_t> untilTick) {
    if (ServiceSockets()) return;
    if (untilTick) {
        const std::uint64_t now = TickMilliseconds();
        if (*untilTick <= now) return;
        wakeUp_.start(static_cast<int>(std::min<std::uint64_t>(*untilTick - now, 1u << 30)));
    }
    WatchSockets();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    wakeUp_.stop();
    ServiceSockets();
}

void QtHost::PollInput() {
    WatchSockets();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    ServiceSockets();
}

void QtHost::WatchSockets() {
    std::map<int, SocketWatch> wanted;
    for (const SocketWatch& watch : SocketsToWatch()) wanted[watch.descriptor] = watch;
    // A descriptor no socket holds any more may already be closed: its notifiers go first.
    std::erase_if(socketNotifiers_,
                  [&](const auto& entry) { return !wanted.contains(entry.first); });
    for (const auto& [wantedDescriptor, watch] : wanted) {
        const int descriptor = wantedDescriptor;  // a lambda may not capture a binding in C++20
        SocketNotifiers& notifiers = socketNotifiers_[descriptor];
        const auto arm = [&](std::unique_ptr<QSocketNotifier>& notifier, QSocketNotifier::Type type,
                             bool on) {
            if (notifier == nullptr) {
                notifier = std::make_unique<QSocketNotifier>(descriptor, type);
                // The notifier only wakes the wait, and then rests until the next wait arms it
                // again: in a loop that is not ours (a file dialog) a socket nobody reads would
                // otherwise wake it without end.
                QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                                 [n = notifier.get()] { n->setEnabled(false); });
            }
            notifier->setEnabled(on);
        };
        arm(notifiers.read, QSocketNotifier::Read, watch.read);
        arm(notifiers.write, QSocketNotifier::Write, watch.write);
    }
}

void QtHost::WindowCreated(Window& window) {
    if ((window.style & WS_CHILD) != 0) {
        window.hostData = CreateControl(window);
        return;
    }
    QWidget* owner = window.owner != nullptr ? WidgetOf(*window.owner) : nullptr;
    auto* top = new TopLevelWidget(window, owner);
    top->setWindowFlags(FlagsFor(window));
    top->setWindowTitle(QString::fromStdString(window.text));
    const WindowClass* windowClass = window.windowClass;
    if (windowClass != nullptr && windowClass->iconId != 0 && windowClass->instance != nullptr) {
        const QIcon& icon = IconOf(*windowClass->instance, windowClass->iconId);
        if (!icon.isNull()) top->setWindowIcon(icon);
    }
    window.hostData = top;
    top->Arrange(facts_.menuHeight);
}

// One QIcon per icon for the whole run: Qt caches the sizes it draws of an icon under the icon's
// own key, so a fresh QIcon for every window (an instructions viewer opened again and again) would
// fill that cache with copies of the same picture.
const QIcon& QtHost::IconOf(const ModuleResources& instance, int iconId) {
    const auto key = std::make_pair(&instance, iconId);
    auto found = icons_.find(key);
    if (found == icons_.end()) {
        const auto png = instance.Icon(iconId);
        QPixmap pixmap;
        QIcon icon;
        if (!png.empty() && pixmap.loadFromData(png.data(), static_cast<uint>(png.size()))) {
            icon = QIcon(pixmap);
        }
        found = icons_.emplace(key, icon).first;
    }
    return found->second;
}

void QtHost::WindowDestroyed(Window& window) {
    QWidget* widget = WidgetOf(window);
    window.hostData = nullptr;
    // The grab goes before the widget holding it, the client surface of a top-level window too.
    if (grab_ != nullptr && widget != nullptr &&
        (grab_->Widget() == widget || widget->isAncestorOf(grab_->Widget()))) {
        grab_.reset();
    }
    if (capture_ == &window) capture_ = nullptr;
    // The keyboard goes back to the owner of a window closed while it had it, as on the classic
    // desktop: without a window manager nothing else would give it back.
    QWidget* heir = nullptr;
    if (widget != nullptr && widget->isActiveWindow() && window.owner != nullptr) {
        heir = WidgetOf(*window.owner);
    }
    delete widget;
    if (heir != nullptr && heir->isVisible()) heir->activateWindow();
}

void QtHost::WindowChanged(Window& window) {
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return;
    if (TopLevelWidget* top = TopLevelOf(window)) {
        top->setWindowTitle(QString::fromStdString(window.text));
        top->Arrange(facts_.menuHeight);
        const bool appearing = window.visible && !top->isVisible();
        top->setVisible(window.visible);
        // A captioned window comes up active, as a shown window does on the classic desktop, with
        // the keyboard on its client area: the main window's board plays by keys from the start,
        // without a click to give it the focus, window manager or none. A picture pop-up asks
        // for no focus of its own (the core routes keys to it while it holds the mouse), so the
        // desktop's focus stays with the main window when it closes.
        if (appearing && (window.style & WS_CAPTION) == WS_CAPTION) {
            top->Surface()->setFocus(Qt::OtherFocusReason);
            top->activateWindow();
        }
        if (window.visible) {
            top->raise();
            // Windows it owns stay in front of it, as a pop-up shown before its owner must.
            for (Window* other : TopLevelWindows()) {
                if (other->owner == &window && other->visible && other->hostData != nullptr) {
                    WidgetOf(*other)->raise();
                }
            }
        }
        GrabIfShown();
        return;
    }
    widget->setGeometry(window.rect.left, window.rect.top, window.rect.Width(),
                        window.rect.Height());
    // Qt would pass the focus of a control being disabled on to the next one, where keys pressed
    // meanwhile (Space, Return during a salvo) would press it. On the classic desktop the focus
    // goes back to the main window, where keys do nothing.
    if (!window.enabled && widget->window()->focusWidget() == widget) {
        ClientSurfaceOf(window.parent)->setFocus(Qt::OtherFocusReason);
    }
    widget->setEnabled(window.enabled);
    widget->setVisible(window.visible);
    if (auto* button = qobject_cast<QPushButton*>(widget)) ApplyCaption(button, window);
}

void QtHost::MenuChanged(Window& window) {
    if (TopLevelWidget* top = TopLevelOf(window)) {
        top->RebuildMenu();
        top->Arrange(facts_.menuHeight);
    }
}

void QtHost::ScrollBarChanged(Window& window) {
    if (TopLevelWidget* top = TopLevelOf(window)) top->ShowScrollInfo();
}

void QtHost::Present(Window& window, const Rect& area) {
    TopLevelWidget* top = TopLevelOf(window);
    if (top == nullptr) return;
    top->Surface()->update(QRect(area.left, area.top, area.Width(), area.Height()));
}

void QtHost::CaptureChanged(Window* window) {
    capture_ = window;
    GrabIfShown();
}

// Qt grabs the mouse only for a shown widget, so a capture taken while a window is being created
// is applied when it appears.
void QtHost::GrabIfShown() {
    QWidget* wanted = nullptr;
    bool wholeScreen = false;
    if (capture_ != nullptr && capture_->hostData != nullptr) {
        TopLevelWidget* top = TopLevelOf(*capture_);
        wanted = top != nullptr ? top->Surface() : WidgetOf(*capture_);
        wholeScreen = capture_->enabled;
        if (!wanted->isVisible()) wanted = nullptr;
    }
    if (grab_ != nullptr && grab_->Widget() == wanted && grab_->WholeScreen() == wholeScreen) {
        return;
    }
    grab_.reset();
    if (wanted != nullptr) grab_ = std::make_unique<ScreenGrab>(wanted, wholeScreen);
}

void QtHost::OpenMessageBox(const std::string& text, const std::string& caption, unsigned type) {
    // Qt paints nothing readable on an 8-bit X visual (a title bar, no text, no button), and that
    // is just the display the game refuses with a message box; core X drawing works on any. It
    // waits for the player itself, before any window of the game exists.
    if (type == MB_OK && facts_.bitsPerPixel < 16 &&
        QGuiApplication::platformName() == QLatin1String("xcb") &&
        ShowCoreXMessageBox(text, caption)) {
        return;
    }
    const QMessageBox::StandardButtons buttons =
        type == MB_YESNO      ? QMessageBox::Yes | QMessageBox::No
        : type == MB_OKCANCEL ? QMessageBox::Ok | QMessageBox::Cancel
                              : QMessageBox::Ok;
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromStdString(caption),
                                QString::fromStdString(text), buttons);
    // The close box answers as the box's last button: Cancel, No, or OK when that is all.
    answer_ = type == MB_YESNO ? IDNO : type == MB_OKCANCEL ? IDCANCEL : IDOK;
    QObject::connect(box, &QMessageBox::buttonClicked, box, [this, box](QAbstractButton* button) {
        switch (box->standardButton(button)) {
            case QMessageBox::Ok:
                answer_ = IDOK;
                break;
            case QMessageBox::Yes:
                answer_ = IDYES;
                break;
            case QMessageBox::No:
                answer_ = IDNO;
                break;
            default:
                answer_ = IDCANCEL;
                break;
        }
    });
    ShowBox(box);
}

void QtHost::OpenTextBox(const std::string& prompt, const std::string& caption,
                         const std::string& text) {
    auto* box = new QInputDialog();
    box->setWindowTitle(QString::fromStdString(caption));
    box->setLabelText(QString::fromStdString(prompt));
    box->setTextValue(QString::fromStdString(text));
    answer_ = IDCANCEL;
    boxText_ = text;
    QObject::connect(box, &QInputDialog::accepted, box, [this, box] {
        answer_ = IDOK;
        boxText_ = box->textValue().toStdString();
    });
    ShowBox(box);
}

void QtHost::ShowBox(QDialog* box) {
    // The keyboard goes back to the window that had it as the box closes: without a window
    // manager nothing else would give it back, and the board would hear no key.
    QPointer<QWidget> before = QApplication::activeWindow();
    QObject::connect(box, &QDialog::finished, box, [before] {
        if (!before.isNull() && before->isVisible()) before->activateWindow();
    });
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    messageBox_ = box;
    box->show();
    box->raise();
    box->activateWindow();
}

bool QtHost::MessageBoxOpen() { return !messageBox_.isNull() && messageBox_->isVisible(); }

}  // namespace platform
