// Reading the recorded quads back as the HUD's texts: each bitmap-font
// quad's texture cell names its character, so a text is a run of quads on
// one line in one colour. Spaces are never drawn.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/engine/graphics/graphics_fixture.h"

struct DrawnText {
    float left = 0, top = 0;  // of the first character's quad
    float height = 0;         // the cell height, the text's size
    uint32_t color = 0;
};

// The first place, from quad index from on, where the Windows-1252 text
// (its spaces left out) was drawn with the font texture.
std::optional<DrawnText> FindText(const std::vector<RecordedQuad>& quads, const gfx::Texture* font,
                                  const std::string& text, size_t from = 0);

// The quads drawn with a texture (null: without one), in order.
std::vector<RecordedQuad> QuadsWith(const std::vector<RecordedQuad>& quads,
                                    const gfx::Texture* texture);
