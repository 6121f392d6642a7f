#include "frontend/core/online_game.h"

#include <QRandomGenerator>

#include "frontend/core/table_positions.h"
#include "frontend/core/wire_text.h"

namespace {

constexpr int kMaxClientConnections = 4;
constexpr int kSeedRange = 999;
constexpr int kHighestPort = 65355;  // the dialogs have always refused 65356 and up
enum LeaveReason { kLeft = 0, kKicked = 1, kDropped = 2 };

int RandomSeed() {
    return static_cast<int>(QRandomGenerator::global()->bounded(kSeedRange));
}

int RoleFor(int slot, int green, int red) {
    return slot == green ? 1 : slot == red ? 2 : 0;
}

}  // namespace

std::optional<quint16> ParsePort(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < 0 || port > kHighestPort) return std::nullopt;
    return static_cast<quint16>(port);
}

bool IsAcceptableAddress(const QString& address) {
    const QString a = address.trimmed();
    if (a.count(u'.') != 3) return false;
    for (QChar c : a) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return false;
    }
    return true;
}

OnlineGame::OnlineGame(FrontendView& view, ChatDisplay& chat, EventQueue& queue,
                       GameLibrary& library)
    : view_(view), chat_(chat), queue_(queue), library_(library), link_(*this) {}

void OnlineGame::FillEmptyNickname() {
    if (nickname_.isEmpty()) nickname_ = QStringLiteral("Guest") + QString::number(RandomSeed());
}

QString OnlineGame::Announcement(const QString& name, UiText text) const {
    return name + u' ' + Tr(text, uiLanguage_);
}

// ---- hosting and joining ----------------------------------------------------

bool OnlineGame::Host(const QString& portText, const QString& password) {
    queue_.Clear();
    StopMatchState();
    SilverBoxes();
    library_.ShowIntro();
    practiceRunning_ = false;
    library_.SetMouseFocus(false);

    const auto port = ParsePort(portText);
    if (!port) {
        view_.ShowMessage(Tr(UiText::BadPort, uiLanguage_));
        return false;
    }
    if (!link_.Listen(*port)) return false;
    hostPassword_ = password;
    isHost_ = true;
    isOnline_ = true;
    view_.SetConnectionPanelVisible(false);
    chat_.Clear();
    ResetSlots();
    greenSlot_ = redSlot_ = winnerSlot_ = 0;
    // An empty name would match the free slots and never get one of its own.
    FillEmptyNickname();
    const int slot = AddPlayer(nickname_, -1, 0, true);
    slots_[slot].connectionId = kHostConnection;
    library_.ShowIntro();
    return true;
}

bool OnlineGame::Join(const QString& address, const QString& portText, const QString& password) {
    practiceRunning_ = false;
    library_.SetMouseFocus(false);
    if (!IsAcceptableAddress(address)) {
        view_.ShowMessage(Tr(UiText::BadAddress, uiLanguage_));
        return false;
    }
    const auto port = ParsePort(portText);
    if (!port) {
        view_.ShowMessage(Tr(UiText::BadPort, uiLanguage_));
        return false;
    }
    isHost_ = false;
    hostPassword_ = password;  // a client sends it with its name
    isConnecting_ = true;
    link_.ConnectToHost(address.trimmed(), *port);
    return true;
}

void OnlineGame::OnConnectedToHost() {
    FillEmptyNickname();
    link_.SendToHost(wire::kNick + wire::EncodeLogin({nickname_, hostPassword_}));
    ResetSlots();
    chat_.Clear();
    mySlot_ = greenSlot_ = redSlot_ = winnerSlot_ = 0;
    StopMatchState();
    isConnecting_ = false;
    isOnline_ = true;
    isHost_ = false;
    view_.SetConnectionPanelVisible(false);
    library_.ShowIntro();
}

void OnlineGame::OnConnectFailed() {
    if (!isConnecting_) return;
    isConnecting_ = false;
    view_.ShowMessage(Tr(UiText::ConnectionFailed, uiLanguage_));
}

void OnlineGame::OnHostConnectionLost() {
    if (!leavingOnPurpose_) {
        if (showDropMessage_) view_.ShowMessage(Tr(UiText::ConnectionLost, uiLanguage_));
        view_.SetConnectionPanelVisible(true);
        isHost_ = false;
        isOnline_ = false;
    }
    leavingOnPurpose_ = false;
    showDropMessage_ = true;
    chat_.Clear();
    queue_.Clear();
    // No match goes on without the host; a stale one would make this machine
    // ask for a resync in the next game before it even has a slot.
    StopMatchState();
    practiceRunning_ = false;
    SilverBoxes();
    library_.ShowIntro();
}

void OnlineGame::LeaveGame(bool quiet) {
    if (isOnline_) {
        if (isHost_) {
            if (!quiet) link_.Broadcast(wire::kEnds, -1);
            link_.StopHosting();  // pending bytes are written before each close
        } else {
            if (!quiet) link_.SendToHost(wire::kQuit + ToWireText(nickname_));
            leavingOnPurpose_ = true;
            link_.Disconnect();
            leavingOnPurpose_ = false;
        }
    } else {
        link_.Disconnect();
    }
    isHost_ = false;
    isOnline_ = false;
    isConnecting_ = false;
    showDropMessage_ = true;
    StopMatchState();
    view_.SetConnectionPanelVisible(true);
    chat_.Clear();
    queue_.Clear();
    practiceRunning_ = false;
    SilverBoxes();
    library_.ShowIntro();
}

void OnlineGame::CloseButton() {
    const bool practising = !isOnline_ && practiceRunning_;
    if (isOnline_ || practising) {
        const UiText question = isOnline_ ? UiText::ConfirmLeaveGame : UiText::ConfirmLeavePractice;
        if (!view_.Confirm(Tr(UiText::ConfirmCaption, uiLanguage_), Tr(question, uiLanguage_)))
            return;
    }
    EndGameOrPractice();
}

void OnlineGame::EndGameOrPractice() {
    const bool wasOnline = isOnline_;
    if (wasOnline) LeaveGame(false);
    ResetSlots();
    ReturnToIdleTable();
    if (!wasOnline) {
        view_.SetPracticeLayout(false);
        view_.SetConnectionPanelVisible(true);
    }
}

void OnlineGame::BeginPractice() {
    practiceRunning_ = true;
    library_.SetMouseFocus(false);
    ResetSlots();
    queue_.Clear();
    library_.StartPractice(nickname_);
    view_.SetConnectionPanelVisible(false);
    chat_.Clear();
    AddPlayer(nickname_, -1, 0, true);
    view_.SetStartEnabled(false);
    view_.SetPracticeLayout(true);
}

// ---- slots ------------------------------------------------------------------

void OnlineGame::ShowSlot(int slot) {
    const PlayerSlot& s = slots_[slot];
    if (s.name.isEmpty()) {
        view_.SetSlotLabel(slot, Tr(UiText::PlayerWord, uiLanguage_) + u' ' + QString::number(slot),
                           false);
    } else {
        view_.SetSlotLabel(slot, s.name, true);
    }
    view_.SetWinLabel(slot, QString::number(s.wins));
}

int OnlineGame::AddPlayer(const QString& name, int slot, int wins, bool announce) {
    if (slots_.FindExact(name) != 0) return -1;
    if (announce) chat_.ShowChatLine(Announcement(name, UiText::JoinAnnouncement));
    if (slot == -1) slot = slots_.FirstFree();
    if (!wire::IsPlayerSlot(slot)) return -1;
    slots_[slot].name = name;
    slots_[slot].wins = wins;
    ShowSlot(slot);
    return slot;
}

void OnlineGame::RemovePlayer(const QString& name, int reason) {
    if (const int slot = slots_.FindIgnoringCase(name)) {
        PlayerSlot& s = slots_[slot];
        s.name.clear();
        s.connectionId = kNoConnection;
        s.wins = 0;
        ShowSlot(slot);
    }
    static constexpr UiText kAnnouncements[] = {UiText::LeaveAnnouncement, UiText::KickAnnouncement,
                                                UiText::DropAnnouncement};
    chat_.ShowChatLine(Announcement(name, kAnnouncements[reason]));
    if (reason == kKicked) chat_.PlayEffect(kEffectKicked);
    if (isHost_ && isOnline_) RepairAfterLeave();
}

void OnlineGame::ResetSlots() {
    slots_.Reset();
    for (int s = 1; s <= kSlotCount; ++s) ShowSlot(s);
    SilverBoxes();
}

void OnlineGame::SilverBoxes() {
    for (int s = 1; s <= kSlotCount; ++s) view_.SetSlotBox(s, kBoxSilver);
}

void OnlineGame::ColourBoxes() {
    for (int s = 1; s <= kSlotCount; ++s)
        view_.SetSlotBox(s, s == greenSlot_ ? kBoxGreen : s == redSlot_ ? kBoxRed : kBoxSilver);
}

void OnlineGame::ReturnToIdleTable() {
    queue_.Clear();
    StopMatchState();
    practiceRunning_ = false;
    SilverBoxes();
    library_.ShowIntro();
    view_.SetStartEnabled(false);
}

void OnlineGame::StopMatchState() {
    matchRunning_ = false;
    countdown_.reset();
}

// ---- admission ----------------------------------------------------------------

void OnlineGame::Admit(int connectionId, const QByteArray& payload) {
    if (link_.OpenConnectionCount() > kMaxClientConnections) {
        link_.SendRawToConnection(wire::RefusalFrame(wire::kFull), connectionId);
        return;
    }
    const wire::Login login = wire::DecodeLogin(payload);
    if (!hostPassword_.isEmpty() && login.password != hostPassword_) {
        link_.SendRawToConnection(wire::RefusalFrame(wire::kBadPassword), connectionId);
        return;
    }
    // A name that could not travel back in "ENTR:"/"ENT2:" is refused as taken.
    const int slot = IsNicknameUsable(login.name) ? AddPlayer(login.name, -1, 0, true) : -1;
    if (slot == -1) {
        link_.SendRawToConnection(wire::RefusalFrame(wire::kNameTaken), connectionId);
        return;
    }
    link_.SendToConnection(wire::kSlotId + QByteArray::number(slot), connectionId);
    slots_[slot].connectionId = connectionId;
    for (int s = 1; s <= kSlotCount; ++s) {
        if (s == slot) continue;
        link_.SendToConnection(
            wire::kSlotEntry + wire::EncodeSlotEntry({slots_[s].name, s, slots_[s].wins}, true),
            connectionId);
    }
    link_.Broadcast(wire::kEntered + wire::EncodeSlotEntry({login.name, slot, 0}, false),
                    connectionId);
    if (!matchRunning_) {
        view_.SetStartEnabled(true);
        return;
    }
    link_.SendToConnection(
        wire::kInit + wire::EncodeInit({static_cast<uint8_t>(greenSlot_),
                                        static_cast<uint8_t>(redSlot_), matchSeed_}),
        connectionId);
    queue_.PushSendSync(connectionId);
}

void OnlineGame::OnClientConnectionError(int connectionId) {
    const int slot = slots_.FindConnection(connectionId);
    if (slot == 0) return;
    const QString name = slots_[slot].name;
    link_.Broadcast(wire::kTimedOut + ToWireText(name), connectionId);
    RemovePlayer(name, kDropped);
}

void OnlineGame::Kick(const QString& name) {
    const int slot = slots_.FindIgnoringCase(name);
    if (slot == 0 || name.isEmpty()) return;
    const int connectionId = slots_[slot].connectionId;
    if (link_.IsConnectionOpen(connectionId)) {
        link_.Broadcast(wire::kKickedOther + ToWireText(name), connectionId);
        link_.SendRawToConnection(wire::RefusalFrame(wire::kKicked), connectionId);
        link_.CloseConnection(connectionId);
        RemovePlayer(name, kKicked);
    } else if (name.compare(nickname_, Qt::CaseInsensitive) != 0) {
        link_.Broadcast(wire::kKickedOther + ToWireText(name), -1);
        RemovePlayer(name, kKicked);
    }
}

// ---- matches ------------------------------------------------------------------

void OnlineGame::StartFirstMatch() {
    for (int s = 2; s <= kSlotCount; ++s) {
        if (slots_.IsOccupied(s)) {
            StartMatch(1, s);
            return;
        }
    }
    view_.Beep();
}

void OnlineGame::StartMatch(int green, int red) {
    matchSeed_ = RandomSeed();
    link_.Broadcast(wire::kInit + wire::EncodeInit({static_cast<uint8_t>(green),
                                                    static_cast<uint8_t>(red), matchSeed_}),
                    -1);
    library_.StartMatch(RoleFor(1, green, red), matchSeed_);
    matchRunning_ = true;
    greenSlot_ = green;
    redSlot_ = red;
    slots_.CountMatchStart(green, red);
    ColourBoxes();
    view_.SetStartEnabled(false);
}

void OnlineGame::StartMatchAsClient(const QByteArray& payload) {
    const auto init = wire::DecodeInit(payload);
    if (!init) return;
    if (!wire::IsPlayerSlot(init->greenSlot) || !wire::IsPlayerSlot(init->redSlot)) {
        qWarning("network: refused INIT: for slots %d and %d", init->greenSlot, init->redSlot);
        return;
    }
    library_.StartMatch(RoleFor(mySlot_, init->greenSlot, init->redSlot), init->seed);
    matchSeed_ = init->seed;
    matchRunning_ = true;
    greenSlot_ = init->greenSlot;
    redSlot_ = init->redSlot;
    ColourBoxes();
}

void OnlineGame::OnVictory(int result) {
    matchRunning_ = false;
    winnerSlot_ = result == 1 ? greenSlot_ : result == 2 ? redSlot_ : kWinnerDraw;
    if (practiceRunning_) {
        EndGameOrPractice();
        return;
    }
    queue_.Push(queue_entry::kMatchOver);
    if (wire::IsPlayerSlot(winnerSlot_)) {
        ++slots_[winnerSlot_].wins;
        view_.SetWinLabel(winnerSlot_, QString::number(slots_[winnerSlot_].wins));
    }
}

void OnlineGame::AdvanceCountdown() {
    if (!countdown_) return;
    if (++*countdown_ < kMatchOverTicks) return;
    countdown_.reset();
    NextMatch();
}

void OnlineGame::NextMatch() {
    if (!isOnline_) {
        library_.StartMatch(1, RandomSeed());
        return;
    }
    if (!isHost_) return;
    if (winnerSlot_ == kWinnerDraw) {
        StartMatch(redSlot_, greenSlot_);
        return;
    }
    const int challenger = slots_.ChooseChallenger(winnerSlot_, greenSlot_, redSlot_);
    if (challenger != 0) StartMatch(winnerSlot_, challenger);
}

void OnlineGame::RepairAfterLeave() {
    if (slots_.OnlyHostLeft()) {
        ReturnToIdleTable();
        return;
    }
    if (greenSlot_ == 0) return;
    const bool greenStays = slots_.IsOccupied(greenSlot_);
    const bool redStays = slots_.IsOccupied(redSlot_);
    if (greenStays && redStays) return;
    winnerSlot_ = greenStays ? greenSlot_ : redSlot_;
    // The pairing starts now; a countdown still running would start a second one.
    countdown_.reset();
    NextMatch();
}

// ---- synchronisation ------------------------------------------------------------

void OnlineGame::SendGameMessage(const QByteArray& message) {
    if (!isOnline_) return;
    if (isHost_) {
        link_.Broadcast(message, -1);
    } else {
        link_.SendToHost(message);
    }
}

void OnlineGame::VerifySync() {
    if (isHost_ && isOnline_) link_.Broadcast(wire::kVerify, -1);
}

void OnlineGame::DumpEveryTable() {
    if (!isHost_ || !isOnline_) return;
    link_.Broadcast(wire::kDump, -1);
    library_.SaveDump();
}

void OnlineGame::QueueSyncForAllClients() {
    for (int id : link_.ConnectionIds()) queue_.PushSendSync(id);
}

void OnlineGame::SendSync(int connectionId, const wire::Sync& table) {
    link_.SendToConnection(wire::kSync + wire::EncodeSync(table), connectionId);
}

void OnlineGame::ReportSyncApplied() {
    if (!resyncRequested_) return;
    chat_.ShowChatLine(QStringLiteral("Game re-synchronized."));
    link_.SendToHost(wire::kText + "Game re-synchronized at ID " + QByteArray::number(mySlot_));
    resyncRequested_ = false;
}

void OnlineGame::CompareWithClient(const wire::Verify& answer, const wire::Positions& own) {
    const QString id = FromWireText(answer.id);
    const int differing = CountDifferingDiscs(own, answer.positions);
    if (differing == 0) {
        chat_.ShowChatLine(QStringLiteral("No desync at ID ") + id);
    } else {
        chat_.ShowChatLine(QString::number(differing) +
                           QStringLiteral(" disc(s) desynchronized at ID ") + id);
        view_.Beep();
    }
}

void OnlineGame::OnPacketError() {
    chat_.ShowChatLine(QStringLiteral("Packet Error"));
    if (isHost_) {
        chat_.ShowChatLine(QStringLiteral("Game desync. The game will be re-synchronized."));
        QueueSyncForAllClients();
        return;
    }
    const bool playing = matchRunning_ && (mySlot_ == greenSlot_ || mySlot_ == redSlot_);
    if (!playing) return;
    link_.SendToHost(wire::kResyncRequest);
    resyncRequested_ = true;
    chat_.ShowChatLine(QStringLiteral("Game desync. Sync request sent."));
}
