// Practice mode and the library's callbacks while offline, with the real
// game library behind the front end.
#include <gtest/gtest.h>

#include "frontend/session/frontend_core.h"
#include "frontend/view/headless_view.h"

namespace {

class Practice : public ::testing::Test {
protected:
    Practice() : core(view, [](int) {}) {
        core.Online().SetNickname("Ana");
        core.StartPractice();
    }
    ~Practice() override { core.Close({}); }

    HeadlessView view;
    FrontendCore core;
};

TEST_F(Practice, StartsOfflineWithThePlayerAloneAndTheOnlinePartsHidden) {
    EXPECT_TRUE(core.Online().PracticeRunning());
    EXPECT_FALSE(core.Online().IsOnline());
    EXPECT_TRUE(view.practiceLayout);
    EXPECT_FALSE(view.connectionPanelVisible);
    EXPECT_FALSE(view.startEnabled);
    EXPECT_EQ(view.slotLabels[1], "Ana");
    EXPECT_EQ(view.slotLabels[2], "Player 2");
}

TEST_F(Practice, AShotIsQueuedNotFiredAndTheTurnComesStraightBack) {
    core.Callbacks().OnShoot({1.5f, 21.5f, 7.0f, -0.25f});
    ASSERT_EQ(core.Queue().Size(), 1u);
    EXPECT_EQ(core.Queue().Head(), GameEvent(wire::Shot{1.5f, 21.5f, 7.0f, -0.25f}));
    core.Callbacks().OnAim({1, 2, 3, 4, 5});
    EXPECT_EQ(core.Queue().Size(), 1u);  // aim stays local offline

    const int side = core.Library().SideToMove();
    core.Callbacks().OnTurnPassed();
    EXPECT_EQ(core.Library().SideToMove(), 1 - side);  // handed back at once...
    core.Callbacks().OnTurnPassed();
    EXPECT_EQ(core.Library().SideToMove(), side);  // ...so practice keeps one side
}

TEST_F(Practice, EndsOnlyWhenThePlayerConfirms) {
    view.confirmAnswer = false;
    core.Online().CloseButton();
    ASSERT_EQ(view.questions.size(), 1);
    EXPECT_EQ(view.questions[0], "Do you really want to exit this training?");
    EXPECT_TRUE(core.Online().PracticeRunning());

    view.confirmAnswer = true;
    core.Online().CloseButton();
    EXPECT_FALSE(core.Online().PracticeRunning());
    EXPECT_FALSE(view.practiceLayout);
    EXPECT_TRUE(view.connectionPanelVisible);
    EXPECT_EQ(view.slotLabels[1], "Player 1");
}

TEST_F(Practice, AVictoryEndsPracticeWithoutAQuestionOrAPause) {
    core.Online().OnVictory(1);
    EXPECT_FALSE(core.Online().PracticeRunning());
    EXPECT_TRUE(view.questions.isEmpty());
    EXPECT_TRUE(core.Queue().Empty());
    EXPECT_TRUE(view.connectionPanelVisible);
}

}  // namespace
