// The real library behind the front end's door: every call reaches it until
// it is shut down, and none after, whoever still asks (the close leaves the
// online game after the library has released its scene).
#include "frontend/library/game_library.h"

#include <gtest/gtest.h>

#include "vexlib/exports.h"

namespace {

TEST(ExportedGameLibrary, NoCallReachesTheLibraryOnceItIsShutDown) {
    auto library = MakeExportedGameLibrary();
    library->SetSideToMove(1);
    wire::Positions positions = library->ReadPositions();
    positions[0] = 7.25f;
    library->WritePositions(positions);
    ASSERT_EQ(GetPlayer_Atual(), 1);
    ASSERT_EQ(GetDiscoX(1), 7.25f);
    EXPECT_FALSE(library->Finished());

    library->Shutdown();
    EXPECT_TRUE(library->Finished());
    library->SetSideToMove(0);
    library->WritePositions({});
    EXPECT_EQ(GetPlayer_Atual(), 1);
    EXPECT_EQ(GetDiscoX(1), 7.25f);
    // The table reads as at rest and refuses every change.
    EXPECT_EQ(library->SideToMove(), 0);
    EXPECT_EQ(library->ReadPositions(), wire::Positions{});
    EXPECT_FALSE(library->IsMoving());
    EXPECT_FALSE(library->Shoot({0, 21.65f, 5, 0}));
    EXPECT_FALSE(library->PassTurnFromPeer());
    EXPECT_FALSE(library->Initialize(0, 570, 400, false, 2));

    library->Shutdown();  // a second shutdown changes nothing
    EXPECT_TRUE(library->Finished());
}

TEST(ExportedGameLibrary, TheAimReportsPhaseIsCutTowardsZero) {
    const wire::Aim aim = AimFromLibrary(1.0f, 2.0f, 3.0f, 4.0f, 1.9f);
    EXPECT_EQ(aim, (wire::Aim{.x = 2.0f, .z = 1.0f, .force = 3.0f, .angle = 4.0f, .phase = 1}));
    EXPECT_EQ(AimFromLibrary(0, 0, 0, 0, 2.0f).phase, 2);
}

}  // namespace
