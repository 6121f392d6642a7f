// Lines that die without a word, between a host and a player in two network
// namespaces of the test's own (documentation addresses, no route out):
//   host    192.0.2.1  Ana, hosting on port 2500
//   player  192.0.2.2  Bob, joined to 192.0.2.1
// Every packet of a live match's line is dropped: both sides notice within
// 20 s, the seat is held, Bob comes back once packets flow again and the
// match goes on. Bob's end alone is reset while Ana's end of the old line
// stays open: Bob gets the seat back as soon as Ana has probed the old line,
// and a second "Bob" while the first one's line is alive is refused as the
// name's holder, as always.
//
// Needs root for the namespaces: without them the run ends with 77, which
// the test list counts as skipped.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <optional>

#include "peer_process.h"
#include "reference_table.h"

namespace {

constexpr int kSkipped = 77;
// What the line watch promises: a dead line noticed within 20 s.
constexpr int kNoticeWithinMs = 20000;
const QString kHostAddress = QStringLiteral("192.0.2.1");
const QString kPlayerAddress = QStringLiteral("192.0.2.2");
const QString kPrefix = QStringLiteral("rdnf");

bool Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000)) return false;
    if (p.exitCode() != 0)
        std::fprintf(stderr, "dead-line: %s %s: %s", qPrintable(program), qPrintable(args.join(' ')),
                     p.readAllStandardError().constData());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Runs a command inside a namespace.
bool In(const QString& ns, const QStringList& command) {
    return Run(QStringLiteral("ip"), QStringList{"netns", "exec", ns} + command);
}

// The two namespaces joined by a veth pair. Names carry this process's id;
// those of a run that was killed are removed by the next one.
class Namespaces {
public:
    Namespaces()
        : host_(QStringLiteral("%1%2-host").arg(kPrefix).arg(getpid())),
          player_(QStringLiteral("%1%2-player").arg(kPrefix).arg(getpid())) {}
    ~Namespaces() { Remove(); }

    static void RemoveStale() {
        QProcess list;
        list.start(QStringLiteral("ip"), {"netns", "list"});
        list.waitForFinished(5000);
        for (const QByteArray& line : list.readAllStandardOutput().split('\n')) {
            const QString name = QString::fromUtf8(line.split(' ').value(0));
            if (!name.startsWith(kPrefix)) continue;
            const int owner = name.mid(kPrefix.size()).section(u'-', 0, 0).toInt();
            if (owner > 0 && kill(owner, 0) == 0) continue;
            Run(QStringLiteral("ip"), {"netns", "del", name});
        }
    }

    bool Make() {
        if (!Run("ip", {"netns", "add", host_})) return false;
        made_ = true;
        return Run("ip", {"netns", "add", player_}) &&
               Run("ip", {"-n", host_, "link", "set", "lo", "up"}) &&
               Run("ip", {"-n", player_, "link", "set", "lo", "up"}) &&
               Run("ip", {"link", "add", "h0", "netns", host_, "type", "veth", "peer", "name",
                          "p0", "netns", player_}) &&
               Run("ip", {"-n", host_, "addr", "add", kHostAddress + "/24", "dev", "h0"}) &&
               Run("ip", {"-n", player_, "addr", "add", kPlayerAddress + "/24", "dev", "p0"}) &&
               Run("ip", {"-n", host_, "link", "set", "h0", "up"}) &&
               Run("ip", {"-n", player_, "link", "set", "p0", "up"}) &&
               // The player's filter, empty until a test drops something.
               In(player_, {"nft", "add table inet line"}) &&
               In(player_, {"nft", "add chain inet line in { type filter hook input priority 0; }"}) &&
               In(player_, {"nft", "add chain inet line out { type filter hook output priority 0; }"});
    }
    void Remove() {
        if (!made_) return;
        Run("ip", {"netns", "del", host_});
        Run("ip", {"netns", "del", player_});
        made_ = false;
    }

    // Every packet between the two is dropped, both ways, until Restore.
    bool DropEverything() {
        return In(player_, {"nft", "add rule inet line in ip saddr " + kHostAddress + " drop"}) &&
               In(player_, {"nft", "add rule inet line out ip daddr " + kHostAddress + " drop"});
    }
    // The player's end of its line to the host is reset as a rebooted
    // machine's would be; the reset never reaches the host, whose end of the
    // line stays open. Resets sent later (to the host's probes) pass again.
    bool ResetPlayersEndOnly() {
        return In(player_, {"nft", "add rule inet line out tcp flags rst drop"}) &&
               In(player_, {"ss", "-K", "dst", kHostAddress}) && Restore();
    }
    bool Restore() {
        return In(player_, {"nft", "flush chain inet line in"}) &&
               In(player_, {"nft", "flush chain inet line out"});
    }

    const QString& Host() const { return host_; }
    const QString& Player() const { return player_; }

private:
    QString host_;
    QString player_;
    bool made_ = false;
};

class DeadLine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ns.Make()) << "could not make the namespaces";
        // At the real frame rate: the turn clock does not run out meanwhile.
        ana = &Peer("Ana", ns.Host());
        ana->Send("host 2500");
        ASSERT_TRUE(ana->WaitForPrefix("HOSTING 2500").has_value());
        bob = &Peer("Bob", ns.Player());
        bob->Send("join " + kHostAddress + " 2500");
        ASSERT_GE(bob->WaitForLine("SLOT 2 1 Bob"), 0);
        ana->Send("start");
        ASSERT_TRUE(SpinUntil([&] { return bob->State()["match"] == "1"; }));
        reference.emplace(ana->State()["seed"].toInt());
    }

    PeerProcess& Peer(const QString& name, const QString& inNamespace) {
        return group.StartProgram(
            name, QStringLiteral("ip"),
            {"netns", "exec", inNamespace, QStringLiteral(HEADLESS_PEER_PATH), "--name", name,
             "--tick-ms", "16", "--lifetime", "200"},
            QStringLiteral("READY"));
    }

    void PlayOneShot(bool quiet) {
        const ai::Shot shot = reference->ChooseShot(quiet);
        PeerProcess& shooter = reference->Side() == 0 ? *ana : *bob;
        const int from = shooter.LineCount();
        shooter.Send(ShootCommand(shot));
        ASSERT_GE(shooter.WaitForLine("SHOT", from), 0) << shooter.Lines().last().toStdString();
        reference->Play(shot);
        ASSERT_TRUE(Settles(*ana, "fp", reference->Fingerprint(), 30000));
        ASSERT_TRUE(Settles(*bob, "sfp", reference->SharedFingerprint(), 30000));
    }

    // How long after the clock's start the line came; -1 when it did not.
    qint64 WhenSeen(PeerProcess& peer, const QString& line, int from, int timeoutMs) {
        if (peer.WaitForLine(line, from, timeoutMs) < 0) return -1;
        const qint64 at = clock.elapsed();
        std::fprintf(stderr, "dead-line %6lld ms  %s: %s\n", static_cast<long long>(at),
                     qPrintable(peer.Name()), qPrintable(line));
        return at;
    }

    Namespaces ns;
    PeerGroup group;
    PeerProcess* ana = nullptr;
    PeerProcess* bob = nullptr;
    std::optional<ReferenceTable> reference;
    QElapsedTimer clock;
};

TEST_F(DeadLine, ALineThatDropsEveryPacketIsNoticedOnBothSidesAndThePlayerComesBack) {
    ASSERT_NO_FATAL_FAILURE(PlayOneShot(true));  // Bob to move, Ana watching his aim
    const int anaFrom = ana->LineCount();
    const int bobFrom = bob->LineCount();
    ASSERT_TRUE(ns.DropEverything());
    clock.start();
    const qint64 hostNoticed = WhenSeen(
        *ana, "CHAT Bob lost the connection. Waiting up to 60 s for Bob to come back.", anaFrom,
        kNoticeWithinMs + 5000);
    const qint64 playerNoticed = WhenSeen(
        *bob, "CHAT Connection lost. Trying to reconnect for up to 60 s...", bobFrom,
        kNoticeWithinMs + 5000);
    ASSERT_GE(hostNoticed, 0);
    ASSERT_GE(playerNoticed, 0);
    EXPECT_LT(hostNoticed, kNoticeWithinMs);
    EXPECT_LT(playerNoticed, kNoticeWithinMs);

    ASSERT_TRUE(ns.Restore());
    clock.restart();
    EXPECT_GE(WhenSeen(*bob, "CHAT Reconnected. The game goes on.", bobFrom, 10000), 0);
    EXPECT_GE(WhenSeen(*ana, "CHAT Bob is back. The game goes on.", anaFrom, 10000), 0);
    EXPECT_FALSE(ana->Saw("CHAT Bob dropped. (timeout)", anaFrom));
    ASSERT_TRUE(Settles(*bob, "sfp", reference->SharedFingerprint(), 10000));
    // The match goes on: Bob's turn, as it was, then Ana's.
    ASSERT_NO_FATAL_FAILURE(PlayOneShot(true));
    ASSERT_NO_FATAL_FAILURE(PlayOneShot(true));
    EXPECT_TRUE(NoDesync(*ana, {2}));
}

TEST_F(DeadLine, APlayerWhoseOwnEndWasResetGetsTheSeatBackOnceTheHostProbedTheOldLine) {
    ASSERT_NO_FATAL_FAILURE(PlayOneShot(true));  // Bob to move: Ana's end of the line is quiet

    // While Bob's line is alive, another "Bob" is refused as ever, and the
    // probe that comes with it changes nothing.
    PeerProcess& second = Peer("Bob", ns.Player());
    second.Send("join " + kHostAddress + " 2500");
    EXPECT_GE(second.WaitForLine("MESSAGE Your nickname was already taken!"), 0);
    SpinFor(3000);
    EXPECT_EQ(ana->CountPrefix("CHAT Bob lost the connection."), 0);
    EXPECT_EQ(bob->State()["slot"], "2");

    const int anaFrom = ana->LineCount();
    const int bobFrom = bob->LineCount();
    ASSERT_TRUE(ns.ResetPlayersEndOnly());
    clock.start();
    ASSERT_GE(WhenSeen(*bob, "CHAT Connection lost. Trying to reconnect for up to 60 s...", bobFrom,
                       5000),
              0);
    EXPECT_GE(WhenSeen(*ana, "CHAT Bob lost the connection. Waiting up to 60 s for Bob to come back.",
                       anaFrom, 10000),
              0);
    const qint64 back = WhenSeen(*bob, "CHAT Reconnected. The game goes on.", bobFrom, 15000);
    ASSERT_GE(back, 0);
    // One probe's round trip, then Bob's next try, which comes every 2 s.
    EXPECT_LT(back, 6000);
    EXPECT_EQ(bob->State()["slot"], "2");
    ASSERT_TRUE(Settles(*bob, "sfp", reference->SharedFingerprint(), 10000));
    ASSERT_NO_FATAL_FAILURE(PlayOneShot(true));
    EXPECT_TRUE(NoDesync(*ana, {2}));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (geteuid() != 0) {
        std::puts("[  SKIPPED ] making network namespaces needs root");
        return kSkipped;
    }
    Namespaces::RemoveStale();
    {
        Namespaces probe;
        if (!probe.Make()) {
            std::puts("[  SKIPPED ] no network namespaces here");
            return kSkipped;
        }
    }
    return RUN_ALL_TESTS();
}
