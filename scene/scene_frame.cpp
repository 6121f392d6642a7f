#include "scene/scene_frame.h"

#include "engine/graphics/vex_light.h"
#include "game/frame.h"
#include "game/play_mode.h"
#include "scene/camera_rig.h"
#include "scene/frame_input.h"
#include "scene/hud.h"
#include "scene/hud_draw.h"
#include "scene/scene.h"
#include "scene/scene_states.h"
#include "scene/table_drawing.h"

namespace {

constexpr uint32_t kBackground = 0xFF808092;
constexpr float kLogoX = 10, kLogoY = 5;

// The game's frame for a table nobody looks at.
void RunUnseenFrame(GameState& g, float frameSeconds) {
    g.rendering = 1;
    FrameInput input;
    input.frameSeconds = frameSeconds;
    RunGameFrame(g, input, nullptr);
    g.rendering = 0;
}

// The scene's eye in the game's frame. The table is pictured as the frame
// found it when the camera was placed, before the aim moved: only the
// striker being placed and the cue above the table follow this frame's
// aim, while the reflection still shows the cue where it was.
class SceneView final : public FrameView {
public:
    explicit SceneView(const Scene& scene) : scene_(scene) {}

    void PlaceCamera(const GameState& g) override {
        PlaceTableCamera(g.view, g.localSeat == kSideRed);
        seen_ = g;
    }
    bool PickTable(float& x, float& z) override { return PickTablePoint(scene_, x, z); }

    const GameState& seen() const { return seen_; }

private:
    const Scene& scene_;
    GameState seen_;
};

void Begin2DLayer() {
    VEX_Direct3D& d3d = Direct3D();
    d3d.SetDepthTest(false);
    d3d.SetLighting(false);
    Camera().Begin2D();
}

void DrawLogo(const ScreenScale& screen) {
    VEX_Sprite& sprites = Sprites();
    if (!sprites.BeginSprites()) return;
    sprites.SetSpriteColor(kWhite);
    sprites.SetSpriteRotation(0);
    sprites.SetSpriteScale(kLogoSprite, screen.scale, screen.scale);
    sprites.DrawSprite(kLogoSprite, screen.Size(kLogoX), screen.Size(kLogoY), 0, 0);
    sprites.EndSprites();
}

// The still life of the intro, which the best-plays table also lies over.
void DrawIntro(const GameState& g, Scene& scene) {
    DrawTable(scene, g, TableContent::kIntro);
    DrawIntroContent(scene, 1.0f, g.options.quality, g.options.discLook);
    Begin2DLayer();
    if (g.mode == kModeIdle) DrawLogo(ScreenScale::Of(scene.width, scene.height));
}

// seen is the table as the camera found it, g as the frame left it.
void DrawPlay(const GameState& seen, const GameState& g, Scene& scene, bool strikerPlaced) {
    DrawTable(scene, seen, TableContent::kPlay);
    DrawAllDiscs(scene, seen, 1.0f, seen.options.quality);
    if (strikerPlaced) DrawPlacedStriker(scene, g);
    DrawAimingCue(scene, g, 1.0f, g.options.quality);
}

void Draw2DLayer(const GameState& g, Scene& scene, const HudFrame& hud) {
    Begin2DLayer();
    scene.fireworks->DrawFireworks(g, hud.frameSeconds);
    DrawHud(g, hud);
    SceneCounters& counters = scene.counters;
    FadeHelp(g.hasFocus, counters.helpAlpha, counters.helpByPad, hud.frameSeconds);
    DrawHelpPanel(counters.helpAlpha, scene.width, scene.height, g.language);
    DrawKeysPanel(counters.helpAlpha, scene.width, scene.height, g.language, counters.helpByPad);
    if (g.mode == kModeIdle) DrawVersionText(scene.width, scene.height);
}

}  // namespace

int RenderScene(GameState& g) {
    if (g.rendering) return -1;
    // What moves on the screen moves by the time since the last frame, read
    // once here for the whole frame: the device's frame time leaves out the
    // time the frame waited to be shown, and the program's refresh choice
    // and the panel's size would otherwise change the game's pace.
    const float frameSeconds = MeasureFrameSeconds();
    Scene* scene = ActiveScene();
    if (!scene) {
        RunUnseenFrame(g, frameSeconds);
        return -1;
    }
    VEX_Direct3D& d3d = Direct3D();
    SceneCounters& counters = scene->counters;
    if (counters.frameOpen) d3d.PresentFrame();
    counters.frameOpen = false;
    if (!d3d.BeginFrame()) {
        RestoreSceneStates(scene->textureFilter, g.options.specular != 0);
        return 0;
    }
    // Set until the frame ends, also across a practice run's end inside it.
    g.rendering = 1;
    // The stencil too, though only the mirror uses it: depth and stencil
    // share one buffer, and clearing them together is a plain fill where
    // either alone has to keep the other's bits in every pixel.
    d3d.ClearTargets(kBackground, true, true, true);
    scene->sound.ReleaseFinishedVoices();
    VEX_Input& input = Input();
    // A cue the keys hold leaves the pointer where the player put it.
    if (g.aim.aimPhase == kAimHolding && !g.keyAim.holding)
        input.PinCursor(g.aim.savedCursorX, g.aim.savedCursorY);
    input.UpdateInput(d3d.ratioX(), d3d.ratioY());

    SceneView view(*scene);
    const bool strikerPlaced = RunGameFrame(g, ReadFrameInput(frameSeconds), &view);
    const GameState& seen = view.seen();
    const HudFrame hud{scene->width, scene->height, frameSeconds, scene->textureFilter};
    if (InPlay(seen)) {
        DrawPlay(seen, g, *scene, strikerPlaced);
    } else {
        DrawIntro(seen, *scene);
        if (seen.mode == kModeRecords) DrawRecordsScreen(g, hud);
    }
    Draw2DLayer(g, *scene, hud);

    Camera().SetPerspective(0, 0, 0);
    ApplyTableProjection();
    d3d.SetLighting(true);
    d3d.SetDepthTest(true);
    d3d.EndScene();
    counters.frameOpen = true;
    g.rendering = 0;
    return 0;
}

float SceneFrameSeconds() {
    return LastFrameSeconds();
}
