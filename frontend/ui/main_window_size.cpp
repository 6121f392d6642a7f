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

// The program's choice is what counts, not the state Qt reports: on a
// display without a window manager Qt soon reads the window back as a
// normal one, however large.
void MainWindow::SetFullScreen(bool on) {
    const QRect back = ReturnRectOf(*this);
    if (on == back.isValid()) return;
    const Qt::WindowStates state = windowState();
    KeepReturnRect(*this, on ? geometry() : QRect());
    setWindowState(on ? state | Qt::WindowFullScreen : state & ~Qt::WindowFullScreen);
    // A window manager resizes the window for the new state; on a display
    // without one (a kiosk, a test's virtual display) nobody would, so the
    // window takes the size itself once the manager had its chance. With a
    // manager this repeats the size it already gave.
    QTimer::singleShot(kWindowManagerGraceMs, this, [this, on, back] {
        if (ReturnRectOf(*this).isValid() != on) return;  // changed again meanwhile
        const QRect whole = screen()->geometry();
        if (on && geometry() != whole) setGeometry(whole);
        if (!on && !isMaximized() && geometry() == whole) setGeometry(back);
    });
}
