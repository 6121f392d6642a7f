// Shared setup of the graphics tests: the engine's device started on the
// recording backend, and small files (images, .x meshes) written by the
// tests themselves.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/modules/engine_modules.h"
#include "platform/gfx/recording/recording_device.h"

// One quad of the fonts' and sprites' batched draws: its corners (top-left,
// top-right, bottom-left, bottom-right) and the texture it was drawn with.
struct RecordedQuad {
    gfx::RecordedVertex corners[4];
    const gfx::Texture* texture = nullptr;
};
// The quads of those draws (of four-cornered 2D vertices), in drawing order.
std::vector<RecordedQuad> QuadsOf(const std::vector<gfx::RecordedDraw>& draws);

// An RGBA image written as an uncompressed TGA (with alpha) or 24-bit BMP.
bool WriteTga(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
bool WriteBmp(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
void WriteTextFile(const std::string& path, const std::string& text);

// Empties the font, sprite, texture and light lists and restores the loader
// settings, so nothing refers to a device about to be replaced.
inline void ResetEngineLists() {
    // Fonts and sprites first: they draw with the textures and the device.
    GDIFonts().ReleaseGDIFonts();
    Fonts().ReleaseFonts();
    Sprites().ReleaseSprites();
    TextureList().Clear(false);
    TextureList().SetFormat(gfx::kFormatUnknown);
    TextureList().SetMipLevels(0);
    TextureList().SetColorKey(0);
    Lights().Clear();
    Resource().SetPackage(nullptr);
}

// The clock of every recording test: time stands still unless a test moves
// it, so frame statistics depend only on what a test does.
inline double testNow = 0;
inline double TestClock() {
    return testNow;
}

class RecordingTest : public testing::Test {
protected:
    // Starts the device on a fresh recording system; the engine's lists are
    // emptied first so nothing refers to the previous device.
    bool StartRecording(gfx::RecordingConfig config = {}, uint16_t width = 640,
                        uint16_t height = 480, uint8_t bpp = 32, bool wantStencil = true,
                        bool force16BitDepth = false) {
        ResetLists();
        auto system = std::make_unique<gfx::RecordingSystem>(std::move(config));
        system_ = system.get();
        Direct3D().UseSystem(std::move(system));
        Direct3D().UseClock(TestClock);
        return Direct3D().Start({.width = width,
                                 .height = height,
                                 .bpp = bpp,
                                 .wantStencil = wantStencil,
                                 .force16BitDepth = force16BitDepth});
    }
    void SetUp() override { ASSERT_TRUE(StartRecording()); }
    void TearDown() override { ResetLists(); }

    static void ResetLists() { ResetEngineLists(); }

    gfx::RecordingDevice& device() {
        return *static_cast<gfx::RecordingDevice*>(Direct3D().device());
    }
    gfx::RecordingSystem& system() { return *system_; }

private:
    gfx::RecordingSystem* system_ = nullptr;
};
