// The frame tick against a recording stand-in for the game library: what
// each queue entry does, when the table is left alone, how often physics and
// rendering run, and the pause after a match.
#include "frontend/core/frame_loop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "frontend/core/headless_view.h"

namespace {

class RecordingLibrary : public GameLibrary {
public:
    bool IsMoving() override { return moving; }
    bool Shoot(const wire::Shot& shot) override {
        ++shootCalls;
        if (moving || refuseShots > 0) {
            refuseShots = std::max(0, refuseShots - 1);
            return false;
        }
        shots.push_back(shot);
        moving = true;
        return true;
    }
    bool PassTurnFromPeer() override {
        if (moving) return false;
        side = 1 - side;
        return true;
    }
    int SideToMove() override { return side; }
    void SetSideToMove(int s) override { side = s; }
    int LocalSeat() override { return seat; }
    void ShowRemoteAim(const std::array<float, 4>& aim) override { shownAims.push_back(aim); }
    void StepPhysics() override {
        ++steps;
        if (moving && --stepsUntilRest <= 0) {
            moving = false;
            stepsUntilRest = kShotSteps;
        }
    }
    void Render() override { ++renders; }
    wire::Positions ReadPositions() override { return positions; }
    void WritePositions(const wire::Positions& p) override { positions = p; }
    // The frame tick never touches the menus' options.
    void SetSpecularLight(bool) override {}
    void SetReflection(bool) override {}
    void SetHighQuality(bool) override {}
    void SetSoundEffects(bool) override {}
    void SetMusic(bool) override {}
    void SetMouseSensitivity(int) override {}

    static constexpr int kShotSteps = 3;
    bool moving = false;
    int stepsUntilRest = kShotSteps;
    int refuseShots = 0;
    int shootCalls = 0;
    int side = 0;
    int seat = 0;
    int steps = 0;
    int renders = 0;
    std::vector<wire::Shot> shots;
    std::vector<std::array<float, 4>> shownAims;
    wire::Positions positions{};
};

class FrameTick : public ::testing::Test {
protected:
    FrameTick() : chat(view, [](int) {}), game(view, chat, queue), loop(queue, game, library) {
        loop.SetMinimumTickMs(0);
        loop.SetEngineRunning(true);
    }

    void Ticks(int n) {
        for (int i = 0; i < n; ++i) loop.Tick();
    }

    HeadlessView view;
    EventQueue queue;
    ChatDisplay chat;
    OnlineGame game;
    RecordingLibrary library;
    FrameLoop loop;
};

TEST_F(FrameTick, ShotsWaitForARestingTableOneAtATime) {
    queue.Push(queue_entry::kShot, wire::EncodeShot({1, 2, 3, 4}));
    queue.Push(queue_entry::kShot, wire::EncodeShot({5, 6, 7, 8}));
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
    queue.Push(queue_entry::kShot, wire::EncodeShot({1, 2, 3, 4}));
    queue.Push(queue_entry::kTurn);
    Ticks(2);
    EXPECT_EQ(library.shootCalls, 2);
    EXPECT_EQ(queue.Size(), 2u);
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
    queue.Push(queue_entry::kAim, wire::EncodeAim({10.0f, -20.0f, 5.0f, 1.0f, 2}));
    loop.Tick();
    ASSERT_EQ(library.shownAims.size(), 1u);
    EXPECT_FLOAT_EQ(library.shownAims[0][0], 1.0f);
    EXPECT_FLOAT_EQ(library.shownAims[0][1], -2.0f);
    EXPECT_FLOAT_EQ(library.shownAims[0][2], 0.5f);
    loop.Tick();
    EXPECT_FLOAT_EQ(library.shownAims[1][0], 1.9f);
    EXPECT_FLOAT_EQ(library.shownAims[1][1], -3.8f);

    library.side = 1;  // our own turn: our aim is our own
    Ticks(5);
    EXPECT_EQ(library.shownAims.size(), 2u);
}

TEST_F(FrameTick, SyncSetsTheTableAndVerifyAnswersIt) {
    wire::Positions p{};
    for (size_t i = 0; i < p.size(); ++i) p[i] = static_cast<float>(i) - 7.5f;
    queue.Push(queue_entry::kApplySync, wire::EncodeSync({p, 1}));
    loop.Tick();
    EXPECT_EQ(library.positions, p);
    EXPECT_EQ(library.side, 1);
    EXPECT_TRUE(queue.Empty());

    // Entries that cannot be what their kind promises are dropped, not read.
    queue.Push(queue_entry::kApplySync, QByteArray(20, '\x01'));
    queue.Push(queue_entry::kShot, QByteArray(3, '\x01'));
    queue.Push('Q');
    Ticks(3);
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(library.positions, p);
    EXPECT_TRUE(library.shots.empty());
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
    queue.Push(queue_entry::kMatchOver);
    loop.Tick();
    EXPECT_TRUE(game.CountdownRunning());
    Ticks(778);
    EXPECT_TRUE(game.CountdownRunning());
    loop.Tick();
    EXPECT_FALSE(game.CountdownRunning());
}

TEST_F(FrameTick, NothingRunsBeforeTheEngineDoes) {
    loop.SetEngineRunning(false);
    queue.Push(queue_entry::kTurn);
    Ticks(3);
    EXPECT_EQ(library.steps, 0);
    EXPECT_EQ(library.renders, 0);
    EXPECT_EQ(queue.Size(), 1u);
}

}  // namespace
