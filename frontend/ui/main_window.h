// `main`, the game's window: the panel the library draws on at the left, the
// connection panel or the players and chat at the right, the menus above.
// It shows what the front end's core asks (FrontendView), hands the buttons,
// menus and chat line to the core, keeps the mouse rules of the game panel,
// and owns the other four forms and the settings file.
#pragma once

#include <QMainWindow>
#include <memory>

#include "frontend/session/frontend_core.h"
#include "frontend/ui/about_dialog.h"
#include "frontend/ui/computer_opponent.h"
#include "frontend/ui/create_dialog.h"
#include "frontend/ui/game_panel.h"
#include "frontend/ui/join_dialog.h"
#include "frontend/ui/lobby_window.h"
#include "frontend/ui/main_menus.h"
#include "frontend/ui/message_boxes.h"
#include "frontend/ui/mouse_dialog.h"
#include "frontend/ui/settings_session.h"
#include "frontend/ui/side_panels.h"

class MainWindow : public QMainWindow, public FrontendView {
public:
    // standIn replaces the game library (tests); null plays the real one.
    MainWindow(int uiLanguage, const QString& settingsPath, GameLibrary* standIn = nullptr);
    ~MainWindow() override;

    // Creates the scene in `Tela`'s native window; false when the library
    // could not, and nothing was shown.
    bool InitializeLibrary(bool debug);
    // Restores the settings once, starts the frame tick and shows the window.
    void Start(bool highTimer);

    FrontendCore& Core() { return *core_; }
    bool WindowActive() const { return windowActive_; }
    bool ComputerPlaying() const { return computer_->Running(); }
    // The online lobby's window, made when the window is.
    LobbyWindow& Lobby() { return *lobby_; }

    // Where replays are kept and listed; empty keeps none.
    void SetReplayFolder(const QString& folder);
    // Reads the file and watches it in the game panel; a refused file is
    // reported with its reason. False when it is not watched.
    bool WatchReplayFile(const QString& path);

private:
    // The window's own widgets. Its tests' player driver is the one reader
    // from outside, so the tests say what a player does, not which widget.
    friend class MainWindowDriver;

    GamePanel* tela;
    SidePanels panels;
    MainMenus menus;
    // Created after the main window, in this order (the settings file's order).
    JoinDialog* joinDialog;
    CreateDialog* createDialog;
    MouseDialog* mouseDialog;
    AboutDialog* aboutDialog;
    MessageBoxes boxes;

public:
    // FrontendView (main_window_view.cpp).
#define FRONTEND_VIEW_CALL(result, name, parameters) result name parameters override;
#include "frontend/view/frontend_view_calls.h"
#undef FRONTEND_VIEW_CALL

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetCaptions();
    void ConnectButtons();
    void ConnectMenus();
    void WatchTheMouse();
    // The library draws at the game panel's size, whatever room it has;
    // the full-screen item and F11 give it the whole screen.
    void SetUpSizing();
    void SetFullScreen(bool on);
    SettingsBindings Bindings();
    // What a hand may have put in the file: names that cannot travel.
    void CleanRestoredFields();

    // The game panel no longer has the mouse: a held aim is dropped and the
    // cursor shows.
    void LoseMouse();
    void SetWindowActive(bool active);
    // The nickname field, handed to the core before a game starts.
    void TakeNickname();
    void RunModal(QDialog& dialog, const std::function<void()>& onConfirm);
    // level as ringdisk-bot takes it.
    void PlayAgainstComputer(const QString& level);
    void ConnectReplayMenu();
    // The replay menu's controls work only while a replay is watched.
    void EnableReplayControls();

    int uiLanguage_;
    bool windowActive_ = true;
    std::unique_ptr<FrontendCore> core_;
    std::unique_ptr<SettingsSession> settings_;
    std::unique_ptr<ComputerOpponent> computer_;
    // Goes before the core, whose online game its matchmaker watches.
    std::unique_ptr<LobbyWindow> lobby_;
    QString replayFolder_;
};
