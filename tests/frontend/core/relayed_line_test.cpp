// A host core in this process taking a line that reached it through a relay
// (a connected socket handed over, not one it accepted): the player on it is
// admitted, refused and seated exactly as one who connected directly. And
// the joining side: a core handed its relayed line to the host logs in,
// takes its seat and loses the line as over a connection of its own.
#include <gtest/gtest.h>

#include "raw_connection.h"
#include "tests/frontend/core/headless_host.h"
#include "tests/frontend/loopback_listener.h"

namespace {

// Where the relay's end of a line is made: a loopback listener of the test's
// own, whose accepted socket is handed to the host as the relay hands its.
class RelayEnd {
public:
    // A player's connection, and the socket for the host.
    std::pair<std::unique_ptr<RawConnection>, int> Line() {
        auto player = std::make_unique<RawConnection>(listener_.Port());
        return {std::move(player), listener_.Accept()};
    }

private:
    LoopbackListener listener_{4};
};

class RelayedLine : public HeadlessHostTest {
protected:

    std::unique_ptr<RawConnection> Relayed() {
        auto [player, fd] = relay.Line();
        EXPECT_GE(fd, 0);
        EXPECT_TRUE(core.Online().AdoptRelayedLine(fd));
        return std::move(player);
    }

    RelayEnd relay;
};

}  // namespace

TEST_F(RelayedLine, APlayerOnARelayedLineIsSeatedBesideDirectOnes) {
    ASSERT_TRUE(core.Online().HostOnPort(0, ""));
    const quint16 port = core.Online().ListeningPort();
    auto ana = AdmittedConnection(port, "Ana", 2);
    auto bob = Relayed();
    bob->Send("NICK:Bob,");
    ASSERT_TRUE(bob->WaitFor("IDJG:3"));
    ASSERT_TRUE(bob->WaitFor("ENT2:Ana,2,0"));
    EXPECT_TRUE(bob->Received("ENT2:Host,1,0"));
    EXPECT_TRUE(ChatShows(view, "Bob has entered in the chat!"));
    EXPECT_EQ(view.slotLabels[3], "Bob (via the lobby's relay)");
    EXPECT_EQ(view.slotLabels[2], "Ana");
    // A direct player after the relayed one is not confused with it.
    auto cid = AdmittedConnection(port, "Cid", 4);
    ASSERT_TRUE(bob->WaitFor("ENTR:Cid,4"));
    EXPECT_EQ(view.slotLabels[4], "Cid");
    ana->Send("TEXT:Ana: hi");
    EXPECT_TRUE(bob->WaitFor("TEXT:Ana: hi"));
    // The relayed player's seat, freed and taken by a direct one, is plain.
    bob->Close();
    ASSERT_TRUE(SpinUntil([&] { return view.slotLabels[3] == "Player 3"; }));
    auto dan = AdmittedConnection(port, "Dan", 3);
    EXPECT_EQ(view.slotLabels[3], "Dan");
}

TEST_F(RelayedLine, TheGamesPasswordHoldsForRelayedLinesToo) {
    ASSERT_TRUE(core.Online().HostOnPort(0, "pw"));
    auto mallory = Relayed();
    mallory->Send("NICK:Mal,guess");
    ASSERT_TRUE(mallory->WaitFor("INVS:"));
    EXPECT_FALSE(mallory->Received("IDJG:2"));
    auto bob = Relayed();
    bob->Send("NICK:Bob,pw");
    EXPECT_TRUE(bob->WaitFor("IDJG:2"));
}

TEST_F(RelayedLine, ALineThatComesWhenNothingIsHostedIsClosed) {
    // Not a structured binding: a lambda may not name one in every compiler.
    auto line = relay.Line();
    RawConnection& player = *line.first;
    ASSERT_GE(line.second, 0);
    EXPECT_FALSE(core.Online().AdoptRelayedLine(line.second));
    EXPECT_TRUE(SpinUntil([&] { return !player.Connected(); }, 5000));
}

TEST_F(RelayedLine, AJoinerOverARelayedLineLogsInAndIsSeatedAsAfterConnecting) {
    core.Online().SetNickname("Bob");
    auto [host, fd] = relay.Line();  // the test plays the host on the far end
    ASSERT_GE(fd, 0);
    core.Online().JoinOverRelay(fd, "pw", [] {});
    // Taken as connected at once: no connection is made, no time waited.
    EXPECT_EQ(core.Online().State(), Session::Joined);
    EXPECT_TRUE(core.Online().JoinedOverRelay());
    ASSERT_TRUE(host->WaitFor("NICK:Bob,pw"));
    host->Send("IDJG:2");
    host->Send("ENT2:Ana,1,0");
    EXPECT_TRUE(SpinUntil([&] { return core.Online().MySlot() == 2; }));
    EXPECT_TRUE(SpinUntil([&] { return view.slotLabels[1] == "Ana"; }));
    // Its own line is the one a joiner knows to be relayed.
    EXPECT_EQ(view.slotLabels[2], "Bob (via the lobby's relay)");
    host->Send("TEXT:Ana: over the relay");
    EXPECT_TRUE(SpinUntil([&] { return ChatShows(view, "Ana: over the relay"); }));

    // The host's end goes: lost as a direct line is, and told.
    host->Close();
    ASSERT_TRUE(SpinUntil([&] { return core.Online().State() == Session::Offline; }));
    ASSERT_EQ(view.messages.size(), 1);
    EXPECT_EQ(view.messages[0], Tr(UiText::ConnectionLost, core.Online().Language()));
}

TEST_F(RelayedLine, AJoinerHandedADeadDescriptorIsToldTheJoinFailed) {
    core.Online().SetNickname("Bob");
    core.Online().JoinOverRelay(-1, "", [] {});
    EXPECT_EQ(core.Online().State(), Session::Offline);
    ASSERT_EQ(view.messages.size(), 1);
    EXPECT_EQ(view.messages[0], Tr(UiText::ConnectionFailed, core.Online().Language()));
}

TEST_F(RelayedLine, AHostCountsTheRelayedLinesStillOpen) {
    ASSERT_TRUE(core.Online().HostOnPort(0, ""));
    auto ana = AdmittedConnection(core.Online().ListeningPort(), "Ana", 2);
    EXPECT_EQ(core.Online().RelayedLineCount(), 0);
    auto bob = Relayed();
    auto cid = Relayed();
    EXPECT_EQ(core.Online().RelayedLineCount(), 2);
    bob->Close();
    EXPECT_TRUE(SpinUntil([&] { return core.Online().RelayedLineCount() == 1; }));
    // A new game starts the count again: its connections are numbered anew.
    core.Online().LeaveGame(true);
    ASSERT_TRUE(core.Online().HostOnPort(0, ""));
    auto dan = AdmittedConnection(core.Online().ListeningPort(), "Dan", 2);
    EXPECT_EQ(core.Online().RelayedLineCount(), 0);
}

TEST_F(RelayedLine, AJoinerWhoseRelayedLineBreaksInAMatchComesBackOverANewOne) {
    core.Online().SetNickname("Bob");
    core.Online().SetSeatHoldSeconds(30);
    int redials = 0;
    auto [host, fd] = relay.Line();
    ASSERT_GE(fd, 0);
    core.Online().JoinOverRelay(fd, "", [&] { ++redials; });
    ASSERT_TRUE(host->WaitFor("NICK:Bob,"));
    host->Send("IDJG:2");
    host->Send(QByteArray("INIT:") + char(1) + char(2) + "7");
    ASSERT_TRUE(SpinUntil([&] { return core.Online().MatchRunning(); }));

    // The line breaks: the way back asks for a new relayed line, never for
    // a direct connection to an address it does not have.
    host->Close();
    ASSERT_TRUE(SpinUntil([&] { return redials == 1; }));
    EXPECT_TRUE(core.Online().Reconnecting());
    // No line came: the next attempt asks again, when it is due.
    core.Online().RelayRedialFailed();
    ASSERT_TRUE(SpinUntil([&] { return redials == 2; }, 5000));

    auto [back, fd2] = relay.Line();
    ASSERT_GE(fd2, 0);
    core.Online().ReconnectOverRelay(fd2);
    EXPECT_TRUE(back->WaitFor("NICK:Bob,"));
    EXPECT_EQ(core.Online().State(), Session::Joined);
    EXPECT_TRUE(core.Online().JoinedOverRelay());
}
