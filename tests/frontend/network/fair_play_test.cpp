// The host takes a move (aim, turn change, shot) only from the player to
// move in the running match, and a shot only as the game could make it:
// anything else is neither applied nor relayed, and the match goes on. The
// host Ana plays green; Mal, the red player, and Zed, who watches, are bare
// connections that speak from this process, Mal's table being this
// process's reference; Bob is a peer process that watches.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "peer_process.h"
#include "reference_table.h"
#include "tests/frontend/core/raw_connection.h"

namespace {

QByteArray ShotMessage(const ai::Shot& s) {
    return "DISP:" + wire::EncodeShot({s.x, s.z, s.force, s.angle});
}

class FairPlay : public ::testing::Test {
protected:
    FairPlay()
        : ana(group.StartHost("Ana", {}, {"--tick-ms", "3"})),
          mal(Seated("Mal", 2)),
          bob(group.StartClient("Bob", {}, {"--tick-ms", "3"})),
          zed(Seated("Zed", 4)) {
        ana.Send("start");
        EXPECT_TRUE(SpinUntil([&] { return bob.State()["match"] == "1"; }));
        reference = std::make_unique<ReferenceTable>(ana.State()["seed"].toInt());
        EXPECT_TRUE(Settles(bob, "fp", reference->Fingerprint()));
    }

    std::unique_ptr<RawConnection> Seated(const QByteArray& name, int slot) {
        auto c = std::make_unique<RawConnection>(group.HostPort());
        c->Send("NICK:" + name + ",");
        EXPECT_TRUE(c->WaitFor("IDJG:" + QByteArray::number(slot)));
        return c;
    }

    // Sends the moves and a chat line behind them; once that line has come
    // round to the witness the host has handled them all. None may have
    // been relayed or applied, each must have been refused with a warning
    // naming the sender, and nobody is told of a damaged frame.
    ::testing::AssertionResult Refused(RawConnection& sender, const QString& senderName,
                                       const std::vector<QByteArray>& moves,
                                       RawConnection& witness) {
        const size_t seen = witness.received.size();
        const qsizetype warningsBefore = ana.ErrorLines().size();
        for (const QByteArray& m : moves) sender.Send(m);
        const QByteArray marker =
            "TEXT:" + senderName.toUtf8() + ": after moves " + QByteArray::number(++markers_);
        sender.Send(marker);
        if (!witness.WaitFor(marker)) return ::testing::AssertionFailure() << "no marker";
        // The host's own aim goes out all the while; only these very bytes
        // must not.
        for (size_t i = seen; i < witness.received.size(); ++i) {
            if (std::find(moves.begin(), moves.end(), witness.received[i]) != moves.end())
                return ::testing::AssertionFailure()
                       << "relayed " << witness.received[i].left(5).constData();
        }
        const QString refusal = QStringLiteral("from %1 in slot").arg(senderName);
        const auto refusals = [&] {
            qsizetype n = 0;
            for (qsizetype i = warningsBefore; i < ana.ErrorLines().size(); ++i)
                n += ana.ErrorLines()[i].contains(refusal) &&
                     ana.ErrorLines()[i].contains("refused");
            return n;
        };
        if (!SpinUntil([&] { return refusals() == static_cast<qsizetype>(moves.size()); }))
            return ::testing::AssertionFailure()
                   << refusals() << " warnings for " << moves.size() << " moves";
        const auto state = ana.State();
        if (state["queue"] != "0" || state["moving"] != "0" ||
            state["fp"] != reference->Fingerprint())
            return ::testing::AssertionFailure() << "the host's table changed";
        if (ana.Saw("CHAT Packet Error")) return ::testing::AssertionFailure() << "packet error";
        return ::testing::AssertionSuccess();
    }

    // Ana shoots a quiet shot, which hands the move to red.
    void AnaShoots() {
        ASSERT_EQ(reference->Side(), 0);
        const ai::Shot shot = reference->ChooseShot(true);
        const int from = ana.LineCount();
        ana.Send(ShootCommand(shot));
        ASSERT_GE(ana.WaitForLine("SHOT", from), 0) << ana.Lines().last().toStdString();
        reference->Play(shot);
        ASSERT_EQ(reference->Side(), 1);
        ExpectEveryTableAgrees();
    }

    // Mal, the player to move, aims, shoots and hands the move back as its
    // own machine would: the others follow.
    void MalShoots() {
        ASSERT_EQ(reference->Side(), 1);
        const ai::Shot shot = reference->ChooseShot(true);
        const QByteArray aim = "SJRM:" + wire::EncodeAim({.x = shot.x, .z = shot.z, .force = 2.0f, .angle = shot.angle, .phase = 1});
        mal->Send(aim);
        mal->Send(ShotMessage(shot));
        reference->Play(shot);
        if (reference->Side() == 0) mal->Send("MUDJ:");
        EXPECT_TRUE(zed->WaitFor(aim));
        EXPECT_TRUE(zed->WaitFor(ShotMessage(shot)));
        ExpectEveryTableAgrees();
    }

    // Every table equals the reference, and a "vsync" says so; Mal answers
    // it with the reference.
    void ExpectEveryTableAgrees() {
        ASSERT_TRUE(Settles(ana, "fp", reference->Fingerprint()));
        ASSERT_TRUE(Settles(bob, "fp", reference->Fingerprint()));
        const size_t seen = mal->received.size();
        const int from = ana.LineCount();
        ana.Send("chat /vsync");
        ASSERT_TRUE(SpinUntil([&] {
            for (size_t i = seen; i < mal->received.size(); ++i)
                if (mal->received[i] == "VERS:") return true;
            return false;
        }));
        mal->Send("VERS:" + wire::EncodeVerify(reference->Positions(), 2));
        EXPECT_GE(ana.WaitForLine("CHAT No desync at ID 2", from), 0);
        EXPECT_GE(ana.WaitForLine("CHAT No desync at ID 3", from), 0);
    }

    PeerGroup group;
    PeerProcess& ana;
    std::unique_ptr<RawConnection> mal;
    PeerProcess& bob;
    std::unique_ptr<RawConnection> zed;
    std::unique_ptr<ReferenceTable> reference;
    int markers_ = 0;
};

const ai::Shot kGreenShot{0.0f, 21.65f, 5.0f, 0.1f};
const ai::Shot kRedShot{0.0f, -21.65f, 5.0f, 0.1f};

TEST_F(FairPlay, OnlyThePlayerToMoveMovesTheTable) {
    const std::vector<QByteArray> greenMoves = {
        "SJRM:" + wire::EncodeAim({.z = 21.65f, .force = 3.0f, .angle = 0.1f, .phase = 1}), "MUDJ:", ShotMessage(kGreenShot)};
    // Green is to move: neither the spectator nor red may move for it.
    EXPECT_TRUE(Refused(*zed, "Zed", greenMoves, *mal));
    EXPECT_TRUE(Refused(*mal, "Mal", greenMoves, *zed));
    ASSERT_NO_FATAL_FAILURE(AnaShoots());

    // Red is to move now: still not the spectator.
    const std::vector<QByteArray> redMoves = {
        "SJRM:" + wire::EncodeAim({.z = -21.65f, .force = 3.0f, .angle = 0.1f, .phase = 1}), "MUDJ:", ShotMessage(kRedShot)};
    EXPECT_TRUE(Refused(*zed, "Zed", redMoves, *mal));
    ASSERT_NO_FATAL_FAILURE(MalShoots());
    ASSERT_NO_FATAL_FAILURE(AnaShoots());
    EXPECT_FALSE(mal->Received("RQSY:"));
}

TEST_F(FairPlay, TheMoverShootsOnlyAsTheGameCould) {
    ASSERT_NO_FATAL_FAILURE(AnaShoots());
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    auto shot = [](float x, float z, float force, float angle) {
        return "DISP:" + wire::EncodeShot({x, z, force, angle});
    };
    EXPECT_TRUE(Refused(*mal, "Mal",
                        {
                            shot(0.0f, 21.65f, 5.0f, 0.1f),    // green's line, not red's
                            shot(20.5f, -21.65f, 5.0f, 0.1f),  // beyond the line's end
                            shot(0.0f, -19.0f, 5.0f, 0.1f),    // in front of the line
                            shot(0.0f, -21.65f, 0.0f, 0.1f),   // too weak to shoot
                            shot(0.0f, -21.65f, 0.5f, 0.1f),
                            shot(0.0f, -21.65f, 11.0f, 0.1f),  // more than the cue gives
                            shot(0.0f, -21.65f, 5.0f, 2.0f),   // beyond the aim's reach
                            shot(nan, -21.65f, 5.0f, 0.1f),
                            shot(0.0f, -21.65f, infinity, 0.1f),
                        },
                        *zed));
    // The match goes on: the mover's honest shot still plays everywhere.
    ASSERT_NO_FATAL_FAILURE(MalShoots());
    ASSERT_NO_FATAL_FAILURE(AnaShoots());
}

}  // namespace
