// A hosting online game in this process, against the recording stand-in for
// the game library and bare connections as its clients: who leaves which
// slot, what a match start asks of the library, and the way back to the
// idle table.
#include "frontend/session/online_game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "captured_warnings.h"
#include "frontend/view/headless_view.h"
#include "raw_connection.h"
#include "recording_library.h"

namespace {

int CountOf(const std::vector<QByteArray>& messages, const QByteArray& message) {
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
}

bool AnyStartsWith(const std::vector<QByteArray>& messages, const QByteArray& command) {
    return std::any_of(messages.begin(), messages.end(),
                       [&](const QByteArray& m) { return m.startsWith(command); });
}

class HostedGame : public ::testing::Test {
protected:
    HostedGame() : chat(view, [](int) {}), game(view, chat, queue, library) {
        game.SetNickname("Ana");
        EXPECT_TRUE(game.HostOnPort(0, ""));
    }

    std::unique_ptr<RawConnection> Admitted(const QByteArray& name, int slot) {
        return AdmittedConnection(game.ListeningPort(), name, slot);
    }

    int ChatCount(const QString& text) const {
        return static_cast<int>(std::count_if(
            view.chatLines.begin(), view.chatLines.end(),
            [&](const ChatLine& line) { return HeadlessView::PlainText(line) == text; }));
    }

    // The player who stayed keeps a seat that the host still serves: its
    // chat is shown and relayed to the others.
    void ExpectStillServed(RawConnection& player, int slot, const QByteArray& name,
                           RawConnection& other) {
        EXPECT_EQ(view.slotLabels[slot], name);
        const QByteArray line = "TEXT:" + name + ": still here";
        player.Send(line);
        EXPECT_TRUE(other.WaitFor(line));
        EXPECT_EQ(ChatCount(name + ": still here"), 1);
    }

    HeadlessView view;
    EventQueue queue;
    ChatDisplay chat;
    RecordingLibrary library;
    OnlineGame game;
};

TEST_F(HostedGame, AQuitFreesOnlyTheLeaversSlotWhenAnotherNameDiffersInLetterCase) {
    auto lower = Admitted("bob", 2);
    auto upper = Admitted("Bob", 3);
    auto cid = Admitted("Cid", 4);
    upper->Send("QUIT:Bob");
    ASSERT_TRUE(cid->WaitFor("SAIU:Bob"));
    upper->Close();
    ASSERT_TRUE(SpinUntil([&] { return game.Link().OpenConnectionCount() == 2; }));

    EXPECT_EQ(view.slotLabels[3], "Player 3");
    EXPECT_EQ(CountOf(cid->received, "SAIU:Bob"), 1);
    EXPECT_FALSE(AnyStartsWith(cid->received, "TIOU:"));
    EXPECT_EQ(ChatCount("Bob left the chat!"), 1);
    EXPECT_EQ(ChatCount("Bob dropped. (timeout)"), 0);
    ExpectStillServed(*lower, 2, "bob", *cid);
}

TEST_F(HostedGame, ADroppedLineFreesOnlyItsOwnSlotWhenAnotherNameDiffersInLetterCase) {
    auto upper = Admitted("Bob", 2);
    auto lower = Admitted("bob", 3);
    auto cid = Admitted("Cid", 4);
    lower->Close();
    ASSERT_TRUE(cid->WaitFor("TIOU:bob"));
    ASSERT_TRUE(SpinUntil([&] { return game.Link().OpenConnectionCount() == 2; }));

    EXPECT_EQ(view.slotLabels[3], "Player 3");
    EXPECT_EQ(CountOf(cid->received, "TIOU:bob"), 1);
    EXPECT_FALSE(AnyStartsWith(cid->received, "SAIU:"));
    EXPECT_EQ(ChatCount("bob dropped. (timeout)"), 1);
    ExpectStillServed(*upper, 2, "Bob", *cid);
}

TEST_F(HostedGame, AKickMeansTheExactNameBeforeOneInOtherLetterCase) {
    auto upper = Admitted("Bob", 2);
    auto lower = Admitted("bob", 3);
    game.Kick("bob");
    ASSERT_TRUE(lower->WaitFor("KIKD:"));
    EXPECT_TRUE(upper->WaitFor("SAIK:bob"));
    EXPECT_EQ(view.slotLabels[3], "Player 3");
    EXPECT_FALSE(upper->Received("KIKD:"));

    // Without an exact match any letter case will do.
    game.Kick("BOB");
    EXPECT_TRUE(upper->WaitFor("KIKD:"));
    EXPECT_EQ(view.slotLabels[2], "Player 2");
    game.Kick("ana");  // never the host itself
    EXPECT_EQ(view.slotLabels[1], "Ana");
}

TEST_F(HostedGame, AMatchStartSeatsTheHostAndANewcomerMidMatchGetsItAndTheTable) {
    auto bob = Admitted("Bob", 2);
    game.StartFirstMatch();
    ASSERT_EQ(library.matches.size(), 1u);
    EXPECT_EQ(library.matches[0].seat, 1);  // the host plays green
    EXPECT_EQ(library.matches[0].seed, game.MatchSeed());
    const QByteArray init = "INIT:" + wire::EncodeInit({1, 2, game.MatchSeed()});
    EXPECT_TRUE(bob->WaitFor(init));
    EXPECT_EQ(view.slotBoxes[1], kBoxGreen);
    EXPECT_EQ(view.slotBoxes[2], kBoxRed);
    EXPECT_FALSE(view.startEnabled);

    queue.Clear();
    auto cid = Admitted("Cid", 3);
    EXPECT_TRUE(cid->WaitFor(init));
    ASSERT_EQ(queue.Size(), 1u);
    EXPECT_TRUE(std::holds_alternative<event::SendSync>(queue.Head()));
}

TEST_F(HostedGame, TheNextMatchStartsWithNothingLeftInTheQueue) {
    auto bob = Admitted("Bob", 2);
    auto cid = Admitted("Cid", 3);
    game.StartFirstMatch();
    queue.Push(event::Shot{1, -21, 5, 0});
    queue.Push(event::PassTurn{});

    // The red player leaves: the next match starts at once, its queue empty.
    bob->Send("QUIT:Bob");
    ASSERT_TRUE(SpinUntil([&] { return library.matches.size() == 2; }));
    EXPECT_TRUE(queue.Empty());
    EXPECT_TRUE(cid->WaitFor("INIT:" + wire::EncodeInit({1, 3, game.MatchSeed()})));
}

// The host's table may still be running the last shot when the next player
// aims: the move goes over with the turn change the host has taken, not
// with the one its table has applied.
TEST_F(HostedGame, TheMovePassesWithATurnChangeStillWaitingInTheQueue) {
    auto bob = Admitted("Bob", 2);
    auto cid = Admitted("Cid", 3);
    game.StartFirstMatch();
    game.OnVictory(2);  // Bob beat the host
    game.NextMatch();
    ASSERT_EQ(game.GreenSlot(), 2);  // Bob against Cid, the host watching
    ASSERT_EQ(game.RedSlot(), 3);

    const QByteArray greenShot = "DISP:" + wire::EncodeShot({0, 21.65f, 5, 0});
    bob->Send(greenShot);
    bob->Send("MUDJ:");
    ASSERT_TRUE(cid->WaitFor("MUDJ:"));
    EXPECT_EQ(library.side, 0);  // nothing applied here yet

    const QByteArray redShot = "DISP:" + wire::EncodeShot({0, -21.65f, 5, 0});
    cid->Send(redShot);
    EXPECT_TRUE(bob->WaitFor(redShot));
    const QByteArray lateAim = "SJRM:" + wire::EncodeAim({.z = 21.65f, .force = 3, .phase = 1});
    bob->Send(lateAim);
    bob->Send("TEXT:Bob: after the aim");
    ASSERT_TRUE(cid->WaitFor("TEXT:Bob: after the aim"));
    EXPECT_FALSE(cid->Received(lateAim));
    EXPECT_EQ(queue.Size(), 3u);  // Bob's shot and turn change, Cid's shot
}

// A client's move is decoded once as it arrives: the host checks the shot it
// decoded, queues that record and relays the bytes as they came, no more.
TEST_F(HostedGame, AClientsShotIsCheckedQueuedAndRelayedFromOneDecoding) {
    auto bob = Admitted("Bob", 2);
    auto cid = Admitted("Cid", 3);
    game.StartFirstMatch();  // the host plays green against Bob
    library.side = 1;        // red to move
    const wire::Shot shot{0.5f, -21.65f, 5, 0.25f};
    bob->Send("DISP:" + wire::EncodeShot(shot) + "xyz");
    ASSERT_TRUE(cid->WaitFor("DISP:" + wire::EncodeShot(shot)));
    ASSERT_EQ(queue.Size(), 1u);
    EXPECT_EQ(queue.Head(), GameEvent(shot));

    CapturedWarnings warnings;
    const QByteArray tooStrong = "DISP:" + wire::EncodeShot({0.5f, -21.65f, 50, 0});
    bob->Send(tooStrong);
    bob->Send("SJRM:" + QByteArray(10, '\x01'));
    bob->Send("TEXT:Bob: after");
    ASSERT_TRUE(cid->WaitFor("TEXT:Bob: after"));
    EXPECT_EQ(queue.Head(), GameEvent(shot));
    EXPECT_EQ(queue.Count<event::Shot>(), 1u);
    EXPECT_EQ(queue.Count<event::Aim>(), 0u);
    EXPECT_FALSE(cid->Received(tooStrong));
    EXPECT_EQ(warnings.Lines(),
              (QStringList{"network: DISP: from Bob in slot 2 refused: not a shot the game could make",
                           "network: short SJRM: from connection " +
                               QString::number(game.Slots()[2].connectionId) + " dropped"}));
}

TEST_F(HostedGame, TheSessionTellsOfEachSeatTheMatchAndItsEnd) {
    std::vector<SessionEvent> heard;
    game.SetSessionListener([&](const SessionEvent& e) { heard.push_back(e); });
    auto bob = Admitted("Bob", 2);
    game.StartFirstMatch();
    auto cid = Admitted("Cid", 3);  // mid-match: seated, and sent the match
    ASSERT_TRUE(cid->WaitFor("INIT:" + wire::EncodeInit({1, 2, game.MatchSeed()})));
    game.LeaveGame(false);
    EXPECT_EQ(heard, (std::vector<SessionEvent>{session::PlayerSeated{2},
                                                session::MatchStarted{1, 2, game.MatchSeed()},
                                                session::PlayerSeated{3},
                                                session::Ended{SessionEnd::Left}}));
}

TEST_F(HostedGame, LeavingReturnsToTheIdleTableWhateverWasGoingOn) {
    auto bob = Admitted("Bob", 2);
    game.StartFirstMatch();
    queue.Push(event::PassTurn{});
    game.StartMatchOverCountdown();
    const int intros = library.introsShown;

    game.LeaveGame(false);
    EXPECT_EQ(game.State(), Session::Offline);
    EXPECT_TRUE(bob->WaitFor("ENDS:"));
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(game.MatchRunning());
    EXPECT_FALSE(game.CountdownRunning());
    EXPECT_EQ(library.introsShown, intros + 1);
    EXPECT_EQ(view.slotBoxes[1], kBoxSilver);
    EXPECT_EQ(view.slotBoxes[2], kBoxSilver);
    EXPECT_FALSE(view.startEnabled);
    EXPECT_TRUE(view.connectionPanelVisible);
    EXPECT_TRUE(view.chatLines.empty());
}

TEST_F(HostedGame, AHostLeftAloneKeepsHostingAtTheIdleTable) {
    auto bob = Admitted("Bob", 2);
    game.StartFirstMatch();
    queue.Push(event::PassTurn{});
    const int intros = library.introsShown;

    bob->Send("QUIT:Bob");
    ASSERT_TRUE(SpinUntil([&] { return view.slotLabels[2] == "Player 2"; }));
    EXPECT_EQ(game.State(), Session::Hosting);
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(game.MatchRunning());
    EXPECT_EQ(library.introsShown, intros + 1);
    EXPECT_EQ(view.slotBoxes[1], kBoxSilver);
    EXPECT_FALSE(view.startEnabled);
    EXPECT_FALSE(view.connectionPanelVisible);  // the game goes on, waiting for players
}

}  // namespace
