#include "frontend/net/online_context.h"

#include <QRandomGenerator>

int RandomNumberBelow999() {
    constexpr int kRange = 999;
    return static_cast<int>(QRandomGenerator::global()->bounded(kRange));
}

void OnlineContext::FillEmptyNickname() {
    if (!nickname.isEmpty()) return;
    nickname = QStringLiteral("Guest") + QString::number(RandomNumberBelow999());
    view.ShowNickname(nickname);
}

void OnlineContext::BeginMatch(int green, int red, int seed, int ownSlot) {
    // What is still queued belongs to the last match. The host drops it as
    // it sends "INIT:" and a client when that arrives, so both keep exactly
    // the events sent after it.
    queue.Clear();
    match.Begin(green, red, seed);
    screen.StartMatch(match.SeatFor(ownSlot), seed);
    board.ShowMatch(green, red);
    Tell(session::MatchStarted{green, red, seed});
}

void OnlineContext::ReturnToIdleTable() {
    queue.Clear();
    match.Stop();
    board.ShowNoMatch();
    screen.ShowIntro();
    view.SetStartEnabled(false);
}

void OnlineContext::EndSession(SessionEnd reason) {
    session = Session::Offline;
    view.SetConnectionPanelVisible(true);
    chat.Clear();
    ReturnToIdleTable();
    Tell(session::Ended{reason});
}
