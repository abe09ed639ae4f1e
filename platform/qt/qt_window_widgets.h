// platform/qt/qt_window_widgets.h: the widgets that stand for our windows: a top-level frame
// (menu bar, client surface, scroll bar), the client surface that presents a window's backing
// bitmap and reports the mouse, and the push button.
#pragma once

#include <QImage>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include "platform/window.h"

namespace platform {

// The client area: paints the window's backing surface and turns mouse events into input.
// A key of the game's (arrows, Space, Return, Escape, letters and digits without Alt or Ctrl)
// queued for the window; false for a key that is the toolkit's.
bool QueueGameKey(Window& window, const QKeyEvent& event);

class SurfaceView : public QWidget {
  public:
    SurfaceView(Window& window, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    Window& window_;
    // A few rows of the surface at a time, made opaque for the toolkit: a band rather than a
    // copy of the painted area, which on a scaled screen would be a second and third surface.
    QImage band_;
};

// A top-level window: optional menu bar on top, the client surface, optional vertical scroll bar.
class TopLevelWidget : public QWidget {
  public:
    TopLevelWidget(Window& window, QWidget* owner);

    SurfaceView* Surface() const { return surface_; }
    QMenuBar* MenuBar() const { return menuBar_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }
    // Places the widget and its parts from the window's client rectangle and menu.
    void Arrange(int menuHeight);
    void RebuildMenu();
    void ShowScrollInfo();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    Window& window_;
    SurfaceView* surface_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
};

// A push button that marks the keyboard focus plainly: the toolkit's own mark is a thin line on
// the button's edge, lost against the sea behind the buttons. A dotted rectangle inside the edge,
// as on the classic desktop, reads at every screen size.
class FocusButton : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* event) override;
    // A button with the keyboard keeps it: the arrows go from button to button, Return presses it
    // as Space does, Escape hands the keyboard back to the board, and no other key reaches the
    // game until the board has the keyboard again (a click on it, Escape, or Tab round to it).
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FocusNeighbour(bool forward);
};

}  // namespace platform
