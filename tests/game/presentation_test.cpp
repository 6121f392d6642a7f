// The game tells the picture about a table reset and a practice start, and
// only then: every path that resets the table announces it once.
#include "game/presentation.h"

#include <string>

#include "tests/game/game_fixture.h"
#include "vexlib/exports.h"

namespace {

class RecordingPresentation final : public GamePresentation {
public:
    void OnTableReset() override { events += 'R'; }
    void OnPracticeStarted() override { events += 'P'; }
    std::string events;
};

class PresentationTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        Game().outputs.presentation = &presentation;
    }
    RecordingPresentation presentation;
};

TEST_F(PresentationTest, EveryTableResetIsAnnouncedOnce) {
    IniciaPartida(kSideGreen, 7);
    EXPECT_EQ(presentation.events, "R");
    ShowIntro();
    EXPECT_EQ(presentation.events, "RR");
    ShowIntro();  // already idle: nothing is reset
    EXPECT_EQ(presentation.events, "RR");
    IniciaPartida(kSideRed, 8);
    MostraRecordes();
    EXPECT_EQ(presentation.events, "RRRR");
}

TEST_F(PresentationTest, APracticeRunShowsItsFourTriesBeforeItsFirstLevelIsLaid) {
    IniciaOffline("ana");
    // The level set-up resets the table after the tries were announced.
    EXPECT_EQ(presentation.events, "PR");
    EXPECT_EQ(Game().triesLeft, 4);
}

TEST_F(PresentationTest, WithoutASceneTheAnnouncementsGoNowhere) {
    Game().outputs.presentation = nullptr;
    IniciaOffline("ana");
    IniciaPartida(kSideGreen, 7);
    EXPECT_EQ(presentation.events, "");
    EXPECT_EQ(Game().mode, kModeMatch);
}

}  // namespace
