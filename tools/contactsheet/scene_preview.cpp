#include "tools/contactsheet/scene_preview.h"

#include <filesystem>

#include "engine/modules/engine_modules.h"
#include "game/table_geometry.h"
#include "scene/scene_window.h"
#include "scene/table_scene.h"

namespace {

constexpr uint32_t kBackground = 0xFF808092;  // the colour the game clears each frame to

// The intro's ten discs; a red disc resting against the cushion at the wall
// limit and a green one fallen into a hole, as the game draws them; and the
// striker on the green player's line with the cue drawn back behind it.
SceneLayout PreviewLayout() {
    using namespace table;
    SceneLayout layout;
    layout.discs = IntroDiscs();
    layout.discs.push_back(PlacedDisc(kWallLimit, 4.0f, kColorRed));
    layout.discs.push_back(
        PlacedDisc(-kHoleCenter + 1.0f, kHoleCenter + 0.5f, kColorGreen, kStatusPocketed));
    layout.discs.push_back(PlacedDisc(-6.0f, kShootingLineZ, kColorYellow));
    layout.cue = CueAim{-6.0f, kShootingLineZ, 0.35f, 2.5f + 3.0f};
    return layout;
}

// The scene reads loose files from the working folder: this enters the
// asset folder for as long as it lives.
class InFolder {
public:
    explicit InFolder(const std::string& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder, error_);
    }
    ~InFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    bool ok() const { return !error_; }

private:
    std::filesystem::path previous_;
    std::error_code error_;
};

bool DrawFrame(TableScene& scene, PreviewImage& image) {
    if (!Direct3D().BeginFrame()) return false;
    Direct3D().ClearTargets(kBackground, true, true, true);
    scene.Draw(PreviewLayout(), false);
    Direct3D().EndScene();
    const bool read = Direct3D().device()->ReadBackBuffer(image.argb, image.width, image.height);
    Direct3D().PresentFrame();
    return read;
}

}  // namespace

PreviewOutcome DrawScenePreview(const std::string& assetDir, uint16_t width, uint16_t height,
                                PreviewImage& image, std::string& error) {
    // The engine up for this drawing, as the loaded library has it.
    EngineLifetime engine;
    SceneWindow window(width, height);
    if (!window.ok()) {
        error = "no X display to draw the scene on (run through scripts/run-with-display.sh)";
        return PreviewOutcome::NoDisplay;
    }
    if (!window.StartDevice()) {
        error = "the OpenGL device did not start (see debug.log)";
        return PreviewOutcome::Failed;
    }
    InFolder assets(assetDir);
    if (!assets.ok()) {
        error = "cannot enter " + assetDir;
        return PreviewOutcome::Failed;
    }
    TableScene scene;
    if (!scene.Load(nullptr)) {
        error = "the table, disc or cue did not load from " + assetDir + " (see debug.log)";
        return PreviewOutcome::Failed;
    }
    if (!DrawFrame(scene, image)) {
        error = "the frame was not drawn or not read back";
        return PreviewOutcome::Failed;
    }
    return PreviewOutcome::Drawn;
}
