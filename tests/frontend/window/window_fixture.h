// The real main window and its dialogs over the recording stand-in for the
// game library, with a settings file in a scratch folder, worked by a
// player's driver; and answering the modal boxes and dialogs the window opens.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "frontend/ui/main_window.h"
#include "tests/frontend/core/recording_library.h"
#include "tests/frontend/spin_until.h"
#include "tests/frontend/window/lobby_window_driver.h"
#include "tests/frontend/window/main_window_driver.h"

class WindowTest : public ::testing::Test {
protected:
    void Open(int uiLanguage = 2);
    ~WindowTest() override;

    QString SettingsPath() const { return folder.filePath("ringdisk.ini"); }
    using Part = MainWindowDriver::Part;
    using Dialog = MainWindowDriver::Dialog;

    // What the player does with the window open now.
    MainWindowDriver Player() const { return MainWindowDriver(*window); }
    // What the player does with the main window's lobby window.
    LobbyWindowDriver InLobby() const { return LobbyWindowDriver(window->Lobby()); }
    template <typename T>
    T* Find(const char* name) const {
        return window->findChild<T*>(name);
    }

    QTemporaryDir folder;
    RecordingLibrary library;
    std::unique_ptr<MainWindow> window;
};

// Runs answer() with the next modal dialog or box as soon as it shows, from
// inside its event loop; the call that opens it comes right after.
void WhenModal(std::function<void(QWidget*)> answer);
// Presses the button of the question box whose text is `button`.
void AnswerQuestion(QWidget* box, const QString& button);
