#include "engine/graphics/visible_texels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/graphics/vex_texture_list.h"
#include "platform/gfx/gfx_formats.h"

QuadPart VisibleTexels::ShowingPart(float drawnWidth, float drawnHeight, bool anisotropic) const {
    if (!known_) return {};
    // Bilinear filtering weighs only texels whose centres lie less than one
    // texel from the sampling point (a single level has no smaller picture
    // to blend in); an anisotropic filter also spreads its probes over half
    // a pixel's footprint, in texels, either side of it.
    float reach = 1;
    if (anisotropic) {
        const float acrossX = width_ / std::fabs(drawnWidth);
        const float acrossY = height_ / std::fabs(drawnHeight);
        reach += 0.5f * std::max(acrossX, acrossY);
    }
    // Drawn smaller than looked around for (a size of 0 and NaN included).
    if (!(reach <= kLookedAround)) return {};
    if (right_ < left_) return {0, 0, 0, 0};
    return {std::max(0.0f, (left_ - reach) / width_), std::max(0.0f, (top_ - reach) / height_),
            std::min(1.0f, (right_ + reach) / width_), std::min(1.0f, (bottom_ + reach) / height_)};
}

TextureAlpha::TextureAlpha(const TextureEntry* entry) {
    if (!entry || !entry->texture || entry->texture->LevelCount() != 1) return;
    if (!gfx::CanPackTexel(entry->format) || entry->bits % 8 != 0) return;
    const gfx::Texture& texture = *entry->texture;
    const size_t bytes = entry->bits / 8;
    width_ = entry->width, height_ = entry->height;
    visible_.resize(size_t(width_) * size_t(height_));
    for (int y = 0; y < height_; ++y) {
        const uint8_t* row = texture.LevelBits(0) + size_t(y) * texture.LevelPitch(0);
        for (int x = 0; x < width_; ++x) {
            uint32_t value = 0;
            std::memcpy(&value, row + size_t(x) * bytes, bytes);
            visible_[size_t(y) * size_t(width_) + size_t(x)] =
                gfx::UnpackTexel(entry->format, value).a != 0;
        }
    }
}

bool TextureAlpha::Visible(int x, int y) const {
    x %= width_, y %= height_;
    if (x < 0) x += width_;
    if (y < 0) y += height_;
    return visible_[size_t(y) * size_t(width_) + size_t(x)];
}

VisibleTexels TextureAlpha::Find(float x0, float y0, float x1, float y1) const {
    VisibleTexels found;
    if (visible_.empty() || !(x0 < x1 && y0 < y1)) return found;
    found.known_ = true;
    found.width_ = x1 - x0, found.height_ = y1 - y0;
    constexpr float around = VisibleTexels::kLookedAround;
    // The texels whose centres lie within the region or around it.
    const int firstX = int(std::ceil(x0 - around - 0.5f)),
              lastX = int(std::floor(x1 + around - 0.5f));
    const int firstY = int(std::ceil(y0 - around - 0.5f)),
              lastY = int(std::floor(y1 + around - 0.5f));
    for (int y = firstY; y <= lastY; ++y)
        for (int x = firstX; x <= lastX; ++x) {
            if (!Visible(x, y)) continue;
            const float cx = float(x) + 0.5f - x0, cy = float(y) + 0.5f - y0;
            if (found.right_ < found.left_) {
                found.left_ = found.right_ = cx;
                found.top_ = found.bottom_ = cy;
                continue;
            }
            found.left_ = std::min(found.left_, cx), found.right_ = std::max(found.right_, cx);
            found.top_ = std::min(found.top_, cy), found.bottom_ = std::max(found.bottom_, cy);
        }
    return found;
}
