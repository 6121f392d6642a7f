// Joining, admission and leaving between real peer processes: who gets a
// slot, what everybody is shown, the three refusals, and the ways a player
// goes (kick, leave, a killed process).
#include <gtest/gtest.h>

#include <QTcpSocket>

#include "peer_process.h"

namespace {

const QString kJoined = QStringLiteral(" has entered in the chat!");

// Stages a won match the way the library would report it: the score is set
// on every machine, the clients first, so that the host's next "INIT:" cannot
// overtake a client's victory.
void StageVictory(std::initializer_list<PeerProcess*> clients, PeerProcess& host, int side) {
    // A score given before "INIT:" arrived would be wiped by the match start.
    for (PeerProcess* c : clients)
        ASSERT_TRUE(SpinUntil([&] { return c->State()["match"] == "1"; }));
    const QString score = side == 0 ? "score 10 0" : "score 0 10";
    for (PeerProcess* c : clients) c->Send(score);
    for (PeerProcess* c : clients)
        ASSERT_TRUE(SpinUntil([&] { return c->State()["match"] == "0"; }));
    host.Send(score);
}

TEST(Admission, FourPlayersSeeEachOtherAndTheFifthConnectionIsTurnedAway) {
    PeerGroup group;
    PeerProcess& ana = group.StartHost("Ana");
    ASSERT_NE(group.HostPort(), 0);
    PeerProcess& bob = group.StartClient("Bob");
    PeerProcess& cid = group.StartClient("Cid");
    ASSERT_GE(cid.WaitForLine("SLOT 3 1 Cid"), 0);

    // A won match gives Ana a win that a later newcomer is told about.
    ana.Send("start");
    ASSERT_GE(bob.WaitForLine("BOX 2 ff0000"), 0);
    StageVictory({&bob, &cid}, ana, 0);
    ASSERT_GE(ana.WaitForLine("WINS 1 1"), 0);
    EXPECT_GE(bob.WaitForLine("WINS 1 1"), 0);

    PeerProcess& dan = group.StartClient("Dan");
    ASSERT_GE(dan.WaitForLine("SLOT 4 1 Dan"), 0);
    for (const char* line : {"SLOT 1 1 Ana", "SLOT 2 1 Bob", "SLOT 3 1 Cid", "WINS 1 1"})
        EXPECT_GE(dan.WaitForLine(line), 0) << line;
    // Players already there are listed quietly; only the newcomer is announced.
    EXPECT_TRUE(dan.Saw("CHAT Dan" + kJoined));
    EXPECT_FALSE(dan.Saw("CHAT Bob" + kJoined));
    for (PeerProcess* p : {&ana, &bob, &cid}) {
        EXPECT_GE(p->WaitForLine("CHAT Dan" + kJoined), 0) << p->Name().toStdString();
        EXPECT_GE(p->WaitForLine("SLOT 4 1 Dan"), 0) << p->Name().toStdString();
    }
    EXPECT_TRUE(bob.Saw("CHAT Cid" + kJoined));

    // Every slot taken: the host announces the newcomer, then refuses him.
    PeerProcess& eve = group.Start("Eve");
    eve.Send(QStringLiteral("join 127.0.0.1 %1").arg(group.HostPort()));
    EXPECT_GE(eve.WaitForLine("MESSAGE Your nickname was already taken!"), 0);
    EXPECT_GE(ana.WaitForLine("CHAT Eve" + kJoined), 0);
    EXPECT_EQ(eve.State()["online"], "0");

    // A fourth connection that never logs in plus a fifth: the server is full.
    QTcpSocket silent;
    silent.connectToHost("127.0.0.1", group.HostPort());
    ASSERT_TRUE(SpinUntil([&] { return silent.state() == QAbstractSocket::ConnectedState; }));
    PeerProcess& fay = group.Start("Fay");
    fay.Send(QStringLiteral("join 127.0.0.1 %1").arg(group.HostPort()));
    EXPECT_GE(fay.WaitForLine("MESSAGE The server is full."), 0);
    EXPECT_FALSE(ana.Saw("CHAT Fay" + kJoined));
    EXPECT_EQ(fay.State()["online"], "0");
}

TEST(Admission, PasswordAndNameDecideWhoIsLetIn) {
    PeerGroup group;
    PeerProcess& ana = group.StartHost("Ana", "s3cret");
    ASSERT_NE(group.HostPort(), 0);

    PeerProcess& wrong = group.Start("Bob", {"--language", "3"});
    wrong.Send(QStringLiteral("join 127.0.0.1 %1 S3CRET").arg(group.HostPort()));
    EXPECT_GE(wrong.WaitForLine(QString::fromUtf8("MESSAGE Contraseña inválida.")), 0);

    PeerProcess& bob = group.StartClient("Bob", "s3cret");
    EXPECT_GE(bob.WaitForLine("SLOT 2 1 Bob"), 0);

    PeerProcess& twin = group.Start("Bob");
    twin.Send(QStringLiteral("join 127.0.0.1 %1 s3cret").arg(group.HostPort()));
    EXPECT_GE(twin.WaitForLine("MESSAGE Your nickname was already taken!"), 0);

    // Names are compared exactly: the same name in other letters is a new player.
    PeerProcess& lower = group.StartClient("bob", "s3cret");
    EXPECT_GE(lower.WaitForLine("SLOT 3 1 bob"), 0);
    EXPECT_GE(ana.WaitForLine("SLOT 3 1 bob"), 0);
    EXPECT_EQ(ana.CountOf("CHAT Bob" + kJoined), 1);  // a taken name is refused unannounced
    EXPECT_FALSE(ana.Saw("SLOT 4 1 Bob"));

    // A long default-style name with accents travels in Windows-1252 and is seated.
    const QString accented = QString::fromUtf8("Reflexão n°1");
    PeerProcess& last = group.StartClient(accented, "s3cret");
    EXPECT_GE(last.WaitForLine("SLOT 4 1 " + accented), 0);
    EXPECT_GE(ana.WaitForLine("CHAT " + accented + kJoined), 0);
    EXPECT_GE(bob.WaitForLine("SLOT 4 1 " + accented), 0);
}

TEST(Admission, KickLeaveAndAKilledProcessFreeTheirSlots) {
    PeerGroup group;
    PeerProcess& ana = group.StartHost("Ana");
    PeerProcess& bob = group.StartClient("Bob");
    PeerProcess& cid = group.StartClient("Cid");
    PeerProcess& dan = group.StartClient("Dan");
    ASSERT_GE(ana.WaitForLine("SLOT 4 1 Dan"), 0);

    // Only the host kicks.
    const int bobBefore = ana.LineCount();
    bob.Send("chat /kick Dan");
    ASSERT_TRUE(Delivered(bob, ana));
    EXPECT_FALSE(ana.Saw("CHAT Dan was kicked from chat!", bobBefore));

    ana.Send("chat /kick cid");  // the name in any letter case
    EXPECT_GE(cid.WaitForLine("MESSAGE You were kicked from chat!"), 0);
    EXPECT_GE(cid.WaitForLine("SFX 14"), 0);
    EXPECT_TRUE(SpinUntil([&] { return cid.State()["online"] == "0"; }));
    EXPECT_FALSE(cid.Saw("MESSAGE You have been disconnected or the server was closed."));
    for (PeerProcess* p : {&ana, &bob, &dan}) {
        EXPECT_GE(p->WaitForLine("CHAT cid was kicked from chat!"), 0) << p->Name().toStdString();
        EXPECT_GE(p->WaitForLine("SLOT 3 0 Player 3"), 0) << p->Name().toStdString();
    }

    // A killed process says nothing; the host notices the broken line.
    bob.Kill();
    EXPECT_GE(ana.WaitForLine("CHAT Bob dropped. (timeout)"), 0);
    EXPECT_GE(dan.WaitForLine("CHAT Bob dropped. (timeout)"), 0);
    EXPECT_GE(dan.WaitForLine("SLOT 2 0 Player 2"), 0);

    dan.Send("leave");
    EXPECT_GE(ana.WaitForLine("CHAT Dan left the chat!"), 0);
    EXPECT_GE(ana.WaitForLine("SLOT 4 0 Player 4"), 0);
    EXPECT_FALSE(dan.Saw("MESSAGE You have been disconnected or the server was closed."));
    const auto state = ana.State();
    EXPECT_EQ(state["online"], "1");
    EXPECT_EQ(state["host"], "1");

    // The host closes the game: a client still there leaves quietly.
    PeerProcess& eve = group.StartClient("Eve");
    ASSERT_GE(eve.WaitForLine("SLOT 2 1 Eve"), 0);
    ana.Send("leave");
    EXPECT_TRUE(SpinUntil([&] { return eve.State()["online"] == "0"; }));
    EXPECT_FALSE(eve.Saw("MESSAGE You have been disconnected or the server was closed."));
}

}  // namespace
