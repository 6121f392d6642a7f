// The host keeps the seat of a player of the running match whose line broke
// (not one who left or was kicked) for a while: the match stands still (the
// host's own turn clock and aim are held, moves from the others are
// refused), everybody is told in the chat and the player list who is awaited
// and for how long, and the same nickname logging in again takes the seat
// back and gets the match as it stands. When the time is up, the usual drop
// rules apply.
//
// Nothing new travels: the others see the wait as chat lines ("TEXT:") and
// as the slot's name with the seconds left ("ENT2:", which only renames the
// slot), and the real name again before the seat is handed back or dropped.
#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "frontend/net/online_context.h"

class SeatKeeper {
public:
    static constexpr int kDefaultHoldSeconds = 60;
    // Called when the time is up for a slot, after its name has been put
    // back everywhere; the caller drops the player as it would have at once.
    using Expired = std::function<void(int slot, const QString& name)>;

    SeatKeeper(OnlineContext& context, Expired expired);

    // 0 drops a broken line at once, as without a keeper.
    void SetHoldSeconds(int seconds) { holdSeconds_ = seconds; }
    int HoldSeconds() const { return holdSeconds_; }

    // Whether a broken line of the player in this slot is waited for.
    bool WouldHold(int slot) const;
    void Hold(int slot);
    // The awaited slot whose player logs in under this name, or 0.
    int AwaitedSlot(const QString& name) const;
    // The player is back on this connection; the match goes on once the
    // table has been sent there (TableSent).
    void Return(int slot, int connectionId);
    void TableSent(int connectionId);
    // Stops waiting for the player in this slot (kicked, or the game ends),
    // the real name shown again everywhere first.
    void Release(int slot);
    void Clear();

    // While somebody is awaited or the table is still on its way to a player
    // who came back, nobody moves.
    bool MatchWaits() const { return !awaited_.empty() || !returning_.empty(); }

private:
    struct Awaited {
        QString name;
        int secondsLeft = 0;
    };
    void EverySecond();
    void ShowWaiting(int slot, const Awaited& a);
    void ShowRealName(int slot, const QString& name);
    void Announce(const QString& line);
    // The host's own player stops once the table is at rest, so that the
    // shot in play still ends with its turn decided; and plays on when
    // nobody is awaited any more.
    void HoldOwnSeat();
    void ResumeOwnSeatIfDone();

    OnlineContext& c_;
    Expired expired_;
    int holdSeconds_ = kDefaultHoldSeconds;
    std::map<int, Awaited> awaited_;
    std::set<int> returning_;  // connections whose table is still to be sent
    std::optional<int> ownSide_;  // the host's side while held
    QTimer clock_;
};
