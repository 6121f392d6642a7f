// The scene's side of the game's presentation seam: a table reset clears
// the fireworks, a due firework goes up, a practice start shows all four
// tries at once. The scene names it in the table's outputs while it is up;
// without it (a peer with no window, or after the scene went down) the
// game's announcements reach nothing.
#pragma once

#include "game/presentation.h"

class Fireworks;

class ScenePresentation final : public GamePresentation {
public:
    // fireworks may be null: a reset then has nothing to clear.
    explicit ScenePresentation(Fireworks* fireworks) : fireworks_(fireworks) {}

    void OnTableReset() override;
    void OnPracticeStarted() override;
    void LaunchFirework(const GameState& g) override;

private:
    Fireworks* fireworks_;
};
