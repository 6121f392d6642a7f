// Whole matches between real peer processes. The test keeps a reference
// table of its own, chooses every shot on it, has the machine whose turn it
// is shoot, and then requires every machine's table to equal the reference
// bit for bit. Spectators, the "vsync" check and the repair of a disturbed
// table are checked on the same kind of match.
#include <gtest/gtest.h>

#include <QTcpSocket>
#include <optional>

#include "frontend/wire/frame_codec.h"
#include "peer_process.h"
#include "reference_table.h"

namespace {

constexpr int kMaxShots = 200;

// The host's next "vsync" report at or after line `from`, for client `id`.
QString VsyncReport(PeerProcess& host, int id, int from) {
    const QString clean = QStringLiteral("CHAT No desync at ID %1").arg(id);
    const QString desync = QStringLiteral(" disc(s) desynchronized at ID %1").arg(id);
    QString report;
    SpinUntil([&] {
        for (int i = from; i < host.LineCount(); ++i) {
            const QString& line = host.Lines()[i];
            if (line == clean || (line.startsWith("CHAT ") && line.endsWith(desync))) {
                report = line;
                return true;
            }
        }
        return false;
    });
    return report;
}

class MatchPlay : public ::testing::Test {
protected:
    // Bob ticks on the "-high" timer's thread, Ana on the window timer. At
    // 3 ms a tick the 60-second turn clock (3600 steps) still leaves ten
    // seconds between a table coming to rest and the next shot.
    MatchPlay()
        : ana(group.StartHost("Ana", {}, {"--tick-ms", "3"})),
          bob(group.StartClient("Bob", {}, {"--tick-ms", "3", "--high"})) {
        ana.Send("start");
        EXPECT_TRUE(SpinUntil([&] { return bob.State()["match"] == "1"; }));
        seed = ana.State()["seed"].toInt();
    }

    // Has the right machine fire the next shot and checks every given peer
    // against the reference afterwards. The shot after it is searched while
    // the peers still simulate this one: the turn clock runs from the moment
    // their table comes to rest, and a slow search on a loaded machine must
    // not eat it. nextQuiet tells what kind of shot that one will be.
    void PlayOneShot(ReferenceTable& reference, std::initializer_list<PeerProcess*> peers,
                     bool quiet = true, bool nextQuiet = true) {
        const ai::Shot shot = planned_ ? *planned_ : reference.ChooseShot(quiet);
        planned_.reset();
        PeerProcess& shooter = reference.Side() == 0 ? ana : bob;  // Ana is green
        const int from = shooter.LineCount();
        shooter.Send(ShootCommand(shot));
        ASSERT_GE(shooter.WaitForLine("SHOT", from), 0) << shooter.Lines().last().toStdString();
        reference.Play(shot);
        if (!reference.Decided()) planned_ = reference.ChooseShot(nextQuiet);
        for (PeerProcess* p : peers) ASSERT_TRUE(Settles(*p, "fp", reference.Fingerprint()));
    }

    PeerGroup group;
    PeerProcess& ana;
    PeerProcess& bob;
    int seed = 0;
    std::optional<ai::Shot> planned_;  // searched ahead for the reference's next turn
};

TEST_F(MatchPlay, EveryTableStaysIdenticalShotAfterShotUntilTheMatchIsWon) {
    ReferenceTable reference(seed);
    ASSERT_TRUE(Settles(ana, "fp", reference.Fingerprint()));
    ASSERT_TRUE(Settles(bob, "fp", reference.Fingerprint()));

    // Both players shoot: a few quiet shots first, then each goes for the win.
    constexpr int kQuietShots = 6;
    int shots = 0;
    int shotsBySide[2] = {0, 0};
    while (!reference.Decided() && shots < kMaxShots) {
        ++shotsBySide[reference.Side()];
        PlayOneShot(reference, {&ana, &bob}, shots < kQuietShots, shots + 1 < kQuietShots);
        ++shots;
        ASSERT_TRUE(NoDesync(ana, {2})) << "after shot " << shots;
    }
    ASSERT_TRUE(reference.Decided()) << "no winner after " << shots << " shots";
    RecordProperty("shots", shots);
    EXPECT_GE(shotsBySide[0], kQuietShots / 2);
    EXPECT_GE(shotsBySide[1], kQuietShots / 2);

    // Every machine saw the same end; the winner's slot counts a win.
    const int winnerSlot = reference.Result() == 1 ? 1 : reference.Result() == 2 ? 2 : 0;
    for (PeerProcess* p : {&ana, &bob}) {
        EXPECT_TRUE(SpinUntil([&] { return p->State()["match"] == "0"; }))
            << p->Name().toStdString();
        EXPECT_EQ(p->State()["winner"].toInt(), winnerSlot) << p->Name().toStdString();
        if (winnerSlot) {
            EXPECT_GE(p->WaitForLine(QStringLiteral("WINS %1 1").arg(winnerSlot)), 0);
        }
    }
    // After the pause the host pairs the two again, the winner playing green.
    EXPECT_TRUE(SpinUntil([&] { return bob.State()["match"] == "1"; }, 30000));
    if (winnerSlot) {
        EXPECT_EQ(ana.State()["green"].toInt(), winnerSlot);
    }
}

TEST_F(MatchPlay, ASpectatorJoiningMidMatchGetsTheTableAndLeavesWithoutATrace) {
    ReferenceTable reference(seed);
    PlayOneShot(reference, {&ana, &bob});
    PlayOneShot(reference, {&ana, &bob});

    PeerProcess& cid = group.StartClient("Cid", {}, {"--tick-ms", "3"});
    EXPECT_GE(cid.WaitForLine("BOX 1 00ff00"), 0);
    EXPECT_GE(cid.WaitForLine("BOX 2 ff0000"), 0);
    ASSERT_TRUE(Settles(cid, "sfp", reference.SharedFingerprint()));
    auto state = cid.State();
    EXPECT_EQ(state["match"], "1");
    EXPECT_EQ(state["slot"], "3");
    EXPECT_EQ(state["seat"], "2");  // watching
    EXPECT_EQ(state["seed"].toInt(), seed);
    EXPECT_TRUE(NoDesync(ana, {2, 3}));

    cid.Send("leave");
    EXPECT_GE(ana.WaitForLine("CHAT Cid left the chat!"), 0);
    state = ana.State();
    EXPECT_EQ(state["match"], "1");
    EXPECT_EQ(state["green"], "1");
    EXPECT_EQ(state["red"], "2");
    PlayOneShot(reference, {&ana, &bob});
}

TEST_F(MatchPlay, ADisturbedTableIsFoundAndRepaired) {
    ReferenceTable reference(seed);
    PlayOneShot(reference, {&ana, &bob});

    bob.Send("disturb");
    int from = ana.LineCount();
    ana.Send("chat /vsync");
    EXPECT_GE(ana.WaitForLine("CHAT 1 disc(s) desynchronized at ID 2", from), 0);
    EXPECT_GE(ana.WaitForLine("BEEP", from), 0);

    // The playing client sees a damaged frame and asks for the table.
    from = ana.LineCount();
    bob.Send("packeterror");
    EXPECT_GE(bob.WaitForLine("CHAT Game desync. Sync request sent."), 0);
    EXPECT_GE(ana.WaitForLine("CHAT Game resync requested.", from), 0);
    EXPECT_GE(bob.WaitForLine("CHAT Game re-synchronized."), 0);
    EXPECT_GE(ana.WaitForLine("CHAT Game re-synchronized at ID 2", from), 0);
    ASSERT_TRUE(Settles(bob, "fp", reference.Fingerprint()));
    EXPECT_TRUE(NoDesync(ana, {2}));

    // A message too short for its command at the host: it is dropped, and
    // every client connection, the sender's too, is re-synchronised.
    bob.Send("disturb");
    QTcpSocket line;
    line.connectToHost("127.0.0.1", group.HostPort());
    ASSERT_TRUE(SpinUntil([&] { return line.state() == QAbstractSocket::ConnectedState; }));
    QByteArray received;
    QObject::connect(&line, &QTcpSocket::readyRead, [&] { received += line.readAll(); });
    from = ana.LineCount();
    line.write(MakeFrame("DISP:" + QByteArray(4, '\x01')));  // a whole frame, too short a shot
    line.flush();
    EXPECT_GE(ana.WaitForLine("CHAT Packet Error", from), 0);
    EXPECT_GE(ana.WaitForLine("CHAT Game desync. The game will be re-synchronized.", from), 0);
    ASSERT_TRUE(Settles(bob, "fp", reference.Fingerprint()));
    EXPECT_TRUE(NoDesync(ana, {2}));
    EXPECT_TRUE(SpinUntil([&] { return received.contains("SYNC:"); }));
    EXPECT_FALSE(received.contains("DISP:"));
    PlayOneShot(reference, {&ana, &bob});
}

// The settling step of a shot whose striker fell puts a disc back at a spot
// that the next step rounds to the table's grid; a "vsync" asked at once
// reaches each table just then. Tables that agree must never be reported
// as differing, and a disturbed one still must.
TEST_F(MatchPlay, AVsyncAskedAsADiscIsPutBackFindsOnlyRealDifferences) {
    constexpr int kReturnsWanted = 6;
    ReferenceTable reference(seed);
    int returns = 0;
    for (int shots = 0; returns < kReturnsWanted && !reference.Decided() && shots < kMaxShots;
         ++shots) {
        const std::optional<ai::Shot> returning = reference.ReturningShot();
        const ai::Shot shot = returning ? *returning : reference.ChooseShot(false);
        PeerProcess& shooter = reference.Side() == 0 ? ana : bob;
        const int shotFrom = shooter.LineCount();
        const int reportFrom = ana.LineCount();
        shooter.Send(ShootCommand(shot));
        ASSERT_GE(shooter.WaitForLine("SHOT", shotFrom), 0) << shooter.Lines().last().toStdString();
        if (returning) ana.Send("chat /vsync");
        reference.Play(shot);
        ASSERT_TRUE(Settles(ana, "fp", reference.Fingerprint()));
        ASSERT_TRUE(Settles(bob, "fp", reference.Fingerprint()));
        if (!returning) continue;
        ++returns;
        EXPECT_EQ(VsyncReport(ana, 2, reportFrom).toStdString(), "CHAT No desync at ID 2")
            << "after returning shot " << returns;
    }
    RecordProperty("returns", returns);
    ASSERT_GE(returns, kReturnsWanted);

    bob.Send("disturb");
    const int from = ana.LineCount();
    ana.Send("chat /vsync");
    EXPECT_EQ(VsyncReport(ana, 2, from).toStdString(), "CHAT 1 disc(s) desynchronized at ID 2");
}

}  // namespace
