// A player who gives up coming back while the host keeps the seat tells
// the host so, the way every leaving player does: over a line of its own it
// logs in under its name, which hands it the kept seat, and says "QUIT:" at
// once, so the seat is freed now instead of when the hold runs out. Nothing
// waits for it: the player's game has already ended, and a host that cannot
// be reached keeps the seat until its hold is over, as it would anyway.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QTcpSocket>
#include <memory>
#include <vector>

class Farewell {
public:
    // How long each address may take to answer.
    static constexpr int kAttemptLimitMs = 2500;

    // The messages go, framed, to the first of the addresses that answers;
    // a farewell still under way is forgotten.
    void Send(const QList<QHostAddress>& addresses, quint16 port,
              const std::vector<QByteArray>& messages);

private:
    void TryNextAddress();

    QList<QHostAddress> addressesLeft_;
    quint16 port_ = 0;
    QByteArray frames_;
    std::unique_ptr<QTcpSocket> socket_;
};
