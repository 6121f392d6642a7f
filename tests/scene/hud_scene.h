// The 2D layer on the real device, set up as the scene sets it up: the
// pictures, fonts and sprites from the built package with the scene's
// loader settings and device states, the fireworks, and a frame cleared to
// the scene's grey in the 2D view. For the display tests and the HUD
// benchmark; the device must be started.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/services/vex_package.h"
#include "scene/fireworks.h"
#include "scene/hud.h"

class HudScene {
public:
    static constexpr uint32_t kSceneGrey = 0xFF808092;

    // False (with the reason in the log) when anything the HUD draws with
    // is missing.
    bool Load(const char* packagePath);
    ~HudScene();

    // Begins a frame cleared to the colour, in the 2D view without depth
    // test or lighting, as the scene's 2D layer draws; false while the
    // device cannot draw.
    bool BeginFrame(uint32_t background = kSceneGrey);
    HudFrame Frame(float seconds) const;
    Fireworks& fireworks() { return *fireworks_; }

private:
    VEX_Package package_;
    std::unique_ptr<Fireworks> fireworks_;
    uint32_t textureFilter_ = 0;
};
