// The online lobby's window: the open games at the left, the lobby's chat at
// the right, a status line above saying where the player stands, and "Join".
// It holds the window's one Matchmaker and shows what it reports; nothing
// here waits on the lobby: every answer arrives later as a report on the
// event loop, and every question (the server, another nickname, a game's
// password) is a dialog that answers through a callback.
//
//   LobbyWindow lobby(core, hooks, uiLanguage, mainWindow);
//   lobby.Open()         shows it and signs in, asking for the server the first time
//   lobby.QuickMatch()   the same, then joins or hosts a game at once
#pragma once

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QWidget>
#include <functional>
#include <optional>

#include "frontend/matchmaking/matchmaker.h"
#include "frontend/settings/lobby_settings.h"
#include "frontend/ui/lobby_game_table.h"

// What the lobby takes from the main window.
struct LobbyHooks {
    // The nickname field's name, for the first sign-in.
    std::function<QString()> nickname;
    // Hands the nickname field to the core before a game is joined or hosted.
    std::function<void()> takeNickname;
    // The port a quick match hosts on: the create dialog's.
    std::function<QString()> hostPort;
};

class LobbyWindow : public QWidget, public lobby::MatchmakerObserver {
public:
    LobbyWindow(FrontendCore& core, LobbyHooks hooks, int uiLanguage, QWidget* parent);
    ~LobbyWindow() override;

    void Open();
    void QuickMatch();
    lobby::Matchmaker& Matchmaker() { return matchmaker_; }
    const LobbyGameTable& Games() const { return *games_; }

    // The server address as kept in the settings file.
    QString ServerAddress() const { return serverAddress_; }
    void SetServerAddress(const QString& address) { serverAddress_ = address.trimmed(); }

    // The game in the row, asking its password first when it has one.
    void JoinRow(int row);

    // MatchmakerObserver.
    void LobbyReport(const lobby::LobbyEvent& event) override;
    void JoinFailed(const QString& host, lobby::JoinFailure why) override;

private:
    friend class LobbyWindowDriver;

    void SetCaptions();
    // Signs in with the kept server, or asks for one first.
    void SignInOrAsk();
    void AskServer(const QString& problem);
    // problem: why the nickname cannot be used.
    void AskNickname(const QString& nickname, const QString& problem);
    void SignInAs(const QString& nickname);
    void SendChatLine();
    void ShowStatus(const QString& text, bool problem);
    void ShowSignedIn();
    void AddSystemLine(const QString& text);
    void EnableJoin();
    // A text question as a dialog of its own; answer runs on "OK" only.
    void Ask(const QString& question, const QString& text, bool secret,
             std::function<void(const QString&)> answer);

    QLabel* status;
    QTableView* list;
    QPushButton* join;
    QPushButton* signIn;
    QLabel* chatLabel;
    QPlainTextEdit* chat;
    QLineEdit* chatInput;

    LobbyHooks hooks_;
    int uiLanguage_;
    LobbyGameTable* games_;
    lobby::Matchmaker matchmaker_;
    QString serverAddress_;
    std::optional<lobby::LobbyServer> server_;  // the one signed in to, or being
    QString nickname_;                          // in the lobby, once chosen
    bool quickMatchWaiting_ = false;            // a quick match follows the sign-in
    bool placed_ = false;
    QPointer<QInputDialog> question_;  // the one question open, if any
};
