// The player list's boxes in the two disc looks: a match's sides in the
// look's colours, repainted at once when the look changes mid-match, and
// silver without a match whatever the look.
#include "frontend/net/player_board.h"

#include <gtest/gtest.h>

#include <array>

#include "frontend/view/headless_view.h"

namespace {

struct Board {
    HeadlessView view;
    ChatDisplay chat{view, [](int) {}};
    int language = 1;
    PlayerBoard board{view, chat, language};
};

using Boxes = std::array<uint32_t, 4>;
// Slots 1 to 4.
Boxes BoxesOf(const Board& b) {
    return {b.view.slotBoxes[1], b.view.slotBoxes[2], b.view.slotBoxes[3], b.view.slotBoxes[4]};
}

TEST(PlayerBoard, TheMatchBoxesFollowTheDiscLookAtOnce) {
    Board b;
    b.board.ShowMatch(3, 1);
    EXPECT_EQ(BoxesOf(b), (Boxes{kBoxRed, kBoxSilver, kBoxGreen, kBoxSilver}));
    b.board.SetDiscColours(DiscColours::ColourSafe);
    EXPECT_EQ(BoxesOf(b), (Boxes{kBoxRed, kBoxSilver, kBoxBlue, kBoxSilver}));
    b.board.ShowMatch(2, 4);
    EXPECT_EQ(BoxesOf(b), (Boxes{kBoxSilver, kBoxBlue, kBoxSilver, kBoxRed}));
    b.board.SetDiscColours(DiscColours::Classic);
    EXPECT_EQ(BoxesOf(b), (Boxes{kBoxSilver, kBoxGreen, kBoxSilver, kBoxRed}));
}

TEST(PlayerBoard, WithoutAMatchAChangedLookLeavesTheBoxesSilver) {
    Board b;
    b.board.ShowMatch(1, 2);
    b.board.ShowNoMatch();
    b.board.SetDiscColours(DiscColours::ColourSafe);
    EXPECT_EQ(BoxesOf(b), (Boxes{kBoxSilver, kBoxSilver, kBoxSilver, kBoxSilver}));
}

}  // namespace
