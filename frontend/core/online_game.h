// An online game: hosting and joining, the player slots, admission, the
// arrangement of matches, leaving, dropping and kicking, and the repair of
// desynchronised tables. Received messages are handled here too (the host's
// and the client's dispatchers); queued game events are applied by the frame
// loop.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "frontend/core/chat_display.h"
#include "frontend/core/event_queue.h"
#include "frontend/core/frontend_view.h"
#include "frontend/core/game_library.h"
#include "frontend/core/network_link.h"
#include "frontend/core/player_slots.h"
#include "frontend/core/ui_texts.h"

constexpr quint16 kDefaultPort = 2500;
constexpr int kMatchOverTicks = 780;
constexpr int kWinnerDraw = 0;

// The port typed into the join or create dialog; nullopt when it is refused.
std::optional<quint16> ParsePort(const QString& text);
// The join dialog's address check: three dots and no letters.
bool IsAcceptableAddress(const QString& address);

class OnlineGame : public LinkListener {
public:
    OnlineGame(FrontendView& view, ChatDisplay& chat, EventQueue& queue, GameLibrary& library);

    void SetLanguage(int uiLanguage) { uiLanguage_ = uiLanguage; }
    int Language() const { return uiLanguage_; }
    void SetNickname(const QString& name) { nickname_ = name; }
    const QString& Nickname() const { return nickname_; }

    // Buttons.
    bool Host(const QString& portText, const QString& password);
    bool Join(const QString& address, const QString& portText, const QString& password);
    void StartFirstMatch();  // "Iniciar"
    void CloseButton();      // "Encerrar"
    void LeaveGame(bool quiet);
    void Kick(const QString& name);

    // Sending game events: the host broadcasts to all, a client sends to the
    // host. Offline nothing is sent.
    void SendGameMessage(const QByteArray& message);
    void VerifySync();      // host: ask every client for its positions
    void DumpEveryTable();  // host: every machine writes its table to a file

    // From the frame loop.
    void SendSync(int connectionId, const wire::Sync& table);
    void ReportSyncApplied();
    // The "vsync" report for one client's answer against our own table.
    void CompareWithClient(const wire::Verify& answer, const wire::Positions& own);
    void StartMatchOverCountdown() { countdown_ = 0; }
    void AdvanceCountdown();

    // From the library's victory callback: 0 draw, 1 green won, 2 red won.
    void OnVictory(int result);
    void NextMatch();

    // Practice mode shares the slot rows and the close button.
    void BeginPractice();
    bool PracticeRunning() const { return practiceRunning_; }

    // State, for the window, the frame loop and tests.
    bool IsHost() const { return isHost_; }
    bool IsOnline() const { return isOnline_; }
    bool IsConnecting() const { return isConnecting_; }
    bool MatchRunning() const { return matchRunning_; }
    bool CountdownRunning() const { return countdown_.has_value(); }
    int MySlot() const { return mySlot_; }
    int GreenSlot() const { return greenSlot_; }
    int RedSlot() const { return redSlot_; }
    int WinnerSlot() const { return winnerSlot_; }
    int MatchSeed() const { return matchSeed_; }
    const PlayerSlots& Slots() const { return slots_; }
    quint16 ListeningPort() const { return link_.ListeningPort(); }

    // LinkListener.
    void OnClientMessages(int connectionId, const std::vector<QByteArray>& messages) override;
    void OnClientConnectionError(int connectionId) override;
    void OnHostMessages(const std::vector<QByteArray>& messages) override;
    void OnConnectedToHost() override;
    void OnConnectFailed() override;
    void OnHostConnectionLost() override;

    // The reaction to a message that could not be what its command promised.
    void OnPacketError();

private:
    enum class Handled { Ok, PacketError };

    Handled DispatchFromClient(int connectionId, const QByteArray& message);
    Handled DispatchFromHost(const QByteArray& message);
    void Admit(int connectionId, const QByteArray& payload);
    void StartMatchAsClient(const QByteArray& payload);
    void ClientPlacesPlayer(const QByteArray& payload, bool withWins);
    void ClientTakesSlot(const QByteArray& payload);
    void RefusedByHost(UiText message);
    void EndGameOrPractice();

    int AddPlayer(const QString& name, int slot, int wins, bool announce);
    void RemovePlayer(const QString& name, int reason);
    void ResetSlots();
    void ShowSlot(int slot);
    void StartMatch(int green, int red);
    void RepairAfterLeave();
    void ColourBoxes();
    void SilverBoxes();
    void StopMatchState();
    // Nothing queued, no match or practice running, the intro on the table.
    void ReturnToIdleTable();
    void QueueSyncForAllClients();
    QString Announcement(const QString& name, UiText text) const;
    void FillEmptyNickname();

    FrontendView& view_;
    ChatDisplay& chat_;
    EventQueue& queue_;
    GameLibrary& library_;
    NetworkLink link_;
    PlayerSlots slots_;

    int uiLanguage_ = 2;
    QString nickname_ = QStringLiteral("Guest");
    QString hostPassword_;
    bool isHost_ = false;
    bool isOnline_ = false;
    bool isConnecting_ = false;
    bool leavingOnPurpose_ = false;
    bool showDropMessage_ = true;
    bool matchRunning_ = false;
    bool practiceRunning_ = false;
    bool resyncRequested_ = false;
    int mySlot_ = 0;
    int greenSlot_ = 0;
    int redSlot_ = 0;
    int winnerSlot_ = 0;
    int matchSeed_ = 0;  // the host's own choice, or the one its "INIT:" carried
    std::optional<int> countdown_;
};
