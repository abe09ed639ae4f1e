// platform/qt/qt_host.cpp: screen facts from QScreen and the style, waiting in Qt's event loop,
// windows shown as widgets, message boxes as QMessageBox.
#include "platform/qt/qt_host.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <ctime>

#include "platform/input.h"
#include "platform/module_resources.h"
#include "platform/qt/qt_core_x_message_box.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_window_widgets.h"

namespace platform {

namespace {

TopLevelWidget* TopLevelOf(Window& window) {
    return (window.style & WS_CHILD) == 0 ? static_cast<TopLevelWidget*>(window.hostData)
                                          : nullptr;
}

QWidget* WidgetOf(Window& window) { return static_cast<QWidget*>(window.hostData); }

// Where a child control's widget goes: onto its parent's client surface.
QWidget* ClientSurfaceOf(Window* parent) {
    if (parent == nullptr) return nullptr;
    if (TopLevelWidget* top = TopLevelOf(*parent)) return top->Surface();
    return WidgetOf(*parent);
}

// A button's caption: in the font the game gave it, the very one its text is measured in, or
// the toolkit's own.
void ApplyFont(QPushButton* button, const Window& window) {
    button->setFont(window.font ? QtFontOf(*window.font) : QApplication::font(button));
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
        auto* button = new QPushButton(QString::fromStdString(window.text), parent);
        ApplyFont(button, window);
        Window* target = &window;
        // A click becomes the press and release the core turns into the button's command.
        QObject::connect(button, &QPushButton::clicked, button, [target] {
            const int x = target->rect.Width() / 2;
            const int y = target->rect.Height() / 2;
            QueueMouseInput(target, MouseAction::LeftDown, x, y);
            QueueMouseInput(target, MouseAction::LeftUp, x, y);
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
    }
    facts_.planes = 1;
    facts_.frameX = 0;
    facts_.frameY = 0;
    facts_.captionHeight = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    QMenuBar probe;
    probe.addMenu("File");
    facts_.menuHeight = probe.sizeHint().height();
    facts_.verticalScrollWidth =
        QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    facts_.doubleClickMilliseconds = QApplication::doubleClickInterval();
    facts_.desktopColour = Rgb(58, 110, 165);
}

QtHost::~QtHost() = default;

ScreenFacts QtHost::Screen() const { return facts_; }

std::uint64_t QtHost::TickMilliseconds() {
    return static_cast<std::uint64_t>(clock_.elapsed());
}

std::int64_t QtHost::CalendarSeconds() { return static_cast<std::int64_t>(std::time(nullptr)); }

void QtHost::WaitForInput(std::optional<std::uint64_t> untilTick) {
    if (untilTick) {
        const std::uint64_t now = TickMilliseconds();
        if (*untilTick <= now) return;
        wakeUp_.start(static_cast<int>(std::min<std::uint64_t>(*untilTick - now, 1u << 30)));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    wakeUp_.stop();
}

void QtHost::PollInput() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

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
    if (widget == grabbing_) {
        widget->releaseMouse();
        grabbing_ = nullptr;
    }
    if (capture_ == &window) capture_ = nullptr;
    delete widget;
}

void QtHost::WindowChanged(Window& window) {
    QWidget* widget = WidgetOf(window);
    if (widget == nullptr) return;
    if (TopLevelWidget* top = TopLevelOf(window)) {
        top->setWindowTitle(QString::fromStdString(window.text));
        top->Arrange(facts_.menuHeight);
        top->setVisible(window.visible);
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
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(QString::fromStdString(window.text));
        ApplyFont(button, window);
    }
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
    if (capture_ != nullptr && capture_->hostData != nullptr) {
        TopLevelWidget* top = TopLevelOf(*capture_);
        wanted = top != nullptr ? top->Surface() : WidgetOf(*capture_);
        if (!wanted->isVisible()) wanted = nullptr;
    }
    if (wanted == grabbing_) return;
    if (grabbing_ != nullptr) grabbing_->releaseMouse();
    grabbing_ = wanted;
    if (grabbing_ != nullptr) grabbing_->grabMouse();
}

void QtHost::ShowMessageBox(const std::string& text, const std::string& caption) {
    // Qt paints nothing readable on an 8-bit X visual (a title bar, no text, no button), and that
    // is just the display the game refuses with a message box; core X drawing works on any.
    if (facts_.bitsPerPixel < 16 && QGuiApplication::platformName() == QLatin1String("xcb") &&
        ShowCoreXMessageBox(text, caption)) {
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok);
    box.exec();
}

}  // namespace platform
