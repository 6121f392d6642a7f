// A player of the running match whose line breaks keeps the seat at this
// host for a while: the match stands, everybody is told who is awaited and
// for how long, the same name logging in again gets the seat and the match
// back, and when the time is up the drop goes on as it always did. A
// hosting online game in this process over the recording library, with
// bare connections as its clients and the frame loop ticked by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "raw_connection.h"
#include "ticked_game.h"

namespace {

int IndexOf(const std::vector<QByteArray>& messages, const QByteArray& message) {
    const auto it = std::find(messages.begin(), messages.end(), message);
    return it == messages.end() ? -1 : static_cast<int>(it - messages.begin());
}

bool AnyStartsWith(const std::vector<QByteArray>& messages, const QByteArray& command) {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const QByteArray& m) { return m.startsWith(command); });
}

class SeatKeeping : public TickedGame {
protected:
    SeatKeeping() {
        game.SetNickname("Ana");
        game.SetSeatHoldSeconds(2);
        EXPECT_TRUE(game.HostOnPort(0, ""));
        bob = Admitted("Bob", 2);
        cid = Admitted("Cid", 3);
        game.StartFirstMatch();  // Ana (green) against Bob (red); Cid watches
    }

    std::unique_ptr<RawConnection> Admitted(const QByteArray& name, int slot) {
        return AdmittedConnection(game.ListeningPort(), name, slot);
    }
    bool ChatShows(const QString& text) const {
        return std::any_of(view.chatLines.begin(), view.chatLines.end(),
                           [&](const ChatLine& l) { return HeadlessView::PlainText(l) == text; });
    }

    std::unique_ptr<RawConnection> bob;
    std::unique_ptr<RawConnection> cid;
};

TEST_F(SeatKeeping, ABrokenLineIsAwaitedAndTheSameNameGetsSeatAndMatchBack) {
    const QByteArray init = QByteArray("INIT:") + char(1) + char(2) + QByteArray::number(game.MatchSeed());
    bob->Close();
    const QByteArray waiting = "TEXT:Bob lost the connection. Waiting up to 2 s for Bob to come back.";
    ASSERT_TRUE(cid->WaitFor(waiting));
    EXPECT_TRUE(cid->WaitFor("ENT2:Bob (2 s),2,0"));
    EXPECT_TRUE(ChatShows(QString::fromUtf8(waiting.mid(5))));
    EXPECT_EQ(view.slotLabels[2], "Bob (2 s)");
    EXPECT_TRUE(game.MatchRunning());
    EXPECT_EQ(library.seat, 2);  // the host's own player stands still: no clock, no aim
    // The label counts down on every machine.
    EXPECT_TRUE(cid->WaitFor("ENT2:Bob (1 s),2,0", 3000));

    RawConnection back(game.ListeningPort());
    back.Send("NICK:Bob,");
    ASSERT_TRUE(back.WaitFor("IDJG:2"));
    ASSERT_TRUE(back.WaitFor(init));
    EXPECT_TRUE(back.Received("ENT2:Ana,1,0"));
    EXPECT_TRUE(back.Received("ENT2:Cid,3,0"));
    EXPECT_TRUE(cid->WaitFor("TEXT:Bob is back. The game goes on."));
    EXPECT_TRUE(cid->WaitFor("ENT2:Bob,2,0"));
    EXPECT_FALSE(AnyStartsWith(cid->received, "ENTR:Bob"));  // nobody is told of a join
    EXPECT_FALSE(AnyStartsWith(cid->received, "TIOU:"));
    EXPECT_EQ(view.slotLabels[2], "Bob");
    EXPECT_EQ(library.seat, 2);  // still standing: the table is not there yet

    Ticks(2);  // the table at rest goes to the returning player, then play resumes
    ASSERT_TRUE(back.WaitFor("SYNC:" + wire::EncodeSync({library.positions, 0})));
    EXPECT_EQ(library.seat, 0);
    EXPECT_EQ(game.Slots()[2].name, "Bob");

    // The time that was left runs out without effect.
    SpinFor(2500);
    EXPECT_FALSE(AnyStartsWith(cid->received, "TIOU:"));
    EXPECT_TRUE(game.MatchRunning());
}

TEST_F(SeatKeeping, MovesWaitWhileAPlayerIsAwaited) {
    cid.reset();  // a spectator's broken line is dropped at once, as always
    ASSERT_TRUE(bob->WaitFor("TIOU:Cid"));
    EXPECT_EQ(view.slotLabels[3], "Player 3");
    // Bob shoots, then his line breaks before the turn comes back to him.
    library.side = 1;
    bob->Send("DISP:" + wire::EncodeShot({1, -21, 5, 0}));
    ASSERT_TRUE(SpinUntil([&] { return !queue.Empty(); }));
    bob->Close();
    ASSERT_TRUE(SpinUntil([&] { return view.slotLabels[2] == "Bob (2 s)"; }));
    EXPECT_EQ(library.seat, 0);  // the shot still plays out before the host stands still
    Ticks(1 + RecordingLibrary::kShotSteps);
    ASSERT_TRUE(SpinUntil([&] { return library.seat == 2; }, 3000));
}

TEST_F(SeatKeeping, WhenTheTimeIsUpTheDropRulesApplyWithTheRealName) {
    bob->Close();
    ASSERT_TRUE(cid->WaitFor("TIOU:Bob", 5000));
    const int realName = IndexOf(cid->received, "ENT2:Bob,2,0");
    ASSERT_GE(realName, 0);
    EXPECT_LT(realName, IndexOf(cid->received, "TIOU:Bob"));
    EXPECT_TRUE(ChatShows("Bob dropped. (timeout)"));
    EXPECT_EQ(view.slotLabels[2], "Player 2");
    // The one who waited longest plays the host at once.
    ASSERT_TRUE(cid->WaitFor(QByteArray("INIT:") + char(1) + char(3) + QByteArray::number(game.MatchSeed())));
    EXPECT_EQ(library.seat, 0);

    // Too late: the name comes back as a new player, in a free seat.
    RawConnection late(game.ListeningPort());
    late.Send("NICK:Bob,");
    EXPECT_TRUE(late.WaitFor("IDJG:2"));
    EXPECT_TRUE(cid->WaitFor("ENTR:Bob,2"));
}

TEST_F(SeatKeeping, AKickEndsTheWaitWithTheRealName) {
    bob->Close();
    ASSERT_TRUE(cid->WaitFor("ENT2:Bob (2 s),2,0"));
    game.Kick("bob");
    ASSERT_TRUE(cid->WaitFor("SAIK:bob"));
    EXPECT_LT(IndexOf(cid->received, "ENT2:Bob,2,0"), IndexOf(cid->received, "SAIK:bob"));
    EXPECT_GE(IndexOf(cid->received, "ENT2:Bob,2,0"), 0);
    EXPECT_EQ(view.slotLabels[2], "Player 2");
    SpinFor(2500);
    EXPECT_FALSE(AnyStartsWith(cid->received, "TIOU:"));
}

// A player who gives up coming back logs in once more and leaves at once,
// as a leaving player always says it: the seat is free now, the others are
// told, the next pairing starts without waiting out the hold, and nothing
// of the wait is left to hold up the new match.
TEST_F(SeatKeeping, APlayerWhoGivesUpDuringTheWaitLeavesTheSeatFreeAtOnce) {
    game.SetSeatHoldSeconds(60);
    bob->Close();
    ASSERT_TRUE(cid->WaitFor("ENT2:Bob (60 s),2,0"));

    RawConnection farewell(game.ListeningPort());
    farewell.Write(MakeFrame("NICK:Bob,") + MakeFrame("QUIT:Bob"));
    ASSERT_TRUE(cid->WaitFor("SAIU:Bob", 3000));
    EXPECT_EQ(view.slotLabels[2], "Player 2");
    EXPECT_TRUE(ChatShows("Bob left the chat!")) << "the leave, not a drop";
    EXPECT_FALSE(AnyStartsWith(cid->received, "TIOU:"));
    const QByteArray next = QByteArray("INIT:") + char(1) + char(3);
    ASSERT_TRUE(SpinUntil([&] { return AnyStartsWith(cid->received, next); }, 1000));

    // Cid plays red against the host now, and his moves are taken.
    Ticks(2);
    library.side = 1;
    const size_t queued = queue.Size();
    cid->Send("DISP:" + wire::EncodeShot({1, -21, 5, 0}));
    EXPECT_TRUE(SpinUntil([&] { return queue.Size() > queued; }, 2000));
}

}  // namespace
