// The part of a picture that can show. A character cell or a spark is
// mostly fully transparent texels, and a software renderer spends time on
// every pixel a quad covers, even where it draws nothing. So the texels
// that are not fully transparent are found once, when a font or sprite is
// made, and each quad is cut down to where filtering can still reach one of
// them, its texture rectangle cut at the same fractions: every pixel left
// samples the same texture point as before, and every pixel cut away would
// have drawn a fully transparent sample. That is only nothing while the
// device's states say so (trim_rules.h).
#pragma once

#include <vector>

#include "engine/graphics/textured_quad.h"

struct TextureEntry;

// The texels of one region of a texture that are not fully transparent,
// counting those just around it, which filtering reads from inside it.
class VisibleTexels {
public:
    // How far around a region texels are looked at, in texels: as far as
    // an anisotropic filter reads when the region is drawn down to half its
    // size.
    static constexpr float kLookedAround = 2;

    // The part of a quad showing the region at this size (in pixels) that
    // can draw anything; the whole quad when that is not known, and an
    // empty part when the region and its surroundings are clear.
    QuadPart ShowingPart(float drawnWidth, float drawnHeight, bool anisotropic) const;

    bool known() const { return known_; }
    bool clear() const { return known_ && right_ < left_; }

private:
    friend class TextureAlpha;

    bool known_ = false;
    float width_ = 0, height_ = 0;  // of the region, in texels
    // Centres of the outermost texels that are not clear, in texels from
    // the region's top-left corner; right < left when there are none.
    float left_ = 0, top_ = 0, right_ = -1, bottom_ = -1;
};

// Which texels of a texture's picture are not fully transparent, read once
// while fonts or sprites find their regions.
class TextureAlpha {
public:
    // Nothing is known of a missing texture, of a format without texel
    // access, or of a texture with smaller levels, which filtering blends
    // in when the picture is drawn small.
    explicit TextureAlpha(const TextureEntry* entry);

    // The region from (x0, y0) to (x1, y1), in texels; texels outside the
    // texture are read as wrapped around it, which covers the other address
    // modes too (they repeat texels of the region's own edge).
    VisibleTexels Find(float x0, float y0, float x1, float y1) const;

private:
    bool Visible(int x, int y) const;

    std::vector<bool> visible_;
    int width_ = 0, height_ = 0;
};
