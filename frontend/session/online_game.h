// An online game, or practice, as the window and the frame loop see it: the
// buttons, the session this machine is in, the end of a match and the next
// one, and what the frame loop hands back. The host's and the client's
// halves (online_host.h, online_client.h) do the work of each role over the
// shared slots and match; received messages reach them through here.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "frontend/chat/chat_display.h"
#include "frontend/library/event_queue.h"
#include "frontend/library/game_library.h"
#include "frontend/net/network_link.h"
#include "frontend/net/online_client.h"
#include "frontend/net/online_context.h"
#include "frontend/net/online_host.h"
#include "frontend/router/port_forwarding.h"
#include "frontend/view/frontend_view.h"

constexpr quint16 kDefaultPort = 2500;

// The port typed into the join or create dialog; nullopt when it is refused.
std::optional<quint16> ParsePort(const QString& text);

class OnlineGame : public LinkListener {
public:
    OnlineGame(FrontendView& view, ChatDisplay& chat, EventQueue& queue, GameLibrary& library);

    void SetLanguage(int uiLanguage) { c_.uiLanguage = uiLanguage; }
    int Language() const { return c_.uiLanguage; }
    void SetNickname(const QString& name) { c_.nickname = name; }
    void SetDiscColours(DiscColours look) { c_.board.SetDiscColours(look); }
    const QString& Nickname() const { return c_.nickname; }
    // How long a player of a match whose line broke keeps the seat at this
    // host and tries to come back as a client (60 s); 0 drops at once.
    void SetSeatHoldSeconds(int seconds) {
        host_.SetSeatHoldSeconds(seconds);
        client_.SetReconnectSeconds(seconds);
    }
    // The one listener that hears this session's events; empty silences it.
    void SetSessionListener(SessionListener listener) { c_.listener = std::move(listener); }

    // A game hosted through Host (the create dialog) asks the router to
    // forward its port while it lasts; HostOnPort never does.
    PortForwarding& Forwarding() { return forwarding_; }

    // Buttons. Host and Join answer false when the dialog's values were
    // refused or the game could not be opened; the player was told why.
    // A join to a name looks it up first; a failed look-up is told as a
    // message, as a failed connection is.
    bool Host(const QString& portText, const QString& password);
    // Hosting on a port given as a number; 0 lets the system choose one
    // (tests read it from ListeningPort).
    bool HostOnPort(quint16 port, const QString& password);
    // With a fallback, a failed connection is the fallback's to go on with
    // (online_client.h), and the player is told nothing.
    bool Join(const QString& address, const QString& portText, const QString& password,
              std::optional<ConnectFallback> fallback = std::nullopt);
    // Joining over a line to the host through the lobby's relay, a connected
    // socket: the login, password and seat as after a direct connection.
    // After a break in a match, the way back asks redial for a new relayed
    // line, which comes to ReconnectOverRelay (or RelayRedialFailed).
    void JoinOverRelay(int fd, const QString& password, std::function<void()> redial);
    void ReconnectOverRelay(int fd) { client_.ReconnectOverLine(fd); }
    void RelayRedialFailed() { client_.RedialFailed(); }
    // Whether this machine's line to the host goes through the relay.
    bool JoinedOverRelay() const { return client_.Relayed(); }
    // Host: a player's line through the lobby's relay, a connected socket,
    // taken as a player who connected directly is (login, password, seats,
    // checks alike). False, the line closed, when not hosting.
    bool AdoptRelayedLine(int fd);
    // Host: how many of the open connections came through the relay.
    int RelayedLineCount() const;
    void StartFirstMatch();  // "Iniciar"
    // "Encerrar": false when the player answered "No" and nothing changed.
    bool CloseButton();
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
    // Host: the table the answers to the "vsync" check asked last are compared with.
    void KeepVerifyReference(const wire::Positions& own);
    void CompareWithClient(const wire::Verify& answer, const wire::Positions& own);
    void StartMatchOverCountdown() { c_.match.countdown = 0; }
    void AdvanceCountdown();

    // From the library's victory report: 0 draw, 1 green won, 2 red won.
    void OnVictory(int result);
    void NextMatch();

    // Practice mode shares the slot rows and the close button.
    void BeginPractice();

    // State, for the window, the frame loop and tests.
    Session State() const { return c_.session; }
    bool PracticeRunning() const { return c_.session == Session::Practice; }
    bool IsHost() const { return c_.session == Session::Hosting; }
    // Whether the game hosted here asks its players for a password.
    bool AsksPassword() const { return IsHost() && host_.HasPassword(); }
    bool IsOnline() const { return IsHost() || c_.session == Session::Joined; }
    bool IsConnecting() const { return c_.session == Session::Connecting; }
    bool Reconnecting() const { return client_.Reconnecting(); }
    bool MatchRunning() const { return c_.match.running; }
    bool CountdownRunning() const { return c_.match.countdown.has_value(); }
    int MySlot() const { return client_.MySlot(); }
    int GreenSlot() const { return c_.match.greenSlot; }
    int RedSlot() const { return c_.match.redSlot; }
    int WinnerSlot() const { return c_.match.winnerSlot; }
    int MatchSeed() const { return c_.match.seed; }
    const PlayerSlots& Slots() const { return c_.board.Slots(); }
    quint16 ListeningPort() const { return link_.ListeningPort(); }
    // The sockets under the game, for feeding a host bytes without one.
    NetworkLink& Link() { return link_; }
    // How a join finds the addresses of a name; tests answer for it.
    void SetHostResolver(HostResolver resolver, int timeLimitMs = HostLookup::kTimeLimitMs) {
        client_.SetHostResolver(std::move(resolver), timeLimitMs);
    }

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
    void PrepareToHost();
    bool Open(quint16 port, const QString& password);
    void EndGameOrPractice();
    // Hosting or joining ends a practice run.
    void ForgetPractice();

    NetworkLink link_;
    OnlineContext c_;
    OnlineHost host_;
    OnlineClient client_;
    PortForwarding forwarding_{c_};
};
