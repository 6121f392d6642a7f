#include "game/presentation.h"

namespace {

class SilentPresentation final : public GamePresentation {
public:
    void OnTableReset() override {}
    void OnPracticeStarted() override {}
};

SilentPresentation silentPresentation;
GamePresentation* currentPresentation = &silentPresentation;

}  // namespace

GamePresentation& Presentation() {
    return *currentPresentation;
}

void SetGamePresentation(GamePresentation* presentation) {
    currentPresentation = presentation ? presentation : &silentPresentation;
}
