#include "game/presentation.h"

#include "game/game_state.h"

namespace {

class SilentPresentation final : public GamePresentation {
public:
    void OnTableReset() override {}
    void OnPracticeStarted() override {}
};

SilentPresentation silentPresentation;

}  // namespace

GamePresentation& PresentationOf(const GameState& g) {
    return g.outputs.presentation ? *g.outputs.presentation : silentPresentation;
}
