// The player list's boxes in the two disc looks: a match's sides in the
// look's colours, repainted at once when the look changes mid-match, and
// silver without a match whatever the look.
#include "frontend/core/player_board.h"

#include <gtest/gtest.h>

#include "frontend/core/headless_view.h"

namespace {

struct Board {
    HeadlessView view;
    ChatDisplay chat{view, [](int) {}};
    int language = 1;
    PlayerBoard board{view, chat, language};
};

TEST(PlayerBoard, TheMatchBoxesFollowTheDiscLookAtOnce) {
    Board b;
    b.board.ShowMatch(3, 1);
    EXPECT_EQ(b.view.slotBoxes[3], kBoxGreen);
    EXPECT_EQ(b.view.slotBoxes[1], kBoxRed);

    b.board.SetDiscColours(DiscColours::ColourSafe);
    EXPECT_EQ(b.view.slotBoxes[3], kBoxBlue);
    EXPECT_EQ(b.view.slotBoxes[1], kBoxRed);
    EXPECT_EQ(b.view.slotBoxes[2], kBoxSilver);
    b.board.ShowMatch(2, 4);
    EXPECT_EQ(b.view.slotBoxes[2], kBoxBlue);
    EXPECT_EQ(b.view.slotBoxes[3], kBoxSilver);

    b.board.SetDiscColours(DiscColours::Classic);
    EXPECT_EQ(b.view.slotBoxes[2], kBoxGreen);
    EXPECT_EQ(b.view.slotBoxes[4], kBoxRed);
}

TEST(PlayerBoard, WithoutAMatchAChangedLookLeavesTheBoxesSilver) {
    Board b;
    b.board.ShowMatch(1, 2);
    b.board.ShowNoMatch();
    b.board.SetDiscColours(DiscColours::ColourSafe);
    for (int slot = 1; slot <= 4; ++slot) EXPECT_EQ(b.view.slotBoxes[size_t(slot)], kBoxSilver);
}

}  // namespace
