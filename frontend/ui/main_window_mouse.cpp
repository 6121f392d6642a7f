// Who has the mouse: the game panel (an aim may be held) or the rest of the
// window. Typing in the chat must never aim or turn the table.
#include <QEvent>
#include <QGuiApplication>
#include <QWindowStateChangeEvent>

#include "frontend/ui/main_window.h"
#include "frontend/ui/mouse_over.h"

void MainWindow::LoseMouse() {
    core_->Library().SetMouseFocus(false);
    tela->ShowCursor();
}

void MainWindow::SetWindowActive(bool active) {
    windowActive_ = active;
    if (!active) LoseMouse();
}

void MainWindow::WatchTheMouse() {
    TableScreen& library = core_->Library();
    tela->onPress = [&library] { library.SetMouseFocus(true); };
    tela->onMove = [this, &library] {
        if (windowActive_) library.SetMouseFocus(true);
    };
    // A player who aims with keys or a gamepad may never move the pointer.
    tela->onKeyboardFocus = [&library] { library.SetMouseFocus(true); };
    // Over the players and chat the chat line takes the keyboard.
    CallOnMouseOver(*panels.players, [this, &library] {
        library.SetMouseFocus(false);
        if (panels.chatInput->isVisible() && !panels.chatInput->hasFocus())
            panels.chatInput->setFocus(Qt::MouseFocusReason);
    });
    CallOnMouseOver(*mouseDialog, [&library] { library.SetMouseFocus(false); });
    aboutDialog->onShown = [&library] { library.SetMouseFocus(false); };
    for (QWidget* field : {static_cast<QWidget*>(panels.nick),
                           static_cast<QWidget*>(panels.chatInput),
                           static_cast<QWidget*>(panels.chat)})
        field->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive) SetWindowActive(false);
            });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) core_->Library().SetMouseFocus(false);
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        SetWindowActive(isActiveWindow() && !isMinimized());
        // A hand edit of the settings file since it was last read is applied.
        if (windowActive_ && core_->Loop().EngineRunning()) {
            settings_->OnActivation();
            CleanRestoredFields();
        }
    } else if (event->type() == QEvent::WindowStateChange) {
        SetWindowActive(!isMinimized());
    }
    QMainWindow::changeEvent(event);
}
