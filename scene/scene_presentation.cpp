#include "scene/scene_presentation.h"

#include "game/practice.h"
#include "game/presentation.h"
#include "scene/fireworks.h"
#include "scene/hud_state.h"

namespace {

class ScenePresentation final : public GamePresentation {
public:
    void OnTableReset() override {
        if (fireworks) fireworks->ResetFireworks();
    }
    void OnPracticeStarted() override { Hud().triesShown = kPracticeTries; }
    void LaunchFirework() override {
        if (fireworks) fireworks->LaunchRocket();
    }

    Fireworks* fireworks = nullptr;
};

ScenePresentation scenePresentation;

}  // namespace

void ConnectScenePresentation(Fireworks* fireworks) {
    scenePresentation.fireworks = fireworks;
    SetGamePresentation(&scenePresentation);
}

void DisconnectScenePresentation() {
    SetGamePresentation(nullptr);
    scenePresentation.fireworks = nullptr;
}
