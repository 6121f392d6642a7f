// A host core in this process against bare TCP connections that write exactly
// the bytes a test chooses: framing across reads, short payloads, strangers,
// bursts, long chat lines and the close order.
#include <gtest/gtest.h>

#include "raw_connection.h"
#include "tests/frontend/core/headless_host.h"

namespace {

class HostLink : public HeadlessHostTest {
protected:
    HostLink() {
        EXPECT_TRUE(core.Online().HostOnPort(0, ""));
        port = core.Online().ListeningPort();
    }

    std::unique_ptr<RawConnection> Admitted(const QByteArray& name, int slot) {
        auto c = std::make_unique<RawConnection>(port);
        c->Send("NICK:" + name + ",");
        EXPECT_TRUE(c->WaitFor("IDJG:" + QByteArray::number(slot)));
        return c;
    }

    quint16 port = 0;
};

TEST_F(HostLink, LoginWrittenOneByteAtATimeIsAdmittedWhole) {
    RawConnection bob(port);
    for (char byte : MakeFrame("NICK:Bob,")) {
        bob.Write(QByteArray(1, byte));
        SpinUntil([] { return false; }, 3);  // let each byte arrive in its own read
    }
    ASSERT_TRUE(bob.WaitFor("IDJG:2"));
    ASSERT_TRUE(bob.WaitFor("ENT2:,4,0"));
    EXPECT_TRUE(bob.Received("ENT2:Host,1,0"));
    EXPECT_TRUE(bob.Received("ENT2:,3,0"));
    EXPECT_TRUE(ChatShows(view, "Bob has entered in the chat!"));
    EXPECT_FALSE(ChatShows(view, "Packet Error"));
    EXPECT_EQ(view.slotLabels[2], "Bob");
    EXPECT_TRUE(view.startEnabled);
}

TEST_F(HostLink, ShortShotIsAPacketErrorResyncsEveryoneAndIsNotRelayed) {
    auto bob = Admitted("Bob", 2);
    auto cid = Admitted("Cid", 3);
    bob->Send("DISP:" + QByteArray(10, '\x01'));
    ASSERT_TRUE(SpinUntil(
        [&] { return ChatShows(view, "Game desync. The game will be re-synchronized."); }));
    EXPECT_TRUE(ChatShows(view, "Packet Error"));
    auto gotSync = [](const RawConnection& c) {
        for (const QByteArray& m : c.received)
            if (m.startsWith("SYNC:") && m.size() == 5 + 161) return true;
        return false;
    };
    ASSERT_TRUE(SpinUntil([&] { return gotSync(*bob) && gotSync(*cid); }));
    for (const QByteArray& m : cid->received) EXPECT_FALSE(m.startsWith("DISP:"));
}

TEST_F(HostLink, MessagesFromConnectionsWithoutASlotAreIgnored) {
    auto bob = Admitted("Bob", 2);
    RawConnection stranger(port);
    stranger.Send("TEXT:x: injected");
    stranger.Send("QUIT:Bob");
    SpinUntil([] { return false; }, 100);
    EXPECT_FALSE(ChatShows(view, "x: injected"));
    EXPECT_EQ(view.slotLabels[2], "Bob");
}

TEST_F(HostLink, BurstOfAimAndChatIsRelayedInOrderWhileTheTickRuns) {
    auto bob = Admitted("Bob", 2);
    auto cid = Admitted("Cid", 3);
    // Only the player to move aims: Bob plays red, and it is red's turn.
    core.Online().StartFirstMatch();
    core.Library().SetSideToMove(1);
    ASSERT_TRUE(SpinUntil(
        [&] { return !cid->received.empty() && cid->received.back().startsWith("INIT:"); }));
    cid->received.clear();
    constexpr int kPairs = 5000;
    QByteArray burst;
    std::vector<QByteArray> sent;
    for (int i = 0; i < kPairs; ++i) {
        const float f = static_cast<float>(i);
        sent.push_back("SJRM:" + wire::EncodeAim({.x = -f, .z = f, .force = 1.0f, .angle = 0.5f, .phase = 2}));
        sent.push_back("TEXT:Bob: line " + QByteArray::number(i));
    }
    for (const QByteArray& m : sent) burst += MakeFrame(m);
    const uint64_t ticksBefore = core.Loop().TicksRun();
    bob->Write(burst);
    ASSERT_TRUE(SpinUntil([&] { return cid->received.size() >= sent.size(); }, 20000));
    EXPECT_EQ(cid->received, sent);
    EXPECT_TRUE(ChatShows(view, "Bob: line 4999"));
    // The tick went on meanwhile, taking one aim from the queue each time.
    const auto ticksDuring = static_cast<size_t>(core.Loop().TicksRun() - ticksBefore);
    EXPECT_GT(ticksDuring, 0u);
    const size_t queued = core.Queue().Size();
    EXPECT_LE(queued, static_cast<size_t>(kPairs));
    EXPECT_GE(queued + ticksDuring, static_cast<size_t>(kPairs));
    ASSERT_TRUE(SpinUntil([&] { return core.Queue().Size() < queued; }));
}

TEST_F(HostLink, TheLibrarysReportsGoToEveryClient) {
    auto bob = Admitted("Bob", 2);
    core.Callbacks().OnAim(AimFromLibrary(1.0f, 2.0f, 3.0f, 4.0f, 2.7f));  // the phase travels truncated
    core.Callbacks().OnTurnPassed();
    core.Callbacks().OnShoot({0.5f, 21.5f, 9.0f, 0.125f});
    const QByteArray shot = wire::EncodeShot({0.5f, 21.5f, 9.0f, 0.125f});
    // Only the shot waits in the host's own queue: the library already passed the turn.
    ASSERT_EQ(core.Queue().Size(), 1u);
    EXPECT_EQ(core.Queue().Head(), GameEvent(wire::Shot{0.5f, 21.5f, 9.0f, 0.125f}));
    ASSERT_TRUE(bob->WaitFor("DISP:" + shot));
    EXPECT_EQ(bob->received.size() >= 3
                  ? std::vector<QByteArray>(bob->received.end() - 3, bob->received.end())
                  : bob->received,
              (std::vector<QByteArray>{"SJRM:" + wire::EncodeAim(
                                           {.x = 2.0f, .z = 1.0f, .force = 3.0f, .angle = 4.0f, .phase = 2}),
                                       "MUDJ:", "DISP:" + shot}));
}

TEST_F(HostLink, ChatLinesAreCutWhenSentButShownWhole) {
    auto bob = Admitted("Bob", 2);
    const QString longLine(150, u'x');
    core.Chat().Enter(longLine);
    core.Chat().Enter("/nonsense");
    core.Chat().Enter("after");
    ASSERT_TRUE(bob->WaitFor("TEXT:Host: after"));
    EXPECT_TRUE(bob->Received("TEXT:Host: " + QByteArray(100, 'x')));
    EXPECT_TRUE(ChatShows(view, "Host: " + longLine));
    // An unknown command is neither sent nor shown.
    EXPECT_FALSE(ChatShows(view, "Host: /nonsense"));
    for (const QByteArray& m : bob->received) EXPECT_FALSE(m.contains("nonsense"));
}

TEST(HostClose, StopsTheTickThenSavesThenTellsTheClientsTheGameHasEnded) {
    HeadlessView view;
    FrontendCore core(view, [](int) {});
    core.Online().SetNickname("Host");
    core.Start(false, 2);
    ASSERT_TRUE(core.Online().HostOnPort(0, ""));
    RawConnection bob(core.Online().ListeningPort());
    bob.Send("NICK:Bob,");
    ASSERT_TRUE(bob.WaitFor("IDJG:2"));

    bool saved = false;
    core.Close([&] {
        saved = true;
        // The tick and the library are already down, the chat is empty, and
        // the game is still online so the settings see it as it was.
        EXPECT_FALSE(core.Loop().EngineRunning());
        EXPECT_TRUE(view.chatLines.empty());
        EXPECT_TRUE(core.Online().IsOnline());
    });
    EXPECT_TRUE(saved);
    EXPECT_FALSE(core.Online().IsOnline());
    EXPECT_TRUE(view.connectionPanelVisible);
    EXPECT_TRUE(bob.WaitFor("ENDS:"));
    EXPECT_TRUE(SpinUntil([&] { return !bob.Connected(); }));

    const uint64_t ticks = core.Loop().TicksRun();
    SpinUntil([] { return false; }, 30);
    EXPECT_EQ(core.Loop().TicksRun(), ticks);
    saved = false;
    core.Close([&] { saved = true; });  // closing twice does nothing
    EXPECT_FALSE(saved);
}

TEST(HostStart, AnEmptyNicknameBecomesAGuestInSlotOne) {
    HeadlessView view;
    FrontendCore core(view, [](int) {});
    core.Online().SetNickname("");
    ASSERT_TRUE(core.Online().HostOnPort(0, ""));
    const QString name = core.Online().Nickname();
    ASSERT_TRUE(name.startsWith("Guest"));
    EXPECT_LE(name.size(), 8);
    EXPECT_EQ(view.slotLabels[1], name);
    EXPECT_EQ(view.slotLabels[2], "Player 2");
    EXPECT_EQ(view.nickname, name);  // the window's field shows it, and saves it
    core.Online().LeaveGame(true);
}

}  // namespace
