#include "frontend/net/seat_keeper.h"

#include "frontend/wire/wire_text.h"

namespace {
constexpr int kSecondMs = 1000;
// How often the chat repeats how long the wait still lasts.
constexpr int kRemindEverySeconds = 15;
}  // namespace

SeatKeeper::SeatKeeper(OnlineContext& context, Expired expired)
    : c_(context), expired_(std::move(expired)) {
    clock_.setInterval(kSecondMs);
    QObject::connect(&clock_, &QTimer::timeout, [this] { EverySecond(); });
}

bool SeatKeeper::WouldHold(int slot) const {
    return holdSeconds_ > 0 && c_.match.IsPlayedBy(slot);
}

void SeatKeeper::Hold(int slot) {
    Awaited& a = awaited_[slot];
    a.name = c_.board.Slots()[slot].name;
    a.secondsLeft = holdSeconds_;
    c_.board.Slots()[slot].connectionId = kAwayConnection;
    Announce(c_.Text(UiText::WaitingForPlayer).arg(a.name, QString::number(a.secondsLeft)));
    ShowWaiting(slot, a);
    HoldOwnSeat();
    if (!clock_.isActive()) clock_.start();
}

int SeatKeeper::AwaitedSlot(const QString& name) const {
    for (const auto& [slot, a] : awaited_)
        if (a.name == name) return slot;
    return 0;
}

void SeatKeeper::Return(int slot, int connectionId) {
    const auto it = awaited_.find(slot);
    if (it == awaited_.end()) return;
    const QString name = it->second.name;
    awaited_.erase(it);
    c_.board.Slots()[slot].connectionId = connectionId;
    returning_.insert(connectionId);
    ShowRealName(slot, name);
    Announce(c_.Text(UiText::PlayerBack).arg(name));
}

void SeatKeeper::TableSent(int connectionId) {
    if (returning_.erase(connectionId) != 0) ResumeOwnSeatIfDone();
}

void SeatKeeper::Release(int slot) {
    const auto it = awaited_.find(slot);
    if (it == awaited_.end()) return;
    const QString name = it->second.name;
    awaited_.erase(it);
    ShowRealName(slot, name);
    ResumeOwnSeatIfDone();
}

void SeatKeeper::Clear() {
    awaited_.clear();
    returning_.clear();
    ownSide_.reset();
    clock_.stop();
}

void SeatKeeper::EverySecond() {
    HoldOwnSeat();
    std::vector<int> expired;
    for (auto& [slot, a] : awaited_) {
        if (--a.secondsLeft <= 0) {
            expired.push_back(slot);
            continue;
        }
        ShowWaiting(slot, a);
        if (a.secondsLeft % kRemindEverySeconds == 0)
            Announce(c_.Text(UiText::StillWaitingForPlayer)
                         .arg(a.name, QString::number(a.secondsLeft)));
    }
    for (int slot : expired) {
        const QString name = awaited_[slot].name;
        Release(slot);
        expired_(slot, name);
    }
    if (awaited_.empty()) clock_.stop();
}

void SeatKeeper::ShowWaiting(int slot, const Awaited& a) {
    const QString text = QStringLiteral("%1 (%2 s)").arg(a.name, QString::number(a.secondsLeft));
    c_.board.ShowAway(slot, text);
    const PlayerSlot& s = c_.board.Slots()[slot];
    c_.link.Broadcast(wire::kSlotEntry + wire::EncodeSlotEntry({text, slot, s.wins}, true), -1);
}

void SeatKeeper::ShowRealName(int slot, const QString& name) {
    c_.board.Refresh(slot);
    const PlayerSlot& s = c_.board.Slots()[slot];
    c_.link.Broadcast(wire::kSlotEntry + wire::EncodeSlotEntry({name, slot, s.wins}, true), -1);
}

void SeatKeeper::Announce(const QString& line) {
    c_.chat.ShowChatLine(line);
    c_.link.Broadcast(wire::kText + ToWireText(line), -1);
}

void SeatKeeper::HoldOwnSeat() {
    if (ownSide_ || !MatchWaits() || !c_.match.IsPlayedBy(1)) return;
    if (c_.table.IsMoving() || c_.queue.HoldsTableChange()) return;
    ownSide_ = c_.table.LocalSeat();
    c_.table.SetLocalSeat(kWatchingSide);
}

void SeatKeeper::ResumeOwnSeatIfDone() {
    if (MatchWaits() || !ownSide_) return;
    // A match that started meanwhile has seated this machine itself.
    if (c_.match.running && c_.table.LocalSeat() == kWatchingSide)
        c_.table.SetLocalSeat(*ownSide_);
    ownSide_.reset();
}
