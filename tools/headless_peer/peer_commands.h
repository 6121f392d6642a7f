// The text commands of the headless peer, one per line. Everything the peer
// sees is written to standard output as one line per event.
//
//   nick NAME                 host PORT [PASSWORD]     join ADDRESS PORT [PASSWORD]
//   start                     leave                    practice
//   shoot X Z FORCE ANGLE     chat TEXT (or /command)  chateffects 0|1
//   score GREEN RED           disturb                  packeterror
//   state                     wait MS                  quit
//   lobbyjoin HOST [PASSWORD] (with --lobby: "Join" on a game the lobby lists)
//
// "shoot" is what the library reports when the player at the table releases
// the cue; "score" stages a final score, so that the library itself reports
// the result; "disturb" moves disc 5 on this table only; "packeterror" acts
// as if a damaged frame had arrived.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "frontend/session/frontend_core.h"
#include "peer_lobby.h"

class PeerCommands {
public:
    // lobby, when the peer signs in to one, takes "lobbyjoin".
    PeerCommands(FrontendCore& core, PeerLobby* lobby, std::function<void(const QString&)> print,
                 std::function<void()> quit)
        : core_(core), lobby_(lobby), print_(std::move(print)), quit_(std::move(quit)) {}

    // Queues lines and runs them in order; "wait MS" pauses the queue.
    void Add(const QStringList& lines);

private:
    void RunQueued();
    void Run(const QString& line);
    void Shoot(const QStringList& words);
    QString State() const;

    FrontendCore& core_;
    PeerLobby* lobby_;
    std::function<void(const QString&)> print_;
    std::function<void()> quit_;
    std::deque<QString> pending_;
    bool waiting_ = false;
};
