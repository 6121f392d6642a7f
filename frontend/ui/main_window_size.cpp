// The window at any size: the game panel takes the room the side panel
// leaves, and the library is told each new size in the display's own pixels.
// Full screen (the video menu's item or F11) keeps the side panel beside the
// game and returns to the window's size, or its maximised state, after.
#include <QScreen>
#include <QTimer>

#include "frontend/ui/form_placement.h"
#include "frontend/ui/main_window.h"
#include "frontend/ui/native_window.h"

namespace {
// How long a window manager gets to carry out a change of the window's state.
constexpr int kWindowManagerGraceMs = 150;
}  // namespace

void MainWindow::SetUpSizing() {
    tela->onResize = [this] {
        panels.FitHeight(tela->height());
        // Qt resizes the panel's X window on its own connection; the library
        // reads the window's size on another, so the change must reach the
        // display first.
        WaitForDisplay();
        const QSize size = tela->DevicePixelSize();
        core_->Library().ResizeScene(size.width(), size.height());
    };
    connect(menus.fullScreen, &QAction::triggered, this, [this](bool on) { SetFullScreen(on); });
}

void MainWindow::SetFullScreen(bool on) {
    if (isFullScreen() == on) return;
    const Qt::WindowStates state = windowState();
    if (on) KeepReturnRect(*this, geometry());
    setWindowState(on ? state | Qt::WindowFullScreen : state & ~Qt::WindowFullScreen);
    // A window manager resizes the window for the new state; on a display
    // without one (a kiosk, a test's virtual display) nobody would, so the
    // window takes the size itself once the manager had its chance. With a
    // manager this repeats the size it already gave.
    QTimer::singleShot(kWindowManagerGraceMs, this, [this] {
        if (isFullScreen()) {
            if (geometry() != screen()->geometry()) setGeometry(screen()->geometry());
        } else {
            const QRect back = ReturnRectOf(*this);
            if (!isMaximized() && back.isValid() && geometry() == screen()->geometry())
                setGeometry(back);
            KeepReturnRect(*this, QRect());
        }
    });
}
