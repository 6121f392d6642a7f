// A player whose line breaks in the middle of a match: through a proxy the
// test cuts, the host keeps the seat and tells everybody, the player's
// program comes back by itself and the match goes on to its end with every
// table identical; and a player who does not come back within the window is
// dropped as a broken line always was. Prints the timeline of the way back.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cstdio>
#include <optional>

#include "line_proxy.h"
#include "peer_process.h"
#include "reference_table.h"

namespace {

constexpr int kMaxShots = 200;
constexpr int kBobSlot = 2;
// Well within the ten seconds of the turn clock at the tests' tick.
constexpr int kSoonMs = 5000;

class Reconnect : public ::testing::Test {
protected:
    // At 3 ms a tick the turn clock leaves the test ten seconds per shot.
    void Begin(const QStringList& holdArgs, int tickMs = 3) {
        QStringList args = {"--tick-ms", QString::number(tickMs)};
        args += holdArgs;
        ana = &group.StartHost("Ana", {}, args);
        proxy = std::make_unique<LineProxy>(group.HostPort());
        bob = &group.Start("Bob", args);
        bob->Send(QStringLiteral("join 127.0.0.1 %1").arg(proxy->Port()));
        ASSERT_GE(bob->WaitForLine("SLOT 2 1 Bob"), 0);
        ana->Send("start");
        ASSERT_TRUE(SpinUntil([&] { return bob->State()["match"] == "1"; }));
        reference.emplace(ana->State()["seed"].toInt());
        clock.start();
    }

    void PlayOneShot(bool quiet) {
        const ai::Shot shot = reference->ChooseShot(quiet);
        PeerProcess& shooter = reference->Side() == 0 ? *ana : *bob;  // Ana is green
        const int from = shooter.LineCount();
        shooter.Send(ShootCommand(shot));
        ASSERT_GE(shooter.WaitForLine("SHOT", from), 0)
            << shooter.Name().toStdString() << ": " << shooter.Lines().last().toStdString();
        reference->Play(shot);
        ASSERT_TRUE(Settles(*ana, "fp", reference->Fingerprint()));
        ASSERT_TRUE(Settles(*bob, "sfp", reference->SharedFingerprint()));
    }

    // Waits for a line and notes when it came.
    void Mark(PeerProcess& peer, const QString& line, int from = 0) {
        ASSERT_GE(peer.WaitForLine(line, from), 0) << line.toStdString();
        std::fprintf(stderr, "timeline %6lld ms  %s: %s\n", static_cast<long long>(clock.elapsed()),
                     qPrintable(peer.Name()), qPrintable(line));
    }

    PeerGroup group;
    PeerProcess* ana = nullptr;
    PeerProcess* bob = nullptr;
    std::unique_ptr<LineProxy> proxy;
    std::optional<ReferenceTable> reference;
    QElapsedTimer clock;
};

TEST_F(Reconnect, APlayerWhoseLineBreaksComesBackAndTheMatchEndsWithoutDesync) {
    ASSERT_NO_FATAL_FAILURE(Begin({}));
    // Play until green has a disc down and red is to move: the table Bob gets
    // back then holds a pocketed disc of the other colour in his own turn.
    int shots = 0;
    for (;;) {
        const bool greenScored = ana->State()["pts"].split(u',')[0].toInt() > 0;
        if (greenScored && reference->Side() == 1) break;
        ASSERT_LT(shots++, kMaxShots);
        ASSERT_NO_FATAL_FAILURE(PlayOneShot(greenScored || reference->Side() == 1));
        ASSERT_FALSE(reference->Decided());
    }
    const int anaFrom = ana->LineCount();
    const int bobFrom = bob->LineCount();
    clock.restart();
    std::fprintf(stderr, "timeline      0 ms  the line is cut in Bob's turn, after %d shots\n",
                 shots);
    proxy->SetDown(true);
    proxy->Cut();
    Mark(*ana, "CHAT Bob lost the connection. Waiting up to 60 s for Bob to come back.", anaFrom);
    Mark(*bob, "CHAT Connection lost. Trying to reconnect for up to 60 s...", bobFrom);
    ASSERT_GE(ana->WaitForLine("SLOT 2 1 Bob (59 s)", anaFrom), 0);
    Mark(*ana, "SLOT 2 1 Bob (58 s)", anaFrom);
    proxy->SetDown(false);
    Mark(*bob, "CHAT Reconnected. The game goes on.", bobFrom);
    Mark(*ana, "CHAT Bob is back. The game goes on.", anaFrom);
    EXPECT_GE(bob->WaitForLine("CHAT Bob is back. The game goes on.", bobFrom), 0);
    EXPECT_FALSE(ana->Saw("CHAT Bob dropped. (timeout)", anaFrom));
    EXPECT_EQ(bob->State()["slot"], "2");
    // Bob's table is the match's at once, his turn included: had the pocketed
    // green disc that falls again on his new table taken the turn from him,
    // only the host's turn clock would give it back, some eleven seconds on.
    ASSERT_TRUE(Settles(*bob, "sfp", reference->SharedFingerprint(), kSoonMs));
    ASSERT_TRUE(Settles(*ana, "sfp", reference->SharedFingerprint(), kSoonMs));
    ASSERT_TRUE(NoDesync(*ana, {kBobSlot}));
    EXPECT_EQ(bob->State()["pts"], ana->State()["pts"]);

    // Bob's turn again, and the match to its end.
    bool first = true;
    while (!reference->Decided()) {
        ASSERT_LT(shots++, kMaxShots);
        const int side = reference->Side();
        ASSERT_NO_FATAL_FAILURE(PlayOneShot(false));
        if (first) {
            EXPECT_EQ(side, 1);
            std::fprintf(stderr, "timeline %6lld ms  Bob shot in his resumed turn\n",
                         static_cast<long long>(clock.elapsed()));
            first = false;
        }
        ASSERT_TRUE(NoDesync(*ana, {kBobSlot})) << "after shot " << shots;
    }
    ASSERT_TRUE(Settles(*bob, "fp", reference->Fingerprint()));
    std::fprintf(stderr, "timeline %6lld ms  the match ended after %d shots, no desync\n",
                 static_cast<long long>(clock.elapsed()), shots);
    EXPECT_TRUE(SpinUntil([&] { return bob->State()["match"] == "0"; }));
}

TEST_F(Reconnect, APlayerNotBackWithinTheWindowIsDroppedAsBefore) {
    ASSERT_NO_FATAL_FAILURE(Begin({"--hold-seconds", "2"}));
    const int anaFrom = ana->LineCount();
    const int bobFrom = bob->LineCount();
    proxy->SetDown(true);
    proxy->Cut();
    Mark(*ana, "CHAT Bob lost the connection. Waiting up to 2 s for Bob to come back.", anaFrom);
    Mark(*ana, "CHAT Bob dropped. (timeout)", anaFrom);
    Mark(*bob, "MESSAGE You have been disconnected or the server was closed.", bobFrom);
    EXPECT_TRUE(SpinUntil([&] { return bob->State()["online"] == "0"; }));
    EXPECT_GE(ana->WaitForLine("SLOT 2 0 Player 2", anaFrom), 0);
    // The host is alone: no match any more.
    EXPECT_TRUE(SpinUntil([&] { return ana->State()["match"] == "0"; }));
    EXPECT_FALSE(bob->Saw("CHAT Reconnected. The game goes on.", bobFrom));
}

// Only the shooter's machine decides whether its shot passes the turn. Its
// line is reset while its shot still rolls and it comes back by itself: the
// turn that shot passed is passed on every machine, the next shot is the
// other player's, and the tables agree, as if the line had held.
TEST_F(Reconnect, ALineBrokenWhileThePlayersOwnShotRollsGivesNoSecondShot) {
    ASSERT_NO_FATAL_FAILURE(Begin({}, 16));  // the real frame rate: a shot rolls for seconds
    ASSERT_NO_FATAL_FAILURE(PlayOneShot(true));
    ASSERT_EQ(reference->Side(), 1);
    const ai::Shot shot = reference->ChooseShot(true);  // pockets nothing: Ana's turn next
    const int anaFrom = ana->LineCount();
    const int bobFrom = bob->LineCount();
    bob->Send(ShootCommand(shot));
    ASSERT_GE(bob->WaitForLine("SHOT", bobFrom), 0);
    SpinFor(250);
    proxy->Cut();
    clock.restart();
    ASSERT_EQ(bob->State()["moving"], "1") << "the shot should still roll when the line breaks";
    reference->Play(shot);
    ASSERT_EQ(reference->Side(), 0);

    Mark(*ana, "CHAT Bob lost the connection. Waiting up to 60 s for Bob to come back.", anaFrom);
    Mark(*bob, "CHAT Reconnected. The game goes on.", bobFrom);
    ASSERT_TRUE(Settles(*ana, "fp", reference->Fingerprint()));
    ASSERT_TRUE(Settles(*bob, "sfp", reference->SharedFingerprint()));
    EXPECT_EQ(ana->State()["current"], "0");
    EXPECT_EQ(bob->State()["current"], "0");
    EXPECT_EQ(bob->State()["pts"], ana->State()["pts"]);
    ASSERT_TRUE(NoDesync(*ana, {kBobSlot}));

    // Ana takes the next shot; Bob's machine does not let him shoot again.
    const int bobBefore = bob->LineCount();
    bob->Send(ShootCommand(reference->ChooseShot(true)));
    EXPECT_GE(bob->WaitForLine("REFUSED shot", bobBefore), 0);
    ASSERT_NO_FATAL_FAILURE(PlayOneShot(true));
    ASSERT_TRUE(NoDesync(*ana, {kBobSlot}));
}

}  // namespace
