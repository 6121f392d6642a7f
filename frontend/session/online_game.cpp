#include "frontend/session/online_game.h"

#include <algorithm>

#include "frontend/net/join_address.h"

namespace {
constexpr int kHighestPort = 65355;  // the dialogs have always refused 65356 and up
}  // namespace

std::optional<quint16> ParsePort(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    // Port 0 would listen where nobody is told, or connect nowhere.
    if (!ok || port <= 0 || port > kHighestPort) return std::nullopt;
    return static_cast<quint16>(port);
}

OnlineGame::OnlineGame(FrontendView& view, ChatDisplay& chat, EventQueue& queue,
                       GameLibrary& library)
    : link_(*this), c_(view, chat, queue, library, library, link_), host_(c_), client_(c_) {}

// ---- hosting, joining and leaving ---------------------------------------------

bool OnlineGame::Host(const QString& portText, const QString& password) {
    PrepareToHost();
    const auto port = ParsePort(portText);
    if (!port) {
        c_.view.ShowMessage(c_.Text(UiText::BadPort));
        return false;
    }
    if (!Open(*port, password)) return false;
    forwarding_.Start(*port);
    return true;
}

bool OnlineGame::HostOnPort(quint16 port, const QString& password) {
    PrepareToHost();
    return Open(port, password);
}

void OnlineGame::PrepareToHost() {
    ForgetPractice();
    c_.ReturnToIdleTable();
    c_.screen.SetMouseFocus(false);
}

bool OnlineGame::Open(quint16 port, const QString& password) {
    if (host_.Open(port, password)) return true;
    // Port in use or not permitted: the reason went to stderr.
    c_.view.ShowMessage(c_.Text(UiText::HostFailed));
    return false;
}

bool OnlineGame::Join(const QString& address, const QString& portText, const QString& password,
                      std::optional<ConnectFallback> fallback) {
    ForgetPractice();
    c_.screen.SetMouseFocus(false);
    const std::optional<QString> host = NormalizeJoinAddress(address);
    if (!host) {
        c_.view.ShowMessage(c_.Text(UiText::BadAddress));
        return false;
    }
    const auto port = ParsePort(portText);
    if (!port) {
        c_.view.ShowMessage(c_.Text(UiText::BadPort));
        return false;
    }
    client_.Connect(*host, *port, password, std::move(fallback));
    return true;
}

void OnlineGame::JoinOverRelay(int fd, const QString& password, std::function<void()> redial) {
    ForgetPractice();
    c_.screen.SetMouseFocus(false);
    client_.ConnectOverLine(fd, password, std::move(redial));
}

bool OnlineGame::AdoptRelayedLine(int fd) {
    return link_.AdoptConnection(fd) >= 0;
}

int OnlineGame::RelayedLineCount() const {
    const std::vector<int> ids = link_.ConnectionIds();
    return static_cast<int>(
        std::count_if(ids.begin(), ids.end(), [this](int id) { return link_.IsConnectionRelayed(id); }));
}

void OnlineGame::LeaveGame(bool quiet) {
    if (IsHost()) {
        host_.Close(quiet);
        forwarding_.Stop();
    } else {
        client_.Close(quiet);
    }
    c_.EndSession(SessionEnd::Left);
}

bool OnlineGame::CloseButton() {
    const bool online = IsOnline();
    if (online || PracticeRunning()) {
        const UiText question = online ? UiText::ConfirmLeaveGame : UiText::ConfirmLeavePractice;
        if (!c_.view.Confirm(c_.Text(UiText::ConfirmCaption), c_.Text(question))) return false;
    }
    EndGameOrPractice();
    return true;
}

void OnlineGame::EndGameOrPractice() {
    const bool practising = PracticeRunning();
    LeaveGame(false);
    c_.board.Reset();
    if (practising) c_.view.SetPracticeLayout(false);
}

void OnlineGame::ForgetPractice() {
    if (PracticeRunning()) c_.session = Session::Offline;
}

void OnlineGame::BeginPractice() {
    c_.session = Session::Practice;
    c_.screen.SetMouseFocus(false);
    c_.board.Reset();
    c_.queue.Clear();
    c_.screen.StartPractice(c_.nickname);
    c_.view.SetConnectionPanelVisible(false);
    c_.chat.Clear();
    c_.board.Seat(c_.nickname, -1, 0, true);
    c_.view.SetStartEnabled(false);
    c_.view.SetPracticeLayout(true);
}

// ---- the host's commands ---------------------------------------------------------

void OnlineGame::StartFirstMatch() {
    if (IsHost()) host_.StartFirstMatch();
}

void OnlineGame::Kick(const QString& name) {
    if (IsHost()) host_.Kick(name);
}

void OnlineGame::VerifySync() {
    if (IsHost()) host_.VerifySync();
}

void OnlineGame::DumpEveryTable() {
    if (IsHost()) host_.DumpEveryTable();
}

// ---- matches ------------------------------------------------------------------

void OnlineGame::OnVictory(int result) {
    c_.match.Finish(result);
    if (PracticeRunning()) {
        EndGameOrPractice();
        return;
    }
    c_.queue.Push(event::MatchOver{});
    if (wire::IsPlayerSlot(c_.match.winnerSlot)) c_.board.AddWin(c_.match.winnerSlot);
}

void OnlineGame::AdvanceCountdown() {
    std::optional<int>& countdown = c_.match.countdown;
    if (!countdown) return;
    if (++*countdown < kMatchOverTicks) return;
    countdown.reset();
    NextMatch();
}

void OnlineGame::NextMatch() {
    if (IsHost()) {
        host_.NextMatch();
    } else if (!IsOnline()) {
        c_.screen.StartMatch(1, RandomNumberBelow999());  // a new local match, playing green
    }
    // A client waits for the host's "INIT:".
}

// ---- messages and the frame loop --------------------------------------------------

void OnlineGame::SendGameMessage(const QByteArray& message) {
    if (IsHost()) {
        link_.Broadcast(message, -1);
    } else if (IsOnline()) {
        client_.SendGameMessage(message);
    }
}

void OnlineGame::SendSync(int connectionId, const wire::Sync& table) {
    host_.SendSync(connectionId, table);
}

void OnlineGame::ReportSyncApplied() {
    client_.ReportSyncApplied();
}

void OnlineGame::KeepVerifyReference(const wire::Positions& own) {
    if (IsHost()) host_.KeepVerifyReference(own);
}

void OnlineGame::CompareWithClient(const wire::Verify& answer, const wire::Positions& own) {
    host_.CompareWithClient(answer, own);
}

void OnlineGame::OnPacketError() {
    if (IsHost()) {
        host_.OnPacketError();
    } else {
        client_.OnPacketError();
    }
}

void OnlineGame::OnClientMessages(int connectionId, const std::vector<QByteArray>& messages) {
    host_.OnMessages(connectionId, messages);
}

void OnlineGame::OnClientConnectionError(int connectionId) {
    host_.OnConnectionError(connectionId);
}

void OnlineGame::OnHostMessages(const std::vector<QByteArray>& messages) {
    client_.OnMessages(messages);
}

void OnlineGame::OnConnectedToHost() {
    client_.OnConnected();
}

void OnlineGame::OnConnectFailed() {
    client_.OnConnectFailed();
}

void OnlineGame::OnHostConnectionLost() {
    client_.OnConnectionLost();
}
