// This process's own copy of the game, which chooses the shots of a match
// between peer processes and holds every machine's table to its own, and
// the checks that do so.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <optional>

#include "ai/shot_search.h"
#include "frontend/wire/wire_messages.h"
#include "peer_process.h"

// Played hot-seat: it takes whichever side is to shoot, exactly as the
// shooter's machine does. One at a time: the game has one table per process.
class ReferenceTable {
public:
    explicit ReferenceTable(int seed);
    ~ReferenceTable();

    int Side() const;
    bool Decided() const;
    int Result() const;
    QString Fingerprint() const;
    QString SharedFingerprint() const;
    wire::Positions Positions() const;

    // A quiet shot pockets nothing and hands the turn over; otherwise the
    // shot pockets own discs and avoids fouls where it can.
    ai::Shot ChooseShot(bool quiet) const;
    // A shot whose striker falls and so puts one of the shooter's pocketed
    // discs back on the table.
    std::optional<ai::Shot> ReturningShot() const;

    void Play(const ai::Shot& shot);
};

// The headless peer's command that fires this shot.
QString ShootCommand(const ai::Shot& s);

// Waits until the peer's table is at rest with nothing queued and its
// fingerprint (the field given) equals the expected one.
::testing::AssertionResult Settles(PeerProcess& peer, const QString& field,
                                   const QString& expected, int timeoutMs = kSpinWaitMs);

// Asks the host for a "vsync" and waits for one clean report per client id.
::testing::AssertionResult NoDesync(PeerProcess& host, std::initializer_list<int> ids);
