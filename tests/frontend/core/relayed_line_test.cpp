// A host core in this process taking a line that reached it through a relay
// (a connected socket handed over, not one it accepted): the player on it is
// admitted, refused and seated exactly as one who connected directly.
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
    EXPECT_EQ(view.slotLabels[3], "Bob");
    // A direct player after the relayed one is not confused with it.
    auto cid = AdmittedConnection(port, "Cid", 4);
    ASSERT_TRUE(bob->WaitFor("ENTR:Cid,4"));
    ana->Send("TEXT:Ana: hi");
    EXPECT_TRUE(bob->WaitFor("TEXT:Ana: hi"));
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
    auto [player, fd] = relay.Line();
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(core.Online().AdoptRelayedLine(fd));
    EXPECT_TRUE(SpinUntil([&] { return !player->Connected(); }, 5000));
}
