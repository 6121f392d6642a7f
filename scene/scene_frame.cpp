#include "scene/scene_frame.h"

#include "engine/graphics/vex_light.h"
#include "game/frame.h"
#include "game/practice.h"
#include "scene/camera_rig.h"
#include "scene/frame_input.h"
#include "scene/hud.h"
#include "scene/hud_draw.h"
#include "scene/input_codes.h"
#include "scene/scene.h"
#include "scene/scene_states.h"
#include "scene/table_drawing.h"
#include "scene/view_motion.h"

namespace {

constexpr uint32_t kBackground = 0xFF808092;
constexpr float kLogoX = 10, kLogoY = 5;

// The game's steps that run by the clock, for a table nobody looks at.
void RunUnseenFrame(GameState& g) {
    g.rendering = 1;
    FrameInput input;
    input.frameSeconds = MeasureFrameSeconds();
    RunGameFrame(g, input, false);
    g.rendering = 0;
}

void Begin2DLayer() {
    VEX_Direct3D& d3d = Direct3D();
    d3d.SetDepthTest(false);
    d3d.SetLighting(false);
    Camera().Begin2D();
}

void DrawLogo() {
    VEX_Sprite& sprites = Sprites();
    if (!sprites.BeginSprites()) return;
    sprites.SetSpriteColor(kWhite);
    sprites.SetSpriteRotation(0);
    sprites.DrawSprite(kLogoSprite, kLogoX, kLogoY, 0, 0);
    sprites.EndSprites();
}

// The still life of the intro, which the best-plays table also lies over.
void DrawIntro(GameState& g, Scene& scene, float frameSeconds) {
    DrawTable(scene, g, TableContent::kIntro);
    DrawIntroContent(scene, 1.0f, g.quality);
    Begin2DLayer();
    if (g.mode == kModeIdle) DrawLogo();
    TurnIntroView(g, frameSeconds);
}

void DrawPlay(GameState& g, Scene& scene, float frameSeconds) {
    AdvanceBlink(scene, g);
    DrawTable(scene, g, TableContent::kPlay);
    DrawAllDiscs(scene, g, 1.0f, g.quality);
    if (RunAimStep(g, ReadAimInput(scene, frameSeconds))) DrawPlacedStriker(scene, g);
    DrawAimingCue(scene, g, 1.0f, g.quality);
    // Only with the focus: a "p" typed into the chat is not a pause.
    if (g.mode == kModePractice)
        HandlePauseKey(g, g.hasFocus && Input().KeyPressed(kKeyP));
}

void Draw2DLayer(GameState& g, Scene& scene, const HudFrame& hud) {
    Begin2DLayer();
    scene.fireworks->DrawFireworks(g, hud.frameSeconds);
    DrawHud(g, hud);
    FadeHelp(g, scene, hud.frameSeconds);
    DrawHelpPanel(scene.counters.helpAlpha, scene.width, scene.height, g.language);
    if (g.mode == kModeIdle) DrawVersionText(scene.width, scene.height);
}

// After a reset the device is back at its defaults: the scene's states,
// the help font and the lights go on again before the next frame.
void RestoreAfterReset(const Scene& scene) {
    GDIFonts().RefreshGDIFonts();
    Lights().ApplyAllLights();
    ApplySceneRenderStates(scene.textureFilter, scene.specularOn);
}

}  // namespace

int RenderScene(GameState& g) {
    if (g.rendering) return -1;
    Scene* scene = ActiveScene();
    if (!scene) {
        RunUnseenFrame(g);
        return -1;
    }
    VEX_Direct3D& d3d = Direct3D();
    SceneCounters& counters = scene->counters;
    if (counters.frameOpen) d3d.PresentFrame();
    counters.frameOpen = false;
    if (!d3d.BeginFrame()) {
        RestoreAfterReset(*scene);
        return 0;
    }
    // Set until the frame ends, also across a practice run's end inside it.
    g.rendering = 1;
    const float frameSeconds = float(d3d.frameTime());
    // The stencil too, though only the mirror uses it: depth and stencil
    // share one buffer, and clearing them together is a plain fill where
    // either alone has to keep the other's bits in every pixel.
    d3d.ClearTargets(kBackground, true, true, true);
    scene->sound.ReleaseFinishedVoices();
    VEX_Input& input = Input();
    if (g.aim.aimPhase == kAimHolding) input.PinCursor(g.aim.savedCursorX, g.aim.savedCursorY);
    input.UpdateInput(d3d.ratioX(), d3d.ratioY());
    TurnViewByMouse(g);
    Celebrate(g, *scene, frameSeconds);
    AdvancePracticePhase(g, frameSeconds);
    PlaceTableCamera(g.view, g.localSeat == kSideRed);

    const HudFrame hud{scene->width, scene->height, frameSeconds, scene->textureFilter};
    if (g.mode == kModeMatch || g.mode == kModePractice) {
        DrawPlay(g, *scene, frameSeconds);
    } else {
        DrawIntro(g, *scene, frameSeconds);
        if (g.mode == kModeRecords) DrawRecordsScreen(g, hud);
    }
    AdvanceRunClock(g, frameSeconds);
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
    return ActiveScene() ? float(Direct3D().frameTime()) : LastFrameSeconds();
}
