#include "scene/scene_presentation.h"

#include "game/practice.h"
#include "scene/fireworks.h"
#include "scene/hud_state.h"

void ScenePresentation::OnTableReset() {
    if (fireworks_) fireworks_->ResetFireworks();
}

void ScenePresentation::OnPracticeStarted() {
    Hud().triesShown = kPracticeTries;
}

void ScenePresentation::LaunchFirework(const GameState& g) {
    if (fireworks_) fireworks_->LaunchRocket(g);
}
