// platform/qt/qt_window_widgets.cpp: top-level frames, client surfaces, menu bars and scroll bars
// as Qt widgets. Everything they report goes through the core's input functions.
#include "platform/qt/qt_window_widgets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <vector>

#include "platform/input.h"
#include "platform/menus.h"
#include "platform/scroll_bars.h"
#include "platform/virtual_keys.h"

namespace platform {

namespace {

// The keys the game plays with, as the classic platform names them; 0 for any other.
WPARAM VirtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    switch (key) {
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_End:
            return VK_END;
        default:
            break;
    }
    // Letters and digits are their capital ASCII codes in both.
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<WPARAM>(key);
    }
    return 0;
}

}  // namespace

bool QueueGameKey(Window& window, const QKeyEvent& event) {
    // While a menu is open, or the menu bar has the keyboard (after Alt), every key is the menu's.
    if (QApplication::activePopupWidget() != nullptr ||
        qobject_cast<QMenuBar*>(QApplication::focusWidget()) != nullptr) {
        return true;
    }
    // Keys with Alt or Ctrl are the toolkit's (the menus, the buttons' mnemonics, Alt+F4).
    const WPARAM key = VirtualKeyOf(event);
    if (key == 0 ||
        (event.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))) {
        return false;
    }
    QueueKeyInput(&window, key);
    return true;
}

namespace {

void QueueMouse(Window& window, QMouseEvent* event, bool press) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        QueueMouseInput(&window, press ? MouseAction::LeftDown : MouseAction::LeftUp, at.x(),
                        at.y());
    } else if (event->button() == Qt::RightButton) {
        QueueMouseInput(&window, press ? MouseAction::RightDown : MouseAction::RightUp, at.x(),
                        at.y());
    }
}

void AddItems(QMenu* menu, Window& window, const std::vector<MenuItem>& items);

QAction* AddItem(QWidget* container, Window& window, const MenuItem& item) {
    if (!item.items.empty()) {
        auto* submenu = new QMenu(QString::fromStdString(item.text), container);
        AddItems(submenu, window, item.items);
        submenu->setEnabled(!item.grayed);
        return submenu->menuAction();
    }
    auto* action = new QAction(QString::fromStdString(item.text), container);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    action->setEnabled(!item.grayed);
    const int id = item.id;
    Window* target = &window;
    // Qt toggles a checkable action on its own; the model decides the mark, so it is put back.
    QObject::connect(action, &QAction::triggered, action, [target, id, action, item] {
        action->setChecked(item.checked);
        QueueMenuCommand(target, id);
    });
    return action;
}

void AddItems(QMenu* menu, Window& window, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.separator) {
            menu->addSeparator();
        } else {
            menu->addAction(AddItem(menu, window, item));
        }
    }
}

}  // namespace

SurfaceView::SurfaceView(Window& window, QWidget* parent) : QWidget(parent), window_(window) {
    // The pointer's moves with no button held too: a carried ship's frame follows it.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // A window of its own on the display, so that desktop tools (and our display tests) can find
    // the client area and point at it in the game's own coordinates.
    setAttribute(Qt::WA_NativeWindow);
    // The board takes the keyboard when clicked (and from the start: see QtHost::WindowChanged),
    // and by Tab after the last of the buttons, so that a player who tabbed onto them can get back.
    setFocusPolicy(Qt::StrongFocus);
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    // A window moved to a screen of another scale (or a screen whose scale changed) learns it
    // here, as Qt paints it anew there: the core makes the surface again and marks all of it.
    if (devicePixelRatioF() != window_.surface.scale)
        SetSurfaceScale(&window_, devicePixelRatioF());
    Bitmap& surface = window_.surface;
    if (surface.width <= 0 || surface.height <= 0) return;
    // The surface holds 0x00RRGGBB, where Qt takes the top byte of an RGB32 pixel to be 0xff and
    // may copy it as it is. A Wayland window's buffer has an alpha channel, and a zero there lets
    // the compositor show a blank client area; the painted part is handed over with the byte set.
    const QRect logical = event->rect();
    const Rect device = Intersect(
        DeviceRect(Rect{logical.left(), logical.top(), logical.right() + 1, logical.bottom() + 1},
                   surface.scale),
        surface.Bounds());
    if (device.IsEmpty()) return;
    constexpr int BandRows = 64;
    if (band_.width() < device.Width()) {
        band_ = QImage(device.Width(), BandRows, QImage::Format_ARGB32);
        if (band_.isNull()) return;
    }
    // Drawn at the surface's scale, each of its pixels lands on one pixel of the screen.
    band_.setDevicePixelRatio(surface.scale);
    QPainter painter(this);
    for (int y = device.top; y < device.bottom; y += BandRows) {
        const int rows = std::min(BandRows, device.bottom - y);
        for (int row = 0; row < rows; ++row) {
            const Pixel* from = surface.Row(y + row) + device.left;
            auto* to = reinterpret_cast<QRgb*>(band_.scanLine(row));
            for (int x = 0; x < device.Width(); ++x) to[x] = from[x] | 0xFF000000u;
        }
        painter.drawImage(QPointF(device.left / surface.scale, y / surface.scale), band_,
                          QRectF(0, 0, device.Width(), rows));
    }
}

void SurfaceView::mousePressEvent(QMouseEvent* event) { QueueMouse(window_, event, true); }

// The core decides what a second press is, from its own time and distance rules.
void SurfaceView::mouseDoubleClickEvent(QMouseEvent* event) { QueueMouse(window_, event, true); }

void SurfaceView::mouseReleaseEvent(QMouseEvent* event) { QueueMouse(window_, event, false); }

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    QueueMouseInput(&window_, MouseAction::Move, at.x(), at.y());
}

void SurfaceView::keyPressEvent(QKeyEvent* event) {
    if (!QueueGameKey(window_, *event)) QWidget::keyPressEvent(event);
}

void SurfaceView::wheelEvent(QWheelEvent* event) {
    const QPoint at = event->position().toPoint();
    QueueMouseWheel(&window_, event->angleDelta().y(), at.x(), at.y());
    event->accept();
}

TopLevelWidget::TopLevelWidget(Window& window, QWidget* owner)
    : QWidget(owner, Qt::Window), window_(window) {
    surface_ = new SurfaceView(window, this);
    if (window.hasVerticalScrollBar) {
        scrollBar_ = new QScrollBar(Qt::Vertical, this);
        Window* target = &window;
        QScrollBar* bar = scrollBar_;
        QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [target, bar](int action) {
            switch (action) {
                case QAbstractSlider::SliderSingleStepSub:
                    QueueVerticalScroll(target, SB_LINEUP, 0);
                    break;
                case QAbstractSlider::SliderSingleStepAdd:
                    QueueVerticalScroll(target, SB_LINEDOWN, 0);
                    break;
                case QAbstractSlider::SliderPageStepSub:
                    QueueVerticalScroll(target, SB_PAGEUP, 0);
                    break;
                case QAbstractSlider::SliderPageStepAdd:
                    QueueVerticalScroll(target, SB_PAGEDOWN, 0);
                    break;
                case QAbstractSlider::SliderToMinimum:
                    QueueVerticalScroll(target, SB_TOP, 0);
                    break;
                case QAbstractSlider::SliderToMaximum:
                    QueueVerticalScroll(target, SB_BOTTOM, 0);
                    break;
                case QAbstractSlider::SliderMove:
                    QueueVerticalScroll(target, SB_THUMBTRACK, bar->sliderPosition());
                    break;
                default:
                    break;
            }
        });
        QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [target, bar] {
            QueueVerticalScroll(target, SB_THUMBPOSITION, bar->sliderPosition());
            QueueVerticalScroll(target, SB_ENDSCROLL, 0);
        });
    }
}

void TopLevelWidget::Arrange(int menuHeight) {
    const int menuSpace = (window_.menu != nullptr || menuBar_ != nullptr) ? menuHeight : 0;
    const int scrollWidth = scrollBar_ != nullptr ? scrollBar_->sizeHint().width() : 0;
    const int width = window_.clientWidth + (scrollBar_ != nullptr ? scrollWidth : 0);
    const int height = window_.clientHeight + menuSpace;
    setFixedSize(width, height);
    // A move places a captioned window's frame, which the desktop draws around the widget.
    if ((window_.style & WS_CAPTION) == WS_CAPTION) {
        move(window_.rect.left, window_.rect.top);
    } else {
        move(window_.clientInScreen.left, window_.clientInScreen.top - menuSpace);
    }
    if (menuBar_ != nullptr) menuBar_->setGeometry(0, 0, width, menuSpace);
    surface_->setGeometry(0, menuSpace, window_.clientWidth, window_.clientHeight);
    if (scrollBar_ != nullptr) {
        scrollBar_->setGeometry(window_.clientWidth, menuSpace, scrollWidth, window_.clientHeight);
    }
}

void TopLevelWidget::RebuildMenu() {
    if (window_.menu == nullptr) {
        if (menuBar_ != nullptr) menuBar_->clear();
        return;
    }
    if (menuBar_ == nullptr) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        menuBar_->show();
    }
    menuBar_->clear();
    for (const MenuItem& item : window_.menu->items) {
        if (item.separator) continue;
        menuBar_->addAction(AddItem(menuBar_, window_, item));
    }
}

void TopLevelWidget::ShowScrollInfo() {
    if (scrollBar_ == nullptr) return;
    const ScrollInfo& info = window_.verticalScroll;
    const QSignalBlocker quiet(scrollBar_);
    scrollBar_->setRange(info.min, std::max(info.min, info.max - std::max(info.page - 1, 0)));
    scrollBar_->setPageStep(std::max(1, info.page));
    scrollBar_->setValue(info.pos);
}

// A window whose client area has not the focus (a picture pop-up, which asks for none) still hears
// the keys the desktop sends it.
void TopLevelWidget::keyPressEvent(QKeyEvent* event) {
    if (!QueueGameKey(window_, *event)) QWidget::keyPressEvent(event);
}

// A window manager raises a window as it activates it, which comes after the window was shown and
// after anything the game raised then: the start-up picture, shown before the main window, would
// sit behind it for its whole time. The windows it owns come back on top of it each time.
void TopLevelWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    for (QObject* child : children()) {
        auto* owned = qobject_cast<QWidget*>(child);
        if (owned != nullptr && owned->isWindow() && owned->isVisible()) owned->raise();
    }
}

void TopLevelWidget::closeEvent(QCloseEvent* event) {
    // The desktop's close request goes through the game's own default handling.
    event->ignore();
    QueueCloseRequest(&window_);
}

void FocusButton::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) {
        QPushButton::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Space:
            QPushButton::keyPressEvent(event);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            animateClick();
            break;
        case Qt::Key_Escape:
            if (parentWidget() != nullptr) parentWidget()->setFocus(Qt::OtherFocusReason);
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            FocusNeighbour(event->key() == Qt::Key_Right || event->key() == Qt::Key_Down);
            break;
        default:
            break;
    }
    event->accept();
}

// The next enabled button along the row (wrapping round), left to right as they stand.
void FocusButton::FocusNeighbour(bool forward) {
    if (parentWidget() == nullptr) return;
    std::vector<FocusButton*> row;
    for (QObject* child : parentWidget()->children()) {
        auto* button = dynamic_cast<FocusButton*>(child);
        if (button != nullptr && button->isEnabled() && button->isVisible()) row.push_back(button);
    }
    if (row.size() < 2) return;
    std::sort(row.begin(), row.end(),
              [](const FocusButton* a, const FocusButton* b) { return a->x() < b->x(); });
    const auto at = std::find(row.begin(), row.end(), this);
    if (at == row.end()) return;
    const std::size_t here = static_cast<std::size_t>(at - row.begin());
    const std::size_t next =
        forward ? (here + 1) % row.size() : (here + row.size() - 1) % row.size();
    row[next]->setFocus(Qt::TabFocusReason);
}

void FocusButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    constexpr int kInset = 4;
    painter.drawRect(rect().adjusted(kInset, kInset, -kInset - 1, -kInset - 1));
}

}  // namespace platform
