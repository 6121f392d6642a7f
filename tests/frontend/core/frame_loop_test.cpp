// The frame tick against a recording stand-in for the game library: what
// each kind of queued event does, when the table is left alone, how often
// physics and rendering run, and the pause after a match.
#include "frontend/session/frame_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "ticked_game.h"

namespace {

using FrameTick = TickedGame;

TEST_F(FrameTick, ShotsWaitForARestingTableOneAtATime) {
    queue.Push(event::Shot{1, 2, 3, 4});
    queue.Push(event::Shot{5, 6, 7, 8});
    loop.Tick();
    ASSERT_EQ(library.shots.size(), 1u);
    EXPECT_EQ(library.shots[0].angle, 4.0f);
    EXPECT_EQ(queue.Size(), 1u);
    // The first shot's discs still roll: the second is not even offered.
    Ticks(RecordingLibrary::kShotSteps - 1);
    EXPECT_EQ(library.shootCalls, 1);
    loop.Tick();
    ASSERT_EQ(library.shots.size(), 2u);
    EXPECT_EQ(library.shots[1].x, 5.0f);
    EXPECT_TRUE(queue.Empty());
}

TEST_F(FrameTick, ARefusedShotStaysAtTheHeadAndBlocksTheQueue) {
    library.refuseShots = 2;
    queue.Push(event::Shot{1, 2, 3, 4});
    queue.Push(event::PassTurn{});
    Ticks(2);
    EXPECT_EQ(library.shootCalls, 2);
    EXPECT_EQ(queue.Size(), 2u);
    EXPECT_EQ(queue.Head(), GameEvent(event::Shot{1, 2, 3, 4}));
    EXPECT_EQ(library.side, 0);
    loop.Tick();
    EXPECT_EQ(library.shots.size(), 1u);
    EXPECT_EQ(queue.Size(), 1u);
    // The turn change waits until the shot is over, then passes at once.
    Ticks(RecordingLibrary::kShotSteps);
    EXPECT_EQ(library.side, 1);
    EXPECT_TRUE(queue.Empty());
}

TEST_F(FrameTick, RemoteAimMovesATenthOfTheWayEachTickOnlyWhenTheOtherSideIsToMove) {
    library.seat = 1;  // red here; green is to move
    queue.Push(event::Aim{.x = -20.0f, .z = 10.0f, .force = 5.0f, .angle = 1.0f, .phase = 2});
    loop.Tick();
    ASSERT_EQ(library.shownAims.size(), 1u);
    EXPECT_FLOAT_EQ(library.shownAims[0].z, 1.0f);
    EXPECT_FLOAT_EQ(library.shownAims[0].x, -2.0f);
    EXPECT_FLOAT_EQ(library.shownAims[0].force, 0.5f);
    EXPECT_FLOAT_EQ(library.shownAims[0].angle, 0.1f);
    loop.Tick();
    EXPECT_FLOAT_EQ(library.shownAims[1].z, 1.9f);
    EXPECT_FLOAT_EQ(library.shownAims[1].x, -3.8f);

    library.side = 1;  // our own turn: our aim is our own
    Ticks(5);
    EXPECT_EQ(library.shownAims.size(), 2u);
}

TEST_F(FrameTick, SyncSetsTheTableAndTheSideToMove) {
    wire::Positions p{};
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<float>(i) - 7.5f;
    queue.Push(event::Sync{p, 1});
    loop.Tick();
    EXPECT_EQ(library.positions, p);
    EXPECT_EQ(library.side, 1);
    EXPECT_TRUE(queue.Empty());
}

// One event of each kind, as a match sees them: each takes effect in its
// turn, and the observer hears exactly those that did, in order.
TEST_F(FrameTick, EveryKindOfEventTakesEffectInOrderAndIsObserved) {
    std::vector<GameEvent> applied;
    loop.ObserveAppliedEvents([&](const GameEvent& e) { applied.push_back(e); });
    wire::Positions p{};
    p[0] = 3.5f;
    const std::vector<GameEvent> events = {
        event::Shot{1, 2, 3, 4},
        event::PassTurn{},
        event::Aim{.x = 5, .z = 6, .force = 7, .angle = 0.5f, .phase = 1},
        event::SendSync{7},
        event::Sync{p, 0},
        event::AnswerVerify{},
        event::Verify{p, "3"},
        event::MatchOver{}};
    for (const GameEvent& e : events) queue.Push(e);

    for (int i = 0; i < 20 && !queue.Empty(); ++i) loop.Tick();
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(applied, events);
    ASSERT_EQ(library.shots.size(), 1u);
    EXPECT_EQ(library.shots[0], (wire::Shot{1, 2, 3, 4}));
    EXPECT_EQ(library.positions, p);
    EXPECT_EQ(library.side, 0);  // passed to red, then set back by the sync
    ASSERT_FALSE(view.chatLines.empty());
    EXPECT_EQ(HeadlessView::PlainText(view.chatLines.back()), "No desync at ID 3");
    EXPECT_TRUE(game.CountdownRunning());

    // An event that does not take effect is not heard.
    applied.clear();
    library.refuseShots = 1;
    queue.Push(event::Shot{1, 2, 3, 4});
    loop.Tick();
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(queue.Size(), 1u);
}

// The step that brings a shot to rest may leave a disc where only the next
// step rounds it, so "vsync" answers and comparisons wait for a whole step
// at rest.
TEST_F(FrameTick, ATableIsComparedOnlyAfterAWholeStepAtRest) {
    queue.Push(event::Shot{1, 2, 3, 4});
    queue.Push(event::AnswerVerify{});
    queue.Push(event::Verify{library.positions, "2"});
    Ticks(RecordingLibrary::kShotSteps);  // the last of them brings the shot to rest
    ASSERT_FALSE(library.moving);
    EXPECT_EQ(queue.Size(), 2u);
    loop.Tick();  // a whole step at rest
    EXPECT_EQ(queue.Size(), 2u);
    loop.Tick();
    EXPECT_EQ(queue.Size(), 1u);  // answered
    loop.Tick();
    EXPECT_TRUE(queue.Empty());
    ASSERT_FALSE(view.chatLines.empty());
    EXPECT_EQ(HeadlessView::PlainText(view.chatLines.back()), "No desync at ID 2");
}

// The host's "vsync": a slow client's answer may arrive after the next shot,
// and the shooter's answer may already include a shot fired before the check
// reached it. Both agree; only a table that is neither is reported.
TEST_F(FrameTick, AVsyncAnswerAgreesWithTheTableAtTheCheckOrAsItStandsNow) {
    ASSERT_TRUE(game.HostOnPort(0, ""));
    const wire::Positions atCheck = library.positions;
    wire::Positions afterNextShot = atCheck;
    afterNextShot[3] = 7.25f;
    afterNextShot[8] = -3.5f;
    wire::Positions elsewhere = afterNextShot;
    elsewhere[11] = 1.0f;
    const auto lastChatLine = [&] {
        return HeadlessView::PlainText(view.chatLines.back()).toStdString();
    };

    game.VerifySync();
    Ticks(2);  // the host keeps its table at the check, at rest
    ASSERT_TRUE(queue.Empty());
    queue.Push(event::Shot{1, 2, 3, 4});  // the shooter's next shot, then its answer
    queue.Push(event::Verify{afterNextShot, "2"});
    Ticks(RecordingLibrary::kShotSteps);
    library.positions = afterNextShot;
    Ticks(3);
    ASSERT_TRUE(queue.Empty());
    EXPECT_EQ(lastChatLine(), "No desync at ID 2");

    queue.Push(event::Verify{atCheck, "3"});  // the spectator's answer, late
    Ticks(2);
    EXPECT_EQ(lastChatLine(), "No desync at ID 3");

    // A second check, then another shot before the spectator answers it:
    // every answer is weighed against its own check.
    game.VerifySync();
    Ticks(2);
    wire::Positions third = afterNextShot;
    third[0] = 12.0f;
    library.positions = third;
    queue.Push(event::Verify{afterNextShot, "3"});
    Ticks(2);
    EXPECT_EQ(lastChatLine(), "No desync at ID 3");
    EXPECT_EQ(view.beeps, 0);
    queue.Push(event::Verify{elsewhere, "2"});
    Ticks(2);
    EXPECT_EQ(lastChatLine(), "1 disc(s) desynchronized at ID 2");
    EXPECT_EQ(view.beeps, 1);
}

TEST_F(FrameTick, PhysicsEveryTickRenderingEveryFirstSecondOrFourthTick) {
    const struct { int divider, renders; } cases[] = {{1, 59}, {2, 29}, {4, 14}};
    for (const auto& c : cases) {
        library.steps = library.renders = 0;
        loop.SetRenderDivider(c.divider);
        Ticks(59);  // one full round of the tick counter, 1..59
        EXPECT_EQ(library.steps, 59) << c.divider;
        EXPECT_EQ(library.renders, c.renders) << c.divider;
        EXPECT_EQ(loop.TickCounter(), 1);
    }
}

TEST_F(FrameTick, LostTicksAddAPhysicsStepEveryFourthTick) {
    // A timer that only manages a tick every 20 ms: about 50 in a second.
    for (int i = 0; i < 60; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        loop.Tick();
    }
    ASSERT_LE(loop.MeasuredFps(), 54);
    library.steps = 0;
    int expected = 0;
    for (int i = 0; i < 8; ++i) {
        expected += loop.TickCounter() % 4 == 0 ? 2 : 1;
        loop.Tick();
    }
    EXPECT_EQ(library.steps, expected);
    EXPECT_GE(expected, 9);
}

TEST_F(FrameTick, MatchOverStartsTheNextMatchAfter780Ticks) {
    queue.Push(event::MatchOver{});
    loop.Tick();
    EXPECT_TRUE(game.CountdownRunning());
    Ticks(778);
    EXPECT_TRUE(game.CountdownRunning());
    loop.Tick();
    EXPECT_FALSE(game.CountdownRunning());
}

TEST_F(FrameTick, NothingRunsBeforeTheEngineDoes) {
    loop.SetEngineRunning(false);
    queue.Push(event::PassTurn{});
    Ticks(3);
    EXPECT_EQ(library.steps, 0);
    EXPECT_EQ(library.renders, 0);
    EXPECT_EQ(queue.Size(), 1u);
}

}  // namespace
