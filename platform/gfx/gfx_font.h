// Text drawn with an installed TrueType font, as Direct3D's utility font
// object draws it: a font made for a device from a LOGFONT-like
// description, drawing Windows-1252 text as screen-space textured quads.
//
// Drawing sets these device states and puts back what it found: alpha
// blending on (source alpha, inverse source alpha), alpha test, depth
// test, depth writes, fog and stencil off, solid fill, no culling; stage 0
// modulating the glyph texture with the text colour (colour and alpha),
// point sampled and clamped, texture coordinates set 0; stage 1 off; the
// texture of stage 0. Transforms, viewport, material and lights are left
// alone (the quads are pre-transformed and unlit).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/memory_tracker.h"
#include "platform/gfx/gfx_device.h"
#include "platform/gfx/gfx_font_description.h"
#include "platform/gfx/gfx_glyph_atlas.h"

namespace gfx {

struct TextRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class Font : public TrackedObject {
public:
    // Null when no installed font fits, FreeType refuses the one found or
    // the device will not make the glyph texture. The font belongs to the
    // device and must be gone before it.
    static std::unique_ptr<Font> Create(Device& device, const FontDescription& description);
    // The same from a font file already found; null when FreeType refuses
    // it or the device will not make the glyph texture.
    static std::unique_ptr<Font> Create(Device& device, const FontFile& file,
                                        const FontDescription& description);

    // Sets the drawing states once for several texts; End puts them back.
    // Texts drawn outside a Begin / End pair do both themselves.
    void Begin();
    void End();
    // Draws count bytes of Windows-1252 text (-1: up to the terminating
    // zero) from the rectangle's top-left corner, left aligned, a line feed
    // starting a new line; right and bottom are not used, nothing is
    // clipped. Format 0 is the only one; others are refused and draw
    // nothing. Gives the height of the text in pixels, 0 when nothing could
    // be drawn.
    int DrawText(const char* text, int count, const TextRect& rect, uint32_t format, uint32_t argb);

    // The device is being reset: the glyph texture goes, and comes back
    // from the glyphs kept in memory (false when the device refuses it).
    void OnLostDevice();
    bool OnResetDevice();

    const GlyphAtlas& atlas() const { return atlas_; }
    const Texture* texture() const { return texture_.get(); }

private:
    Font(Device& device, GlyphAtlas atlas, bool underline);
    bool MakeTexture();
    void SaveAndSetStates();
    void RestoreStates();

    Device& device_;
    GlyphAtlas atlas_;
    bool underline_;
    std::unique_ptr<Texture> texture_;
    bool begun_ = false;

    struct SavedState {
        uint32_t stage, state, value;  // stage ~0u: a render state
    };
    std::vector<SavedState> saved_;
    Texture* savedTexture_ = nullptr;
};

}  // namespace gfx
